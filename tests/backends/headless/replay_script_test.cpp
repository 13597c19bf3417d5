#include "backends/headless/replay_script.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../../support/temp_dir.h"

namespace boxedit {
namespace {

ReplayCommand Cmd(ReplayOp op, int line, uint32_t value = 0, uint16_t x = 0, uint16_t y = 0,
                  std::string file = "", HeldKeys held = 0) {
  return ReplayCommand{op, line, value, x, y, std::move(file), held};
}

TEST(ReplayScript, ParsesEveryCommand_WithLineNumbersPastBlanksAndComments) {
  std::vector<ReplayCommand> c;
  std::string error;
  ASSERT_TRUE(ParseReplayScript(
      "# a comment\nkey F5\n\nmove 10 20\r\n  ldown 0 65535\nlup 1 2\n"
      "\t# indented\nrdown 300 200\nrup 4 5   # the corner\nframe\nframe 1000000\n"
      "key alt+Shift+CTRL+7\ntype 1-0\n"
      "shot out/a b#1.PNG # a '#' after a blank starts a comment\nclose",
      "s.txt", &c, &error))
      << error;
  EXPECT_EQ(c, (std::vector<ReplayCommand>{
                   Cmd(ReplayOp::kKey, 2, vk::kF5), Cmd(ReplayOp::kMove, 4, 0, 10, 20),
                   Cmd(ReplayOp::kLeftDown, 5, 0, 0, 65535), Cmd(ReplayOp::kLeftUp, 6, 0, 1, 2),
                   Cmd(ReplayOp::kRightDown, 8, 0, 300, 200), Cmd(ReplayOp::kRightUp, 9, 0, 4, 5),
                   Cmd(ReplayOp::kFrame, 10, 1), Cmd(ReplayOp::kFrame, 11, 1000000),
                   Cmd(ReplayOp::kKey, 12, '7', 0, 0, "", kHeldControl | kHeldShift | kHeldMenu),
                   Cmd(ReplayOp::kType, 13, 0, 0, 0, "1-0"),
                   Cmd(ReplayOp::kShot, 14, 0, 0, 0, "out/a b#1.PNG"), Cmd(ReplayOp::kClose, 15)}));
}

TEST(ReplayScript, KeyNamesGiveVirtualKeyCodes_AndLongerNumbersAreCodes) {
  const std::pair<const char*, uint32_t> keys[] = {
      {"Esc", 27},    {"F12", 123},   {"Z", 90},        {"0", 48},
      {"07", 7},      {"255", 255},   {"Tab", 9},       {"Backspace", 8},
      {"Minus", 189}, {"PageUp", 33}, {"PageDown", 34}, {"esc", 27},
      {"DOWN", 40},   {"pageup", 33}, {"a", 65},        {"z", 90}};
  for (const auto& [name, code] : keys) EXPECT_EQ(ReplayKeyCode(name), code) << name;
  for (const char* bad : {"ab", "@", "F13", "256", "-1", ""})
    EXPECT_EQ(ReplayKeyCode(bad), std::nullopt) << bad;
}

TEST(ReplayScript, NamesScriptAndLine_WhenLineIsMalformed) {
  const std::pair<const char*, const char*> cases[] = {
      {"key A\n\n# c\njump 1 2\n", "s.txt:4: unknown command 'jump'"},
      {"close\n# the end\nframe\n", "s.txt:3: nothing may follow 'close' (line 1)"},
      {"key CTRL+qq", "key 'qq' (known keys: Esc, Up, Down, Left,"},
      {"key CTRL+Shift+ctrl+Z", "'ctrl' given twice"},
      {"key FOO+Z", "modifier 'FOO'"},
      {"rup 5 65536", "coordinate '65536'"},
      {"frame 0", "count '0'"},
      {"frame 1000001", "count '1000001'"},
      {"shot a.gif", ".bmp or .png"},
      {"close now", "'now' after 'close'"},
      {"type", "'type' needs"},
      {"type 1 2", "cannot type ' '"}};
  for (const auto& [text, message] : cases) {
    std::vector<ReplayCommand> c{ReplayCommand{}};
    std::string error;
    EXPECT_FALSE(ParseReplayScript(text, "s.txt", &c, &error)) << text;
    EXPECT_THAT(error, ::testing::HasSubstr(message));
    EXPECT_TRUE(c.empty());
  }
}

TEST(ReplayScript, LoadsFile_AndNamesItInErrors) {
  testing::TempDir dir;
  dir.Write("bad.txt", "frame\nmove 1\n");
  std::vector<ReplayCommand> c;
  std::string error;
  EXPECT_FALSE(LoadReplayScript(dir / "bad.txt", &c, &error));
  EXPECT_EQ(error, (dir / "bad.txt").string() + ":2: 'move' needs X and Y");
  EXPECT_FALSE(LoadReplayScript(dir / "none.txt", &c, &error));
}

}  // namespace
}  // namespace boxedit
