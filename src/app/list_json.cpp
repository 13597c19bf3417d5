#include "app/list_json.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <initializer_list>
#include <limits>
#include <map>
#include <optional>

#include "app/record_fields.h"
#include "chardata/list_header.h"
#include "chardata/list_tokens.h"
#include "chardata/word_reader.h"
#include "motion/pattern_names.h"

namespace boxedit {

namespace {

using Json = nlohmann::json;
using OrderedJson = nlohmann::ordered_json;

constexpr int64_t kMinInt32 = std::numeric_limits<int32_t>::min();
constexpr int64_t kMaxInt32 = std::numeric_limits<int32_t>::max();
// What a box token can spell: a sign and two hex digits for x, three hex digits for y.
constexpr int64_t kMaxTokenX = 255, kMaxTokenY = 4095;

// Each byte as the character of the same number, in UTF-8.
std::string BytesToText(std::string_view bytes) {
  std::string text;
  for (const char byte : bytes) {
    const auto c = static_cast<unsigned char>(byte);
    if (c < 0x80) {
      text += byte;
    } else {
      text += static_cast<char>(0xC0 | (c >> 6));
      text += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return text;
}

// The bytes back from valid UTF-8 (the parser checks it); none when a character is above U+00FF.
std::optional<std::string> TextToBytes(std::string_view text) {
  std::string bytes;
  for (size_t i = 0; i < text.size(); ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (c < 0x80) {
      bytes += text[i];
    } else if ((c == 0xC2 || c == 0xC3) && i + 1 < text.size()) {
      bytes += static_cast<char>(((c & 0x03) << 6) | (text[++i] & 0x3F));
    } else {
      return std::nullopt;
    }
  }
  return bytes;
}

// The value as a problem shows it: JSON text, cut after 40 characters.
std::string Shown(const Json& value) {
  std::string text = value.dump(-1, ' ', false, Json::error_handler_t::replace);
  return text.size() > 40 ? text.substr(0, 40) + "..." : text;
}

std::string Range(int64_t min, int64_t max) {
  return std::to_string(min) + ".." + std::to_string(max);
}

// Reads the members of one object of the document, naming problems by `where` ("pattern 251",
// "header") and the member's JSON Pointer.
class ObjectReader {
 public:
  ObjectReader(const Json& object, std::string pointer, std::string where,
               std::vector<std::string>* problems)
      : object_(object),
        pointer_(std::move(pointer)),
        where_(std::move(where)),
        problems_(problems) {}

  void Problem(std::string_view key, const std::string& what) const {
    problems_->push_back(where_ + " (" + Pointer(key) + "): " + what);
  }
  std::string Pointer(std::string_view key) const {
    std::string pointer = pointer_ + "/";
    for (const char c : key) pointer += c == '~' ? "~0" : c == '/' ? "~1" : std::string(1, c);
    return pointer;
  }
  void Rename(std::string where) { where_ = std::move(where); }

  // Every member is one of `known`.
  void OnlyKnown(std::initializer_list<std::string_view> known, const char* what) const {
    for (const auto& [key, value] : object_.items()) {
      if (std::find(known.begin(), known.end(), key) == known.end()) {
        Problem(key, std::string("not a field of ") + what);
      }
    }
  }

  const Json* Member(std::string_view key, bool required = true) const {
    const auto it = object_.find(key);
    if (it != object_.end()) return &*it;
    if (required) Problem(key, "missing");
    return nullptr;
  }

  // A whole number from min to max (3.0 is one, as JSON Schema counts it).
  std::optional<int64_t> Integer(std::string_view key, int64_t min, int64_t max,
                                 bool required = true) const {
    const Json* value = Member(key, required);
    if (value == nullptr) return std::nullopt;
    double number = 0;
    if (value->is_number_integer()) {
      number = value->is_number_unsigned() ? static_cast<double>(value->get<uint64_t>())
                                           : static_cast<double>(value->get<int64_t>());
    } else if (value->is_number_float() && std::isfinite(value->get<double>()) &&
               std::floor(value->get<double>()) == value->get<double>()) {
      number = value->get<double>();
    } else {
      Problem(key, Shown(*value) + " is not a whole number");
      return std::nullopt;
    }
    if (number < static_cast<double>(min) || number > static_cast<double>(max)) {
      Problem(key, Shown(*value) + " is outside " + Range(min, max));
      return std::nullopt;
    }
    return static_cast<int64_t>(number);
  }

  // A word of the list file: no white space, no NUL, bytes only, at most maxBytes long.
  std::optional<std::string> Word(std::string_view key, size_t minBytes, size_t maxBytes) const {
    const Json* value = Member(key);
    if (value == nullptr) return std::nullopt;
    if (!value->is_string()) {
      Problem(key, Shown(*value) + " is not a string");
      return std::nullopt;
    }
    const std::optional<std::string> bytes = TextToBytes(value->get_ref<const std::string&>());
    std::string what;
    if (!bytes) {
      what = "has a character above U+00FF (each character is one byte of the file)";
    } else if (std::any_of(bytes->begin(), bytes->end(), IsListSpace)) {
      what = "has white space, which would split it in two";
    } else if (bytes->find('\0') != std::string::npos) {
      what = "has a NUL character";
    } else if (bytes->size() > maxBytes) {
      what = "is longer than " + std::to_string(maxBytes) + " characters";
    } else if (bytes->size() < minBytes) {
      what = "is empty";
    }
    if (what.empty()) return bytes;
    Problem(key, Shown(*value) + " " + what);
    return std::nullopt;
  }

  // An optional name that must be the one `expected` gives (null when it gives none).
  void SameName(std::string_view key, const char* expected, const std::string& of) const {
    const Json* value = Member(key, false);
    if (value == nullptr) return;
    const Json want = expected ? Json(expected) : Json();
    if (*value != want)
      Problem(key, Shown(*value) + " is not the name of " + of + " (" + Shown(want) + ")");
  }

  const Json& object() const { return object_; }

 private:
  const Json& object_;
  std::string pointer_;
  std::string where_;
  std::vector<std::string>* problems_;
};

void ReadHeader(const ObjectReader& in, ListHeader* header) {
  in.OnlyKnown({"first_word", "red", "green", "blue", "gravity", "second_word"}, "the header");
  const std::optional<std::string> first = in.Word("first_word", 1, kMaxHeaderWordSize);
  const std::optional<std::string> second = in.Word("second_word", 1, kMaxHeaderWordSize);
  header->firstWord = first.value_or("");
  header->secondWord = second.value_or("");
  const char* numbers[] = {"red", "green", "blue", "gravity"};
  for (int i = 0; i < 4; ++i) {
    header->numbers[i] =
        static_cast<int32_t>(in.Integer(numbers[i], kMinInt32, kMaxInt32).value_or(0));
  }
}

void ReadBox(const ObjectReader& in, Box* box) {
  in.OnlyKnown({"x1", "y1", "x2", "y2"}, "a box");
  for (const NamedCoordinate& k : kNamedCoordinates) {
    const bool isX = k.name[0] == 'x';
    const std::optional<int64_t> v =
        isX ? in.Integer(k.name, -kMaxTokenX, kMaxTokenX) : in.Integer(k.name, 0, kMaxTokenY);
    if (v) box->*k.field = static_cast<int32_t>(*v);
  }
}

// The boxes of one group: an array of exactly `count` boxes.
void ReadBoxes(const ObjectReader& in, const char* group, int count, PatternRecord* record,
               std::vector<std::string>* problems, const std::string& where) {
  const Json* boxes = in.Member(group);
  if (boxes == nullptr) return;
  if (!boxes->is_array() || boxes->size() != static_cast<size_t>(count)) {
    in.Problem(group, Shown(*boxes) + " is not a list of " + std::to_string(count) + " box" +
                          (count == 1 ? "" : "es"));
    return;
  }
  for (const NamedBox& named : kNamedBoxes) {
    if (std::strcmp(named.group, group) != 0) continue;
    const Json& box = (*boxes)[static_cast<size_t>(named.index)];
    const std::string pointer = in.Pointer(group) + "/" + std::to_string(named.index);
    if (!box.is_object()) {
      problems->push_back(where + " (" + pointer + "): " + Shown(box) + " is not a box");
      continue;
    }
    ReadBox(ObjectReader(box, pointer, where, problems), &named.of(*record));
  }
}

// One pattern: its index (none when missing or out of range) and its record.
std::optional<int> ReadPattern(ObjectReader& in, PatternRecord* record,
                               std::vector<std::string>* problems) {
  std::initializer_list<std::string_view> known = {
      "index", "motion",     "motion_name", "to",         "speed",  "picture", "depth",
      "circo", "voice",      "vx",          "rx",         "vy",     "ry",      "extra",
      "clash", "clash_name", "guard",       "guard_name", "damage", "hit_to",  "hit_i",
      "flags", "flag_bits",  "defense",     "attack",     "comment"};
  const std::optional<int64_t> index = in.Integer("index", 0, kPatternCount - 1);
  const std::string where = index ? "pattern " + std::to_string(*index) : "a pattern";
  in.Rename(where);
  in.OnlyKnown(known, "a pattern");
  bool guard = false, clash = false, flags = false;  // read, so that their names can be checked
  for (const NamedAttribute& a : kNamedAttributes) {
    const std::string_view name = a.name;
    std::optional<int64_t> v;
    if (name == "flags") {
      v = in.Integer(name, 0, 15);
    } else if (name == "picture") {
      v = in.Integer(name, 0, kMaxInt32);  // a negative picture would leave the slot empty
    } else {
      v = in.Integer(name, kMinInt32, kMaxInt32);
    }
    if (v && name == "guard" && GuardName(static_cast<int32_t>(*v)) == nullptr) {
      in.Problem(name, std::to_string(*v) + " is not a guard code (0, 1, 2, 3 or 9)");
    } else if (v) {
      a.set(*record, *v);
      guard |= name == "guard", clash |= name == "clash", flags |= name == "flags";
    }
  }
  if (guard)
    in.SameName("guard_name", GuardName(record->guard), "guard " + std::to_string(record->guard));
  if (clash)
    in.SameName("clash_name", ClashName(record->clash), "clash " + std::to_string(record->clash));
  if (flags)
    in.SameName("flag_bits", FlagToken(record->flags).c_str(),
                "flags " + std::to_string(record->flags));
  if (index) {
    const int motion = Motion(static_cast<int>(*index));
    const std::string of = "the motion of index " + std::to_string(*index);
    if (const Json* m = in.Member("motion", false); m != nullptr && *m != Json(motion)) {
      in.Problem("motion", Shown(*m) + " is not " + of + " (" + std::to_string(motion) + ")");
    }
    in.SameName("motion_name", MotionName(motion), of);
  }
  ReadBoxes(in, "defense", 2, record, problems, where);
  ReadBoxes(in, "attack", 1, record, problems, where);
  const std::optional<std::string> comment = in.Word("comment", 0, kCommentSize - 1);
  if (comment) std::memcpy(record->comment.data(), comment->data(), comment->size());
  if (!index) return std::nullopt;
  return static_cast<int>(*index);
}

}  // namespace

OrderedJson ListToJson(const MotionList& list, const ListHeader& header) {
  OrderedJson document;
  document["version"] = kListDocumentVersion;
  document["header"] = {{"first_word", BytesToText(header.firstWord)},
                        {"red", header.numbers[0]},
                        {"green", header.numbers[1]},
                        {"blue", header.numbers[2]},
                        {"gravity", header.numbers[3]},
                        {"second_word", BytesToText(header.secondWord)}};
  OrderedJson patterns = OrderedJson::array();
  const int last = std::min(list.lastPattern, kPatternCount - 1);
  for (int i = 0; i <= last; ++i) {
    const PatternRecord& r = list.patterns[i];
    if (r.IsEmpty()) continue;
    OrderedJson p = {{"index", i}, {"motion", Motion(i)}, {"motion_name", MotionName(Motion(i))}};
    for (const NamedAttribute& a : kNamedAttributes) {
      p[a.name] = a.get(r);
      const std::string_view name = a.name;
      const char* word = name == "clash"   ? ClashName(r.clash)
                         : name == "guard" ? GuardName(r.guard)
                                           : "";
      if (word == nullptr) {
        p[std::string(a.name) + "_name"] = nullptr;
      } else if (*word != '\0') {
        p[std::string(a.name) + "_name"] = word;
      }
      if (name == "flags") p["flag_bits"] = FlagToken(r.flags);
    }
    for (const NamedBox& b : kNamedBoxes) {
      OrderedJson box;
      for (const NamedCoordinate& k : kNamedCoordinates) box[k.name] = b.of(r).*k.field;
      p[b.group].push_back(box);
    }
    p["comment"] = BytesToText(r.comment.data());
    patterns.push_back(std::move(p));
  }
  document["patterns"] = std::move(patterns);
  return document;
}

bool ListFromJson(const Json& document, MotionList* list, ListHeader* header,
                  std::vector<std::string>* problems) {
  const size_t before = problems->size();
  list->ResetSlots();
  list->lastPattern = 0;
  if (!document.is_object()) {
    problems->push_back("the document: it is not a JSON object");
    return false;
  }
  const ObjectReader top(document, "", "the document", problems);
  top.OnlyKnown({"$schema", "version", "header", "patterns"}, "the document");
  if (const std::optional<int64_t> version = top.Integer("version", 0, kMaxInt32);
      version && *version != kListDocumentVersion) {
    top.Problem("version", std::to_string(*version) + " is not a version this boxtool reads (" +
                               std::to_string(kListDocumentVersion) + ")");
  }
  if (const Json* h = top.Member("header"); h != nullptr) {
    if (h->is_object()) {
      ReadHeader(ObjectReader(*h, "/header", "header", problems), header);
    } else {
      top.Problem("header", Shown(*h) + " is not an object");
    }
  }
  list->gravity = header->numbers[3];
  const Json* patterns = top.Member("patterns");
  if (patterns != nullptr && !patterns->is_array()) {
    top.Problem("patterns", Shown(*patterns) + " is not a list");
  } else if (patterns != nullptr) {
    std::map<int, size_t> seen;  // index -> its place in the list
    for (size_t n = 0; n < patterns->size(); ++n) {
      const std::string pointer = "/patterns/" + std::to_string(n);
      const Json& p = (*patterns)[n];
      if (!p.is_object()) {
        problems->push_back("a pattern (" + pointer + "): " + Shown(p) + " is not an object");
        continue;
      }
      PatternRecord record;
      ObjectReader in(p, pointer, "a pattern", problems);
      const std::optional<int> index = ReadPattern(in, &record, problems);
      if (!index) continue;
      if (const auto [it, added] = seen.emplace(*index, n); !added) {
        in.Problem("index", "pattern " + std::to_string(*index) + " is given twice (also at " +
                                "/patterns/" + std::to_string(it->second) + ")");
        continue;
      }
      list->patterns[*index] = record;
      list->lastPattern = std::max(list->lastPattern, *index);
    }
  }
  return problems->size() == before;
}

}  // namespace boxedit
