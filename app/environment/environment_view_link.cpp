// The environment's answers to the document view.
#include "app/environment/environment_view_link.h"

namespace {

constexpr int32_t kFrench = 12;
constexpr uint32_t kFrenchLocale = 0x40C;
constexpr uint32_t kEnglishLocale = 0x409;

}  // namespace

void EnvironmentViewLink::LoadString(SharedWideString* text, uint32_t stringId) {
  if (environment_ == nullptr || !environment_->LoadString(stringId, text)) text->Clear();
}

int32_t EnvironmentViewLink::GetDefaultSetting(int32_t key) {
  if (environment_ == nullptr || key < 0) return 0;
  return environment_->GetDefaultSetting(static_cast<uint32_t>(key));
}

bool EnvironmentViewLink::GetDatabaseFolder(SharedWideString* folder) {
  EncodedString path;
  if (environment_ == nullptr || !environment_->GetDatabaseFolder(&path)) return false;
  return folder->AssignEncodedString(path);
}

bool EnvironmentViewLink::GetDataFolder(SharedWideString* folder) {
  if (environment_ == nullptr || environment_->dataFolder().IsEmpty()) return false;
  return folder->AssignEncodedString(environment_->dataFolder());
}

uint32_t EnvironmentViewLink::GetUiLanguage() {
  return environment_ != nullptr && environment_->GetUiLanguage() == kFrench ? kFrenchLocale : kEnglishLocale;
}
