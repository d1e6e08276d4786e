// The stamp a new file or folder gets as its creation time: the device
// clock (virtual in tests), as a FILETIME count.
#include "platform/files/file_objects.h"
#include "platform/time/system_time.h"

namespace devicefs {

uint64_t NowAsFileTime() {
  SYSTEMTIME now;
  GetSystemTime(&now);
  FILETIME stamp{};
  if (!SystemTimeToFileTime(&now, &stamp)) return 0;
  return (static_cast<uint64_t>(stamp.dwHighDateTime) << 32) | stamp.dwLowDateTime;
}

}  // namespace devicefs
