// A recording fake of the reading view the application frame drives: it
// records every call in order as text ("element 66", "open oeb:library",
// "display 81", "key 11", ...) and answers what a test sets.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "app/frame/frame_view.h"
#include "app/window/key_records.h"

namespace testbuild {

class FakeFrameView final : public AppFrameView {
 public:
  void AttachWindow(HWND window) override {
    attachedWindow = window;
    Log("attach");
  }
  void ElementCommand(uint32_t command) override { Log("element " + std::to_string(command)); }
  void DisplayCommand(uint32_t command) override { Log("display " + std::to_string(command)); }
  void KeyCommand(const UiCommand& command) override {
    keys.push_back(command);
    Log("key " + std::to_string(CodeForContext(command, 2)));
  }
  void StylusEvent(uint32_t message, POINT point, bool) override {
    Log("stylus " + std::to_string(message) + " " + std::to_string(point.x) + "," + std::to_string(point.y));
  }
  bool AutoScrolling() const override { return autoScrolling; }
  bool DisplayTimer(uintptr_t id) override {
    if (id != displayTimer) return false;
    Log("display timer");
    return true;
  }
  bool GetViewRect(Rect* out) override {
    *out = viewRect;
    return !viewRect.IsEmpty();
  }
  bool StepViewPage() override {
    Log("step page");
    return pagesLeft > 0 && pagesLeft-- > 0;
  }
  void ScrollViewToLine(int32_t offset, int32_t step) override {
    Log("scroll to " + std::to_string(offset) + " " + std::to_string(step));
  }
  void Paint(HDC, const RECT&) override { ++paints; }
  void Resize(int32_t width, int32_t height) override {
    Log("resize " + std::to_string(width) + "x" + std::to_string(height));
  }
  bool OpenAddress(const EncodedString& address, const NavigationRequestCode* request) override {
    std::string text = "open " + Narrow(address);
    if (request != nullptr) text += " {" + std::to_string(request->code) + "," + std::to_string(request->command) + "}";
    Log(text);
    return openSucceeds || Narrow(address) == "oeb:library";
  }
  bool ReloadWithRequest(const NavigationRequestCode& r) override {
    Log("reload {" + std::to_string(r.code) + "," + std::to_string(r.command) + "}");
    return true;
  }
  void CloseDocument() override { Log("close"); }
  void ChangeTextSize(int32_t delta) override { Log("size " + std::to_string(delta)); }
  void GoForward() override { Log("forward"); }
  void GoToFirstPage() override { Log("first page"); }
  void GoToStartReading() override { Log("start reading"); }
  bool GoToToc() override {
    Log("toc");
    return true;
  }
  bool FollowGuideReference(const WCHAR* type) override {
    std::string text = "guide ";
    for (const WCHAR* c = type; *c != 0; ++c) text += static_cast<char>(*c);
    Log(text);
    return guideFollows;
  }
  bool Start(bool doNotReopen, bool noBookNamed) override {
    Log(std::string("start ") + (doNotReopen ? "1" : "0") + (noBookNamed ? "1" : "0"));
    if (onStart) onStart();
    return startSucceeds;
  }
  void Reload(const EncodedString& path, bool force) override {
    Log("reload " + Narrow(path) + (force ? " forced" : ""));
  }
  void RefreshElements() override { Log("refresh"); }
  bool HasDocument() const override { return hasDocument; }
  bool IsInternalPage() const override { return internalPage; }
  bool HasSideFile() const override { return hasSideFile; }
  bool GetDocumentTitle(EncodedString* out) const override {
    if (title.empty()) return false;
    out->FromWide(title.c_str());
    return true;
  }
  bool GetDocumentPath(EncodedString* out) const override {
    if (path.empty()) return false;
    out->FromWide(path.c_str());
    return true;
  }
  bool GetBaseAddress(SharedWideString* out) const override {
    if (baseAddress.empty()) return false;
    return out->FromChars(baseAddress.data(), static_cast<uint32_t>(baseAddress.size()));
  }
  uint32_t ViewMode() const override { return viewMode; }
  void SaveViewState() override { Log("save state"); }
  bool GetSelectedText(SharedWideString* out) const override {
    out->Clear();
    if (selection.empty()) return false;
    out->FromChars(selection.data(), static_cast<uint32_t>(selection.size()));
    return true;
  }
  void CancelSelection() override { Log("cancel selection"); }
  bool CurrentPageHasBookmark() const override { return pageHasBookmark; }
  bool SelectionHasHighlight() const override { return selectionHasHighlight; }
  bool LinkRequestPending() const override { return linkPending; }
  bool SelectionOffersImage() const override { return offersImage; }
  bool OffersCommand(uint32_t command) const override { return command == offeredCommand; }

  // Marks: a list the controller reads and changes.
  struct Mark {
    TextRange range;
    uint32_t kind = 0;
    uint32_t colour = 0;
    std::u16string note;
  };
  bool GetSelectionRange(TextRange* range, SharedWideString* text) const override {
    if (!hasSelectionRange) return false;
    *range = selectionRange;
    text->Clear();
    if (!selection.empty()) text->FromChars(selection.data(), static_cast<uint32_t>(selection.size()));
    return true;
  }
  bool GetPageRange(TextRange* range) const override {
    *range = pageRange;
    return true;
  }
  bool GetLookupWord(SharedWideString* word) const override {
    word->Clear();
    if (lookupWord.empty()) return false;
    word->FromChars(lookupWord.data(), static_cast<uint32_t>(lookupWord.size()));
    return true;
  }
  int32_t FindMarkOfKind(const TextRange& range, uint32_t kinds) const override {
    for (size_t i = 0; i < marks.size(); ++i) {
      const Mark& m = marks[i];
      if ((m.kind & kinds) != 0 && m.range.start >= range.start && m.range.end <= range.end)
        return static_cast<int32_t>(i);
    }
    return -1;
  }
  bool GetMark(int32_t index, uint32_t* kind, SharedWideString* markedText, SharedWideString* note) const override {
    if (index < 0 || static_cast<size_t>(index) >= marks.size()) return false;
    const Mark& m = marks[static_cast<size_t>(index)];
    *kind = m.kind;
    markedText->Clear();
    if (!markedTextOfMarks.empty()) markedText->FromChars(markedTextOfMarks.data(), static_cast<uint32_t>(markedTextOfMarks.size()));
    note->Clear();
    if (!m.note.empty()) note->FromChars(m.note.data(), static_cast<uint32_t>(m.note.size()));
    return true;
  }
  bool AddMark(const TextRange& range, uint32_t kind, uint32_t colour, const SharedWideString& note) override {
    Mark m{range, kind, colour, Text(note)};
    marks.push_back(m);
    Log("add mark " + std::to_string(kind) + " " + std::to_string(range.start) + "-" + std::to_string(range.end));
    return true;
  }
  bool DeleteMark(int32_t index) override {
    if (index < 0 || static_cast<size_t>(index) >= marks.size()) return false;
    marks.erase(marks.begin() + index);
    Log("delete mark " + std::to_string(index));
    return true;
  }
  void DeleteMarksInRange(uint32_t kinds, const TextRange& range) override {
    Log("delete marks " + std::to_string(kinds) + " " + std::to_string(range.start) + "-" + std::to_string(range.end));
    for (size_t i = marks.size(); i-- > 0;)
      if ((marks[i].kind & kinds) != 0 && marks[i].range.start >= range.start && marks[i].range.end <= range.end)
        marks.erase(marks.begin() + static_cast<ptrdiff_t>(i));
  }
  bool SetMarkNote(int32_t index, const SharedWideString& note) override {
    if (index < 0 || static_cast<size_t>(index) >= marks.size()) return false;
    marks[static_cast<size_t>(index)].note = Text(note);
    Log("note " + std::to_string(index));
    return true;
  }
  bool BeginLinkRequest() override {
    Log("begin link");
    linkPending = true;
    return true;
  }
  bool CompleteLinkRequest() override {
    Log("complete link");
    linkPending = false;
    return linkStores;
  }
  void EditDrawingAtSelection() override { Log("drawing"); }

  static std::u16string Text(const SharedWideString& s) {
    return s.IsEmpty() ? std::u16string() : std::u16string(s.Chars(), s.length);
  }
  void Log(const std::string& text) { calls.push_back(text); }
  static std::string Narrow(const EncodedString& s) {
    std::string out;
    const auto* chars = reinterpret_cast<const char16_t*>(s.UnsignedBytes());
    for (uint32_t i = 0; i < s.ByteLength() / 2; ++i) out += chars[i] < 128 ? static_cast<char>(chars[i]) : '?';
    return out;
  }

  std::vector<std::string> calls;
  std::vector<UiCommand> keys;
  std::function<void()> onStart;
  int paints = 0;
  bool autoScrolling = false;
  HWND attachedWindow = nullptr;
  uintptr_t displayTimer = 1;
  Rect viewRect;
  int pagesLeft = 0;
  bool openSucceeds = true;
  bool guideFollows = false;
  bool startSucceeds = true;
  bool hasDocument = false;
  bool internalPage = false;
  bool hasSideFile = false;
  bool pageHasBookmark = false;
  bool selectionHasHighlight = false;
  bool linkPending = false;
  bool offersImage = false;
  uint32_t offeredCommand = 0xFFFFFFFF;
  uint32_t viewMode = 1;
  bool hasSelectionRange = false;
  TextRange selectionRange;
  TextRange pageRange{100, 400};
  std::u16string lookupWord;
  std::u16string markedTextOfMarks;
  std::vector<Mark> marks;
  bool linkStores = true;
  std::u16string title;
  std::u16string path;
  std::u16string baseAddress;
  std::u16string selection;
};

// The listener that notes every executed command.
class RecordingCommandListener final : public CommandListener {
 public:
  void AfterCommand(uint32_t command) override { commands.push_back(command); }
  std::vector<uint32_t> commands;
};

}  // namespace testbuild
