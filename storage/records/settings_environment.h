// SettingsEnvironment: what the record files need of the application's
// environment (the application frame owns the real one): the path of the
// global settings file inside the application's data folder. Declared here
// so that storage does not depend on the application frame; tests give a
// small fake.
#pragma once

#include "foundation/encoded_string/encoded_string.h"

// The settings file's name inside the data folder.
constexpr WCHAR kGlobalConfigurationFileName[] = u"QVR_global_configuration.qvr";

class SettingsEnvironment {
 public:
  // Fills `path` with the data folder followed directly by
  // kGlobalConfigurationFileName, as UTF-16; true when the result is not in
  // an error state.
  virtual bool GetGlobalConfigurationPath(EncodedString* path) = 0;

 protected:
  ~SettingsEnvironment() = default;
};
