// The two cursors, the current one, and (test builds) the journal of
// changes.
#include "platform/controls/cursor.h"

#include <mutex>
#include <string>
#include <vector>

#ifdef TESSALYN_TEST_HOOKS
#include "platform/controls/control_hooks.h"
#endif

namespace {

// The cursors are never drawn, so their handles only need to be distinct;
// they point at these markers and are never dereferenced.
char arrowMarker;
char waitMarker;

HCURSOR Arrow() { return reinterpret_cast<HCURSOR>(&arrowMarker); }
HCURSOR Wait() { return reinterpret_cast<HCURSOR>(&waitMarker); }

std::mutex cursorLock;
HCURSOR current = Arrow();
#ifdef TESSALYN_TEST_HOOKS
std::vector<std::string> journal;

std::string NameOf(HCURSOR cursor) {
  if (cursor == Arrow()) return "arrow";
  if (cursor == Wait()) return "wait";
  return cursor ? "other" : "none";
}
#endif

}  // namespace

HCURSOR LoadCursorW(HINSTANCE, LPCWSTR name) {
  if (name == IDC_ARROW) return Arrow();
  if (name == IDC_WAIT) return Wait();
  return nullptr;
}

HCURSOR SetCursor(HCURSOR cursor) {
  std::lock_guard<std::mutex> guard(cursorLock);
  HCURSOR previous = current;
  current = cursor;
#ifdef TESSALYN_TEST_HOOKS
  journal.push_back(NameOf(cursor));
#endif
  return previous;
}

HCURSOR GetCursor() {
  std::lock_guard<std::mutex> guard(cursorLock);
  return current;
}

namespace devcontrols {
bool WaitCursorShown() { return GetCursor() == Wait(); }
}  // namespace devcontrols

#ifdef TESSALYN_TEST_HOOKS
namespace devtest {

std::string CurrentCursorName() {
  std::lock_guard<std::mutex> guard(cursorLock);
  return NameOf(current);
}

std::vector<std::string> CursorJournal() {
  std::lock_guard<std::mutex> guard(cursorLock);
  return journal;
}

void ResetCursor() {
  std::lock_guard<std::mutex> guard(cursorLock);
  current = Arrow();
  journal.clear();
}

}  // namespace devtest
#endif
