#include "engine/reg_access.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>

#include "support/test_platform.h"

namespace ovalin {
namespace {

using testing::U16;
using testing::U8;

TEST(SplitRegPath, RootsAndSubkeys) {
  struct Case { const char* path; RegKey root; const char* subKey; };
  const Case cases[] = {
      {"hkey_local_machine\\Software", platform::kLocalMachine, "Software"},
      {"HKEY_CLASSES_ROOT", platform::kClassesRoot, ""},
      {"HKEY_CURRENT_USER\\", platform::kCurrentUser, ""},
      {"HKEY_USERS\\.DEFAULT\\", platform::kUsers, ".DEFAULT\\"},
      {"HKEY_CURRENT_CONFIG\\a\\b", platform::kCurrentConfig, "a\\b"},
      {"HKLM\\Software", 0, "Software"},
      {"HKEY_PERFORMANCE_DATA\\x", 0, "x"},
      {"\\Software", 0, ""},
      {"", 0, ""},
  };
  for (const auto& c : cases) {
    const SplitPath split = SplitRegPath(U16(c.path));
    EXPECT_EQ(split.root, c.root) << c.path;
    if (split.root != 0) {
      EXPECT_EQ(U8(split.subKey), c.subKey) << c.path;
    }
  }
  EXPECT_EQ(U8(RootName(platform::kLocalMachine)), "HKEY_LOCAL_MACHINE");
  EXPECT_EQ(RootName(12345), u"");
}

TEST(DataTypeOf, ClassesFollowTheRawCode) {
  EXPECT_EQ(DataTypeOf(1), RegDataType::kString);
  EXPECT_EQ(DataTypeOf(2), RegDataType::kExpandString);
  EXPECT_EQ(DataTypeOf(3), RegDataType::kBinary);
  EXPECT_EQ(DataTypeOf(4), RegDataType::kInteger);
  for (std::uint32_t other : {0u, 5u, 6u, 7u, 11u, 0x1234u}) {
    EXPECT_EQ(DataTypeOf(other), RegDataType::kUnknown) << other;
  }
}

// Every case works below its own scratch key of HKEY_CURRENT_USER, on the substitute
// natively and on the real registry under Wine.
class RegAccessTest : public ::testing::Test {
 protected:
  void SetUp() override {
    static int counter = 0;
    base_ = u"Software\\OvalinTests\\RegAccess" + U16(std::to_string(++counter));
    test_.RemoveKeyAtEnd(u"HKEY_CURRENT_USER\\" + base_);
    RegAccess setup(Registry());
    setup.SetRootKey(platform::kCurrentUser);
    ASSERT_TRUE(setup.OpenKey(base_, true));
  }
  platform::Registry& Registry() { return test_.Get().registry; }
  // A RegAccess with the scratch key open.
  std::unique_ptr<RegAccess> OpenBase() {
    auto access = std::make_unique<RegAccess>(Registry());
    access->SetRootKey(platform::kCurrentUser);
    EXPECT_TRUE(access->OpenKey(base_, false));
    return access;
  }

  testing::TestPlatform test_;
  std::u16string base_;
};

TEST_F(RegAccessTest, OpenKeyCreatesMissingParentsOnlyWhenAsked) {
  auto access = OpenBase();
  const RegKey base = access->CurrentKey();
  RegAccess child(Registry());
  child.SetRootKey(base);
  EXPECT_FALSE(child.OpenKey(u"A\\B\\C", false));
  EXPECT_EQ(child.CurrentKey(), 0u);
  ASSERT_TRUE(child.OpenKey(u"A", true));
  ASSERT_TRUE(child.OpenKey(u"B\\C", true));  // relative to the open key A
  EXPECT_TRUE(access->KeyExists(u"a\\b\\c"));  // names ignore case
  EXPECT_FALSE(access->KeyExists(u"a\\c"));
  // A leading backslash is relative to the root, not to the open key.
  EXPECT_TRUE(child.OpenKey(u"\\A\\B", false));
  EXPECT_TRUE(child.KeyExists(u"C"));
}

TEST_F(RegAccessTest, FailedOpenKeepsThePreviousKey) {
  auto access = OpenBase();
  const RegKey before = access->CurrentKey();
  EXPECT_FALSE(access->OpenKey(u"missing", false));
  EXPECT_EQ(access->CurrentKey(), before);
}

TEST_F(RegAccessTest, OpeningTheEmptyPathOfARootOpensTheRoot) {
  RegAccess access(Registry());
  const SplitPath split = SplitRegPath(u"HKEY_CURRENT_USER");
  access.SetRootKey(split.root);
  ASSERT_TRUE(access.OpenKey(split.subKey, false));
  EXPECT_TRUE(access.KeyExists(u"Software"));
}

TEST_F(RegAccessTest, EnumeratesSubkeysAndValues) {
  auto access = OpenBase();
  for (const char16_t* name : {u"beta", u"Alpha", u"gamma"}) {
    RegAccess child(Registry());
    child.SetRootKey(access->CurrentKey());
    ASSERT_TRUE(child.OpenKey(name, true));
  }
  ASSERT_TRUE(access->WriteString(u"z", u"last"));
  ASSERT_TRUE(access->WriteString(u"", u"default"));
  ASSERT_TRUE(access->WriteInteger(u"a", 7));
  const auto keys = access->GetKeyNames();
  ASSERT_EQ(keys.size(), 3u);
  EXPECT_EQ(U8(keys[0]), "Alpha");
  EXPECT_EQ(U8(keys[1]), "beta");
  EXPECT_EQ(U8(keys[2]), "gamma");
  auto values = access->GetValueNames();
  std::sort(values.begin(), values.end());
  ASSERT_EQ(values.size(), 3u);
  EXPECT_EQ(U8(values[0]), "");
  RegKeyInfo info;
  ASSERT_TRUE(access->GetKeyInfo(&info));
  EXPECT_EQ(info.numSubKeys, 3u);
  EXPECT_EQ(info.numValues, 3u);
  EXPECT_EQ(info.maxDataLen, 16u);  // "default" and its NUL
}

TEST_F(RegAccessTest, DataInfoAndReads) {
  auto access = OpenBase();
  const RegKey key = access->CurrentKey();
  const std::uint8_t multi[] = {'a', 0, 0, 0, 0, 0};
  ASSERT_TRUE(WriteValueData(Registry(), key, u"multi", platform::kRegMultiSz, multi, 6));
  ASSERT_TRUE(access->WriteInteger(u"dword", -1));
  ASSERT_TRUE(access->WriteExpandString(u"expand", u"%windir%\\x"));
  const std::uint8_t binary[] = {1, 2, 3};
  ASSERT_TRUE(WriteValueData(Registry(), key, u"binary", platform::kRegBinary, binary, 3));
  const std::uint8_t twoStrings[] = {'a', 0, 0, 0, 'b', 0, 0, 0};
  ASSERT_TRUE(WriteValueData(Registry(), key, u"nul", platform::kRegSz, twoStrings, 8));
  ASSERT_TRUE(WriteValueData(Registry(), key, u"empty", platform::kRegSz, nullptr, 0));

  RegDataType type;
  std::uint32_t size;
  ASSERT_TRUE(access->GetDataInfo(u"multi", &type, &size));
  EXPECT_EQ(type, RegDataType::kUnknown);
  EXPECT_EQ(size, 6u);
  ASSERT_TRUE(access->GetDataInfo(u"DWORD", &type, &size));
  EXPECT_EQ(type, RegDataType::kInteger);
  EXPECT_EQ(size, 4u);
  EXPECT_FALSE(access->GetDataInfo(u"missing", &type, &size));
  EXPECT_EQ(type, RegDataType::kUnknown);
  EXPECT_EQ(size, 0u);
  EXPECT_EQ(access->GetDataSize(u"missing"), -1);
  EXPECT_EQ(access->GetDataType(u"expand"), RegDataType::kExpandString);

  EXPECT_EQ(U8(access->ReadString(u"expand")), "%windir%\\x");  // never expanded
  EXPECT_EQ(U8(access->ReadString(u"nul")), "a");               // up to the first NUL
  EXPECT_EQ(access->ReadString(u"empty"), u"");
  EXPECT_THROW(access->ReadString(u"dword"), RegistryError);
  EXPECT_THROW(access->ReadString(u"missing"), RegistryError);

  std::uint8_t buffer[8] = {};
  EXPECT_EQ(access->ReadBinaryData(u"binary", buffer, sizeof buffer), 3u);
  EXPECT_EQ(buffer[2], 3);
  EXPECT_EQ(access->ReadBinaryData(u"multi", buffer, sizeof buffer), 6u);
  EXPECT_EQ(access->ReadBinaryData(u"missing", buffer, sizeof buffer), 0u);
  EXPECT_THROW(access->ReadBinaryData(u"binary", buffer, 2), RegistryError);
  EXPECT_THROW(access->ReadBinaryData(u"dword", buffer, sizeof buffer), RegistryError);
}

TEST_F(RegAccessTest, RawValueOperations) {
  auto access = OpenBase();
  const RegKey key = access->CurrentKey();
  std::uint32_t type = 99, size = 99;
  EXPECT_TRUE(ReadValueInfo(Registry(), key, u"missing", &type, &size));
  EXPECT_EQ(type, 0u);
  EXPECT_EQ(size, 0u);

  const std::uint8_t odd[] = {9, 8, 7, 6, 5};
  ASSERT_TRUE(WriteValueData(Registry(), key, u"odd", 0x1234, odd, 5));
  ASSERT_TRUE(ReadValueInfo(Registry(), key, u"odd", &type, &size));
  EXPECT_EQ(type, 0x1234u);
  EXPECT_EQ(size, 5u);

  std::uint8_t buffer[5] = {};
  std::uint32_t read = 0;
  EXPECT_FALSE(ReadValueData(Registry(), key, u"odd", buffer, 4, &type, &read));
  EXPECT_FALSE(ReadValueData(Registry(), 0, u"odd", buffer, 5, &type, &read));
  EXPECT_FALSE(ReadValueData(Registry(), key, u"odd", nullptr, 5, &type, &read));
  EXPECT_FALSE(ReadValueData(Registry(), key, u"odd", buffer, 0, &type, &read));
  ASSERT_TRUE(ReadValueData(Registry(), key, u"odd", buffer, 5, &type, &read));
  EXPECT_EQ(read, 5u);
  EXPECT_EQ(buffer[4], 5);
  EXPECT_FALSE(WriteValueData(Registry(), 0, u"x", 1, odd, 2));

  ASSERT_TRUE(WriteValueData(Registry(), key, u"zero", platform::kRegNone, nullptr, 0));
  ASSERT_TRUE(ReadValueInfo(Registry(), key, u"zero", &type, &size));
  EXPECT_EQ(access->GetDataSize(u"zero"), 0);
}

TEST_F(RegAccessTest, DeleteKeyRemovesTheWholeTree) {
  auto access = OpenBase();
  {
    RegAccess child(Registry());
    child.SetRootKey(access->CurrentKey());
    ASSERT_TRUE(child.OpenKey(u"T\\one\\two", true));
    ASSERT_TRUE(child.WriteString(u"v", u"x"));
    ASSERT_TRUE(child.OpenKey(u"\\T\\three", true));
  }
  EXPECT_TRUE(access->DeleteKey(u"T"));
  EXPECT_FALSE(access->KeyExists(u"T"));
  EXPECT_FALSE(access->DeleteKey(u"T"));
  EXPECT_FALSE(access->DeleteKey(u"never-there"));
}

TEST_F(RegAccessTest, DeleteValue) {
  auto access = OpenBase();
  ASSERT_TRUE(access->WriteString(u"v", u"x"));
  EXPECT_TRUE(access->DeleteValue(u"V"));
  EXPECT_FALSE(access->DeleteValue(u"v"));
  RegAccess closed(Registry());
  EXPECT_FALSE(closed.DeleteValue(u"v"));
  EXPECT_FALSE(closed.WriteString(u"v", u"x"));
}

}  // namespace
}  // namespace ovalin
