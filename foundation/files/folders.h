// Folder and path helpers over the platform's file calls: creating and
// deleting, existence and size by name, moving a file into a folder,
// deleting the files that match a pattern, and the fixed folders in which
// the system keeps books ("\eBooks" and its subfolders).
//
// Paths are EncodedStrings (the system keeps them as UTF-16 with backslash
// separators); the whole text of a path is used, whatever its selection.
// Out paths are set as UTF-16.
#pragma once

#include <cstdint>

#include "foundation/encoded_string/encoded_string.h"
#include "platform/types/device_types.h"

bool CreateFolder(const EncodedString& path);
bool DeleteFileAtPath(const EncodedString& path);
// True for a drive root ("C:") without touching the file system, and for the
// device root "\"; otherwise true when a file or folder of that path is
// found (one trailing backslash is ignored).
bool PathExists(const EncodedString& path);
// True with the low 32 bits of the size when the file exists and is smaller
// than 4 GB.
bool GetFileSizeByName(const EncodedString& path, uint32_t* size);
// Longer than one character and starting with a backslash.
bool IsRootedPath(const EncodedString& path);

// `target` becomes folder + "\" + the file's name. True at once when that
// equals the source (without case); with `replace` an existing target is
// deleted first; then the platform's move.
bool MoveFileInto(const EncodedString& file, const EncodedString& folder, EncodedString* target,
                  bool replace);

// Deletes every entry of folder + "\" + pattern that is not a folder; a
// folder path longer than 518 characters does nothing.
void DeleteFilesMatching(const WCHAR* folder, const WCHAR* pattern);
void DeleteMatchingFiles(const EncodedString& folder, const EncodedString& pattern);

// The fixed folders: each sets `path`, creates the folder (and its parents)
// when missing, and is true when it exists afterwards.
bool EnsureBooksFolder(EncodedString* path);      // "\eBooks"
bool EnsureCoversFolder(EncodedString* path);     // "\eBooks\Covers"
bool EnsureBookshelfFolder(EncodedString* path);  // "\eBooks\Covers\Bookshelf"
bool EnsureFeedsFolder(EncodedString* path);      // "\eBooks\Feeds"
bool EnsureFeedsTempFolder(EncodedString* path);  // "\eBooks\Feeds\Temp"
bool EnsureNewsFolder(EncodedString* path);       // "\eBooks\News"
