// String, path and file-name helpers shared by the engine, the rules, localisation and
// the windows. Indexes are 0-based and -1 means "not found"; out-of-range arguments are
// clamped, never an error.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/platform.h"

namespace ovalin {

std::u16string StrDuplicate(std::u16string_view s);
std::u16string StrReverse(std::u16string_view s);
// ASCII a-z to A-Z only.
std::u16string StrUpper(std::u16string_view s);
std::u16string StrLower(std::u16string_view s);
std::u16string StrTrimChars(std::u16string_view s, std::u16string_view set);
// 0 when equal ignoring ASCII case; otherwise the sign of the first difference.
int StrCompareText(std::u16string_view a, std::u16string_view b);
inline bool StrSameText(std::u16string_view a, std::u16string_view b) {
  return a.size() == b.size() && StrCompareText(a, b) == 0;
}
std::u16string StrSub(std::u16string_view s, long long start, long long count);
std::u16string StrTail(std::u16string_view s, long long start);
long long StrFind(std::u16string_view s, std::u16string_view sub);
long long StrFindFrom(std::u16string_view s, std::u16string_view sub, long long start);
std::u16string StrDelete(std::u16string_view s, long long index, long long count);
std::vector<std::u16string> StrSplitChars(std::u16string_view s,
                                          std::u16string_view delimiters = u" ");
std::u16string StrEscapes(std::u16string_view s, bool decode);

std::u16string PathAddBackslash(std::u16string_view path);
std::u16string PathRemoveBackslash(std::u16string_view path);
std::u16string FileBaseName(std::u16string_view fileName);
std::u16string FileFolder(std::u16string_view fileName);

// The folder of the running program's own file, with a trailing backslash.
std::u16string AppFolder(platform::SystemServices& system);
// %NAME% expansion; empty for empty text or when the expansion fails.
std::u16string ExpandEnvVars(platform::SystemServices& system, std::u16string_view text);
// Size of a file, false when it cannot be opened for reading.
bool FileSizeOf(platform::FileSystem& files, std::u16string_view fileName,
                std::uint64_t* size);
// Cuts the file at position, keeping the current position when it was before it.
void FileTruncateAt(platform::File* file, std::uint64_t position);

// UTF-8 <-> UTF-16 at the edges (command line, JSON, logs). Invalid input is replaced
// with U+FFFD, never rejected.
std::string ToUtf8(std::u16string_view s);
std::u16string FromUtf8(std::string_view s);

}  // namespace ovalin
