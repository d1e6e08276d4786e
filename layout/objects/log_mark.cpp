// LogMark: no size; drawing logs the text.
#include "layout/objects/log_mark.h"

bool LogMark::Draw(DrawingSurface* /*surface*/, const Rect& /*box*/, const Rect* /*clip*/) {
  if (log_ != nullptr) log_->Append(text_);
  return true;
}

bool LogMark::GetSize(Size* size, bool* scalable, bool* secondFlag) {
  size->width = 0;
  size->height = 0;
  if (scalable != nullptr) *scalable = false;
  if (secondFlag != nullptr) *secondFlag = false;
  return true;
}
