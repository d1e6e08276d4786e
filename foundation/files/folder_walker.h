// FolderWalker: an iterative depth-first walk of a folder tree, one reported
// file per call, with a stack of open searches and of path lengths instead
// of recursion. ListFolderTree collects a whole walk into a list.
//
// The walk never follows host symbolic links (the platform does not list
// them) and skips an entry whose full path would not fit the device's
// MAX_PATH (260 characters with the terminator), so no path it hands out is
// longer than the platform's calls accept.
#pragma once

#include <cstdint>

#include "foundation/encoded_string/encoded_string.h"
#include "foundation/encoded_string/encoded_string_array.h"
#include "foundation/containers/segmented_array.h"
#include "platform/files/files.h"

class FolderWalker {
 public:
  FolderWalker();
  ~FolderWalker() { CloseAll(); }
  FolderWalker(const FolderWalker&) = delete;
  FolderWalker& operator=(const FolderWalker&) = delete;

  // One step of the walk; true when the walk is over (the path is then the
  // start folder again). On the first call `path` is the folder to walk
  // ("" or "\" for the device root), made UTF-16 without a trailing
  // backslash. Otherwise `path` becomes the full path of the next entry that
  // is reported and the result is false.
  //
  // A folder that is not hidden is entered when `descend` is set and its
  // name (case folded) is not in `skipNames`; folders entered are not
  // reported, and a folder whose name is in `skipNames` is ignored. Every
  // other entry is reported when its extension (the text after its last
  // '.', without the dot, case folded) is in `extensions`; a null
  // `extensions` accepts every entry. When a level runs out its search is
  // closed and the path cut back to that level's folder.
  bool Next(EncodedString* path, const EncodedStringArray* skipNames, const EncodedStringArray* extensions,
            bool descend, bool first);
  // Closes every search still open (a walk given up half way).
  void CloseAll();

  // The platform's find data of the last entry read.
  const WIN32_FIND_DATAW& FindData() const { return findData_; }
  // Open levels of the walk.
  uint32_t Depth() const { return handles_.Count(); }

 private:
  // Pushes the path's length and starts a search of path + "\*"; false (the
  // path as it was, nothing pushed) when the folder cannot be listed or is
  // empty.
  bool StartLevel(EncodedString* path);
  // Closes the top search, cuts the path back to its level's folder and pops
  // both stacks.
  void EndLevel(EncodedString* path);
  // Reads the next entry of the top level into the find data, ending levels
  // that run out; false when the last level has ended.
  bool Advance(EncodedString* path);
  HANDLE TopHandle() const;
  uint32_t TopLength() const;

  WIN32_FIND_DATAW findData_;
  SegmentedArray handles_;  // HANDLE per open level
  SegmentedArray lengths_;  // uint32_t byte length of each level's folder path
};

// Adds "." and ".." to `skipNames`, walks `start` with descent and appends
// every reported path to `found`. False when a list could not grow.
bool ListFolderTree(EncodedStringArray* skipNames, const EncodedString& start, const EncodedStringArray* extensions,
                    EncodedStringArray* found);
