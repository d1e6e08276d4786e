// WorkItemList creation and destruction.
#include "foundation/containers/work_item_list.h"

void WorkItemList::Create(int32_t itemSize) {
  status.Clear();
  items.Init(itemSize);
  handler = nullptr;
}

void WorkItemList::Destroy() { items.Free(); }
