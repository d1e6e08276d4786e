// IntArray: filling and summing.
#include "layout/tables/int_array.h"

bool IntArray::Fill(uint32_t n, int32_t v) {
  values_.Clear();
  if (!values_.Reserve(n)) return false;
  for (uint32_t i = 0; i < n; ++i) values_.Append(&v);
  return true;
}

int64_t IntArray::SumFirst(uint32_t n) const {
  if (n > Count()) n = Count();
  int64_t sum = 0;
  for (uint32_t i = 0; i < n; ++i) sum += Plain(Get(i));
  return sum;
}
