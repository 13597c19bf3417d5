// boxtool diff A B [--format text|json]: what differs between two lists, each a list file or a
// character folder: the header and gravity, which slots only one of them fills, and the fields
// and box coordinates of the patterns both hold, with both values.
#include <cstdio>
#include <memory>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "app/record_fields.h"
#include "app/tool_args.h"
#include "app/tool_commands.h"
#include "app/tool_list.h"

namespace boxedit {

namespace {

constexpr const char* kUsage = "usage: boxtool diff A B [--format text|json]\n";

using Json = nlohmann::ordered_json;

// One difference: where (a slot or -1 for the header), what, and the two values.
struct Change {
  int32_t slot;
  std::string field;  // "damage", "attack 0 x2", "comment", "only in a", ...
  Json a, b;
};

void CompareHeaders(const ListHeader& a, const ListHeader& b, std::vector<Change>* out) {
  constexpr const char* kNumbers[] = {"header red", "header green", "header blue", "gravity"};
  if (a.firstWord != b.firstWord)
    out->push_back({-1, "header first word", a.firstWord, b.firstWord});
  for (int i = 0; i < 4; ++i) {
    if (a.numbers[i] != b.numbers[i]) out->push_back({-1, kNumbers[i], a.numbers[i], b.numbers[i]});
  }
  if (a.secondWord != b.secondWord) {
    out->push_back({-1, "header second word", a.secondWord, b.secondWord});
  }
}

void ComparePatterns(int32_t slot, const PatternRecord& a, const PatternRecord& b,
                     std::vector<Change>* out) {
  if (a.IsEmpty() || b.IsEmpty()) {
    if (a.IsEmpty() != b.IsEmpty())
      out->push_back({slot, a.IsEmpty() ? "only in b" : "only in a", {}, {}});
    return;
  }
  for (const NamedAttribute& f : kNamedAttributes) {
    if (f.get(a) != f.get(b)) out->push_back({slot, f.name, f.get(a), f.get(b)});
  }
  for (const NamedBox& box : kNamedBoxes) {
    for (const NamedCoordinate& k : kNamedCoordinates) {
      const int32_t va = box.of(a).*k.field, vb = box.of(b).*k.field;
      if (va == vb) continue;
      out->push_back(
          {slot, std::string(box.group) + " " + std::to_string(box.index) + " " + k.name, va, vb});
    }
  }
  const std::string ca = a.comment.data(), cb = b.comment.data();
  if (ca != cb) out->push_back({slot, "comment", ca, cb});
}

// A value as the text format writes it: numbers and words bare.
std::string Text(const Json& v) {
  return v.is_string() ? v.get<std::string>() : v.dump();
}

}  // namespace

// Exit 0 when the lists are the same, 1 when they differ, 2 when one cannot be read or the
// arguments are wrong.
int RunDiff(const ToolArgs& args) {
  ParsedArgs parsed;
  std::string error;
  if (!ParseArgs(args, {"--format"}, {}, &parsed, &error) || parsed.words.size() != 2) {
    std::fprintf(stderr, "boxtool diff: %s\n%s",
                 error.empty() ? "it compares two lists" : error.c_str(), kUsage);
    return 2;
  }
  const std::string format = parsed.Option("--format").value_or("text");
  if (format != "text" && format != "json") {
    std::fprintf(stderr, "boxtool diff: no format '%s'\n%s", format.c_str(), kUsage);
    return 2;
  }
  auto a = std::make_unique<MotionList>(), b = std::make_unique<MotionList>();
  ReadHeader headerA, headerB;
  Diagnostics diagnostics;
  for (auto [path, list, header] : {std::tuple(parsed.words[0], a.get(), &headerA),
                                    std::tuple(parsed.words[1], b.get(), &headerB)}) {
    if (!ReadListAt(path, *list, &diagnostics, header)) return 2;
    for (const Diagnostic& d : diagnostics) {
      std::fprintf(stderr, "%s: %s\n", path.c_str(), FormatDiagnostic(d).c_str());
    }
  }

  std::vector<Change> changes;
  CompareHeaders(headerA.words, headerB.words, &changes);
  for (int32_t slot = 0; slot < kPatternCount; ++slot) {
    ComparePatterns(slot, a->patterns[slot], b->patterns[slot], &changes);
  }

  if (format == "json") {
    Json header = Json::array(), patterns = Json::array();
    for (const Change& c : changes) {
      if (c.slot < 0) {
        header.push_back({{"field", c.field}, {"a", c.a}, {"b", c.b}});
      } else if (c.field.rfind("only in ", 0) == 0) {
        patterns.push_back({{"index", c.slot}, {"only_in", c.field.substr(8)}});
      } else {
        if (patterns.empty() || patterns.back()["index"] != c.slot ||
            !patterns.back().contains("fields")) {
          patterns.push_back({{"index", c.slot}, {"fields", Json::array()}});
        }
        patterns.back()["fields"].push_back({{"field", c.field}, {"a", c.a}, {"b", c.b}});
      }
    }
    const Json out = {{"same", changes.empty()}, {"header", header}, {"patterns", patterns}};
    std::printf("%s\n", out.dump(2).c_str());
  } else {
    for (const Change& c : changes) {
      const std::string where = c.slot < 0 ? "" : std::to_string(c.slot) + " ";
      if (c.a.is_null()) {
        std::printf("%s%s\n", std::to_string(c.slot).c_str(), (": " + c.field).c_str());
      } else {
        std::printf("%s%s: %s -> %s\n", where.c_str(), c.field.c_str(), Text(c.a).c_str(),
                    Text(c.b).c_str());
      }
    }
  }
  return changes.empty() ? 0 : 1;
}

}  // namespace boxedit
