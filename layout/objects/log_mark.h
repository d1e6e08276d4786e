// LogMark: an invisible object that writes its text to the offline log
// each time the part of the page holding it is drawn (every repaint logs it
// again, as intended: the log records what was shown).
#pragma once

#include "foundation/wide_string/shared_wide_string.h"
#include "layout/objects/inline_object.h"

// The offline log of the page elements, as the layout sees it.
class OfflineLog {
 public:
  virtual ~OfflineLog() = default;
  virtual void Append(const SharedWideString& text) = 0;
};

class LogMark : public InlineObject {
 public:
  LogMark(const SharedWideString& text, OfflineLog* log) : text_(text), log_(log) {}

  bool Draw(DrawingSurface* surface, const Rect& box, const Rect* clip) override;
  bool GetSize(Size* size, bool* scalable, bool* secondFlag) override;

 protected:
  ~LogMark() override = default;

 private:
  SharedWideString text_;
  OfflineLog* log_;  // not owned: the layout context's
};
