// A display opened on the fake platform in the layout a test asks for.
#pragma once

#include <gtest/gtest.h>

#include "../support/fake_platform.h"
#include "display/display_device.h"

namespace boxedit::testing {

struct OpenDisplay {
  explicit OpenDisplay(bool is565 = true) : platform(is565) {
    EXPECT_TRUE(InitDisplay(display, platform));
  }
  ~OpenDisplay() { ReleaseDisplay(display); }
  Surface16& Back() { return *display.backBuffer; }
  FakePlatform platform;
  Display display;
};

}  // namespace boxedit::testing
