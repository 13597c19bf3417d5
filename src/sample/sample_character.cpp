#include "sample/sample_character.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <optional>
#include <string_view>
#include <system_error>

#include "chardata/atomic_file.h"
#include "chardata/list_reader.h"
#include "chardata/list_tokens.h"
#include "chardata/list_writer.h"
#include "sample/fighter_art.h"
#include "sample/picture_tiles.h"

namespace boxedit {

namespace {

// The fighter's poses; each becomes the picture with its own number.
enum Pose {
  kIdle0,
  kIdle1,
  kIdle2,
  kStepFrontUp,  // walking: front foot lifted
  kStepClosed,   // walking: feet drawn together
  kStepBackUp,   // walking: back foot lifted
  kHalfCrouch,
  kCrouch,
  kJumpRise,
  kJumpTuck,
  kJumpFall,
  kPunchWindUp,
  kPunchOut,
  kKickChamber,
  kKickOut,
  kBlock,
  kCrouchBlock,
  kCrouchPunch,
  kFlyingKick,
  kWin,
  kPoseCount
};

// The stance the other poses start from: side on, knees bent, fists up in front of the face.
constexpr FighterPose kStance{
    .hip = {0, 64},
    .chest = {3, 102},
    .head = {7, 118},
    .frontKnee = {13, 35},
    .frontAnkle = {17, 7},
    .frontToe = {28, 6},
    .backKnee = {-9, 34},
    .backAnkle = {-17, 7},
    .backToe = {-7, 6},
    .frontElbow = {22, 84},
    .frontFist = {31, 102},
    .backElbow = {12, 80},
    .backFist = {20, 97},
};

// The stance breathing: the body sinks by dy while the feet stay put.
FighterPose Breathing(double dy) {
  FighterPose p = kStance;
  for (Vec2* joint :
       {&p.hip, &p.chest, &p.head, &p.frontElbow, &p.frontFist, &p.backElbow, &p.backFist}) {
    joint->y -= dy;
  }
  p.frontKnee = {p.frontKnee.x + dy / 3, p.frontKnee.y - dy / 2};
  p.backKnee = {p.backKnee.x + dy / 3, p.backKnee.y - dy / 2};
  return p;
}

// The crouch that several poses share: hips low, both knees forward.
constexpr FighterPose kCrouchBase{
    .hip = {-2, 36},
    .chest = {4, 72},
    .head = {9, 88},
    .frontKnee = {20, 40},
    .frontAnkle = {17, 7},
    .frontToe = {28, 6},
    .backKnee = {6, 34},
    .backAnkle = {-12, 7},
    .backToe = {-2, 6},
    .frontElbow = {20, 62},
    .frontFist = {28, 80},
    .backElbow = {12, 58},
    .backFist = {19, 76},
};

FighterPose MakePose(Pose pose) {
  FighterPose p = kStance;
  switch (pose) {
    case kIdle0:
      return Breathing(0);
    case kIdle1:
      return Breathing(1.5);
    case kIdle2:
      return Breathing(3);
    case kStepFrontUp:
      p = Breathing(-1);
      p.frontKnee = {19, 40};
      p.frontAnkle = {22, 14};
      p.frontToe = {33, 12};
      return p;
    case kStepClosed:
      p.hip.x += 3;
      p.backKnee = {-2, 34};
      p.backAnkle = {-7, 7};
      p.backToe = {3, 6};
      return p;
    case kStepBackUp:
      p = Breathing(-1);
      p.hip.x += 2;
      p.backKnee = {0, 39};
      p.backAnkle = {-9, 14};
      p.backToe = {1, 12};
      return p;
    case kHalfCrouch:
      return {.hip = {-1, 50},
              .chest = {4, 88},
              .head = {8, 104},
              .frontKnee = {17, 34},
              .frontAnkle = {17, 7},
              .frontToe = {28, 6},
              .backKnee = {-3, 31},
              .backAnkle = {-17, 7},
              .backToe = {-7, 6},
              .frontElbow = {21, 72},
              .frontFist = {29, 90},
              .backElbow = {12, 68},
              .backFist = {19, 86}};
    case kCrouch:
      return kCrouchBase;
    case kJumpRise:
      return {.hip = {0, 72},
              .chest = {2, 110},
              .head = {5, 126},
              .frontKnee = {9, 42},
              .frontAnkle = {5, 14},
              .frontToe = {15, 9},
              .backKnee = {-6, 42},
              .backAnkle = {-12, 16},
              .backToe = {-3, 10},
              .frontElbow = {20, 98},
              .frontFist = {26, 118},
              .backElbow = {10, 96},
              .backFist = {14, 114}};
    case kJumpTuck:
      return {.hip = {0, 58},
              .chest = {5, 94},
              .head = {10, 110},
              .frontKnee = {20, 66},
              .frontAnkle = {13, 40},
              .frontToe = {23, 36},
              .backKnee = {11, 58},
              .backAnkle = {-3, 36},
              .backToe = {7, 31},
              .frontElbow = {23, 80},
              .frontFist = {28, 98},
              .backElbow = {15, 76},
              .backFist = {20, 94}};
    case kJumpFall:
      return {.hip = {0, 64},
              .chest = {3, 102},
              .head = {7, 118},
              .frontKnee = {12, 37},
              .frontAnkle = {12, 10},
              .frontToe = {22, 7},
              .backKnee = {-7, 36},
              .backAnkle = {-13, 11},
              .backToe = {-3, 7},
              .frontElbow = {23, 92},
              .frontFist = {36, 100},
              .backElbow = {-8, 92},
              .backFist = {-19, 100}};
    case kPunchWindUp:
      p.chest = {0, 101};
      p.head = {4, 117};
      p.frontElbow = {12, 80};
      p.frontFist = {24, 95};
      p.backElbow = {7, 81};
      p.backFist = {17, 99};
      return p;
    case kPunchOut:
      p.hip = {3, 63};
      p.chest = {9, 100};
      p.head = {13, 115};
      p.frontKnee = {18, 35};
      p.frontAnkle = {23, 7};
      p.frontToe = {34, 6};
      p.backKnee = {-9, 33};
      p.backAnkle = {-20, 7};
      p.backToe = {-10, 6};
      p.frontElbow = {33, 98};
      p.frontFist = {54, 99};
      p.backElbow = {6, 79};
      p.backFist = {16, 93};
      return p;
    case kKickChamber:
      p.hip = {-2, 64};
      p.chest = {-5, 102};
      p.head = {-1, 118};
      p.frontKnee = {18, 80};
      p.frontAnkle = {22, 52};
      p.frontToe = {31, 47};
      p.backKnee = {-3, 35};
      p.backAnkle = {-4, 7};
      p.backToe = {7, 6};
      p.frontElbow = {15, 86};
      p.frontFist = {23, 102};
      p.backElbow = {5, 82};
      p.backFist = {12, 98};
      return p;
    case kKickOut:
      return {.hip = {-4, 64},
              .chest = {-13, 100},
              .head = {-11, 116},
              .frontKnee = {22, 76},
              .frontAnkle = {52, 86},
              .frontToe = {57, 97},
              .backKnee = {-4, 35},
              .backAnkle = {-5, 7},
              .backToe = {6, 6},
              .frontElbow = {3, 86},
              .frontFist = {11, 101},
              .backElbow = {-24, 88},
              .backFist = {-33, 97}};
    case kBlock:
      p.hip = {-2, 63};
      p.chest = {-3, 100};
      p.head = {0, 115};
      p.frontKnee = {12, 34};
      p.backKnee = {-10, 33};
      p.frontElbow = {15, 92};
      p.frontFist = {13, 116};
      p.backElbow = {17, 85};
      p.backFist = {21, 108};
      return p;
    case kCrouchBlock:
      p = kCrouchBase;
      p.frontElbow = {18, 68};
      p.frontFist = {18, 90};
      p.backElbow = {20, 62};
      p.backFist = {26, 82};
      return p;
    case kCrouchPunch:
      p = kCrouchBase;
      p.chest = {8, 70};
      p.head = {13, 86};
      p.frontElbow = {31, 66};
      p.frontFist = {51, 66};
      p.backElbow = {8, 54};
      p.backFist = {17, 66};
      return p;
    case kFlyingKick:
      return {.hip = {0, 70},
              .chest = {-9, 104},
              .head = {-7, 120},
              .frontKnee = {24, 60},
              .frontAnkle = {46, 47},
              .frontToe = {55, 41},
              .backKnee = {7, 50},
              .backAnkle = {-12, 48},
              .backToe = {-6, 40},
              .frontElbow = {5, 88},
              .frontFist = {15, 98},
              .backElbow = {-22, 94},
              .backFist = {-29, 107}};
    case kWin:
      p.frontKnee = {10, 35};
      p.frontAnkle = {12, 7};
      p.frontToe = {23, 6};
      p.backKnee = {-8, 35};
      p.backAnkle = {-12, 7};
      p.backToe = {-2, 6};
      p.frontElbow = {19, 121};
      p.frontFist = {21, 143};
      p.backElbow = {-15, 84};
      p.backFist = {-7, 70};
      return p;
    case kPoseCount:
      break;
  }
  return p;
}

// The point that lands the blow in an attacking pose.
std::optional<Vec2> StrikePoint(Pose pose, const FighterPose& p) {
  switch (pose) {
    case kPunchOut:
    case kCrouchPunch:
      return p.frontFist;
    case kKickOut:
    case kFlyingKick:
      return Vec2{(p.frontAnkle.x + p.frontToe.x) / 2, (p.frontAnkle.y + p.frontToe.y) / 2};
    default:
      return std::nullopt;
  }
}

int32_t Round(double v) {
  return static_cast<int32_t>(std::lround(v));
}

// Box corners as the editor keeps them: (x1, y1) upper left, (x2, y2) lower right, y upward.
Box AroundPoint(Vec2 centre, double halfWidth, double halfHeight) {
  return {Round(centre.x - halfWidth), Round(centre.y + halfHeight), Round(centre.x + halfWidth),
          Round(centre.y - halfHeight)};
}

// Defense box 0 spans the body from the lowest foot to the top of the head (its x is fixed at
// -18..18 by the editor); defense box 1 covers the head; attack box 0 the striking fist or foot.
void SetBoxes(PatternRecord& r, Pose pose) {
  const FighterPose p = MakePose(pose);
  const double lowest = std::min({p.frontAnkle.y, p.frontToe.y, p.backAnkle.y, p.backToe.y}) - 6;
  r.defense[0] = {-18, Round(p.head.y + 13), 18, std::max(0, Round(lowest))};
  r.defense[1] = AroundPoint(p.head, 11, 13);
  if (const std::optional<Vec2> strike = StrikePoint(pose, p)) {
    r.attack[0] = AroundPoint(*strike, 10, 9);
  }
}

// One record line of the list, in the file's own field order.
struct Slot {
  int index;
  int to, speed;
  Pose picture;
  int depth, circo, voice, vx, rx, vy, ry, extra, clash;
  char guard;  // U, M, D, X or 0 as in the file
  int damage, hitTo, hitI;
  std::string_view flags;  // four characters for the bits 8, 4, 2, 1
  std::string_view comment;
};

// Motions (named by the editor's motion-name table): 0 STAND, 1 WALK-L, 2 WALK-R, 3 SIT,
// 6 JUMP, 7 JUMP-L, 8 JUMP-R, 15 STAND-DEF, 18 SIT-DEF, 25 STAND-S-PUNCH, 26 STAND-B-PUNCH,
// 27 STAND-S-KICK, 29 SIT-S-PUNCH, 35 JUMP-S-KICK, 40 WIN. Slots a motion does not use stay
// empty. Speeds are in twentieths of a pixel per frame; the list's gravity is 10.
// clang-format off
constexpr Slot kSlots[] = {
    // index, to, speed, picture, depth, circo, voice, vx, rx, vy, ry, extra, clash, guard,
    // damage, hitTo, hitI, flags, comment
    {  0,   -1,  6, kIdle0,       0,  0, 9,   0, 0,   0, 0, 0, -1, 'U',  0,  -1, 0, "0000", "stand-a"},
    {  1,   -1,  6, kIdle1,       0,  0, 9,   0, 0,   0, 0, 0, -1, 'U',  0,  -1, 0, "0000", "stand-b"},
    {  2,   -1,  6, kIdle2,       0,  0, 9,   0, 0,   0, 0, 0, -1, 'U',  0,  -1, 0, "0000", "stand-c"},
    {  3,    0,  6, kIdle1,       0,  0, 9,   0, 0,   0, 0, 0, -1, 'U',  0,  -1, 0, "0000", "stand-d"},

    { 10,   -1,  5, kIdle0,       0,  0, 9, -40, 1,   0, 0, 0, -1, 'U',  0,  -1, 0, "0001", "back-a"},
    { 11,   -1,  5, kStepBackUp,  0,  0, 9, -40, 1,   0, 0, 0, -1, 'U',  0,  -1, 0, "0001", "back-b"},
    { 12,   -1,  5, kStepClosed,  0,  0, 9, -40, 1,   0, 0, 0, -1, 'U',  0,  -1, 0, "0001", "back-c"},
    { 13,   10,  5, kStepFrontUp, 0,  0, 9, -40, 1,   0, 0, 0, -1, 'U',  0,  -1, 0, "0001", "back-d"},

    { 20,   -1,  5, kIdle0,       0,  0, 9,  60, 1,   0, 0, 0, -1, 'U',  0,  -1, 0, "0001", "walk-a"},
    { 21,   -1,  5, kStepFrontUp, 0,  0, 9,  60, 1,   0, 0, 0, -1, 'U',  0,  -1, 0, "0001", "walk-b"},
    { 22,   -1,  5, kStepClosed,  0,  0, 9,  60, 1,   0, 0, 0, -1, 'U',  0,  -1, 0, "0001", "walk-c"},
    { 23,   20,  5, kStepBackUp,  0,  0, 9,  60, 1,   0, 0, 0, -1, 'U',  0,  -1, 0, "0001", "walk-d"},

    { 30,   -1,  2, kHalfCrouch,  0,  0, 9,   0, 0,   0, 0, 0, -1, 'D',  0,  -1, 0, "0010", "sit-down"},
    { 31,   31,  8, kCrouch,      0,  0, 9,   0, 0,   0, 0, 0, -1, 'D',  0,  -1, 0, "0010", "sit"},

    // Jumps: vy lifts the fighter, gravity brings it back; speed 0 falls until it lands.
    { 60,   -1,  2, kHalfCrouch,  0,  0, 9,   0, 0,   0, 0, 0, -1, 'U',  0,  -1, 0, "0000", "jump-crouch"},
    { 61,   -1, 10, kJumpRise,    0,  0, 9,   0, 0, 160, 1, 0,  8, 'M',  0,  -1, 0, "0100", "jump-rise"},
    { 62,   -1,  8, kJumpTuck,    0,  0, 9,   0, 0,   0, 1, 0,  8, 'M',  0,  -1, 0, "0100", "jump-top"},
    { 63,   -1,  0, kJumpFall,    0,  0, 9,   0, 0,   0, 1, 0,  8, 'M',  0,  -1, 0, "0100", "jump-fall"},
    { 64,    0,  3, kHalfCrouch,  0,  0, 9,   0, 0,   0, 0, 0, -1, 'U',  0,  -1, 0, "0000", "jump-land"},

    { 70,   -1,  2, kHalfCrouch,  0,  0, 9,   0, 0,   0, 0, 0, -1, 'U',  0,  -1, 0, "0000", "jumpl-crouch"},
    { 71,   -1, 10, kJumpRise,    0,  0, 9, -60, 0, 160, 1, 0,  8, 'M',  0,  -1, 0, "0100", "jumpl-rise"},
    { 72,   -1,  8, kJumpTuck,    0,  0, 9,   0, 0,   0, 1, 0,  8, 'M',  0,  -1, 0, "0100", "jumpl-top"},
    { 73,   -1,  0, kJumpFall,    0,  0, 9,   0, 1,   0, 1, 0,  8, 'M',  0,  -1, 0, "0100", "jumpl-fall"},
    { 74,    0,  3, kHalfCrouch,  0,  0, 9,   0, 0,   0, 0, 0, -1, 'U',  0,  -1, 0, "0000", "jumpl-land"},

    { 80,   -1,  2, kHalfCrouch,  0,  0, 9,   0, 0,   0, 0, 0, -1, 'U',  0,  -1, 0, "0000", "jumpr-crouch"},
    { 81,   -1, 10, kJumpRise,    0,  0, 9,  60, 0, 160, 1, 0,  8, 'M',  0,  -1, 0, "0100", "jumpr-rise"},
    { 82,   -1,  8, kJumpTuck,    0,  0, 9,   0, 0,   0, 1, 0,  8, 'M',  0,  -1, 0, "0100", "jumpr-top"},
    { 83,   -1,  0, kJumpFall,    0,  0, 9,   0, 1,   0, 1, 0,  8, 'M',  0,  -1, 0, "0100", "jumpr-fall"},
    { 84,    0,  3, kHalfCrouch,  0,  0, 9,   0, 0,   0, 0, 0, -1, 'U',  0,  -1, 0, "0000", "jumpr-land"},

    {150,    0, 10, kBlock,       0,  0, 9,   0, 0,   0, 0, 0, -1, 'U',  0,  -1, 0, "1000", "guard"},
    {180,   31, 10, kCrouchBlock, 0,  0, 9,   0, 0,   0, 0, 0, -1, 'D',  0,  -1, 0, "1000", "sit-guard"},

    {250,   -1,  2, kPunchWindUp, 1,  0, 9,   0, 0,   0, 0, 0, -1, 'U',  0,  -1, 0, "0000", "jab-ready"},
    {251,   -1,  4, kPunchOut,    1,  0, 1,  20, 1,   0, 0, 0,  0, 'U',  8, 150, 1, "1010", "jab-hit"},
    {252,    0,  3, kPunchWindUp, 1,  0, 9,   0, 0,   0, 0, 0, -1, 'U',  0,  -1, 0, "0000", "jab-back"},

    // The heavy punch uses the other box colours (circo 53) and a forward lunge.
    {260,   -1,  4, kPunchWindUp, 1, 53, 9,   0, 0,   0, 0, 0, -1, 'X',  0,  -1, 0, "0000", "strong-ready"},
    {261,   -1,  6, kPunchOut,    1, 53, 2,  40, 1,   0, 0, 0,  1, 'X', 16, 150, 2, "1100", "strong-hit"},
    {262,    0,  6, kPunchWindUp, 1, 53, 9,   0, 0,   0, 0, 0, -1, 'X',  0,  -1, 0, "0000", "strong-back"},

    {270,   -1,  3, kKickChamber, 2,  0, 9,   0, 0,   0, 0, 0, -1, 'U',  0,  -1, 0, "0000", "kick-ready"},
    {271,   -1,  5, kKickOut,     2, 44, 2,   0, 0,   0, 0, 0,  1, 'U', 12, 150, 2, "1001", "kick-hit"},
    {272,    0,  4, kKickChamber, 2,  0, 9,   0, 0,   0, 0, 0, -1, 'U',  0,  -1, 0, "0000", "kick-back"},

    {290,   -1,  4, kCrouchPunch, 1,  0, 1,   0, 0,   0, 0, 0,  0, 'D',  6, 180, 1, "0011", "low-jab"},
    {291,   31,  3, kCrouch,      1,  0, 9,   0, 0,   0, 0, 0, -1, 'D',  0,  -1, 0, "0010", "low-back"},

    {350,   -1,  6, kFlyingKick,  2, 46, 2,  80, 0, 100, 1, 1,  8, 'M', 10, 150, 3, "1110", "dive-kick"},
    {351,   -1,  0, kFlyingKick,  2, 46, 9,   0, 1,   0, 1, 1,  8, 'M', 10, 150, 3, "1110", "dive-fall"},
    {352,    0,  3, kHalfCrouch,  0,  0, 9,   0, 0,   0, 0, 0, -1, 'U',  0,  -1, 0, "0000", "dive-land"},

    {400,   -1, 20, kWin,         0,  0, 3,   0, 0,   0, 0, 0, -1, '0',  0,  -1, 0, "0000", "win-pose"},
    {401,  401, 20, kWin,         0,  0, 9,   0, 0,   0, 0, 0, -1, '0',  0,  -1, 0, "0000", "win-hold"},
};
// clang-format on

// Whole or not at all: a full disk leaves no truncated file behind.
bool WriteFile(const std::filesystem::path& path, std::string_view bytes, std::string* error) {
  std::string reason;
  if (WriteFileAtomically(path, bytes, &reason)) return true;
  if (error) *error = "cannot write " + path.string() + ": " + reason;
  return false;
}

}  // namespace

std::unique_ptr<MotionList> SampleMotionList() {
  auto list = std::make_unique<MotionList>();
  list->gravity = kSampleGravity;
  list->ResetSlots();
  for (const Slot& s : kSlots) {
    PatternRecord& r = list->patterns[s.index];
    r.to = s.to;
    r.speed = s.speed;
    r.picture = s.picture;
    r.depth = s.depth;
    r.circo = s.circo;
    r.voice = s.voice;
    r.vx = s.vx;
    r.rx = s.rx;
    r.vy = s.vy;
    r.ry = s.ry;
    r.extra = s.extra;
    r.clash = s.clash;
    r.guard = DecodeGuard(std::string_view(&s.guard, 1));
    r.damage = s.damage;
    r.hitTo = s.hitTo;
    r.hitI = s.hitI;
    r.flags = DecodeFlags(s.flags);
    SetBoxes(r, s.picture);
    std::memcpy(r.comment.data(), s.comment.data(),
                std::min(s.comment.size(), r.comment.size() - 1));
    list->lastPattern = s.index;
  }
  return list;
}

SampleCharacter MakeSampleCharacter() {
  SampleCharacter sample;
  const std::unique_ptr<MotionList> list = SampleMotionList();
  const ListHeader header{
      "SAMPLE", {kSampleKeyRed, kSampleKeyGreen, kSampleKeyBlue, kSampleGravity}, "FIGHTER"};
  sample.motionList = FormatList(*list, header, SaveLayout::kS);

  TileSet tiles(kBackgroundIndex);
  std::vector<Picture> maps;
  for (int pose = 0; pose < kPoseCount; ++pose) {
    // The art is fixed and fits the sheet many times over; a picture that did not fit would
    // show as empty, which the sample's tests catch.
    Picture map;
    for (auto& row : map.tiles) row.fill(kNoTile);
    if (const std::optional<Picture> cut =
            tiles.Add(DrawFighter(MakePose(static_cast<Pose>(pose))))) {
      map = *cut;
    }
    maps.push_back(map);
  }
  sample.pictureCount = static_cast<int>(maps.size());
  sample.tileCount = tiles.count();
  sample.pictures = EncodePatternFile(maps);
  sample.tileSheet = tiles.EncodeFile(FighterPalette());
  return sample;
}

bool WriteSampleCharacter(const std::filesystem::path& dir, std::string* error) {
  std::error_code ec;
  std::filesystem::create_directories(dir, ec);
  if (ec) {
    if (error) *error = "cannot create " + dir.string() + ": " + ec.message();
    return false;
  }
  const SampleCharacter sample = MakeSampleCharacter();
  auto bytes = [](const std::vector<uint8_t>& v) {
    return std::string_view(reinterpret_cast<const char*>(v.data()), v.size());
  };
  return WriteFile(dir / kListFileName, sample.motionList, error) &&
         WriteFile(dir / kTileSheetFileName, bytes(sample.tileSheet), error) &&
         WriteFile(dir / kPatternFileName, bytes(sample.pictures), error);
}

}  // namespace boxedit
