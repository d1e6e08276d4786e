// LibraryCatalogue: what the document loader asks of the library (a later
// subsystem, which implements it): books found by their database name, the
// scan of the storage locations, and the storage notifications of the
// shell. Without a library the loader uses NullLibraryCatalogue, which
// finds nothing.
#pragma once

#include <cstdint>

#include "foundation/wide_string/shared_wide_string.h"

class BookParameterFile;
class Url;

class LibraryCatalogue {
 public:
  virtual ~LibraryCatalogue() = default;
  // Scans every storage location not scanned yet.
  virtual void ScanAllLocations() = 0;
  // The path of the first book whose database name equals the title
  // exactly; false when none.
  virtual bool FindPathByTitle(const SharedWideString& title, SharedWideString* path) = 0;
  // A book's side file is closing: the catalogue may look its entry up.
  virtual void LookUpDocumentEntry(BookParameterFile* sideFile) = 0;
  virtual void OnDriveAdded(const SharedWideString& path, const SharedWideString& displayName) = 0;
  virtual void OnDriveRemoved(const SharedWideString& path) = 0;
  virtual void OnMediaInserted(const SharedWideString& path) = 0;
  virtual void OnMediaRemoved(const SharedWideString& path) = 0;
  // The document view's questions (nothing found by default): the kind of
  // the library entry of a closed document, refreshed from its file and
  // side file (0 when not in the library); whether dictionaries are
  // installed for a language pair (after a scan).
  virtual int32_t GetBookKindForLocation(const Url& url) {
    (void)url;
    return 0;
  }
  virtual bool HasDictionaries(uint32_t input, uint32_t output) {
    (void)input;
    (void)output;
    return false;
  }
};

class NullLibraryCatalogue final : public LibraryCatalogue {
 public:
  void ScanAllLocations() override {}
  bool FindPathByTitle(const SharedWideString&, SharedWideString*) override { return false; }
  void LookUpDocumentEntry(BookParameterFile*) override {}
  void OnDriveAdded(const SharedWideString&, const SharedWideString&) override {}
  void OnDriveRemoved(const SharedWideString&) override {}
  void OnMediaInserted(const SharedWideString&) override {}
  void OnMediaRemoved(const SharedWideString&) override {}
};
