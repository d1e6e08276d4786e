// The document loader: the cache and its lifetime, the recent list, error
// messages by code (once, and none when not reporting), files by
// extension, inner names of books turned into fragments, redirect and
// database commands, the state-3 rule for object databases, stream
// addresses, and reload checks.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "browser/loader/document_loader.h"
#include "browser/sources/book_source.h"
#include "index/books/book_index_services.h"
#include "index/database/database.h"
#include "platform/files/file_hooks.h"
#include "platform/core/kernel_object.h"
#include "platform/files/files.h"
#include "platform/testing/allocation.h"
#include "storage/documents/document_host.h"
#include "storage/side_file/book_parameter_file.h"
#include "tests/support/book_builder.h"
#include "tests/support/fake_document_host.h"
#include "tests/support/index_builder.h"
#include "tests/support/palm_database_builder.h"

namespace {

SharedWideString W(const std::u16string& text) { return SharedWideString(text.c_str()); }

std::u16string S(const SharedWideString& text) {
  return text.length == 0 ? std::u16string() : std::u16string(text.Chars(), text.length);
}

std::vector<uint8_t> Bytes(const std::string& text) { return {text.begin(), text.end()}; }

std::vector<uint8_t> SmallBook(const std::string& text = "<p>Book text</p>") {
  testbuild::BookRecipe recipe;
  recipe.text = testbuild::EncodeBookText(text, 1252);
  recipe.resourceRecords = 6;
  return testbuild::BuildBook(recipe).Bytes();
}

class TitleCatalogue : public LibraryCatalogue {
 public:
  void ScanAllLocations() override { ++scans; }
  bool FindPathByTitle(const SharedWideString& title, SharedWideString* path) override {
    if (S(title) != u"My Book") return false;
    *path = W(u"\\eBooks\\Vol #2.prc");
    return true;
  }
  void LookUpDocumentEntry(BookParameterFile*) override { ++lookUps; }
  void OnDriveAdded(const SharedWideString&, const SharedWideString&) override {}
  void OnDriveRemoved(const SharedWideString&) override {}
  void OnMediaInserted(const SharedWideString&) override {}
  void OnMediaRemoved(const SharedWideString&) override {}
  int scans = 0;
  int lookUps = 0;
};

class FolderEnvironment : public LoaderEnvironment {
 public:
  bool GetDatabaseFolder(SharedWideString* folder) override {
    *folder = W(u"\\database");
    return true;
  }
};

class LoaderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    host.SetApplication(&application);
    loader = std::make_unique<DocumentLoader>();
    loader->Bind(&host, &environment, &catalogue, ScriptPageServices());
  }

  Location At(const std::u16string& address) {
    Location location;
    EXPECT_TRUE(Location::Parse(&location, W(address), nullptr));
    return location;
  }
  DocumentSourcePtr LoadText(const std::u16string& address, bool* reported = nullptr, Location* out = nullptr) {
    Location location = At(address);
    DocumentSourcePtr source;
    source.Adopt(loader->Load(&location, reported));
    if (out != nullptr) *out = location;
    return source;
  }
  std::vector<uint32_t> Messages() const {
    std::vector<uint32_t> ids;
    for (const auto& call : application.calls) ids.push_back(call.stringId);
    return ids;
  }

  FakeDocumentHostApplication application;
  DocumentHost host;
  FolderEnvironment environment;
  TitleCatalogue catalogue;
  std::unique_ptr<DocumentLoader> loader;
};

TEST_F(LoaderTest, SameAddressWhileHeldGivesTheSameSource) {
  ASSERT_TRUE(testbuild::WriteDeviceFile(u"\\a.prc", SmallBook()));
  DocumentSourcePtr first = LoadText(u"\\a.prc");
  ASSERT_TRUE(first);
  EXPECT_EQ(first->GetLoader(), loader.get());
  DocumentSourcePtr again = LoadText(u"\\a.prc$40");
  EXPECT_EQ(again.Get(), first.Get()) << "the fragment plays no part";
  EXPECT_EQ(loader->CachedCount(), 1u);
  first.Reset();
  again.Reset();
  EXPECT_EQ(loader->CachedCount(), 0u);
  DocumentSourcePtr fresh = LoadText(u"\\a.prc");
  EXPECT_TRUE(fresh);
  EXPECT_EQ(loader->CachedCount(), 1u);
}

TEST_F(LoaderTest, RecentListKeepsTheLastSixDistinctBooksOldestFirst) {
  std::vector<DocumentSourcePtr> held;
  for (int i = 0; i < 7; ++i) {
    const std::u16string path = u"\\b" + std::u16string(1, static_cast<char16_t>(u'0' + i)) + u".prc";
    ASSERT_TRUE(testbuild::WriteDeviceFile(path, SmallBook()));
    held.push_back(LoadText(path));
    ASSERT_TRUE(held.back());
  }
  held.clear();
  // Loaded again after being released: already in the list.
  ASSERT_TRUE(LoadText(u"\\b6.prc"));
  const LocationList& recent = loader->GetRecentLocations();
  ASSERT_EQ(recent.Count(), 6u);
  for (uint32_t i = 0; i < 6; ++i) {
    EXPECT_EQ(S(recent.Get(i).url.text), u"\\b" + std::u16string(1, static_cast<char16_t>(u'1' + i)) + u".prc");
  }
}

TEST_F(LoaderTest, ErrorCodesGiveTheirMessagesOnce) {
  testbuild::BookRecipe newer;
  newer.text = testbuild::EncodeBookText("x", 1252);
  newer.headerVersion = 8;
  ASSERT_TRUE(testbuild::WriteDeviceFile(u"\\newer.prc", testbuild::BuildBook(newer).Bytes()));
  testbuild::BookRecipe oddSize;
  oddSize.text = testbuild::EncodeBookText("x", 1252);
  ASSERT_TRUE(testbuild::WriteDeviceFile(
      u"\\size.prc", testbuild::CorruptBookBytes(testbuild::BuildBook(oddSize),
                                                 testbuild::BookCorruption::kRecordSizeTooLarge)));
  ASSERT_TRUE(testbuild::WriteDeviceFile(u"\\junk.prc", Bytes("not a database at all")));
  const struct {
    const char16_t* address;
    uint32_t message;
  } cases[] = {{u"\\newer.prc", 5032}, {u"\\size.prc", 5041}, {u"\\junk.prc", 5025}};
  for (const auto& c : cases) {
    application.calls.clear();
    bool reported = false;
    EXPECT_FALSE(LoadText(c.address, &reported));
    EXPECT_TRUE(reported);
    EXPECT_EQ(Messages(), std::vector<uint32_t>{c.message}) << S(W(c.address)).size();
    // Quietly: nothing shown, and the caller shows nothing either.
    application.calls.clear();
    const DocumentLoader::Flags saved = loader->SetFlags(false, false);
    reported = false;
    EXPECT_FALSE(LoadText(c.address, &reported));
    EXPECT_TRUE(reported);
    EXPECT_TRUE(application.calls.empty());
    loader->RestoreFlags(saved);
  }
  // A missing file is no document error: the view says it could not open.
  application.calls.clear();
  bool reported = true;
  EXPECT_FALSE(LoadText(u"\\missing.prc", &reported));
  EXPECT_FALSE(reported);
  EXPECT_TRUE(application.calls.empty());
  // An object database that is there but cannot be opened is.
  ASSERT_TRUE(testbuild::WriteDeviceFile(u"\\locked.ebase", Bytes("x")));
  HANDLE exclusive = CreateFileW(u"\\locked.ebase", GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(exclusive, INVALID_HANDLE_VALUE);
  Location local = At(u"\\locked.ebase");
  local.url.state = kUrlLocalFile;
  DocumentSourcePtr none;
  none.Adopt(loader->Load(&local, &reported));
  EXPECT_FALSE(none);
  EXPECT_TRUE(reported);
  EXPECT_EQ(Messages().size(), 1u);
  CloseHandle(exclusive);
  EXPECT_EQ(LoadErrorString(7), 0u);
  EXPECT_EQ(LoadErrorString(12), 5035u);
  EXPECT_EQ(LoadErrorString(10), 5034u);
  EXPECT_EQ(LoadErrorString(1), 5023u);
}

TEST_F(LoaderTest, LackOfMemoryFailsCleanlyWithAtMostOneMessage) {
  ASSERT_TRUE(testbuild::WriteDeviceFile(u"\\mem.prc", SmallBook()));
  bool loaded = false;
  for (long n = 1; n < 300 && !loaded; ++n) {
    application.calls.clear();
    bool reported = false;
    DocumentSourcePtr source;
    Location location = At(u"\\mem.prc");
    {
      devtest::AllocationFailure failing(n);
      source.Adopt(loader->Load(&location, &reported));
    }
    loaded = static_cast<bool>(source);
    if (!loaded) {
      EXPECT_LE(application.calls.size(), 1u) << n;
      EXPECT_EQ(reported, !application.calls.empty()) << n;
    }
    source.Reset();
    EXPECT_EQ(loader->CachedCount(), 0u);
  }
  EXPECT_TRUE(loaded);
}

TEST_F(LoaderTest, FilesByExtension) {
  ASSERT_TRUE(testbuild::WriteDeviceFile(u"\\UPPER.PRC", SmallBook()));
  ASSERT_TRUE(testbuild::WriteDeviceFile(u"\\note.xyz", Bytes("whatever")));
  ASSERT_TRUE(testbuild::WriteDeviceFile(u"\\pic.GIF", Bytes("GIF89a")));
  EXPECT_TRUE(LoadText(u"\\UPPER.PRC"));
  bool reported = true;
  EXPECT_FALSE(LoadText(u"\\note.xyz", &reported));
  EXPECT_FALSE(reported) << "an unknown kind of file is the view's message";
  DocumentSourcePtr picture = LoadText(u"\\pic.GIF");
  ASSERT_TRUE(picture);
  EXPECT_TRUE(picture->HasEmbeddedStreams());
  EXPECT_TRUE(application.calls.empty());
}

TEST_F(LoaderTest, InternalBooksLoadAsCommands) {
  testbuild::BookRecipe recipe;
  recipe.text = testbuild::EncodeBookText("<p>x</p>", 1252);
  recipe.bookType = 900;
  ASSERT_TRUE(testbuild::WriteDeviceFile(u"\\inner.prc", testbuild::BuildBook(recipe).Bytes()));
  Location location;
  ASSERT_TRUE(LoadText(u"\\inner.prc", nullptr, &location));
  EXPECT_EQ(location.url.state, kUrlCommand);
}

// A book with links: "pos" a text position, "one" an entry in one record,
// "many" an entry in three records.
std::vector<uint8_t> BookWithLinks() {
  testbuild::BookRecipe recipe;
  recipe.text = testbuild::EncodeBookText("<p>Linked book</p>", 1252);
  recipe.resourceRecords = 8;
  testbuild::BuiltBook book = testbuild::BuildBook(recipe);
  testbuild::IndexRecipe links;
  const struct {
    const char* label;
    uint32_t kind;
    uint32_t first;
    uint32_t count;
  } rows[] = {{"many", 40, 2, 3}, {"one", 40, 4, 1}, {"pos", 0, 100, 20}};
  for (const auto& row : rows) {
    testbuild::IndexEntry entry;
    entry.label = Bytes(row.label);
    entry.values[69] = {row.kind};
    entry.values[5] = {0};
    entry.values[101] = {row.first, row.count};
    links.entries.push_back(entry);
  }
  links.valuesPerItem = {{101, 2}};
  testbuild::AddIndexToBook(book, testbuild::BuildIndexRecords(links), 8);
  return book.Bytes();
}

TEST_F(LoaderTest, InnerNamesBecomeFragmentsOfTheBook) {
  InstallBookIndexServices();
  ASSERT_TRUE(CreateDirectoryW(u"\\eBooks", nullptr));
  ASSERT_TRUE(testbuild::WriteDeviceFile(u"\\eBooks\\linked.prc", BookWithLinks()));
  const struct {
    const char16_t* address;
    const char16_t* fragment;
  } cases[] = {{u"\\eBooks\\linked.prc\\pos", u"##-pos100"},
               {u"\\eBooks\\linked.prc\\one", u"$5"},
               {u"\\eBooks\\linked.prc\\many?x=1", u"$eo=many"}};
  for (const auto& c : cases) {
    // As a book's link gives it: raw, the query kept as text.
    Location location;
    ASSERT_TRUE(location.url.Parse(W(c.address), true));
    DocumentSourcePtr source;
    source.Adopt(loader->Load(&location, nullptr));
    ASSERT_TRUE(source) << S(W(c.address)).size();
    EXPECT_EQ(S(location.fragment), c.fragment);
    SharedWideString path;
    ASSERT_TRUE(location.url.GetText(&path, false));
    EXPECT_EQ(S(path), u"\\eBooks\\linked.prc");
  }
  // An unknown inner name: null, and nothing was reported.
  bool reported = true;
  Location unknown;
  ASSERT_TRUE(unknown.url.Parse(W(u"\\eBooks\\linked.prc\\nothing"), false));
  EXPECT_EQ(loader->Load(&unknown, &reported), nullptr);
  EXPECT_FALSE(reported);
  EXPECT_TRUE(application.calls.empty());
}

TEST_F(LoaderTest, RedirectLoadsTheCataloguesBookUnderItsFileAddress) {
  ASSERT_TRUE(CreateDirectoryW(u"\\eBooks", nullptr));
  ASSERT_TRUE(testbuild::WriteDeviceFile(u"\\eBooks\\Vol #2.prc", SmallBook()));
  Location location;
  DocumentSourcePtr source = LoadText(u"oeb:library?title=My%20Book", nullptr, &location);
  ASSERT_TRUE(source);
  EXPECT_EQ(catalogue.scans, 1);
  EXPECT_EQ(location.url.state, kUrlPath);
  SharedWideString path;
  ASSERT_TRUE(location.url.GetText(&path, false));
  EXPECT_EQ(S(path), u"\\eBooks\\Vol #2.prc");
  EXPECT_FALSE(LoadText(u"oeb:redirect?title=Unknown"));
  EXPECT_FALSE(LoadText(u"oeb:redirect?other=1"));
}

TEST_F(LoaderTest, DatabaseAddressesMakeAnEmptyDatabaseOnlyWhenNoFileIsThere) {
  ASSERT_TRUE(CreateDirectoryW(u"\\database", nullptr));
  Location location;
  DocumentSourcePtr fresh = LoadText(u"oeb:database?name=notes", nullptr, &location);
  ASSERT_TRUE(fresh);
  EXPECT_EQ(fresh->GetSourceKind(), DocumentSource::kObjectDatabaseKind);
  EXPECT_TRUE(application.calls.empty());
  fresh.Reset();

  ASSERT_TRUE(testbuild::WriteDeviceFile(u"\\database\\words.ebase", Bytes("damaged database bytes")));
  bool reported = false;
  EXPECT_FALSE(LoadText(u"oeb:database?name=words", &reported));
  EXPECT_TRUE(reported);
  EXPECT_EQ(Messages(), std::vector<uint32_t>{5025});
  Location quiet = At(u"oeb:database?name=words");
  EXPECT_EQ(loader->LoadObjectDatabase(&quiet), nullptr);
  EXPECT_EQ(Messages().size(), 1u) << "object databases load quietly";
}

TEST_F(LoaderTest, StreamsByAddress) {
  ASSERT_TRUE(testbuild::WriteDeviceFile(u"\\s.prc", SmallBook()));
  ASSERT_TRUE(testbuild::WriteDeviceFile(u"\\tone.ogg", Bytes("OggS....")));
  DocumentStreamPtr byNumber;
  byNumber.Adopt(loader->OpenStreamByText(W(u"\\s.prc$2"), nullptr));
  EXPECT_TRUE(byNumber);
  Url base;
  ASSERT_TRUE(base.Parse(W(u"\\s.prc"), true));
  DocumentStreamPtr relative;
  relative.Adopt(loader->OpenStreamByText(W(u"tone.ogg$0"), &base));
  ASSERT_TRUE(relative);
  EXPECT_EQ(relative->GetLength(), 8u);
  DocumentStreamPtr none;
  none.Adopt(loader->OpenStreamByText(W(u"\\s.prc$table=nothing"), nullptr));
  EXPECT_FALSE(none);
}

TEST_F(LoaderTest, NeedsReloadAfterTheWriteTimeChangesAndOnlyUnderThePath) {
  ASSERT_TRUE(CreateDirectoryW(u"\\Storage Card\\books", nullptr));
  ASSERT_TRUE(testbuild::WriteDeviceFile(u"\\Storage Card\\books\\r.prc", SmallBook()));
  DocumentSourcePtr source = LoadText(u"\\Storage Card\\books\\r.prc");
  ASSERT_TRUE(source);
  EXPECT_FALSE(loader->NeedsReload(W(u"\\storage card"), false));
  EXPECT_TRUE(loader->NeedsReload(W(u"\\storage card"), true));
  EXPECT_TRUE(loader->NeedsReload(W(u"\\Storage Card\\"), true));
  EXPECT_FALSE(loader->NeedsReload(W(u"\\Storage Car"), true)) << "the prefix must end at a separator";
  EXPECT_FALSE(loader->NeedsReload(W(u"\\Storage Card\\books\\r.pr"), true));
  // A new write time.
  const std::filesystem::path host = devtest::HostPath(u"\\Storage Card\\books\\r.prc");
  std::filesystem::last_write_time(host, std::filesystem::last_write_time(host) + std::chrono::hours(1));
  EXPECT_TRUE(loader->NeedsReload(W(u"\\Storage Card"), false));
}

TEST_F(LoaderTest, DestroyingTheLoaderWhileSourcesAreHeldIsClean) {
  ASSERT_TRUE(testbuild::WriteDeviceFile(u"\\held.prc", SmallBook()));
  DocumentSourcePtr held = LoadText(u"\\held.prc");
  ASSERT_TRUE(held);
  loader.reset();
  EXPECT_EQ(held->GetLoader(), nullptr);
  held.Reset();  // must not reach the freed loader
}

TEST_F(LoaderTest, SideFilesAreFoundByBookPathAndForgottenWhenClosed) {
  ASSERT_TRUE(testbuild::WriteDeviceFile(u"\\side.prc", SmallBook()));
  EncodedString bookPath;
  ASSERT_TRUE(bookPath.FromWide(u"\\side.prc"));
  auto* sideFile = new BookParameterFile();
  ASSERT_EQ(sideFile->Create(bookPath, "side", 4, false, true, false), RecordResult::kOk);
  ASSERT_TRUE(loader->RegisterSideFile(sideFile, nullptr));
  BookParameterFile* found = loader->FindSideFile(W(u"\\SIDE.prc"));
  EXPECT_EQ(found, sideFile);
  EXPECT_EQ(sideFile->ReferenceCount(), 2);
  EXPECT_EQ(loader->FindSideFile(W(u"\\other.prc")), nullptr);
  found->Release();
  sideFile->Release();
  EXPECT_EQ(catalogue.lookUps, 1);
  EXPECT_EQ(loader->SideFileCount(), 0u);

  // A side file still open when the loader goes no longer calls it.
  auto* late = new BookParameterFile();
  ASSERT_EQ(late->Create(bookPath, "side", 4, false, true, false), RecordResult::kOk);
  ASSERT_TRUE(loader->RegisterSideFile(late, nullptr));
  loader.reset();
  EXPECT_EQ(late->CloseListener(), nullptr);
  late->Release();
}

}  // namespace
