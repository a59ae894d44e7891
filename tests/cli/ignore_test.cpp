// The ignore list from the command line: an entry added by a finding's id stays out of
// scans and cleans (counted as "ignored"), is listed with an id of its own in the same
// Ignored.ini the program's window uses, and comes back once removed.
#include <gtest/gtest.h>

#include <filesystem>

#include "cli/cli_runner.h"

namespace ovalin::testing {
namespace {

// The id of the entry for the first seeded value: FNV-1a over
// "00008000" U+001F "hkey_local_machine\software\...\shareddlls" U+001F "c:\missing\lib0.dll".
constexpr char kFirstEntryId[] = "e591c7ca558ca8b7";

std::string Lower(std::string text) {
  for (char& c : text) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return text;
}

class IgnoreTest : public CliTest {
 protected:
  IgnoreTest() : seed_(WriteFile("seed.reg", SharedDllsSeed(3))) {}

  cli::JsonValue ScanJson() {
    const CliRun scan = Run("scan", {seed_}, {"--json", "--types", "shareddlls"});
    EXPECT_EQ(scan.status, 0) << scan.err;
    return Json(scan.out);
  }
  std::vector<std::string> FindingIds(const cli::JsonValue& scan) {
    std::vector<std::string> ids;
    for (const auto& finding : scan.Member("findings")->items) ids.push_back(finding.Member("id")->text);
    return ids;
  }
  std::vector<std::string> EntryIds() {
    const CliRun list = Run("ignore", {seed_}, {"list", "--json"});
    EXPECT_EQ(list.status, 0) << list.err;
    const cli::JsonValue json = Json(list.out);
    std::vector<std::string> ids;
    for (const auto& entry : json.Member("entries")->items) ids.push_back(entry.Member("id")->text);
    return ids;
  }

  std::string seed_;
};

TEST_F(IgnoreTest, AnIgnoredEntryStaysOutOfScansAndCleansUntilRemoved) {
  const std::vector<std::string> ids = FindingIds(ScanJson());
  ASSERT_EQ(ids.size(), 3u);
  EXPECT_TRUE(EntryIds().empty());

  const CliRun add = Run("ignore", {seed_}, {"add", "--id", ids[0], "--types", "shareddlls", "--json"});
  ASSERT_EQ(add.status, 0) << add.err;
  const cli::JsonValue added = Json(add.out);
  EXPECT_TRUE(added.Member("changed")->boolean);
  const cli::JsonValue& entry = *added.Member("added");
  EXPECT_EQ(entry.Member("id")->text, kFirstEntryId);
  EXPECT_EQ(entry.Member("scanType")->number, 0x8000);
  // The path as the rule spells it; the list compares without regard to case.
  EXPECT_EQ(Lower(entry.Member("path")->text), Lower(kSharedDllsKey));
  EXPECT_EQ(entry.Member("valueName")->text, "C:\\missing\\lib0.dll");
  EXPECT_TRUE(std::filesystem::exists(Drive() / "Ovalin" / "data" / "Ignored.ini"));

  // Adding it again changes nothing.
  const CliRun again = Run("ignore", {seed_}, {"add", "--id", ids[0]});
  EXPECT_EQ(again.status, 0) << again.err;
  EXPECT_NE(again.out.find("already ignored: " + std::string(kFirstEntryId)), std::string::npos)
      << again.out;
  EXPECT_EQ(EntryIds(), std::vector<std::string>{kFirstEntryId});

  const cli::JsonValue scan = ScanJson();
  EXPECT_EQ(FindingIds(scan), (std::vector<std::string>{ids[1], ids[2]}));
  EXPECT_EQ(scan.Member("ignored")->number, 1);
  const CliRun table = Run("scan", {seed_}, {"--types", "shareddlls"});
  EXPECT_NE(table.out.find(", 1 ignored\n"), std::string::npos) << table.out;

  // A clean never touches it: by id it is no longer found, and --all leaves it.
  const struct {
    const char* name;
    std::vector<std::string> arguments;
    std::size_t cleaned;
    std::size_t notFound;
  } cleans[] = {
      {"by id", {"--id", ids[0]}, 0, 1},
      {"all", {"--all"}, 2, 0},
  };
  for (const auto& c : cleans) {
    SCOPED_TRACE(c.name);
    std::vector<std::string> arguments = c.arguments;
    arguments.insert(arguments.end(), {"--types", "shareddlls", "--json"});
    const CliRun clean = Run("clean", {seed_}, arguments);
    const cli::JsonValue result = Json(clean.out);
    EXPECT_EQ(result.Member("cleaned")->items.size(), c.cleaned);
    EXPECT_EQ(result.Member("notFound")->items.size(), c.notFound);
    for (const auto& cleaned : result.Member("cleaned")->items) {
      EXPECT_NE(cleaned.Member("id")->text, ids[0]);
    }
  }

  const CliRun remove = Run("ignore", {seed_}, {"remove", "--id", kFirstEntryId});
  ASSERT_EQ(remove.status, 0) << remove.err;
  EXPECT_NE(remove.out.find("no longer ignored: " + std::string(kFirstEntryId)), std::string::npos);
  EXPECT_TRUE(EntryIds().empty());
  EXPECT_EQ(FindingIds(ScanJson()), ids);
}

// Entries are matched without regard to letter case, and a list edited by hand with a
// broken section keeps its good entries.
TEST_F(IgnoreTest, TheListReadsWhatTheProgramWrote) {
  WriteFile("c/Ovalin/data/Ignored.ini",
            "[Entry1]\nScanType=32768\n"
            "Path=|hkey_local_machine\\software\\microsoft\\windows\\currentversion\\shareddlls|\n"
            "ValueName=|c:\\MISSING\\lib1.dll|\n"
            "[Entry2]\nScanType=not a number\nPath=|HKEY_LOCAL_MACHINE\\X|\nValueName=||\n");
  const CliRun list = Run("ignore", {seed_}, {"list"});
  EXPECT_EQ(list.status, 0) << list.err;
  EXPECT_NE(list.out.find("1 ignored entries"), std::string::npos) << list.out;
  EXPECT_NE(list.out.find("shareddlls"), std::string::npos) << list.out;
  const cli::JsonValue scan = ScanJson();
  EXPECT_EQ(scan.Member("findings")->items.size(), 2u);
  EXPECT_EQ(scan.Member("ignored")->number, 1);
}

}  // namespace
}  // namespace ovalin::testing
