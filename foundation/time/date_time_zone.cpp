// UTC <-> local time through the platform. kernel32.dll's two SYSTEMTIME
// conversions are looked up once per run; without them the FILETIME pair of
// coredll is used. Both apply the zone's rules at the converted time.
#include <cmath>

#include "foundation/time/date_time.h"
#include "foundation/time/date_time_testing.h"
#include "platform/modules/modules.h"
#include "platform/time/time_zone.h"

namespace {

constexpr int64_t kEpochDifferenceMs = 11644473600000;  // 1601 to 1970
constexpr int64_t kTicksPerMs = 10000;
// The times a SYSTEMTIME holds (1601-01-01 to 30827-12-31), two days in from
// each end so that a zone's shift stays inside.
constexpr double kFirstConvertible = -11644473600000.0 + 2 * 86400000.0;
constexpr double kLastConvertible = 910670515199999.0 - 2 * 86400000.0;

struct ZoneBinding {
  bool bound = false;
  HMODULE module = nullptr;
  SystemTimeToTzSpecificLocalTimeFunction toLocal = nullptr;
  TzSpecificLocalTimeToSystemTimeFunction toUtc = nullptr;
};

ZoneBinding g_binding;

const ZoneBinding& Binding() {
  if (!g_binding.bound) {
    g_binding.bound = true;
    g_binding.module = LoadLibraryW(u"kernel32.dll");
    if (g_binding.module) {
      g_binding.toLocal = reinterpret_cast<SystemTimeToTzSpecificLocalTimeFunction>(
          GetProcAddressW(g_binding.module, u"SystemTimeToTzSpecificLocalTime"));
      g_binding.toUtc = reinterpret_cast<TzSpecificLocalTimeToSystemTimeFunction>(
          GetProcAddressW(g_binding.module, u"TzSpecificLocalTimeToSystemTime"));
    }
  }
  return g_binding;
}

FILETIME MsToFileTime(int64_t ms) {
  uint64_t ticks = static_cast<uint64_t>((ms + kEpochDifferenceMs) * kTicksPerMs);
  return FILETIME{static_cast<DWORD>(ticks & 0xFFFFFFFFu), static_cast<DWORD>(ticks >> 32)};
}

int64_t FileTimeToMs(const FILETIME& t) {
  uint64_t ticks = (static_cast<uint64_t>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
  return static_cast<int64_t>(ticks / kTicksPerMs) - kEpochDifferenceMs;
}

// Converts a whole-millisecond time inside the convertible range.
bool ConvertInRange(bool toLocal, int64_t ms, int64_t* result) {
  const ZoneBinding& binding = Binding();
  FILETIME in = MsToFileTime(ms), out{};
  if (binding.toLocal && binding.toUtc) {
    SYSTEMTIME fields{}, converted{};
    if (!FileTimeToSystemTime(&in, &fields)) return false;
    BOOL ok = toLocal ? binding.toLocal(nullptr, &fields, &converted) : binding.toUtc(nullptr, &fields, &converted);
    if (!ok || !SystemTimeToFileTime(&converted, &out)) return false;
  } else {
    BOOL ok = toLocal ? FileTimeToLocalFileTime(&in, &out) : LocalFileTimeToFileTime(&in, &out);
    if (!ok) return false;
  }
  *result = FileTimeToMs(out);
  return true;
}

}  // namespace

double ConvertUtcLocal(bool toLocal, double t) {
  if (!std::isfinite(t)) return NAN;
  double whole = std::floor(t);
  // Outside the convertible range the offset of its nearest end applies.
  double probe = whole < kFirstConvertible ? kFirstConvertible : (whole > kLastConvertible ? kLastConvertible : whole);
  int64_t converted = 0;
  if (!ConvertInRange(toLocal, static_cast<int64_t>(probe), &converted)) return whole;
  return whole + (static_cast<double>(converted) - probe);
}

#ifdef TESSALYN_TEST_HOOKS
namespace devtest {

void ResetTimeZoneBinding() {
  if (g_binding.module) FreeLibrary(g_binding.module);
  g_binding = ZoneBinding{};
}

}  // namespace devtest
#endif
