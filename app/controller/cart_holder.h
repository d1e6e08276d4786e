// What the controller asks of the carts a book's pages fill (the offline
// form log holds them, each found or made by its name): add, remove and
// clear items, count them, and write one as XML. The form log implements
// it once it exists; tests use a recording fake.
#pragma once

#include <cstdint>

#include "foundation/encoded_string/encoded_string.h"
#include "foundation/wide_string/shared_wide_string.h"

class CartHolder {
 public:
  // Adds the item, or updates the one with that identifier.
  virtual bool AddItem(const SharedWideString& cart, const SharedWideString& text,
                       const SharedWideString& identifier) = 0;
  virtual bool RemoveItem(const SharedWideString& cart, uint32_t index) = 0;
  // The cart's item count; -1 when no cart has that name.
  virtual int32_t ItemCount(const SharedWideString& cart) = 0;
  virtual bool Clear(const SharedWideString& cart) = 0;
  virtual bool WriteXml(const SharedWideString& cart, const EncodedString& path) = 0;

 protected:
  ~CartHolder() = default;
};
