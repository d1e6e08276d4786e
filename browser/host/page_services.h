// The page-element objects that a document view holds before the page
// elements' subsystem exists: the forms of the page and the drawing editor.
// That subsystem's FormCollection and SketchEditor implement these
// interfaces and install a factory at start; without one the view gets
// objects that do nothing and find nothing.
#pragma once

#include <cstdint>

#include "foundation/geometry/rect.h"
#include "foundation/streams/byte_stream.h"

class BookParameterFile;
class DocumentSource;
class DocumentView;
class DrawingSurface;
class OfflineFormLog;
class ScriptObject;
class ViewEnvironment;

class ViewFormCollection {
 public:
  virtual ~ViewFormCollection() = default;
  virtual void SetFormLog(OfflineFormLog* log) = 0;
  // Forgets the forms of the embedding word.
  virtual void DetachForms(int32_t owner) = 0;
  virtual void SetScriptStore(DocumentSource* source) = 0;
  virtual bool LoadState(ByteStream* stream) = 0;
  virtual bool SaveState(ByteStream* stream, bool final) = 0;
  // The forms as a script object; null when scripts cannot see them.
  virtual ScriptObject* AsScriptObject() = 0;
};

class ViewSketchEditor {
 public:
  virtual ~ViewSketchEditor() = default;
  virtual bool HasDrawing() = 0;
  virtual void SetDrawingKey(uint32_t start, uint32_t end, BookParameterFile* sideFile) = 0;
  virtual bool GetDrawingBounds(Rect* out) = 0;
  virtual void ClearDrawing(bool forgetKey) = 0;
  virtual bool LoadDrawing() = 0;
  virtual bool SelectMark(uint32_t mark) = 0;
  // The drawing mark of the selection (made when missing), or -1.
  virtual int32_t FindMarkForSelection(int32_t word) = 0;
};

// Installed by the page elements' subsystem; each maker answers null when
// memory runs out.
struct PageServiceFactory {
  ViewFormCollection* (*makeForms)() = nullptr;
  ViewSketchEditor* (*makeSketchEditor)(ViewEnvironment* environment, DrawingSurface* surface,
                                        DocumentView* view) = nullptr;
};

void InstallPageServiceFactory(const PageServiceFactory& factory);
// The installed maker's object, or one that does nothing; null only when
// memory runs out.
ViewFormCollection* MakeViewFormCollection();
ViewSketchEditor* MakeViewSketchEditor(ViewEnvironment* environment, DrawingSurface* surface, DocumentView* view);
