#pragma once
// The small JSON that `expr --vars` reads: objects, arrays, strings and
// integers only. Anything else (floats, true, false, null) is an error, so a
// typing slip never turns silently into a 0.
#include <cstdint>
#include <string>
#include <vector>

namespace slvinspect {

struct JsonMember;

struct JsonValue {
  enum class Kind { kObject, kArray, kString, kInteger };
  Kind kind = Kind::kInteger;
  std::vector<JsonMember> members;  // objects, in file order
  std::vector<JsonValue> items;     // arrays
  std::string text;                 // strings, UTF-8
  int64_t integer = 0;
};

struct JsonMember {
  std::string name;
  JsonValue value;
};

// False with `error` set ("line N: what") on malformed input; nesting deeper
// than 64 levels is refused too.
bool ParseJson(const std::string& text, JsonValue* value, std::string* error);

}  // namespace slvinspect
