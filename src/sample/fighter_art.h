// The sample character's fighter: a figure of simple shapes (tapered limbs, an oval head, a
// jacket with a belt) with a dark outline, drawn in a given pose into an 8-bit picture.
#pragma once

#include <cstdint>

#include "chardata/bmp.h"

namespace boxedit {

// A picture covers the editor's view: pixel (px, py) shows the view point (px - 161, 239 - py),
// so the fighter's feet stand on the bottom row and its body on the axis column 161.
inline constexpr int kPictureWidth = 320;
inline constexpr int kPictureHeight = 240;
inline constexpr int kAxisColumn = 161;
inline constexpr int kGroundRow = kPictureHeight - 1;

// Palette indices of the fighter's pictures. Index 0 is black and is the background: the list
// header names black as the key colour, so it shows the view through.
inline constexpr uint8_t kBackgroundIndex = 0;
inline constexpr uint8_t kOutlineIndex = 1;
inline constexpr uint8_t kSkinIndex = 2;
inline constexpr uint8_t kSkinShadeIndex = 3;
inline constexpr uint8_t kGiIndex = 4;
inline constexpr uint8_t kGiShadeIndex = 5;
inline constexpr uint8_t kBeltIndex = 6;
inline constexpr uint8_t kHairIndex = 7;
inline constexpr uint8_t kHairShadeIndex = 8;
inline constexpr uint8_t kRedIndex = 9;  // headband and gloves
inline constexpr uint8_t kRedShadeIndex = 10;
inline constexpr uint8_t kEyeIndex = 11;

Palette FighterPalette();

// A point in view coordinates: x to the right, y upward, (0, 0) on the ground under the axis.
struct Vec2 {
  double x = 0, y = 0;
};

// The joints of one pose. The fighter faces right; "front" limbs are the ones nearer the viewer
// and are drawn over the body, "back" limbs behind it.
struct FighterPose {
  Vec2 hip;    // middle of the pelvis
  Vec2 chest;  // base of the neck
  Vec2 head;   // middle of the head
  Vec2 frontKnee, frontAnkle, frontToe;
  Vec2 backKnee, backAnkle, backToe;
  Vec2 frontElbow, frontFist;
  Vec2 backElbow, backFist;
};

// Draws the fighter on a picture of kPictureWidth x kPictureHeight filled with the background.
IndexedImage DrawFighter(const FighterPose& pose);

}  // namespace boxedit
