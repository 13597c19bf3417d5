#include "base/screen_layout.h"
#include "display/font.h"
#include "shell/command_table.h"
#include "shell/editor.h"
#include "view/box_overlay.h"
#include "view/frame_bar.h"
#include "view/info_panels.h"
#include "view/key_help.h"
#include "view/motion_strip.h"
#include "view/onion_skin.h"

namespace boxedit {

namespace {

// Defense box 0 of every slot spans x -18..18 whatever was loaded: only its height is the
// user's to set, and no command changes its x values (the window procedure takes back whatever
// one did). It runs every frame, before the boxes are drawn, so the file's values last until the
// first frame: a save before it writes them, as boxtool resave does.
void ResetDefenseBoxWidths(MotionList& list) {
  for (PatternRecord& p : list.patterns) {
    p.defense[0].x1 = -18;
    p.defense[0].x2 = 18;
  }
}

void DrawPatternHeader(const Font& font, int32_t current, int32_t last, bool unsaved) {
  font.DrawString(kHeaderX, kHeaderY, "PATTERN");
  font.DrawNumber(kHeaderCurrentX, kHeaderY, 4, current);
  font.DrawNumber(kHeaderLastX, kHeaderY, 4, last);
  font.DrawNumber(kHeaderPlaceX, kHeaderY, 4, current % kPatternsPerMotion);
  if (unsaved) font.DrawString(kUnsavedMarkX, kHeaderY, "*");
}

// Whole frames, then the hundredths right beside them with no point between.
void DrawFrameRate(const Font& font, uint32_t fpsTimes100) {
  font.DrawNumber(kFrameRateX, kFrameRateY, 3, static_cast<int32_t>(fpsTimes100 / 100));
  font.DrawDigits(kFrameRateX + 32, kFrameRateY, 2, static_cast<int32_t>(fpsTimes100 % 100));
}

}  // namespace

void DrawBoxes(Editor& e, int32_t pattern) {
  const BoxColours colours = ColoursForCirco(e.list.patterns[pattern].circo);
  for (int k = 0; k < kBoxesPerGroup; ++k) {
    DrawDefenseBox(e.display, e.list, pattern, k, colours.defense.red, colours.defense.green,
                   colours.defense.blue);
  }
  for (int k = 0; k < kBoxesPerGroup; ++k) {
    DrawAttackBox(e.display, e.list, pattern, k, colours.attack.red, colours.attack.green,
                  colours.attack.blue);
  }
}

void ComposeFrame(Editor& e) {
  // The commands keep currentPattern within the table; the frame never trusts it blindly.
  const int32_t pattern = Clamp(e.state.currentPattern, 0, kPatternCount - 1);
  const Font font(e.pool.font, e.display);

  ClearBackBuffer(e.display, 128, 128, 128);
  e.pictures.Draw(e.display, e.list.patterns[pattern].picture);
  ResetDefenseBoxWidths(e.list);
  if (e.onionSkin) {
    const int32_t previous = PreviousPattern(e.list, pattern);
    if (previous != pattern) DrawOnionSkin(e.display, e.list, previous);
  }
  DrawViewBorder(e.display);
  DrawBoxes(e, pattern);
  DrawPatternHeader(font, e.state.currentPattern, e.list.lastPattern, e.Unsaved());
  // The field cursor, while shown, and the value being typed at it.
  std::optional<FieldMark> mark;
  if (e.state.cursor) {
    mark = FieldMark{*e.state.cursor, e.state.entry ? e.state.entry->c_str() : nullptr};
  }
  DrawBoxPanel(font, e.list, pattern, e.state.selectedBox, mark ? &*mark : nullptr);
  DrawAttributePanel(font, e.list, pattern, mark ? &*mark : nullptr);
  DrawMotionStrip(e.display, e.list, pattern);
  DrawFrameRate(font, e.timer.fpsTimes100);
  // The key help reaches down into the bar's rows: while it is shown the bar is not.
  if (e.keyHelp) {
    DrawKeyHelp(e.display, font, KeyHelpLines());
  } else {
    const PlaybackMark mark{e.playback.frame(), e.playback.divisor()};
    DrawFrameBar(e.display, font, e.list, pattern, e.playback.active() ? &mark : nullptr);
  }
  e.status.Draw(font);  // last, over anything else
}

void DrawFrame(Editor& e) {
  // A frame can differ from the one shown only when a message came (it may have changed
  // anything), the status line is shown or has just gone, or the rate meter has a new figure; a
  // motion playing makes each frame current no longer.
  const Editor::ShownFrame& shown = e.shownFrame;
  const bool compose = !shown.current || shown.status || e.status.framesLeft > 0 ||
                       shown.rate != e.timer.fpsTimes100;
  if (compose) {
    e.shownFrame = {true, e.timer.fpsTimes100, e.status.framesLeft > 0};
    ComposeFrame(e);
  }
  e.timer.WaitNextFrame(e.platform, kFrameRate);
  compose ? FlipScreen(e.display) : PresentAgain(e.display);
  e.timer.UpdateRate();
  // A motion playing shows its next game frame in the next drawn frame.
  if (e.playback.active()) {
    e.playback.Advance();
    e.state.currentPattern = e.playback.slot();
    e.shownFrame.current = false;
  }
}

}  // namespace boxedit
