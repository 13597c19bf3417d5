// End-to-end: the sample character's chara.bmp rewritten by ImageMagick in each form it writes
// (palette images of 4 and 8 bits with either header, RLE8, 24 and 32 bits); the editor run on
// each must draw frames identical byte for byte to those it draws from the original. The forms
// ImageMagick does not write come from the unit tests' own writer (tests/display).
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <span>
#include <string>

#include "../support/temp_dir.h"
#include "chardata/bmp.h"
#include "run_boxtool.h"

namespace boxedit {
namespace {

using testing::TempDir;

constexpr int kShots = 6;

// A shot of the first pattern, then of each next one; the sample's patterns show different
// pictures, so the tiles of many parts of the sheet are drawn.
std::string Script() {
  std::string script = "frame\nshot 0.bmp\n";
  for (int i = 1; i < kShots; ++i) {
    script += "key Down\nkey Down\nframe\nshot " + std::to_string(i) + ".bmp\n";
  }
  return script;
}

bool HaveConvert() {
  return std::system("convert -version >/dev/null 2>&1") == 0;
}

TEST(TileSheetForms, EveryFormImageMagickWritesDrawsTheSameFrames) {
  BOXEDIT_POSIX_ONLY("ImageMagick's convert is run through the shell");
  if (!HaveConvert()) GTEST_SKIP() << "ImageMagick's convert is not installed";
  TempDir original;
  ASSERT_EQ(testing::RunBoxtool(original.path(), "make-sample ."), 0) << original.Read("err.txt");
  original.Write("script.txt", Script());
  ASSERT_EQ(testing::RunBoxtool(original.path(), "replay script.txt"), 0)
      << original.Read("err.txt");
  for (int i = 1; i < kShots; ++i)
    ASSERT_NE(original.Read("0.bmp"), original.Read(std::to_string(i) + ".bmp"));

  const struct {
    const char* options;  // convert's, before the output name
    uint32_t headerSize;
    uint16_t bits;
    uint32_t compression;
  } forms[] = {
      {"-compress None BMP3:", 40, 8, 0},
      {"-compress None BMP:", 124, 8, 0},
      {"-compress RLE BMP3:", 40, 8, 1},
      {"-compress RLE BMP:", 124, 8, 1},
      // 16 colours: the sample has 12, which ImageMagick sorts into a palette order of its own.
      {"-colors 16 -type Palette -compress None BMP3:", 40, 4, 0},
      {"-colors 16 -type Palette -compress None BMP:", 124, 4, 0},
      {"-type TrueColor BMP3:", 40, 24, 0},
      {"-type TrueColorAlpha -define bmp3:alpha=true BMP3:", 40, 32, 0},
      {"-type TrueColorAlpha BMP:", 124, 32, 3},
  };
  for (const auto& form : forms) {
    SCOPED_TRACE(form.options);
    TempDir dir;
    for (const char* name : {"motion.lst", "pattern.pat"}) {
      std::filesystem::copy_file(original / name, dir / name);
    }
    const std::string command = "convert '" + (original / "chara.bmp").string() + "' " +
                                form.options + "'" + (dir / "chara.bmp").string() + "'";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;

    // The form asked for, and not one the tool chose instead.
    const std::string file = dir.Read("chara.bmp");
    ASSERT_GE(file.size(), size_t{kBitmapFileHeaderSize + kBitmapInfoHeaderSize});
    const BitmapInfoHeader info =
        ParseInfoHeader(std::span(reinterpret_cast<const uint8_t*>(file.data()), file.size())
                            .subspan<kBitmapFileHeaderSize, kBitmapInfoHeaderSize>());
    EXPECT_EQ(info.biSize, form.headerSize);
    EXPECT_EQ(info.biBitCount, form.bits);
    EXPECT_EQ(info.biCompression, form.compression);
    EXPECT_EQ(info.biWidth, 640);
    EXPECT_EQ(info.biHeight, 1440);

    dir.Write("script.txt", Script());
    ASSERT_EQ(testing::RunBoxtool(dir.path(), "replay script.txt"), 0) << dir.Read("err.txt");
    EXPECT_EQ(dir.Read("err.txt").find("chara.bmp"), std::string::npos) << dir.Read("err.txt");
    for (int i = 0; i < kShots; ++i) {
      const std::string shot = std::to_string(i) + ".bmp";
      EXPECT_TRUE(dir.Read(shot) == original.Read(shot)) << "shot " << shot << " differs";
    }
  }
}

}  // namespace
}  // namespace boxedit
