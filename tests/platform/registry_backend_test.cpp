// The registry backend's contract, checked on whichever registry the test platform
// brings: the substitute natively, the real registry under Wine. Where the real registry
// answers, the substitute must give the same answer.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <thread>
#include <vector>

#include "platform/registry.h"
#include "scratch_key.h"
#include "support/test_platform.h"

#ifndef _WIN32
#include "platform/posix/substitute_registry.h"
#endif

namespace ovalin::testing {
namespace {

using platform::kKeyAllAccess;
using platform::kKeyRead;
using platform::RegKey;
using platform::RegStatus;
using Bytes = std::vector<std::uint8_t>;

class RegistryBackendTest : public ::testing::Test {
 protected:
  platform::Registry& registry() { return platform_.Get().registry; }

  RegStatus Create(std::u16string_view path) {
    KeyHolder key(registry());
    return registry().CreateKey(scratch_.key(), path, kKeyAllAccess, key.receive());
  }
  RegStatus Open(std::u16string_view path, std::uint32_t access = kKeyAllAccess) {
    KeyHolder key(registry());
    return registry().OpenKey(scratch_.key(), path, access, key.receive());
  }
  std::vector<std::u16string> SubkeyNames(RegKey key) {
    std::vector<std::u16string> names;
    std::u16string name;
    for (std::uint32_t i = 0; registry().EnumKey(key, i, &name) == platform::kRegOk; ++i) {
      names.push_back(name);
    }
    return names;
  }
  std::vector<std::u16string> ValueNames(RegKey key) {
    std::vector<std::u16string> names;
    std::u16string name;
    for (std::uint32_t i = 0; registry().EnumValue(key, i, &name) == platform::kRegOk; ++i) {
      names.push_back(name);
    }
    return names;
  }
  RegStatus Set(RegKey key, std::u16string_view name, std::uint32_t type, const Bytes& data) {
    return registry().SetValue(key, name, type, data.data(),
                               static_cast<std::uint32_t>(data.size()));
  }
  // Reads a value whole; type and data of a missing value stay empty.
  RegStatus Read(RegKey key, std::u16string_view name, std::uint32_t* type, Bytes* data) {
    std::uint32_t size = 0;
    RegStatus status = registry().QueryValue(key, name, type, nullptr, &size);
    if (status != platform::kRegOk) return status;
    data->assign(size + 1, 0xCC);  // one spare byte: nothing may be written past size
    status = registry().QueryValue(key, name, type, data->data(), &size);
    EXPECT_EQ(0xCC, data->back());
    data->resize(size);
    return status;
  }

  TestPlatform platform_;
  ScratchKey scratch_{platform_};
};

TEST_F(RegistryBackendTest, CreatesNestedKeysAndOpensThemByAnyCase) {
  ASSERT_EQ(platform::kRegOk, Create(u"Alpha\\Beta\\Gamma"));
  EXPECT_EQ(platform::kRegOk, Open(u"Alpha"));
  EXPECT_EQ(platform::kRegOk, Open(u"alpha\\BETA"));
  EXPECT_EQ(platform::kRegOk, Open(u"ALPHA\\beta\\gAmMa"));
  EXPECT_EQ(platform::kRegFileNotFound, Open(u"Alpha\\Beta\\Gamma\\Delta"));
  EXPECT_EQ(platform::kRegFileNotFound, Open(u"Missing"));

  // Creating an existing key again opens it; the first spelling stays.
  ASSERT_EQ(platform::kRegOk, Create(u"ALPHA\\BETA"));
  KeyHolder alpha(registry());
  ASSERT_EQ(platform::kRegOk, registry().OpenKey(scratch_.key(), u"alpha", kKeyAllAccess,
                                                 alpha.receive()));
  EXPECT_EQ(std::vector<std::u16string>{u"Beta"}, SubkeyNames(alpha.get()));
  EXPECT_EQ(std::vector<std::u16string>{u"Alpha"}, SubkeyNames(scratch_.key()));
}

TEST_F(RegistryBackendTest, MatchesNonAsciiLettersWithoutRegardToCase) {
  ASSERT_EQ(platform::kRegOk, Create(u"\u00C9t\u00E9 \u0416"));  // "Été Ж"
  EXPECT_EQ(platform::kRegOk, Open(u"\u00E9T\u00C9 \u0436"));     // "éTÉ ж"
  KeyHolder key(registry());
  ASSERT_EQ(platform::kRegOk, registry().OpenKey(scratch_.key(), u"\u00C9t\u00E9 \u0416",
                                                 kKeyAllAccess, key.receive()));
  ASSERT_EQ(platform::kRegOk, Set(key.get(), u"\u00C0b", platform::kRegDword, {1, 0, 0, 0}));
  std::uint32_t type = 0;
  Bytes data;
  EXPECT_EQ(platform::kRegOk, Read(key.get(), u"\u00E0B", &type, &data));
}

struct PathCase {
  const char16_t* path;
  RegStatus open;    // what OpenKey gives after "A\B" exists
  RegStatus create;  // what CreateKey gives
  const char16_t* createdKey;  // the key CreateKey made, opened afterwards (or null)
};

// A trailing or doubled backslash is skipped; a leading backslash is a bad path name.
TEST_F(RegistryBackendTest, PathFormsOfOpenAndCreate) {
  const PathCase cases[] = {
      {u"A\\B", platform::kRegOk, platform::kRegOk, nullptr},
      {u"A\\B\\", platform::kRegOk, platform::kRegOk, nullptr},
      {u"A\\B\\\\", platform::kRegOk, platform::kRegOk, nullptr},
      {u"A\\\\B", platform::kRegOk, platform::kRegOk, nullptr},
      {u"", platform::kRegOk, platform::kRegOk, nullptr},
      {u"\\A", platform::kRegBadPathname, platform::kRegBadPathname, nullptr},
      {u"X\\", platform::kRegFileNotFound, platform::kRegOk, u"X"},
      {u"Y\\\\Z", platform::kRegFileNotFound, platform::kRegOk, u"Y\\Z"},
  };
  ASSERT_EQ(platform::kRegOk, Create(u"A\\B"));
  for (const auto& c : cases) {
    SCOPED_TRACE(U8(c.path));
    EXPECT_EQ(c.open, Open(c.path));
    EXPECT_EQ(c.create, Create(c.path));
    if (c.createdKey != nullptr) {
      EXPECT_EQ(platform::kRegOk, Open(c.createdKey));
    }
  }
  // A refused create leaves nothing behind.
  std::vector<std::u16string> expected{u"A", u"X", u"Y"};
  EXPECT_EQ(expected, SubkeyNames(scratch_.key()));
}

TEST_F(RegistryBackendTest, EmptySubkeyOpensTheSameKeyWithAHandleOfItsOwn) {
  KeyHolder same(registry());
  ASSERT_EQ(platform::kRegOk,
            registry().OpenKey(scratch_.key(), u"", kKeyAllAccess, same.receive()));
  EXPECT_NE(scratch_.key(), same.get());
  ASSERT_EQ(platform::kRegOk, Set(same.get(), u"v", platform::kRegDword, {7, 0, 0, 0}));
  same.Close();
  std::uint32_t type = 0;
  Bytes data;
  EXPECT_EQ(platform::kRegOk, Read(scratch_.key(), u"v", &type, &data));
  EXPECT_EQ((Bytes{7, 0, 0, 0}), data);
}

// Windows and Wine both sort subkeys without regard to case; they differ for the few
// characters between 'Z' and 'a', which sort by their code after lower-casing on Wine.
TEST_F(RegistryBackendTest, SubkeysEnumerateSortedWithoutRegardToCase) {
  for (const char16_t* name : {u"b", u"B2", u"a_", u"A", u"Z", u"a1", u"zz", u"10", u"1"}) {
    ASSERT_EQ(platform::kRegOk, Create(name));
  }
  std::vector<std::u16string> expected{u"1", u"10", u"A", u"a1", u"a_", u"b", u"B2", u"Z", u"zz"};
  EXPECT_EQ(expected, SubkeyNames(scratch_.key()));
  EXPECT_EQ(platform::kRegNoMoreItems, [&] {
    std::u16string name;
    return registry().EnumKey(scratch_.key(), 9, &name);
  }());
}

TEST_F(RegistryBackendTest, ValueNamesAreCaseInsensitiveAndKeepTheirFirstSpelling) {
  const RegKey key = scratch_.key();
  for (const char16_t* name : {u"zeta", u"Alpha", u"", u"mid"}) {
    ASSERT_EQ(platform::kRegOk, Set(key, name, platform::kRegDword, {1, 0, 0, 0}));
  }
  ASSERT_EQ(platform::kRegOk, Set(key, u"ALPHA", platform::kRegSz, {'x', 0, 0, 0}));
  ASSERT_EQ(platform::kRegOk, registry().DeleteValue(key, u"ZETA"));
  ASSERT_EQ(platform::kRegOk, Set(key, u"Zeta", platform::kRegDword, {2, 0, 0, 0}));

  std::uint32_t type = 0;
  Bytes data;
  ASSERT_EQ(platform::kRegOk, Read(key, u"alpha", &type, &data));
  EXPECT_EQ(platform::kRegSz, type);
  EXPECT_EQ((Bytes{'x', 0, 0, 0}), data);

  // Windows lists values in the order they were created, Wine sorted by name.
  std::vector<std::u16string> names = ValueNames(key);
  if (platform_.IsSubstitute()) {
    EXPECT_EQ((std::vector<std::u16string>{u"Alpha", u"", u"mid", u"Zeta"}), names);
  } else {
    std::sort(names.begin(), names.end());
    EXPECT_EQ((std::vector<std::u16string>{u"", u"Alpha", u"Zeta", u"mid"}), names);
  }
}

// Enumeration by index stays true while values are deleted before, at and after the
// position last read, and deleting at index 0 until none are left empties the key.
TEST_F(RegistryBackendTest, ValueEnumerationFollowsDeletions) {
  const RegKey key = scratch_.key();
  for (const char16_t* name : {u"a", u"b", u"c", u"d", u"e", u"f"}) {
    ASSERT_EQ(platform::kRegOk, Set(key, name, platform::kRegDword, {1, 0, 0, 0}));
  }
  const auto nameAt = [&](std::uint32_t index) {
    std::u16string name;
    return registry().EnumValue(key, index, &name) == platform::kRegOk ? name : u"(none)";
  };
  EXPECT_EQ(u"c", nameAt(2));
  ASSERT_EQ(platform::kRegOk, registry().DeleteValue(key, u"A"));  // before the last read
  EXPECT_EQ(u"d", nameAt(2));
  ASSERT_EQ(platform::kRegOk, registry().DeleteValue(key, u"d"));  // the last read
  EXPECT_EQ(u"e", nameAt(2));
  ASSERT_EQ(platform::kRegOk, registry().DeleteValue(key, u"F"));  // after it
  EXPECT_EQ(u"(none)", nameAt(3));
  EXPECT_EQ(u"e", nameAt(2));
  EXPECT_EQ(u"b", nameAt(0));

  std::u16string name;
  int deleted = 0;
  while (registry().EnumValue(key, 0, &name) == platform::kRegOk && deleted < 10) {
    ASSERT_EQ(platform::kRegOk, registry().DeleteValue(key, name));
    ++deleted;
  }
  EXPECT_EQ(3, deleted);
  EXPECT_TRUE(ValueNames(key).empty());
}

struct RawValue {
  const char* label;
  std::uint32_t type;
  Bytes data;
};

TEST_F(RegistryBackendTest, RawTypesAndBytesComeBackUnchanged) {
  const RawValue values[] = {
      {"none", platform::kRegNone, {0xFF, 0x00, 0x7F}},
      {"string", platform::kRegSz, {'a', 0, 'b', 0, 0, 0}},
      {"string without terminator, odd size", platform::kRegSz, {'a', 0, 'b'}},
      {"expand string", platform::kRegExpandSz, {'%', 0, 'X', 0, '%', 0, 0, 0}},
      {"binary", platform::kRegBinary, {0, 1, 2, 254, 255}},
      {"dword", platform::kRegDword, {0x78, 0x56, 0x34, 0x12}},
      {"dword of three bytes", platform::kRegDword, {1, 2, 3}},
      {"multi string", platform::kRegMultiSz, {'a', 0, 0, 0, 'b', 0, 0, 0, 0, 0}},
      {"qword", platform::kRegQword, {1, 2, 3, 4, 5, 6, 7, 8}},
      {"unknown type", 0x1234, {0xDE, 0xAD, 0xBE, 0xEF}},
      {"empty binary", platform::kRegBinary, {}},
      {"empty string", platform::kRegSz, {}},
  };
  for (const auto& value : values) {
    SCOPED_TRACE(value.label);
    const std::u16string name = U16(value.label);
    ASSERT_EQ(platform::kRegOk, Set(scratch_.key(), name, value.type, value.data));
    std::uint32_t type = 0xFFFF;
    Bytes data;
    ASSERT_EQ(platform::kRegOk, Read(scratch_.key(), name, &type, &data));
    EXPECT_EQ(value.type, type);
    EXPECT_EQ(value.data, data);
  }
}

TEST_F(RegistryBackendTest, QueryValueReportsTheSizeNeeded) {
  const RegKey key = scratch_.key();
  ASSERT_EQ(platform::kRegOk, Set(key, u"bin", platform::kRegBinary, Bytes(10, 0xAB)));

  std::uint32_t type = 0;
  std::uint32_t size = 0;
  EXPECT_EQ(platform::kRegOk, registry().QueryValue(key, u"BIN", &type, nullptr, &size));
  EXPECT_EQ(platform::kRegBinary, type);
  EXPECT_EQ(10u, size);

  Bytes buffer(10, 0);
  for (std::uint32_t capacity : {0u, 1u, 9u}) {
    size = capacity;
    EXPECT_EQ(platform::kRegMoreData,
              registry().QueryValue(key, u"bin", &type, buffer.data(), &size));
    EXPECT_EQ(10u, size);
  }
  size = 10;
  EXPECT_EQ(platform::kRegOk, registry().QueryValue(key, u"bin", nullptr, buffer.data(), &size));
  EXPECT_EQ(Bytes(10, 0xAB), buffer);

  EXPECT_EQ(platform::kRegFileNotFound,
            registry().QueryValue(key, u"missing", &type, nullptr, &size));
  EXPECT_EQ(platform::kRegFileNotFound, registry().DeleteValue(key, u"missing"));
}

TEST_F(RegistryBackendTest, QueryInfoCountsAndLargestSizes) {
  ASSERT_EQ(platform::kRegOk, Create(u"short"));
  ASSERT_EQ(platform::kRegOk, Create(u"a longer name\\child"));
  ASSERT_EQ(platform::kRegOk, Set(scratch_.key(), u"", platform::kRegSz, {'d', 0, 0, 0}));
  ASSERT_EQ(platform::kRegOk, Set(scratch_.key(), u"seven!!", platform::kRegBinary, Bytes(33)));
  ASSERT_EQ(platform::kRegOk, Set(scratch_.key(), u"x", platform::kRegDword, Bytes(4)));

  platform::RegKeyInfo info;
  ASSERT_EQ(platform::kRegOk, registry().QueryInfo(scratch_.key(), &info));
  EXPECT_EQ(2u, info.subkeyCount);
  EXPECT_EQ(13u, info.maxSubkeyNameLength);
  EXPECT_EQ(3u, info.valueCount);
  EXPECT_EQ(7u, info.maxValueNameLength);
  EXPECT_EQ(33u, info.maxValueDataSize);

  KeyHolder empty(registry());
  ASSERT_EQ(platform::kRegOk,
            registry().OpenKey(scratch_.key(), u"short", kKeyAllAccess, empty.receive()));
  ASSERT_EQ(platform::kRegOk, registry().QueryInfo(empty.get(), &info));
  EXPECT_EQ(0u, info.subkeyCount);
  EXPECT_EQ(0u, info.valueCount);
  EXPECT_EQ(0u, info.maxValueDataSize);
}

TEST_F(RegistryBackendTest, DeleteKeyRemovesLeavesOnly) {
  ASSERT_EQ(platform::kRegOk, Create(u"A\\B\\C"));
  ASSERT_EQ(platform::kRegOk, Create(u"Leaf"));
  EXPECT_EQ(platform::kRegAccessDenied, registry().DeleteKey(scratch_.key(), u"A"));
  EXPECT_EQ(platform::kRegOk, Open(u"A\\B\\C"));
  EXPECT_EQ(platform::kRegFileNotFound, registry().DeleteKey(scratch_.key(), u"Missing"));
  EXPECT_EQ(platform::kRegFileNotFound, registry().DeleteKey(scratch_.key(), u"A\\Missing"));

  EXPECT_EQ(platform::kRegOk, registry().DeleteKey(scratch_.key(), u"a\\b\\c\\"));
  EXPECT_EQ(platform::kRegFileNotFound, Open(u"A\\B\\C"));
  EXPECT_EQ(platform::kRegOk, Open(u"A\\B"));

  // An empty subkey deletes the key the handle is open on.
  KeyHolder leaf(registry());
  ASSERT_EQ(platform::kRegOk,
            registry().OpenKey(scratch_.key(), u"Leaf", kKeyAllAccess, leaf.receive()));
  EXPECT_EQ(platform::kRegOk, registry().DeleteKey(leaf.get(), u""));
  EXPECT_EQ(platform::kRegFileNotFound, Open(u"Leaf"));
}

TEST_F(RegistryBackendTest, HandleOfADeletedKeyFailsEverything) {
  KeyHolder doomed(registry());
  ASSERT_EQ(platform::kRegOk,
            registry().CreateKey(scratch_.key(), u"Doomed", kKeyAllAccess, doomed.receive()));
  ASSERT_EQ(platform::kRegOk, Set(doomed.get(), u"v", platform::kRegDword, Bytes(4)));
  ASSERT_EQ(platform::kRegOk, registry().DeleteKey(scratch_.key(), u"Doomed"));
  // A new key of the same name is another key.
  ASSERT_EQ(platform::kRegOk, Create(u"Doomed"));

  const RegKey key = doomed.get();
  std::uint32_t size = 0;
  std::u16string name;
  platform::RegKeyInfo info;
  KeyHolder other(registry());
  EXPECT_EQ(platform::kRegKeyDeleted, Set(key, u"v", platform::kRegDword, Bytes(4)));
  EXPECT_EQ(platform::kRegKeyDeleted, registry().QueryValue(key, u"v", nullptr, nullptr, &size));
  EXPECT_EQ(platform::kRegKeyDeleted, registry().DeleteValue(key, u"v"));
  EXPECT_EQ(platform::kRegKeyDeleted, registry().QueryInfo(key, &info));
  EXPECT_EQ(platform::kRegKeyDeleted, registry().EnumKey(key, 0, &name));
  EXPECT_EQ(platform::kRegKeyDeleted, registry().EnumValue(key, 0, &name));
  EXPECT_EQ(platform::kRegKeyDeleted, registry().OpenKey(key, u"", kKeyAllAccess, other.receive()));
  EXPECT_EQ(platform::kRegKeyDeleted,
            registry().CreateKey(key, u"sub", kKeyAllAccess, other.receive()));
  EXPECT_EQ(platform::kRegKeyDeleted, registry().DeleteKey(key, u""));
}

TEST_F(RegistryBackendTest, ReadOnlyHandleRefusesWrites) {
  KeyHolder reader(registry());
  ASSERT_EQ(platform::kRegOk,
            registry().OpenKey(scratch_.key(), u"", kKeyRead, reader.receive()));
  EXPECT_EQ(platform::kRegAccessDenied, Set(reader.get(), u"v", platform::kRegDword, Bytes(4)));
  ASSERT_EQ(platform::kRegOk, Set(scratch_.key(), u"v", platform::kRegDword, Bytes(4)));
  EXPECT_EQ(platform::kRegAccessDenied, registry().DeleteValue(reader.get(), u"v"));
  std::uint32_t size = 0;
  EXPECT_EQ(platform::kRegOk, registry().QueryValue(reader.get(), u"v", nullptr, nullptr, &size));
}

TEST_F(RegistryBackendTest, ClosedHandleIsInvalid) {
  KeyHolder key(registry());
  ASSERT_EQ(platform::kRegOk, registry().CreateKey(scratch_.key(), u"K", kKeyAllAccess,
                                                   key.receive()));
  const RegKey stale = key.get();
  key.Close();
  KeyHolder other(registry());
  EXPECT_EQ(platform::kRegInvalidHandle,
            registry().OpenKey(stale, u"", kKeyAllAccess, other.receive()));
  // Closing a predefined root does nothing.
  registry().CloseKey(platform::kCurrentUser);
  EXPECT_EQ(platform::kRegOk,
            registry().OpenKey(platform::kCurrentUser, scratch_.subkey(), kKeyRead,
                               other.receive()));
}

#ifndef _WIN32
// What the real registry cannot be made to do in a test: a key whose security refuses
// the current user full control, and a second thread.
class SubstituteRegistryTest : public RegistryBackendTest {
 protected:
  platform::posix::SubstituteRegistry& substitute() {
    return dynamic_cast<platform::posix::SubstituteRegistry&>(registry());
  }
};

TEST_F(SubstituteRegistryTest, DeniedKeyOpensForReadingOnly) {
  ASSERT_EQ(platform::kRegOk, Create(u"Locked\\Inner"));
  ASSERT_TRUE(substitute().SetDenyAccess(scratch_.path() + u"\\LOCKED", true));
  EXPECT_FALSE(substitute().SetDenyAccess(scratch_.path() + u"\\Missing", true));

  EXPECT_EQ(platform::kRegAccessDenied, Open(u"Locked"));
  EXPECT_EQ(platform::kRegAccessDenied, Create(u"Locked"));
  EXPECT_EQ(platform::kRegAccessDenied, Create(u"Locked\\New"));
  EXPECT_EQ(platform::kRegOk, Open(u"Locked", kKeyRead));
  EXPECT_EQ(platform::kRegOk, Open(u"Locked\\Inner"));  // the keys below are not locked
  ASSERT_EQ(platform::kRegOk, registry().DeleteKey(scratch_.key(), u"Locked\\Inner"));
  EXPECT_EQ(platform::kRegAccessDenied, registry().DeleteKey(scratch_.key(), u"Locked"));

  ASSERT_TRUE(substitute().SetDenyAccess(scratch_.path() + u"\\Locked", false));
  EXPECT_EQ(platform::kRegOk, Open(u"Locked"));
}

TEST_F(SubstituteRegistryTest, RootsAreIndependentTrees) {
  KeyHolder key(registry());
  ASSERT_EQ(platform::kRegOk, registry().CreateKey(platform::kClassesRoot, u"OvalinOnlyHere",
                                                   kKeyAllAccess, key.receive()));
  for (RegKey root : {platform::kLocalMachine, platform::kCurrentUser, platform::kUsers,
                      platform::kCurrentConfig}) {
    EXPECT_EQ(platform::kRegFileNotFound,
              registry().OpenKey(root, u"OvalinOnlyHere", kKeyRead, key.receive()));
  }
  EXPECT_EQ(platform::kRegOk, registry().DeleteKey(platform::kClassesRoot, u"OvalinOnlyHere"));
  EXPECT_EQ(platform::kRegAccessDenied, registry().DeleteKey(platform::kClassesRoot, u""));
}

TEST_F(SubstituteRegistryTest, HandlesAreFreedAndNeverLookLikeRoots) {
  const std::size_t before = substitute().OpenHandleCount();
  {
    KeyHolder a(registry());
    KeyHolder b(registry());
    ASSERT_EQ(platform::kRegOk, registry().CreateKey(scratch_.key(), u"A", kKeyAllAccess,
                                                     a.receive()));
    ASSERT_EQ(platform::kRegOk, registry().OpenKey(scratch_.key(), u"A", kKeyAllAccess,
                                                   b.receive()));
    EXPECT_NE(a.get(), b.get());
    EXPECT_FALSE(platform::IsPredefinedRoot(a.get()));
    EXPECT_LT(a.get(), platform::kClassesRoot);
    EXPECT_EQ(before + 2, substitute().OpenHandleCount());
  }
  EXPECT_EQ(before, substitute().OpenHandleCount());
}

TEST_F(SubstituteRegistryTest, TwoThreadsWriteAtOnce) {
  auto writer = [this](std::u16string prefix) {
    for (int i = 0; i < 200; ++i) {
      KeyHolder key(registry());
      std::u16string name = prefix + U16(std::to_string(i % 20));
      ASSERT_EQ(platform::kRegOk,
                registry().CreateKey(scratch_.key(), name, kKeyAllAccess, key.receive()));
      ASSERT_EQ(platform::kRegOk, Set(key.get(), name, platform::kRegDword, Bytes(4)));
      if (i % 3 == 0) registry().DeleteKey(scratch_.key(), name);
    }
  };
  std::thread first(writer, u"first");
  std::thread second(writer, u"second");
  first.join();
  second.join();
  platform::RegKeyInfo info;
  ASSERT_EQ(platform::kRegOk, registry().QueryInfo(scratch_.key(), &info));
  EXPECT_LE(info.subkeyCount, 40u);
}
#endif

}  // namespace
}  // namespace ovalin::testing
