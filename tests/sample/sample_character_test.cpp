// The sample character's three files: their layouts, the tiles they hold and their writing.
// How the sample looks in the editor is pinned by the golden frames of tests/golden.
#include "sample/sample_character.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "../support/temp_dir.h"
#include "display/pixel_layout.h"

namespace boxedit {
namespace {

const SampleCharacter& Sample() {  // made once for all the tests
  static const SampleCharacter* sample = new SampleCharacter(MakeSampleCharacter());
  return *sample;
}
// Palette index at (x, y) of the 640x720 tile sheet: chara.bmp's second block, rows bottom-up.
uint8_t SheetPixel(const SampleCharacter& s, int x, int y) {
  return s.tileSheet[1078 + 640 * 720 + (719 - y) * 640 + x];
}

TEST(SampleFiles, HaveTheLayoutsTheEditorReads_AndTheSameBytesEveryTime) {
  const std::vector<uint8_t>& f = Sample().tileSheet;
  ASSERT_EQ(f.size(), 14u + 40u + 1024u + 640u * 1440u);
  EXPECT_EQ(Sample().pictures.size(), 153600u);
  const SampleCharacter again = MakeSampleCharacter();
  EXPECT_EQ(again.motionList, Sample().motionList);
  EXPECT_TRUE(again.tileSheet == f && again.pictures == Sample().pictures);
}

// Black, palette index 0, is the key colour and the background of every tile; the blits leave out
// every pixel equal to the key, so no other colour used may become it in either layout. (That
// the pictures use only tiles of the sheet is `boxtool check`'s to say: the e2e tests run it.)
TEST(SampleTileSheet, NoColourButTheBackgroundIsTheKey) {
  const SampleCharacter& s = Sample();
  std::set<uint8_t> used;
  for (int y = 0; y < 720; ++y) {
    for (int x = 0; x < 640; ++x) used.insert(SheetPixel(s, x, y));
  }
  for (uint8_t i : used) {
    const uint8_t* c = &s.tileSheet[54 + 4 * i];
    EXPECT_EQ(RgbToPixel(true, c[2], c[1], c[0]) == 0, i == 0) << "index " << int(i);
    EXPECT_EQ(RgbToPixel(false, c[2], c[1], c[0]) == 0, i == 0) << "index " << int(i);
  }
}

TEST(WriteSampleCharacter, WritesTheThreeFiles_OrSaysWhyNot) {
  testing::TempDir dir;
  dir.Write("pattern.pat", std::string(200000, 'y'));
  ASSERT_TRUE(WriteSampleCharacter(dir.path(), nullptr));
  const SampleCharacter& s = Sample();
  EXPECT_EQ(dir.Read("motion.lst"), s.motionList);
  EXPECT_EQ(dir.Read("chara.bmp"), std::string(s.tileSheet.begin(), s.tileSheet.end()));
  EXPECT_EQ(dir.Read("pattern.pat"), std::string(s.pictures.begin(), s.pictures.end()));
  std::string error;
  EXPECT_FALSE(WriteSampleCharacter(dir / "motion.lst" / "sample", &error));
  EXPECT_EQ(error.rfind("cannot create " + (dir / "motion.lst" / "sample").string(), 0), 0u);
}

}  // namespace
}  // namespace boxedit
