// Reading aloud: the document view's text-to-speech reader. A given text
// is spoken at once; the page is spoken one sentence at a time from the
// parser of the shown document, each sentence resuming where the last one
// left the parser, and the plug-in turns the page when its voice reaches
// the first word of the next page. Without the plug-in nothing happens and
// nothing is shown.
#include <new>

#include "audio/speech/speech_plugin.h"
#include "browser/host/view_application.h"
#include "browser/speech/sentence_collector.h"
#include "browser/view/document_view.h"
#include "foundation/encoded_string/encoded_string.h"
#include "layout/drawing/drawing_surface.h"
#include "layout/markup/element_stream.h"
#include "platform/launch/launch.h"
#include "platform/windows/windows.h"
#include "storage/documents/document.h"

namespace {

constexpr uint32_t kNoPageEnd = 0xFFFFFFFFu;
constexpr int32_t kReadText = 0;
constexpr int32_t kReadPage = 1;
constexpr int32_t kErrorKind = 2;

// What the plug-in binding asks of the view.
class ViewSpeechOwner final : public SpeechOwner {
 public:
  explicit ViewSpeechOwner(DocumentView* view) : view_(view) {}

  // The top-level window of the view's surface: the application's main
  // window, whose procedure hands the word messages to the view.
  HWND GetMainWindow() override {
    DrawingSurface* surface = view_->Surface();
    HWND window = surface != nullptr ? surface->Window() : nullptr;
    for (HWND parent = window; parent != nullptr; parent = GetParent(parent)) window = parent;
    return window;
  }
  // The folder of the program's module.
  bool GetProgramFolder(EncodedString* folder) override {
    WCHAR name[261] = {};
    const DWORD n = GetModuleFileNameW(nullptr, name, 261);
    DWORD cut = 0;
    for (DWORD i = 0; i < n && i < 260; ++i)
      if (name[i] == u'\\') cut = i + 1;
    if (cut == 0) return false;
    folder->FromWide(name, static_cast<int32_t>(cut));
    folder->SelectAll();
    return !folder->IsEmpty();
  }
  bool TurnPage(int32_t how, int32_t count, int32_t flags) override {
    return view_->GoToPageRelative(how, count, flags);
  }
  // The application shows it in its own error box (its caption is the
  // application's).
  void ShowErrorBox(const WCHAR* text, const WCHAR* /*caption*/) override {
    ViewApplication* application = view_->GetApplication();
    if (application != nullptr) application->MessageBox(-1, SharedWideString(text), kErrorKind);
  }

 private:
  DocumentView* view_;
};

// The reader with its owner: the owner is built first (it is a base listed
// before the binding), since binding the plug-in already asks it for the
// folder and the window. Created and deleted only here, as this type.
struct OwnerPart {
  explicit OwnerPart(DocumentView* view) : owner(view) {}
  ViewSpeechOwner owner;
};
class ViewSpeech final : private OwnerPart, public SpeechPlugin {
 public:
  explicit ViewSpeech(DocumentView* view) : OwnerPart(view), SpeechPlugin(&owner) {}
};

// Puts the parser at a text position: a restart there, or, for a stream
// readable only from its start (plain text), a replay up to it.
bool PositionParser(ElementStream* parser, uint32_t position) {
  if (parser->Restart(position, false)) return true;
  if (!parser->Restart(0, false)) return false;
  while (parser->GetPosition() < position) {
    int32_t kind = parser->Next();
    if (kind == kElementEnd) return false;
  }
  return true;
}

}  // namespace

bool DocumentView::IsSpeaking() { return speech_ != nullptr && speech_->IsReady() && speech_->IsSpeaking(); }

void DocumentView::StopSpeech() {
  if (speech_ != nullptr) speech_->Stop();
}

void DocumentView::OnSpeechProgress(intptr_t /*report*/) {
  if (speech_ != nullptr && speech_->IsReady()) speech_->OnUnitSpoken();
}

void DocumentView::StopAndFreeSpeech() {
  // Made only as a ViewSpeech (below); its destructor stops the plug-in
  // and waits for its thread.
  delete static_cast<ViewSpeech*>(speech_);
  speech_ = nullptr;
}

// Opening the reader: stops what it speaks, makes it on first use (a
// missing plug-in frees it again at once) and prepares it for a text or
// the page. False when there is nothing to speak with.
static bool OpenSpeechReader(DocumentView* view, SpeechPlugin** speech, int32_t speechParameter, int32_t mode) {
  if (*speech != nullptr && (*speech)->IsReady() && (*speech)->IsSpeaking()) (*speech)->Stop();
  if (*speech == nullptr) {
    *speech = new (std::nothrow) ViewSpeech(view);
    if (*speech == nullptr) return false;
  }
  if (!(*speech)->IsReady()) {
    view->StopAndFreeSpeech();
    return false;
  }
  int32_t codePage = speechParameter;
  if (codePage == 0) {
    DocumentSource* source = view->GetDocumentSource();
    Document* document = source != nullptr ? source->GetDocument() : nullptr;
    codePage = document != nullptr ? (document->GetCodePage() & 0xFFFF) : 0;
  }
  (*speech)->SetParam1(codePage);
  (*speech)->SetPageEndUnit(-1);
  (*speech)->SetReadMode(mode);
  (*speech)->ClearStop();
  return true;
}

void DocumentView::SpeakText(const SharedWideString& text) {
  if (!OpenSpeechReader(this, &speech_, speechParameter_, kReadText)) return;
  EncodedString spoken;
  if (!text.ToEncodedString(&spoken)) return;
  speech_->Speak(spoken);
}

void DocumentView::SpeakPage(bool continuing, uint32_t position) {
  if (!continuing && !OpenSpeechReader(this, &speech_, speechParameter_, kReadPage)) return;
  if (speech_ == nullptr || !speech_->IsReady() || parser_ == nullptr) return;
  // The page's end is known once the page is laid out, which a page not
  // painted yet is not; laying out moves the parser, so this comes first.
  if (layout_ != nullptr) {
    DrawPass pass(surface_);
    layout_->GetCurrentPage();
  }
  ByteStream& saved = speech_->Scratch();
  bool positioned;
  if (continuing) {
    saved.readPos = 0;
    positioned = saved.Size() > 0 && parser_->LoadState(&saved);
  } else {
    positioned = PositionParser(parser_, position);
  }
  SpokenSentence sentence;
  if (positioned) {
    ViewTextRange range;
    const uint32_t pageEnd = GetPageRange(&range) ? range.end : kNoPageEnd;
    speech_->SetPageEndUnit(-1);
    SentenceCollector::Collect(parser_, pageEnd, &sentence);
    // The next sentence resumes here; after the last one the saved state
    // is the document's end, so continuing speaks nothing.
    saved.Clear();
    saved.readPos = 0;
    if (!parser_->SaveState(&saved)) saved.Clear();
  }
  // The layout positions the parser itself for every page it builds.
  parser_->Restart(0, false);
  speechText_ = sentence.text;
  EncodedString spoken;
  if (!sentence.text.IsEmpty() && sentence.text.ToEncodedString(&spoken)) {
    speech_->SetPageEndUnit(sentence.pageEndUnit);
    if (speech_->Speak(spoken)) return;
  }
  if (!speech_->IsSpeaking()) speech_->Idle();
}
