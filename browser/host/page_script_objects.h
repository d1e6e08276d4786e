// What the script objects of a page's elements tell the script host when
// an element's event runs its script. A form control's object (kind 3)
// names the form that holds it: the form's names are then seen by the
// script, after the control's own.
#pragma once

class ScriptObject;

class FormControlScriptObject {
 public:
  // The script object of the form that holds the control, or null.
  virtual ScriptObject* GetOwnerForm() = 0;

 protected:
  ~FormControlScriptObject() = default;
};
