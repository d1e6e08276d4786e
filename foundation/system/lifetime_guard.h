// Lifetime anchor and guard: how code that calls out of an object (a
// notification, a script, a child's handler) learns afterwards whether the
// object was destroyed during the call.
//
// The watched object embeds a LifetimeAnchor; the caller puts a LifetimeGuard
// on its stack, watches the anchor, makes the call, and touches the object
// again only while the guard is still watching. The guards of one anchor form
// a doubly linked list, newest first. Destroying the anchor empties every
// guard without writing to the anchor again, and an emptied guard never
// unlinks itself, so a destroyed object's memory is never touched.
#pragma once

#include <cstdint>

class LifetimeGuard;

class LifetimeAnchor {
 public:
  LifetimeAnchor() = default;
  ~LifetimeAnchor() { InvalidateGuards(); }
  LifetimeAnchor(const LifetimeAnchor&) = delete;
  LifetimeAnchor& operator=(const LifetimeAnchor&) = delete;

  // No guards, not dead.
  void Init();

  // Makes the guard the newest one; a dead anchor leaves the guard empty.
  void Link(LifetimeGuard* guard);
  // Takes the guard out of the list and empties it.
  void Unlink(LifetimeGuard* guard);
  // Marks the anchor dead and empties every linked guard. The destructor of
  // a watched object calls it first (the anchor's own destructor does too).
  void InvalidateGuards();

  LifetimeGuard* Head() const { return head_; }
  bool IsDead() const { return dead_ != 0; }

 private:
  LifetimeGuard* head_ = nullptr;
  uint8_t dead_ = 0;
};

class LifetimeGuard {
 public:
  LifetimeGuard() = default;
  explicit LifetimeGuard(LifetimeAnchor* anchor) { Watch(anchor); }
  // A guard going out of scope while still linked would leave a dangling
  // entry in the anchor's list, so it releases itself.
  ~LifetimeGuard() { Release(); }
  LifetimeGuard(const LifetimeGuard&) = delete;
  LifetimeGuard& operator=(const LifetimeGuard&) = delete;

  // Releases what was watched before, then links into the anchor (null:
  // watches nothing).
  void Watch(LifetimeAnchor* anchor);
  // Unlinks the guard when it still watches something.
  void Release();

  // True while the watched object lives.
  bool IsWatching() const { return anchor_ != nullptr; }
  LifetimeAnchor* Anchor() const { return anchor_; }
  // The guard linked after this one (nearer the head) and the one before it.
  LifetimeGuard* Prev() const { return prev_; }
  LifetimeGuard* Next() const { return next_; }

 private:
  friend class LifetimeAnchor;
  LifetimeGuard* prev_ = nullptr;
  LifetimeGuard* next_ = nullptr;
  LifetimeAnchor* anchor_ = nullptr;
};
