// Marks found by identifier stay right while marks are added before them
// and deleted around them: the identifier index is only ever a shortcut.
#include <gtest/gtest.h>

#include <map>

#include "storage/side_file/book_parameter_file.h"

namespace {

TEST(SideFileMarkIndex, FindsEveryMarkThroughInsertsAndDeletes) {
  BookParameterFile file;
  EncodedString path;
  path.FromWide(u"\\indexed.prc");
  ASSERT_EQ(file.Create(path, "indexed", 7, false, true, false), RecordResult::kOk);
  std::map<uint32_t, uint32_t> starts;  // id -> start
  auto check = [&] {
    for (const auto& [id, start] : starts) {
      uint32_t s = 0, e = 0, v = 0, x = 0, extra = 0;
      ASSERT_EQ(file.GetBookmarkRange(id, &s, &e, &v, &x, &extra), RecordResult::kOk) << id;
      EXPECT_EQ(s, start) << id;
    }
  };
  // Later starts first, so that every new mark goes in before the others.
  for (uint32_t i = 0; i < 200; ++i) {
    const uint32_t start = 10000 - 10 * i;
    const uint32_t id = file.AddBookmark(start, start + 5, 0, 0, i, 4);
    ASSERT_NE(id, 0xFFFFFFFFu);
    starts[id] = start;
    if (i % 50 == 49) check();
  }
  uint32_t n = 0;
  for (auto it = starts.begin(); it != starts.end();) {
    if (n++ % 3 == 0) {
      ASSERT_EQ(file.DeleteBookmark(it->first), RecordResult::kOk);
      it = starts.erase(it);
    } else {
      ++it;
    }
  }
  check();
  EXPECT_NE(file.GetBookmarkRange(0xABCDEF, nullptr, nullptr, nullptr, nullptr, nullptr), RecordResult::kOk);
}

}  // namespace
