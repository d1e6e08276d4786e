// ScriptHostCalls: the script host's helpers, shared by its files. The
// document view is at once every host object a page script names
// ("document", "window", "history", ...): a member reference carries the
// object's atom as its member code and, once a method is chosen, the
// method's atom as its sub-code. The rows of the method table are split by
// host object, one function each.
#pragma once

#include <cstdint>

#include "browser/view/document_view.h"
#include "script/values/atoms.h"

struct ScriptContext;

class ScriptHostCalls {
 public:
  // The application's current document view (the one whose window runs the
  // scripts), or the view itself when the application names none.
  static DocumentView* ApplicationView(DocumentView* view);
  // The script context of the application's current view; null when it has
  // none (a plain view, tests without scripts).
  static ScriptContext* ContextOf(DocumentView* view);

  static Point& EventPoint(DocumentView* view) { return view->eventPoint_; }
  static int32_t& HistoryRecording(DocumentView* view) { return view->historyRecording_; }
  static ViewApplication* Application(DocumentView* view) { return view->controller_; }

  // Rows of the method table by host object (script_host_methods*.cpp).
  static int32_t DocumentRow(DocumentView* view, const ScriptRequest& request);
  static int32_t BookmarksRow(DocumentView* view, const ScriptRequest& request);
  static int32_t WindowRow(DocumentView* view, const ScriptRequest& request, ScriptValueStore* store,
                           ScriptValueHandle* result);
  static int32_t HistoryRow(DocumentView* view, const ScriptRequest& request, ScriptValueStore* store,
                            ScriptValueHandle* result);
  static int32_t CartRow(DocumentView* view, const ScriptRequest& request);
  static int32_t SelectionRow(DocumentView* view, const ScriptRequest& request);
  static int32_t LocationRow(DocumentView* view, const ScriptRequest& request);
  static int32_t VoiceRow(DocumentView* view, const ScriptRequest& request);
  static int32_t AudioRow(DocumentView* view, const ScriptRequest& request);
};

// The host objects' atoms, as member codes of a reference.
inline constexpr int32_t kFirstHostNameAtom = 22;
inline constexpr int32_t kLastHostNameAtom = 41;
inline constexpr int32_t kFirstHostMethodAtom = 45;
inline constexpr int32_t kLastHostMethodAtom = 267;
// The numbered request of "bookmarks" that opens a mark (it has no name).
inline constexpr int32_t kBookmarksOpenMarkCode = 80;
// The numbered request of a link that opens its address at a position.
inline constexpr int32_t kLinkPositionRequestCode = 75;
