// A token source holding one tag with its attributes, for style tests.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "layout/markup/element_stream.h"

class TagSource : public TokenSource {
 public:
  TagSource(uint32_t tag, std::vector<std::pair<uint32_t, std::u16string>> attributes, bool closing = false)
      : tag_(tag), closing_(closing) {
    for (auto& [id, text] : attributes) {
      MarkupAttribute attribute;
      attribute.id = id;
      attribute.complete = 1;
      attribute.value.FromChars(text.data(), static_cast<uint32_t>(text.size()));
      attributes_.push_back(attribute);
    }
  }
  uint32_t GetPosition() override { return 0; }
  uint32_t GetTag(bool* closing, bool* selfContained) override {
    *closing = closing_;
    *selfContained = false;
    return tag_;
  }
  uint32_t GetAttributeCount() override { return static_cast<uint32_t>(attributes_.size()); }
  const MarkupAttribute* GetAttribute(uint32_t n) override {
    return n < attributes_.size() ? &attributes_[n] : nullptr;
  }

 private:
  uint32_t tag_;
  bool closing_;
  std::vector<MarkupAttribute> attributes_;
};
