// The table of known code pages and the platform's supported set. The set is
// a bit mask over the platform's pages so that conversions on any thread read
// it without a lock while a test changes it.
#include "platform/text/code_page_table.h"

#include <atomic>
#include <initializer_list>


#ifdef TESSALYN_TEST_HOOKS
#include "platform/text/code_page_hooks.h"
#endif

namespace devtext {
namespace {

// The platform's pages come first: their index is their bit in the mask.
constexpr CodePageInfo kPages[] = {
    {1252, PageKind::Cp1252, LeadScheme::None, true, "CP1252"},
    {65001, PageKind::Utf8, LeadScheme::None, true, "UTF-8"},
    {932, PageKind::Iconv, LeadScheme::ShiftJis, true, "CP932"},
    {936, PageKind::Iconv, LeadScheme::Gbk, true, "CP936"},
    {949, PageKind::Iconv, LeadScheme::Uhc, true, "CP949"},
    {950, PageKind::Iconv, LeadScheme::Big5, true, "CP950"},
    {51932, PageKind::Iconv, LeadScheme::EucJp, true, "EUC-JP-MS"},
    // Only through Mlang.
    {874, PageKind::Iconv, LeadScheme::None, false, "CP874"},
    {1250, PageKind::Iconv, LeadScheme::None, false, "CP1250"},
    {1251, PageKind::Iconv, LeadScheme::None, false, "CP1251"},
    {1253, PageKind::Iconv, LeadScheme::None, false, "CP1253"},
    {1254, PageKind::Iconv, LeadScheme::None, false, "CP1254"},
    {1255, PageKind::Iconv, LeadScheme::None, false, "CP1255"},
    {1256, PageKind::Iconv, LeadScheme::None, false, "CP1256"},
    {1257, PageKind::Iconv, LeadScheme::None, false, "CP1257"},
    {1258, PageKind::Iconv, LeadScheme::None, false, "CP1258"},
    {10000, PageKind::Iconv, LeadScheme::None, false, "MACINTOSH"},
    {20127, PageKind::Iconv, LeadScheme::None, false, "US-ASCII"},
    {20866, PageKind::Iconv, LeadScheme::None, false, "KOI8-R"},
    {20932, PageKind::Iconv, LeadScheme::EucJp, false, "EUC-JP"},
    {21866, PageKind::Iconv, LeadScheme::None, false, "KOI8-U"},
    {28591, PageKind::Iconv, LeadScheme::None, false, "ISO-8859-1"},
    {28592, PageKind::Iconv, LeadScheme::None, false, "ISO-8859-2"},
    {28595, PageKind::Iconv, LeadScheme::None, false, "ISO-8859-5"},
    {28597, PageKind::Iconv, LeadScheme::None, false, "ISO-8859-7"},
    {28605, PageKind::Iconv, LeadScheme::None, false, "ISO-8859-15"},
    {50220, PageKind::Iconv, LeadScheme::None, false, "ISO-2022-JP"},
    {51936, PageKind::Iconv, LeadScheme::Euc, false, "EUC-CN"},
    {51949, PageKind::Iconv, LeadScheme::Euc, false, "EUC-KR"},
    {54936, PageKind::Iconv, LeadScheme::None, false, "GB18030"},
};

constexpr uint32_t kDefaultPageBit = 1u << 31;  // code page 0 (CP_ACP)
constexpr uint32_t kDefaultPage = 1252;

constexpr uint32_t AllPlatformPages() {
  uint32_t mask = kDefaultPageBit;
  for (uint32_t i = 0; i < sizeof(kPages) / sizeof(kPages[0]); ++i)
    if (kPages[i].platform) mask |= 1u << i;
  return mask;
}

std::atomic<uint32_t> g_supported{AllPlatformPages()};

int PageIndex(uint32_t codePage) {
  for (size_t i = 0; i < sizeof(kPages) / sizeof(kPages[0]); ++i)
    if (kPages[i].codePage == codePage) return static_cast<int>(i);
  return -1;
}

bool InRange(uint8_t b, uint8_t low, uint8_t high) { return b >= low && b <= high; }

bool IsTrailByte(LeadScheme scheme, uint8_t lead, uint8_t b) {
  switch (scheme) {
    case LeadScheme::ShiftJis: return InRange(b, 0x40, 0x7E) || InRange(b, 0x80, 0xFC);
    case LeadScheme::Gbk: return InRange(b, 0x40, 0x7E) || InRange(b, 0x80, 0xFE);
    case LeadScheme::Uhc: return InRange(b, 0x41, 0x5A) || InRange(b, 0x61, 0x7A) || InRange(b, 0x81, 0xFE);
    case LeadScheme::Big5: return InRange(b, 0x40, 0x7E) || InRange(b, 0xA1, 0xFE);
    case LeadScheme::EucJp: return lead == 0x8E ? InRange(b, 0xA1, 0xDF) : InRange(b, 0xA1, 0xFE);
    case LeadScheme::Euc: return InRange(b, 0xA1, 0xFE);
    case LeadScheme::None: return false;
  }
  return false;
}

}  // namespace

const CodePageInfo* FindCodePage(uint32_t codePage) {
  int index = PageIndex(codePage);
  return index < 0 ? nullptr : &kPages[index];
}

const CodePageInfo* SupportedPlatformPage(uint32_t codePage) {
  uint32_t mask = g_supported.load(std::memory_order_relaxed);
  if (codePage == 0) return (mask & kDefaultPageBit) ? FindCodePage(kDefaultPage) : nullptr;
  int index = PageIndex(codePage);
  if (index < 0 || !kPages[index].platform || !(mask & (1u << index))) return nullptr;
  return &kPages[index];
}

bool IsLeadByte(const CodePageInfo& page, uint8_t byte) {
  switch (page.leads) {
    case LeadScheme::ShiftJis: return InRange(byte, 0x81, 0x9F) || InRange(byte, 0xE0, 0xFC);
    case LeadScheme::Gbk:
    case LeadScheme::Uhc:
    case LeadScheme::Big5: return InRange(byte, 0x81, 0xFE);
    case LeadScheme::EucJp: return byte == 0x8E || byte == 0x8F || InRange(byte, 0xA1, 0xFE);
    case LeadScheme::Euc: return InRange(byte, 0xA1, 0xFE);
    case LeadScheme::None: return false;
  }
  return false;
}

size_t InvalidSequenceLength(const CodePageInfo& page, const uint8_t* bytes, size_t left) {
  if (left < 2 || !IsLeadByte(page, bytes[0])) return 1;
  if (page.leads == LeadScheme::EucJp && bytes[0] == 0x8F) {
    // A three-byte character of the supplementary set.
    if (!InRange(bytes[1], 0xA1, 0xFE)) return 1;
    return left >= 3 && InRange(bytes[2], 0xA1, 0xFE) ? 3 : 2;
  }
  return IsTrailByte(page.leads, bytes[0], bytes[1]) ? 2 : 1;
}

}  // namespace devtext

#ifdef TESSALYN_TEST_HOOKS
namespace devtest {

void SetSupportedCodePages(std::initializer_list<unsigned> pages) {
  uint32_t mask = 0;
  for (unsigned page : pages) {
    if (page == 0) {
      mask |= devtext::kDefaultPageBit;
      continue;
    }
    int index = devtext::PageIndex(page);
    if (index >= 0 && devtext::kPages[index].platform) mask |= 1u << index;
  }
  devtext::g_supported.store(mask, std::memory_order_relaxed);
}

void ResetCodePages() { devtext::g_supported.store(devtext::AllPlatformPages(), std::memory_order_relaxed); }

}  // namespace devtest
#endif  // TESSALYN_TEST_HOOKS
