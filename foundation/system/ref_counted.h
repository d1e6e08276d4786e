// Counted references: the one base of every object shared by several owners
// (documents, document sources and streams, link actions, inline objects,
// shape-area lists, ...), and the pointer that counts it.
//
// An object starts with one reference, owned by whoever created it. Each
// further holder adds one; the holder that drops the last one destroys the
// object through its virtual destructor. Counts live on the user-interface
// thread only, so they are plain integers.
#pragma once

#include <cstdint>

class RefCounted {
 public:
  RefCounted() = default;
  RefCounted(const RefCounted&) = delete;
  RefCounted& operator=(const RefCounted&) = delete;

  void AddRef() { ++referenceCount_; }

  // Drops one reference; destroys the object when it was the last. True when
  // the object was destroyed (the caller must not touch it again).
  bool Release() {
    if (--referenceCount_ > 0) return false;
    delete this;
    return true;
  }

  int32_t GetReferenceCount() const { return referenceCount_; }

 protected:
  virtual ~RefCounted() = default;

 private:
  int32_t referenceCount_ = 1;
};

// Holds one counted reference to a T (a RefCounted). Copying adds a
// reference; assigning releases the old object before it could be the last
// holder of the new one only when the two differ.
template <typename T>
class RefPtr {
 public:
  RefPtr() = default;
  // Adds a reference to the object (null holds nothing).
  explicit RefPtr(T* object) : object_(object) {
    if (object_) object_->AddRef();
  }
  RefPtr(const RefPtr& other) : RefPtr(other.object_) {}
  RefPtr(RefPtr&& other) noexcept : object_(other.object_) { other.object_ = nullptr; }
  ~RefPtr() { Clear(); }

  RefPtr& operator=(const RefPtr& other) {
    Assign(other.object_);
    return *this;
  }
  RefPtr& operator=(RefPtr&& other) noexcept {
    if (this != &other) {
      Clear();
      object_ = other.object_;
      other.object_ = nullptr;
    }
    return *this;
  }

  // Nothing when the object is the one held already; otherwise counts the
  // new object up, then releases the old one.
  void Assign(T* object) {
    if (object == object_) return;
    if (object) object->AddRef();
    T* old = object_;
    object_ = object;
    if (old) old->Release();
  }

  // Takes over a reference the caller already owns (a freshly created
  // object's first one) without counting it again.
  void Adopt(T* object) {
    if (object == object_) {
      if (object) object->Release();
      return;
    }
    T* old = object_;
    object_ = object;
    if (old) old->Release();
  }

  // Hands the held reference to the caller, who must release it.
  T* Detach() {
    T* object = object_;
    object_ = nullptr;
    return object;
  }

  void Clear() {
    T* old = object_;
    object_ = nullptr;
    if (old) old->Release();
  }

  T* Get() const { return object_; }
  T* operator->() const { return object_; }
  T& operator*() const { return *object_; }
  explicit operator bool() const { return object_ != nullptr; }

 private:
  T* object_ = nullptr;
};
