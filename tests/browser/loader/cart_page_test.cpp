// The loader's cart pages: the cart written as a generated book and opened;
// the interactions page over the drug book the settings name, refused for
// any other cart and when a cart item is unknown; nothing without the page
// elements' maker; the generated pages deleted when the loader starts and
// goes.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "browser/loader/document_loader.h"
#include "browser/loader/generated_pages.h"
#include "foundation/encoded_string/encoded_string.h"
#include "foundation/files/file_mode.h"
#include "platform/files/files.h"
#include "storage/container/stream_factory.h"
#include "storage/documents/document.h"
#include "storage/documents/document_host.h"
#include "storage/settings/global_settings_file.h"
#include "tests/support/book_builder.h"
#include "tests/support/fake_document_host.h"
#include "tests/support/palm_database_builder.h"

class Cart {
 public:
  std::u16string name;
};

namespace {

SharedWideString W(const std::u16string& text) { return SharedWideString(text.c_str()); }
std::u16string S(const SharedWideString& text) {
  return text.length == 0 ? std::u16string() : std::u16string(text.Chars(), text.length);
}

constexpr const char16_t* kCartPage = u"\\data\\CorvellineAutogenCart.qvg";
constexpr const char16_t* kInteractionsPage = u"\\data\\CorvellineAutogenInteract.qvg";

std::vector<uint8_t> PageBook(const std::string& text, uint32_t headerVersion = 6) {
  testbuild::BookRecipe recipe;
  recipe.text = testbuild::EncodeBookText(text, 1252);
  recipe.headerVersion = headerVersion;
  recipe.bookType = 774;
  return testbuild::BuildBook(recipe).Bytes();
}

bool Exists(const std::u16string& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

struct Journal {
  std::vector<std::string> calls;
};

// Writes a small book into the data folder for each page and opens it.
class FakeWriter : public InteractionPageWriter {
 public:
  FakeWriter(Journal* journal, int32_t answer) : journal_(journal), answer_(answer) {}
  ~FakeWriter() override { journal_->calls.push_back("writer deleted"); }
  int32_t WriteCartPage(Cart* cart, const SharedWideString& title) override {
    journal_->calls.push_back("cart page " + Narrow(cart->name) + " / " + Narrow(S(title)));
    path_ = kCartPage;
    return Write("<p>cart</p>");
  }
  int32_t WriteInteractionPage(InteractionSearch*, const SharedWideString& title) override {
    journal_->calls.push_back("interactions page / " + Narrow(S(title)));
    path_ = kInteractionsPage;
    return Write("<p>interactions</p>");
  }
  PalmDatabase* Close() override {
    journal_->calls.push_back("close");
    if (path_.empty() || answer_ != 0) return nullptr;
    int32_t error = 0;
    return OpenRecordDatabase(path_.c_str(), kFileModeRead | kFileModeOpenExisting, 0, 0, &error);
  }

 private:
  static std::string Narrow(const std::u16string& text) { return std::string(text.begin(), text.end()); }
  int32_t Write(const std::string& text) {
    if (answer_ != 0) return answer_;
    return testbuild::WriteDeviceFile(path_, PageBook(text)) ? 0 : 1;
  }
  Journal* journal_;
  int32_t answer_;
  std::u16string path_;
};

class FakeSearch : public InteractionSearch {
 public:
  FakeSearch(Journal* journal, int32_t queryAnswer, bool runError)
      : journal_(journal), queryAnswer_(queryAnswer), runError_(runError) {}
  ~FakeSearch() override { journal_->calls.push_back("search deleted"); }
  void SetCart(Cart* cart) override { cart_ = cart; }
  int32_t RunQuery(PalmDatabase* store, uint32_t, uint32_t, uint32_t) override {
    journal_->calls.push_back(store != nullptr && cart_ != nullptr ? "query" : "query without store or cart");
    return queryAnswer_;
  }
  bool Run(bool* error) override {
    journal_->calls.push_back("run");
    *error = runError_;
    return !runError_;
  }
  void Clear() override { journal_->calls.push_back("clear"); }

 private:
  Journal* journal_;
  Cart* cart_ = nullptr;
  int32_t queryAnswer_;
  bool runError_;
};

class FakeMaker : public CartPageMaker, public OfflineFormLog {
 public:
  InteractionPageWriter* CreatePageWriter() override { return new FakeWriter(&journal, writeAnswer); }
  InteractionSearch* CreateInteractionSearch() override {
    return new FakeSearch(&journal, queryAnswer, runError);
  }
  Cart* GetCart(const SharedWideString& name) override {
    if (cart.name.empty()) cart.name = S(name);  // made on first use, the same cart after
    return &cart;
  }

  Journal journal;
  Cart cart;
  int32_t writeAnswer = 0;
  int32_t queryAnswer = 0;
  bool runError = false;
};

class DataEnvironment : public LoaderEnvironment {
 public:
  bool GetDatabaseFolder(SharedWideString*) override { return false; }
  bool GetDataFolder(SharedWideString* folder) override {
    *folder = W(u"\\data\\");
    return true;
  }
};

class CartPageTest : public ::testing::Test {
 protected:
  void SetUp() override {
    CreateDirectoryW(u"\\data", nullptr);
    host.SetApplication(&application);
    loader = std::make_unique<DocumentLoader>();
    loader->Bind(&host, &environment, nullptr, ScriptPageServices());
    EncodedString path;
    path.FromWide(u"\\settings.qvr");
    ASSERT_EQ(settings.OpenOrCreate(path, false), RecordResult::kOk);
    loader->BindCartPages(&maker, &settings, &maker);
  }

  DocumentSourcePtr Load(const std::u16string& address, bool* reported = nullptr) {
    Location location;
    EXPECT_TRUE(Location::Parse(&location, W(address), nullptr));
    DocumentSourcePtr source;
    source.Adopt(loader->Load(&location, reported));
    return source;
  }

  void NameInteractionsBook(const std::u16string& path) {
    std::vector<uint8_t> bytes(reinterpret_cast<const uint8_t*>(path.data()),
                               reinterpret_cast<const uint8_t*>(path.data() + path.size()));
    ASSERT_EQ(settings.SetText252(bytes.data(), static_cast<uint32_t>(bytes.size())), RecordResult::kOk);
  }

  FakeDocumentHostApplication application;
  DocumentHost host;
  DataEnvironment environment;
  GlobalSettingsFile settings;
  FakeMaker maker;
  std::unique_ptr<DocumentLoader> loader;
};

TEST_F(CartPageTest, TheCartIsWrittenAndOpenedAsABook) {
  DocumentSourcePtr page = Load(u"oeb:cart?name=drugs&title=My%20cart");
  ASSERT_TRUE(page);
  ASSERT_NE(page->GetDocument(), nullptr);
  EXPECT_EQ(page->GetDocument()->GetBookType(), 774u);
  EXPECT_EQ(maker.journal.calls,
            (std::vector<std::string>{"cart page drugs / My cart", "close", "writer deleted"}));
  EXPECT_EQ(loader->CachedCount(), 1u);
  EXPECT_TRUE(application.calls.empty());
}

TEST_F(CartPageTest, InteractionsAreSearchedInTheBookTheSettingsName) {
  ASSERT_TRUE(testbuild::WriteDeviceFile(u"\\drugs.prc", PageBook("<p>drug book</p>", 3)));
  NameInteractionsBook(u"\\drugs.prc");
  DocumentSourcePtr page = Load(u"oeb:cart?name=interactions&title=Found&action=check");
  ASSERT_TRUE(page);
  EXPECT_EQ(maker.journal.calls, (std::vector<std::string>{"query", "run", "interactions page / Found", "clear",
                                                           "close", "search deleted", "writer deleted"}));
}

TEST_F(CartPageTest, FailuresAnswerNullQuietly) {
  ASSERT_TRUE(testbuild::WriteDeviceFile(u"\\drugs.prc", PageBook("<p>drug book</p>", 3)));
  ASSERT_TRUE(testbuild::WriteDeviceFile(u"\\old.prc", PageBook("<p>old</p>", 2)));
  struct Case {
    const char* what;
    std::u16string address;
    std::u16string settingsPath;  // empty: none stored
    int32_t writeAnswer = 0;
    int32_t queryAnswer = 0;
    bool runError = false;
  };
  const Case cases[] = {
      {"no interactions book in the settings", u"oeb:cart?name=interactions&action=check", u""},
      {"an action on another cart", u"oeb:cart?name=drugs&action=check", u"\\drugs.prc"},
      {"the interactions book is missing", u"oeb:cart?name=interactions&action=check", u"\\none.prc"},
      {"a book without header information", u"oeb:cart?name=interactions&action=check", u"\\old.prc"},
      {"the indexes do not open", u"oeb:cart?name=interactions&action=check", u"\\drugs.prc", 0, 1},
      {"an item is no known drug", u"oeb:cart?name=interactions&action=check", u"\\drugs.prc", 0, 0, true},
      {"the writer fails", u"oeb:cart?name=drugs", u"", 5},
      {"the settings name a cart page", u"oeb:cart?name=interactions&action=check",
       u"oeb:cart?name=interactions&action=x"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    loader = std::make_unique<DocumentLoader>();
    loader->Bind(&host, &environment, nullptr, ScriptPageServices());
    loader->BindCartPages(&maker, &settings, &maker);
    if (!c.settingsPath.empty()) NameInteractionsBook(c.settingsPath);
    maker.writeAnswer = c.writeAnswer;
    maker.queryAnswer = c.queryAnswer;
    maker.runError = c.runError;
    bool reported = true;
    EXPECT_FALSE(Load(c.address, &reported));
    EXPECT_FALSE(reported) << "the view reports the failure itself";
    EXPECT_EQ(loader->CachedCount(), 0u);
  }
  EXPECT_TRUE(application.calls.empty());
}

TEST_F(CartPageTest, NoCartPageWithoutThePageElements) {
  DocumentLoader bare;
  bare.Bind(&host, &environment, nullptr, ScriptPageServices());
  Location location;
  ASSERT_TRUE(Location::Parse(&location, W(u"oeb:cart?name=drugs"), nullptr));
  EXPECT_EQ(bare.Load(&location, nullptr), nullptr);
  EXPECT_TRUE(maker.journal.calls.empty());
}

TEST_F(CartPageTest, GeneratedPagesGoWhenTheLoaderStartsAndEnds) {
  const std::vector<uint8_t> bytes = PageBook("<p>x</p>");
  ASSERT_TRUE(testbuild::WriteDeviceFile(kCartPage, bytes));
  ASSERT_TRUE(testbuild::WriteDeviceFile(u"\\data\\CorvellineAutogenOther.qvg", bytes));
  ASSERT_TRUE(testbuild::WriteDeviceFile(u"\\data\\Corvelline.qvg", bytes));
  ASSERT_TRUE(testbuild::WriteDeviceFile(u"\\data\\CorvellineAutogenCart.prc", bytes));
  {
    DocumentLoader starting;
    starting.Bind(&host, &environment, nullptr, ScriptPageServices());
    EXPECT_FALSE(Exists(kCartPage));
    EXPECT_FALSE(Exists(u"\\data\\CorvellineAutogenOther.qvg"));
    EXPECT_TRUE(Exists(u"\\data\\Corvelline.qvg"));
    EXPECT_TRUE(Exists(u"\\data\\CorvellineAutogenCart.prc"));
    starting.BindCartPages(&maker, &settings, &maker);
    Location location;
    ASSERT_TRUE(Location::Parse(&location, W(u"oeb:cart?name=drugs"), nullptr));
    DocumentSourcePtr page;
    page.Adopt(starting.Load(&location, nullptr));
    ASSERT_TRUE(page);
    EXPECT_TRUE(Exists(kCartPage));
  }
  EXPECT_FALSE(Exists(kCartPage)) << "deleted as the loader went";
  DeleteGeneratedPages(SharedWideString());  // no folder: nothing happens
}

}  // namespace
