// Choosing findings by id: a script scans and saves the JSON, a person chooses, the
// registry changes meanwhile, and the clean removes exactly the chosen findings that
// are still there, or nothing.
#include <gtest/gtest.h>

#include "cli/cli_runner.h"

namespace ovalin::testing {
namespace {

class IdWorkflowTest : public CliTest {
 protected:
  // The SharedDLLs value names left in a saved registry.
  std::vector<std::string> ValuesLeft(const std::string& regFile) {
    const std::string text = ReadFile(regFile);
    std::u16string wide;
    for (std::size_t i = 2; i + 1 < text.size(); i += 2) {
      wide.push_back(static_cast<char16_t>(static_cast<unsigned char>(text[i]) |
                                           (static_cast<unsigned char>(text[i + 1]) << 8)));
    }
    std::vector<std::string> names;
    for (int i = 0; i < 10; ++i) {
      const std::string name = "lib" + std::to_string(i) + ".dll";
      if (U8(wide).find(name) != std::string::npos) names.push_back(name);
    }
    return names;
  }
  static std::string U8(const std::u16string& text) {
    std::string out;
    for (char16_t c : text) out += c < 0x80 ? static_cast<char>(c) : '?';
    return out;
  }
  std::vector<std::string> Ids(const cli::JsonValue& list) {
    std::vector<std::string> ids;
    for (const auto& finding : list.items) ids.push_back(finding.Member("id")->text);
    return ids;
  }
};

TEST_F(IdWorkflowTest, OnlyUnchangedChosenFindingsAreCleaned) {
  const std::string seed = WriteFile("seed.reg", SharedDllsSeed(5));
  const CliRun scan = Run("scan", {seed}, {"--json", "--types", "shareddlls"});
  ASSERT_EQ(scan.status, 0);
  const std::string saved = WriteFile("scan.json", scan.out);
  const cli::JsonValue findings = *Json(scan.out).Member("findings");
  ASSERT_EQ(findings.items.size(), 5u);

  // Meanwhile lib1.dll is installed again (no longer broken), lib2.dll's entry goes
  // away, and a new broken entry appears that nobody has seen.
  WriteFile("c/missing/lib1.dll", "MZ");
  std::string changed = SharedDllsSeed(5);
  changed.erase(changed.find("\"C:\\\\missing\\\\lib2.dll"),
                std::string("\"C:\\\\missing\\\\lib2.dll\"=dword:00000002\n").size());
  changed += "\"C:\\\\missing\\\\new.dll\"=dword:00000001\n";
  const std::string now = WriteFile("now.reg", changed);
  const std::string after = HostPath("after.reg").string();

  const CliRun clean = Run("clean", {now}, {"--json", "--from", saved, "--save-reg", after});
  EXPECT_EQ(clean.status, 0) << clean.err;
  const cli::JsonValue result = Json(clean.out);
  const std::vector<std::string> chosen = Ids(findings);
  EXPECT_EQ(Ids(*result.Member("cleaned")),
            (std::vector<std::string>{chosen[0], chosen[3], chosen[4]}));
  std::vector<std::string> notFound;
  for (const auto& id : result.Member("notFound")->items) notFound.push_back(id.text);
  EXPECT_EQ(notFound, (std::vector<std::string>{chosen[1], chosen[2]}));
  EXPECT_EQ(ValuesLeft(after), (std::vector<std::string>{"lib1.dll"}));
  EXPECT_NE(ReadFile(after).find(std::string("n\0e\0w\0.\0d\0l\0l\0", 14)), std::string::npos);
}

TEST_F(IdWorkflowTest, MarkedFindingsPositionsInTheSavedScanAndIds) {
  const std::string seed = WriteFile("seed.reg", SharedDllsSeed(4));
  const CliRun scan = Run("scan", {seed}, {"--json", "--types", "shareddlls"});
  ASSERT_EQ(scan.status, 0);
  const std::vector<std::string> ids = Ids(*Json(scan.out).Member("findings"));
  ASSERT_EQ(ids.size(), 4u);

  // The person marks findings 1 and 3 in the saved document.
  std::string marked = scan.out;
  for (const std::string& id : {ids[1], ids[3]}) {
    const std::string member = "\"id\": \"" + id + "\"";
    marked.replace(marked.find(member), member.size(), member + ", \"selected\": true");
  }
  const std::string markedFile = WriteFile("marked.json", marked);
  const std::string savedFile = WriteFile("scan.json", scan.out);
  const struct {
    const char* what;
    std::vector<std::string> arguments;
    std::vector<std::string> left;
  } cases[] = {
      {"marked", {"--from", markedFile}, {"lib0.dll", "lib2.dll"}},
      {"positions in the saved scan",
       {"--from", savedFile, "--index", "2,0,2"},
       {"lib1.dll", "lib3.dll"}},
      {"ids in any case",
       {"--id", ids[0] + "," + ids[0] + ",ABCDEF0123456789"},
       {"lib1.dll", "lib2.dll", "lib3.dll"}},
      // A fresh scan of other types finds none of them: nothing else is cleaned instead.
      {"another scan type",
       {"--id", ids[0], "--types", "fonts"},
       {"lib0.dll", "lib1.dll", "lib2.dll", "lib3.dll"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const std::string after = HostPath(std::string(c.what) + ".reg").string();
    std::vector<std::string> arguments = c.arguments;
    arguments.insert(arguments.end(), {"--save-reg", after});
    const CliRun clean = Run("clean", {seed}, arguments);
    EXPECT_EQ(clean.status, 0) << clean.err;
    EXPECT_EQ(ValuesLeft(after), c.left) << clean.out;
  }
}

}  // namespace
}  // namespace ovalin::testing
