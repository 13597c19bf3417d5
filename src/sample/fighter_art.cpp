#include "sample/fighter_art.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <span>
#include <vector>

namespace boxedit {

namespace {

Vec2 operator+(Vec2 a, Vec2 b) {
  return {a.x + b.x, a.y + b.y};
}
Vec2 operator-(Vec2 a, Vec2 b) {
  return {a.x - b.x, a.y - b.y};
}
Vec2 operator*(Vec2 a, double k) {
  return {a.x * k, a.y * k};
}
double Dot(Vec2 a, Vec2 b) {
  return a.x * b.x + a.y * b.y;
}
double Length(Vec2 a) {
  return std::sqrt(Dot(a, a));
}
Vec2 Normalised(Vec2 a) {
  return a * (1.0 / Length(a));
}

// How far outside a shape its dark outline reaches, in pixels.
constexpr double kOutlineWidth = 1.4;
// Light comes from above and in front of the fighter; the part of each shape facing away from
// it is shaded.
constexpr Vec2 kLight{0.45, 0.89};
constexpr double kShadeBelow = -0.3;

// Cuts a shape down to one side of a line (half plane) or to a band along a line (strip).
struct Clip {
  Vec2 point;
  Vec2 normal;            // unit length; for a half plane, the side it points to is cut away
  double halfWidth = -1;  // strip half width, or negative for a half plane
};

// A tapered capsule from a (radius ra) to b (radius rb), or an ellipse around a with radii
// ra (across) and rb (up), optionally clipped.
struct Shape {
  bool ellipse = false;
  Vec2 a, b;
  double ra = 0, rb = 0;
  uint8_t fill = kSkinIndex, shade = kSkinShadeIndex;
  std::optional<Clip> clip;
};

Shape Capsule(Vec2 a, Vec2 b, double ra, double rb, uint8_t fill, uint8_t shade) {
  return {false, a, b, ra, rb, fill, shade, std::nullopt};
}

Shape Ellipse(Vec2 centre, double rx, double ry, uint8_t fill, uint8_t shade) {
  return {true, centre, centre, rx, ry, fill, shade, std::nullopt};
}

Shape Clipped(Shape shape, Clip clip) {
  shape.clip = clip;
  return shape;
}

// Signed distance from p to the shape's edge (negative inside). *facing gets the direction
// from the shape's core to p, scaled so that the edge lies at length 1.
double Distance(const Shape& s, Vec2 p, Vec2* facing) {
  double d;
  if (s.ellipse) {
    const Vec2 q{(p.x - s.a.x) / s.ra, (p.y - s.a.y) / s.rb};
    d = (Length(q) - 1) * std::min(s.ra, s.rb);
    *facing = q;
  } else {
    const Vec2 ab = s.b - s.a;
    const double lengthSquared = Dot(ab, ab);
    const double t =
        lengthSquared > 0 ? std::clamp(Dot(p - s.a, ab) / lengthSquared, 0.0, 1.0) : 0.0;
    const Vec2 nearest = s.a + ab * t;
    const double r = s.ra + (s.rb - s.ra) * t;
    d = Length(p - nearest) - r;
    *facing = (p - nearest) * (1.0 / std::max(r, 0.5));
  }
  if (s.clip) {
    const double along = Dot(p - s.clip->point, s.clip->normal);
    d = std::max(d, s.clip->halfWidth < 0 ? along : std::abs(along) - s.clip->halfWidth);
  }
  return d;
}

// The picture pixels a shape (with its outline) can touch.
struct PixelRange {
  int x0, y0, x1, y1;  // inclusive
};

PixelRange Reach(const Shape& s) {
  const double r = std::max(s.ra, s.rb) + kOutlineWidth + 1;
  const double left = std::min(s.a.x, s.b.x) - r, right = std::max(s.a.x, s.b.x) + r;
  const double bottom = std::min(s.a.y, s.b.y) - r, top = std::max(s.a.y, s.b.y) + r;
  return {std::max(0, static_cast<int>(std::floor(kAxisColumn + left))),
          std::max(0, static_cast<int>(std::floor(kGroundRow - top))),
          std::min(kPictureWidth - 1, static_cast<int>(std::ceil(kAxisColumn + right))),
          std::min(kPictureHeight - 1, static_cast<int>(std::ceil(kGroundRow - bottom)))};
}

// The view point at the middle of picture pixel (px, py).
Vec2 PixelCentre(int px, int py) {
  return {px - kAxisColumn + 0.5, kGroundRow - py + 0.5};
}

// Draws shapes as one piece: first every outline, then every fill in order, so the outline runs
// around the group and not between its own shapes.
void DrawGroup(IndexedImage& image, std::span<const Shape> shapes) {
  for (int pass = 0; pass < 2; ++pass) {
    for (const Shape& s : shapes) {
      const PixelRange range = Reach(s);
      for (int py = range.y0; py <= range.y1; ++py) {
        for (int px = range.x0; px <= range.x1; ++px) {
          Vec2 facing;
          const double d = Distance(s, PixelCentre(px, py), &facing);
          if (pass == 0 && d <= kOutlineWidth) {
            image.set(px, py, kOutlineIndex);
          } else if (pass == 1 && d <= 0) {
            image.set(px, py, Dot(facing, kLight) < kShadeBelow ? s.shade : s.fill);
          }
        }
      }
    }
  }
}

void DrawGroup(IndexedImage& image, std::initializer_list<Shape> shapes) {
  DrawGroup(image, std::span<const Shape>(shapes.begin(), shapes.size()));
}

// Sets the pixel that shows view point p.
void PutPixel(IndexedImage& image, Vec2 p, uint8_t index) {
  image.Plot(static_cast<int>(std::floor(kAxisColumn + p.x)),
             static_cast<int>(std::floor(kGroundRow + 1 - p.y)), index);
}

void DrawArm(IndexedImage& image, Vec2 shoulder, Vec2 elbow, Vec2 fist, bool back) {
  const uint8_t gi = back ? kGiShadeIndex : kGiIndex;
  const uint8_t skin = back ? kSkinShadeIndex : kSkinIndex;
  const uint8_t red = back ? kRedShadeIndex : kRedIndex;
  DrawGroup(image, {Capsule(shoulder, elbow, 6, 5, gi, kGiShadeIndex),
                    Capsule(elbow, fist, 5, 4.5, skin, kSkinShadeIndex)});
  DrawGroup(image, {Ellipse(fist, 6.5, 6.5, red, kRedShadeIndex)});
}

void DrawLeg(IndexedImage& image, Vec2 hip, Vec2 knee, Vec2 ankle, Vec2 toe, bool back) {
  const uint8_t gi = back ? kGiShadeIndex : kGiIndex;
  const uint8_t skin = back ? kSkinShadeIndex : kSkinIndex;
  DrawGroup(image, {Capsule(ankle, toe, 4.5, 3.5, skin, kSkinShadeIndex)});
  DrawGroup(image, {Capsule(hip, knee, 9, 7.5, gi, kGiShadeIndex),
                    Capsule(knee, ankle, 7.5, 6.5, gi, kGiShadeIndex)});
}

void DrawTorso(IndexedImage& image, const FighterPose& pose) {
  const Vec2 up = Normalised(pose.chest - pose.hip);
  const Shape jacket = Capsule(pose.hip, pose.chest, 13, 15, kGiIndex, kGiShadeIndex);
  DrawGroup(image, {Capsule(pose.chest, pose.head, 5.5, 5.5, kSkinIndex, kSkinShadeIndex)});
  DrawGroup(image, {jacket});
  // The open collar: a wedge of chest below the neck.
  const Vec2 collar = pose.chest + up * 3;
  DrawGroup(image, {Capsule(collar, collar - up * 14, 7, 0.5, kSkinIndex, kSkinShadeIndex)});
  // The belt, tied at the front with its two ends hanging down.
  const Vec2 waist = pose.hip + up * 7;
  Shape belt = Clipped(jacket, {waist, up, 3});
  belt.fill = belt.shade = kBeltIndex;
  DrawGroup(image, {belt});
  const Vec2 knot = waist + Vec2{up.y, -up.x} * 11;
  DrawGroup(image, {Capsule(knot, knot + Vec2{2, -13}, 2.5, 2, kBeltIndex, kBeltIndex),
                    Capsule(knot, knot + Vec2{7, -11}, 2.5, 2, kBeltIndex, kBeltIndex)});
}

void DrawHead(IndexedImage& image, const FighterPose& pose) {
  const Vec2 h = pose.head;
  // Headband ends flying out behind the head.
  DrawGroup(image,
            {Capsule(h + Vec2{-8, 5}, h + Vec2{-24, 2}, 2.5, 1.5, kRedIndex, kRedShadeIndex),
             Capsule(h + Vec2{-8, 4}, h + Vec2{-21, -5}, 2.5, 1.5, kRedIndex, kRedShadeIndex)});
  DrawGroup(image, {Ellipse(h, 10, 12, kSkinIndex, kSkinShadeIndex)});
  // Spiky hair over the top and back of the head; the face in front stays clear.
  const Shape skull = Ellipse(h + Vec2{-1, 2}, 12, 12, kHairIndex, kHairShadeIndex);
  DrawGroup(image,
            {Clipped(skull, {h + Vec2{0, 4}, Normalised(Vec2{0.15, -1}), -1}),
             Clipped(skull, {h + Vec2{-3, 0}, Normalised(Vec2{1, 0.25}), -1}),
             Capsule(h + Vec2{-2, 10}, h + Vec2{-8, 20}, 4.5, 0.5, kHairIndex, kHairShadeIndex),
             Capsule(h + Vec2{-6, 7}, h + Vec2{-17, 13}, 4.5, 0.5, kHairIndex, kHairShadeIndex),
             Capsule(h + Vec2{-8, 1}, h + Vec2{-18, 0}, 4, 0.5, kHairIndex, kHairShadeIndex),
             Capsule(h + Vec2{3, 10}, h + Vec2{5, 19}, 4, 0.5, kHairIndex, kHairShadeIndex)});
  DrawGroup(image, {Ellipse(h + Vec2{-2, -1}, 2.5, 3.5, kSkinIndex, kSkinShadeIndex)});
  // The headband across the forehead.
  DrawGroup(image, {Clipped(Ellipse(h, 10.5, 12.5, kRedIndex, kRedShadeIndex),
                            {h + Vec2{0, 4.5}, Normalised(Vec2{0.2, 1}), 2.2})});
  // Eye and mouth.
  for (int i = 0; i < 2; ++i) {
    PutPixel(image, h + Vec2{5.0 + i, 0}, kEyeIndex);
    PutPixel(image, h + Vec2{5.0 + i, -1}, kEyeIndex);
  }
  for (int i = 0; i < 3; ++i) PutPixel(image, h + Vec2{5.0 + i, -7}, kOutlineIndex);
}

}  // namespace

Palette FighterPalette() {
  Palette palette{};
  palette[kBackgroundIndex] = {0, 0, 0};
  palette[kOutlineIndex] = {40, 26, 48};
  palette[kSkinIndex] = {246, 196, 148};
  palette[kSkinShadeIndex] = {206, 142, 100};
  palette[kGiIndex] = {244, 244, 248};
  palette[kGiShadeIndex] = {176, 182, 204};
  palette[kBeltIndex] = {36, 36, 44};
  palette[kHairIndex] = {112, 64, 32};
  palette[kHairShadeIndex] = {72, 40, 20};
  palette[kRedIndex] = {226, 38, 44};
  palette[kRedShadeIndex] = {150, 22, 30};
  palette[kEyeIndex] = {24, 20, 40};
  return palette;
}

IndexedImage DrawFighter(const FighterPose& pose) {
  IndexedImage image(kPictureWidth, kPictureHeight, kBackgroundIndex);
  const Vec2 across = Normalised(pose.chest - pose.hip);
  const Vec2 forward{across.y, -across.x};
  const Vec2 frontShoulder = pose.chest - across * 5 + forward * 4;
  const Vec2 backShoulder = pose.chest - across * 5 - forward * 3;
  const Vec2 frontHip = pose.hip + Vec2{4, -2};
  const Vec2 backHip = pose.hip + Vec2{-4, -2};

  DrawArm(image, backShoulder, pose.backElbow, pose.backFist, true);
  DrawLeg(image, backHip, pose.backKnee, pose.backAnkle, pose.backToe, true);
  DrawLeg(image, frontHip, pose.frontKnee, pose.frontAnkle, pose.frontToe, false);
  DrawTorso(image, pose);
  DrawHead(image, pose);
  DrawArm(image, frontShoulder, pose.frontElbow, pose.frontFist, false);
  return image;
}

}  // namespace boxedit
