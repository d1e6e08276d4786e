// The preferences' answers to the document view.
#include "app/preferences/preferences_view_link.h"

#include <cstdint>

bool PreferencesViewLink::SetFontSize(int32_t size) {
  // The preferences keep sizes as signed bytes and wrap a size past either
  // end to the other; a size beyond a byte is past an end, not cut.
  const int32_t clamped = size < INT8_MIN ? INT8_MIN : size > INT8_MAX ? INT8_MAX : size;
  return preferences_->SetFontSize(clamped);
}

bool PreferencesViewLink::SetLastDocument(const SharedWideString& text) {
  SharedWideString copy;
  if (!text.IsEmpty() && !copy.FromChars(text.Chars(), text.length)) return false;
  preferences_->lastDocument = copy;
  return true;
}
