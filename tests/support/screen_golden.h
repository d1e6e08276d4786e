// Compares the device screen with a committed golden picture, pixel for
// pixel; with TESSALYN_UPDATE_GOLDENS set it rewrites the golden instead.
// A differing screen is left in the temporary folder for a look.
#pragma once

#include <filesystem>
#include <string>

namespace testpng {

// `name` is the golden's file name, used for the saved screen and messages.
void ExpectScreenMatchesGolden(const std::filesystem::path& golden, const std::string& name);

}  // namespace testpng
