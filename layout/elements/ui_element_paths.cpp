// Transforms between an element and its ancestors, and child-index paths
// that name an element below an ancestor across a rebuild of the tree.
#include <cstdint>

#include "layout/elements/ui_container.h"
#include "layout/elements/ui_element.h"

void UIElement::GetTransformTo(bool includeSelf, bool includeAncestor, UIElement* ancestor, Transform* out) {
  out->SetIdentity();
  if (ancestor == this) {
    if (includeSelf == includeAncestor) return;
    GetTransform(out, false);
    if (!includeSelf) Transform::Invert(*out, out);
    return;
  }
  Transform step;
  if (includeSelf) GetTransform(out, true);
  UIElement* node = parent_;
  while (node != nullptr && node != ancestor) {
    node->GetTransform(&step, true);
    Transform::Multiply(*out, step, out);
    node = node->parent_;
  }
  if (!includeAncestor && node != nullptr) {
    node->GetTransform(&step, false);
    Transform::Multiply(*out, step, out);
  }
}

void UIElement::MapPoint(Point* out, bool includeSelf, bool includeAncestor, UIElement* ancestor, Point point,
                         bool forward) {
  Transform transform;
  GetTransformTo(includeSelf, includeAncestor, ancestor, &transform);
  if (!forward) Transform::Invert(transform, &transform);
  *out = transform.MapPoint(point);
}

bool UIElement::GetChildPath(UIElement* ancestor, SegmentedArray* path, UIElement* element) {
  path->Clear();
  if (path->itemSize != static_cast<int32_t>(sizeof(int32_t))) path->Init(sizeof(int32_t));
  for (UIElement* node = element; node != ancestor; node = node->parent_) {
    if (node == nullptr || node->parent_ == nullptr) {
      path->Clear();
      return false;
    }
    int32_t index = node->parent_->IndexOfChild(node);
    if (index < 0 || !path->InsertAt(0, &index, 1)) {
      path->Clear();
      return false;
    }
  }
  return true;
}

UIElement* UIElement::ResolveChildPath(const SegmentedArray& path) {
  UIElement* node = this;
  for (uint32_t i = 0; i < path.count; ++i) {
    int32_t index = *static_cast<const int32_t*>(path.At(i));
    UIContainer* container = node->AsContainer();
    if (container == nullptr || index < 0 || static_cast<uint32_t>(index) >= container->ChildCount()) return nullptr;
    node = container->ChildAt(static_cast<uint32_t>(index));
  }
  return node;
}
