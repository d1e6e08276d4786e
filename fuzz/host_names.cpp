// Fuzz target: host file names coming into the device. Any bytes decode to a
// device name that encodes back to the same bytes, so no two host files
// answer to one device name; and the bytes read as device text (UTF-16)
// either are refused by the encoder or come back unchanged through it.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/files/host_names.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

void HostRoundTrip(const std::string& host) {
  std::u16string device = devicefs::HostNameToDevice(host);
  Check(device.size() <= host.size());
  // Surrogates appear only in pairs or as escaped bytes U+DC80..U+DCFF.
  for (size_t i = 0; i < device.size(); ++i) {
    char16_t c = device[i];
    if (c >= 0xD800 && c <= 0xDBFF) {
      Check(i + 1 < device.size() && device[i + 1] >= 0xDC00 && device[i + 1] <= 0xDFFF);
      ++i;
    } else if (c >= 0xDC00 && c <= 0xDFFF) {
      Check(c >= 0xDC80 && c <= 0xDCFF);
    }
  }
  std::string back;
  Check(devicefs::DeviceNameToHost(device, &back));
  Check(back == host);
}

void DeviceRoundTrip(const uint8_t* data, size_t size) {
  std::u16string device;
  for (size_t i = 0; i + 1 < size; i += 2) device.push_back(static_cast<char16_t>(data[i] | (data[i + 1] << 8)));
  std::string host;
  if (devicefs::DeviceNameToHost(device, &host)) Check(devicefs::HostNameToDevice(host) == device);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > 4096) return 0;
  HostRoundTrip(std::string(reinterpret_cast<const char*>(data), size));
  DeviceRoundTrip(data, size);
  return 0;
}
