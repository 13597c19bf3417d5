// End-to-end: the sample's chara.bmp rewritten by ImageMagick in each form it writes (palette
// images of 4 and 8 bits with either header, RLE8, 24 and 32 bits); the editor run on each must
// draw frames identical byte for byte to those it draws from the original. The rarer forms
// come from the unit tests' own writer (tests/support/bmp_writer.h).
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <tuple>

#include "../support/temp_dir.h"
#include "base/little_endian.h"
#include "run_boxtool.h"

namespace boxedit {
namespace {

using testing::TempDir;

TEST(TileSheetForms, EveryFormImageMagickWritesDrawsTheSameFrames) {
  BOXEDIT_POSIX_ONLY("ImageMagick's convert is run through the shell");
  if (std::system("convert -version >/dev/null 2>&1") != 0) GTEST_SKIP() << "no ImageMagick";
  // Shots of every second pattern: the sample's pictures use tiles from all over the sheet.
  std::string script = "frame\nshot 0.bmp\n";
  for (int i = 1; i < 6; ++i)
    script += "key Down\nkey Down\nframe\nshot " + std::to_string(i) + ".bmp\n";
  TempDir original;
  ASSERT_EQ(testing::RunBoxtool(original.path(), "make-sample ."), 0);
  original.Write("script.txt", script);
  ASSERT_EQ(testing::RunBoxtool(original.path(), "replay script.txt"), 0);
  ASSERT_NE(original.Read("0.bmp"), original.Read("5.bmp"));

  const struct {
    const char* options;                            // convert's, before the output name
    std::tuple<uint32_t, uint16_t, uint32_t> form;  // header size, bits, compression
  } forms[] = {
      {"-compress None BMP3:", {40, 8, 0}},
      {"-compress None BMP:", {124, 8, 0}},
      {"-compress RLE BMP3:", {40, 8, 1}},
      {"-compress RLE BMP:", {124, 8, 1}},
      // 16 colours: the sample has 12, which ImageMagick sorts into a palette order of its own.
      {"-colors 16 -type Palette -compress None BMP3:", {40, 4, 0}},
      {"-colors 16 -type Palette -compress None BMP:", {124, 4, 0}},
      {"-type TrueColor BMP3:", {40, 24, 0}},
      {"-type TrueColorAlpha -define bmp3:alpha=true BMP3:", {40, 32, 0}},
      {"-type TrueColorAlpha BMP:", {124, 32, 3}},
  };
  for (const auto& f : forms) {
    SCOPED_TRACE(f.options);
    TempDir dir;
    for (const char* name : {"motion.lst", "pattern.pat"}) {
      std::filesystem::copy_file(original / name, dir / name);
    }
    const std::string command = "convert '" + (original / "chara.bmp").string() + "' " + f.options +
                                "'" + (dir / "chara.bmp").string() + "'";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
    // The form asked for, and not one the tool chose instead.
    const std::string file = dir.Read("chara.bmp");
    ASSERT_GE(file.size(), 54u);
    const auto* b = reinterpret_cast<const uint8_t*>(file.data());
    EXPECT_EQ(std::tuple(ReadLe32(b + 14), ReadLe16(b + 28), ReadLe32(b + 30)), f.form);

    dir.Write("script.txt", script);
    ASSERT_EQ(testing::RunBoxtool(dir.path(), "replay script.txt"), 0) << dir.Read("err.txt");
    EXPECT_EQ(dir.Read("err.txt"), "");
    for (int i = 0; i < 6; ++i) {
      const std::string shot = std::to_string(i) + ".bmp";
      EXPECT_TRUE(dir.Read(shot) == original.Read(shot)) << shot << " differs";
    }
  }
}

}  // namespace
}  // namespace boxedit
