// DocumentLoader: turns a Location into a DocumentSource. It answers from
// its cache of live sources, else loads by the address's state: redirect
// and database commands are rewritten into file addresses and loaded again,
// paths are followed into books (inner links, script pages), and local
// files are opened by their extension (Palm databases become object
// databases or books; HTML, text, pictures and audio become file sources).
// It keeps the last six distinct locations it loaded, and turns document
// error codes into messages.
#pragma once

#include <cstdint>

#include "browser/addresses/location.h"
#include "browser/loader/cart_pages.h"
#include "browser/loader/library_catalogue.h"
#include "foundation/containers/segmented_array_typed.h"
#include "script/pages/script_page_build.h"
#include "storage/sources/document_source.h"
#include "storage/side_file/document_close_listener.h"
#include "storage/sources/document_source_cache.h"

class Database;
class DocumentHost;
class GlobalSettingsFile;

// What the loader needs of the application's folders.
class LoaderEnvironment {
 public:
  // The folder of object databases (made when missing); false when it
  // cannot be had.
  virtual bool GetDatabaseFolder(SharedWideString* folder) = 0;
  // The folder the generated side pages are written to; false when there
  // is none.
  virtual bool GetDataFolder(SharedWideString*) { return false; }

 protected:
  ~LoaderEnvironment() = default;
};

// What the loader's script pages are bound to (all may be null).
struct ScriptPageServices {
  ScriptValueStore* valueStore = nullptr;
  ScriptAppEnvironment* environment = nullptr;
  ScriptErrorReporter* errorReporter = nullptr;
  ScriptPageLayoutMaker* layoutMaker = nullptr;
};

class DocumentLoader final : public DocumentSourceCache, public DocumentCloseListener, public ScriptPageLoader {
 public:
  static constexpr uint32_t kRecentLocations = 6;
  // Redirect and script-page restarts of one load at most.
  static constexpr int32_t kMaxRestarts = 8;

  struct Flags {
    bool reportErrors;
    bool secondFlag;
  };

  DocumentLoader();
  ~DocumentLoader();
  DocumentLoader(const DocumentLoader&) = delete;
  DocumentLoader& operator=(const DocumentLoader&) = delete;

  // Any of them may be null (no messages, no database folder, no library,
  // no script pages).
  bool Bind(DocumentHost* host, LoaderEnvironment* environment, LibraryCatalogue* catalogue,
            const ScriptPageServices& scripts);

  // What cart pages need (any may be null: then no cart page loads).
  void BindCartPages(OfflineFormLog* formLog, GlobalSettingsFile* settings, CartPageMaker* maker);

  Flags SetFlags(bool reportErrors, bool secondFlag);
  Flags RestoreFlags(Flags flags) { return SetFlags(flags.reportErrors, flags.secondFlag); }

  // The source of the location, counted for the caller, or null. *reported
  // (optional) is true when the user has been told of the failure, or
  // errors are not to be reported. A redirect or database address is
  // rewritten into the file address it names.
  DocumentSource* Load(Location* location, bool* reported);
  // The live source loaded under the location's Url, counted, or null.
  DocumentSource* FindCached(const Location& location);
  // Loads quietly; the object database of the location, counted, or null.
  Database* LoadObjectDatabase(Location* location);
  // The stream the location's fragment names ("$" + number or name) in
  // the document it loads, counted, or null.
  DocumentStream* OpenStream(Location* location);
  DocumentStream* OpenStreamByText(const SharedWideString& text, const Url* base);
  // Whether a cached source lives under the path (a folder or a storage
  // card covers every source under it) and is forced or out of date.
  bool NeedsReload(const SharedWideString& path, bool force);

  const LocationList& GetRecentLocations() const { return recent_; }
  // The library the loader was bound to (a catalogue that finds nothing
  // without one).
  LibraryCatalogue* GetCatalogue() const { return catalogue_; }
  GlobalSettingsFile* GetSettingsFile() const { return settingsFile_; }

  // The open side file of the book at the path (ASCII case ignored),
  // counted, or null.
  BookParameterFile* FindSideFile(const SharedWideString& bookPath);
  // Keeps the side file (not counted) until it closes, and listens to it.
  bool RegisterSideFile(BookParameterFile* sideFile, DocumentSource* source);
  // DocumentCloseListener: the catalogue looks the book's entry up, then
  // the side file is forgotten.
  void OnSideFileClosed(BookParameterFile* sideFile) override;
  uint32_t SideFileCount() const { return sideFiles_.Count(); }
  uint32_t CachedCount() const { return cache_.Count(); }

  void OnDriveAdded(const SharedWideString& path, const SharedWideString& name) {
    catalogue_->OnDriveAdded(path, name);
  }
  void OnDriveRemoved(const SharedWideString& path) { catalogue_->OnDriveRemoved(path); }
  void OnMediaInserted(const SharedWideString& path) { catalogue_->OnMediaInserted(path); }
  void OnMediaRemoved(const SharedWideString& path) { catalogue_->OnMediaRemoved(path); }

  // DocumentSourceCache
  void Uncache(DocumentSource* source) override;

  // ScriptPageLoader
  ScriptValueStore* GetValueStore() override { return scripts_.valueStore; }
  ScriptAppEnvironment* GetEnvironment() override { return scripts_.environment; }
  ScriptPageEnvironment** PageEnvironmentSlot() override { return &pageEnvironment_; }
  void ShowMessage(int32_t stringId) override;
  bool ResolveAddress(const SharedWideString& base, const SharedWideString& target,
                      SharedWideString* resolved) override;
  ScriptErrorReporter* GetErrorReporter() override { return scripts_.errorReporter; }
  ScriptPageLayoutMaker* GetLayoutMaker() override { return scripts_.layoutMaker; }

 private:
  DocumentSource* LoadBounded(Location* location, bool* reported, int32_t depth);
  DocumentSource* LoadByKind(Location* location, bool* reported, int32_t depth);
  DocumentSource* LoadPath(Location* location, bool* reported, int32_t depth);
  DocumentSource* LoadLocalFile(Location* location, bool* reported);
  DocumentSource* LoadPalmDatabase(Location* location, const SharedWideString& path, bool* reported);
  bool CommandPage(Url* url);
  // "oeb:cart": the cart, or the interactions of its items, written as a
  // generated book and opened.
  DocumentSource* CartPage(const Url& url, bool* reported, int32_t depth);
  DocumentSource* InteractionsPage(Cart* cart, InteractionPageWriter* writer, const SharedWideString& title,
                                   bool* reported, int32_t depth);
  // The written page opened as a book; null when nothing was written.
  DocumentSource* OpenWrittenPage(InteractionPageWriter* writer);
  void DeleteDataFolderPages();
  // Shows the message of a document error code (when reporting).
  void ReportError(int32_t code, bool* reported);
  bool Cache(DocumentSource* source, const Location& location);

  // A live source with the address it was loaded under and its file's
  // write time then (0 when it has no file).
  struct CacheEntry {
    DocumentSource* source = nullptr;
    Url url;
    uint64_t writeTime = 0;
  };

  NullLibraryCatalogue nullCatalogue_;
  LibraryCatalogue* catalogue_ = &nullCatalogue_;
  bool reportErrors_ = true;
  bool secondFlag_ = true;
  DocumentHost* host_ = nullptr;
  LoaderEnvironment* environment_ = nullptr;
  OfflineFormLog* formLog_ = nullptr;
  GlobalSettingsFile* settingsFile_ = nullptr;
  CartPageMaker* cartMaker_ = nullptr;
  ScriptPageServices scripts_;
  SegmentedTypedArray<CacheEntry> cache_;  // not counted: a source leaves on its death
  LocationList recent_;
  SegmentedTypedArray<BookParameterFile*> sideFiles_;  // not counted: each leaves as it closes
  ScriptPageEnvironment* pageEnvironment_ = nullptr;
};

// The message string of a document error code; 0 for a code without one.
uint32_t LoadErrorString(int32_t code);
