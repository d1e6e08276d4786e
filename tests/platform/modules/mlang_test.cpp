// The emulated "mlang.dll": "ConvertINetMultiByteToUnicode" bound at run time
// converts pages the platform lacks, whatever the platform's supported set,
// and is absent when a test removes the module or the export.
#include <gtest/gtest.h>

#include <string>

#include "platform/core/last_error.h"
#include "platform/modules/modules.h"
#include "platform/testing/modules.h"
#include "platform/testing/text.h"
#include "platform/text/code_page_conversion.h"
#include "platform/text/mlang_conversion.h"

namespace {

// Binds the export as the system does; null when the module or export is absent.
class MlangBinding {
 public:
  MlangBinding() : module_(LoadLibraryW(u"Mlang.dll")) {
    if (module_) convert_ = reinterpret_cast<ConvertINetMultiByteToUnicodeFn>(
                     GetProcAddressW(module_, u"ConvertINetMultiByteToUnicode"));
  }
  ~MlangBinding() {
    if (module_) FreeLibrary(module_);
  }
  ConvertINetMultiByteToUnicodeFn convert() const { return convert_; }

 private:
  HMODULE module_;
  ConvertINetMultiByteToUnicodeFn convert_ = nullptr;
};

// Size query, then the conversion; "<hr>" on failure.
std::u16string Convert(ConvertINetMultiByteToUnicodeFn convert, DWORD encoding, const std::string& bytes) {
  DWORD mode = 0;
  INT sourceBytes = static_cast<INT>(bytes.size());
  INT units = 0;
  if (convert(&mode, encoding, bytes.data(), &sourceBytes, nullptr, &units) != S_OK) return u"<hr>";
  std::u16string out(units, u'\0');
  sourceBytes = static_cast<INT>(bytes.size());
  EXPECT_EQ(convert(&mode, encoding, bytes.data(), &sourceBytes, out.data(), &units), S_OK);
  EXPECT_EQ(units, static_cast<INT>(out.size()));
  EXPECT_EQ(sourceBytes, static_cast<INT>(bytes.size()));
  EXPECT_EQ(mode, 0u);
  return out;
}

TEST(Mlang, ConvertsPagesThePlatformLacks) {
  MlangBinding mlang;
  ASSERT_NE(mlang.convert(), nullptr);
  struct Case {
    DWORD encoding;
    std::string bytes;
    std::u16string text;
  };
  const Case cases[] = {
      {1251, "\xCF\xF0\xE8", u"\u041F\u0440\u0438"},
      {1250, "\x8A\xB9", u"\u0160\u0105"},
      {28591, "\x80\xE9", u"\u0080\u00E9"},
      {20932, "\xA4\xA2", u"\u3042"},
      {50220, "a\x1B$B$\"\x1B(Bb", u"a\u3042b"},
      {1252, "\x81\x80", u"\u0081\u20AC"},
      {65001, "\xE2\x82\xAC\xFF", u"\u20AC\uFFFD"},
      {932, "\x82\xA0", u"\u3042"},
  };
  for (const Case& c : cases) EXPECT_EQ(Convert(mlang.convert(), c.encoding, c.bytes), c.text) << c.encoding;
}

TEST(Mlang, IsTheFallbackWhenThePlatformRejectsAPage) {
  char16_t wide[8];
  EXPECT_EQ(MultiByteToWideChar(1251, 0, "\xCF", 1, wide, 8), 0);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
  devtest::SetSupportedCodePages({1252});
  EXPECT_EQ(MultiByteToWideChar(932, 0, "\x82\xA0", 2, wide, 8), 0);
  MlangBinding mlang;
  ASSERT_NE(mlang.convert(), nullptr);
  EXPECT_EQ(Convert(mlang.convert(), 932, "\x82\xA0"), u"\u3042");  // ignores the platform's set
}

TEST(Mlang, FailsSoftly) {
  MlangBinding mlang;
  ConvertINetMultiByteToUnicodeFn convert = mlang.convert();
  ASSERT_NE(convert, nullptr);
  DWORD mode = 0;
  char16_t wide[4];
  INT sourceBytes = 3;
  INT units = 4;
  EXPECT_EQ(convert(&mode, 12345, "abc", &sourceBytes, wide, &units), E_FAIL);
  EXPECT_EQ(convert(&mode, 20105, "abc", &sourceBytes, wide, &units), E_FAIL);
  units = 2;
  EXPECT_EQ(convert(&mode, 1251, "abc", &sourceBytes, wide, &units), MLANG_E_BUFFER_TOO_SMALL);
  EXPECT_EQ(units, 0);
  EXPECT_EQ(convert(&mode, 1251, "abc", &sourceBytes, wide, nullptr), E_INVALIDARG);
  // Null or -1 source length: up to the terminator, which is not converted.
  units = 0;
  EXPECT_EQ(convert(nullptr, 1251, "\xCF\xF0", nullptr, nullptr, &units), S_OK);
  EXPECT_EQ(units, 2);
  sourceBytes = -1;
  units = 4;
  EXPECT_EQ(convert(nullptr, 1251, "\xCF\xF0", &sourceBytes, wide, &units), S_OK);
  EXPECT_EQ(units, 2);
  EXPECT_EQ(sourceBytes, 2);
  EXPECT_EQ(wide[1], u'\u0440');
}

TEST(Mlang, AbsentModuleOrExport) {
  devtest::SetExportPresent("mlang.dll", "ConvertINetMultiByteToUnicode", false);
  EXPECT_EQ(MlangBinding().convert(), nullptr);
  devtest::SetModulePresent("mlang.dll", false);
  EXPECT_EQ(LoadLibraryW(u"mlang.dll"), nullptr);
  devtest::ResetModules();
  EXPECT_NE(MlangBinding().convert(), nullptr);
}

}  // namespace
