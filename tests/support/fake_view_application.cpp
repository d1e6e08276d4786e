#include "tests/support/fake_view_application.h"

#include <cstdio>
#include <string>

#include "browser/addresses/location.h"
#include "foundation/language/localized_strings.h"

namespace {

std::u16string Text(const SharedWideString& text) {
  return text.length == 0 ? std::u16string() : std::u16string(reinterpret_cast<const char16_t*>(text.Chars()), text.length);
}

std::string Narrow(const std::u16string& text) {
  std::string out;
  for (char16_t c : text) out += c < 0x80 ? static_cast<char>(c) : '?';
  return out;
}

}  // namespace

void FakeViewEnvironment::LoadString(SharedWideString* text, uint32_t stringId) {
  text->Clear();
  auto found = texts.find(stringId);
  if (found != texts.end()) {
    text->FromChars(reinterpret_cast<const WCHAR*>(found->second.data()), static_cast<uint32_t>(found->second.size()));
    return;
  }
  const WCHAR* stored = LoadLocalizedString(stringId);
  if (stored == nullptr) return;
  uint32_t n = 0;
  while (stored[n] != 0) ++n;
  text->FromChars(stored, n);
}

int32_t FakeViewEnvironment::GetDefaultSetting(int32_t key) {
  auto found = settings.find(key);
  return found == settings.end() ? 0 : found->second;
}

bool FakeViewEnvironment::GetDatabaseFolder(SharedWideString* folder) {
  return folder->FromChars(reinterpret_cast<const WCHAR*>(databaseFolder.data()),
                           static_cast<uint32_t>(databaseFolder.size()));
}

bool FakeViewPreferences::SetFontSize(int32_t size) {
  if (size < minTextSize || size > maxTextSize) return false;
  textSize = size;
  return true;
}

std::u16string FakeViewApplication::LoadText(uint32_t stringId) {
  SharedWideString text;
  if (environment_ != nullptr) {
    environment_->LoadString(&text, stringId);
  } else if (const WCHAR* stored = LoadLocalizedString(stringId)) {
    uint32_t n = 0;
    while (stored[n] != 0) ++n;
    text.FromChars(stored, n);
  }
  return Text(text);
}

void FakeViewApplication::Record(const char* what, int32_t caption, int32_t kind, int32_t number,
                                 const SharedWideString& text) {
  Event event;
  event.what = what;
  event.caption = caption;
  event.kind = kind;
  event.number = number;
  event.text = Text(text);
  if (echo && event.what == "message") std::fprintf(stderr, "message: %s\n", Narrow(event.text).c_str());
  events.push_back(std::move(event));
}

std::vector<FakeViewApplication::Event> FakeViewApplication::Messages() const {
  std::vector<Event> out;
  for (const Event& event : events)
    if (event.what == "message") out.push_back(event);
  return out;
}

std::vector<int32_t> FakeViewApplication::Commands(const char* what) const {
  std::vector<int32_t> out;
  for (const Event& event : events)
    if (event.what == what) out.push_back(event.number);
  return out;
}

int FakeViewApplication::Count(const char* what) const {
  int n = 0;
  for (const Event& event : events) n += event.what == what ? 1 : 0;
  return n;
}

bool FakeViewApplication::MessageBox(int32_t captionId, const SharedWideString& text, int32_t kind) {
  Record("message", captionId, kind, -1, text);
  return answer;
}

bool FakeViewApplication::ShowMessage(int32_t captionId, uint32_t stringId, int32_t kind) {
  const std::u16string text = LoadText(stringId);
  SharedWideString shown;
  shown.FromChars(reinterpret_cast<const WCHAR*>(text.data()), static_cast<uint32_t>(text.size()));
  Record("message", captionId, kind, static_cast<int32_t>(stringId), shown);
  return answer;
}

bool FakeViewApplication::ShowFormattedMessage(int32_t captionId, uint32_t stringId, int32_t kind,
                                               const SharedWideString* arguments, uint32_t count) {
  const std::u16string format = LoadText(stringId);
  SharedWideString pattern;
  pattern.FromChars(reinterpret_cast<const WCHAR*>(format.data()), static_cast<uint32_t>(format.size()));
  SharedWideString shown;
  if (!pattern.FormatPositional(arguments, count, &shown)) shown = pattern;
  Record("message", captionId, kind, static_cast<int32_t>(stringId), shown);
  return answer;
}

void FakeViewApplication::ShowTextPopup(const SharedWideString& text, int32_t mode, Point point) {
  Record("tip", -1, mode, 0, text);
  events.back().point = point;
}

void FakeViewApplication::ShowNotePopup(uint32_t mark, int32_t* word) {
  if (word != nullptr) *word = 0;
  Record("note", -1, 0, static_cast<int32_t>(mark), SharedWideString());
}

void FakeViewApplication::ShowSavedLookup(const uint8_t*, uint32_t length) {
  Record("lookup", -1, 0, static_cast<int32_t>(length), SharedWideString());
}

void FakeViewApplication::ExecuteCommand(int32_t command, int32_t fromQueue) {
  Record("execute", -1, fromQueue, command, SharedWideString());
}

void FakeViewApplication::PostCommand(int32_t command) { Record("post", -1, 0, command, SharedWideString()); }

void FakeViewApplication::ShowLibrary() { Record("library", -1, 0, 0, SharedWideString()); }

void FakeViewApplication::ShowAnnotations() { Record("annotations", -1, 0, 0, SharedWideString()); }

void FakeViewApplication::ApplyProgressBarSetting() { Record("progress", -1, 0, 0, SharedWideString()); }

void FakeViewApplication::OnDocumentShown(DocumentSource*, int32_t elementKind) {
  Record("shown", -1, 0, elementKind, SharedWideString());
}

void FakeViewApplication::OnSelectionMade(DocumentView*, uint32_t start, uint32_t, const SharedWideString& text,
                                          uint32_t, uint32_t, Point) {
  Record("selection", -1, 0, static_cast<int32_t>(start), text);
}

void FakeViewApplication::ResumeAudio() { Record("resume", -1, 0, 0, SharedWideString()); }

bool FakeViewApplication::OpenInWordProcessor(const SharedWideString& program, const SharedWideString& text) {
  programText = Text(text);
  Record("program", -1, 0, 0, program);
  return answer;
}

bool FakeViewApplication::OpenInSystemBrowser(const SharedWideString& address) {
  Record("system browser", -1, 0, 0, address);
  return answer;
}

bool FakeViewApplication::ShowFormattedMessage(int32_t captionId, uint32_t stringId, int32_t kind,
                                               const SharedWideString& argument) {
  return ShowFormattedMessage(captionId, stringId, kind, &argument, 1);
}

void FakeViewApplication::ShowWaitMessage(uint32_t stringId) {
  Record("wait", -1, 0, static_cast<int32_t>(stringId), SharedWideString());
}

void FakeViewApplication::CloseWaitMessage() { Record("wait-end", -1, 0, 0, SharedWideString()); }

void FakeViewApplication::OpenUrl(const Location& location) {
  SharedWideString text;
  Location::GetText(location, &text);
  Record("open", -1, 0, 0, text);
}

void FakeViewApplication::RecordCall(const char* what, int32_t number, const SharedWideString& text,
                                     const SharedWideString& second, const SharedWideString& third, Point point) {
  Record(what, -1, 0, number, text);
  events.back().second = Text(second);
  events.back().third = Text(third);
  events.back().point = point;
}

void FakeViewApplication::ShowTimedMessage(const SharedWideString& text, uint32_t milliseconds) {
  RecordCall("timed message", static_cast<int32_t>(milliseconds), text);
}

void FakeViewApplication::ShowAnnotationTip(int32_t mark, Point point) {
  RecordCall("annotation tip", mark, SharedWideString(), SharedWideString(), SharedWideString(), point);
}

bool FakeViewApplication::EditAnnotation(uint32_t mark) {
  RecordCall("edit annotation", static_cast<int32_t>(mark), SharedWideString());
  return answer;
}

void FakeViewApplication::ShowLookupTip(int32_t number, Point point) {
  RecordCall("lookup tip", number, SharedWideString(), SharedWideString(), SharedWideString(), point);
}

bool FakeViewApplication::LookUpRanges(const TextRangeRef*, uint32_t count, const SharedWideString& target,
                                       const SharedWideString& title, bool marked) {
  RecordCall(marked ? "look up marked" : "look up", static_cast<int32_t>(count), target, title);
  return answer;
}

bool FakeViewApplication::GetSelectedWord(SharedWideString* word, uint32_t* language) {
  if (selectedWord.empty()) return false;
  word->FromChars(reinterpret_cast<const WCHAR*>(selectedWord.data()), static_cast<uint32_t>(selectedWord.size()));
  *language = selectedLanguage;
  return true;
}

bool FakeViewApplication::PlayMusic(const SharedWideString& request, bool record) {
  RecordCall(record ? "play music and record" : "play music", 0, request);
  return answer;
}

bool FakeViewApplication::StartVoiceRecorder() {
  RecordCall("recorder", 0, SharedWideString());
  return answer;
}

bool FakeViewApplication::Dial(const SharedWideString& number) {
  RecordCall("dial", 0, number);
  return answer;
}

bool FakeViewApplication::StartPopupViewer(const SharedWideString& document, int32_t first, int32_t second) {
  SharedWideString a, b;
  a.AppendInt(first);
  b.AppendInt(second);
  RecordCall("popup viewer", 0, document, a, b);
  return answer;
}

bool FakeViewApplication::AddCartItem(const SharedWideString& cart, const SharedWideString& identifier,
                                      const SharedWideString& extra) {
  RecordCall("cart add", 0, cart, identifier, extra);
  return answer;
}

bool FakeViewApplication::RemoveCartItem(const SharedWideString& cart, int32_t identifier) {
  RecordCall("cart remove", identifier, cart);
  return answer;
}

bool FakeViewApplication::ResetCart(const SharedWideString& cart) {
  RecordCall("cart reset", 0, cart);
  return answer;
}

bool FakeViewApplication::SubmitCart(const SharedWideString& cart, const SharedWideString& title) {
  RecordCall("cart submit", 0, cart, title);
  return answer;
}

bool FakeViewApplication::ExportCart(const SharedWideString& cart, const SharedWideString& path) {
  RecordCall("cart export", 0, cart, path);
  return answer;
}

bool FakeViewApplication::PlaySoundList(const SharedWideString& list) {
  RecordCall("audio play", 0, list);
  return answer;
}

void FakeViewApplication::StopAudio() { RecordCall("audio stop", 0, SharedWideString()); }

void FakeViewApplication::PauseAudio() { RecordCall("audio pause", 0, SharedWideString()); }

bool FakeViewApplication::SetAudioVolume(int32_t volume) {
  RecordCall("audio volume", volume, SharedWideString());
  return answer;
}

bool FakeViewApplication::SelectAudioTrack(int32_t track) {
  RecordCall("audio track", track, SharedWideString());
  return answer;
}
