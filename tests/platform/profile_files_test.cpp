// INI files with the rules of GetPrivateProfileStringW and WritePrivateProfileStringW.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "platform/profile_files.h"
#include "support/test_platform.h"

namespace ovalin::platform {
namespace {

using testing::U16;
using testing::U8;

constexpr char kSample[] =
    "; settings written by hand\r\n"
    "[General]\r\n"
    "Name=Value\r\n"
    "  Spaced  =  padded value  \r\n"
    "Quoted=\"quoted value\"\r\n"
    "Single='single'\r\n"
    "HalfQuoted=\"open\r\n"
    "Equation=a=b=c\r\n"
    "Empty=\r\n"
    "NAME=second\r\n"
    "no equals sign\r\n"
    "\r\n"
    "[general]\r\n"
    "Other=hidden by the first section\r\n"
    "[ Padded Section ]\r\n"
    "Key=in padded\r\n"
    "[Last]\r\n"
    "Tail=end";

std::string ReadBytes(FileSystem& files, std::u16string_view path) {
  std::unique_ptr<File> file = files.Open(path, FileOpenMode::kOpenRead);
  if (!file) return "<missing>";
  std::string content;
  char buffer[256];
  std::uint32_t read = 0;
  while (file->Read(buffer, sizeof buffer, &read) && read > 0) content.append(buffer, read);
  return content;
}

std::string Utf16LeWithBom(std::u16string_view text) {
  std::string bytes = "\xFF\xFE";
  for (char16_t c : text) {
    bytes.push_back(static_cast<char>(c & 0xFF));
    bytes.push_back(static_cast<char>(c >> 8));
  }
  return bytes;
}

class ProfileFilesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    file_ = test_.ScratchFolder() + u"Settings.ini";
    test_.CreateFile(file_, kSample);
  }
  ProfileFiles& profiles() { return test_.Get().profiles; }
  FileSystem& files() { return test_.Get().files; }

  testing::TestPlatform test_;
  std::u16string file_;
};

TEST_F(ProfileFilesTest, ReadsValuesByTheWindowsRules) {
  const struct {
    std::u16string section;
    std::u16string key;
    std::optional<std::u16string> expected;
  } cases[] = {
      {u"General", u"Name", u"Value"},
      {u"GENERAL", u"name", u"Value"},  // first match wins over "NAME=second"
      {u"General", u"Spaced", u"padded value"},
      {u" General ", u" Spaced ", u"padded value"},
      {u"General", u"Quoted", u"quoted value"},
      {u"General", u"Single", u"single"},
      {u"General", u"HalfQuoted", u"\"open"},
      {u"General", u"Equation", u"a=b=c"},
      {u"General", u"Empty", u""},
      {u"General", u"Missing", std::nullopt},
      {u"General", u"no equals sign", std::nullopt},
      {u"General", u"Other", std::nullopt},  // only the first [general] counts
      {u"Padded Section", u"Key", u"in padded"},
      {u"Last", u"Tail", u"end"},
      {u"Missing", u"Name", std::nullopt},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(profiles().ReadString(file_, c.section, c.key), c.expected)
        << U8(c.section) << "/" << U8(c.key);
  }
}

TEST_F(ProfileFilesTest, ListsSectionsAndKeys) {
  EXPECT_EQ(profiles().SectionNames(file_),
            (std::vector<std::u16string>{u"General", u"general", u"Padded Section", u"Last"}));
  EXPECT_EQ(profiles().KeyNames(file_, u"general"),
            (std::vector<std::u16string>{u"Name", u"Spaced", u"Quoted", u"Single", u"HalfQuoted",
                                         u"Equation", u"Empty", u"NAME"}));
  EXPECT_TRUE(profiles().KeyNames(file_, u"Missing").empty());
}

TEST_F(ProfileFilesTest, MissingFileReadsAsEmpty) {
  const std::u16string missing = test_.ScratchFolder() + u"Missing.ini";
  EXPECT_EQ(profiles().ReadString(missing, u"General", u"Name"), std::nullopt);
  EXPECT_TRUE(profiles().SectionNames(missing).empty());
  EXPECT_TRUE(profiles().KeyNames(missing, u"General").empty());
  EXPECT_TRUE(profiles().DeleteKey(missing, u"General", u"Name"));
  EXPECT_TRUE(profiles().EraseSection(missing, u"General"));
  EXPECT_EQ(files().Probe(missing), PathKind::kMissing) << "deleting creates nothing";
}

TEST_F(ProfileFilesTest, WritesKeepEverythingElse) {
  ASSERT_TRUE(profiles().WriteString(file_, u"general", u"name", u"Changed"));
  ASSERT_TRUE(profiles().WriteString(file_, u"General", u"Added", u"x=1"));
  ASSERT_TRUE(profiles().WriteString(file_, u"Last", u"Tail2", u"after"));
  ASSERT_TRUE(profiles().WriteString(file_, u"New Section", u"Key", u"new"));

  EXPECT_EQ(profiles().ReadString(file_, u"General", u"Name"), u"Changed");
  EXPECT_EQ(profiles().ReadString(file_, u"General", u"Added"), u"x=1");
  EXPECT_EQ(profiles().ReadString(file_, u"General", u"Spaced"), u"padded value");
  EXPECT_EQ(profiles().ReadString(file_, u"General", u"Quoted"), u"quoted value");
  EXPECT_EQ(profiles().ReadString(file_, u"Last", u"Tail"), u"end");
  EXPECT_EQ(profiles().ReadString(file_, u"Last", u"Tail2"), u"after");
  EXPECT_EQ(profiles().ReadString(file_, u"New Section", u"KEY"), u"new");
  EXPECT_EQ(profiles().KeyNames(file_, u"General").back(), u"Added");
  EXPECT_EQ(profiles().SectionNames(file_).back(), u"New Section");

  const std::string bytes = ReadBytes(files(), file_);
  EXPECT_EQ(bytes.rfind("; settings written by hand\r\n", 0), 0u) << bytes;
  if (test_.IsSubstitute()) {
    // Untouched lines stay byte for byte, as Windows keeps them (Wine rewrites the
    // whole file with blanks trimmed); a new key follows the section's last line.
    EXPECT_EQ(bytes,
              "; settings written by hand\r\n"
              "[General]\r\n"
              "Name=Changed\r\n"
              "  Spaced  =  padded value  \r\n"
              "Quoted=\"quoted value\"\r\n"
              "Single='single'\r\n"
              "HalfQuoted=\"open\r\n"
              "Equation=a=b=c\r\n"
              "Empty=\r\n"
              "NAME=second\r\n"
              "no equals sign\r\n"
              "Added=x=1\r\n"
              "\r\n"
              "[general]\r\n"
              "Other=hidden by the first section\r\n"
              "[ Padded Section ]\r\n"
              "Key=in padded\r\n"
              "[Last]\r\n"
              "Tail=end\r\n"
              "Tail2=after\r\n"
              "[New Section]\r\n"
              "Key=new\r\n");
  }
}

TEST_F(ProfileFilesTest, DeletesKeysAndErasesSections) {
  ASSERT_TRUE(profiles().DeleteKey(file_, u"GENERAL", u"QUOTED"));
  EXPECT_EQ(profiles().ReadString(file_, u"General", u"Quoted"), std::nullopt);
  EXPECT_EQ(profiles().ReadString(file_, u"General", u"Single"), u"single");
  EXPECT_TRUE(profiles().DeleteKey(file_, u"General", u"NoSuchKey"));

  ASSERT_TRUE(profiles().EraseSection(file_, u"General"));
  EXPECT_EQ(profiles().ReadString(file_, u"General", u"Name"), std::nullopt);
  EXPECT_EQ(profiles().SectionNames(file_),
            (std::vector<std::u16string>{u"general", u"Padded Section", u"Last"}))
      << "only the first section of that name goes";
  EXPECT_EQ(profiles().ReadString(file_, u"General", u"Other"), u"hidden by the first section");
  EXPECT_EQ(profiles().ReadString(file_, u"Last", u"Tail"), u"end");
  EXPECT_TRUE(profiles().EraseSection(file_, u"NoSuchSection"));
}

TEST_F(ProfileFilesTest, CreatesFilesThatKeepAnyText) {
  const std::u16string created = test_.ScratchFolder() + u"Created.ini";
  const std::u16string text = U16("Grüße, Привет, 中文");
  ASSERT_TRUE(profiles().WriteString(created, u"2010-03-07 14:05:09", u"Description", text));
  ASSERT_TRUE(profiles().WriteString(created, u"2010-03-07 14:05:09", u"IsRescued", u"False"));
  EXPECT_EQ(profiles().ReadString(created, u"2010-03-07 14:05:09", u"Description"), text);
  EXPECT_EQ(profiles().KeyNames(created, u"2010-03-07 14:05:09"),
            (std::vector<std::u16string>{u"Description", u"IsRescued"}));
  EXPECT_EQ(ReadBytes(files(), created).substr(0, 2), "\xFF\xFE");
}

TEST_F(ProfileFilesTest, ReadsAndWritesUtf16Files) {
  const std::u16string path = test_.ScratchFolder() + u"Unicode.ini";
  test_.CreateFile(path, Utf16LeWithBom(U16("[Strings]\r\nGreeting=Grüße\r\nKeep=Ωmega\r\n")));
  EXPECT_EQ(profiles().ReadString(path, u"strings", u"greeting"), U16("Grüße"));
  ASSERT_TRUE(profiles().WriteString(path, u"Strings", u"Greeting", U16("Привет")));
  EXPECT_EQ(profiles().ReadString(path, u"Strings", u"Greeting"), U16("Привет"));
  EXPECT_EQ(profiles().ReadString(path, u"Strings", u"Keep"), U16("Ωmega"));
  EXPECT_EQ(ReadBytes(files(), path),
            Utf16LeWithBom(U16("[Strings]\r\nGreeting=Привет\r\nKeep=Ωmega\r\n")));
}

TEST_F(ProfileFilesTest, RefusesLineBreaksThatWouldForgeLines) {
  EXPECT_FALSE(profiles().WriteString(file_, u"General", u"Name", u"x\r\n[Injected]\r\nA=b"));
  EXPECT_FALSE(profiles().WriteString(file_, u"General", u"Two\nLines", u"x"));
  EXPECT_FALSE(profiles().WriteString(file_, u"A\rB", u"Key", u"x"));
  EXPECT_EQ(profiles().ReadString(file_, u"General", u"Name"), u"Value");
  EXPECT_EQ(ReadBytes(files(), file_), kSample);
}

}  // namespace
}  // namespace ovalin::platform
