// End-to-end: what a hostile or unlucky folder does to boxtool and the editor. Nothing may hang,
// exhaust memory, lose a saved list or fail without saying so.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#if !defined(_WIN32)
#include <sys/sysmacros.h>
#endif

#include <filesystem>
#include <string>

#include "../support/bmp_reader.h"
#include "list_texts.h"
#include "run_boxtool.h"

namespace boxedit {
namespace {

using testing::ReadBmp24;

using ::testing::HasSubstr;
using testing::kHeader;
using testing::kRecord;
namespace fs = std::filesystem;

class HostileInput : public testing::BoxtoolFolder {
 protected:
  // A replay of the editor that runs a few frames, then does what `then` says.
  int Replay(const std::string& then = "") { return BoxtoolFolder::Replay("frame 2\n" + then); }
  void Fifo(const char* name) {
#if defined(_WIN32)
    static_cast<void>(name);
#else
    ASSERT_EQ(mkfifo((dir_ / name).c_str(), 0644), 0);
#endif
  }
  void Sparse(const char* name, uintmax_t size) {
    dir_.Write(name, ""), fs::resize_file(dir_ / name, size);
  }
  // Whether row `y` of the shot holds anything but the grey background.
  bool RowHasText(const std::string& shot, int y) {
    RgbImage image;
    EXPECT_TRUE(ReadBmp24(dir_ / shot, &image));
    for (int x = 0; x < image.width; ++x) {
      if (!(image.At(x, y) == image.At(639, 479))) return true;
    }
    return false;
  }
};

TEST_F(HostileInput, HugeFiles_AreRefusedAtOnceWithTheReason) {
  Sparse("motion.lst", uintmax_t{4} << 30);
  EXPECT_EQ(Boxtool("check"), 2);
  EXPECT_THAT(Err(), HasSubstr("4294967296 bytes, more than the 64 MiB allowed"));
  dir_.Write("motion.lst", std::string(kHeader) + kRecord);
  Sparse("pattern.pat", uintmax_t{17} << 20);
  EXPECT_EQ(Replay(), 0);
  EXPECT_THAT(Err(), HasSubstr("pattern.pat not used: it is 17825792 bytes, more than the 16 MiB"));
}

TEST_F(HostileInput, FifosAndDevices_AreRefusedWithoutWaiting) {
  BOXEDIT_POSIX_ONLY("FIFOs and devices");
  Fifo("motion.lst");
  EXPECT_EQ(Boxtool("check"), 2);
  EXPECT_THAT(Err(), HasSubstr("a FIFO, not a regular file"));
  EXPECT_EQ(Boxtool("resave s"), 1);
  EXPECT_THAT(Err(), HasSubstr("a FIFO"));
  // The editor opens with an empty table, as for a missing list, and closes at the script's end.
  EXPECT_EQ(Replay(), 0);
  EXPECT_THAT(Err(), HasSubstr("cannot read motion.lst: it is a FIFO"));

  fs::remove(dir_ / "motion.lst");
  fs::create_symlink("/dev/zero", dir_ / "motion.lst");
  EXPECT_EQ(Boxtool("check"), 2);
  EXPECT_THAT(Err(), HasSubstr("a character device"));

  fs::remove(dir_ / "motion.lst");
  dir_.Write("motion.lst", std::string(kHeader) + kRecord);
  Fifo("chara.bmp");
  Fifo("pattern.pat");
  EXPECT_EQ(Replay(), 0);
  EXPECT_THAT(Err(), HasSubstr("chara.bmp not used: it is a FIFO"));
  EXPECT_THAT(Err(), HasSubstr("pattern.pat not used: it is a FIFO"));

  // Nor is one written over: a save and an export leave a FIFO and a device (a null device of
  // the test's own, where it may make one: never the system's) as they are.
  Fifo("motion2.lst");
  EXPECT_EQ(Boxtool("resave s"), 1);
  EXPECT_THAT(Err(), HasSubstr("motion2.lst not written: it is a FIFO, not a file"));
  EXPECT_TRUE(fs::is_fifo(dir_ / "motion2.lst"));
#if !defined(_WIN32)
  if (mknod((dir_ / "null").c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0) {
    EXPECT_EQ(Boxtool("export --output null"), 1);
    EXPECT_THAT(Err(), HasSubstr("null not written: it is a character device, not a file"));
    EXPECT_TRUE(fs::is_character_file(dir_ / "null"));
  }
#endif
}

TEST_F(HostileInput, AListWithWarningsSaves_AndTheStatusLineSaysSoFor60Frames) {
  // Warnings only: the list saves, and the status line shows it for 60 frames, then goes.
  dir_.Write("motion.lst", std::string(kHeader) + kRecord +
                               "   1   -1  4   0  0  3 9 0 0 0 0 0 "
                               "-1 U 0 -1 0 10 112048012000 "
                               "11E02801900A 01403C03402C A1\n");
  EXPECT_EQ(Replay("key S\nframe 60\nshot shown.bmp\nframe\nshot gone.bmp\n"), 0) << Err();
  EXPECT_THAT(dir_.Read("motion2.lst"), HasSubstr("HEAD"));
  EXPECT_TRUE(RowHasText("shown.bmp", 470));
  EXPECT_FALSE(RowHasText("gone.bmp", 470));
}

TEST_F(HostileInput, AMotion2ThatIsMotionUnderAnotherName_IsNeverWritten) {
  const std::string list = std::string(kHeader) + kRecord;
  dir_.Write("motion.lst", list);
  fs::create_hard_link(dir_ / "motion.lst", dir_ / "motion2.lst");
  EXPECT_EQ(Replay("key S\n"), 1);
  EXPECT_THAT(Err(), HasSubstr("motion2.lst is motion.lst under another name"));
  EXPECT_EQ(Boxtool("resave l"), 1);
  EXPECT_EQ(dir_.Read("motion.lst"), list);
#if !defined(_WIN32)
  fs::remove(dir_ / "motion2.lst");
  fs::create_symlink("motion.lst", dir_ / "motion2.lst");
  EXPECT_EQ(Boxtool("resave s"), 1);
  EXPECT_EQ(dir_.Read("motion.lst"), list);
#endif
}

}  // namespace
}  // namespace boxedit
