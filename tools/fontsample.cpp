// fontsample: draws a sample screen of text through the device's text calls
// (several faces, sizes and styles, accented and CJK text, DrawTextW
// layouts) and writes it as a PNG, to see how the font engines render.
//
//   fontsample OUTPUT.png [freetype|builtin] [bits per pixel: 8, 16, 32]
//   fontsample -h | --help
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/fonts/font_engine.h"
#include "platform/gdi/bitmap_pixels.h"
#include "platform/gdi/gdi.h"
#include "platform/text_drawing/text.h"

#include "tools/command_line.h"

namespace {

constexpr int kWidth = 480;
constexpr int kHeight = 640;

HFONT MakeFont(const char16_t* face, LONG height, LONG weight = FW_NORMAL, bool italic = false,
               bool underline = false, bool strikeOut = false, BYTE quality = DEFAULT_QUALITY) {
  LOGFONTW font{};
  font.lfHeight = height;
  font.lfWeight = weight;
  font.lfItalic = italic;
  font.lfUnderline = underline;
  font.lfStrikeOut = strikeOut;
  font.lfQuality = quality;
  font.lfCharSet = DEFAULT_CHARSET;
  std::memcpy(font.lfFaceName, face, std::char_traits<char16_t>::length(face) * sizeof(char16_t));
  return CreateFontIndirectW(&font);
}

class Painter {
 public:
  explicit Painter(HDC dc) : dc_(dc) { original_ = GetCurrentObject(dc, OBJ_FONT); }
  ~Painter() { Use(nullptr); }

  // Selects a new font (deleting the previous one made here).
  void Use(HFONT font) {
    SelectObject(dc_, font != nullptr ? font : original_);
    if (current_ != nullptr) DeleteObject(current_);
    current_ = font;
  }

  // One line at the left margin; the cursor moves below it.
  void Line(const std::u16string& text, int gap = 2) {
    ExtTextOutW(dc_, 8, y_, 0, nullptr, text.c_str(), static_cast<UINT>(text.size()), nullptr);
    TEXTMETRICW tm{};
    GetTextMetricsW(dc_, &tm);
    y_ += tm.tmHeight + gap;
  }

  int y() const { return y_; }
  void Skip(int pixels) { y_ += pixels; }

 private:
  HDC dc_;
  HGDIOBJ original_;
  HFONT current_ = nullptr;
  int y_ = 0;
};

std::u16string Text(const char16_t* prefix, int number, const char16_t* suffix) {
  std::u16string out = prefix;
  for (char c : std::to_string(number)) out += static_cast<char16_t>(c);
  return out + suffix;
}

void Fill(HDC dc, RECT rect, COLORREF colour) {
  HBRUSH brush = CreateSolidBrush(colour);
  FillRect(dc, &rect, brush);
  DeleteObject(brush);
}

void DrawSample(HDC dc, const char* engineName) {
  Fill(dc, RECT{0, 0, kWidth, kHeight}, RGB(255, 255, 255));
  Painter p(dc);
  SetBkMode(dc, TRANSPARENT);

  // A title band.
  Fill(dc, RECT{0, 0, kWidth, 28}, RGB(0, 60, 140));
  SetTextColor(dc, RGB(255, 255, 255));
  p.Use(MakeFont(u"Tahoma", -16, FW_BOLD));
  std::u16string title = u"Font sample: ";
  for (const char* c = engineName; *c; ++c) title += static_cast<char16_t>(*c);
  RECT band{0, 0, kWidth, 28};
  DrawTextW(dc, title.c_str(), -1, &band, DT_SINGLELINE | DT_CENTER | DT_VCENTER | DT_NOPREFIX);
  p.Skip(34);
  SetTextColor(dc, RGB(0, 0, 0));

  // Faces.
  const char16_t* faces[] = {u"Tahoma", u"Times New Roman", u"Courier New", u"Frutiger Linotype", u"Courrier New"};
  for (const char16_t* face : faces) {
    p.Use(MakeFont(face, -13));
    p.Line(std::u16string(face) + u": The quick brown fox jumps over the lazy dog.");
  }
  p.Skip(4);

  // Sizes.
  for (int size : {8, 10, 12, 16, 20, 28}) {
    p.Use(MakeFont(u"Tahoma", -size));
    p.Line(Text(u"Size ", size, u": Reading page 12 of 340"));
  }
  p.Skip(4);

  // Styles.
  p.Use(MakeFont(u"Tahoma", -14, FW_BOLD));
  p.Line(u"Bold: Chapter One");
  p.Use(MakeFont(u"Times New Roman", -14, FW_NORMAL, true));
  p.Line(u"Italic: an emphasised phrase in a serif face");
  p.Use(MakeFont(u"Tahoma", -14, FW_BOLD, true));
  p.Line(u"Bold italic: warning!");
  p.Use(MakeFont(u"Tahoma", -14, FW_NORMAL, false, true));
  SetTextColor(dc, RGB(0, 0, 200));
  p.Line(u"Underlined: a link to the next page");
  SetTextColor(dc, RGB(0, 0, 0));
  p.Use(MakeFont(u"Tahoma", -14, FW_NORMAL, false, false, true));
  p.Line(u"Struck out: an old price 12.99");
  p.Use(MakeFont(u"Tahoma", -14, FW_NORMAL, false, false, false, NONANTIALIASED_QUALITY));
  p.Line(u"Not smoothed: NONANTIALIASED_QUALITY");
  p.Use(MakeFont(u"Tahoma", -14));
  SetBkMode(dc, OPAQUE);
  SetBkColor(dc, RGB(255, 240, 120));
  p.Line(u"Highlighted with an opaque background");
  SetBkMode(dc, TRANSPARENT);
  p.Skip(4);

  // Languages.
  p.Use(MakeFont(u"Tahoma", -14));
  p.Line(u"Fran\u00e7ais : \u00e0 c\u00f4t\u00e9, \u00e9l\u00e8ve, gar\u00e7on, \u00ab citation \u00bb, 12 \u20ac");
  p.Line(u"Deutsch: Gr\u00f6\u00dfe, \u00dcbung, \u00e4u\u00dferst \u2014 \u201eZitat\u201c");
  p.Line(u"\u4e2d\u6587 \u65e5\u672c\u8a9e\u306e\u6587\u7ae0 \ud55c\uad6d\uc5b4 \u2026 mixed with Latin");
  p.Skip(6);

  // DrawTextW in framed boxes.
  p.Use(MakeFont(u"Tahoma", -12));
  int top = p.y();
  RECT frame{8, top, 236, top + 84};
  HGDIOBJ pen = SelectObject(dc, GetStockObject(BLACK_PEN));
  HGDIOBJ brush = SelectObject(dc, GetStockObject(NULL_BRUSH));
  Rectangle(dc, frame.left, frame.top, frame.right, frame.bottom);
  RECT inside{frame.left + 4, frame.top + 3, frame.right - 4, frame.bottom - 3};
  DrawTextW(dc,
            u"Word-wrapped paragraph drawn with DrawTextW: the lines break at blanks and are "
            u"clipped to the box when they run past its bottom edge, like this one does.",
            -1, &inside, DT_WORDBREAK | DT_NOPREFIX);
  RECT right{244, top, 472, top + 84};
  Rectangle(dc, right.left, right.top, right.right, right.bottom);
  RECT line1{right.left, right.top, right.right, right.top + 28};
  DrawTextW(dc, u"Centred in one line", -1, &line1, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
  RECT line2{right.left + 4, right.top + 28, right.right - 4, right.top + 56};
  DrawTextW(dc, u"&Menu item with a mnemonic", -1, &line2, DT_SINGLELINE | DT_VCENTER);
  RECT line3{right.left + 4, right.top + 56, right.right - 4, right.bottom};
  DrawTextW(dc, u"An ellipsis ends this text that is far too long", -1, &line3,
            DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS);
  SelectObject(dc, pen);
  SelectObject(dc, brush);
  p.Skip(92);

  // Light text on a dark background.
  Fill(dc, RECT{0, p.y(), kWidth, p.y() + 26}, RGB(30, 30, 30));
  SetTextColor(dc, RGB(255, 220, 0));
  p.Use(MakeFont(u"Tahoma", -15, FW_BOLD));
  p.Skip(4);
  p.Line(u"Light text on a dark band: night reading mode");
  p.Use(nullptr);
}

}  // namespace

int main(int argc, char** argv) {
  static const char kUsage[] = "usage: fontsample OUTPUT.png [freetype|builtin] [8|16|32]\n";
  // Every argument is a value, so an option is either help or a mistake (and
  // never the name of the picture written).
  for (int i = 1; i < argc; ++i) {
    if (toolcli::IsHelp(argv[i])) return toolcli::ShowUsage(kUsage);
    if (toolcli::IsOption(argv[i])) return toolcli::UsageError(kUsage);
  }
  if (argc < 2 || argc > 4) return toolcli::UsageError(kUsage);
  const char* engine = argc > 2 ? argv[2] : "freetype";
  int bits = argc > 3 ? std::atoi(argv[3]) : 16;
  if (std::strcmp(engine, "builtin") == 0) {
    fonts::SelectFontEngine(fonts::EngineKind::Builtin);
  } else if (std::strcmp(engine, "freetype") == 0) {
    fonts::SelectFontEngine(fonts::EngineKind::FreeType);
  } else {
    std::fprintf(stderr, "fontsample: unknown engine %s\n", engine);
    return 2;
  }
  if (bits != 8 && bits != 16 && bits != 32) {
    std::fprintf(stderr, "fontsample: bits per pixel must be 8, 16 or 32\n");
    return 2;
  }
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP bitmap = CreateBitmap(kWidth, kHeight, 1, static_cast<UINT>(bits), nullptr);
  if (dc == nullptr || bitmap == nullptr) {
    std::fprintf(stderr, "fontsample: cannot make the drawing surface\n");
    return 1;
  }
  HGDIOBJ previous = SelectObject(dc, bitmap);
  DrawSample(dc, engine);
  bool written = devgdi::WriteBitmapPng(bitmap, argv[1]);
  SelectObject(dc, previous);
  DeleteObject(bitmap);
  DeleteDC(dc);
  if (!written) {
    std::fprintf(stderr, "fontsample: cannot write %s\n", argv[1]);
    return 1;
  }
  std::printf("%s\n", argv[1]);
  return 0;
}
