#include "backends/headless/replay_script.h"

#include <gtest/gtest.h>

#include "../../support/temp_dir.h"
#include "platform/messages.h"

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
      "key alt+Shift+CTRL+7\n"
      "shot out/a b#1.PNG # a '#' after a blank starts a comment\nclose",
      "s.txt", &c, &error))
      << error;
  EXPECT_EQ(c, (std::vector<ReplayCommand>{
                   Cmd(ReplayOp::kKey, 2, vk::kF5), Cmd(ReplayOp::kMove, 4, 0, 10, 20),
                   Cmd(ReplayOp::kLeftDown, 5, 0, 0, 65535), Cmd(ReplayOp::kLeftUp, 6, 0, 1, 2),
                   Cmd(ReplayOp::kRightDown, 8, 0, 300, 200), Cmd(ReplayOp::kRightUp, 9, 0, 4, 5),
                   Cmd(ReplayOp::kFrame, 10, 1), Cmd(ReplayOp::kFrame, 11, 1000000),
                   Cmd(ReplayOp::kKey, 12, '7', 0, 0, "", kHeldControl | kHeldShift | kHeldMenu),
                   Cmd(ReplayOp::kShot, 13, 0, 0, 0, "out/a b#1.PNG"), Cmd(ReplayOp::kClose, 14)}));
}

TEST(ReplayScript, KeyNamesGiveVirtualKeyCodes_AndLongerNumbersAreCodes) {
  const std::pair<const char*, uint32_t> keys[] = {{"Esc", 27}, {"F12", 123}, {"Z", 90},
                                                   {"0", 48},   {"07", 7},    {"255", 255}};
  for (const auto& [name, code] : keys) EXPECT_EQ(ReplayKeyCode(name), code) << name;
  for (const char* bad : {"esc", "a", "F13", "256", "-1", ""})
    EXPECT_EQ(ReplayKeyCode(bad), std::nullopt) << bad;
}

TEST(ReplayScript, NamesScriptAndLine_WhenLineIsMalformed) {
  using namespace std::string_view_literals;
  const std::pair<std::string_view, const char*> cases[] = {
      {"key A\n\n# c\njump 1 2\n", "s.txt:4: unknown command 'jump'"},
      {"key", "s.txt:1: 'key' needs a key name or a code"},
      // A NUL byte, which would cut the message, is shown as a code.
      {"key CTRL+A\0B"sv, "s.txt:1: unknown key 'A\\x00B' (a key name or a code 0..255)"},
      {"key CTRL+", "s.txt:1: no key after the modifiers in 'CTRL+'"},
      {"key CTRL+Shift+ctrl+Z", "s.txt:1: modifier 'ctrl' given twice in 'CTRL+Shift+ctrl+Z'"},
      {"key FOO+Z", "s.txt:1: unknown modifier 'FOO' in 'FOO+Z' (CTRL, SHIFT or ALT)"},
      {"move 10", "s.txt:1: 'move' needs X and Y"},
      {"rup 5 -1", "s.txt:1: bad coordinate '-1' (0..65535)"},
      {"frame 0", "s.txt:1: bad frame count '0' (1..1000000)"},
      {"frame 1000001", "s.txt:1: bad frame count '1000001' (1..1000000)"},
      {"shot", "s.txt:1: 'shot' needs a file name"},
      {"shot a.gif", "s.txt:1: shot file 'a.gif' must end in .bmp or .png"},
      {"close now", "s.txt:1: unexpected 'now' after 'close'"},
      {"close\n# the end\nframe\n", "s.txt:3: nothing may follow 'close' (line 1)"}};
  for (const auto& [text, message] : cases) {
    std::vector<ReplayCommand> c{ReplayCommand{}};
    std::string error;
    EXPECT_FALSE(ParseReplayScript(text, "s.txt", &c, &error)) << text;
    EXPECT_EQ(error, message);
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
  EXPECT_EQ(error.rfind((dir / "none.txt").string() + ": cannot read the script", 0), 0u) << error;
}

}  // namespace
}  // namespace boxedit
