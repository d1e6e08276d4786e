// WorkItemList: the application controller's list of small work items, made
// and freed with the controller, which alone reads and writes the items.
// Items are plain records of a fixed size (20 bytes unless the controller
// asks for another size) in a segmented array; the handler pointer is the
// controller's and starts null.
#pragma once

#include <cstdint>

#include "foundation/encoded_string/error_status.h"
#include "foundation/containers/segmented_array.h"

class WorkItemList {
 public:
  static constexpr int32_t kItemSize = 20;

  // Clears the error head and makes the empty item array.
  void Create(int32_t itemSize = kItemSize);
  // Frees the item array.
  void Destroy();

  ErrorStatus status;
  SegmentedArray items;
  void* handler = nullptr;
};
