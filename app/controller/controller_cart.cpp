// ApplicationController: the cart methods the reader's script object and
// the page elements call, and the sound methods beside them.
#include "app/controller/application_controller.h"

namespace {

constexpr int32_t kConfirmationCaption = 5017;
constexpr uint32_t kPrescriptionText = 5138;
constexpr uint32_t kListText = 5137;
constexpr uint32_t kInformation = 0;

bool IsInteractionsCart(const SharedWideString& name) {
  static constexpr char16_t kName[] = u"interactions";
  if (name.length != 12) return false;
  for (uint32_t i = 0; i < 12; ++i)
    if (name.Chars()[i] != kName[i]) return false;
  return true;
}

}  // namespace

bool ApplicationController::AddCartItem(const SharedWideString& cart, const SharedWideString& text,
                                        const SharedWideString& identifier) {
  if (cart_ == nullptr || !cart_->AddItem(cart, text, identifier)) return false;
  ShowMessage(kConfirmationCaption, IsInteractionsCart(cart) ? kPrescriptionText : kListText, kInformation);
  return true;
}

bool ApplicationController::RemoveCartItem(const SharedWideString& cart, uint32_t index) {
  if (cart_ == nullptr || !cart_->RemoveItem(cart, index)) return false;
  if (view_ != nullptr) view_->ReloadWithRequest(NavigationRequestCode{});
  return true;
}

bool ApplicationController::ClearCart(const SharedWideString& cart) {
  if (cart_ == nullptr) return false;
  const int32_t items = cart_->ItemCount(cart);
  if (items < 0) return false;
  if (items > 0 && cart_->Clear(cart) && view_ != nullptr) view_->ReloadWithRequest(NavigationRequestCode{});
  return true;
}

bool ApplicationController::SubmitInteractions(const SharedWideString& cart, const SharedWideString& title) {
  if (!IsInteractionsCart(cart) || view_ == nullptr) return false;
  EncodedString address;
  address.FromWide(u"oeb:cart?name=interactions&action=submit&title=");
  if (!title.IsEmpty()) {
    EncodedString wide;
    wide.FromWide(title.Chars(), static_cast<int32_t>(title.length));
    wide.SelectAll();
    address.Append(wide);
  }
  address.SelectAll();
  view_->OpenAddress(address, nullptr);
  return true;
}

bool ApplicationController::WriteCartXml(const SharedWideString& cart, const EncodedString& path) {
  // The path comes from a book's script: never one of the system's own
  // files or a book.
  if (cart_ == nullptr || !MayWriteCartTo(path)) return false;
  return cart_->WriteXml(cart, path);
}

bool ApplicationController::PlaySoundList(const SharedWideString& text, bool play) {
  SharedWideString base;
  if (view_ != nullptr && !view_->GetBaseAddress(&base)) base.Clear();
  // An address that does not resolve ends the list there: what came before
  // it still plays.
  soundList_.Set(text, base);
  if (sound_ != nullptr) {
    sound_->SetTrackList(&soundList_);
    sound_->SelectTrack(0, !play);
  }
  return true;
}

void ApplicationController::StopAudio() {
  // The player lets the list go before the list empties.
  if (sound_ != nullptr) sound_->Close();
  soundList_.Clear();
}

void ApplicationController::PauseAudio() {
  if (sound_ != nullptr) sound_->Pause();
}

void ApplicationController::ResumeAudio() {
  if (sound_ != nullptr) sound_->Play();
}

void ApplicationController::SetAudioVolume(uint32_t volume) {
  if (sound_ != nullptr) sound_->SetVolume(volume);
}
