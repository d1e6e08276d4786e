// What the view tests share: books and files made on the emulated device,
// and a harness with the view shown in a headless window.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/book_builder.h"
#include "tests/support/palm_database_builder.h"
#include "tests/support/view_harness.h"

namespace viewtest {

inline SharedWideString W(const std::u16string& text) {
  return SharedWideString(reinterpret_cast<const WCHAR*>(text.c_str()));
}

inline std::u16string S(const SharedWideString& text) {
  return text.length == 0 ? std::u16string()
                          : std::u16string(reinterpret_cast<const char16_t*>(text.Chars()), text.length);
}

// Paragraphs numbered from 1, enough for many pages of a small window.
inline std::string NumberedParagraphs(int count) {
  std::string markup = "<html><body>";
  for (int i = 1; i <= count; ++i) {
    markup += "<p>Paragraph " + std::to_string(i) +
              " holds a few words of ordinary prose, so that a page carries several lines of it.</p>";
  }
  return markup + "</body></html>";
}

inline std::vector<uint8_t> MarkupBook(const std::string& markup, const std::string& name = "Test book") {
  testbuild::BookRecipe recipe;
  recipe.text = testbuild::EncodeBookText(markup, 1252);
  recipe.databaseName = name;
  recipe.resourceRecords = 2;
  return testbuild::BuildBook(recipe).Bytes();
}

class ViewTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(harness.Create(240, 320)); }

  DocumentView& view() { return *harness.view; }
  // The book written at the path, opened.
  bool OpenBook(const std::u16string& path, const std::vector<uint8_t>& bytes) {
    return testbuild::WriteDeviceFile(path, bytes) && harness.Open(path);
  }
  std::vector<FakeViewApplication::Event> Messages() const { return harness.application.Messages(); }

  ViewHarness harness;
};

}  // namespace viewtest
