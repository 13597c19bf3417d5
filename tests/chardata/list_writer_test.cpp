// Writing motion2.lst: record lines, file layout, and saves that keep the earlier file on failure.
#include "chardata/list_writer.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <csignal>
#if !defined(_WIN32)
#include <sys/resource.h>
#include <sys/stat.h>
#endif

#include "../support/host_path.h"
#include "../support/temp_dir.h"
#include "chardata/list_reader.h"
#include "chardata/list_tokens.h"

namespace boxedit {
namespace {

using ::testing::EndsWith;
using ::testing::HasSubstr;

const std::string kExampleS =
    "  12   -1  4   7  0  3 9   40 0   0 0 0 -1 U  0   -1 0 1010 112048012000 11E02801900A "
    "01403C03402C A1\n";
const std::string kExampleL =
    "  12   -1  4   7  0  3 9   40  0   0  0 0 -1 U  0   -1 0 1010 112048012000 11E02801900A "
    "01403C03402C A1\n";
const std::string kList = "CHARA\n0 255 0 3\nEND\n" + kExampleS;

TEST(ListWriter, RecordLinesAndFile_FollowEachLayoutExactly) {
  auto list = std::make_unique<MotionList>();
  ASSERT_TRUE(LoadText(*list, kList).empty());
  PatternRecord r = list->patterns[12];
  EXPECT_EQ(FormatRecordLine(r, 12, SaveLayout::kS), kExampleS);
  EXPECT_EQ(FormatRecordLine(r, 12, SaveLayout::kL), kExampleL);
  for (int32_t guard : {0, 1, 2, 3, 9})
    EXPECT_EQ(DecodeGuard(std::string(1, GuardLetter(guard))), guard);
  for (uint32_t flags = 0; flags < 16; ++flags) EXPECT_EQ(DecodeFlags(FlagToken(flags)), flags);
  // The file: the header, then the records, an empty line where a motion starts.
  for (int i : {0, 2, 27, 31}) list->patterns[i] = r;
  list->patterns[2].picture = 0;  // a picture, not an empty slot
  list->lastPattern = 27;
  for (SaveLayout layout : {SaveLayout::kS, SaveLayout::kL}) {
    auto line = [&](int i) { return FormatRecordLine(list->patterns[i], i, layout); };
    EXPECT_EQ(FormatList(*list, {"CHARA", {0, 255, 0, 3}, "END"}, layout),
              std::string("CHARA\n  0 255   0   3\n") + (layout == SaveLayout::kL ? "\n" : "") +
                  "END\n" + line(0) + line(2) + "\n" + line(12) + "\n" + line(27));
  }
  r.comment.fill('\0');  // an empty comment is "-"; one without a NUL is cut to 63 characters
  EXPECT_THAT(FormatRecordLine(r, 12, SaveLayout::kS), EndsWith(" 01403C03402C -\n"));
  r.comment.fill('z');
  EXPECT_THAT(FormatRecordLine(r, 12, SaveLayout::kL),
              EndsWith("C " + std::string(63, 'z') + "\n"));
}

TEST(ListWriter, BoxCoordinates_AreSignAndHexDigitsClampedToTheRange) {
  const std::tuple<int32_t, const char*, const char*> cases[] = {
      {-1, "101", "000"},  {255, "0FF", "0FF"},  {256, "0FF", "100"},      {511, "0FF", "1FF"},
      {512, "0FF", "1FF"}, {-256, "1FF", "000"}, {INT32_MIN, "1FF", "000"}};
  for (const auto& [value, x, y] : cases)
    EXPECT_EQ(WriteBoxX(value) + WriteBoxY(value), std::string(x) + y) << value;
}

TEST(Save, CopiesTheHeaderAsItStandsNowAndKeepsTheEarlierFileOnFailure) {
  testing::TempDir dir;
  auto list = std::make_unique<MotionList>();
  dir.Write("motion.lst", kList);
  ASSERT_TRUE(Load(*list, dir.path()).empty());
  using It = std::filesystem::directory_iterator;  // counts leftover temporaries
  auto files = [&] { return std::distance(It(dir.path()), It()); };
  const std::string changed = "NEW-NAME\n  7\t8 9\n-2 TAIL " + kExampleS;
  dir.Write("motion.lst", changed);
  EXPECT_TRUE(Save(*list, dir.path(), SaveLayout::kL));
  EXPECT_EQ(dir.Read("motion2.lst"),
            FormatList(*list, {"NEW-NAME", {7, 8, 9, -2}, "TAIL"}, SaveLayout::kL));
  EXPECT_EQ(dir.Read("motion.lst"), changed);
  EXPECT_EQ(files(), 2);

  dir.Write("motion2.lst", "earlier");
  std::string error;
  for (const char* text : {"NAME 1 2 3 4", static_cast<const char*>(nullptr)}) {
    text ? dir.Write("motion.lst", text) : void(std::filesystem::remove(dir / "motion.lst"));
    EXPECT_FALSE(Save(*list, dir.path(), SaveLayout::kL, &error));
    EXPECT_THAT(error, HasSubstr(text ? "no complete header" : "cannot read motion.lst"));
    EXPECT_EQ(dir.Read("motion2.lst"), "earlier");
  }
  // A list its owner marked read-only (no write bit; the attribute on Windows) is not replaced.
  dir.Write("motion.lst", changed);
  namespace fs = std::filesystem;
  fs::permissions(dir / "motion2.lst", fs::perms::all, fs::perm_options::remove);
  fs::permissions(dir / "motion2.lst", fs::perms::owner_read, fs::perm_options::add);
  EXPECT_FALSE(Save(*list, dir.path(), SaveLayout::kS, &error));
  EXPECT_THAT(error, HasSubstr("it is marked read-only"));
  fs::permissions(dir / "motion2.lst", fs::perms::owner_write, fs::perm_options::add);
  EXPECT_EQ(dir.Read("motion2.lst"), "earlier");
#if !defined(_WIN32)
  // A write that fails part way: a file size limit below the list's size (EFBIG).
  dir.Write("motion.lst", changed);
  std::fflush(nullptr);
  const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
  rlimit old, small;
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &(small = {100, old.rlim_max})), 0);
  EXPECT_FALSE(Save(*list, dir.path(), SaveLayout::kS, &error));
  setrlimit(RLIMIT_FSIZE, &old);
  std::signal(SIGXFSZ, oldHandler);
  EXPECT_THAT(error, HasSubstr("cannot write"));
  EXPECT_EQ(dir.Read("motion2.lst"), "earlier");
  EXPECT_EQ(files(), 2);
#endif
}

TEST(Save, ListGetsTheModeOfANewFile_LessTheUmask) {
  BOXEDIT_POSIX_ONLY("file modes, the umask and symbolic links");
#if !defined(_WIN32)
  namespace fs = std::filesystem;
  testing::TempDir dir;
  auto list = std::make_unique<MotionList>();
  dir.Write("motion.lst", kList);
  ASSERT_TRUE(Load(*list, dir.path()).empty());
  const mode_t old = umask(027);
  EXPECT_TRUE(Save(*list, dir.path(), SaveLayout::kS));
  EXPECT_EQ(umask(old), static_cast<mode_t>(027));  // and the umask is left as it was
  EXPECT_EQ(fs::status(dir / "motion2.lst").permissions(), fs::perms(0640));
  fs::permissions(dir / "motion2.lst", fs::perms(0604));  // an existing list
  ASSERT_TRUE(Save(*list, dir.path(), SaveLayout::kS));
  EXPECT_EQ(fs::status(dir / "motion2.lst").permissions(), fs::perms(0604));

  // A chain of 40 links, as many as a path may pass.
  fs::create_directory(dir / "kept");
  fs::remove(dir / "motion2.lst");
  fs::create_symlink("link1", dir / "motion2.lst");
  for (int i = 1; i < 40; ++i)
    fs::create_symlink(i < 39 ? "link" + std::to_string(i + 1) : "kept/real.lst",
                       dir / ("link" + std::to_string(i)));
  const auto stale = fs::file_time_type::clock::now() - std::chrono::minutes(11);
  for (const char* name : {"kept/real.lst.boxedit-tmp-AAAAAA", "kept/real.lst.boxedit-tmp-BBBBBB",
                           "kept/real.lst.CCCCCC"}) {
    dir.Write(name, "a killed save");
    if (!std::string_view(name).ends_with("BBBBBB")) fs::last_write_time(dir / name, stale);
  }
  ASSERT_TRUE(Save(*list, dir.path(), SaveLayout::kS));
  EXPECT_TRUE(fs::is_symlink(dir / "motion2.lst"));
  EXPECT_THAT(dir.Read("kept/real.lst"), ::testing::StartsWith("CHARA"));
  EXPECT_FALSE(dir.Exists("kept/real.lst.boxedit-tmp-AAAAAA"));  // ours and stale
  EXPECT_TRUE(dir.Exists("kept/real.lst.boxedit-tmp-BBBBBB"));   // another save may be writing it
  EXPECT_TRUE(dir.Exists("kept/real.lst.CCCCCC"));               // not ours
#endif
}

}  // namespace
}  // namespace boxedit
