#include "display/display_device.h"

#include <gtest/gtest.h>

#include "../support/fake_platform.h"
#include "display_fixture.h"

namespace boxedit {
namespace {

using testing::FakePlatform;
using testing::OpenDisplay;

// Every pixel of the surface equals `pixel`.
bool AllPixels(const Surface16& s, uint16_t pixel) {
  for (int y = 0; y < s.Height(); ++y) {
    for (int x = 0; x < s.Width(); ++x) {
      if (s.At(x, y) != pixel) return false;
    }
  }
  return true;
}

TEST(InitDisplay, OpensA640x480ScreenWithTwoBuffersInThePlatformLayout) {
  for (bool is565 : {true, false}) {
    FakePlatform platform(is565);
    Display display;
    display.doubleSize = 5;
    ASSERT_EQ(InitDisplay(display, platform), 1);
    EXPECT_EQ(platform.screenWidth, 640);
    EXPECT_EQ(platform.screenHeight, 480);
    EXPECT_EQ(display.platform, &platform);
    EXPECT_EQ(display.doubleSize, 0);
    EXPECT_FALSE(display.is565);  // only the probe sets it
    ASSERT_TRUE(display.primary && display.backBuffer);
    EXPECT_NE(display.primary.get(), display.backBuffer.get());
    EXPECT_EQ(display.backBuffer->Width(), 640);
    EXPECT_EQ(display.backBuffer->Height(), 480);
    EXPECT_EQ(display.backBuffer->Layout().greenBits, is565 ? 6 : 5);
    EXPECT_EQ(display.primary->Layout().greenBits, is565 ? 6 : 5);
  }
}

TEST(InitDisplay, ReturnsZeroWithTheReason_WhenTheScreenCannotOpen) {
  FakePlatform platform;
  platform.failOpenScreen = true;
  platform.openScreenError = "no X server";
  Display display;
  std::string error;
  EXPECT_EQ(InitDisplay(display, platform, &error), 0);
  EXPECT_EQ(error, "no X server");
  EXPECT_EQ(display.platform, nullptr);
  EXPECT_FALSE(GetDC(display).has_value());
  EXPECT_EQ(ClearBackBuffer(display, 0, 0, 0), 0);
  EXPECT_EQ(ClearScreen(display, 0, 0, 0), 0);
  FlipScreen(display);
  DetectPixelFormat(display);  // nothing to probe: stays 5-5-5
  EXPECT_FALSE(display.is565);
  EXPECT_EQ(platform.presentCount, 0);
}

TEST(DetectPixelFormat, ReadsRedAndGreenBack_InBothLayouts) {
  OpenDisplay d565(true);
  EXPECT_TRUE(d565.display.is565);
  EXPECT_EQ(d565.Back().At(0, 0), 0xF800);
  EXPECT_EQ(d565.Back().At(1, 0), 0x07E0);

  OpenDisplay d555(false);
  EXPECT_FALSE(d555.display.is565);
  EXPECT_EQ(d555.Back().At(0, 0), 0x7C00);
  EXPECT_EQ(d555.Back().At(1, 0), 0x03E0);
}

TEST(DetectPixelFormat, ProbesAgainFromScratch) {
  OpenDisplay d(false);
  d.display.is565 = true;  // a stale value does not survive the probe
  DetectPixelFormat(d.display);
  EXPECT_FALSE(d.display.is565);
}

TEST(ClearBackBuffer, FillsWithTheGreyOfTheProbedLayout) {
  OpenDisplay d565(true), d555(false);
  EXPECT_EQ(ClearBackBuffer(d565.display, 128, 128, 128), 1);
  EXPECT_EQ(ClearBackBuffer(d555.display, 128, 128, 128), 1);
  EXPECT_TRUE(AllPixels(d565.Back(), 0x8410));
  EXPECT_TRUE(AllPixels(d555.Back(), 0x4210));
  EXPECT_TRUE(AllPixels(*d565.display.primary, 0));  // the shown buffer is untouched
  EXPECT_EQ(d565.platform.presentCount, 0);
}

TEST(ClearScreen, FillsBothBuffersAndShowsThem) {
  OpenDisplay d(true);
  EXPECT_EQ(ClearScreen(d.display, 255, 255, 255), 1);
  EXPECT_TRUE(AllPixels(d.Back(), 0xFFFF));
  EXPECT_TRUE(AllPixels(*d.display.primary, 0xFFFF));
  EXPECT_EQ(d.platform.presentCount, 1);
  EXPECT_EQ(d.platform.FramePixel(639, 479), 0xFFFF);
}

TEST(FlipScreen, ShowsTheFinishedBackBufferAndSwapsTheBuffers) {
  OpenDisplay d(true);
  ClearScreen(d.display, 0, 0, 0);
  Surface16* drawnOn = d.display.backBuffer.get();
  Surface16* shownBefore = d.display.primary.get();
  d.Back().Row(479)[639] = 0x1234;
  FlipScreen(d.display);
  EXPECT_EQ(d.platform.presentCount, 2);
  EXPECT_EQ(d.platform.presentWidth, 640);
  EXPECT_EQ(d.platform.presentHeight, 480);
  EXPECT_EQ(d.platform.FramePixel(639, 479), 0x1234);
  EXPECT_EQ(d.platform.FramePixel(638, 479), 0);
  EXPECT_EQ(d.display.primary.get(), drawnOn);
  EXPECT_EQ(d.display.backBuffer.get(), shownBefore);
}

TEST(ReleaseDisplay, ClosesTheScreenOnce_WhenCalledTwice) {
  OpenDisplay d(true);
  ReleaseDisplay(d.display);
  ReleaseDisplay(d.display);
  EXPECT_EQ(d.platform.closeScreenCalls, 1);
  EXPECT_EQ(d.display.platform, nullptr);
  EXPECT_FALSE(d.display.primary);
  EXPECT_FALSE(d.display.backBuffer);
  EXPECT_FALSE(GetDC(d.display).has_value());
  EXPECT_EQ(ClearBackBuffer(d.display, 1, 2, 3), 0);
  EXPECT_EQ(ClearScreen(d.display, 1, 2, 3), 0);
  FlipScreen(d.display);
  EXPECT_EQ(d.platform.presentCount, 0);
}

TEST(GetDC, DrawsOnTheBackBuffer) {
  OpenDisplay d(false);
  ClearBackBuffer(d.display, 0, 0, 0);
  std::optional<DrawContext> dc = GetDC(d.display);
  ASSERT_TRUE(dc.has_value());
  dc->SelectPen(Rgb24(0, 0, 255));
  dc->MoveToEx(10, 20);
  dc->LineTo(10, 22);
  EXPECT_EQ(d.Back().At(10, 20), 0x001F);
  EXPECT_EQ(d.Back().At(10, 21), 0x001F);
  EXPECT_EQ(d.Back().At(10, 22), 0);
}

}  // namespace
}  // namespace boxedit
