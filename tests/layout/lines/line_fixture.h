// What the line tests share: a drawing surface with the built-in font's
// fixed-pitch face at cell height 10 (every narrow character 6 pixels wide,
// wide ones 9; ascent 8, descent 2), an item store filled from a short
// notation, and a walk that lays out every line of a column and reads back
// each line's record and text.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "layout/lines/line_layout.h"
#include "tests/layout/drawing/surface_fixture.h"

namespace linetest {

constexpr int32_t kCharWidth = 6;
constexpr int32_t kWideWidth = 9;

// Appends the end-of-text mark once the prepared items are used up.
class EndFeed : public ItemFeed {
 public:
  bool ReadMore(LayoutItemStore* store) override {
    ++reads;
    if (ended) return false;  // line layout never reads past the end
    ended = true;
    MarkRecord mark;
    mark.code = kMarkTextEnd;
    mark.value = 1;
    const bool ok = store->AppendItem(kMarkItem, &mark, store->endPosition, false);
    return ok;
  }
  bool ended = false;
  int reads = 0;
};

struct Line {
  LineRecord record;
  std::u16string text;  // text items, with ' ' for spaces and '-' for hyphens
};

class LineTest : public surfacetest::SurfaceTest {
 protected:
  void SetUp() override {
    SurfaceTest::SetUp();
    surface.BeginDraw(false);
    env.store = &store;
    env.feed = &feed;
    env.font = TextFont{&surface, 10, 2};
    env.frameStyle = &frameStyle;
    env.frameFormat = &frameFormat;
    env.frameStart = &frameStart;
  }
  void TearDown() override {
    surface.EndDraw();
    SurfaceTest::TearDown();
  }

  // Words and spaces: every run of non-space characters is one text item,
  // every ' ' a space mark, '\n' a paragraph end, '|' a break opportunity
  // of width 0 (as before a CJK run).
  void Fill(const std::u16string& text) {
    std::u16string word;
    uint32_t wordStart = 0;
    auto flush = [&](uint32_t at) {
      if (word.empty()) return;
      LayoutItem item;
      item.text.FromChars(word.data(), static_cast<uint32_t>(word.size()));
      ASSERT_TRUE(store.AppendKind7(item, wordStart, false));
      word.clear();
      (void)at;
    };
    for (uint32_t i = 0; i < text.size(); ++i) {
      const char16_t c = text[i];
      if (c == u' ' || c == u'\n' || c == u'|') {
        flush(i);
        ASSERT_TRUE(AppendMark(&store, c == u' ' ? kMarkSpace : c == u'\n' ? kMarkParagraphEnd : kMarkSpace,
                               c == u' ' ? kCharWidth : 0, i));
      } else {
        if (word.empty()) wordStart = i;
        word.push_back(c);
      }
    }
    flush(static_cast<uint32_t>(text.size()));
    store.endPosition = static_cast<uint32_t>(text.size());
  }

  // Lays out lines in a column of the width until the end of the text.
  std::vector<Line> LayOutAll(int32_t width, int32_t height = 100000) {
    FlowSpace space;
    space.SetColumn(0, 0, width, height);
    LayoutCursor cursor = LayoutCursor::Begin(&store);
    bool atTop = true;
    for (int guard = 0; guard < 100000; ++guard) {
      bool more = false;
      bool produced = false;
      EXPECT_TRUE(LayOutLine(env, &space, &cursor, &more, &atTop, &produced));
      if (!more || space.Remaining() <= 0) break;
    }
    return Lines();
  }

  std::vector<Line> Lines() {
    std::vector<Line> lines;
    for (LayoutCursor at = LayoutCursor::Begin(&store); !at.AtEnd(); at.Next()) {
      const uint32_t kind = at.KindAt();
      if (kind == kLineItem) {
        lines.push_back(Line{*LineAt(at), {}});
        continue;
      }
      if (lines.empty()) continue;
      if (kind == kTextItem) {
        const LayoutItem* item = TextAt(at);
        lines.back().text.append(item->text.Chars(), item->text.length);
      } else if (kind == kMarkItem && MarkAt(at)->code == kMarkSpace && MarkAt(at)->value > 0) {
        lines.back().text.push_back(u' ');
      } else if (kind == kMarkItem && MarkAt(at)->code == kMarkHyphen && shownHyphen != 0) {
        lines.back().text.push_back(shownHyphen);
      }
    }
    // A column-filling mark on an empty line leaves a line of no height.
    if (!lines.empty() && lines.back().record.height == 0 && lines.back().text.empty()) lines.pop_back();
    return lines;
  }

  static std::vector<std::u16string> TextsOf(const std::vector<Line>& lines) {
    std::vector<std::u16string> out;
    for (const Line& line : lines) out.push_back(line.text);
    return out;
  }

  char16_t shownHyphen = u'-';  // how a hyphen shown at a line end reads; 0: not at all
  LayoutItemStore store;
  EndFeed feed;
  LineEnvironment env;
  TextStyle frameStyle;
  ParagraphFormat frameFormat;
  uint32_t frameStart = 0;
};

}  // namespace linetest
