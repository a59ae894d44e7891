// Clean and restore speed: cleans N value findings (default 10,000) with their backup
// set and restores the set, on the substitute natively or on the real registry on
// Windows. Prints findings per second for both and the data file's size, once with the
// flush after every finding and once with the flush left out, to show what it costs.
//
//   clean_bench [N]
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "engine/reg_access.h"
#include "engine/reg_cleaner.h"
#include "engine/text_utils.h"

#ifdef _WIN32
#include "platform/win32/win32_platform.h"
#else
#include <unistd.h>

#include "platform/posix/substitute.h"
#endif

namespace {

using namespace ovalin;
using Clock = std::chrono::steady_clock;

// Leaves out the flush of every file, for the comparison only.
class NoFlushFile : public platform::File {
 public:
  explicit NoFlushFile(std::unique_ptr<platform::File> file) : file_(std::move(file)) {}
  bool Read(void* b, std::uint32_t s, std::uint32_t* r) override { return file_->Read(b, s, r); }
  bool Write(const void* d, std::uint32_t s) override { return file_->Write(d, s); }
  bool Seek(std::uint64_t p) override { return file_->Seek(p); }
  std::uint64_t Position() override { return file_->Position(); }
  bool Truncate() override { return file_->Truncate(); }
  bool Flush() override { return true; }
  bool Size(std::uint64_t* s) override { return file_->Size(s); }

 private:
  std::unique_ptr<platform::File> file_;
};

class NoFlushFiles : public platform::FileSystem {
 public:
  explicit NoFlushFiles(platform::FileSystem& base) : base_(base) {}
  platform::PathKind Probe(std::u16string_view p) override { return base_.Probe(p); }
  platform::PathState Examine(std::u16string_view p) override { return base_.Examine(p); }
  platform::DriveKind DriveKindOf(char16_t d) override { return base_.DriveKindOf(d); }
  bool CreateFolders(std::u16string_view p) override { return base_.CreateFolders(p); }
  std::unique_ptr<platform::File> Open(std::u16string_view p, platform::FileOpenMode m) override {
    auto file = base_.Open(p, m);
    return file ? std::make_unique<NoFlushFile>(std::move(file)) : nullptr;
  }
  bool DeleteFile(std::u16string_view p) override { return base_.DeleteFile(p); }
  std::vector<platform::FolderEntry> ListFolder(std::u16string_view p) override {
    return base_.ListFolder(p);
  }

 private:
  platform::FileSystem& base_;
};

const std::u16string kBenchKey = u"Software\\OvalinBench";

void Seed(platform::Registry& registry, int count) {
  RegAccess access(registry);
  access.SetRootKey(platform::kCurrentUser);
  access.DeleteKey(kBenchKey);
  for (int i = 0; i < count; ++i) {
    if (i % 100 == 0) {
      access.SetRootKey(platform::kCurrentUser);
      access.OpenKey(kBenchKey + u"\\K" + FromUtf8(std::to_string(i / 100)), true);
    }
    access.WriteString(FromUtf8("C:\\Missing\\lib" + std::to_string(i) + ".dll"),
                       u"C:\\Program Files\\Somebody\\something.dll");
  }
}

void Run(platform::Platform& platform, const std::u16string& folder, int count, const char* label) {
  Seed(platform.registry, count);
  TRCRegCleaner cleaner(platform, {});
  cleaner.SetRescueDir(folder);
  for (int i = 0; i < count; ++i) {
    auto item = std::make_unique<TRCScannedItem>();
    item->ScannedCode = stSharedDlls | mtDeleteValue | 0x25;
    item->Path = u"HKEY_CURRENT_USER\\" + kBenchKey + u"\\K" + FromUtf8(std::to_string(i / 100));
    item->ValueName = FromUtf8("C:\\Missing\\lib" + std::to_string(i) + ".dll");
    cleaner.AddFinding(std::move(item), 0);
  }
  std::vector<int> failed;
  const auto cleanStart = Clock::now();
  cleaner.CleanAll(&failed, u"benchmark");
  const double cleanSeconds = std::chrono::duration<double>(Clock::now() - cleanStart).count();

  cleaner.UpdateRescueList();
  if (cleaner.RescueCount() == 0) {
    std::printf("%s: no backup set written\n", label);
    return;
  }
  const std::u16string file = cleaner.RescueDir() + cleaner.RescueItems(0)->BackupFile;
  std::uint64_t size = 0;
  FileSizeOf(platform.files, file, &size);
  const auto restoreStart = Clock::now();
  const bool restored = cleaner.RestoreRescue(file);
  const double restoreSeconds = std::chrono::duration<double>(Clock::now() - restoreStart).count();
  std::printf("%s: %d findings, %zu not cleaned; clean %.2f s = %.0f findings/s; restore %s "
              "%.2f s = %.0f findings/s; backup %llu bytes (%.1f bytes per finding)\n",
              label, count, failed.size(), cleanSeconds, count / cleanSeconds,
              restored ? "ok" : "FAILED", restoreSeconds, count / restoreSeconds,
              static_cast<unsigned long long>(size), static_cast<double>(size) / count);
  cleaner.DeleteAllRescue();
  RegAccess access(platform.registry);
  access.SetRootKey(platform::kCurrentUser);
  access.DeleteKey(kBenchKey);
}

}  // namespace

int main(int argc, char** argv) {
  const int count = argc > 1 ? std::atoi(argv[1]) : 10000;
#ifdef _WIN32
  auto services = platform::win32::CreateWin32Platform();
  const std::u16string folder = u"C:\\ovalin-bench\\";
#else
  char pattern[] = "/tmp/ovalin-bench-XXXXXX";
  if (mkdtemp(pattern) == nullptr) return 1;
  platform::posix::SubstituteConfig config;
  config.drives[u'C'] = pattern;
  auto services = std::make_unique<platform::posix::SubstitutePlatform>(config);
  const std::u16string folder = u"C:\\ovalin-bench\\";
#endif
  platform::Platform& real = services->Get();
  Run(real, folder, count, "with flush");
  NoFlushFiles noFlush(real.files);
  platform::Platform view{real.registry, noFlush, real.profiles, real.system, real.clock, real.messages};
  Run(view, folder, count, "without flush");
  return 0;
}
