// Fills a registry with a synthetic, realistically mixed population for the scan
// benchmark: classes with server subkeys, type libraries, interfaces, extensions and
// file types with shell verbs, uninstall entries, Run values and fonts. A chosen share
// of entries is broken (names a missing file or key); the intact ones name files that
// the generator creates.
#pragma once

#include <cstdint>
#include <string>

#include "platform/platform.h"

namespace ovalin::bench {

struct GeneratorOptions {
  std::uint64_t keys = 100000;  // keys to create, about
  double brokenShare = 0.05;    // share of entries that point at nothing
  std::uint32_t seed = 1;
  int sharedFiles = 200;        // distinct existing files the intact entries name
};

struct GeneratedRegistry {
  std::uint64_t keys = 0;
  std::uint64_t values = 0;
  std::uint64_t brokenEntries = 0;
};

GeneratedRegistry GenerateRegistry(platform::Platform& platform, const GeneratorOptions& options);

}  // namespace ovalin::bench
