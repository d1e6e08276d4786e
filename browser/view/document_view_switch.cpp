// Switching the view to another document, closing what is shown, showing
// the reading text with a fresh parser and layout, and finishing a
// navigation.
#include <algorithm>
#include <new>

#include "browser/host/page_services.h"
#include "browser/host/view_application.h"
#include "browser/host/view_preferences.h"
#include "browser/loader/document_loader.h"
#include "browser/sources/book_layout_context.h"
#include "browser/view/document_view.h"
#include "layout/drawing/drawing_surface.h"
#include "layout/pages/layout_context.h"
#include "storage/documents/document.h"
#include "storage/documents/document_host.h"
#include "storage/side_file/book_parameter_file.h"

namespace {

constexpr uint32_t kMaxSideFileName = 32;
constexpr WCHAR kAudioFragment[] = {'$', 'a', 'u', 'd', 'i', 'o'};
constexpr uint32_t kAudioFragmentLength = 6;

WCHAR LowerAscii(WCHAR c) { return c >= 'A' && c <= 'Z' ? static_cast<WCHAR>(c + 32) : c; }

}  // namespace

bool DocumentView::SwitchDocument(DocumentSource* source, bool* changed, int32_t embedding) {
  if (source == nullptr) return false;
  if (source_.Get() != nullptr && Url::Compare(location_.url, source->GetUrl()) == 0 && embedding == embedding_) {
    *changed = false;
    return true;
  }
  *changed = true;
  CloseCurrentDocument();
  embedding_ = embedding;
  source_.Assign(source);
  location_ = Location();
  location_.url = source->GetUrl();
  const Url& url = location_.url;
  if (IsActiveView() && embedding == 0 && !url.IsInternal() && url.state != kUrlEmpty &&
      url.state != kUrlSpecialPage && source->GetSourceKind() == 0 && preferences_ != nullptr) {
    // The book the next start reopens.
    SharedWideString text;
    if (url.GetText(&text, true) && preferences_->SetLastDocument(text)) preferences_->Save();
    if (preferences_->KeepsSideFiles()) OpenSideFile(source);
  }
  RestoreViewState();
  return true;
}

// Shares the side file another view holds open for the book, else opens or
// creates it; on failure the book is read without saved state.
void DocumentView::OpenSideFile(DocumentSource* source) {
  SharedWideString path;
  if (!location_.url.GetText(&path, false)) return;
  if (loader_ != nullptr) {
    if (BookParameterFile* open = loader_->FindSideFile(path)) {
      sideFile_ = open;
      return;
    }
  }
  EncodedString encoded;
  location_.url.GetPathEncoded(&encoded);
  if (!encoded.IsOk()) return;
  const char* name = nullptr;
  uint32_t nameLength = 0;
  if (Document* document = source->GetDocument()) {
    name = reinterpret_cast<const char*>(document->GetStoreNameBytes(&nameLength));
    if (name == nullptr) nameLength = 0;
    nameLength = std::min(nameLength, kMaxSideFileName);
  }
  BookParameterFile* sideFile = new (std::nothrow) BookParameterFile();
  if (sideFile == nullptr) return;
  if (sideFile->Create(encoded, name, nameLength, false, true, false) != RecordResult::kOk) {
    sideFile->Release();
    return;
  }
  sideFile_ = sideFile;
  if (loader_ != nullptr) loader_->RegisterSideFile(sideFile, source);
}

void DocumentView::CloseCurrentDocument() {
  StopAndFreeSpeech();
  OnDocumentClosed();
  DocumentSource* source = source_.Get();
  if (source == nullptr) {
    if (sideFile_ != nullptr) {
      sideFile_->Release();
      sideFile_ = nullptr;
    }
    return;
  }
  bool scriptReset = false;
  if (source->GetSourceKind() == 0) {
    if (sketchEditor_ != nullptr) sketchEditor_->ClearDrawing(true);
    if (embedding_ == 0) scriptReset = ResetScriptContext();
    SaveViewState(true);
    if (keepForms_ == 0 && forms_ != nullptr) forms_->DetachForms(embedding_);
  }
  text_.LeaveParent();
  if (layout_ != nullptr || parser_ != nullptr) {
    LayoutContext* layout = layout_;
    ElementStream* parser = parser_;
    layout_ = nullptr;
    parser_ = nullptr;
    layoutStarted_ = 0;
    source->DestroyParser(parser, layout);
  }
  DestroyDocumentElement();
  if (sideFile_ != nullptr) {  // an object database keeps none; released here in any case
    sideFile_->Release();
    sideFile_ = nullptr;
  }
  source_.Reset();
  location_ = Location();
  focusedElement_ = nullptr;
  if (scriptReset) ReinstallScriptObjects();
}

bool DocumentView::ShowReadingText(bool, bool* repaint) {
  if (repaint != nullptr) *repaint = false;
  if (layout_ != nullptr) return true;
  DocumentSource* source = source_.Get();
  if (source == nullptr) return false;
  ElementStream* parser = nullptr;
  LayoutContext* layout = nullptr;
  if (!source->CreateParser(&parser, &layout, static_cast<uint32_t>(embedding_ < 0 ? 0 : embedding_)) ||
      layout == nullptr) {
    if (parser != nullptr || layout != nullptr) source->DestroyParser(parser, layout);
    return false;
  }
  parser_ = parser;
  layout_ = layout;
  FocusElement(&text_);
  ConnectLayout();
  RefreshElements();
  if (!layout_->Start()) {
    if (controller_ != nullptr) controller_->ShowMessage(kNoCaption, kStringNotEnoughMemory, kMessageError);
    return false;
  }
  layoutStarted_ = 1;
  if (sideFile_ != nullptr) {
    layout_->AttachAnnotations(sideFile_);
    layout_->Renderer().SetAnnotations(sideFile_);
  }
  return true;
}

// Binds the new layout to the view: the surface, the page rectangle, the
// base style of the preferences, the form store, the pictures of the
// source, and the view as its redraw sink.
void DocumentView::ConnectLayout() {
  layout_->SetSurface(surface_);
  if (BookLayoutContext* book = dynamic_cast<BookLayoutContext*>(layout_)) {
    LayoutBuilderContext& settings = book->Builder()->settings;
    settings.defaults = &styleDefaults_;
    settings.baseStyle = &styleBase_;
    settings.source = source_.Get();
    layout_->SetStyleBase(&styleDefaults_, &styleBase_);
  }
  layout_->SetFormStore(formLog_);
  layout_->SetRedrawSink(&redrawSink_);
  ApplyPreferencesToLayout();
}

void DocumentView::ApplyPreferencesToLayout() {
  if (layout_ == nullptr) return;
  ViewStateRecord state;
  GetViewState(&state);
  BaseStyleRecord base;
  if (state.textSize > 0) base.fontSize = state.textSize;
  layout_->SetBaseStyle(base);
  layout_->SetPageRect(bounds_);
  const int32_t margin = preferences_ != nullptr ? preferences_->GetMarginValue() : 4;
  layout_->SetMargins(margin, margin, margin, margin, true);
  if (preferences_ != nullptr)
    layout_->Renderer().SetColors(preferences_->GetTextColor(), preferences_->GetBackgroundColor());
}

void DocumentView::FinishNavigation(bool notify, bool changed, bool repaint, bool restore) {
  OnNavigationFinished(notify ? 1 : 0, changed);
  if (documentElement_ != nullptr && !TextHasFocus() && focusedElement_ != nullptr && sketchEditor_ != nullptr)
    sketchEditor_->ClearDrawing(false);
  if (!notify) return;
  SharedWideString anchor;
  if (restore && FragmentFromHash(location_.fragment, &anchor)) {
    // The anchor after "#" (the text position forms among them).
    if (GoToFragment(anchor) || ApplyPositionAnchor(anchor)) restore = false;
  }
  if (ReadingTextFocused() || IsAudioFragment(location_.fragment)) {
    if (changed && restore) {
      RestoreReadingPosition();
      return;
    }
  }
  Invalidate(repaint);
}

// "##-pos" + n shows the page that starts at n.
bool DocumentView::ApplyPositionAnchor(const SharedWideString& anchor) {
  const int32_t position = Location::GetPosFromFragment(anchor);
  if (position < 0 || layout_ == nullptr) return false;
  return layout_->StartPageAt(static_cast<uint32_t>(position));
}

bool DocumentView::IsTextShown() {
  if (ReadingTextFocused()) return true;
  return documentElement_ != nullptr && focusedElement_ != nullptr && IsAudioFragment(location_.fragment);
}

void DocumentView::SetAudioFragment(SharedWideString* fragment) {
  SharedWideString audio;
  if (audio.FromChars(kAudioFragment, kAudioFragmentLength)) *fragment = audio;
}

bool DocumentView::IsAudioFragment(const SharedWideString& fragment) {
  if (fragment.length < kAudioFragmentLength) return false;
  for (uint32_t i = 0; i < kAudioFragmentLength; ++i)
    if (LowerAscii(fragment.Chars()[i]) != kAudioFragment[i]) return false;
  return true;
}
