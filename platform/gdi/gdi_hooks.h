// The graphics layer's test state: live-object counts, the journal of
// graphics calls, injected creation failures, the display's metrics and the
// system colours. Test and fuzz builds only; tests reach it through
// platform/testing/gdi.h.
#pragma once

#ifndef TESSALYN_TEST_HOOKS
#error "the graphics hooks exist only in test and fuzz builds"
#endif

#include <string>
#include <vector>

#include "platform/gdi/display_metrics.h"
#include "platform/gdi/gdi_object.h"
#include "platform/types/color_ref.h"

namespace devtest {

// Objects of a kind made since the reset and not yet destroyed (stock
// objects and the platform's own surfaces excluded).
int LiveGdiObjects(GdiKind kind);
// Objects of a kind made since the reset, destroyed or not.
int CreatedGdiObjects(GdiKind kind);

// The journal: one line per graphics call while it is on, e.g.
// "CreatePen(0,1,0x0000ff)" or "Rectangle(1,2,3,4)". Off after a reset.
void SetGdiJournal(bool on);
std::vector<std::string> GdiJournal();
void ClearGdiJournal();
// Lines of the journal that start with `call` followed by '('.
int GdiJournalCount(const std::string& call);

// Injected failures: the n-th creation of the kind from now (1 = the next
// one) fails, and every later one too when `sticky`. Bitmaps covers
// CreateBitmap and CreateCompatibleBitmap; DibSections CreateDIBSection;
// Fonts is the font engine's CreateFontIndirectW.
enum class GdiFailure { Bitmaps, DibSections, Fonts };
void FailGdiCreation(GdiFailure what, int nth = 1, bool sticky = false);
// Consumed by the creating calls: whether this creation is to fail.
bool ShouldFailGdiCreation(GdiFailure what);

// A shorthand that writes the display's metrics into the device profile (as
// the device is held upright), so the windows layer's screen follows too;
// ResetProfile restores the default display.
void SetDisplay(const devgdi::DisplayMetrics& display);

void SetSysColorForTest(int index, COLORREF colour);

// Parts of ResetGdi: the book's counts, the journal and the failures; the
// default system colours.
void ResetGdiBook();
void ResetSystemColours();

}  // namespace devtest
