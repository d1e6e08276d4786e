// The character entity table: entity id to character, character back to id,
// and the replacement texts (the space entities read as a no-break space).
#include <gtest/gtest.h>

#include <cstdint>

#include "foundation/characters/char_entity_table.h"

namespace {

TEST(CharEntityTable, RowsAscendFromRowOne) {
  EXPECT_EQ(kEntityCodePoints[0], 0);
  for (uint32_t id = 2; id < kEntityRowCount; ++id) {
    EXPECT_LT(kEntityCodePoints[id - 1], kEntityCodePoints[id]) << "id " << id;
  }
}

TEST(CharEntityTable, CodePointsOfKnownIds) {
  struct Case {
    uint32_t id;
    uint16_t codePoint;
  };
  const Case cases[] = {
      {1, 0x0022},   {2, 0x0026},   {3, 0x0027},   {4, 0x003C},   {5, 0x003E},
      {6, 0x00A0},   {101, 0x00FF}, {102, 0x0152}, {106, 0x0178}, {109, 0x02DC},
      {110, 0x0391}, {133, 0x03A9}, {151, 0x03C2}, {152, 0x03C3}, {161, 0x03D6},
      {165, 0x200C}, {170, 0x2014}, {188, 0x20AC}, {253, 0x2666},
      {0, 0},        {254, 0},      {0xFFFFFFFF, 0},
  };
  for (const Case& c : cases) EXPECT_EQ(EntityCodePoint(c.id), c.codePoint) << "id " << c.id;
}

TEST(CharEntityTable, FindByCodePoint) {
  struct Case {
    uint32_t codePoint;
    uint32_t id;
  };
  const Case cases[] = {
      {0x0026, 2},   {0x2666, 253}, {0x0041, 0},  {0x0022, 1}, {0x00A0, 6},
      {0x00FF, 101}, {0x2014, 170}, {0x200C, 165},
      {0x0000, 0},                   // row 0 is no entity
      {0xFFFF, 0},   {0x2667, 0},    // above the last row
      {0x10026, 0},  {0x12666, 0},   // never truncated to 16 bits
      {0x110000, 0}, {0xFFFFFFFF, 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FindEntityByCodePoint(c.codePoint), c.id) << std::hex << "U+" << c.codePoint;
  }
}

// Both directions over the whole 16-bit range: every code point finds the id
// whose row holds it, and nothing else.
TEST(CharEntityTable, ReverseSearchIsExactOverAllCodePoints) {
  uint32_t found = 0;
  for (uint32_t cp = 0; cp <= 0xFFFF; ++cp) {
    const uint32_t id = FindEntityByCodePoint(cp);
    if (id == 0) continue;
    ++found;
    ASSERT_EQ(EntityCodePoint(id), cp) << std::hex << "U+" << cp;
  }
  EXPECT_EQ(found, 253u);
  for (uint32_t id = 1; id < kEntityRowCount; ++id) {
    EXPECT_EQ(FindEntityByCodePoint(EntityCodePoint(id)), id);
  }
}

TEST(CharEntityTable, EntityText) {
  struct Case {
    uint32_t id;
    char16_t text;
  };
  const Case cases[] = {
      {162, 0x00A0},  // ensp
      {163, 0x00A0},  // emsp
      {164, 0x00A0},  // thinsp
      {170, 0x2014},  // mdash
      {6, 0x00A0},    // nbsp
      {2, u'&'},      // amp
      {165, 0x200C},  // zwnj
      {253, 0x2666},  // diams
  };
  for (const Case& c : cases) {
    const WCHAR* text = nullptr;
    uint32_t length = 0;
    ASSERT_TRUE(GetEntityText(c.id, &text, &length)) << "id " << c.id;
    ASSERT_EQ(length, 1u);
    EXPECT_EQ(text[0], c.text) << "id " << c.id;
  }
  // Every other entity's text is its own character.
  for (uint32_t id = 1; id < kEntityRowCount; ++id) {
    if (id >= 162 && id <= 164) continue;
    const WCHAR* text = nullptr;
    uint32_t length = 0;
    ASSERT_TRUE(GetEntityText(id, &text, &length));
    EXPECT_EQ(length, 1u);
    EXPECT_EQ(static_cast<uint16_t>(text[0]), EntityCodePoint(id)) << "id " << id;
  }
}

TEST(CharEntityTable, NoTextOutsideTheIds) {
  for (uint32_t id : {0u, 254u, 1000u, 0xFFFFFFFFu}) {
    const WCHAR* text = u"x";
    uint32_t length = 7;
    EXPECT_FALSE(GetEntityText(id, &text, &length)) << "id " << id;
    EXPECT_EQ(text, nullptr);
    EXPECT_EQ(length, 0u);
  }
}

}  // namespace
