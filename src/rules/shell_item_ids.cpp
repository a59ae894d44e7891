// Decoding of shell item ID lists. An ID list is a run of items, each a little-endian
// uint16 size (counting the size field itself) and size - 2 bytes of data whose first
// byte is the item's class; an item of size 0 ends the list. Only three kinds of item make
// up a plain file-system path:
//   0x1F          a root folder; only My Computer leads to drives
//   0x2? (0x01)   a volume with a name: "C:\" as an 8-bit text at offset 3
//   0x3?          a file entry: flags in the class (0x01 folder, 0x04 UTF-16 names,
//                 0x80 a junction to another handler), at 14 its primary name, then
//                 extension blocks; block 0xBEEF0004 carries the long UTF-16 name
// Everything else answers "cannot tell".
#include "rules/shell_item_ids.h"

#include <string_view>
#include <vector>

namespace ovalin {

namespace {

// A bounds-checked view of little-endian bytes: a read that would step outside the
// view fails instead.
class ByteView {
 public:
  ByteView(const std::uint8_t* data, std::size_t size)
      : data_(data), size_(data == nullptr ? 0 : size) {}

  std::size_t Size() const { return size_; }
  bool Holds(std::size_t offset, std::size_t count) const {
    return offset <= size_ && count <= size_ - offset;
  }
  std::optional<std::uint8_t> U8(std::size_t offset) const {
    if (!Holds(offset, 1)) return std::nullopt;
    return data_[offset];
  }
  std::optional<std::uint16_t> U16(std::size_t offset) const {
    if (!Holds(offset, 2)) return std::nullopt;
    return static_cast<std::uint16_t>(data_[offset] | (data_[offset + 1] << 8));
  }
  std::optional<std::uint32_t> U32(std::size_t offset) const {
    if (!Holds(offset, 4)) return std::nullopt;
    return static_cast<std::uint32_t>(data_[offset]) |
           (static_cast<std::uint32_t>(data_[offset + 1]) << 8) |
           (static_cast<std::uint32_t>(data_[offset + 2]) << 16) |
           (static_cast<std::uint32_t>(data_[offset + 3]) << 24);
  }
  // The bytes [offset, offset + count); the caller has checked Holds.
  ByteView Slice(std::size_t offset, std::size_t count) const {
    return ByteView(data_ + offset, count);
  }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
};

constexpr std::uint8_t kRootFolderClass = 0x1F;
// {20D04FE0-3AEA-1069-A2D8-08002B30309D}, My Computer, as a GUID is stored.
constexpr std::uint8_t kMyComputerGuid[16] = {0xE0, 0x4F, 0xD0, 0x20, 0xEA, 0x3A, 0x69, 0x10,
                                              0xA2, 0xD8, 0x08, 0x00, 0x2B, 0x30, 0x30, 0x9D};
constexpr std::size_t kRootGuidOffset = 4;
constexpr std::size_t kVolumeNameOffset = 3;
constexpr std::size_t kPrimaryNameOffset = 14;
constexpr std::uint8_t kFileEntryFolder = 0x01;
constexpr std::uint8_t kFileEntryUtf16Names = 0x04;
constexpr std::uint32_t kFileEntryExtensionSignature = 0xBEEF0004;
// The longest path Windows can name at all.
constexpr std::size_t kLongestWindowsPath = 32767;

// The items of the list, each a view that starts at its size field; nullopt when an
// item's size is 1 or 2 (too small for a class byte) or runs past the data, or when
// the data ends before the terminating empty item.
std::optional<std::vector<ByteView>> SplitItems(const ByteView& list) {
  std::vector<ByteView> items;
  std::size_t at = 0;
  for (;;) {
    const std::optional<std::uint16_t> size = list.U16(at);
    if (!size) return std::nullopt;
    if (*size == 0) return items;
    if (*size < 3 || !list.Holds(at, *size)) return std::nullopt;
    items.push_back(list.Slice(at, *size));
    at += *size;
  }
}

bool IsMyComputer(const ByteView& item) {
  if (item.U8(2) != kRootFolderClass || !item.Holds(kRootGuidOffset, 16)) return false;
  for (std::size_t i = 0; i < 16; ++i) {
    if (item.U8(kRootGuidOffset + i) != kMyComputerGuid[i]) return false;
  }
  return true;
}

// "X:\" from a named volume item, else nullopt.
std::optional<std::u16string> DriveOfVolume(const ByteView& item) {
  const std::uint8_t type = item.U8(2).value_or(0);
  if ((type & 0xF0) != 0x20 || (type & 0x01) == 0) return std::nullopt;
  const std::optional<std::uint8_t> letter = item.U8(kVolumeNameOffset);
  const bool isLetter =
      letter && ((*letter >= 'A' && *letter <= 'Z') || (*letter >= 'a' && *letter <= 'z'));
  if (!isLetter || item.U8(kVolumeNameOffset + 1) != ':' ||
      item.U8(kVolumeNameOffset + 2) != '\\' || item.U8(kVolumeNameOffset + 3) != 0) {
    return std::nullopt;
  }
  return std::u16string{static_cast<char16_t>(*letter), u':', u'\\'};
}

// The UTF-16LE text at offset up to its NUL character; *end is the offset after the NUL.
// nullopt when the view ends first.
std::optional<std::u16string> Utf16TextAt(const ByteView& bytes, std::size_t offset,
                                          std::size_t* end) {
  std::u16string text;
  for (std::size_t at = offset;; at += 2) {
    const std::optional<std::uint16_t> unit = bytes.U16(at);
    if (!unit) return std::nullopt;
    if (*unit == 0) {
      *end = at + 2;
      return text;
    }
    text.push_back(static_cast<char16_t>(*unit));
  }
}

// A name the file system could hold as one path component.
bool IsPlainName(std::u16string_view name) {
  if (name.empty() || name == u"." || name == u"..") return false;
  for (char16_t c : name) {
    if (c < 0x20 || std::u16string_view(u"\\/:*?\"<>|").find(c) != std::u16string_view::npos) {
      return false;
    }
  }
  return true;
}

// What the 0xBEEF0004 extension block at offset of a file entry says of its long name.
enum class LongName { kNone, kMalformed, kFound };

LongName ReadLongName(const ByteView& item, std::size_t offset, std::u16string* name) {
  if (item.U32(offset + 4) != kFileEntryExtensionSignature) return LongName::kNone;
  const std::uint16_t size = item.U16(offset).value_or(0);
  const std::uint16_t version = item.U16(offset + 2).value_or(0);
  // Every block ends with its own offset in the item, which confirms the layout.
  if (size < 10 || !item.Holds(offset, size) || item.U16(offset + size - 2) != offset) {
    return LongName::kMalformed;
  }
  // Where the long name starts in the block, by the block's version (3: Windows XP,
  // 7: Vista, 8: Windows 7 and 8, 9: Windows 8.1 and later); other versions have
  // fields we do not know.
  std::size_t nameOffset = 0;
  if (version >= 3 && version <= 6) {
    nameOffset = 20;
  } else if (version == 7) {
    nameOffset = 38;
  } else if (version == 8) {
    nameOffset = 42;
  } else if (version == 9) {
    nameOffset = 46;
  } else {
    return LongName::kMalformed;
  }
  std::size_t end = 0;
  const std::optional<std::u16string> text =
      Utf16TextAt(item.Slice(offset, size - 2), nameOffset, &end);
  if (!text || text->empty()) return LongName::kMalformed;
  *name = *text;
  return LongName::kFound;
}

// The name of a file entry: the long name when the item carries one, else its primary
// name. An 8-bit primary name must be plain ASCII (its code page is not known), and one
// with a tilde may be a generated short alias that need not resolve any more: both are
// names we cannot be sure of.
std::optional<std::u16string> FileEntryName(const ByteView& item, std::uint8_t type) {
  std::u16string primary;
  bool primaryIsSure = true;
  std::size_t end = 0;
  if ((type & kFileEntryUtf16Names) != 0) {
    std::optional<std::u16string> text = Utf16TextAt(item, kPrimaryNameOffset, &end);
    if (!text) return std::nullopt;
    primary = std::move(*text);
  } else {
    for (end = kPrimaryNameOffset;; ++end) {
      const std::optional<std::uint8_t> byte = item.U8(end);
      if (!byte) return std::nullopt;
      if (*byte == 0) break;
      if (*byte >= 0x80 || *byte == '~') primaryIsSure = false;
      primary.push_back(static_cast<char16_t>(*byte));
    }
    ++end;
  }
  // The first extension block follows the name at an even offset; the item's last two
  // bytes give the offset of its first block too.
  const std::size_t candidates[] = {end + (end & 1), item.U16(item.Size() - 2).value_or(0)};
  for (std::size_t offset : candidates) {
    if (offset < kPrimaryNameOffset) continue;
    std::u16string longName;
    switch (ReadLongName(item, offset, &longName)) {
      case LongName::kFound:
        return longName;
      case LongName::kMalformed:
        return std::nullopt;
      case LongName::kNone:
        break;
    }
  }
  if (!primaryIsSure) return std::nullopt;
  return primary;
}

}  // namespace

std::optional<std::u16string> FileSystemPathOfIdList(const std::uint8_t* data, std::size_t size) {
  const std::optional<std::vector<ByteView>> items = SplitItems(ByteView(data, size));
  if (!items || items->size() < 2 || !IsMyComputer((*items)[0])) return std::nullopt;
  std::optional<std::u16string> path = DriveOfVolume((*items)[1]);
  if (!path) return std::nullopt;
  for (std::size_t i = 2; i < items->size(); ++i) {
    const ByteView& item = (*items)[i];
    const std::uint8_t type = item.U8(2).value_or(0);
    // Junctions (0x80) hand their contents to another namespace, and nothing but the
    // end of the list may follow a file (what follows lives inside it, as in an archive).
    if ((type & 0xF0) != 0x30) return std::nullopt;
    const bool isLast = i + 1 == items->size();
    if ((type & kFileEntryFolder) == 0 && !isLast) return std::nullopt;
    const std::optional<std::u16string> name = FileEntryName(item, type);
    if (!name || !IsPlainName(*name)) return std::nullopt;
    if (i > 2) path->push_back(u'\\');
    path->append(*name);
    if (path->size() > kLongestWindowsPath) return std::nullopt;
  }
  return path;
}

LastVisitedPidlEntry SplitLastVisitedPidlEntry(const std::uint8_t* data, std::size_t size) {
  const ByteView bytes(data, size);
  LastVisitedPidlEntry entry;
  std::size_t end = 0;
  if (std::optional<std::u16string> program = Utf16TextAt(bytes, 0, &end)) {
    entry.program = std::move(*program);
    entry.idListOffset = end;
    return entry;
  }
  // No terminator: the whole data is the program name, and there is no list.
  for (std::size_t at = 0; bytes.Holds(at, 2); at += 2) {
    entry.program.push_back(static_cast<char16_t>(*bytes.U16(at)));
  }
  entry.idListOffset = bytes.Size();
  return entry;
}

}  // namespace ovalin
