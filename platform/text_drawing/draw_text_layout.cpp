// DrawTextW's line layout (rules in draw_text_layout.h).
#include "platform/text_drawing/draw_text_layout.h"

#include <algorithm>

#include "platform/fonts/builtin_glyph_design.h"
#include "platform/text_drawing/text.h"

namespace textdraw {

namespace {

struct Paragraph {
  std::u16string text;
  int32_t underlinedUnit = -1;
};

bool IsLineEnd(char16_t c) { return c == u'\r' || c == u'\n'; }
bool IsBlank(char32_t c) { return c == U' ' || c == U'\t'; }

// Splits at CR LF, CR and LF; the text itself when single-line.
std::vector<std::u16string> SplitLines(const char16_t* text, int32_t count, bool singleLine) {
  std::vector<std::u16string> lines;
  if (singleLine) {
    lines.emplace_back(text, static_cast<size_t>(count));
    return lines;
  }
  int32_t start = 0;
  for (int32_t i = 0; i < count; ++i) {
    if (!IsLineEnd(text[i])) continue;
    lines.emplace_back(text + start, static_cast<size_t>(i - start));
    if (text[i] == u'\r' && i + 1 < count && text[i + 1] == u'\n') ++i;
    start = i + 1;
  }
  lines.emplace_back(text + start, static_cast<size_t>(count - start));
  return lines;
}

// Drops the mnemonic marks: "&x" underlines x, "&&" is one '&'. Only the
// first mark of the whole text is kept (*markTaken).
Paragraph StripPrefixes(const std::u16string& line, bool* markTaken) {
  Paragraph p;
  p.text.reserve(line.size());
  for (size_t i = 0; i < line.size(); ++i) {
    if (line[i] != u'&') {
      p.text.push_back(line[i]);
      continue;
    }
    if (i + 1 >= line.size()) break;  // a lone '&' at the end is dropped
    ++i;
    if (line[i] != u'&' && !*markTaken) {
      p.underlinedUnit = static_cast<int32_t>(p.text.size());
      *markTaken = true;
    }
    p.text.push_back(line[i]);
  }
  return p;
}

class LineMaker {
 public:
  LineMaker(fonts::FontFace& face, UINT format, int64_t width, int32_t tabCharacters)
      : face_(face), format_(format), width_(width) {
    int32_t chars = tabCharacters > 0 ? tabCharacters : 8;
    tabStop_ = std::max<int64_t>(1, static_cast<int64_t>(chars) * face.Metrics().aveCharWidth);
  }

  // Lays out one paragraph into lines.
  void Add(const Paragraph& p, std::vector<LaidOutLine>* out) {
    const char16_t* text = p.text.data();
    int32_t n = static_cast<int32_t>(p.text.size());
    bool wrap = (format_ & DT_WORDBREAK) != 0 && (format_ & DT_SINGLELINE) == 0;
    int32_t start = 0;
    while (true) {
      int64_t pen = 0;
      int32_t breakEnd = -1;
      int32_t breakResume = -1;
      int32_t blankRunStart = -1;
      bool previousWide = false;
      int32_t i = start;
      bool broke = false;
      while (i < n) {
        int32_t j = i;
        char32_t ch = fonts::NextCharacter(text, n, &j);
        int64_t advance = AdvanceAt(ch, pen);
        bool blank = IsBlank(ch);
        bool wide = fonts::IsWideCharacter(ch);
        if (wrap && i > start) {
          if (blank) {
            if (blankRunStart < 0) blankRunStart = i;
            breakEnd = blankRunStart;
            breakResume = j;
          } else {
            blankRunStart = -1;
            if (wide || previousWide) {
              breakEnd = i;
              breakResume = i;
            }
            if (pen + advance > width_) {
              if (breakEnd > start) {
                Emit(p, start, breakEnd, out);
                start = SkipSpaces(text, n, breakResume);
                broke = true;
                break;
              }
              if (format_ & DT_EDITCONTROL) {
                Emit(p, start, i, out);
                start = i;
                broke = true;
                break;
              }
            }
          }
        }
        previousWide = wide;
        pen += advance;
        i = j;
      }
      if (!broke) {
        Emit(p, start, n, out);
        return;
      }
      if (start >= n) return;  // only blanks were left after the break
    }
  }

  void ApplyEllipsis(LaidOutLine* line) {
    if (line->width <= width_) return;
    int64_t dots = 3 * static_cast<int64_t>(face_.Advance(U'.'));
    int64_t used = 0;
    int32_t keep = 0;
    int32_t n = static_cast<int32_t>(line->text.size());
    int32_t i = 0;
    while (i < n) {
      int32_t j = i;
      fonts::NextCharacter(line->text.data(), n, &j);
      int64_t advance = 0;
      for (int32_t u = i; u < j; ++u) advance += line->advances[static_cast<size_t>(u)];
      if (used + advance + dots > width_) break;
      used += advance;
      i = j;
      keep = j;
    }
    line->text.resize(static_cast<size_t>(keep));
    line->advances.resize(static_cast<size_t>(keep));
    if (line->underlinedUnit >= keep) line->underlinedUnit = -1;
    int32_t dot = face_.Advance(U'.');
    for (int k = 0; k < 3; ++k) {
      line->text.push_back(u'.');
      line->advances.push_back(dot);
    }
    line->width = used + dots;
  }

 private:
  int64_t AdvanceAt(char32_t ch, int64_t pen) const {
    if (ch == U'\t' && (format_ & DT_EXPANDTABS)) return tabStop_ - (pen % tabStop_ + tabStop_) % tabStop_;
    return face_.Advance(ch);
  }

  static int32_t SkipSpaces(const char16_t* text, int32_t n, int32_t i) {
    while (i < n && text[i] == u' ') ++i;
    return i;
  }

  void Emit(const Paragraph& p, int32_t from, int32_t to, std::vector<LaidOutLine>* out) {
    LaidOutLine line;
    line.text.assign(p.text, static_cast<size_t>(from), static_cast<size_t>(to - from));
    line.advances.assign(line.text.size(), 0);
    int32_t n = static_cast<int32_t>(line.text.size());
    int64_t pen = 0;
    int32_t i = 0;
    while (i < n) {
      int32_t start = i;
      char32_t ch = fonts::NextCharacter(line.text.data(), n, &i);
      int64_t advance = AdvanceAt(ch, pen);
      if (ch == U'\t' && (format_ & DT_EXPANDTABS)) line.text[static_cast<size_t>(start)] = u' ';
      line.advances[static_cast<size_t>(start)] = static_cast<int32_t>(advance);
      pen += advance;
    }
    line.width = pen;
    if (p.underlinedUnit >= from && p.underlinedUnit < to) line.underlinedUnit = p.underlinedUnit - from;
    out->push_back(std::move(line));
  }

  fonts::FontFace& face_;
  UINT format_;
  int64_t width_;
  int64_t tabStop_;
};

}  // namespace

std::vector<LaidOutLine> LayOutText(fonts::FontFace& face, const char16_t* text, int32_t count, UINT format,
                                    int64_t width, int32_t tabCharacters) {
  std::vector<LaidOutLine> lines;
  LineMaker maker(face, format, width, tabCharacters);
  bool markTaken = false;
  for (const std::u16string& raw : SplitLines(text, count, (format & DT_SINGLELINE) != 0)) {
    Paragraph p;
    if (format & DT_NOPREFIX) {
      p.text = raw;
    } else {
      p = StripPrefixes(raw, &markTaken);
    }
    maker.Add(p, &lines);
  }
  if (format & (DT_END_ELLIPSIS | DT_WORD_ELLIPSIS | DT_PATH_ELLIPSIS)) {
    for (LaidOutLine& line : lines) maker.ApplyEllipsis(&line);
  }
  return lines;
}

}  // namespace textdraw
