// The stand-in reading view.
#include "app/frame/stand_in_view.h"

#include "app/controller/application_controller.h"
#include "app/preferences/preferences.h"
#include "platform/gdi/gdi.h"

void StandInView::Paint(HDC dc, const RECT& area) {
  const uint32_t color = preferences_ != nullptr ? preferences_->GetBackgroundColor().value : 0xFFFFFF;
  HBRUSH brush = CreateSolidBrush(color);
  FillRect(dc, &area, brush);
  DeleteObject(brush);
}

bool StandInView::Start(bool, bool) {
  if (controller_ != nullptr) controller_->ShowLibrary();
  return true;
}

bool StandInView::OpenAddress(const EncodedString& address, const NavigationRequestCode*) {
  EncodedString whole;
  whole.AssignRaw(address.ConstBytes(), address.ByteLength(), address.UnitKind(), address.CodePage());
  whole.SelectAll();
  if (whole.EqualsText("oeb:bookmarks")) {
    if (controller_ != nullptr) controller_->ShowAnnotations();
    return true;
  }
  if (!whole.EqualsText("oeb:library")) return false;
  if (controller_ != nullptr) controller_->ShowLibrary();
  return true;
}
