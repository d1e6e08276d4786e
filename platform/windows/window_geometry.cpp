// Window rectangles on the screen, stacking, visible parts and hit testing
// (window_geometry.h).
#include "platform/windows/window_geometry.h"

#include <algorithm>

#include "platform/windows/screen.h"
#include "platform/windows/window_manager.h"

namespace devwin {

bool RectEmpty(const RECT& r) { return r.right <= r.left || r.bottom <= r.top; }

RECT RectIntersection(const RECT& a, const RECT& b) {
  RECT r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
         std::min(a.bottom, b.bottom)};
  if (RectEmpty(r)) return RECT{0, 0, 0, 0};
  return r;
}

RECT RectUnion(const RECT& a, const RECT& b) {
  if (RectEmpty(a)) return RectEmpty(b) ? RECT{0, 0, 0, 0} : b;
  if (RectEmpty(b)) return a;
  return RECT{std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
              std::max(a.bottom, b.bottom)};
}

RECT RectOffset(const RECT& r, int dx, int dy) { return RECT{r.left + dx, r.top + dy, r.right + dx, r.bottom + dy}; }

bool RectContains(const RECT& r, POINT p) { return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom; }

void SubtractRect(std::vector<RECT>* rects, const RECT& cut) {
  if (RectEmpty(cut)) return;
  std::vector<RECT> out;
  out.reserve(rects->size() + 4);
  for (const RECT& r : *rects) {
    RECT common = RectIntersection(r, cut);
    if (RectEmpty(common)) {
      out.push_back(r);
      continue;
    }
    // Up to four pieces: the bands above and below the cut, then the parts
    // left and right of it within the cut's band.
    if (r.top < common.top) out.push_back(RECT{r.left, r.top, r.right, common.top});
    if (common.bottom < r.bottom) out.push_back(RECT{r.left, common.bottom, r.right, r.bottom});
    if (r.left < common.left) out.push_back(RECT{r.left, common.top, common.left, common.bottom});
    if (common.right < r.right) out.push_back(RECT{common.right, common.top, r.right, common.bottom});
  }
  *rects = std::move(out);
}

int FrameWidth(HWND window) { return (window->style & (WS_BORDER | WS_DLGFRAME)) ? 1 : 0; }

RECT WindowRectOnScreen(HWND window) {
  int x = window->x;
  int y = window->y;
  if (window->parent != nullptr) {
    POINT origin = ClientOriginOnScreen(window->parent);
    x += origin.x;
    y += origin.y;
  }
  return RECT{x, y, x + std::max(window->width, 0), y + std::max(window->height, 0)};
}

RECT ClientRectOnScreen(HWND window) {
  RECT r = WindowRectOnScreen(window);
  int frame = FrameWidth(window);
  r.left += frame;
  r.top += frame;
  r.right = std::max(r.left, r.right - frame);
  r.bottom = std::max(r.top, r.bottom - frame);
  return r;
}

POINT ClientOriginOnScreen(HWND window) {
  RECT r = ClientRectOnScreen(window);
  return POINT{r.left, r.top};
}

RECT ClientRectLocal(HWND window) {
  RECT r = ClientRectOnScreen(window);
  return RECT{0, 0, r.right - r.left, r.bottom - r.top};
}

bool IsShown(HWND window) {
  for (HWND walk = window; walk != nullptr; walk = walk->parent)
    if (!(walk->style & WS_VISIBLE)) return false;
  return true;
}

bool IsEnabledWindow(HWND window) { return !(window->style & WS_DISABLED); }

namespace {

bool Topmost(HWND window) { return window->parent == nullptr && (window->exStyle & WS_EX_TOPMOST); }

}  // namespace

bool IsAbove(HWND a, HWND b) {
  if (Topmost(a) != Topmost(b)) return Topmost(a);
  return a->zOrder > b->zOrder;
}

std::vector<HWND> ChildrenTopFirst(HWND parent) {
  std::vector<HWND> list = parent->children;
  std::stable_sort(list.begin(), list.end(), [](HWND a, HWND b) { return IsAbove(a, b); });
  return list;
}

std::vector<HWND> TopLevelTopFirst() {
  std::vector<HWND> list;
  for (HWND window : Manager().topLevel)
    if (!window->destroying || IsLocalWindow(window)) list.push_back(window);
  std::stable_sort(list.begin(), list.end(), [](HWND a, HWND b) { return IsAbove(a, b); });
  return list;
}

void RaiseWindow(HWND window) { window->zOrder = Manager().nextZOrder++; }

void LowerWindow(HWND window) { window->zOrder = --Manager().lowestZOrder; }

void PlaceBelow(HWND window, HWND above) {
  // Renumber the siblings top first with `window` just below `above`.
  std::vector<HWND> order = window->parent ? ChildrenTopFirst(window->parent) : TopLevelTopFirst();
  order.erase(std::remove(order.begin(), order.end(), window), order.end());
  auto at = std::find(order.begin(), order.end(), above);
  order.insert(at == order.end() ? order.end() : at + 1, window);
  WindowManager& m = Manager();
  int64_t stamp = m.nextZOrder + static_cast<int64_t>(order.size());
  for (HWND sibling : order) sibling->zOrder = stamp--;
  m.nextZOrder += static_cast<int64_t>(order.size()) + 1;
}

std::vector<RECT> VisibleRects(HWND window, bool clientOnly) {
  std::vector<RECT> rects;
  if (!IsShown(window)) return rects;
  RECT area = clientOnly ? ClientRectOnScreen(window) : WindowRectOnScreen(window);
  area = RectIntersection(area, ScreenBounds());
  for (HWND up = window->parent; up != nullptr; up = up->parent) area = RectIntersection(area, ClientRectOnScreen(up));
  if (RectEmpty(area)) return rects;
  rects.push_back(area);
  for (HWND child : window->children)
    if (IsLocalWindow(child) && (child->style & WS_VISIBLE)) SubtractRect(&rects, WindowRectOnScreen(child));
  for (HWND node = window; node != nullptr && !rects.empty(); node = node->parent) {
    const std::vector<HWND> siblings = node->parent ? node->parent->children : TopLevelTopFirst();
    for (HWND sibling : siblings) {
      if (sibling == node || !IsLocalWindow(sibling) || !(sibling->style & WS_VISIBLE)) continue;
      if (IsAbove(sibling, node)) SubtractRect(&rects, WindowRectOnScreen(sibling));
    }
  }
  return rects;
}

namespace {

HWND DeepestAt(HWND window, POINT p, bool skipDisabled) {
  if (!RectContains(ClientRectOnScreen(window), p)) return window;
  for (HWND child : ChildrenTopFirst(window)) {
    if (!IsLocalWindow(child) || !(child->style & WS_VISIBLE)) continue;
    if (!RectContains(WindowRectOnScreen(child), p)) continue;
    if (skipDisabled && !IsEnabledWindow(child)) continue;
    return DeepestAt(child, p, skipDisabled);
  }
  return window;
}

}  // namespace

HWND ShownWindowAt(POINT p, bool skipDisabled) {
  if (!RectContains(ScreenBounds(), p)) return nullptr;
  for (HWND top : TopLevelTopFirst()) {
    if (!IsLocalWindow(top) || !(top->style & WS_VISIBLE) || !RectContains(WindowRectOnScreen(top), p)) continue;
    if (skipDisabled && !IsEnabledWindow(top)) return nullptr;
    return DeepestAt(top, p, skipDisabled);
  }
  return nullptr;
}

void AddToUpdate(HWND window, const RECT* rect, bool erase) {
  RECT client = ClientRectLocal(window);
  RECT part = rect ? RectIntersection(*rect, client) : client;
  if (RectEmpty(part)) return;
  window->update = RectUnion(window->update, part);
  if (erase) window->eraseBackground = true;
  if (window->queue) window->queue->wake.notify_all();
}

void InvalidateScreenArea(const RECT& screenRect) {
  RECT area = RectIntersection(screenRect, ScreenBounds());
  if (RectEmpty(area)) return;
  std::vector<RECT> uncovered{area};
  std::vector<HWND> all;
  for (HWND top : TopLevelTopFirst()) {
    if (!IsLocalWindow(top) || !(top->style & WS_VISIBLE)) continue;
    SubtractRect(&uncovered, WindowRectOnScreen(top));
    std::vector<HWND> stack{top};
    while (!stack.empty()) {
      HWND w = stack.back();
      stack.pop_back();
      if (!IsShown(w)) continue;
      RECT whole = WindowRectOnScreen(w);
      if (RectEmpty(RectIntersection(whole, area))) continue;
      if (FrameWidth(w) > 0) DrawFrame(w);
      RECT client = ClientRectOnScreen(w);
      RECT part = RectIntersection(client, area);
      if (!RectEmpty(part)) {
        RECT local = RectOffset(part, -client.left, -client.top);
        AddToUpdate(w, &local, true);
      }
      for (HWND child : w->children) stack.push_back(child);
    }
  }
  PaintDesktop(uncovered);
}

}  // namespace devwin
