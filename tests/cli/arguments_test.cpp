// Every verb's arguments: what is accepted, and what is refused with which status and
// message before anything is touched. Status 2 is a usage error, 1 a failure.
#include <gtest/gtest.h>

#include "cli/cli_runner.h"

namespace ovalin::testing {
namespace {

struct ArgumentCase {
  const char* verb;
  std::vector<std::string> arguments;
  int status;
  const char* message;  // on standard error; empty: none expected
};

class ArgumentsTest : public CliTest {
 protected:
  void Check(const std::vector<ArgumentCase>& cases) {
    const std::string seed = WriteFile("seed.reg", SharedDllsSeed(2));
    for (const auto& c : cases) {
      std::string shown = c.verb;
      for (const auto& a : c.arguments) shown += " " + a;
      SCOPED_TRACE(shown);
      const CliRun run = Run(c.verb, {seed}, c.arguments);
      EXPECT_EQ(run.status, c.status) << run.err;
      if (*c.message != 0) {
        EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
      }
      if (c.status == 2) {
        EXPECT_NE(run.err.find("usage: ovalin-rc"), std::string::npos);
      }
    }
  }
};

TEST_F(ArgumentsTest, Scan) {
  Check({
      {"scan", {}, 0, ""},
      {"scan", {"--types", "shareddlls,fonts", "--json"}, 0, ""},
      {"scan", {"--types", "0x800000"}, 2, "has bits that are no scan type"},
      {"scan", {"--types", "0x7ff001"}, 2, "has bits that are no scan type"},
      {"scan", {"--types", "0"}, 2, "selects no scan type"},
      {"scan", {"--types", "fonts,"}, 2, "unknown scan type ''"},
      {"scan", {"--types", "fonts", "--types", "sounds"}, 2, "--types is given more than once"},
      {"scan", {"--json", "--json"}, 2, "--json is given more than once"},
      {"scan", {"--types"}, 2, "--types needs a value"},
      {"scan", {"--index", "0"}, 2, "unknown option --index"},
      {"scan", {"--not-elevated"}, 0, "not running as administrator"},
  });
}

TEST_F(ArgumentsTest, Clean) {
  const std::string saved = WriteFile(
      "saved.json",
      "{\"scanTypes\": 32768, \"findings\": [{\"index\": 0, \"id\": \"0123456789abcdef\"}]}");
  const std::string unselected = WriteFile(
      "unselected.json",
      "{\"findings\": [{\"index\": 0, \"id\": \"0123456789abcdef\", \"selected\": false}]}");
  WriteFile("broken.json", "{\"findings\": [");
  WriteFile("other.json", "{\"sets\": []}");
  Check({
      {"clean", {}, 2, "clean needs one of --all, --id ID[,ID...] or --from FILE"},
      {"clean", {"--all", "--id", "0123456789abcdef"}, 2, "clean needs one of"},
      {"clean", {"--id", "0123456789abcdef", "--from", saved}, 2, "clean needs one of"},
      {"clean", {"--index", "0"}, 2, "--index only counts in the saved scan"},
      {"clean", {"--all", "--index", "0"}, 2, "--index only counts in the saved scan"},
      {"clean", {"--id", "123"}, 2, "bad finding id '123'"},
      {"clean", {"--id", "0123456789abcdeg"}, 2, "bad finding id"},
      {"clean",
       {"--id", "0123456789abcdef", "--id", "0123456789abcdee"},
       2,
       "--id is given more than once"},
      {"clean", {"--all", "--all"}, 2, "--all is given more than once"},
      {"clean",
       {"--all", "--description", "a", "--description", "b"},
       2,
       "--description is given more than once"},
      {"clean", {"--from", HostPath("missing.json").string()}, 2, "cannot read"},
      {"clean", {"--from", HostPath("broken.json").string()}, 2, "offset"},
      {"clean", {"--from", HostPath("other.json").string()}, 2, "is not the JSON of"},
      {"clean", {"--from", saved, "--index", "3"}, 2, "has no finding with index 3"},
      {"clean", {"--from", unselected}, 2, "selects no finding"},
      {"clean", {"--all", "--types", "0x800000"}, 2, "no scan type"},
      {"clean", {"--all", "--not-elevated"}, 1, "clean needs administrator rights"},
      {"clean", {"--id", "0123456789abcdef"}, 0, ""},
      {"clean", {"--from", saved}, 0, ""},
  });
}

TEST_F(ArgumentsTest, BackupVerbs) {
  Check({
      {"backups", {}, 0, ""},
      {"backups", {"--json", "--json"}, 2, "--json is given more than once"},
      {"backups", {"--section", "x"}, 2, "unknown option --section"},
      {"restore", {}, 2, "restore needs --section NAME or --file PATH"},
      {"restore",
       {"--section", "a", "--file", "b"},
       2,
       "restore needs --section NAME or --file PATH"},
      {"restore", {"--section", "a", "--section", "b"}, 2, "--section is given more than once"},
      {"restore", {"--section", "2010-01-01 00:00:00"}, 2, "no backup set '2010-01-01 00:00:00'"},
      {"restore", {"--file", "C:\\Ovalin\\nothing.rss"}, 2, "no such file"},
      {"restore", {"--section", "x", "--not-elevated"}, 1, "restore needs administrator rights"},
      {"delete", {}, 2, "delete needs --section NAME or --all"},
      {"delete", {"--all", "--section", "x"}, 2, "delete needs --section NAME or --all"},
      {"delete", {"--section", "x"}, 2, "no backup set 'x'"},
      {"delete", {"--all"}, 0, ""},
      {"delete", {"--all", "--not-elevated"}, 1, "delete needs administrator rights"},
      {"export", {}, 2, "export needs --section NAME or --file PATH"},
      {"export", {"--section", "x"}, 2, "no backup set 'x'"},
      {"export", {"--file", "C:\\x.rss", "--json"}, 2, "export --json needs --out FILE.reg"},
      {"export",
       {"--file", "C:\\x.rss", "--out", "a", "--out", "b"},
       2,
       "--out is given more than once"},
  });
}

TEST_F(ArgumentsTest, UnknownVerbsAndHelp) {
  EXPECT_EQ(RunCli({}).status, 2);
  const CliRun unknown = RunCli({"purge"});
  EXPECT_EQ(unknown.status, 2);
  EXPECT_NE(unknown.err.find("unknown command 'purge'"), std::string::npos);
  const CliRun help = RunCli({"--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.out.find("export  (--section NAME | --file PATH)"), std::string::npos);
}

// A mistyped program folder is refused before anything is created in it or beside it.
TEST_F(ArgumentsTest, MissingBaseFolderCreatesNothing) {
  const std::string seed = WriteFile("seed.reg", SharedDllsSeed(2));
  for (const char* verb : {"scan", "backups", "clean"}) {
    SCOPED_TRACE(verb);
    std::vector<std::string> args = {verb,     "--drive",   "C=" + Drive().string(), "--reg", seed,
                                     "--base", "C:\\Ovalni"};
    if (std::string(verb) == "clean") args.push_back("--all");
    const CliRun run = RunCli(args);
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find("--base C:\\Ovalni: no such folder"), std::string::npos) << run.err;
    EXPECT_FALSE(std::filesystem::exists(Drive() / "Ovalni"));
    EXPECT_FALSE(std::filesystem::exists(Drive() / "Ovalin" / "Data"));
  }
}

TEST_F(ArgumentsTest, Ignore) {
  Check({
      {"ignore", {"list"}, 0, ""},
      {"ignore", {"list", "--json"}, 0, ""},
      {"ignore", {}, 2, "ignore needs one of list, add or remove"},
      {"ignore", {"show"}, 2, "got 'show'"},
      {"ignore", {"list", "add"}, 2, "got 'add' too"},
      {"ignore", {"list", "--id", "0123456789abcdef"}, 2, "ignore list takes no --id"},
      {"ignore", {"list", "--types", "fonts"}, 2, "ignore list takes no --types"},
      {"ignore", {"add"}, 2, "ignore add needs --id ID"},
      {"ignore", {"add", "--id", "xyz"}, 2, "bad finding id"},
      {"ignore", {"add", "--id", "0123456789abcdef,0123456789abcde0"}, 2, "takes one id"},
      {"ignore", {"add", "--id", "0123456789abcdef"}, 2, "no finding of this scan has the id"},
      {"ignore", {"add", "--id", "0123456789abcdef", "--types", "0"}, 2, "selects no scan type"},
      {"ignore", {"remove", "--id", "0123456789abcdef"}, 2, "no ignored entry has the id"},
      {"ignore", {"remove", "--id", "0123456789abcdef", "--types", "fonts"}, 2,
       "ignore remove takes no --types"},
  });
}

}  // namespace
}  // namespace ovalin::testing
