#include "platform/win32/win32_profiles.h"

#include <vector>

#include "platform/win32/win32_text.h"

namespace ovalin::platform::win32 {
namespace {

// Returned for a missing key; no INI value can hold these control characters.
constexpr wchar_t kMissing[] = L"\x01\x02ovalin-missing\x02\x01";
constexpr DWORD kLargestBuffer = 1u << 24;

bool HasLineBreak(std::u16string_view text) {
  return text.find_first_of(u"\r\n") != std::u16string_view::npos;
}

bool FileExists(const std::wstring& file) {
  return ::GetFileAttributesW(file.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// Calls fill(buffer, capacity) with growing buffers until the result is not cut short;
// the function returns capacity - truncationMargin when the buffer was too small.
template <typename Fill>
std::vector<wchar_t> GrowingCall(DWORD truncationMargin, Fill fill, DWORD* count) {
  DWORD capacity = 1024;
  while (true) {
    std::vector<wchar_t> buffer(capacity, L'\0');
    *count = fill(buffer.data(), capacity);
    if (*count + truncationMargin < capacity || capacity >= kLargestBuffer) return buffer;
    capacity *= 4;
  }
}

// A list of null-terminated names ended by an empty one.
std::vector<std::u16string> SplitNameList(const std::vector<wchar_t>& buffer, DWORD count) {
  std::vector<std::u16string> names;
  size_t start = 0;
  for (size_t i = 0; i < count && i < buffer.size(); ++i) {
    if (buffer[i] == L'\0') {
      if (i > start) names.push_back(FromWide(buffer.data() + start, i - start));
      start = i + 1;
    }
  }
  if (start < count) names.push_back(FromWide(buffer.data() + start, count - start));
  return names;
}

}  // namespace

std::optional<std::u16string> Win32Profiles::ReadString(std::u16string_view file,
                                                        std::u16string_view section,
                                                        std::u16string_view key) {
  const std::wstring fileName = Wide(file);
  const std::wstring sectionName = Wide(section);
  const std::wstring keyName = Wide(key);
  DWORD count = 0;
  // A value that fills the buffer comes back as capacity - 1 characters.
  const std::vector<wchar_t> buffer = GrowingCall(
      1,
      [&](wchar_t* data, DWORD capacity) {
        return ::GetPrivateProfileStringW(sectionName.c_str(), keyName.c_str(), kMissing, data,
                                          capacity, fileName.c_str());
      },
      &count);
  const std::wstring value(buffer.data(), count);
  if (value == kMissing) return std::nullopt;
  return FromWide(value);
}

bool Win32Profiles::WriteString(std::u16string_view file, std::u16string_view section,
                                std::u16string_view key, std::u16string_view value) {
  if (HasLineBreak(section) || HasLineBreak(key) || HasLineBreak(value)) return false;
  const std::wstring fileName = Wide(file);
  if (!FileExists(fileName)) {
    OwnedHandle created(::CreateFileW(fileName.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                      CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (created.valid()) {
      static const unsigned char kBom[2] = {0xFF, 0xFE};
      DWORD written = 0;
      ::WriteFile(created.get(), kBom, sizeof kBom, &written, nullptr);
    }
  }
  return ::WritePrivateProfileStringW(Wide(section).c_str(), Wide(key).c_str(),
                                      Wide(value).c_str(), fileName.c_str()) != FALSE;
}

bool Win32Profiles::DeleteKey(std::u16string_view file, std::u16string_view section,
                              std::u16string_view key) {
  const std::wstring fileName = Wide(file);
  if (!FileExists(fileName)) return true;
  return ::WritePrivateProfileStringW(Wide(section).c_str(), Wide(key).c_str(), nullptr,
                                      fileName.c_str()) != FALSE;
}

bool Win32Profiles::EraseSection(std::u16string_view file, std::u16string_view section) {
  const std::wstring fileName = Wide(file);
  if (!FileExists(fileName)) return true;
  return ::WritePrivateProfileStringW(Wide(section).c_str(), nullptr, nullptr,
                                      fileName.c_str()) != FALSE;
}

std::vector<std::u16string> Win32Profiles::SectionNames(std::u16string_view file) {
  const std::wstring fileName = Wide(file);
  DWORD count = 0;
  // A list that does not fit comes back as capacity - 2 characters.
  const std::vector<wchar_t> buffer = GrowingCall(
      2,
      [&](wchar_t* data, DWORD capacity) {
        return ::GetPrivateProfileSectionNamesW(data, capacity, fileName.c_str());
      },
      &count);
  return SplitNameList(buffer, count);
}

std::vector<std::u16string> Win32Profiles::KeyNames(std::u16string_view file,
                                                    std::u16string_view section) {
  const std::wstring fileName = Wide(file);
  const std::wstring sectionName = Wide(section);
  DWORD count = 0;
  const std::vector<wchar_t> buffer = GrowingCall(
      2,
      [&](wchar_t* data, DWORD capacity) {
        return ::GetPrivateProfileStringW(sectionName.c_str(), nullptr, L"", data, capacity,
                                          fileName.c_str());
      },
      &count);
  return SplitNameList(buffer, count);
}

}  // namespace ovalin::platform::win32
