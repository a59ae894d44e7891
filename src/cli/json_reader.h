// A small JSON reader for the documents ovalin-rc takes back (a saved `scan --json`).
// The document is untrusted: malformed text is rejected with the offset of the problem,
// nesting is limited, and nothing is read past the end.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace ovalin::cli {

struct JsonValue {
  enum class Kind { kNull, kBool, kNumber, kString, kArray, kObject };
  Kind kind = Kind::kNull;
  bool boolean = false;
  double number = 0;
  std::string text;  // UTF-8
  std::vector<JsonValue> items;
  std::vector<std::pair<std::string, JsonValue>> members;

  // The first member of that name of an object; nullptr when there is none.
  const JsonValue* Member(std::string_view name) const;
  // The number when it is a whole number from 0 to 2^32 - 1.
  std::optional<std::uint32_t> AsUnsigned() const;
};

// Parses a whole document (surrounding white space allowed). False with error set
// ("offset N: problem") for anything that is not one JSON value.
bool ParseJson(std::string_view text, JsonValue* value, std::string* error);

}  // namespace ovalin::cli
