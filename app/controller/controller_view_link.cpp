// The controller's answers to the document view.
#include "app/controller/controller_view_link.h"

#include <string>

#include "app/controller/application_controller.h"
#include "app/environment/app_environment.h"
#include "browser/view/document_view.h"
#include "foundation/encoded_string/encoded_string.h"

namespace {

// The kinds the view passes are 0 to 3; anything else is information.
uint32_t BoxKind(int32_t kind) { return kind >= 0 && kind <= 3 ? static_cast<uint32_t>(kind) : 0; }

}  // namespace

bool ControllerViewLink::MessageBox(int32_t captionId, const SharedWideString& text, int32_t kind) {
  SharedWideString terminated;
  if (!terminated.Append(text) || !terminated.AppendRepeated(0, 1)) return false;
  return controller_->MessageBox(captionId, terminated.Chars(), BoxKind(kind));
}

void ControllerViewLink::LoadString(SharedWideString* text, int32_t stringId) {
  *text = SharedWideString();
  const AppEnvironment* environment = controller_->environment();
  if (environment != nullptr && stringId >= 0) environment->LoadString(static_cast<uint32_t>(stringId), text);
}

bool ControllerViewLink::ShowMessage(int32_t captionId, uint32_t stringId, int32_t kind) {
  return controller_->ShowMessage(captionId, stringId, BoxKind(kind));
}

bool ControllerViewLink::ShowFormattedMessage(int32_t captionId, uint32_t stringId, int32_t kind,
                                              const SharedWideString* arguments, uint32_t count) {
  return controller_->ShowFormattedMessage(captionId, stringId, BoxKind(kind), arguments, count);
}

bool ControllerViewLink::ShowFormattedMessage(int32_t captionId, uint32_t stringId, int32_t kind,
                                              const SharedWideString& argument) {
  return controller_->ShowFormattedMessage(captionId, stringId, BoxKind(kind), &argument, 1);
}

void ControllerViewLink::OpenUrl(const Location& location) {
  if (view_ == nullptr) return;
  Location copy = location;
  view_->OpenLocation(&copy);
}

void ControllerViewLink::ExecuteCommand(int32_t command, int32_t fromQueue) {
  if (command >= 0) controller_->ExecuteCommand(static_cast<uint32_t>(command), fromQueue != 0);
}

void ControllerViewLink::PostCommand(int32_t command) {
  if (command >= 0) controller_->PostCommand(static_cast<uint32_t>(command));
}

void ControllerViewLink::ShowLibrary() { controller_->ShowLibrary(); }

void ControllerViewLink::ShowAnnotations() { controller_->ShowAnnotations(); }

int32_t ControllerViewLink::GetActiveListPage() { return static_cast<int32_t>(controller_->GetActiveListPage()); }

void ControllerViewLink::OnDocumentShown(DocumentSource*, int32_t) { controller_->UpdateWindowTitle(); }

void ControllerViewLink::OnSelectionMade(DocumentView*, uint32_t start, uint32_t end, const SharedWideString& text,
                                         uint32_t, uint32_t, Point point) {
  controller_->OnSelectionMade(start == end, text, POINT{point.x, point.y});
}

void ControllerViewLink::ResumeAudio() { controller_->ResumeAudio(); }

bool ControllerViewLink::OpenInWordProcessor(const SharedWideString& program, const SharedWideString& text) {
  EncodedString programText;
  EncodedString file;
  if (!program.ToEncodedString(&programText) || !text.ToEncodedString(&file)) return false;
  return controller_->OpenInWordProcessor(programText, file);
}

bool ControllerViewLink::OpenInSystemBrowser(const SharedWideString& address) {
  // The shell wants a terminated text; the shared string is a slice.
  std::u16string text(reinterpret_cast<const char16_t*>(address.Chars() ? address.Chars() : u""), address.length);
  return controller_->OpenUrlInBrowser(reinterpret_cast<const WCHAR*>(text.c_str()));
}

bool ControllerViewLink::EditAnnotation(uint32_t mark) {
  return mark <= 0x7FFFFFFFu && controller_->EditAnnotation(static_cast<int32_t>(mark));
}

bool ControllerViewLink::GetSelectedWord(SharedWideString* word, uint32_t* language) {
  *language = 0;
  return controller_->GetSelectedWord(word) && !word->IsEmpty();
}

bool ControllerViewLink::PlayMusic(const SharedWideString& request, bool record) {
  return record ? controller_->ExportPlaylistAndRecord(request) : controller_->ExportPlaylist(request);
}

bool ControllerViewLink::StartVoiceRecorder() { return controller_->StartVoiceRecorder(); }

bool ControllerViewLink::StartPopupViewer(const SharedWideString& document, int32_t, int32_t) {
  EncodedString name;
  return document.ToEncodedString(&name) && controller_->OpenInExternalProgram(name);
}

bool ControllerViewLink::AddCartItem(const SharedWideString& cart, const SharedWideString& identifier,
                                     const SharedWideString& extra) {
  return controller_->AddCartItem(cart, extra, identifier);
}

bool ControllerViewLink::RemoveCartItem(const SharedWideString& cart, int32_t identifier) {
  return identifier >= 0 && controller_->RemoveCartItem(cart, static_cast<uint32_t>(identifier));
}

bool ControllerViewLink::ResetCart(const SharedWideString& cart) { return controller_->ClearCart(cart); }

bool ControllerViewLink::SubmitCart(const SharedWideString& cart, const SharedWideString& title) {
  return controller_->SubmitInteractions(cart, title);
}

bool ControllerViewLink::ExportCart(const SharedWideString& cart, const SharedWideString& path) {
  EncodedString file;
  return path.ToEncodedString(&file) && controller_->WriteCartXml(cart, file);
}

bool ControllerViewLink::PlaySoundList(const SharedWideString& list) { return controller_->PlaySoundList(list, true); }

void ControllerViewLink::StopAudio() { controller_->StopAudio(); }

void ControllerViewLink::PauseAudio() { controller_->PauseAudio(); }

bool ControllerViewLink::SetAudioVolume(int32_t volume) {
  if (volume < 0) return false;
  controller_->SetAudioVolume(static_cast<uint32_t>(volume));
  return true;
}
