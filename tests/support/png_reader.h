// A PNG reader for tests that shares nothing with our encoder: the chunks checked against their
// CRCs, the IDAT data inflated by zlib, and each row's filter (none or up) undone.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>

#include "base/colour.h"

namespace boxedit::testing {

// An 8-bit RGB PNG of one IDAT stream; a failure says what is wrong with the file.
::testing::AssertionResult DecodePng(const std::vector<uint8_t>& png, RgbImage* image);
::testing::AssertionResult ReadPng(const std::filesystem::path& path, RgbImage* image);

}  // namespace boxedit::testing
