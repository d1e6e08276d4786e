// Host file names as device names and back.
//
// Host names are bytes; most are UTF-8, but cards written by other systems
// carry names that are not. Each byte that does not begin a valid UTF-8
// sequence decodes to the lone low surrogate U+DC00 + byte (U+DC80..U+DCFF),
// which no valid UTF-8 name can produce, and encodes back to that byte. So
// every host name has exactly one device name and the two convert both ways
// without loss: no two host files ever answer to one device name.
#pragma once

#include <string>

namespace devicefs {

std::u16string HostNameToDevice(const std::string& host);
// False when no host name decodes to the device text: a surrogate that
// neither forms a pair nor stands for a byte (U+DC80..U+DCFF), or escaped
// bytes that together form valid UTF-8. Such a name cannot be written out
// without answering to another.
bool DeviceNameToHost(const std::u16string& device, std::string* host);

}  // namespace devicefs
