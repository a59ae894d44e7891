#include "cli/output.h"

#include <cstdio>

#include "engine/text_utils.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

namespace ovalin::cli {

void PrepareStandardStreams() {
#ifdef _WIN32
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
#endif
}

void Print(std::string_view text) { std::fwrite(text.data(), 1, text.size(), stdout); }

// Flushed at once: the Windows C runtime buffers standard error when it is a pipe, and a
// watcher of a long clean must see each progress line as it happens.
void PrintError(std::string_view text) {
  std::fwrite(text.data(), 1, text.size(), stderr);
  std::fflush(stderr);
}

std::string JsonString(std::u16string_view text) {
  std::string out = "\"";
  const std::string utf8 = ToUtf8(text);
  for (const char c : utf8) {
    const auto byte = static_cast<unsigned char>(c);
    switch (c) {
      case '"': out += "\\\""; break;
      case '\\': out += "\\\\"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\t': out += "\\t"; break;
      default:
        if (byte < 0x20) {
          char escaped[8];
          std::snprintf(escaped, sizeof escaped, "\\u%04x", byte);
          out += escaped;
        } else {
          out += c;
        }
    }
  }
  out += '"';
  return out;
}

}  // namespace ovalin::cli
