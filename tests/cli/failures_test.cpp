// No command ends with status 0 after a failure, and no failure leaves a backup that
// nobody can find: partial cleans, an index that cannot be written, a scan that could
// not open keys, and cleans stopped by Ctrl+C or killed.
#include <gtest/gtest.h>
#include <signal.h>

#include "cli/cli_runner.h"

namespace ovalin::testing {
namespace {

constexpr char kMenuOrder[] =
    "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\MenuOrder\\"
    "Start Menu\\Programs";

int Lines(const std::string& text, const std::string& start) {
  int count = 0;
  for (std::size_t at = 0; (at = text.find(start, at)) != std::string::npos; ++at) {
    if (at == 0 || text[at - 1] == '\n') ++count;
  }
  return count;
}

// Signals the program once it reported `lines` cleaned findings.
SignalWhen AfterCleaned(int lines, int signal) {
  return [=](const std::string& err) { return Lines(err, "cleaned ") >= lines ? signal : 0; };
}

class FailuresTest : public CliTest {};

TEST_F(FailuresTest, PartialCleanExitsOne) {
  // Two start-menu order keys whose folders are gone (the start menus are known, their
  // folders absent); one holds a key the clean may not open, so its backup, and with it
  // its removal, fails.
  const std::string seed =
      WriteFile("menu.reg", "Windows Registry Editor Version 5.00\n\n[" + std::string(kMenuOrder) +
                                "\\Gone1]\n\"Order\"=hex:01\n[" + kMenuOrder +
                                "\\Gone2\\Locked]\n\"Order\"=hex:02\n");
  const CliRun clean = Run("clean", {seed},
                           {"--all", "--types", "startmenu", "--json", "--folder",
                            "11=C:\\Users\\x\\Start Menu", "--folder",
                            "22=C:\\ProgramData\\Start Menu", "--deny",
                            std::string(kMenuOrder) + "\\Gone2\\Locked"});
  EXPECT_EQ(clean.status, 1) << clean.err;
  const cli::JsonValue result = Json(clean.out);
  EXPECT_EQ(result.Member("cleaned")->items.size(), 1u);
  ASSERT_EQ(result.Member("failed")->items.size(), 1u);
  EXPECT_NE(result.Member("failed")->items[0].Member("path")->text.find("Gone2"),
            std::string::npos);
  EXPECT_EQ(result.Member("backupSet")->kind, cli::JsonValue::Kind::kObject);
}

TEST_F(FailuresTest, UnwritableIndexIsAFailureThatNamesTheDataFile) {
  const std::string seed = WriteFile("seed.reg", SharedDllsSeed(2));
  std::filesystem::create_directories(Drive() / "Ovalin" / "Data" / "ZUNRC" / "ResList.ini");
  const CliRun clean = Run("clean", {seed}, {"--all", "--json"});
  EXPECT_EQ(clean.status, 1);
  EXPECT_NE(clean.err.find("the backup index C:\\Ovalin\\Data\\ZUNRC\\ResList.ini could not be "
                           "written; this clean's backups are in C:\\Ovalin\\Data\\ZUNRC\\"),
            std::string::npos)
      << clean.err;
  const cli::JsonValue result = Json(clean.out);
  EXPECT_FALSE(result.Member("indexWritten")->boolean);
  EXPECT_EQ(result.Member("cleaned")->items.size(), 2u);
  // The set is still listed, from its data file.
  const CliRun backups = Run("backups", {}, {"--json"});
  EXPECT_EQ(Json(backups.out).Member("sets")->items.size(), 1u);
}

TEST_F(FailuresTest, ScanTellsHowManyKeysItCouldNotOpen) {
  const std::string seed = WriteFile("seed.reg", SharedDllsSeed(3));
  const struct {
    std::vector<std::string> arguments;
    bool anyNotOpened;
    bool warned;
  } cases[] = {
      {{}, false, false},
      {{"--deny", kSharedDllsKey}, true, false},
      {{"--deny", kSharedDllsKey, "--not-elevated"}, true, true},
  };
  for (const auto& c : cases) {
    std::vector<std::string> arguments = c.arguments;
    arguments.insert(arguments.end(), {"--types", "shareddlls", "--json"});
    const CliRun scan = Run("scan", {seed}, arguments);
    EXPECT_EQ(scan.status, 0);
    const cli::JsonValue result = Json(scan.out);
    EXPECT_EQ(result.Member("notOpened")->number > 0, c.anyNotOpened) << scan.out;
    EXPECT_EQ(result.Member("findings")->items.size(), c.anyNotOpened ? 0u : 3u);
    EXPECT_EQ(result.Member("elevated")->boolean, !c.warned);
    EXPECT_EQ(scan.err.find("not running as administrator") != std::string::npos, c.warned);
  }
  const CliRun table = Run("scan", {seed}, {"--deny", kSharedDllsKey, "--types", "shareddlls"});
  EXPECT_NE(table.out.find("0 findings, 0 keys to check after a clean, "), std::string::npos);
  EXPECT_EQ(table.out.find(" 0 keys could not be opened"), std::string::npos) << table.out;
}

// Ctrl+C stops the clean between two findings; the set and its section are written, and
// restoring the set gives every removed value back. (With a thousand findings the clean
// is far from its end when the signal comes.)
TEST_F(FailuresTest, InterruptedCleanRecordsItsSetAndRestores) {
  const int total = 1000;
  const std::string seed = WriteFile("seed.reg", SharedDllsSeed(total));
  const std::string after = HostPath("after.reg").string();
  const CliRun clean =
      Run("clean", {seed}, {"--all", "--json", "--save-reg", after}, AfterCleaned(20, SIGINT));
  EXPECT_EQ(clean.status, 1) << clean.err;
  EXPECT_NE(clean.err.find("interrupted"), std::string::npos);
  const cli::JsonValue result = Json(clean.out);
  ASSERT_TRUE(result.Member("interrupted")->boolean);
  const std::size_t cleaned = result.Member("cleaned")->items.size();
  EXPECT_GE(cleaned, 20u);
  EXPECT_LT(cleaned, static_cast<std::size_t>(total));
  EXPECT_EQ(cleaned + result.Member("failed")->items.size(), static_cast<std::size_t>(total));

  const CliRun backups = Run("backups", {}, {"--json"});
  const cli::JsonValue sets = *Json(backups.out).Member("sets");
  ASSERT_EQ(sets.items.size(), 1u);
  EXPECT_EQ(sets.items[0].Member("count")->number, total);
  const std::string restored = HostPath("restored.reg").string();
  const CliRun restore =
      Run("restore", {after},
          {"--json", "--section", sets.items[0].Member("section")->text, "--save-reg", restored});
  EXPECT_EQ(restore.status, 0) << restore.err;
  EXPECT_EQ(Json(restore.out).Member("values")->number, static_cast<double>(cleaned));
  const CliRun rescan = Run("scan", {restored}, {"--json", "--types", "shareddlls"});
  EXPECT_EQ(Json(rescan.out).Member("findings")->items.size(), static_cast<std::size_t>(total));
}

// A killed clean leaves a data file without a section: it is listed as a recovered set
// and restores like any other.
TEST_F(FailuresTest, KilledCleanIsListedAsRecoveredAndRestores) {
  const std::string seed = WriteFile("seed.reg", SharedDllsSeed(1000));
  const CliRun clean = Run("clean", {seed}, {"--all"}, AfterCleaned(20, SIGKILL));
  ASSERT_EQ(clean.status, 128 + SIGKILL);
  const CliRun backups = Run("backups", {}, {"--json"});
  EXPECT_EQ(backups.status, 0);
  const cli::JsonValue sets = *Json(backups.out).Member("sets");
  ASSERT_EQ(sets.items.size(), 1u);
  const cli::JsonValue& set = sets.items[0];
  EXPECT_NE(set.Member("description")->text.find("Recovered"), std::string::npos);
  EXPECT_GE(set.Member("count")->number, 20);
  EXPECT_FALSE(set.Member("time")->text.empty());

  const CliRun restore =
      Run("restore", {seed}, {"--json", "--section", set.Member("section")->text});
  EXPECT_EQ(restore.status, 0) << restore.err;
  EXPECT_EQ(Json(restore.out).Member("values")->number, set.Member("count")->number);
  const CliRun listed = Run("backups", {}, {"--json"});
  EXPECT_TRUE(Json(listed.out).Member("sets")->items[0].Member("restored")->boolean);
  const CliRun exported = Run("export", {}, {"--section", set.Member("section")->text});
  EXPECT_EQ(exported.status, 0);
  EXPECT_EQ(exported.out.substr(0, 2), "\xFF\xFE");
  const CliRun removed = Run("delete", {}, {"--section", set.Member("section")->text});
  EXPECT_EQ(removed.status, 0);
  EXPECT_TRUE(Json(Run("backups", {}, {"--json"}).out).Member("sets")->items.empty());
}

}  // namespace
}  // namespace ovalin::testing
