// Reading back the 24-bit BMPs that shots are written as, for tests that look at their pixels.
#pragma once

#include <filesystem>

#include "base/colour.h"

namespace boxedit::testing {

// Reads an uncompressed bottom-up 24-bit BMP, as EncodeBmp24 writes it. False when the file is
// missing, is not such a BMP, or is shorter than its headers say.
bool ReadBmp24(const std::filesystem::path& path, RgbImage* out);

}  // namespace boxedit::testing
