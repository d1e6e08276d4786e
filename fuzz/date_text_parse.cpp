// Fuzz target for the date readers: the first byte chooses the reader flags
// and the zone, the rest is UTF-16 text (little-endian units). A parsed time
// is written back in every style.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "foundation/time/date_time.h"
#include "foundation/time/date_time_text.h"
#include "foundation/encoded_string/encoded_string.h"
#include "platform/testing/clock.h"
#include "platform/testing/reset.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static bool reset = (devtest::ResetDevice(), true);
  (void)reset;
  if (size < 1) return 0;
  uint8_t flags = data[0];
  devtest::SetTimeZone((flags & 4) ? devtest::CentralEuropeanZone() : devtest::FixedOffsetZone(60));
  std::vector<WCHAR> units;
  for (size_t i = 1; i + 1 < size; i += 2) units.push_back(static_cast<WCHAR>(data[i] | (data[i + 1] << 8)));
  EncodedString text;
  text.FromWide(units.data(), static_cast<int32_t>(units.size()));
  TimeValue value{0};
  if (value.Parse(text, (flags & 1) != 0, (flags & 2) != 0)) {
    for (int style = 0; style < 3; ++style) {
      EncodedString out;
      value.Format(&out, (flags & 8) != 0, true, true, style);
    }
  }
  ParseClockMinutes(text);
  return 0;
}
