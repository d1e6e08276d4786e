// What the loader needs to show a cart ("oeb:cart"): the form log that
// holds the cart, the writer that turns a cart or a drug-interaction search
// into a small generated book, and the search itself. The page elements (a
// later subsystem) implement these and install a maker at start; without
// one the loader answers no cart page.
#pragma once

#include <cstdint>

#include "foundation/wide_string/shared_wide_string.h"

class Cart;  // the page elements' cart of items
class PalmDatabase;

class OfflineFormLog {
 public:
  // The log's cart, made on first use; null when it cannot be.
  virtual Cart* GetCart(const SharedWideString& name) = 0;

 protected:
  ~OfflineFormLog() = default;
};

// Looks every item of a cart up in a drug-interaction book and collects the
// interactions between them.
class InteractionSearch {
 public:
  virtual ~InteractionSearch() = default;
  virtual void SetCart(Cart* cart) = 0;
  // Opens the book's drug, class and interaction indexes from its records;
  // 0 when all three opened.
  virtual int32_t RunQuery(PalmDatabase* store, uint32_t drugIndexRecord, uint32_t classIndexRecord,
                           uint32_t interactionIndexRecord) = 0;
  // True when a pair was found; *error is set when an item is no known
  // drug, an entry cannot be read or memory runs out.
  virtual bool Run(bool* error) = 0;
  // Closes the indexes; the found pairs stay for the page writer.
  virtual void Clear() = 0;
};

// Writes one generated page into the data folder.
class InteractionPageWriter {
 public:
  virtual ~InteractionPageWriter() = default;
  // 0 on success.
  virtual int32_t WriteCartPage(Cart* cart, const SharedWideString& title) = 0;
  virtual int32_t WriteInteractionPage(InteractionSearch* search, const SharedWideString& title) = 0;
  // Finishes the page and hands its record store to the caller (who owns
  // it from then on); null when nothing was written.
  virtual PalmDatabase* Close() = 0;
};

class CartPageMaker {
 public:
  // Each owned by the caller; null when it cannot be made.
  virtual InteractionPageWriter* CreatePageWriter() = 0;
  virtual InteractionSearch* CreateInteractionSearch() = 0;

 protected:
  ~CartPageMaker() = default;
};
