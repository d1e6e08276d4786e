// DocumentHost: forwards a document's messages and status to the
// application, and does nothing without one.
#include "storage/documents/document_host.h"

namespace {

int32_t KindFor(bool question) { return question ? kMessageQuestion : kMessageError; }

}  // namespace

bool DocumentHost::MessageBox(uint32_t stringId, bool question) {
  if (application_ == nullptr) return false;
  return application_->ShowMessage(kNoCaption, stringId, KindFor(question));
}

bool DocumentHost::MessageBoxText(const SharedWideString& text, bool question) {
  if (application_ == nullptr) return false;
  return application_->MessageBox(kNoCaption, text, KindFor(question));
}

bool DocumentHost::MessageBoxFormat(uint32_t stringId, const SharedWideString& argument) {
  if (application_ == nullptr) return false;
  return application_->ShowFormattedMessage(kNoCaption, stringId, kMessageError, argument);
}

void DocumentHost::OpenUrl(const Location& location) {
  if (application_ != nullptr) application_->OpenUrl(location);
}

void DocumentHost::SetStatus(uint32_t stringId) {
  if (application_ != nullptr) application_->ShowWaitMessage(stringId);
}

void DocumentHost::ClearStatus() {
  if (application_ != nullptr) application_->CloseWaitMessage();
}
