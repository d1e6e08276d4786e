// EnumFontFamiliesW: the device's installed families (face_names.h), one
// callback per family, or per style (regular, bold, italic, bold italic) of
// one named family. Each callback gets the family's LOGFONTW and metrics at
// the default size, with TRUETYPE_FONTTYPE.
#include <cstring>

#include "platform/fonts/face_names.h"
#include "platform/gdi/device_context.h"
#include "platform/text_drawing/text.h"
#include "platform/text_drawing/font_object.h"

namespace {

LOGFONTW FamilyFont(const char16_t* name, bool bold, bool italic) {
  LOGFONTW font{};
  font.lfHeight = -12;
  font.lfWeight = bold ? FW_BOLD : FW_NORMAL;
  font.lfItalic = italic ? 1 : 0;
  font.lfCharSet = DEFAULT_CHARSET;
  size_t length = 0;
  while (name[length] != 0 && length < LF_FACESIZE - 1) ++length;
  std::memcpy(font.lfFaceName, name, length * sizeof(WCHAR));
  return font;
}

// Calls back for one style; false when the callback asked to stop.
bool Report(const char16_t* name, bool bold, bool italic, FONTENUMPROCW proc, LPARAM lParam, int* answer) {
  LOGFONTW font = FamilyFont(name, bold, italic);
  std::unique_ptr<fonts::FontFace> face = fonts::CurrentFontEngine().OpenFace(textdraw::RequestFor(font));
  if (!face) return true;
  TEXTMETRICW metrics;
  textdraw::FillTextMetrics(face->Metrics(), font, &metrics);
  font.lfHeight = metrics.tmHeight;
  font.lfPitchAndFamily = static_cast<BYTE>((metrics.tmPitchAndFamily & 0xF0) |
                                            ((metrics.tmPitchAndFamily & TMPF_FIXED_PITCH) ? VARIABLE_PITCH : FIXED_PITCH));
  font.lfCharSet = metrics.tmCharSet;
  *answer = proc(&font, &metrics, TRUETYPE_FONTTYPE, lParam);
  return *answer != 0;
}

int Enumerate(HDC dc, LPCWSTR family, FONTENUMPROCW proc, LPARAM lParam) {
  if (proc == nullptr || LiveDeviceContext(dc) == nullptr) return 0;
  size_t count = 0;
  const fonts::DeviceFace* faces = fonts::DeviceFaces(&count);
  int answer = 1;
  if (family == nullptr || family[0] == 0) {
    for (size_t i = 0; i < count; ++i) {
      if (!Report(faces[i].name, false, false, proc, lParam, &answer)) break;
    }
    return answer;
  }
  const fonts::DeviceFace* face = fonts::FindDeviceFace(family, LF_FACESIZE);
  if (face == nullptr) return 0;
  for (int style = 0; style < 4; ++style) {
    if (!Report(face->name, (style & 1) != 0, (style & 2) != 0, proc, lParam, &answer)) break;
  }
  return answer;
}

}  // namespace

int EnumFontFamiliesW(HDC dc, LPCWSTR family, FONTENUMPROCW proc, LPARAM lParam) {
  try {
    return Enumerate(dc, family, proc, lParam);
  } catch (...) {
    return 0;
  }
}
