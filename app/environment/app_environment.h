// AppEnvironment: what the program asks about its surroundings. Where its
// own files and its data files lie, where books and object databases live,
// the built-in default of a setting or a colour by small integer key, and
// the text of a string identifier in the user's language.
//
// Made once when the window set opens, before any window exists; its
// folders never change while it lives. The main window is kept only to
// learn the display's density for the default settings.
//
// Beside it, the free functions of the same family: joining data-file
// paths, the program folder, deleting generated pages, the input panel, the
// platform tests, and moving a book onto a storage card.
#pragma once

#include <cstdint>

#include "foundation/encoded_string/encoded_string.h"
#include "foundation/wide_string/shared_wide_string.h"
#include "layout/drawing/color.h"
#include "platform/types/geometry_types.h"
#include "platform/types/window_handle.h"

class AppWindow;

// What the environment needs of the main window: its handle, for the
// display's density. AppWindow implements it; tests pass their own.
class MainWindowHandleSource {
 public:
  virtual HWND MainWindowHandle() const = 0;

 protected:
  ~MainWindowHandleSource() = default;
};

class AppEnvironment {
 public:
  // The program folder gets exactly one trailing backslash; the data folder
  // is the platform's ("\Windows\" on a Pocket PC).
  AppEnvironment(const EncodedString& programFolder, const MainWindowHandleSource* mainWindow);
  AppEnvironment(const AppEnvironment&) = delete;
  AppEnvironment& operator=(const AppEnvironment&) = delete;

  // "\eBooks", created when missing; true when it exists afterwards.
  bool GetBooksFolder(EncodedString* out) const;
  // "\eBooks\database", created when missing.
  bool GetDatabaseFolder(EncodedString* out) const;

  // Each joins its folder and fixed name; false only for an empty path.
  bool GetTypeResourcePath(EncodedString* out) const;
  // The offline form log "tessalyn.qvl" (the queued form submissions), not
  // a list of the library, whatever the getter's name says.
  bool GetLibraryListPath(EncodedString* out) const;
  bool GetGlobalConfigurationPath(EncodedString* out) const;
  bool GetBookmarkListPagePath(EncodedString* out) const;
  bool GetCartFilePath(EncodedString* out) const;
  bool GetCacheFilePath(EncodedString* out) const;
  bool GetInteractionsFilePath(EncodedString* out) const;
  bool GetHelpUrl(EncodedString* out) const;
  bool GetDefaultFontName(EncodedString* out) const;

  // The localised text, referred to without copying; false (and empty)
  // when the string table has none.
  bool LoadString(uint32_t stringId, SharedWideString* out) const;
  bool LoadStringInto(EncodedString* out, uint32_t stringId) const;
  // 12 French, 9 English.
  int32_t GetUiLanguage() const;

  // The tables of built-in defaults; 0 and white for keys they lack.
  int32_t GetDefaultSetting(uint32_t key) const;
  Color GetDefaultColor(uint32_t key) const;

  const EncodedString& programFolder() const { return programFolder_; }
  const EncodedString& dataFolder() const { return dataFolder_; }

 private:
  bool IsHighDensity() const;

  EncodedString programFolder_;
  EncodedString dataFolder_;
  const MainWindowHandleSource* mainWindow_;
};

// folder + name (the folders end in a backslash already), as UTF-16 with
// the whole text selected; true when not empty.
bool JoinDataFilePath(const EncodedString& folder, EncodedString* out, const WCHAR* name);
// The running program's folder, cut after the last backslash of its module
// file name.
bool GetProgramFolder(EncodedString* out);
// Deletes every "CorvellineAutogen*.qvg" in the folder.
void DeleteGeneratedPages(const EncodedString& folder);
void ShowInputPanel(bool show);
// True when the input panel is shown; its rectangle into `rect` when given.
bool GetInputPanelState(RECT* rect);
bool IsSmartphonePlatform();
bool IsNotSmartphonePlatform();
bool IsPlatformUnknown();
// Four CW_USEDEFAULT values.
void DefaultWindowRect(int32_t out[4]);

// What MoveBookToStorage asks of the document view: reload the book when it
// is the one shown, so that nothing holds it open while it moves.
class BookReloader {
 public:
  virtual void ReloadIfShown(const EncodedString& bookPath) = 0;

 protected:
  ~BookReloader() = default;
};

// Moves a book and its side file into the "ebooks" folder of a storage
// location; on success `bookPath` becomes the new path. A target folder
// that already holds a book of that name refuses the move and touches
// nothing (so the card's own side file is never overwritten).
bool MoveBookToStorage(EncodedString* bookPath, const EncodedString& storageRoot, BookReloader* view);
