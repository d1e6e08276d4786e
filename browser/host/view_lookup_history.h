// ViewLookupHistory: the window's list of looked-up words ("the look-up
// history"), kept by the page elements' subsystem in a small database of its
// own. A browser view holds one, made by the factory that subsystem installs
// at start; without a factory a view has none and skips every use.
#pragma once

#include <cstdint>

class DocumentLoader;

class ViewLookupHistory {
 public:
  virtual ~ViewLookupHistory() = default;
  // The loader that opens the database; given once the view has started.
  virtual void SetLoader(DocumentLoader* loader) = 0;
  // Writes the database when it is open.
  virtual void SaveIfOpen() = 0;
  // Opens the entry list (mode 0, 1 or 2 as the three open-entry
  // operations ask); false when it cannot.
  virtual bool OpenEntries(int32_t mode) = 0;
};

using ViewLookupHistoryMaker = ViewLookupHistory* (*)();

// Installed by the page elements' subsystem (null uninstalls).
void InstallViewLookupHistoryMaker(ViewLookupHistoryMaker maker);
// The installed maker's list; null without a maker or when memory runs out.
ViewLookupHistory* MakeViewLookupHistory();
