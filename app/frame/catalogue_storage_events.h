// The main window's storage events handed to a library catalogue, as the
// document loader's forwarders do: media inserted and removed, a drive
// removed, a drive added with its display name.
#pragma once

#include "app/frame/frame_view.h"
#include "browser/loader/library_catalogue.h"
#include "foundation/encoded_string/encoded_string.h"

class CatalogueStorageEvents final : public StorageEventSink {
 public:
  explicit CatalogueStorageEvents(LibraryCatalogue* catalogue) : catalogue_(catalogue) {}

  void CatalogueAdd(const EncodedString& folder) override { catalogue_->OnMediaInserted(Wide(folder)); }
  void CatalogueRemove(const EncodedString& folder) override { catalogue_->OnMediaRemoved(Wide(folder)); }
  void CatalogueOpen(const EncodedString& folder) override { catalogue_->OnDriveRemoved(Wide(folder)); }
  void CatalogueFind(const EncodedString& folder, const EncodedString& displayName) override {
    catalogue_->OnDriveAdded(Wide(folder), Wide(displayName));
  }

 private:
  static SharedWideString Wide(const EncodedString& text) {
    SharedWideString wide;
    if (!wide.AssignEncodedString(text)) wide.Clear();
    return wide;
  }

  LibraryCatalogue* catalogue_;
};
