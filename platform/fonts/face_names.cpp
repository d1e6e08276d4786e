// The device's faces. The handheld ships a few faces in ROM (a sans-serif
// system face, a fixed-pitch face, a serif face and a symbol face), and the
// reader names a few more; each is drawn with the nearest family the font
// engine has.
#include "platform/fonts/face_names.h"

namespace fonts {

namespace {

constexpr DeviceFace kFaces[] = {
    {u"Tahoma", FontFamily::Sans},
    {u"Arial", FontFamily::Sans},
    {u"Frutiger Linotype", FontFamily::Sans},
    {u"Nina", FontFamily::Sans},
    {u"Segoe Condensed", FontFamily::Sans},
    {u"Verdana", FontFamily::Sans},
    {u"Courier New", FontFamily::Mono},
    {u"Times New Roman", FontFamily::Serif},
    {u"Georgia", FontFamily::Serif},
    {u"Bookdings", FontFamily::Symbol},
};

char16_t FoldAscii(char16_t c) { return (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c + 32) : c; }

bool SameName(const char16_t* known, const char16_t* name, size_t length) {
  size_t i = 0;
  for (; i < length && name[i] != 0; ++i) {
    if (known[i] == 0 || FoldAscii(known[i]) != FoldAscii(name[i])) return false;
  }
  return known[i] == 0;
}

}  // namespace

const DeviceFace* FindDeviceFace(const char16_t* name, size_t length) {
  if (name == nullptr) return nullptr;
  for (const DeviceFace& face : kFaces) {
    if (SameName(face.name, name, length)) return &face;
  }
  return nullptr;
}

const DeviceFace* DeviceFaces(size_t* count) {
  *count = sizeof(kFaces) / sizeof(kFaces[0]);
  return kFaces;
}

FontFamily FamilyOfFace(const char16_t* name, size_t length) {
  const DeviceFace* face = FindDeviceFace(name, length);
  return face != nullptr ? face->family : FontFamily::Sans;
}

}  // namespace fonts
