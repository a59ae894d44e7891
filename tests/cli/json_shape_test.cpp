// The JSON every verb prints: one document, with the members scripts rely on.
#include <gtest/gtest.h>

#include "cli/cli_runner.h"

namespace ovalin::testing {
namespace {

using cli::JsonValue;
using Kind = JsonValue::Kind;

// Checks that the object has each member with its kind.
void ExpectMembers(const JsonValue& object, std::vector<std::pair<const char*, Kind>> members) {
  ASSERT_EQ(object.kind, Kind::kObject);
  for (const auto& [name, kind] : members) {
    const JsonValue* member = object.Member(name);
    ASSERT_NE(member, nullptr) << "no member " << name;
    EXPECT_EQ(member->kind, kind) << name;
  }
}

const std::vector<std::pair<const char*, Kind>> kFinding = {
    {"index", Kind::kNumber},    {"id", Kind::kString},       {"code", Kind::kNumber},
    {"scanType", Kind::kNumber}, {"markType", Kind::kNumber}, {"errorCode", Kind::kNumber},
    {"title", Kind::kString},    {"path", Kind::kString},     {"valueName", Kind::kString},
    {"value", Kind::kString},    {"view", Kind::kString},     {"reason", Kind::kString}};
const std::vector<std::pair<const char*, Kind>> kSet = {
    {"section", Kind::kString}, {"time", Kind::kString},   {"description", Kind::kString},
    {"count", Kind::kNumber},   {"restored", Kind::kBool}, {"file", Kind::kString},
    {"size", Kind::kNumber}};

class JsonShapeTest : public CliTest {};

TEST_F(JsonShapeTest, EveryVerb) {
  const std::string seed = WriteFile("seed.reg", SharedDllsSeed(3));
  const std::string after = HostPath("after.reg").string();

  const CliRun scan = Run("scan", {seed}, {"--json", "--types", "shareddlls"});
  ASSERT_EQ(scan.status, 0) << scan.err;
  const JsonValue scanJson = Json(scan.out);
  ExpectMembers(scanJson, {{"scanTypes", Kind::kNumber},
                           {"judged", Kind::kNumber},
                           {"notOpened", Kind::kNumber},
                           {"elevated", Kind::kBool},
                           {"ignored", Kind::kNumber},
                           {"findings", Kind::kArray},
                           {"secondPass", Kind::kArray}});
  EXPECT_EQ(scanJson.Member("scanTypes")->number, 0x8000);
  ASSERT_EQ(scanJson.Member("findings")->items.size(), 3u);
  for (const auto& finding : scanJson.Member("findings")->items) ExpectMembers(finding, kFinding);
  EXPECT_EQ(scanJson.Member("findings")->items[2].Member("index")->number, 2);

  const CliRun clean =
      Run("clean", {seed},
          {"--json", "--all", "--save-reg", after, "--description", "shape \"quoted\""});
  ASSERT_EQ(clean.status, 0) << clean.err;
  const JsonValue cleanJson = Json(clean.out);
  ExpectMembers(cleanJson, {{"cleaned", Kind::kArray},
                            {"failed", Kind::kArray},
                            {"notFound", Kind::kArray},
                            {"interrupted", Kind::kBool},
                            {"indexWritten", Kind::kBool},
                            {"backupSet", Kind::kObject}});
  EXPECT_EQ(cleanJson.Member("cleaned")->items.size(), 3u);
  for (const auto& finding : cleanJson.Member("cleaned")->items) ExpectMembers(finding, kFinding);
  ExpectMembers(*cleanJson.Member("backupSet"), kSet);
  EXPECT_EQ(cleanJson.Member("backupSet")->Member("description")->text, "shape \"quoted\"");
  const std::string section = cleanJson.Member("backupSet")->Member("section")->text;

  const CliRun backups = Run("backups", {}, {"--json"});
  ASSERT_EQ(backups.status, 0) << backups.err;
  const JsonValue backupsJson = Json(backups.out);
  ExpectMembers(backupsJson, {{"folder", Kind::kString}, {"sets", Kind::kArray}});
  ASSERT_EQ(backupsJson.Member("sets")->items.size(), 1u);
  ExpectMembers(backupsJson.Member("sets")->items[0], kSet);

  const CliRun exported =
      Run("export", {}, {"--json", "--section", section, "--out", HostPath("set.reg").string()});
  ASSERT_EQ(exported.status, 0) << exported.err;
  ExpectMembers(Json(exported.out),
                {{"file", Kind::kString}, {"out", Kind::kString}, {"bytes", Kind::kNumber}});

  const CliRun restore = Run("restore", {after}, {"--json", "--section", section});
  ASSERT_EQ(restore.status, 0) << restore.err;
  ExpectMembers(Json(restore.out), {{"file", Kind::kString},
                                    {"restored", Kind::kBool},
                                    {"keys", Kind::kNumber},
                                    {"values", Kind::kNumber}});
  EXPECT_EQ(Json(restore.out).Member("values")->number, 3);

  const CliRun remove = Run("delete", {}, {"--json", "--all"});
  ASSERT_EQ(remove.status, 0) << remove.err;
  ExpectMembers(Json(remove.out), {{"deleted", Kind::kNumber}, {"failed", Kind::kNumber}});
  EXPECT_EQ(Json(remove.out).Member("deleted")->number, 1);
}

TEST(JsonReader, RefusesWhatIsNotOneDocument) {
  const char* bad[] = {"",       "{",       "{\"a\" 1}", "[1,]", "{\"a\":1,}",
                       "\"open", "\"\\x\"", "\"\\u12\"", "01x",  "1 2",
                       "tru",    "-",       "1.",        "1e",   "\"a\nb\""};
  for (const char* text : bad) {
    cli::JsonValue value;
    std::string error;
    EXPECT_FALSE(cli::ParseJson(text, &value, &error)) << text;
    EXPECT_EQ(error.rfind("offset ", 0), 0u) << text;
  }
  std::string deep(100000, '[');
  cli::JsonValue value;
  std::string error;
  EXPECT_FALSE(cli::ParseJson(deep, &value, &error));
  EXPECT_NE(error.find("nested too deeply"), std::string::npos);
}

TEST(JsonReader, ReadsTextNumbersAndEscapes) {
  cli::JsonValue value;
  std::string error;
  ASSERT_TRUE(cli::ParseJson(
      " {\"a\": [true, false, null, -1.5e2, 4294967295], \"s\": \"\\u00e9\\ud83d\\ude00\\n\\\"\"} ",
      &value, &error))
      << error;
  const auto& items = value.Member("a")->items;
  ASSERT_EQ(items.size(), 5u);
  EXPECT_TRUE(items[0].boolean);
  EXPECT_EQ(items[2].kind, cli::JsonValue::Kind::kNull);
  EXPECT_EQ(items[3].number, -150);
  EXPECT_FALSE(items[3].AsUnsigned());
  EXPECT_EQ(items[4].AsUnsigned(), 4294967295u);
  EXPECT_EQ(value.Member("s")->text, "\xC3\xA9\xF0\x9F\x98\x80\n\"");
  EXPECT_EQ(value.Member("missing"), nullptr);
}

}  // namespace
}  // namespace ovalin::testing
