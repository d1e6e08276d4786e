// BookFolderCatalogue: the library catalogue of the program until the
// library itself exists. It keeps the storage locations (main memory, then
// each storage card) and, for each location scanned in this run, the book
// files found directly in its "\eBooks" folder, in the order the folder
// lists them: no cache, no titles, no sorting. The document loader asks it
// for a book by its database name and hands it the shell's storage events;
// the library page lists its books and is told when they change.
#pragma once

#include <cstdint>

#include "browser/loader/library_catalogue.h"
#include "foundation/containers/segmented_array_typed.h"
#include "foundation/wide_string/shared_wide_string.h"

class AppEnvironment;

struct StorageLocation {
  SharedWideString path;         // "\" or the card's folder ("\Storage Card")
  SharedWideString displayName;  // "Main Memory", or the card's name
  bool card = false;
  bool scanned = false;
};

struct CatalogueBook {
  SharedWideString path;      // the book's device path
  SharedWideString fileName;  // its name in the folder
  uint32_t location = 0;      // the index of its storage location
};

// Told after the catalogue's books changed (a scan, a card in or out).
class CatalogueListener {
 public:
  virtual void CatalogueChanged() = 0;

 protected:
  ~CatalogueListener() = default;
};

class BookFolderCatalogue final : public LibraryCatalogue {
 public:
  // The environment names main memory in the interface's language (may be
  // null: the English name).
  explicit BookFolderCatalogue(const AppEnvironment* environment) : environment_(environment) {}

  void SetListener(CatalogueListener* listener) { listener_ = listener; }

  // Empties the locations (and the books found in them) and lists them
  // again: main memory, then each storage card in the platform's order.
  // False when memory runs out.
  bool ListStorageLocations();
  uint32_t LocationCount() const { return locations_.Count(); }
  const StorageLocation& LocationAt(uint32_t index) const { return locations_[index]; }
  uint32_t BookCount() const { return books_.Count(); }
  const CatalogueBook& BookAt(uint32_t index) const { return books_[index]; }
  // The files of the reader's book kinds (by extension).
  static bool IsBookFileName(const WCHAR* name, uint32_t length);

  // Forgets every book found; each location is scanned again when the
  // books are next asked for (the library shows what the folders hold now).
  void RescanAllLocations();

  // LibraryCatalogue
  void ScanAllLocations() override;
  bool FindPathByTitle(const SharedWideString& title, SharedWideString* path) override;
  void LookUpDocumentEntry(BookParameterFile*) override {}
  // A card or drive that comes is listed and scanned when next asked; one
  // that goes takes its books with it. The listener hears each change.
  void OnDriveAdded(const SharedWideString& path, const SharedWideString& displayName) override;
  void OnDriveRemoved(const SharedWideString&) override { Relist(); }
  void OnMediaInserted(const SharedWideString&) override { Relist(); }
  void OnMediaRemoved(const SharedWideString&) override { Relist(); }

 private:
  bool AddLocation(const SharedWideString& path, const SharedWideString& name, bool card);
  bool ScanLocation(uint32_t index);
  void Relist();

  const AppEnvironment* environment_;
  CatalogueListener* listener_ = nullptr;
  SegmentedTypedArray<StorageLocation> locations_;
  SegmentedTypedArray<CatalogueBook> books_;
};
