// Round trip over generated registries and generated choices of findings of every mark
// type: take a snapshot, clean, restore the set, take another snapshot; the two agree.
//
// What a restore cannot give back, and the generator therefore avoids:
// - a blanked value (0x600) that a later finding backs up again (the same value twice,
//   or a key tree above it): the later record holds the blanked data and, replayed
//   after the first, wins. Blank findings get a subtree of their own, one per value.
// - the order of values and keys within a key: a restored value or key comes back at
//   the end of its key's enumeration. Snapshots compare as maps.
#include <gtest/gtest.h>

#include <random>

#include "backup/backup_fixture.h"

namespace ovalin::testing {
namespace {

constexpr std::uint32_t kCode = stFileTypes | 0x30;
const std::uint32_t kTypes[] = {platform::kRegNone,  platform::kRegSz,       platform::kRegExpandSz,
                                platform::kRegBinary, platform::kRegDword,   platform::kRegMultiSz,
                                platform::kRegQword, 0x4711};

std::string Describe(const RawValue& v) {
  std::string text = "type " + std::to_string(v.type) + " [";
  for (auto b : v.data) text += std::to_string(b) + " ";
  return text + "]";
}

// What differs between two snapshots, for the failure message.
template <typename Tree>
std::string Difference(const Tree& before, const Tree& after) {
  std::string out;
  for (const auto& [key, values] : before) {
    const auto found = after.find(key);
    if (found == after.end()) {
      out += "missing key " + U8(key) + "\n";
      continue;
    }
    for (const auto& [name, value] : values) {
      const auto v = found->second.find(name);
      if (v == found->second.end()) {
        out += "missing value " + U8(key) + " [" + U8(name) + "] " + Describe(value) + "\n";
      } else if (!(v->second == value)) {
        out += "changed value " + U8(key) + " [" + U8(name) + "] " + Describe(value) + " -> " +
               Describe(v->second) + "\n";
      }
    }
    for (const auto& [name, value] : found->second) {
      if (values.count(name) == 0) out += "extra value " + U8(key) + " [" + U8(name) + "]\n";
    }
  }
  for (const auto& [key, values] : after) {
    if (before.count(key) == 0) out += "extra key " + U8(key) + "\n";
  }
  return out;
}

class RoundTripTest : public BackupTest {
 protected:
  struct Made {
    std::vector<std::u16string> keys;  // relative paths
    std::vector<std::pair<std::u16string, std::u16string>> values;  // key, name
  };

  RawValue RandomValue(std::mt19937& rng) {
    RawValue value;
    value.type = kTypes[rng() % std::size(kTypes)];
    std::size_t size = rng() % 4 == 0 ? 0 : rng() % 40;
    if (value.type == platform::kRegDword) size = rng() % 3 == 0 ? 0 : 4;
    if (value.type == platform::kRegSz || value.type == platform::kRegExpandSz ||
        value.type == platform::kRegMultiSz) {
      size &= ~std::size_t{1};
    }
    for (std::size_t i = 0; i < size; ++i) value.data.push_back(static_cast<std::uint8_t>(rng()));
    return value;
  }

  void MakeTree(std::mt19937& rng, const std::u16string& relative, int depth, Made* made) {
    WriteValue(Path(relative), u"seed", RawValue{platform::kRegDword, {1, 0, 0, 0}});
    made->keys.push_back(relative);
    made->values.push_back({relative, u"seed"});
    const int values = static_cast<int>(rng() % 4);
    for (int v = 0; v < values; ++v) {
      const std::u16string name = v == 0 && rng() % 3 == 0 ? u"" : u"val" + U16(std::to_string(v));
      WriteValue(Path(relative), name, RandomValue(rng));
      made->values.push_back({relative, name});
    }
    if (rng() % 4 == 0) {  // an empty key now and then
      const std::u16string empty = relative + u"\\Empty" + U16(std::to_string(depth));
      WriteValue(Path(empty), u"x", RawValue{});
      RegAccess access(P().registry);
      const SplitPath split = SplitRegPath(Path(empty));
      access.SetRootKey(split.root);
      access.OpenKey(split.subKey, false);
      access.DeleteValue(u"x");
      made->keys.push_back(empty);
    }
    if (depth == 0) return;
    const int children = static_cast<int>(rng() % 3);
    for (int c = 0; c < children; ++c) {
      MakeTree(rng, relative + u"\\K" + U16(std::to_string(depth)) + U16(std::to_string(c)), depth - 1, made);
    }
  }
};

TEST_F(RoundTripTest, CleanThenRestoreGivesTheRegistryBack) {
  for (unsigned seed = 1; seed <= 25; ++seed) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 rng(seed);
    Made made;
    MakeTree(rng, u"Main", 3, &made);
    Made blank;
    MakeTree(rng, u"Blank", 1, &blank);
    const auto before = Snapshot();

    std::vector<int> indexes;
    const int findings = 1 + static_cast<int>(rng() % 12);
    for (int f = 0; f < findings; ++f) {
      switch (rng() % 6) {
        case 0:
        case 1: {
          const auto& [key, name] = made.values[rng() % made.values.size()];
          indexes.push_back(AddFinding(kCode | (rng() % 2 ? 0x500 : 0x100), Path(key), name));
          break;
        }
        case 2:
          indexes.push_back(AddFinding(kCode | (rng() % 2 ? 0x200 : 0x400),
                                       Path(made.keys[rng() % made.keys.size()])));
          break;
        case 3:
          indexes.push_back(AddFinding(kCode | 0x300, Path(made.keys[rng() % made.keys.size()])));
          break;
        case 4:
          indexes.push_back(AddFinding(kCode | 0x500, Path(made.keys[0]), u"no such value"));
          break;
        case 5:
          if (!blank.values.empty()) {
            const std::size_t at = rng() % blank.values.size();
            indexes.push_back(AddFinding(kCode | 0x600, Path(blank.values[at].first), blank.values[at].second));
            blank.values.erase(blank.values.begin() + static_cast<long>(at));
          }
          break;
      }
    }
    std::vector<int> failed;
    ASSERT_TRUE(Cleaner().Clean(indexes, &failed, u"round trip"));
    Cleaner().UpdateRescueList();
    if (failed.size() < indexes.size()) {
      ASSERT_EQ(Cleaner().RescueCount(), 1);
      ASSERT_TRUE(Cleaner().RestoreRescue(Cleaner().RescueDir() + Cleaner().RescueItems(0)->BackupFile));
      ASSERT_TRUE(Cleaner().DeleteRescue(Cleaner().RescueItems(0)));
    }
    const auto after = Snapshot();
    EXPECT_TRUE(after == before) << Difference(before, after);

    // Next round from scratch.
    RegAccess access(P().registry);
    access.SetRootKey(platform::kCurrentUser);
    access.DeleteKey(key_.subkey() + u"\\Main");
    access.DeleteKey(key_.subkey() + u"\\Blank");
    cleaner_ = std::make_unique<TRCRegCleaner>(view_, std::vector<ScanRuleEntry>{});
    cleaner_->SetRescueDir(rescueDir_);
  }
}

}  // namespace
}  // namespace ovalin::testing
