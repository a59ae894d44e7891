// Writing to standard output and error: UTF-8 bytes exactly as given (no newline
// translation on Windows), and JSON string quoting.
#pragma once

#include <string>
#include <string_view>

namespace ovalin::cli {

void PrepareStandardStreams();
void Print(std::string_view text);
void PrintError(std::string_view text);
// A JSON string literal (with quotes) for UTF-16 text.
std::string JsonString(std::u16string_view text);

}  // namespace ovalin::cli
