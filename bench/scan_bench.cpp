// Scan speed: generates a synthetic registry in the substitute, then times
//   - a bare walk: the same areas' keys enumerated, every value read and the paths in
//     string values probed, with no engine (no records, no events);
//   - the full scan of all eleven rules through TRCRegCleaner;
//   - a replay of exactly the registry reads and file tests that the full scan made,
//     recorded during a second scan and performed again with no rules, records or events;
//   and breaks those operations down by kind: per key, and how many repeat an earlier
//   operation of their kind on the same key path, value, index or file path.
// Reports keys per second, the ratio of the two, and peak memory before and after; and
// how long Stop takes to end the scan at several moments of it.
//
//   scan_bench [--keys N] [--broken SHARE]
#include <sys/resource.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "engine/reg_access.h"
#include "engine/reg_cleaner.h"
#include "engine/text_utils.h"
#include "platform/posix/substitute.h"
#include "operation_breakdown.h"
#include "operation_recorder.h"
#include "registry_generator.h"
#include "rules/standard_rules.h"

namespace {

using namespace ovalin;
using Clock = std::chrono::steady_clock;

long PeakRssKb() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

double Seconds(Clock::time_point since) {
  return std::chrono::duration<double>(Clock::now() - since).count();
}

struct WalkCounts {
  std::uint64_t keys = 0;
  std::uint64_t values = 0;
  std::uint64_t probes = 0;
};

// Reads every value below key and probes the leading path of every string value.
void BareWalk(platform::Platform& p, platform::RegKey key, std::vector<std::uint8_t>& buffer,
              WalkCounts& counts) {
  ++counts.keys;
  std::u16string name;
  for (std::uint32_t i = 0; p.registry.EnumValue(key, i, &name) == platform::kRegOk; ++i) {
    std::uint32_t type = 0;
    std::uint32_t size = static_cast<std::uint32_t>(buffer.size());
    if (p.registry.QueryValue(key, name, &type, buffer.data(), &size) == platform::kRegMoreData) {
      buffer.resize(size);
      p.registry.QueryValue(key, name, &type, buffer.data(), &size);
    }
    ++counts.values;
    if (type != platform::kRegSz && type != platform::kRegExpandSz) continue;
    std::u16string text(reinterpret_cast<const char16_t*>(buffer.data()), size / 2);
    text = text.substr(0, text.find(u'\0'));
    const std::size_t cut = text.find_first_of(u" ,");
    if (text.size() >= 3 && text[1] == u':') {
      p.files.Probe(text.substr(0, cut));
      ++counts.probes;
    }
  }
  for (std::uint32_t i = 0; p.registry.EnumKey(key, i, &name) == platform::kRegOk; ++i) {
    platform::RegKey child = 0;
    if (p.registry.OpenKey(key, name, platform::kKeyAllAccess, &child) != platform::kRegOk) continue;
    BareWalk(p, child, buffer, counts);
    p.registry.CloseKey(child);
  }
}

}  // namespace

int main(int argc, char** argv) {
  bench::GeneratorOptions options;
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::string option = argv[i];
    if (option == "--keys") options.keys = std::strtoull(argv[i + 1], nullptr, 10);
    if (option == "--broken") options.brokenShare = std::strtod(argv[i + 1], nullptr);
  }

  char folder[] = "/tmp/ovalin-bench-XXXXXX";
  if (mkdtemp(folder) == nullptr) return 1;
  platform::posix::SubstituteConfig config;
  config.drives[u'C'] = folder;
  config.environment = {{u"SystemRoot", u"C:\\Windows"}};
  config.specialFolders = {{platform::kCsidlFonts, u"C:\\Windows\\Fonts"},
                           {platform::kCsidlRecent, u"C:\\Users\\bench\\Recent"}};
  platform::posix::SubstitutePlatform services(config);
  platform::Platform& p = services.Get();

  auto start = Clock::now();
  const bench::GeneratedRegistry generated = bench::GenerateRegistry(p, options);
  std::printf("generated %llu keys, %llu values, %llu broken entries in %.1f s; peak %ld MB\n",
              static_cast<unsigned long long>(generated.keys),
              static_cast<unsigned long long>(generated.values),
              static_cast<unsigned long long>(generated.brokenEntries), Seconds(start),
              PeakRssKb() / 1024);

  start = Clock::now();
  WalkCounts walk;
  std::vector<std::uint8_t> buffer(1024);
  for (platform::RegKey root : {platform::kClassesRoot, platform::kLocalMachine}) {
    BareWalk(p, root, buffer, walk);
  }
  const double walkSeconds = Seconds(start);
  std::printf("bare walk: %llu keys, %llu values, %llu probes in %.2f s = %.0f keys/s\n",
              static_cast<unsigned long long>(walk.keys),
              static_cast<unsigned long long>(walk.values),
              static_cast<unsigned long long>(walk.probes), walkSeconds,
              walk.keys / walkSeconds);

  const long peakBeforeScan = PeakRssKb();
  std::atomic<std::uint64_t> records{0};
  std::atomic<bool> ended{false};
  TRCRegCleaner cleaner(p, StandardScanRules());
  cleaner.OnScanning = [&](TRCRegCleaner&, const ScanningEventArgs&) { ++records; };
  cleaner.OnEndScan = [&](TRCRegCleaner&) { ended = true; };
  start = Clock::now();
  cleaner.Scan(kAllScanTypes);
  while (cleaner.Status() != kStatusIdle) std::this_thread::sleep_for(std::chrono::milliseconds(5));
  const double scanSeconds = Seconds(start);
  std::printf("full scan: %llu records, %d findings, %d second-pass in %.2f s = %.0f keys/s\n",
              static_cast<unsigned long long>(records.load()), cleaner.ScannedItemsCount(),
              cleaner.ScannedItemsCount_SecondClean(), scanSeconds, walk.keys / scanSeconds);
  std::printf("scan / bare walk = %.2f; peak memory %ld MB before the scan, %ld MB after\n",
              scanSeconds / walkSeconds, peakBeforeScan / 1024, PeakRssKb() / 1024);

  // Stop latency: the scan stopped at several moments; how long Stop takes to return.
  for (const double share : {0.05, 0.2, 0.35, 0.5, 0.65, 0.8, 0.95}) {
    TRCRegCleaner stopped(p, StandardScanRules());
    std::atomic<std::uint32_t> lastType{0};
    stopped.OnScanning = [&](TRCRegCleaner&, const ScanningEventArgs& e) {
      lastType.store(e.scanType);
    };
    stopped.Scan(kAllScanTypes);
    std::this_thread::sleep_for(std::chrono::duration<double>(scanSeconds * share));
    const std::uint32_t typeAtStop = lastType.load();
    start = Clock::now();
    stopped.Stop();
    std::printf("stop at %2.0f%% of the scan (in scan type 0x%06x): Stop returned after %.1f ms, "
                "%d findings\n",
                share * 100, typeAtStop, Seconds(start) * 1000, stopped.ScannedItemsCount());
  }

  // The scan's own registry and file work, recorded and replayed without the engine.
  std::vector<bench::RecordedOperation> log;
  log.reserve(8 * walk.keys);
  bench::RecordingRegistry recordingRegistry(p.registry, log);
  bench::RecordingFiles recordingFiles(p.files, log);
  platform::Platform recording{recordingRegistry, recordingFiles, p.profiles,
                               p.system,          p.clock,        p.messages};
  {
    TRCRegCleaner recorded(recording, StandardScanRules());
    recorded.Scan(kAllScanTypes);
    recorded.WaitForIdle();
  }
  start = Clock::now();
  bench::Replay(log, p.registry, p.files);
  const double replaySeconds = Seconds(start);
  std::printf("replay of the scan's %llu registry and file operations: %.2f s; "
              "full scan / replay = %.2f\n",
              static_cast<unsigned long long>(log.size()), replaySeconds,
              scanSeconds / replaySeconds);

  const bench::OperationBreakdown breakdown = bench::BreakDown(log);
  std::printf("operations by kind (%.2f per key; repeats: the same operation on the same "
              "key path, name, index or file path as an earlier one):\n",
              static_cast<double>(breakdown.total) / walk.keys);
  std::uint64_t repeats = 0;
  for (std::size_t i = 0; i < bench::kOperationKinds; ++i) {
    const bench::KindCount& count = breakdown.kinds[i];
    repeats += count.repeats;
    std::printf("  %-17s %10llu  %5.2f per key  %10llu repeats (%4.1f%%)",
                bench::KindName(static_cast<bench::RecordedOperation::Kind>(i)),
                static_cast<unsigned long long>(count.total),
                static_cast<double>(count.total) / walk.keys,
                static_cast<unsigned long long>(count.repeats),
                count.total == 0 ? 0.0 : 100.0 * count.repeats / count.total);
    if (count.listings != 0) {
      std::printf("; %llu listings, so as many calls past the last name",
                  static_cast<unsigned long long>(count.listings));
    }
    std::printf("\n");
  }
  std::printf("  %-17s %10llu  %5.2f per key  %10llu repeats; %llu on handles no open "
              "in the log gave\n",
              "all", static_cast<unsigned long long>(breakdown.total),
              static_cast<double>(breakdown.total) / walk.keys,
              static_cast<unsigned long long>(repeats),
              static_cast<unsigned long long>(breakdown.unresolvedHandles));
  std::printf("keys opened again (with any access): %llu; most often (root%u is HKCR, "
              "root%u HKLM):\n",
              static_cast<unsigned long long>(breakdown.reopenedPaths),
              static_cast<unsigned>(platform::kClassesRoot),
              static_cast<unsigned>(platform::kLocalMachine));
  for (const auto& [shape, count] : breakdown.reopenedShapes) {
    std::printf("  %10llu  %s\n", static_cast<unsigned long long>(count), shape.c_str());
  }

  std::error_code ignored;
  std::filesystem::remove_all(folder, ignored);
  return 0;
}
