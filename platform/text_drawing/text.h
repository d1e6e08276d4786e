// The device's font and text calls: fonts (CreateFontIndirectW, GetObjectW
// of a font gives its LOGFONTW back), metrics and measurement, ExtTextOutW
// and DrawTextW, and the enumeration of the installed families. Fonts are
// made by the font engine of platform/fonts/ (the built-in deterministic
// font or FreeType); the calls are implemented in platform/text_drawing/.
//
// Device conventions kept here:
//  - a font's height is in pixels as given (negative: character height,
//    positive: cell height); scaling for the screen's dots per inch is the
//    caller's, from GetDeviceCaps(LOGPIXELSY);
//  - an empty or unknown face name gives the default (sans-serif) font;
//  - text is placed by the top-left of its cell (SetTextAlign changes that);
//    with the OPAQUE background mode the text's cells are filled with the
//    background colour; ETO_OPAQUE fills the given rectangle, ETO_CLIPPED
//    clips to it; text ignores the binary raster operation;
//  - DrawTextW clips to its rectangle unless DT_NOCLIP is given;
//  - widths are sums of whole-pixel advances (no kerning), so a text's
//    extent is the sum of its parts' extents.
#pragma once

#include "platform/gdi/gdi_types.h"

constexpr int LF_FACESIZE = 32;

struct LOGFONTW {
  LONG lfHeight;
  LONG lfWidth;
  LONG lfEscapement;
  LONG lfOrientation;
  LONG lfWeight;
  BYTE lfItalic;
  BYTE lfUnderline;
  BYTE lfStrikeOut;
  BYTE lfCharSet;
  BYTE lfOutPrecision;
  BYTE lfClipPrecision;
  BYTE lfQuality;
  BYTE lfPitchAndFamily;
  WCHAR lfFaceName[LF_FACESIZE];
};

struct TEXTMETRICW {
  LONG tmHeight;
  LONG tmAscent;
  LONG tmDescent;
  LONG tmInternalLeading;
  LONG tmExternalLeading;
  LONG tmAveCharWidth;
  LONG tmMaxCharWidth;
  LONG tmWeight;
  LONG tmOverhang;
  LONG tmDigitizedAspectX;
  LONG tmDigitizedAspectY;
  WCHAR tmFirstChar;
  WCHAR tmLastChar;
  WCHAR tmDefaultChar;
  WCHAR tmBreakChar;
  BYTE tmItalic;
  BYTE tmUnderlined;
  BYTE tmStruckOut;
  BYTE tmPitchAndFamily;
  BYTE tmCharSet;
};

// Weights.
constexpr LONG FW_DONTCARE = 0;
constexpr LONG FW_THIN = 100;
constexpr LONG FW_LIGHT = 300;
constexpr LONG FW_NORMAL = 400;
constexpr LONG FW_MEDIUM = 500;
constexpr LONG FW_SEMIBOLD = 600;
constexpr LONG FW_BOLD = 700;
constexpr LONG FW_HEAVY = 900;

// Character sets.
constexpr BYTE ANSI_CHARSET = 0;
constexpr BYTE DEFAULT_CHARSET = 1;
constexpr BYTE SYMBOL_CHARSET = 2;

// Qualities.
constexpr BYTE DEFAULT_QUALITY = 0;
constexpr BYTE DRAFT_QUALITY = 1;
constexpr BYTE PROOF_QUALITY = 2;
constexpr BYTE NONANTIALIASED_QUALITY = 3;
constexpr BYTE ANTIALIASED_QUALITY = 4;
constexpr BYTE CLEARTYPE_QUALITY = 5;

// Pitch and family (LOGFONTW), and the tmPitchAndFamily bits. Note the
// device's naming: TMPF_FIXED_PITCH set means a variable-pitch font.
constexpr BYTE DEFAULT_PITCH = 0;
constexpr BYTE FIXED_PITCH = 1;
constexpr BYTE VARIABLE_PITCH = 2;
constexpr BYTE FF_DONTCARE = 0x00;
constexpr BYTE FF_ROMAN = 0x10;
constexpr BYTE FF_SWISS = 0x20;
constexpr BYTE FF_MODERN = 0x30;
constexpr BYTE FF_DECORATIVE = 0x50;
constexpr BYTE TMPF_FIXED_PITCH = 0x01;
constexpr BYTE TMPF_VECTOR = 0x02;
constexpr BYTE TMPF_TRUETYPE = 0x04;

// EnumFontFamiliesW font types.
constexpr DWORD RASTER_FONTTYPE = 0x0001;
constexpr DWORD DEVICE_FONTTYPE = 0x0002;
constexpr DWORD TRUETYPE_FONTTYPE = 0x0004;
using FONTENUMPROCW = int (*)(const LOGFONTW* font, const TEXTMETRICW* metrics, DWORD fontType, LPARAM lParam);

// ExtTextOutW options.
constexpr UINT ETO_OPAQUE = 0x0002;
constexpr UINT ETO_CLIPPED = 0x0004;

// SetTextAlign.
constexpr UINT TA_NOUPDATECP = 0;
constexpr UINT TA_UPDATECP = 1;
constexpr UINT TA_LEFT = 0;
constexpr UINT TA_RIGHT = 2;
constexpr UINT TA_CENTER = 6;
constexpr UINT TA_TOP = 0;
constexpr UINT TA_BOTTOM = 8;
constexpr UINT TA_BASELINE = 24;
constexpr UINT GDI_ERROR = 0xFFFFFFFFu;

// DrawTextW formats.
constexpr UINT DT_TOP = 0x00000000;
constexpr UINT DT_LEFT = 0x00000000;
constexpr UINT DT_CENTER = 0x00000001;
constexpr UINT DT_RIGHT = 0x00000002;
constexpr UINT DT_VCENTER = 0x00000004;
constexpr UINT DT_BOTTOM = 0x00000008;
constexpr UINT DT_WORDBREAK = 0x00000010;
constexpr UINT DT_SINGLELINE = 0x00000020;
constexpr UINT DT_EXPANDTABS = 0x00000040;
constexpr UINT DT_TABSTOP = 0x00000080;
constexpr UINT DT_NOCLIP = 0x00000100;
constexpr UINT DT_EXTERNALLEADING = 0x00000200;
constexpr UINT DT_CALCRECT = 0x00000400;
constexpr UINT DT_NOPREFIX = 0x00000800;
constexpr UINT DT_INTERNAL = 0x00001000;
constexpr UINT DT_EDITCONTROL = 0x00002000;
constexpr UINT DT_PATH_ELLIPSIS = 0x00004000;
constexpr UINT DT_END_ELLIPSIS = 0x00008000;
constexpr UINT DT_MODIFYSTRING = 0x00010000;
constexpr UINT DT_RTLREADING = 0x00020000;
constexpr UINT DT_WORD_ELLIPSIS = 0x00040000;

// Fonts. CreateFontIndirectW answers null when the font cannot be made
// (no memory, an injected failure). DeleteObject frees a font.
HFONT CreateFontIndirectW(const LOGFONTW* font);
BOOL GetTextMetricsW(HDC dc, TEXTMETRICW* metrics);
// The face name of the selected font as it was asked for (at most count
// characters with the null); the number of characters copied, without it.
int GetTextFaceW(HDC dc, int count, LPWSTR face);
// One callback per installed family (family null) or per style of the
// named family; stops when the callback answers 0 and answers its last
// answer (1 when nothing was called back with a null family, 0 for an
// unknown family).
int EnumFontFamiliesW(HDC dc, LPCWSTR family, FONTENUMPROCW proc, LPARAM lParam);

// Measurement. Both answer the text's width and the font's height.
// GetTextExtentExPointW also counts in *fit how many characters fit in
// maxExtent (when fit is given) and writes into partial[i] the width of the
// first i + 1 characters, for every character (when partial is given).
BOOL GetTextExtentPoint32W(HDC dc, LPCWSTR text, int count, SIZE* size);
BOOL GetTextExtentExPointW(HDC dc, LPCWSTR text, int count, int maxExtent, LPINT fit, LPINT partial,
                           SIZE* size);

// Output.
UINT SetTextAlign(HDC dc, UINT align);
UINT GetTextAlign(HDC dc);
// spacing, when given, holds the advance of each character in place of
// the font's.
BOOL ExtTextOutW(HDC dc, int x, int y, UINT options, const RECT* rect, LPCWSTR text, UINT count,
                 const int* spacing);
// Answers the height of the text drawn (or measured with DT_CALCRECT); with
// DT_VCENTER or DT_BOTTOM, the offset from rect's top to the bottom of the
// text; 0 on failure.
int DrawTextW(HDC dc, LPCWSTR text, int count, RECT* rect, UINT format);
