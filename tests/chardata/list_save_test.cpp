// Saving motion2.lst: the header copied from motion.lst, and failures that keep the old file.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>
#include <cstdio>

#include "../support/temp_dir.h"
#include "chardata/list_reader.h"
#include "chardata/list_writer.h"
#include "list_text.h"

namespace boxedit {
namespace {

using ::testing::HasSubstr;
using testing::kHeader;
using testing::RecordLine;

// Files of a directory other than the given ones (a leftover temporary file would show here).
std::vector<std::string> OtherFiles(const testing::TempDir& dir, std::vector<std::string> known) {
  std::vector<std::string> others;
  for (const auto& entry : std::filesystem::directory_iterator(dir.path())) {
    const std::string name = entry.path().filename().string();
    if (std::find(known.begin(), known.end(), name) == known.end()) others.push_back(name);
  }
  return others;
}

class SaveTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_.Write("motion.lst", std::string(kHeader) + RecordLine(3) + RecordLine(14));
    ASSERT_TRUE(Load(*list_, dir_.path()).empty());
  }
  testing::TempDir dir_;
  std::unique_ptr<MotionList> list_ = testing::NewTable();
};

TEST_F(SaveTest, WritesTheFormattedList) {
  std::string error;
  EXPECT_EQ(SaveS(*list_, dir_.path(), &error), 1) << error;
  const ListHeader header{"CHARA", {0, 255, 0, 3}, "END"};
  EXPECT_EQ(dir_.Read("motion2.lst"), FormatList(*list_, header, SaveLayout::kS));
  EXPECT_EQ(SaveL(*list_, dir_.path()), 1);
  EXPECT_EQ(dir_.Read("motion2.lst"), FormatList(*list_, header, SaveLayout::kL));
  EXPECT_THAT(OtherFiles(dir_, {"motion.lst", "motion2.lst"}), ::testing::IsEmpty());
}

TEST_F(SaveTest, HeaderIsCopiedFromMotionLstAsItStandsNow) {
  const std::string changed = "NEW-NAME\n  7\t8 9\n-2 TAIL " + RecordLine(1);
  dir_.Write("motion.lst", changed);
  ASSERT_EQ(SaveL(*list_, dir_.path()), 1);
  EXPECT_THAT(dir_.Read("motion2.lst"), ::testing::StartsWith("NEW-NAME\n  7   8   9  -2\n\nTAIL\n"
                                                              "   3   -1"));
  // The table's gravity plays no part, and motion.lst is left as it was.
  EXPECT_EQ(list_->gravity, 3);
  EXPECT_EQ(dir_.Read("motion.lst"), changed);
}

TEST_F(SaveTest, MissingMotionLst_KeepsEarlierMotion2Lst) {
  dir_.Write("motion2.lst", "earlier");
  std::filesystem::remove(dir_ / "motion.lst");
  std::string error;
  EXPECT_EQ(SaveS(*list_, dir_.path(), &error), 0);
  EXPECT_THAT(error, HasSubstr("cannot read motion.lst"));
  EXPECT_EQ(dir_.Read("motion2.lst"), "earlier");
  EXPECT_THAT(OtherFiles(dir_, {"motion2.lst"}), ::testing::IsEmpty());
}

TEST_F(SaveTest, IncompleteHeader_KeepsEarlierMotion2Lst) {
  dir_.Write("motion2.lst", "earlier");
  for (const char* text : {"", "NAME 1 2 3 4", "NAME 1 2 x 4 END"}) {
    dir_.Write("motion.lst", text);
    std::string error;
    EXPECT_EQ(SaveL(*list_, dir_.path(), &error), 0) << text;
    EXPECT_THAT(error, HasSubstr("no complete header"));
    EXPECT_EQ(dir_.Read("motion2.lst"), "earlier");
  }
}

TEST_F(SaveTest, FailedReplace_RemovesTheTemporaryFile) {
  // A directory in motion2.lst's place cannot be replaced by a file.
  std::filesystem::create_directory(dir_ / "motion2.lst");
  dir_.Write("motion2.lst/keep", "x");
  std::string error;
  EXPECT_EQ(SaveS(*list_, dir_.path(), &error), 0);
  EXPECT_THAT(error, HasSubstr("cannot replace the file"));
  EXPECT_EQ(dir_.Read("motion2.lst/keep"), "x");
  EXPECT_THAT(OtherFiles(dir_, {"motion.lst", "motion2.lst"}), ::testing::IsEmpty());
}

TEST_F(SaveTest, FailedWrite_KeepsEarlierMotion2Lst) {
  dir_.Write("motion2.lst", "earlier");
  // A file size limit below the list's size makes the write fail part way (EFBIG).
  std::fflush(nullptr);
  const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
  rlimit old;
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
  rlimit small = old;
  small.rlim_cur = 100;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  std::string error;
  const int result = SaveS(*list_, dir_.path(), &error);
  setrlimit(RLIMIT_FSIZE, &old);
  std::signal(SIGXFSZ, oldHandler);
  EXPECT_EQ(result, 0);
  EXPECT_THAT(error, HasSubstr("cannot write"));
  EXPECT_EQ(dir_.Read("motion2.lst"), "earlier");
  EXPECT_THAT(OtherFiles(dir_, {"motion.lst", "motion2.lst"}), ::testing::IsEmpty());
}

TEST_F(SaveTest, SavedFile_GetsNewFilePermissions) {
  for (mode_t mask : {mode_t{022}, mode_t{027}}) {
    const mode_t old = umask(mask);
    const int result = SaveS(*list_, dir_.path());
    umask(old);
    ASSERT_EQ(result, 1);
    struct stat st;
    ASSERT_EQ(stat((dir_ / "motion2.lst").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0666 & ~mask);
  }
}

}  // namespace
}  // namespace boxedit
