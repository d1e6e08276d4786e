// Face names of the device map to families; unknown names (the reader's
// deliberately misspelt "Courrier New" among them) give the default font.
#include <gtest/gtest.h>

#include <string>

#include "platform/fonts/face_names.h"

namespace {

fonts::FontFamily FamilyOf(const std::u16string& name) { return fonts::FamilyOfFace(name.c_str(), 32); }

TEST(FontFaceNames, DeviceFacesMapToFamilies) {
  struct Case {
    std::u16string name;
    fonts::FontFamily family;
  } cases[] = {
      {u"Tahoma", fonts::FontFamily::Sans},
      {u"tahoma", fonts::FontFamily::Sans},
      {u"Courier New", fonts::FontFamily::Mono},
      {u"COURIER NEW", fonts::FontFamily::Mono},
      {u"Times New Roman", fonts::FontFamily::Serif},
      {u"Arial", fonts::FontFamily::Sans},
      {u"Frutiger Linotype", fonts::FontFamily::Sans},
      {u"Bookdings", fonts::FontFamily::Symbol},
      {u"Courrier New", fonts::FontFamily::Sans},  // unknown: the default
      {u"Courier", fonts::FontFamily::Sans},
      {u"Courier New Bold", fonts::FontFamily::Sans},
      {u"", fonts::FontFamily::Sans},
  };
  for (const Case& c : cases) EXPECT_EQ(FamilyOf(c.name), c.family);
  EXPECT_EQ(fonts::FamilyOfFace(nullptr, 32), fonts::FontFamily::Sans);
}

TEST(FontFaceNames, NamesAreReadOnlyUpToTheirLength) {
  // A face name field without a terminating null is read to its size only.
  char16_t field[11] = {u'C', u'o', u'u', u'r', u'i', u'e', u'r', u' ', u'N', u'e', u'w'};
  EXPECT_EQ(fonts::FamilyOfFace(field, 11), fonts::FontFamily::Mono);
  EXPECT_EQ(fonts::FamilyOfFace(field, 7), fonts::FontFamily::Sans);  // "Courier"
  EXPECT_EQ(fonts::FindDeviceFace(field, 11)->name, std::u16string(u"Courier New"));
}

TEST(FontFaceNames, TheDeviceListNamesTheSystemFaceFirst) {
  size_t count = 0;
  const fonts::DeviceFace* faces = fonts::DeviceFaces(&count);
  ASSERT_GE(count, 4u);
  EXPECT_EQ(std::u16string(faces[0].name), u"Tahoma");
}

}  // namespace
