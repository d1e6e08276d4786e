// FakeFramesetSource: a document source that describes frames, standing in
// for a book format that carries them (none does yet). It wraps a loaded
// source (a book) and answers like it, and adds the frame description the
// test sets. A frame view shows the frame numbered by its entry's value: the
// parser made for that number comes from the source the test gave the
// number, else from the wrapped one, and can be made to fail.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "storage/sources/document_source.h"

namespace testbuild {

// One entry of a description as tests write it: children make a nested set.
struct FrameEntrySpec {
  uint32_t flags = kFrameEntryFrame;
  std::u16string name;
  int32_t value = 0;
  int32_t size = 1;
  uint32_t sizeKind = 3;
  uint32_t options = 0;
  uint32_t language = 0;
  std::vector<FrameEntrySpec> children;
};

// The description in document order (the top entry first, each entry's
// descendants after it); false when memory runs out.
inline bool AppendFrameEntries(const FrameEntrySpec& spec, FrameDescription* out) {
  const uint32_t at = out->entries.count;
  FrameEntry* entry = out->entries.AppendSlot();
  if (entry == nullptr) return false;
  *entry = FrameEntry();
  entry->flags = spec.flags | (spec.children.empty() ? 0 : kFrameEntryChildren);
  if (!spec.name.empty() &&
      !entry->name.FromChars(reinterpret_cast<const WCHAR*>(spec.name.data()), static_cast<uint32_t>(spec.name.size())))
    return false;
  entry->value = spec.value;
  entry->size = spec.size;
  entry->sizeKind = spec.sizeKind;
  entry->options = spec.options;
  entry->language = spec.language;
  for (const FrameEntrySpec& child : spec.children) {
    if (!AppendFrameEntries(child, out)) return false;
  }
  out->entries[at].descendants = out->entries.count - at - 1;
  return true;
}

class FakeFramesetSource final : public DocumentSource {
 public:
  // Wraps the source (a reference is taken); the caller owns the one
  // reference of the answer.
  static FakeFramesetSource* Create(DocumentSource* inner) {
    FakeFramesetSource* source = new FakeFramesetSource(inner);
    source->SetUrl(inner->GetUrl());
    return source;
  }

  // ---- Test controls and observations.
  FrameEntrySpec top{kFrameEntryBorder, u"", 0, 1, 3, 0, 0, {}};
  bool holdsFrames = true;
  bool failDescription = false;
  // The raw entries handed out instead of top's (for damaged trees).
  std::vector<FrameEntry> rawEntries;
  // The (position, previous) pairs the description was asked for.
  std::vector<std::pair<int32_t, int32_t>> asked;
  // The frame numbers whose parser cannot be made.
  std::vector<int32_t> failingFrames;
  // The frame numbers parsers were made for, in order.
  std::vector<int32_t> parsersMade;

  // The source a frame number shows (a reference is taken).
  void SetFrameSource(int32_t value, DocumentSource* source) {
    source->AddRef();
    auto found = frames_.find(value);
    if (found != frames_.end()) found->second->Release();
    frames_[value] = source;
  }

  // ---- DocumentSource
  bool GetFrameDescription(int32_t position, int32_t previous, FrameDescription* out, bool* holds) override {
    asked.emplace_back(position, previous);
    out->Clear();
    *holds = false;
    if (failDescription) return false;
    if (!holdsFrames) return true;
    if (!rawEntries.empty()) {
      for (const FrameEntry& entry : rawEntries) {
        if (out->entries.Append(entry) < 0) return false;
      }
    } else if (!AppendFrameEntries(top, out)) {
      out->Clear();
      return false;
    }
    *holds = true;
    return true;
  }
  bool GetTitle(SharedWideString* title) override { return inner_->GetTitle(title); }
  bool HasEmbeddedStreams() override { return inner_->HasEmbeddedStreams(); }
  void OpenStreamByName(DocumentStreamPtr* out, const WCHAR* name, uint32_t length) override {
    inner_->OpenStreamByName(out, name, length);
  }
  void OpenStreamByIndex(DocumentStreamPtr* out, int32_t index) override { inner_->OpenStreamByIndex(out, index); }
  bool ResolveInnerLink(const WCHAR* name, uint32_t length, InnerLink* link) override {
    return inner_->ResolveInnerLink(name, length, link);
  }
  Document* GetDocument() override { return inner_->GetDocument(); }
  bool CreateParser(ElementStream** parser, LayoutContext** layout, uint32_t argument) override {
    const int32_t value = static_cast<int32_t>(argument);
    parsersMade.push_back(value);
    for (int32_t failing : failingFrames) {
      if (failing == value) {
        *parser = nullptr;
        if (layout != nullptr) *layout = nullptr;
        return false;
      }
    }
    DocumentSource* from = SourceFor(value);
    if (!from->CreateParser(parser, layout, 0)) return false;
    made_.emplace_back(*parser, from);
    return true;
  }
  void DestroyParser(ElementStream* parser, LayoutContext* layout) override {
    for (auto it = made_.begin(); it != made_.end(); ++it) {
      if (it->first == parser) {
        DocumentSource* from = it->second;
        made_.erase(it);
        from->DestroyParser(parser, layout);
        return;
      }
    }
    inner_->DestroyParser(parser, layout);
  }
  TextSearcher* CreateTextSearch() override { return inner_->CreateTextSearch(); }
  bool HasSpecialTable(int32_t kind) override { return inner_->HasSpecialTable(kind); }
  DocumentStream* OpenSpecialTable(int32_t kind, uint32_t argument) override {
    return inner_->OpenSpecialTable(kind, argument);
  }
  DocumentStream* OpenTableAtRecord(uint32_t record) override { return inner_->OpenTableAtRecord(record); }
  DocumentStream* OpenNamedTable(const WCHAR* name, uint32_t length, uint32_t argument) override {
    return inner_->OpenNamedTable(name, length, argument);
  }
  int32_t GetSourceKind() override { return inner_->GetSourceKind(); }

 private:
  explicit FakeFramesetSource(DocumentSource* inner) : inner_(inner) { inner_->AddRef(); }
  ~FakeFramesetSource() override {
    for (auto& frame : frames_) frame.second->Release();
    inner_->Release();
  }

  DocumentSource* SourceFor(int32_t value) {
    auto found = frames_.find(value);
    return found != frames_.end() ? found->second : inner_;
  }

  DocumentSource* inner_;
  std::map<int32_t, DocumentSource*> frames_;
  std::vector<std::pair<ElementStream*, DocumentSource*>> made_;
};

}  // namespace testbuild
