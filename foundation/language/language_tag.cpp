// The language tags of the system and the platform's 16-bit language
// identifiers (LCIDs: primary language in the low 10 bits, sublanguage
// above), both ways. Some tags and some identifiers appear twice; the first
// row in table order wins in both directions.
#include "foundation/language/language_tag.h"

namespace {

struct LanguageTagRow {
  const WCHAR* tag;  // lower case
  uint32_t length;   // characters
  uint16_t lcid;
};

const LanguageTagRow kLanguageTags[] = {
    {u"neutral", 7, 0x0000},
    {u"af", 2, 0x0036},
    {u"sq", 2, 0x001C},
    {u"ar-dz", 5, 0x1401},
    {u"ar-bh", 5, 0x3C01},
    {u"ar-eg", 5, 0x0C01},
    {u"ar-eg", 5, 0x0801},
    {u"ar-jo", 5, 0x2C01},
    {u"ar-kw", 5, 0x3401},
    {u"ar-lb", 5, 0x3001},
    {u"ar-lb", 5, 0x1001},
    {u"ar-ma", 5, 0x1801},
    {u"ar-om", 5, 0x2001},
    {u"ar-qa", 5, 0x4001},
    {u"ar-sa", 5, 0x0401},
    {u"ar-sy", 5, 0x2801},
    {u"ar-tn", 5, 0x1C01},
    {u"ar-ae", 5, 0x3801},
    {u"ar-ye", 5, 0x2401},
    {u"ar", 2, 0x0001},
    {u"hy", 2, 0x002B},
    {u"az", 2, 0x082C},
    {u"az", 2, 0x042C},
    {u"eu", 2, 0x002D},
    {u"be", 2, 0x0023},
    {u"bn", 2, 0x0045},
    {u"bg", 2, 0x0002},
    {u"ca", 2, 0x0003},
    {u"zh-hk", 5, 0x0C04},
    {u"zh-cn", 5, 0x0804},
    {u"zh-sg", 5, 0x1004},
    {u"zh-tw", 5, 0x0404},
    {u"zh", 2, 0x0004},
    {u"hr", 2, 0x001A},
    {u"cs", 2, 0x0005},
    {u"da", 2, 0x0006},
    {u"nl-be", 5, 0x0813},
    {u"nl", 2, 0x0413},
    {u"en-au", 5, 0x0C09},
    {u"en-bz", 5, 0x2809},
    {u"en-ca", 5, 0x1009},
    {u"en-ie", 5, 0x1809},
    {u"en-jm", 5, 0x2009},
    {u"en-nz", 5, 0x1409},
    {u"en-ph", 5, 0x3409},
    {u"en-za", 5, 0x1C09},
    {u"en-tt", 5, 0x2C09},
    {u"en-gb", 5, 0x0809},
    {u"en-us", 5, 0x0409},
    {u"en-zw", 5, 0x3009},
    {u"en", 2, 0x0009},
    {u"et", 2, 0x0025},
    {u"fo", 2, 0x0038},
    {u"fa", 2, 0x0029},
    {u"fi", 2, 0x000B},
    {u"fr-be", 5, 0x080C},
    {u"fr-ca", 5, 0x0C0C},
    {u"fr", 2, 0x040C},
    {u"fr-lu", 5, 0x140C},
    {u"fr-mc", 5, 0x180C},
    {u"fr-ch", 5, 0x100C},
    {u"ka", 2, 0x0037},
    {u"de-at", 5, 0x0C07},
    {u"de", 2, 0x0407},
    {u"de-li", 5, 0x1407},
    {u"de-lu", 5, 0x1007},
    {u"de-ch", 5, 0x0807},
    {u"el", 2, 0x0008},
    {u"gu", 2, 0x0047},
    {u"he", 2, 0x000D},
    {u"hi", 2, 0x0039},
    {u"hu", 2, 0x000E},
    {u"is", 2, 0x000F},
    {u"id", 2, 0x0021},
    {u"it", 2, 0x0410},
    {u"it-ch", 5, 0x0810},
    {u"ja", 2, 0x0011},
    {u"kn", 2, 0x004B},
    {u"kk", 2, 0x003F},
    {u"x-kok", 5, 0x0057},
    {u"ko", 2, 0x0412},
    {u"lv", 2, 0x0026},
    {u"lt", 2, 0x0427},
    {u"mk", 2, 0x002F},
    {u"ms", 2, 0x083E},
    {u"ms", 2, 0x043E},
    {u"ml", 2, 0x004C},
    {u"mt", 2, 0x003A},
    {u"mr", 2, 0x004E},
    {u"ne", 2, 0x0061},
    {u"no", 2, 0x0414},
    {u"no", 2, 0x0814},
    {u"or", 2, 0x0048},
    {u"pl", 2, 0x0015},
    {u"pt-br", 5, 0x0416},
    {u"pt", 2, 0x0816},
    {u"pa", 2, 0x0046},
    {u"rm", 2, 0x0017},
    {u"ro-mo", 5, 0x0018},
    {u"ro", 2, 0x0018},
    {u"ru-mo", 5, 0x0019},
    {u"ru", 2, 0x0019},
    {u"sz", 2, 0x003B},
    {u"sa", 2, 0x004F},
    {u"sr", 2, 0x0C1A},
    {u"sr", 2, 0x081A},
    {u"sk", 2, 0x001B},
    {u"sl", 2, 0x0024},
    {u"sb", 2, 0x002E},
    {u"es-ar", 5, 0x2C0A},
    {u"es-bo", 5, 0x400A},
    {u"es-cl", 5, 0x340A},
    {u"es-co", 5, 0x240A},
    {u"es-cr", 5, 0x140A},
    {u"es-do", 5, 0x1C0A},
    {u"es-ec", 5, 0x300A},
    {u"es-sv", 5, 0x440A},
    {u"es-gt", 5, 0x100A},
    {u"es-hn", 5, 0x480A},
    {u"es-mx", 5, 0x080A},
    {u"es-ni", 5, 0x4C0A},
    {u"es-pa", 5, 0x180A},
    {u"es-py", 5, 0x3C0A},
    {u"es-pe", 5, 0x280A},
    {u"es-pr", 5, 0x500A},
    {u"es", 2, 0x040A},
    {u"es-uy", 5, 0x380A},
    {u"es-ve", 5, 0x200A},
    {u"sx", 2, 0x0030},
    {u"sw", 2, 0x0041},
    {u"sv-fi", 5, 0x081D},
    {u"sv", 2, 0x041D},
    {u"ta", 2, 0x0049},
    {u"tt", 2, 0x0044},
    {u"te", 2, 0x004A},
    {u"th", 2, 0x001E},
    {u"ts", 2, 0x0031},
    {u"tn", 2, 0x0032},
    {u"tr", 2, 0x001F},
    {u"uk", 2, 0x0022},
    {u"ur", 2, 0x0020},
    {u"uz", 2, 0x0843},
    {u"uz", 2, 0x0443},
    {u"vi", 2, 0x002A},
    {u"xh", 2, 0x0034},
    {u"zu", 2, 0x0035},
};

constexpr uint32_t kRowCount = sizeof(kLanguageTags) / sizeof(kLanguageTags[0]);
static_assert(kRowCount == 146);

const LanguageTagRow* FindLcid(uint16_t lcid) {
  for (const LanguageTagRow& row : kLanguageTags)
    if (row.lcid == lcid) return &row;
  return nullptr;
}

}  // namespace

uint16_t LanguageTagToLcid(const WCHAR* tag, uint32_t length) {
  if (!tag) return 0;
  for (const LanguageTagRow& row : kLanguageTags) {
    if (row.length != length) continue;
    uint32_t i = 0;
    while (i < length && row.tag[i] == tag[i]) ++i;
    if (i == length) return row.lcid;
  }
  return 0;
}

const WCHAR* LcidToLanguageTag(uint16_t lcid, uint32_t* length) {
  const LanguageTagRow* row = FindLcid(lcid);
  if (!row) {
    // One retry with a related identifier: sublanguage 0 <-> sublanguage 1.
    if (lcid < 0x400) {
      row = FindLcid(static_cast<uint16_t>(lcid + 0x400));
    } else if (lcid < 0x800) {
      row = FindLcid(static_cast<uint16_t>(lcid & 0x3FF));
    }
  }
  if (!row) {
    if (length) *length = 0;
    return nullptr;
  }
  if (length) *length = row->length;
  return row->tag;
}
