// The loader's cart pages ("oeb:cart?name=...&title=...[&action=...]"):
// without an action the form log's cart is written as a generated page;
// with the action (only for the cart "interactions") the drug-interaction
// book named by the global settings is searched for the cart's items and
// the interactions found are written instead. Either page is a small book
// that is opened like any other. Every failure answers null quietly: the
// view then says the page could not be opened.
#include "browser/loader/document_loader.h"

#include "browser/sources/book_source.h"
#include "foundation/encoded_string/encoded_string.h"
#include "storage/documents/document.h"
#include "storage/settings/global_settings_file.h"

namespace {

constexpr int32_t kSourceCodePage = 1252;
constexpr int32_t kTargetCodePage = 65002;

// The decoded value of a query argument; empty when absent.
SharedWideString Argument(const Url& url, int32_t code) {
  SharedWideString value;
  if (FindQueryArgument(url.text, code, &value) && !PercentDecode(value, &value)) value.Clear();
  return value;
}

bool EqualsAscii(const SharedWideString& text, const char* ascii) {
  uint32_t i = 0;
  for (; ascii[i] != '\0'; ++i) {
    if (i >= text.length || text.Chars()[i] != static_cast<WCHAR>(ascii[i])) return false;
  }
  return i == text.length;
}

// Deletes what the maker made when the scope ends.
template <typename T>
class Owned {
 public:
  explicit Owned(T* object) : object_(object) {}
  ~Owned() { delete object_; }
  Owned(const Owned&) = delete;
  Owned& operator=(const Owned&) = delete;
  T* Get() const { return object_; }

 private:
  T* object_;
};

}  // namespace

DocumentSource* DocumentLoader::CartPage(const Url& url, bool* reported, int32_t depth) {
  if (formLog_ == nullptr || cartMaker_ == nullptr) return nullptr;
  const SharedWideString name = Argument(url, kQueryName);
  const SharedWideString title = Argument(url, kQueryTitle);
  SharedWideString action;
  const bool hasAction = FindQueryArgument(url.text, kQueryAction, &action);
  if (hasAction && !EqualsAscii(name, "interactions")) return nullptr;
  Cart* cart = formLog_->GetCart(name);
  if (cart == nullptr) return nullptr;
  Owned<InteractionPageWriter> writer(cartMaker_->CreatePageWriter());
  if (writer.Get() == nullptr) return nullptr;
  if (hasAction) return InteractionsPage(cart, writer.Get(), title, reported, depth);
  if (writer.Get()->WriteCartPage(cart, title) != 0) return nullptr;
  return OpenWrittenPage(writer.Get());
}

DocumentSource* DocumentLoader::InteractionsPage(Cart* cart, InteractionPageWriter* writer,
                                                 const SharedWideString& title, bool* reported, int32_t depth) {
  // The drug-interaction book the settings name.
  EncodedString stored;
  SharedWideString address;
  if (settingsFile_ == nullptr || settingsFile_->GetText252(&stored) != RecordResult::kOk ||
      !address.AssignEncodedString(stored) || address.IsEmpty() || depth >= kMaxRestarts) {
    return nullptr;
  }
  Location location;
  if (!Location::Parse(&location, address, nullptr)) return nullptr;
  DocumentSourcePtr book;
  book.Adopt(LoadBounded(&location, reported, depth + 1));
  DocumentHeaderInfo info;
  if (!book || book->GetDocument() == nullptr || !book->GetDocument()->GetHeaderInfo(&info)) return nullptr;

  Owned<InteractionSearch> search(cartMaker_->CreateInteractionSearch());
  if (search.Get() == nullptr) return nullptr;
  search.Get()->SetCart(cart);
  if (search.Get()->RunQuery(info.store, info.extraIndexRecords[0], info.extraIndexRecords[1],
                             info.extraIndexRecords[2]) != 0) {
    search.Get()->Clear();
    return nullptr;
  }
  bool error = false;
  search.Get()->Run(&error);
  if (error) {
    search.Get()->Clear();
    return nullptr;
  }
  const int32_t written = writer->WriteInteractionPage(search.Get(), title);
  search.Get()->Clear();
  if (written != 0) return nullptr;
  return OpenWrittenPage(writer);
}

DocumentSource* DocumentLoader::OpenWrittenPage(InteractionPageWriter* writer) {
  PalmDatabase* store = writer->Close();
  if (store == nullptr) return nullptr;
  BookSource* page = nullptr;
  BookSource::Create(store, host_, &page, kSourceCodePage, kTargetCodePage);  // takes the store over
  return page;
}
