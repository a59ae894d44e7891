// Load speed of ".reg" files into the substitute registry: for each size, a file with
// that many values under one key (UTF-16 LE, as regedit writes it) is parsed and applied
// to an empty substitute, then every value is looked up once by a name spelled in
// another letter case. Prints the seconds of each phase.
//
//   regload_bench [COUNT...]        default: 10000 20000 40000 100000
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/posix/substitute_registry.h"
#include "platform/reg_file.h"

namespace {

using namespace ovalin;
using Clock = std::chrono::steady_clock;

double SecondsSince(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

std::string AsUtf16File(const std::u16string& text) {
  std::string bytes = "\xFF\xFE";
  bytes.reserve(2 + text.size() * 2);
  for (char16_t c : text) {
    bytes += static_cast<char>(c & 0xFF);
    bytes += static_cast<char>(c >> 8);
  }
  return bytes;
}

std::u16string Number(unsigned long value) {
  std::string digits = std::to_string(value);
  return std::u16string(digits.begin(), digits.end());
}

// "Value N" names, string, dword and hex data in turn.
std::string OneKeyFile(unsigned long count) {
  std::u16string text =
      u"Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\Software\\Bench]\r\n";
  for (unsigned long i = 0; i < count; ++i) {
    text += u"\"Value " + Number(i) + u"\"=";
    switch (i % 3) {
      case 0: text += u"\"C:\\\\Program Files\\\\Bench\\\\file" + Number(i) + u".dll\""; break;
      case 1: text += u"dword:0000002a"; break;
      default: text += u"hex:01,02,03,04,05,06,07,08"; break;
    }
    text += u"\r\n";
  }
  return AsUtf16File(text);
}

bool Run(unsigned long count) {
  const std::string file = OneKeyFile(count);
  platform::posix::SubstituteRegistry registry;

  Clock::time_point start = Clock::now();
  std::vector<platform::RegFileOperation> operations;
  platform::RegFileError error;
  if (!platform::ParseRegFile(file, "bench.reg", &operations, &error)) {
    std::fprintf(stderr, "%s\n", error.Message().c_str());
    return false;
  }
  const double parse = SecondsSince(start);
  start = Clock::now();
  if (!platform::ApplyRegFile(registry, operations, &error)) {
    std::fprintf(stderr, "%s\n", error.Message().c_str());
    return false;
  }
  const double apply = SecondsSince(start);

  platform::RegKey key = 0;
  if (registry.OpenKey(platform::kCurrentUser, u"SOFTWARE\\BENCH", platform::kKeyRead, &key) !=
      platform::kRegOk) {
    std::fprintf(stderr, "the key is missing\n");
    return false;
  }
  start = Clock::now();
  unsigned long found = 0;
  for (unsigned long i = 0; i < count; ++i) {
    std::uint32_t type = 0;
    if (registry.QueryValue(key, u"VALUE " + Number(i), &type, nullptr, nullptr) ==
        platform::kRegOk) {
      ++found;
    }
  }
  const double lookup = SecondsSince(start);
  registry.CloseKey(key);
  std::printf("%7lu values: parse %.3f s, apply %.3f s, load %.3f s; %lu lookups %.3f s\n",
              count, parse, apply, parse + apply, found, lookup);
  return found == count;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<unsigned long> counts;
  for (int i = 1; i < argc; ++i) counts.push_back(std::strtoul(argv[i], nullptr, 10));
  if (counts.empty()) counts = {10000, 20000, 40000, 100000};
  for (unsigned long count : counts) {
    if (!Run(count)) return 1;
  }
  return 0;
}
