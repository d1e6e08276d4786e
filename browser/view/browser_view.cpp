// The browser view's construction, destruction and the page links it keeps.
#include "browser/view/browser_view.h"

#include "browser/host/view_lookup_history.h"
#include "layout/styles/link_action.h"

BrowserView::BrowserView(ScriptValueStore* valueStore) : DocumentView(), scriptContext_(valueStore) {
  spareFrameViews_.Init();
  pendingFocusPath_.Init();
  frameset_.SetOwner(&frameReleaseSink_);
  scriptContext_.globalObject = kScriptEmptyHandle;
  lookupHistory_ = MakeViewLookupHistory();
  pageLinks_.InitWithShift(kPageLinkBlockShift, 0, 0);
}

BrowserView::~BrowserView() {
  ClearPageLinks();
  delete lookupHistory_;
  lookupHistory_ = nullptr;
  // A view destroyed without CloseView still gives its global object and
  // scopes back to the store, which outlives it, and stops its timers.
  ReleaseScriptContext();
  // The frame set reports each frame it lets go to the release sink, which
  // keeps the views as spares: empty it and delete them while the lists
  // still stand. The frame set and the lists are then destroyed as members.
  RemoveAllFrames();
  DeleteSpareFrameViews();
}

void BrowserView::ClearPageLinks() {
  for (uint32_t i = 0; i < pageLinks_.Count(); ++i) {
    BrowserPageLink* link = pageLinks_.At(i);
    if (link->action != nullptr) link->action->Release();
    link->action = nullptr;
  }
  pageLinks_.Clear();
}
