// End-to-end: boxtool export and import. A round trip gives the bytes resave gives, every export
// fits the published schema, and a broken document is refused whole, each problem named.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <memory>
#include <nlohmann/json.hpp>
#include <random>
#include <string>

#include "chardata/list_reader.h"
#include "chardata/list_writer.h"
#include "list_texts.h"
#include "run_boxtool.h"

namespace boxedit {
namespace {

using Json = nlohmann::json;

class JsonTest : public testing::BoxtoolFolder {
 protected:
  // Export of the folder's motion.lst, then import into motion2.lst, against resave, in both
  // layouts; the export is checked against the schema (where python3 is at hand).
  void ExpectRoundTrip() {
    ASSERT_EQ(Boxtool("export . --output doc.json"), 0) << Err();
#if !defined(_WIN32)
    const std::string source = BOXEDIT_SOURCE_DIR;
    EXPECT_EQ(std::system(("python3 " + source + "/tests/e2e/validate_json.py " + source +
                           "/schema/motion-list.schema.json " + (dir_ / "doc.json").string())
                              .c_str()),
              0);
#endif
    for (const char* layout : {"s", "l"}) {
      ASSERT_EQ(Boxtool(std::string("resave ") + layout), 0) << Err();
      const std::string resaved = dir_.Read("motion2.lst");
      std::filesystem::remove(dir_ / "motion2.lst");
      ASSERT_EQ(Boxtool(std::string("import doc.json . --layout ") + layout), 0) << Err();
      EXPECT_EQ(dir_.Read("motion2.lst"), resaved) << layout;
    }
  }
};

TEST_F(JsonTest, ExportThenImportGivesTheBytesOfResave) {
  ASSERT_EQ(Boxtool("make-sample ."), 0);
  ExpectRoundTrip();
#if !defined(_WIN32)
  auto read = [](const std::string& name) {
    std::ifstream in(std::string(BOXEDIT_SOURCE_DIR) + "/" + name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  };
  const std::string schema = read("schema/motion-list.schema.json");
  EXPECT_NE(read("README.md").find("```json\n" + schema + "```"), std::string::npos);  // in full
  ASSERT_EQ(Boxtool("import - . --layout l < doc.json"), 0) << Err();  // the document on stdin
  const std::string imported = dir_.Read("motion2.lst");
  ASSERT_EQ(Boxtool("resave l"), 0);
  EXPECT_EQ(dir_.Read("motion2.lst"), imported);
#endif

  // Full lists of random values, far outside the editor's ranges, and words of any byte.
  std::mt19937 random(7);
  auto any = [&](int32_t lo, int32_t hi) {
    return std::uniform_int_distribution<int32_t>(lo, hi)(random);
  };
  for (int round = 0; round < 2; ++round) {
    auto list = std::make_unique<MotionList>();
    for (int i = 0; i < kPatternCount; ++i) {
      PatternRecord& r = list->patterns[i];
      for (int32_t* f : {&r.to, &r.speed, &r.depth, &r.circo, &r.voice, &r.vx, &r.rx, &r.vy, &r.ry,
                         &r.extra, &r.clash, &r.damage, &r.hitTo, &r.hitI})
        *f = any(INT32_MIN, INT32_MAX);
      r.picture = any(-1, 300), r.guard = any(0, 4) == 4 ? 9 : any(0, 3);
      r.flags = static_cast<uint32_t>(any(0, 15));
      for (Box* b : {&r.defense[0], &r.defense[1], &r.attack[0]})
        *b = {any(-255, 255), any(0, 511), any(-255, 255), any(0, 511)};
      for (int c = any(1, 63), k = 0; k < c; ++k) r.comment[k] = static_cast<char>(any(0x21, 0xFF));
    }
    list->lastPattern = kPatternCount - 2;
    const ListHeader header{
        "H\xE9"
        "AD",
        {any(-9, 300), 0, -1, any(INT32_MIN, INT32_MAX)},
        "~/"};
    // The last slot through a token of y values above 511, which the save writes as 511.
    dir_.Write("motion.lst", FormatList(*list, header, round ? SaveLayout::kL : SaveLayout::kS) +
                                 "1299 0 1 2 0 0 9 0 0 0 0 0 0 U 0 0 0 0000 0FFFFF1FF800 "
                                 "000000000000 000000000000 -\n");
    ExpectRoundTrip();
  }
}

TEST_F(JsonTest, ImportRefusesABrokenDocumentWholeAndNamesEachProblem) {
  dir_.Write("motion.lst", std::string(testing::kHeader) + testing::kRecord);
  ASSERT_EQ(Boxtool("export . --output doc.json"), 0) << Err();
  const Json good = Json::parse(dir_.Read("doc.json"));
  dir_.Write("motion2.lst", "earlier\n");
  const std::pair<const char*, const char*> cases[] = {
      {R"({"/patterns/0/attack/0/x1": 300})",
       "pattern 0 (/patterns/0/attack/0/x1): 300 is outside -255..255"},
      {R"({"/patterns/0/index": 1300})", "a pattern (/patterns/0/index): 1300 is outside 0..1299"},
      {R"({"/patterns/0/comment": "a b"})", "(/patterns/0/comment): \"a b\" has white space"},
      {R"({"/patterns/0/comment": "\u0100"})", "above U+00FF"},
      {R"({"/patterns/0/to": "x", "/patterns/0/tp": 1})", "(/patterns/0/to): \"x\" is not a whole"},
      {R"({"/patterns/0/tp": 1})", "pattern 0 (/patterns/0/tp): not a field of a pattern"},
      {R"({"/patterns/0/guard": 5})", "(/patterns/0/guard): 5 is not a guard code"},
      {R"({"/patterns/0/guard_name": "SIT"})", "\"SIT\" is not the name of guard 0 (\"STA\")"},
      {R"({"/patterns/0/flag_bits": "0101"})", "\"0101\" is not the name of flags 10 (\"1010\")"},
      {R"({"/patterns/0/picture": -1})", "(/patterns/0/picture): -1 is outside 0..2147483647"},
      {R"({"/patterns/1": {"index": 0}})", "(/patterns/1/index): pattern 0 is given twice"},
      {R"({"/patterns/0/attack": []})", "(/patterns/0/attack): [] is not a list of 1 box"},
      {R"({"/version": 2})", "the document (/version): 2 is not a version this boxtool reads"},
      {R"({"/header/gravity": 2147483648})", "header (/header/gravity): 2147483648 is outside"},
      {R"({"/header/first_word": ""})", "header (/header/first_word): \"\" is empty"},
  };
  for (const auto& [changes, expected] : cases) {
    Json broken = good;
    const Json change = Json::parse(changes);
    for (const auto& [pointer, value] : change.items()) broken[Json::json_pointer(pointer)] = value;
    dir_.Write("broken.json", broken.dump());
    EXPECT_EQ(Boxtool("import broken.json"), 1) << changes;
    EXPECT_NE(Err().find(expected), std::string::npos) << Err();
    EXPECT_EQ(dir_.Read("motion2.lst"), "earlier\n");
  }
  dir_.Write("broken.json", "{\"version\": 1,");
  EXPECT_EQ(Boxtool("import broken.json"), 1);
  EXPECT_NE(Err().find("broken.json is not JSON"), std::string::npos) << Err();

  // A y the file can hold and the save clamps is written as a save writes it.
  Json high = good;
  high["patterns"][0]["attack"][0]["y1"] = 600;
  dir_.Write("high.json", high.dump());
  ASSERT_EQ(Boxtool("import high.json"), 0) << Err();
  auto list = std::make_unique<MotionList>();
  ASSERT_TRUE(LoadText(*list, dir_.Read("motion2.lst")).empty());
  EXPECT_EQ(list->patterns[0].attack[0].y1, kMaxBoxY);
}

}  // namespace
}  // namespace boxedit
