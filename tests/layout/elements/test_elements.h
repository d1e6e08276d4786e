// Elements for the element-tree tests: a leaf and a container whose layer,
// hit area, hit priority and focus retention the test sets, that log what
// reaches them into a shared list, and that run a test's callback inside
// Notify, Broadcast and HandleCommand (where tests destroy things).
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "layout/elements/ui_container.h"

namespace elementtest {

using Log = std::vector<std::string>;

class TestLeaf : public UIElement {
 public:
  TestLeaf(std::string name, Log* log, int32_t layer = 0) : name_(std::move(name)), log_(log), layer_(layer) {}

  bool HitTest(Point p) override { return hitAll || hit.ContainsPoint(p); }
  bool OnPointerDown(Point) override { return Record("down"); }
  bool OnPointerMove(bool, Point) override { return Record("move"); }
  bool OnPointerUp(Point) override { return Record("up"); }
  bool Activate(bool on, intptr_t) override {
    Record(on ? "activate" : "deactivate");
    return true;
  }
  bool HandleCommand(const CommandEvent& e) override {
    Record("command");
    if (onCommand) return onCommand(e);
    return handles;
  }
  void Notify(int32_t) override {
    Record("notify");
    if (onNotify) onNotify();
  }
  void Broadcast(intptr_t) override {
    Record("broadcast");
    if (onBroadcast) onBroadcast();
  }
  void Paint(const Rect&, uint32_t) override { Record("paint"); }
  void OnFocusChanged(bool focused) override { Record(focused ? "focus" : "unfocus"); }
  void OnCaptureChanged(bool captured) override { Record(captured ? "captured" : "released"); }
  void Arrange(Rect* remaining, const Rect& rect) override { *remaining = rect; }
  int32_t GetLayer() override { return layer_; }
  int32_t GetHitPriority() override { return priority; }
  bool RetainsFocus() override { return retains; }

  Rect hit;
  bool hitAll = false;
  int32_t priority = -128;
  bool retains = false;
  bool handles = false;
  std::function<bool(const CommandEvent&)> onCommand;
  std::function<void()> onNotify;
  std::function<void()> onBroadcast;

 private:
  bool Record(const char* what) {
    if (log_ != nullptr) log_->push_back(name_ + ":" + what);
    return true;
  }
  std::string name_;
  Log* log_;
  int32_t layer_;
};

// A focus scope with children; deletes nothing.
class TestScope : public UIContainer {
 public:
  bool IsFocusScope() override { return scope; }
  bool scope = true;
};

}  // namespace elementtest
