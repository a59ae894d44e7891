// Crash consistency on the real registry: ovalin-rc.exe cleans broken shared-DLL entries
// seeded into the registry and is terminated at random moments. Each time the data
// file's header must cover exactly complete records, every value the killed clean
// removed must have its record, and restoring the file must give the key back exactly as
// it was before the clean. (The native variant replays the removals on the substitute;
// here the registry itself keeps what the killed process did.)
#ifdef _WIN32

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <map>
#include <random>
#include <set>
#include <string>
#include <thread>

#include "backup/backup_fixture.h"
#include "engine/backup_reader.h"
#include "platform/win32/win32_text.h"

namespace ovalin::testing {
namespace {

using platform::win32::OwnedHandle;

constexpr int kFindings = 300;
constexpr char16_t kSharedDllsKey[] = u"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\SharedDLLs";
constexpr char16_t kSharedDllsPath[] =
    u"HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\SharedDLLs";

std::u16string SeededName(int i) {
  return u"C:\\ovalin-crash-missing\\lib" + U16(std::to_string(i)) + u".dll";
}

// The command-line program; a build path of the Linux host is reached through Wine's Z:.
std::u16string CliPath() {
  std::u16string path = U16(OVALIN_CLI);
  if (!path.empty() && path[0] == u'/') {
    std::replace(path.begin(), path.end(), u'/', u'\\');
    path = u"Z:" + path;
  }
  return path;
}

// The shared-DLL values by lower-case name.
using Values = std::map<std::u16string, RawValue>;

class WindowsCrashTest : public BackupTest {
 protected:
  ~WindowsCrashTest() override {
    // The seeded entries never stay in the registry, whatever the test did.
    RegAccess access(P().registry);
    access.SetRootKey(platform::kLocalMachine);
    if (access.OpenKey(kSharedDllsKey, false)) {
      for (int i = 0; i < kFindings; ++i) access.DeleteValue(SeededName(i));
    }
  }

  Values ReadSharedDlls() {
    Values values;
    RegAccess access(P().registry);
    access.SetRootKey(platform::kLocalMachine);
    if (!access.OpenKey(kSharedDllsKey, false)) return values;
    for (const std::u16string& name : access.GetValueNames()) {
      RawValue value;
      EXPECT_TRUE(ReadValue(kSharedDllsPath, name, &value));
      values[StrLower(name)] = value;
    }
    return values;
  }

  void SeedSharedDlls() {
    for (int i = 0; i < kFindings; ++i) {
      const std::uint32_t count = static_cast<std::uint32_t>(i % 10);
      RawValue value{platform::kRegDword, std::vector<std::uint8_t>(4, 0)};
      value.data[0] = static_cast<std::uint8_t>(count);
      WriteValue(kSharedDllsPath, SeededName(i), value);
    }
  }

  // Runs "clean --all" of the shared-DLL area with base as the program folder and
  // terminates it after `lines` progress lines, or `delay` after the first one. Returns
  // the number of progress lines it wrote.
  int CleanAndTerminate(const std::u16string& base, int lines, std::chrono::microseconds delay) {
    SECURITY_ATTRIBUTES inherit{sizeof(inherit), nullptr, TRUE};
    HANDLE pipeRead = nullptr, pipeWrite = nullptr;
    EXPECT_TRUE(CreatePipe(&pipeRead, &pipeWrite, &inherit, 0));
    OwnedHandle readEnd(pipeRead), writeEnd(pipeWrite);
    SetHandleInformation(readEnd.get(), HANDLE_FLAG_INHERIT, 0);
    OwnedHandle nul(CreateFileW(L"NUL", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                 &inherit, OPEN_EXISTING, 0, nullptr));
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = nul.get();
    startup.hStdOutput = nul.get();
    startup.hStdError = writeEnd.get();
    const std::u16string program = CliPath();
    std::u16string command = u"\"" + program + u"\" clean --all --types shareddlls --base \"" +
                             base + u"\"";
    PROCESS_INFORMATION process{};
    const BOOL started = CreateProcessW(reinterpret_cast<const wchar_t*>(program.c_str()),
                                        reinterpret_cast<wchar_t*>(command.data()), nullptr,
                                        nullptr, TRUE, CREATE_NO_WINDOW, nullptr, nullptr,
                                        &startup, &process);
    EXPECT_TRUE(started) << "cannot start " << U8(program) << ": error " << GetLastError();
    if (!started) return 0;
    OwnedHandle processHandle(process.hProcess), threadHandle(process.hThread);
    writeEnd.Close();

    int cleanedLines = 0;
    std::string pending;
    bool terminated = false;
    std::chrono::steady_clock::time_point firstLine{};
    while (true) {
      DWORD available = 0;
      if (!PeekNamedPipe(readEnd.get(), nullptr, 0, nullptr, &available, nullptr)) break;
      if (available > 0) {
        char buffer[4096];
        DWORD got = 0;
        if (!ReadFile(readEnd.get(), buffer, std::min<DWORD>(available, sizeof buffer), &got,
                      nullptr)) {
          break;
        }
        pending.append(buffer, got);
        std::size_t eol;
        while ((eol = pending.find('\n')) != std::string::npos) {
          if (pending.rfind("cleaned ", 0) == 0 && ++cleanedLines == 1) {
            firstLine = std::chrono::steady_clock::now();
          }
          pending.erase(0, eol + 1);
        }
      } else {
        std::this_thread::sleep_for(std::chrono::microseconds(200));
      }
      const bool due = lines >= 0 ? cleanedLines >= lines
                                  : cleanedLines > 0 &&
                                        std::chrono::steady_clock::now() - firstLine >= delay;
      if (!terminated && due) {
        TerminateProcess(processHandle.get(), 9);
        terminated = true;
      }
    }
    WaitForSingleObject(processHandle.get(), INFINITE);
    return cleanedLines;
  }
};

TEST_F(WindowsCrashTest, TerminatedCleanLeavesAFileThatRestoresEverythingRemoved) {
  SeedSharedDlls();
  const Values original = ReadSharedDlls();
  ASSERT_GE(original.size(), static_cast<std::size_t>(kFindings));

  std::mt19937 rng(20241210);
  int cutShort = 0;  // trials that ended inside the clean, with some values removed
  for (int trial = 0; trial < 20; ++trial) {
    SCOPED_TRACE("trial " + std::to_string(trial));
    const std::u16string base = platform_.ScratchFolder() + u"trial" + U16(std::to_string(trial));
    platform_.CreateFolder(base);
    // Even trials stop after a number of findings, odd ones at a moment within the clean
    // (Wine cleans about a thousand findings a second).
    const int lines = trial % 2 == 0 ? static_cast<int>(rng() % kFindings) : -1;
    const auto delay = std::chrono::microseconds(rng() % 300000);
    const int cleanedLines = CleanAndTerminate(base, lines, delay);

    const Values now = ReadSharedDlls();
    std::set<std::u16string> removed;
    for (const auto& [name, value] : original) {
      const auto it = now.find(name);
      if (it == now.end()) {
        removed.insert(name);
      } else {
        EXPECT_TRUE(it->second == value) << "value changed: " << U8(name);
      }
    }
    EXPECT_GE(removed.size(), static_cast<std::size_t>(cleanedLines));
    if (!removed.empty() && removed.size() < original.size()) ++cutShort;

    const std::u16string folder = base + u"\\Data\\ZUNRC\\";
    std::vector<std::u16string> dataFiles;
    for (const auto& entry : P().files.ListFolder(folder)) {
      if (!entry.isFolder && entry.name.size() > 4 &&
          StrSameText(entry.name.substr(entry.name.size() - 4), u".rss")) {
        dataFiles.push_back(entry.name);
      }
    }
    if (dataFiles.empty()) {
      EXPECT_TRUE(removed.empty()) << removed.size() << " values removed without a data file";
      continue;
    }
    ASSERT_EQ(dataFiles.size(), 1u);
    const std::u16string dataFile = folder + dataFiles[0];

    // The header covers whole records only, and every removed value has its record.
    const std::vector<std::uint8_t> bytes = ReadFileBytes(dataFile);
    std::set<std::u16string> backedUp;
    if (bytes.size() > kBackupHeaderSize) {
      MemoryByteSource source(bytes.data(), bytes.size());
      BackupReader reader(source, bytes.size());
      ASSERT_TRUE(reader.ReadHeader());
      BackupRecordView record;
      while (reader.Next(&record)) {
        EXPECT_TRUE(StrSameText(record.path, kSharedDllsPath)) << U8(record.path);
        for (const BackupEntryView& entry : record.entries) backedUp.insert(StrLower(entry.name));
      }
      EXPECT_FALSE(reader.Failed());
      EXPECT_EQ(reader.Consumed(), reader.EndOfData());
    }
    for (const std::u16string& name : removed) {
      EXPECT_EQ(backedUp.count(name), 1u) << "removed without a record: " << U8(name);
    }

    // A clean terminated before it recorded its set left a data file without a section:
    // the listing finds it all the same.
    if (!backedUp.empty()) {
      Cleaner().SetRescueDir(folder);
      Cleaner().UpdateRescueList();
      ASSERT_EQ(Cleaner().RescueCount(), 1);
      EXPECT_TRUE(StrSameText(Cleaner().RescueItems(0)->BackupFile, dataFiles[0]));
    }

    // Restoring gives the key back as it was.
    if (bytes.size() > kBackupHeaderSize) {
      EXPECT_TRUE(Cleaner().RestoreRescue(dataFile));
    }
    EXPECT_TRUE(ReadSharedDlls() == original)
        << "the restored key differs; " << removed.size() << " values removed, "
        << cleanedLines << " findings reported cleaned";
    SeedSharedDlls();  // a clean killed before its first record leaves nothing to restore
  }
  // Most trials must really have stopped a clean half-way, or the test proves little.
  std::printf("%d of 20 cleans were terminated half-way\n", cutShort);
  EXPECT_GE(cutShort, 8);
}

}  // namespace
}  // namespace ovalin::testing

#endif  // _WIN32
