// The tag-to-layout builder: turns the current element of a document's
// element stream into layout items of the page being built (text runs,
// spaces and break opportunities, the breaks of blocks, style runs and box
// changes, table, row and cell items, pictures, rules, form controls and
// log marks), keeping the open-element records and their styles in step
// with the stream.
//
// The layout context owns everything the builder reads; it hands it over
// as a LayoutBuilderContext, answers the few questions of a
// LayoutBuilderHost, and calls ReadLayoutItems once per element while it
// fills a page. The builder answers false only to end the flow: for lack
// of memory, or a form control whose placement fails. A tag it has no use
// for is ignored; a picture that cannot be loaded writes nothing.
#pragma once

#include <cstdint>

#include "foundation/geometry/rect.h"
#include "foundation/wide_string/shared_wide_string.h"
#include "layout/styles/element_style.h"

class DocumentSource;
class ElementRecordStack;
class ElementStream;
class ElementStyleRecords;
class HtmlForm;
class InlineObject;
class LayoutItemStore;
class OfflineLog;
class PictureAddressLoader;

// What the builder asks of the layout context.
class LayoutBuilderHost {
 public:
  virtual ~LayoutBuilderHost() = default;
  // The width of one space in the font the drawing surface holds now.
  virtual int32_t MeasureSpace() = 0;
  // Whether HR draws a rule (some books' rules are dropped).
  virtual bool ShowsRules() { return true; }
  // The element stream reached the end of the document at `position`.
  virtual void RecordDocumentEnd(uint32_t /*position*/) {}
  // The device's screen, which picks an IMG's low- or high-resolution
  // record (by default the screen the system reports).
  virtual Size ScreenSize();
};

// The forms of a page, as the builder needs them (the interactive page
// elements implement them).
class FormControlServices {
 public:
  virtual ~FormControlServices() = default;
  // The form of that name (found or added), or null.
  virtual HtmlForm* FindForm(const SharedWideString& name, const ElementRecordStack& records, uint32_t position) = 0;
  // The form whose text range holds the position, or null.
  virtual HtmlForm* FormAtPosition(uint32_t position) = 0;
  // The control of the stream's current INPUT, SELECT, TEXTAREA or LABEL
  // (one reference, the caller's), or null when none can be built.
  virtual InlineObject* BuildControl(HtmlForm* form, ElementStream& stream, uint32_t position, int32_t* setting) = 0;
  // The built-in default of a setting key (0 for an unknown key).
  virtual int32_t GetDefaultSetting(int32_t key) = 0;
};

struct LayoutBuilderContext {
  ElementStream* stream = nullptr;
  LayoutBuilderHost* host = nullptr;
  const DefaultStyle* defaults = nullptr;
  const ElementStyle* baseStyle = nullptr;  // the style of BODY
  OfflineLog* offlineLog = nullptr;         // null: LOGAS places nothing
  DocumentSource* source = nullptr;         // pictures by record
  PictureAddressLoader* pictureLoader = nullptr;  // pictures by address
  SharedWideString baseAddress;             // what picture addresses are relative to
  FormControlServices* forms = nullptr;     // null: form controls are skipped
};

// The page being built: its open-element records with their styles (one
// style per record), the store the items go into, and the flag set when a
// style run was written, so the caller applies the new style to the
// drawing surface before the next element.
struct LayoutPageBuilder {
  ElementRecordStack* records = nullptr;
  ElementStyleRecords* styles = nullptr;
  LayoutItemStore* store = nullptr;
  bool applyStyle = false;
};

// Handles the current element of the context's stream (the caller has
// moved the stream to it; `position` is where it begins). After it the
// store's end position is the stream's position. False ends the flow.
bool ReadLayoutItems(const LayoutBuilderContext& context, LayoutPageBuilder* page, uint32_t position);

// The tag handler, for tags of the content classes 2, 13, 14 and 17:
// rules, pictures, skipped elements, form controls; *continueSteps is set
// for an opening FORM, whose general steps go on.
bool HandleTag(const LayoutBuilderContext& context, LayoutPageBuilder* page, bool* continueSteps, uint32_t position);
