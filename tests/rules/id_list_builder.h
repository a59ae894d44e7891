// Builds shell item ID lists for tests, item by item, in the layout Windows 10 writes:
// My Computer, a named volume, then file entries whose 0xBEEF0004 extension block holds
// the long name.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace ovalin::testing {

using Bytes = std::vector<std::uint8_t>;

inline void PutU16(Bytes& bytes, std::uint16_t value) {
  bytes.push_back(static_cast<std::uint8_t>(value & 0xFF));
  bytes.push_back(static_cast<std::uint8_t>(value >> 8));
}

inline void PutUtf16(Bytes& bytes, std::u16string_view text) {
  for (char16_t c : text) PutU16(bytes, c);
  PutU16(bytes, 0);
}

// "a1,b2,..." for a .reg file's hex: values.
inline std::string RegHex(const Bytes& bytes) {
  static const char kDigits[] = "0123456789abcdef";
  std::string text;
  for (std::uint8_t b : bytes) {
    if (!text.empty()) text.push_back(',');
    text.push_back(kDigits[b >> 4]);
    text.push_back(kDigits[b & 0xF]);
  }
  return text;
}

// {20D04FE0-3AEA-1069-A2D8-08002B30309D} and {F02C1A0D-BE21-4350-88B0-7367FC96EF3C}
// (Network), as GUIDs are stored.
constexpr std::uint8_t kMyComputer[16] = {0xE0, 0x4F, 0xD0, 0x20, 0xEA, 0x3A, 0x69, 0x10,
                                          0xA2, 0xD8, 0x08, 0x00, 0x2B, 0x30, 0x30, 0x9D};
constexpr std::uint8_t kNetwork[16] = {0x0D, 0x1A, 0x2C, 0xF0, 0x21, 0xBE, 0x50, 0x43,
                                       0x88, 0xB0, 0x73, 0x67, 0xFC, 0x96, 0xEF, 0x3C};
// {374DE290-123F-4565-9164-39C4925E467B}, the Downloads known folder.
constexpr std::uint8_t kDownloads[16] = {0x90, 0xE2, 0x4D, 0x37, 0x3F, 0x12, 0x65, 0x45,
                                         0x91, 0x64, 0x39, 0xC4, 0x92, 0x5E, 0x46, 0x7B};

// One file entry: its class byte, its primary name (8-bit, or UTF-16 when the class
// has flag 0x04) and, unless longName is empty, a 0xBEEF0004 block of that version.
struct FileEntry {
  std::uint8_t type = 0x31;
  std::string shortName;
  std::u16string primaryUtf16;
  std::u16string longName;
  std::uint16_t version = 9;

  // An entry with an 8-bit primary name and no long name.
  static FileEntry ShortOnly(std::uint8_t type, std::string name) {
    return {type, std::move(name), u"", u"", 0};
  }
  // An entry with a UTF-16 primary name (type has flag 0x04) and no long name.
  static FileEntry Utf16Only(std::uint8_t type, std::u16string name) {
    return {type, "", std::move(name), u"", 0};
  }
  static FileEntry WithLongName(std::uint8_t type, std::u16string longName,
                                std::uint16_t version = 9) {
    return {type, "X", u"", std::move(longName), version};
  }
};

class IdListBuilder {
 public:
  // An item of any class: the size field is added in front of body (class byte first).
  IdListBuilder& Item(const Bytes& body) {
    PutU16(bytes_, static_cast<std::uint16_t>(body.size() + 2));
    bytes_.insert(bytes_.end(), body.begin(), body.end());
    return *this;
  }
  IdListBuilder& Root(const std::uint8_t (&guid)[16], std::uint8_t type = 0x1F,
                      std::uint8_t sortIndex = 0x50) {
    Bytes body{type, sortIndex};
    body.insert(body.end(), guid, guid + 16);
    return Item(body);
  }
  IdListBuilder& MyComputer() { return Root(kMyComputer); }
  // A named volume "X:\" padded to the 20 bytes Windows reserves for the name.
  IdListBuilder& Volume(std::string_view name = "C:\\", std::uint8_t type = 0x2F) {
    Bytes body{type};
    body.insert(body.end(), name.begin(), name.end());
    body.resize(1 + 20 + 2, 0);
    return Item(body);
  }
  // A known folder of My Computer (Documents, Downloads, ...).
  IdListBuilder& KnownFolder(const std::uint8_t (&guid)[16]) { return Root(guid, 0x2E, 0x80); }

  IdListBuilder& Entry(const FileEntry& entry) {
    Bytes body{entry.type, 0, 0, 0, 0, 0, 0x54, 0x98, 0x70, 0x89, 0x10, 0x00};
    if ((entry.type & 0x04) != 0) {
      PutUtf16(body, entry.primaryUtf16);
    } else {
      body.insert(body.end(), entry.shortName.begin(), entry.shortName.end());
      body.push_back(0);
      if (body.size() % 2 != 0) body.push_back(0);
    }
    if (!entry.longName.empty()) {
      const std::size_t blockOffset = body.size() + 2;  // in the item, size field included
      Bytes block;
      PutU16(block, 0);  // the block's size, filled in below
      PutU16(block, entry.version);
      for (std::uint8_t b : {0x04, 0x00, 0xEF, 0xBE}) block.push_back(b);
      block.resize(block.size() + 8, 0x11);  // creation and last access times
      PutU16(block, 0x2E);
      if (entry.version >= 7) block.resize(block.size() + 18, 0);
      if (entry.version >= 3) PutU16(block, 0);
      if (entry.version >= 9) block.resize(block.size() + 4, 0);
      if (entry.version >= 8) block.resize(block.size() + 4, 0);
      PutUtf16(block, entry.longName);
      PutU16(block, static_cast<std::uint16_t>(blockOffset));
      block[0] = static_cast<std::uint8_t>(block.size() & 0xFF);
      block[1] = static_cast<std::uint8_t>(block.size() >> 8);
      body.insert(body.end(), block.begin(), block.end());
    }
    return Item(body);
  }
  IdListBuilder& Folder(std::u16string_view longName, std::string_view shortName = "X") {
    return Entry({0x31, std::string(shortName), u"", std::u16string(longName), 9});
  }
  IdListBuilder& File(std::u16string_view longName, std::string_view shortName = "X") {
    return Entry({0x32, std::string(shortName), u"", std::u16string(longName), 9});
  }
  // Folders and, when the path does not end in a backslash, a file: "C:\a\b.txt".
  IdListBuilder& Path(std::u16string_view path) {
    MyComputer().Volume(std::string{static_cast<char>(path[0]), ':', '\\'});
    std::size_t at = 3;
    while (at < path.size()) {
      const std::size_t slash = path.find(u'\\', at);
      if (slash == std::u16string_view::npos) return File(path.substr(at));
      Folder(path.substr(at, slash - at));
      at = slash + 1;
    }
    return *this;
  }

  // The list with its terminating empty item.
  Bytes Terminated() const {
    Bytes bytes = bytes_;
    PutU16(bytes, 0);
    return bytes;
  }
  const Bytes& Unterminated() const { return bytes_; }

 private:
  Bytes bytes_;
};

}  // namespace ovalin::testing
