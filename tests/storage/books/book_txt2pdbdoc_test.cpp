// A Palm Doc file made by Debian's txt2pdbdoc (a real producer of the
// format, run at test time) decodes end to end to its source text. The test
// fails, never skips, when the tool is missing: `make test` installs it.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>
#include <vector>

#include "storage/books/book_document.h"
#include "tests/support/book_builder.h"
#include "tests/support/book_builder_reader.h"

namespace {

namespace fs = std::filesystem;

std::vector<uint8_t> ReadHostFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<uint8_t>((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

TEST(Txt2PdbDoc, TwoMegabyteBookDecodesToItsSource) {
  ASSERT_EQ(std::system("txt2pdbdoc -V > /dev/null 2>&1"), 0) << "txt2pdbdoc is missing (Debian package txt2pdbdoc)";
  const fs::path folder = fs::temp_directory_path() / ("tessalyn_txt2pdbdoc_" + std::to_string(::getpid()));
  fs::create_directories(folder);
  const std::string utf8 = testbuild::SampleText(2 * 1024 * 1024, 77, 1);
  const std::vector<uint8_t> source = testbuild::EncodeBookText(utf8, 1252);
  {
    std::ofstream out(folder / "source.txt", std::ios::binary);
    out.write(reinterpret_cast<const char*>(source.data()), static_cast<std::streamsize>(source.size()));
  }
  const std::string command = "txt2pdbdoc -b 'Sample book' '" + (folder / "source.txt").string() + "' '" +
                              (folder / "book.pdb").string() + "' > /dev/null 2>&1";
  ASSERT_EQ(std::system(command.c_str()), 0);
  const std::vector<uint8_t> book = ReadHostFile(folder / "book.pdb");
  fs::remove_all(folder);
  ASSERT_GT(book.size(), 1000u);
  ASSERT_LT(book.size(), source.size());  // it compressed

  for (int32_t target : {65002, 1252}) {
    SCOPED_TRACE(target);
    testbuild::OpenedBook opened = testbuild::OpenBookBytes(book, target, testbuild::kOpenMapped, nullptr,
                                                            u"\\sample.pdb", 1252);
    ASSERT_EQ(opened.error, 0);
    EXPECT_EQ(opened.doc->GetBookType(), 3u);
    EXPECT_EQ(opened.doc->Header().compression, kCompressionPalmDoc);
    EXPECT_EQ(opened.doc->GetTextLength(), source.size());
    testbuild::TextWalk walk;
    ASSERT_TRUE(testbuild::ReadWholeText(opened.doc.get(), &walk));
    if (target == 65002) {
      EXPECT_TRUE(walk.text == testbuild::Utf8ToUtf16(utf8));
    } else {
      ASSERT_EQ(walk.text.size(), source.size());
      size_t differ = 0;
      while (differ < source.size() && walk.text[differ] == source[differ]) ++differ;
      EXPECT_EQ(differ, source.size()) << "first difference at byte " << differ;
    }
  }
}

}  // namespace
