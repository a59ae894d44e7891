#include "engine/text_utils.h"

#include <gtest/gtest.h>

#include "support/test_platform.h"

namespace ovalin {
namespace {

using testing::U16;
using testing::U8;

TEST(TextUtils, SubstringsClampTheirArguments) {
  struct Case { const char* s; long long start, count; const char* expected; };
  const Case cases[] = {
      {"abcdef", 2, 3, "cde"},   {"abcdef", -3, 5, "abcde"}, {"abcdef", 4, 10, "ef"},
      {"abcdef", 6, 1, ""},      {"abcdef", 0, 0, ""},       {"abcdef", 1, -1, ""},
      {"", 0, 5, ""},            {"abcdef", 0, 6, "abcdef"}, {"abcdef", 5, 1, "f"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(U8(StrSub(U16(c.s), c.start, c.count)), c.expected)
        << c.s << " " << c.start << " " << c.count;
  }
  EXPECT_EQ(U8(StrTail(u"abcdef", 3)), "def");
  EXPECT_EQ(U8(StrDelete(u"abcdef", 1, 2)), "adef");
}

TEST(TextUtils, FindGivesZeroBasedIndexesAndTheFromQuirk) {
  EXPECT_EQ(StrFind(u"HKEY_USERS\\x", u"\\"), 10);
  EXPECT_EQ(StrFind(u"HKEY_USERS", u"\\"), -1);
  EXPECT_EQ(StrFind(u"", u"x"), -1);
  EXPECT_EQ(StrFindFrom(u"\"a\"", u"\"", 1), 2);
  EXPECT_EQ(StrFindFrom(u"\"\"", u"\"", 1), 1);
  // Not found after start gives start - 1.
  EXPECT_EQ(StrFindFrom(u"abc", u"x", 1), 0);
  EXPECT_EQ(StrFindFrom(u"abc", u"a", 3), -1);
}

TEST(TextUtils, TrimAndSplit) {
  EXPECT_EQ(U8(StrTrimChars(u"  a b  ", u" ")), "a b");
  EXPECT_EQ(U8(StrTrimChars(u"\"x\"", u"\"")), "x");
  EXPECT_EQ(U8(StrTrimChars(u"   ", u" ")), "");
  const auto pieces = StrSplitChars(u",a,,b,", u",");
  ASSERT_EQ(pieces.size(), 2u);
  EXPECT_EQ(U8(pieces[0]), "a");
  EXPECT_EQ(U8(pieces[1]), "b");
  EXPECT_TRUE(StrSplitChars(u"", u",").empty());
  EXPECT_EQ(StrSplitChars(u"a b").size(), 2u);
}

TEST(TextUtils, CompareTextFoldsOnlyAsciiLetters) {
  EXPECT_EQ(StrCompareText(u"Software", u"SOFTWARE"), 0);
  EXPECT_LT(StrCompareText(u"abc", u"ABD"), 0);
  EXPECT_GT(StrCompareText(u"abcd", u"ABC"), 0);
  EXPECT_NE(StrCompareText(u"\u00e9", u"\u00c9"), 0);
  // '_' (0x5F) sorts after the upper-case letters it is compared with.
  EXPECT_GT(StrCompareText(u"a_", u"AZ"), 0);
  EXPECT_EQ(U8(StrUpper(u"abc\u00e9")), U8(u"ABC\u00e9"));
}

TEST(TextUtils, Backslashes) {
  EXPECT_EQ(U8(PathAddBackslash(u"")), "");
  EXPECT_EQ(U8(PathAddBackslash(u"C:\\")), "C:\\");
  EXPECT_EQ(U8(PathAddBackslash(u"C:\\x")), "C:\\x\\");
  EXPECT_EQ(U8(PathRemoveBackslash(u"")), "");
  EXPECT_EQ(U8(PathRemoveBackslash(u"a\\\\")), "a\\");
  EXPECT_EQ(U8(PathRemoveBackslash(u"a")), "a");
}

TEST(TextUtils, FileNameParts) {
  EXPECT_EQ(U8(FileBaseName(u"C:\\old.dir\\name")), "name");
  EXPECT_EQ(U8(FileBaseName(u"C:\\a\\b.tar.gz")), "b.tar");
  EXPECT_EQ(U8(FileBaseName(u"C:file.txt")), "file");
  EXPECT_EQ(U8(FileFolder(u"C:\\a\\b.txt")), "C:\\a\\");
  EXPECT_EQ(U8(FileFolder(u"b.txt")), "");
  EXPECT_EQ(U8(FileFolder(u"C:b.txt")), "C:\\");
}

TEST(TextUtils, EscapesEncodeAndDecode) {
  struct Case { std::u16string plain; std::u16string encoded; };
  const Case encodeCases[] = {
      {u"a\rb", u"a\\nb"},       {u"a\r\nb", u"a\\nb"},    {u"a\nb", u"a\\nb"},
      {u"\t\b\v\f", u"\\t\\b\\v\\f"}, {u"a\\b", u"a\\\\b"},
      {std::u16string(u"a\0b", 3), std::u16string(u"a\0b", 3)},
  };
  for (const auto& c : encodeCases) EXPECT_EQ(StrEscapes(c.plain, false), c.encoded);
  const Case decodeCases[] = {
      {u"a\r\nb", u"a\\nb"},  {u"a\\qb", u"a\\qb"}, {u"a\\", u"a\\"},
      {u"a\\b", u"a\\\\b"},   {std::u16string(u"\0", 1), u"\\0"},
      {u"\t\v\b\f", u"\\t\\v\\b\\f"},
  };
  for (const auto& c : decodeCases) EXPECT_EQ(StrEscapes(c.encoded, true), c.plain);
}

TEST(TextUtils, Utf8RoundTrip) {
  const std::u16string text = u"Grüße \u4e2d\u6587 \U0001F600";
  EXPECT_EQ(FromUtf8(ToUtf8(text)), text);
  EXPECT_EQ(FromUtf8("\xff"), u"\ufffd");
  EXPECT_EQ(ToUtf8(std::u16string(1, char16_t(0xD800))), "\xef\xbf\xbd");
}

TEST(TextUtils, FileSizeAndTruncate) {
  testing::TestPlatform test;
  const std::u16string name = test.ScratchFolder() + u"size.bin";
  test.CreateFile(name, "0123456789");
  std::uint64_t size = 0;
  ASSERT_TRUE(FileSizeOf(test.Get().files, name, &size));
  EXPECT_EQ(size, 10u);
  EXPECT_FALSE(FileSizeOf(test.Get().files, u"", &size));
  EXPECT_FALSE(FileSizeOf(test.Get().files, test.ScratchFolder() + u"missing", &size));

  auto file = test.Get().files.Open(name, platform::FileOpenMode::kOpenReadWrite);
  ASSERT_TRUE(file);
  ASSERT_TRUE(file->Seek(2));
  FileTruncateAt(file.get(), 6);
  EXPECT_EQ(file->Position(), 2u);  // the earlier position is kept
  ASSERT_TRUE(file->Size(&size));
  EXPECT_EQ(size, 6u);
  ASSERT_TRUE(file->Seek(5));
  FileTruncateAt(file.get(), 3);
  EXPECT_EQ(file->Position(), 3u);
  FileTruncateAt(nullptr, 3);
}

TEST(TextUtils, AppFolderAndExpansion) {
  testing::TestPlatform test;
  const std::u16string folder = AppFolder(test.Get().system);
  ASSERT_FALSE(folder.empty());
  EXPECT_EQ(folder.back(), u'\\');
  EXPECT_EQ(ExpandEnvVars(test.Get().system, u""), u"");
  EXPECT_EQ(ExpandEnvVars(test.Get().system, u"%OVALIN_UNSET_VARIABLE%\\x"),
            u"%OVALIN_UNSET_VARIABLE%\\x");
  const std::u16string windir = ExpandEnvVars(test.Get().system, u"%windir%");
  EXPECT_NE(windir, u"%windir%");
  EXPECT_EQ(StrCompareText(StrSub(windir, 1, 2), u":\\"), 0);
}

}  // namespace
}  // namespace ovalin
