// Finding ids: stable digests of what a finding claims, independent of its position.
#include "engine/finding_id.h"

#include <gtest/gtest.h>

namespace ovalin {
namespace {

TRCScannedItem Finding(std::uint32_t code, std::u16string path, std::u16string name,
                       std::u16string value, std::u16string title = u"title") {
  TRCScannedItem item;
  item.ScannedCode = code;
  item.Path = std::move(path);
  item.ValueName = std::move(name);
  item.Value = std::move(value);
  item.Title = std::move(title);
  return item;
}

TEST(FindingId, IsTheDocumentedDigest) {
  const TRCScannedItem item =
      Finding(0x8537, u"HKEY_LOCAL_MACHINE\\SOFTWARE\\X", u"C:\\A.dll", u"Value");
  EXPECT_EQ(FindingIdentity(item),
            u"00008537\x1F"
            u"hkey_local_machine\\software\\x\x1F"
            u"c:\\a.dll\x1F"
            u"Value");
  // FNV-1a 64 of the identity's UTF-8 (computed independently).
  EXPECT_EQ(FindingId(item), "1c72388286be3b80");
}

TEST(FindingId, WhatMakesTwoFindingsTheSame) {
  const TRCScannedItem base = Finding(0x8537, u"HKEY_CLASSES_ROOT\\Key", u"Name", u"Data");
  const struct {
    const char* what;
    TRCScannedItem other;
    bool same;
  } cases[] = {
      {"another title", Finding(0x8537, u"HKEY_CLASSES_ROOT\\Key", u"Name", u"Data", u"t2"), true},
      {"path in other case", Finding(0x8537, u"hkey_classes_root\\KEY", u"Name", u"Data"), true},
      {"value name in other case", Finding(0x8537, u"HKEY_CLASSES_ROOT\\Key", u"NAME", u"Data"),
       true},
      {"value in other case", Finding(0x8537, u"HKEY_CLASSES_ROOT\\Key", u"Name", u"DATA"), false},
      {"another code", Finding(0x8538, u"HKEY_CLASSES_ROOT\\Key", u"Name", u"Data"), false},
      {"the 32-bit view", Finding(0x8537, u"HKEY_CLASSES_ROOT\\WOW6432Node\\Key", u"Name", u"Data"),
       false},
      {"text moved between fields", Finding(0x8537, u"HKEY_CLASSES_ROOT\\KeyN", u"ame", u"Data"),
       false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FindingId(c.other) == FindingId(base), c.same) << c.what;
    EXPECT_EQ(FindingIdentity(c.other) == FindingIdentity(base), c.same) << c.what;
  }
  TRCScannedItem deleted = base;
  deleted.Deleted = true;
  EXPECT_EQ(FindingId(deleted), FindingId(base));
}

}  // namespace
}  // namespace ovalin
