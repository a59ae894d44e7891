// The texts that explain a finding: its reason in the current language, the 32-bit
// marker, and the tooltip of its row.
#include <gtest/gtest.h>

#include "localisation/finding_texts.h"

namespace ovalin {
namespace {

TEST(FindingTextsTest, ReasonsInTheStringsOfTheCurrentLanguage) {
  TAppStrings strings;
  struct Case {
    ReasonKind kind;
    std::u16string subject;
    std::u16string expected;
  };
  const Case cases[] = {
      {ReasonKind::kNone, u"", u""},
      {ReasonKind::kFileNotFound, u"C:\\x.dll", u"File not found: C:\\x.dll"},
      {ReasonKind::kFolderNotFound, u"C:\\Gone", u"Folder not found: C:\\Gone"},
      {ReasonKind::kKeyNotFound, u"HKEY_CLASSES_ROOT\\CLSID\\{1}",
       u"Key not found: HKEY_CLASSES_ROOT\\CLSID\\{1}"},
      {ReasonKind::kEmptyValue, u"", u"Empty value"},
      {ReasonKind::kEmptyKey, u"", u"Empty key"},
      {ReasonKind::kNotText, u"01 02", u"Not a text value"},
      // A subject on several lines is shown on one.
      {ReasonKind::kFileNotFound, u"C:\\a\r\nb", u"File not found: C:\\a  b"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ReasonDisplayText(strings, FindingReason{c.kind, c.subject}), c.expected)
        << static_cast<int>(c.kind);
  }
  strings.STR_ZUNRCForm_Reason_FileNotFound = u"Datei nicht gefunden: %s";
  EXPECT_EQ(ReasonDisplayText(strings, {ReasonKind::kFileNotFound, u"C:\\x"}),
            u"Datei nicht gefunden: C:\\x");
  // A pack whose format does not fit gives no text rather than a wrong one.
  strings.STR_ZUNRCForm_Reason_FileNotFound = u"%d";
  EXPECT_EQ(ReasonDisplayText(strings, {ReasonKind::kFileNotFound, u"C:\\x"}), u"");
}

TEST(FindingTextsTest, TheTypeOfA32BitEntryIsMarked) {
  TAppStrings strings;
  EXPECT_EQ(FindingTypeText(strings, u"Invalid File", false), u"Invalid File");
  EXPECT_EQ(FindingTypeText(strings, u"Invalid File", true), u"Invalid File (32-bit)");
  strings.STR_ZUNRCForm_Marker32Bit = u"broken %d";
  EXPECT_EQ(FindingTypeText(strings, u"Invalid File", true), u"Invalid File");
}

TEST(FindingTextsTest, TooltipNamesKeyValueAndReason) {
  TAppStrings strings;
  const FindingReason missing{ReasonKind::kFileNotFound, u"C:\\Tools\\old.exe"};
  EXPECT_EQ(FindingTipText(strings, {u"HKEY_LOCAL_MACHINE\\SOFTWARE\\WOW6432Node\\X", u"Path",
                                     u"C:\\Tools\\old.exe", missing}),
            u"Key: HKEY_LOCAL_MACHINE\\SOFTWARE\\WOW6432Node\\X\r\nName: Path\r\n"
            u"Value: C:\\Tools\\old.exe\r\nFile not found: C:\\Tools\\old.exe");
  // The unnamed value, no data, a reason without subject.
  const FindingReason empty{ReasonKind::kEmptyKey, u""};
  EXPECT_EQ(FindingTipText(strings, {u"HKEY_CLASSES_ROOT\\.xyz", u"", u"", empty}),
            u"Key: HKEY_CLASSES_ROOT\\.xyz\r\nName: (Default)\r\nEmpty key");
  // A long value is cut; the key path never is.
  const std::u16string longPath = u"HKEY_CURRENT_USER\\" + std::u16string(400, u'k');
  const std::u16string tip =
      FindingTipText(strings, {longPath, u"v", std::u16string(5000, u'x'), FindingReason{}});
  EXPECT_NE(tip.find(longPath), std::u16string::npos);
  EXPECT_LT(tip.size(), 1000u);
  EXPECT_NE(tip.find(u"..."), std::u16string::npos);
}

}  // namespace
}  // namespace ovalin
