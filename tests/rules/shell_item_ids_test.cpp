#include "rules/shell_item_ids.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "id_list_builder.h"
#include "support/test_platform.h"

namespace ovalin::testing {
namespace {

Bytes FromHex(std::string_view hex) {
  Bytes bytes;
  for (std::size_t at = 0; at + 1 < hex.size(); at += 2) {
    bytes.push_back(
        static_cast<std::uint8_t>(std::stoi(std::string(hex.substr(at, 2)), nullptr, 16)));
  }
  return bytes;
}

// My Computer, C:\, then the entries, terminated.
Bytes OnDriveC(const std::vector<FileEntry>& entries) {
  IdListBuilder list;
  list.MyComputer().Volume();
  for (const FileEntry& entry : entries) list.Entry(entry);
  return list.Terminated();
}

// Decodes an exact-size copy, so that the sanitizers catch a read past the end.
std::optional<std::u16string> Decode(const Bytes& list) {
  const Bytes copy(list);
  return FileSystemPathOfIdList(copy.data(), copy.size());
}

// Lists as a Windows 10 file dialog wrote them (public forensic test hive).
// LastVisitedPidlMRU, without its program name: My Computer, C:\, Training.
constexpr std::string_view kRealTrainingFolder =
    "14001f50e04fd020ea3a6910a2d808002b30309d19002f433a5c0000000000000000000000000000000000"
    "00005a003100000000001853cb751000547261696e696e670000420009000400efbef452aa34195398432e"
    "000000164e010000000e0000000000000000000000000000007c56c90054007200610069006e0069006e00"
    "6700000018000000";
// OpenSavePidlMRU\exe: C:\Projects\111.exe.
constexpr std::string_view kRealProjectsFile =
    "14001f50e04fd020ea3a6910a2d808002b30309d19002f433a5c0000000000000000000000000000000000"
    "00005a00310000000000ad52786b100050726f6a656374730000420009000400efbead52786b195371742e"
    "00000043b50000000002000000000000000000000000000000802b9c00500072006f006a00650063007400"
    "7300000018005600320000000000000000008000313131"
    "2e65786500400009000400efbe00000000000000002e000000000000000000000000000000000000000000"
    "00000000000000003100310031002e00650078006500000016000000";
// OpenSavePidlMRU\jpg: a file in the Pictures known folder, with a UTF-16 primary name.
constexpr std::string_view kRealPicturesFile =
    "14001f50e04fd020ea3a6910a2d808002b30309d14002e80d43aad2469a5304598e1ab02f9417aa8760036"
    "0000000000000000008000d005d905d905dc052000d205d505dc05df052e006a007000670000004c000900"
    "0400efbe00000000000000002e000000000000000000000000000000000000000000000000000000000000"
    "d005d905d905dc052000d205d505dc05df052e006a007000670000002a000000";

struct DecodeCase {
  const char* name;
  Bytes list;
  std::optional<std::u16string> path;  // nullopt: cannot tell
};

TEST(FileSystemPathOfIdList, DecodesPlainFileSystemListsAndNothingElse) {
  const std::u16string hebrew = u"\u05de\u05e1\u05de\u05da.docx";
  const DecodeCase cases[] = {
      {"real folder", FromHex(kRealTrainingFolder), u"C:\\Training"},
      {"real file", FromHex(kRealProjectsFile), u"C:\\Projects\\111.exe"},
      {"real known folder", FromHex(kRealPicturesFile), std::nullopt},
      {"drive root", IdListBuilder().MyComputer().Volume("D:\\").Terminated(), u"D:\\"},
      {"long names", IdListBuilder().Path(u"C:\\Program Files\\Read me now.txt").Terminated(),
       u"C:\\Program Files\\Read me now.txt"},
      {"long name beyond ASCII",
       IdListBuilder().MyComputer().Volume().File(hebrew, "C8B0~1.DOC").Terminated(),
       u"C:\\" + hebrew},
      {"8.3 name only",
       OnDriveC({FileEntry::ShortOnly(0x31, "DATA"), FileEntry::ShortOnly(0x32, "A.TXT")}),
       u"C:\\DATA\\A.TXT"},
      {"8.3 alias only (may not resolve)", OnDriveC({FileEntry::ShortOnly(0x31, "PROGRA~1")}),
       std::nullopt},
      {"8-bit name beyond ASCII only", OnDriveC({FileEntry::ShortOnly(0x31, "CAF\xC9")}),
       std::nullopt},
      {"8-bit name beyond ASCII with a long name",
       IdListBuilder().MyComputer().Volume().Folder(u"Caf\u00e9", "CAF\xC9").Terminated(),
       u"C:\\Caf\u00e9"},
      {"UTF-16 primary names",
       OnDriveC({FileEntry::Utf16Only(0x35, u"Dossier \u00e9t\u00e9"),
                 FileEntry::Utf16Only(0x36, hebrew)}),
       u"C:\\Dossier \u00e9t\u00e9\\" + hebrew},
      {"Vista block (version 7)", OnDriveC({FileEntry::WithLongName(0x31, u"Seven", 7)}),
       u"C:\\Seven"},
      {"Windows 7 block (version 8)", OnDriveC({FileEntry::WithLongName(0x31, u"Eight", 8)}),
       u"C:\\Eight"},
      {"XP block (version 3)", OnDriveC({FileEntry::WithLongName(0x31, u"Three", 3)}),
       u"C:\\Three"},
      {"unknown block version", OnDriveC({FileEntry::WithLongName(0x31, u"Ten", 10)}),
       std::nullopt},
      {"known folder of My Computer",
       IdListBuilder().MyComputer().KnownFolder(kDownloads).File(u"a.txt").Terminated(),
       std::nullopt},
      {"network root", IdListBuilder().Root(kNetwork).Item({0xC3, 0x01, 0x80}).Terminated(),
       std::nullopt},
      {"no root item", IdListBuilder().Volume().Folder(u"Windows").Terminated(), std::nullopt},
      {"My Computer alone", IdListBuilder().MyComputer().Terminated(), std::nullopt},
      {"empty list (the desktop)", IdListBuilder().Terminated(), std::nullopt},
      {"volume without a name", IdListBuilder().MyComputer().Volume("C:\\", 0x2E).Terminated(),
       std::nullopt},
      {"volume that is no drive", IdListBuilder().MyComputer().Volume("1:\\").Terminated(),
       std::nullopt},
      {"volume name longer than a drive", IdListBuilder().MyComputer().Volume("C:\\x").Terminated(),
       std::nullopt},
      {"junction folder", OnDriveC({FileEntry::WithLongName(0xB1, u"Vault")}), std::nullopt},
      {"item after a file (archive contents)",
       IdListBuilder().Path(u"C:\\a.zip").File(u"inner.txt").Terminated(), std::nullopt},
      {"archive item", IdListBuilder().Path(u"C:\\a.zip").Item({0x52, 0x67}).Terminated(),
       std::nullopt},
      {"URI item", IdListBuilder().MyComputer().Item({0x61, 0x80, 0, 0}).Terminated(),
       std::nullopt},
      {"control panel item", IdListBuilder().Item({0x71, 0x00, 0x01}).Terminated(), std::nullopt},
      {"network location after the drive",
       IdListBuilder().MyComputer().Volume().Item({0x41, 0, 0, 'x', 0}).Terminated(), std::nullopt},
      {"parent-folder name", IdListBuilder().MyComputer().Volume().Folder(u"..").Terminated(),
       std::nullopt},
      {"name with a backslash", IdListBuilder().MyComputer().Volume().Folder(u"a\\b").Terminated(),
       std::nullopt},
      {"name with a colon",
       IdListBuilder().MyComputer().Volume().File(u"a.txt:stream").Terminated(), std::nullopt},
      {"missing terminator", IdListBuilder().Path(u"C:\\Windows\\").Unterminated(), std::nullopt},
      {"no data", {}, std::nullopt},
      {"one byte", {0x00}, std::nullopt},
      {"item of size 1", {0x01, 0x00, 0x00, 0x00}, std::nullopt},
      {"item of size 2", {0x02, 0x00, 0x00, 0x00}, std::nullopt},
      {"item size past the end", {0x14, 0x00, 0x1F, 0x50, 0x00, 0x00}, std::nullopt},
  };
  for (const DecodeCase& c : cases) {
    const std::optional<std::u16string> path = Decode(c.list);
    EXPECT_EQ(path.has_value(), c.path.has_value()) << c.name;
    if (path && c.path) {
      EXPECT_EQ(U8(*path), U8(*c.path)) << c.name;
    }
  }
}

TEST(FileSystemPathOfIdList, BrokenBlocksAndSizesGiveNoPath) {
  const Bytes good = IdListBuilder().Path(u"C:\\Users\\Public\\x.txt").Terminated();
  ASSERT_EQ(Decode(good), std::optional<std::u16string>(u"C:\\Users\\Public\\x.txt"));
  // Every shorter prefix lacks part of an item or the terminator.
  for (std::size_t length = 0; length < good.size(); ++length) {
    EXPECT_EQ(Decode(Bytes(good.begin(), good.begin() + length)), std::nullopt) << length;
  }
  // A long-name block whose trailing offset disagrees with where it stands, or whose
  // size runs past its item, is not a layout we know.
  Bytes list = IdListBuilder().MyComputer().Volume().Folder(u"Folder", "F").Terminated();
  const std::size_t folderItem = 0x14 + 0x19;
  const std::size_t itemSize = list[folderItem] | (list[folderItem + 1] << 8);
  Bytes wrongOffset = list;
  wrongOffset[folderItem + itemSize - 2] ^= 0x01;
  EXPECT_EQ(Decode(wrongOffset), std::nullopt);
  Bytes blockTooLong = list;
  blockTooLong[folderItem + 16] = 0xFF;  // the block's size, just after "F\0"
  EXPECT_EQ(Decode(blockTooLong), std::nullopt);
  // An item size that makes the next item start inside this one's data.
  Bytes shrunk = list;
  shrunk[folderItem] = static_cast<std::uint8_t>(itemSize - 6);
  EXPECT_EQ(Decode(shrunk), std::nullopt);
}

TEST(SplitLastVisitedPidlEntry, SplitsTheProgramNameFromTheList) {
  Bytes value;
  PutUtf16(value, u"notepad.exe");
  const Bytes list = IdListBuilder().Path(u"C:\\Docs\\").Terminated();
  value.insert(value.end(), list.begin(), list.end());
  LastVisitedPidlEntry entry = SplitLastVisitedPidlEntry(value.data(), value.size());
  EXPECT_EQ(entry.program, u"notepad.exe");
  EXPECT_EQ(entry.idListOffset, 24u);
  EXPECT_EQ(
      FileSystemPathOfIdList(value.data() + entry.idListOffset, value.size() - entry.idListOffset),
      std::optional<std::u16string>(u"C:\\Docs"));

  // Without a terminator, all of the data is the name and no list follows; an odd last
  // byte is not part of any character.
  const Bytes unterminated = {'a', 0, 'b', 0, 'c'};
  entry = SplitLastVisitedPidlEntry(unterminated.data(), unterminated.size());
  EXPECT_EQ(entry.program, u"ab");
  EXPECT_EQ(entry.idListOffset, unterminated.size());
  entry = SplitLastVisitedPidlEntry(nullptr, 0);
  EXPECT_EQ(entry.program, u"");
  EXPECT_EQ(entry.idListOffset, 0u);
}

}  // namespace
}  // namespace ovalin::testing
