// The document view's life, wiring, element operations and what the
// reading text control asks of it.
#include "browser/view/document_view.h"

#include <new>

#include "browser/host/page_services.h"
#include "browser/host/view_application.h"
#include "browser/host/view_environment.h"
#include "browser/host/view_preferences.h"
#include "layout/drawing/drawing_surface.h"
#include "layout/pages/layout_context.h"
#include "storage/side_file/book_parameter_file.h"

DocumentView::DocumentView() : text_(this) {
  history_.InitWithShift(2, 0, 0);  // blocks of four entries
  forms_ = MakeViewFormCollection();
}

DocumentView::~DocumentView() {
  CloseCurrentDocument();
  delete sketchEditor_;
  sketchEditor_ = nullptr;
  StopAndFreeSpeech();
  text_.LeaveParent();
  ClearHistoryEntries();
  delete forms_;
  forms_ = nullptr;
  if (sideFile_ != nullptr) {
    sideFile_->Release();
    sideFile_ = nullptr;
  }
  source_.Reset();
}

void DocumentView::ClearHistoryEntries() {
  for (uint32_t i = 0; i < history_.Count(); ++i) delete *history_.At(i);
  history_.Clear();
}

// ---- Wiring.

void DocumentView::SetFormLog(OfflineFormLog* log) {
  formLog_ = log;
  if (forms_ != nullptr) forms_->SetFormLog(log);
}

void DocumentView::SetPreferences(ViewPreferences* preferences) {
  preferences_ = preferences;
  RefreshElements();
}

void DocumentView::SetSurface(DrawingSurface* surface) { surface_ = surface; }

void DocumentView::SetController(ViewApplication* controller) {
  controller_ = controller;
  environment_ = controller != nullptr ? controller->GetEnvironment() : nullptr;
}

ScriptAppEnvironment* DocumentView::GetAppEnvironment(int32_t, int32_t) { return environment_; }

void DocumentView::CloseWindow() {
  if (controller_ != nullptr) controller_->ExecuteCommand(kCommandCloseWindow, 0);
}

void DocumentView::CloseView() { CloseCurrentDocument(); }

bool DocumentView::OpenUrlInTarget(const SharedWideString& text, const SharedWideString&, const Rect&) {
  return OpenUrl(text, false);
}

bool DocumentView::TestPagePoint(Point point) {
  if (!ReadingTextFocused()) return false;
  Rect column;
  return layout_->FindColumn(point, &column) >= 0;
}

DocumentView::DrawPass::DrawPass(DrawingSurface* surface) : surface_(surface) {
  if (surface_ != nullptr) surface_->BeginDraw(true);
}

DocumentView::DrawPass::~DrawPass() {
  if (surface_ != nullptr) surface_->EndDraw();
}

// ---- Focus helpers.

bool DocumentView::ReadingTextFocused() const { return layout_ != nullptr && TextHasFocus(); }

PageElement* DocumentView::FocusedPageElement() {
  if (focusedElement_ == nullptr) return nullptr;
  if (TextHasFocus()) return &text_;
  return documentElement_;
}

void DocumentView::FocusElement(UIElement* element) {
  focusedElement_ = element;
  if (element != nullptr && element->GetParent() != this) element->SetParent(this);
}

void DocumentView::DestroyDocumentElement() {
  if (documentElement_ == nullptr) return;
  if (focusedElement_ != nullptr && !TextHasFocus()) focusedElement_ = nullptr;
  PageElement* element = documentElement_;
  documentElement_ = nullptr;
  delete element;
}

// ---- Element operations.

bool DocumentView::Show(bool visible) {
  if (focusedElement_ == nullptr || !focusedElement_->IsHideable()) return false;
  return focusedElement_->Show(visible);
}

bool DocumentView::HitTest(Point point) { return bounds_.ContainsPoint(point); }

bool DocumentView::OnPointerDown(Point point) {
  return focusedElement_ != nullptr && focusedElement_->OnPointerDown(point);
}

bool DocumentView::OnPointerMove(bool buttonDown, Point point) {
  return focusedElement_ != nullptr && focusedElement_->OnPointerMove(buttonDown, point);
}

bool DocumentView::OnPointerUp(Point point) {
  return focusedElement_ != nullptr && focusedElement_->OnPointerUp(point);
}

bool DocumentView::Activate(bool, intptr_t) { return false; }

bool DocumentView::HandleCommand(const CommandEvent& event) {
  return focusedElement_ != nullptr && focusedElement_->HandleCommand(event);
}

void DocumentView::Paint(const Rect& rect, uint32_t flags) {
  if (focusedElement_ != nullptr) focusedElement_->Paint(rect, flags);
}

void DocumentView::Broadcast(intptr_t value) {
  if (focusedElement_ != nullptr) focusedElement_->Broadcast(value);
}

void DocumentView::ExecuteCommand(int32_t command, intptr_t arg) {
  if (focusedElement_ != nullptr) focusedElement_->ExecuteCommand(command, arg);
}

void DocumentView::Arrange(Rect* remaining, const Rect& rect) {
  const bool changed = rect.x != bounds_.x || rect.y != bounds_.y || rect.width != bounds_.width ||
                       rect.height != bounds_.height;
  bounds_ = rect;
  if (changed && layout_ != nullptr) {
    DrawPass pass(surface_);
    layout_->SetPageRect(bounds_);
    layout_->Relayout();
  }
  if (changed && focusedElement_ != nullptr) {
    Rect rest;
    focusedElement_->Arrange(&rest, bounds_);
  }
  if (remaining != nullptr) *remaining = Rect{rect.x, rect.y, 0, 0};
}

bool DocumentView::Intersects(const Rect& rect) { return Rect::Intersects(bounds_, rect); }

bool DocumentView::GetBounds(Rect* out) {
  *out = bounds_;
  return true;
}

// ---- Page-event listener.

void DocumentView::OnDocumentShown() {
  announcePending_ = 0;
  if (TextHasFocus()) CancelSelection();
}

void DocumentView::OnPositionChanged(bool final) {
  if (controller_ == nullptr || !IsActiveView()) return;
  controller_->PostCommand(kCommandPositionShown);
  if (!final) controller_->PostCommand(kCommandPositionChanged);
}

// ---- What the reading text control asks.

bool DocumentView::GetViewRect(Rect* out) {
  *out = bounds_;
  return !bounds_.IsEmpty();
}

bool DocumentView::GetContentRect(Rect* out) {
  if (layout_ == nullptr) return false;
  layout_->GetContentRect(out);
  return true;
}

int32_t DocumentView::LocationKind() {
  return location_.url.state == kUrlCommand ? location_.url.commandKind : 0;
}

uint32_t DocumentView::CurrentPagePosition() {
  return layout_ != nullptr ? layout_->GetCurrentPosition() : 0;
}

bool DocumentView::AllowsSelection() { return preferences_ == nullptr || preferences_->AllowsSelection(); }

bool DocumentView::TapHalvesTurnPages() { return preferences_ != nullptr && preferences_->TapHalvesTurnPages(); }

bool DocumentView::TapAboveTogglesFullScreen() {
  return preferences_ != nullptr && preferences_->TapAboveTogglesFullScreen();
}

int32_t DocumentView::HorizontalMargin() { return preferences_ != nullptr ? preferences_->GetMarginValue() : 0; }

int32_t DocumentView::PreferredColumns() {
  // Several columns only in the application's current view.
  if (preferences_ == nullptr || !IsActiveView()) return 1;
  return preferences_->PreferredColumns();
}

bool DocumentView::HoldsPageSteps() { return preferences_ != nullptr && preferences_->HoldsPageSteps(); }

bool DocumentView::StepPage(int32_t step, int32_t) { return GoToPageRelative(step, 1, 255); }

bool DocumentView::CanStep(int32_t step) { return layout_ != nullptr && layout_->CanStep(step); }

void DocumentView::ToggleFullScreen() { ExecuteControllerCommand(kCommandToggleFullScreen); }

void DocumentView::ExecuteControllerCommand(int32_t command) {
  if (controller_ != nullptr) controller_->ExecuteCommand(command, 0);
}
