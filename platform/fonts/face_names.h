// The face names the device knows and the family each one is drawn with.
// CreateFontIndirectW maps a face name through this table (compared without
// regard to ASCII case); an empty or unknown name gives the default font,
// the Sans family. EnumFontFamiliesW lists the names of this table.
#pragma once

#include <cstddef>

#include "platform/fonts/font_engine.h"

namespace fonts {

struct DeviceFace {
  const char16_t* name;
  FontFamily family;
};

// The device's installed faces, in the order EnumFontFamiliesW reports them.
const DeviceFace* DeviceFaces(size_t* count);

// The family of a face name of at most `length` characters (stops at a null).
FontFamily FamilyOfFace(const char16_t* name, size_t length);

// The device's face of that name (without regard to ASCII case), or null.
const DeviceFace* FindDeviceFace(const char16_t* name, size_t length);

}  // namespace fonts
