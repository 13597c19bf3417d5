// End-to-end: every shot of tests/golden/frames.txt replayed on the sample equals its golden
// frame to the pixel, in both layouts. They catch any change of the screen, not the edge cases
// (those are the units' tests). After a change meant to alter it: scripts/update-golden-frames.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>

#include "../support/png_reader.h"
#include "run_boxtool.h"

namespace boxedit {
namespace {

namespace fs = std::filesystem;

class GoldenFrames : public testing::BoxtoolFolder,
                     public ::testing::WithParamInterface<std::string> {};

TEST_P(GoldenFrames, TheSampleDrawsEveryShotAsItsGoldenFrame) {
  const fs::path golden = testing::HostPath(std::string(BOXEDIT_SOURCE_DIR) + "/tests/golden");
  ASSERT_EQ(Boxtool("make-sample ."), 0);
  fs::copy_file(golden / "frames.txt", dir_ / "frames.txt");
  ASSERT_EQ(Boxtool("replay frames.txt --layout " + GetParam()), 0) << Err();
  int frames = 0;
  for (const fs::directory_entry& entry : fs::directory_iterator(golden / GetParam())) {
    const std::string name = entry.path().filename().string();
    RgbImage want, got;
    ASSERT_TRUE(testing::ReadPng(entry.path(), &want)) << name;
    ASSERT_TRUE(testing::ReadPng(dir_ / name, &got)) << name;
    ASSERT_EQ(std::pair(got.width, got.height), std::pair(want.width, want.height)) << name;
    const auto differ = std::mismatch(got.pixels.begin(), got.pixels.end(), want.pixels.begin());
    const auto at = differ.first - got.pixels.begin();
    EXPECT_TRUE(differ.first == got.pixels.end())
        << name << " differs first at (" << at % want.width << ", " << at / want.width << ")";
    ++frames;
  }
  EXPECT_EQ(frames, 12);
}

INSTANTIATE_TEST_SUITE_P(Layouts, GoldenFrames, ::testing::Values("565", "555"),
                         [](const auto& info) { return "Layout" + info.param; });

}  // namespace
}  // namespace boxedit
