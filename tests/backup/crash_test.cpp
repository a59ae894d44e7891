// Crash consistency: the command-line clean is killed at random moments; each time the
// data file's header must cover exactly complete records, and restoring the file must
// bring back every value the killed clean removed. Native build: the substitute
// registry lives in the killed process, so the removals are replayed here from the
// clean's own progress lines (each line is written after the finding's removal).
#ifndef _WIN32

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <random>
#include <thread>

#include "backup/backup_fixture.h"
#include "engine/backup_reader.h"
#include "platform/posix/substitute.h"
#include "rules/standard_rules.h"

extern char** environ;

namespace ovalin::testing {
namespace {

constexpr int kFindings = 400;
const char kSharedDlls[] = "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\SharedDLLs";

std::string SeedText() {
  std::string text = "Windows Registry Editor Version 5.00\n\n[" + std::string(kSharedDlls) + "]\n";
  for (int i = 0; i < kFindings; ++i) {
    text += "\"C:\\\\missing\\\\lib" + std::to_string(i) + ".dll\"=dword:0000000" +
            std::to_string(i % 10) + "\n";
  }
  return text;
}

// The lines of an export, sorted: a restored value comes back at the end of its key.
std::vector<std::string> SortedLines(const std::string& utf16Export) {
  std::u16string text;
  for (std::size_t i = 2; i + 1 < utf16Export.size(); i += 2) {
    text.push_back(static_cast<char16_t>(static_cast<unsigned char>(utf16Export[i]) |
                                         (static_cast<unsigned char>(utf16Export[i + 1]) << 8)));
  }
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find(u'\n', start);
    if (end == std::u16string::npos) end = text.size();
    lines.push_back(U8(text.substr(start, end - start)));
    start = end + 1;
  }
  std::sort(lines.begin(), lines.end());
  return lines;
}

struct KilledRun {
  int cleanedLines = 0;
};

// Starts the clean, kills it after `lines` progress lines or `delay`, and counts the
// progress lines it wrote before it died.
KilledRun CleanAndKill(const std::string& seedFile, const std::string& drive, int lines,
                 std::chrono::microseconds delay) {
  int pipeFds[2];
  EXPECT_EQ(pipe(pipeFds), 0);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, pipeFds[1], 2);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addclose(&actions, pipeFds[0]);
  const std::string driveOption = "C=" + drive;
  std::vector<std::string> args = {OVALIN_CLI, "clean", "--all", "--types", "shareddlls",
                                   "--reg", seedFile, "--drive", driveOption,
                                   "--base", "C:\\Ovalin"};
  std::vector<char*> argv;
  for (auto& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  pid_t pid = 0;
  EXPECT_EQ(posix_spawn(&pid, OVALIN_CLI, &actions, nullptr, argv.data(), environ), 0);
  posix_spawn_file_actions_destroy(&actions);
  close(pipeFds[1]);

  KilledRun run;
  std::string pending;
  bool killed = false;
  const auto start = std::chrono::steady_clock::now();
  fcntl(pipeFds[0], F_SETFL, O_NONBLOCK);
  char buffer[4096];
  while (true) {
    const ssize_t got = read(pipeFds[0], buffer, sizeof buffer);
    if (got == 0) break;
    if (got > 0) {
      pending.append(buffer, static_cast<std::size_t>(got));
      std::size_t eol;
      while ((eol = pending.find('\n')) != std::string::npos) {
        if (pending.rfind("cleaned ", 0) == 0) ++run.cleanedLines;
        pending.erase(0, eol + 1);
      }
    } else {
      std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
    if (!killed && ((lines >= 0 && run.cleanedLines >= lines) ||
                    (lines < 0 && std::chrono::steady_clock::now() - start >= delay))) {
      kill(pid, SIGKILL);
      killed = true;
    }
  }
  close(pipeFds[0]);
  int status = 0;
  waitpid(pid, &status, 0);
  return run;
}

TEST(CrashTest, KilledCleanLeavesAFileThatRestoresEverythingRemoved) {
  const std::string work = std::filesystem::temp_directory_path() /
                           ("ovalin-crash-" + std::to_string(getpid()));
  std::filesystem::create_directories(work);
  const std::string seedFile = work + "/seed.reg";
  std::ofstream(seedFile) << SeedText();

  // The findings in the order the clean takes them, and the registry before the clean.
  platform::posix::SubstituteConfig config;
  config.drives[u'C'] = work;
  auto reference = std::make_unique<platform::posix::SubstitutePlatform>(config);
  platform::RegFileError error;
  ASSERT_TRUE(platform::LoadRegFile(reference->Get().registry, seedFile, &error)) << error.Message();
  const auto original = SortedLines(platform::ExportRegFile(reference->Get().registry, {U16(kSharedDlls)}));
  ASSERT_GT(original.size(), static_cast<std::size_t>(kFindings));

  std::mt19937 rng(20240601);
  for (int trial = 0; trial < 24; ++trial) {
    SCOPED_TRACE("trial " + std::to_string(trial));
    const std::string drive = work + "/drive" + std::to_string(trial);
    std::filesystem::create_directories(drive);
    const int lines = trial % 2 == 0 ? static_cast<int>(rng() % kFindings) : -1;
    const auto delay = std::chrono::microseconds(rng() % 3000000);
    const KilledRun run = CleanAndKill(seedFile, drive, lines, delay);

    const std::string folder = drive + "/Ovalin/Data/ZUNRC";
    std::vector<std::string> dataFiles;
    if (std::filesystem::exists(folder)) {
      for (const auto& e : std::filesystem::directory_iterator(folder)) {
        if (e.path().extension() == ".rss") dataFiles.push_back(e.path().filename());
      }
    }
    if (dataFiles.empty()) {
      EXPECT_EQ(run.cleanedLines, 0);
      continue;
    }
    ASSERT_EQ(dataFiles.size(), 1u);

    // The header covers whole records only.
    std::ifstream in(folder + "/" + dataFiles[0], std::ios::binary);
    const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)), {});
    MemoryByteSource source(bytes.data(), bytes.size());
    BackupReader reader(source, bytes.size());
    int records = 0;
    if (bytes.size() > 8) {
      ASSERT_TRUE(reader.ReadHeader());
      BackupRecordView record;
      while (reader.Next(&record)) ++records;
      EXPECT_FALSE(reader.Failed());
      EXPECT_EQ(reader.Consumed(), reader.EndOfData());
    }
    // Every removal the clean reported, and the one it may have made just before it
    // died, has its complete record.
    EXPECT_GE(records, run.cleanedLines);

    // Replay the removals on a fresh registry, restore the file, compare.
    platform::posix::SubstituteConfig replayConfig;
    replayConfig.drives[u'C'] = drive;
    platform::posix::SubstitutePlatform replay(replayConfig);
    ASSERT_TRUE(platform::LoadRegFile(replay.Get().registry, seedFile, &error));
    TRCRegCleaner scanner(replay.Get(), StandardScanRules());
    ASSERT_TRUE(scanner.Scan(stSharedDlls));
    while (scanner.Status() != kStatusIdle) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    const int removed = std::min(records, run.cleanedLines + 1);
    ASSERT_GE(scanner.ScannedItemsCount(), removed);
    RegAccess access(replay.Get().registry);
    for (int i = 0; i < removed; ++i) {
      const auto& item = *scanner.ScannedItems()[static_cast<std::size_t>(i)];
      const SplitPath split = SplitRegPath(item.Path);
      access.SetRootKey(split.root);
      ASSERT_TRUE(access.OpenKey(split.subKey, false));
      ASSERT_TRUE(access.DeleteValue(item.ValueName));
    }
    if (bytes.size() > 8) {
      EXPECT_TRUE(scanner.RestoreRescue(U16("C:\\Ovalin\\Data\\ZUNRC\\" + dataFiles[0])));
    }
    EXPECT_TRUE(SortedLines(platform::ExportRegFile(replay.Get().registry, {U16(kSharedDlls)})) == original)
        << "the restored registry differs; " << records << " records, " << run.cleanedLines
        << " findings reported cleaned";
  }
  std::filesystem::remove_all(work);
}

}  // namespace
}  // namespace ovalin::testing

#endif  // _WIN32
