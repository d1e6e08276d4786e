// The reading-position bar's host over the application's view,
// preferences and environment (see view_bar_host.h).
#include "browser/bar/view_bar_host.h"

#include "browser/host/view_application.h"
#include "browser/host/view_environment.h"
#include "browser/host/view_preferences.h"
#include "browser/view/document_view.h"
#include "storage/documents/document.h"

ViewBarHost::ViewBarHost(ViewApplication* application, ViewPreferences* preferences, ViewEnvironment* environment)
    : application_(application), preferences_(preferences), environment_(environment) {}

DocumentView* ViewBarHost::View() { return application_ != nullptr ? application_->GetDocumentView() : nullptr; }

uint32_t ViewBarHost::GetTextLength() {
  DocumentView* view = View();
  DocumentSource* source = view != nullptr ? view->GetDocumentSource() : nullptr;
  Document* document = source != nullptr ? source->GetDocument() : nullptr;
  // Only a document the view shows as text has positions on the bar.
  if (document == nullptr || view->GetLayout() == nullptr) return 0;
  return document->GetTextLength();
}

uint32_t ViewBarHost::GetCurrentPosition() {
  DocumentView* view = View();
  int32_t position = view != nullptr ? view->GetCurrentPosition() : -1;
  return position < 0 ? 0 : static_cast<uint32_t>(position);
}

uint32_t ViewBarHost::GetCurrentPageNumber() {
  DocumentView* view = View();
  int32_t page = view != nullptr ? view->GetCurrentPageNumber() : 0;
  return page < 0 ? 0 : static_cast<uint32_t>(page);
}

BookParameterFile* ViewBarHost::GetSideFile() {
  DocumentView* view = View();
  return view != nullptr ? view->GetSideFile() : nullptr;
}

bool ViewBarHost::PreviousBookmark() {
  DocumentView* view = View();
  return view != nullptr && view->PreviousBookmark();
}

bool ViewBarHost::NextBookmark() {
  DocumentView* view = View();
  return view != nullptr && view->NextBookmark();
}

bool ViewBarHost::GoToBookmark(uint32_t mark) {
  DocumentView* view = View();
  return view != nullptr && view->GoToBookmark(nullptr, mark, true);
}

bool ViewBarHost::GoToTextPosition(uint32_t position) {
  DocumentView* view = View();
  return view != nullptr && view->GoToTextPosition(position);
}

void ViewBarHost::RunCommand(int32_t command) {
  if (application_ != nullptr) application_->ExecuteCommand(command, 0);
}

void ViewBarHost::ApplyProgressBarSetting() {
  if (application_ != nullptr) application_->ApplyProgressBarSetting();
}

int32_t ViewBarHost::GetDefaultSetting(uint32_t key) {
  ViewEnvironment* environment = environment_;
  if (environment == nullptr && application_ != nullptr) environment = application_->GetEnvironment();
  return environment != nullptr ? environment->GetDefaultSetting(static_cast<int32_t>(key)) : 0;
}

Color ViewBarHost::GetBackgroundColor() {
  return preferences_ != nullptr ? preferences_->GetBackgroundColor() : Color::FromRgb(255, 255, 255);
}

Color ViewBarHost::GetTextColor() {
  return preferences_ != nullptr ? preferences_->GetTextColor() : Color::FromRgb(0, 0, 0);
}

int8_t ViewBarHost::GetFontSize() {
  int32_t size = preferences_ != nullptr ? preferences_->GetTextSize() : 0;
  return static_cast<int8_t>(size < -128 ? -128 : (size > 127 ? 127 : size));
}
