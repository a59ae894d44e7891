#include "cli/host_files.h"

#include <cstdio>
#include <memory>

#include "engine/text_utils.h"

namespace ovalin::cli {

namespace {

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using HostFile = std::unique_ptr<std::FILE, FileCloser>;

HostFile OpenHostFile(const std::string& path, bool forWriting) {
#ifdef _WIN32
  const std::u16string wide = FromUtf8(path);
  return HostFile(
      _wfopen(reinterpret_cast<const wchar_t*>(wide.c_str()), forWriting ? L"wb" : L"rb"));
#else
  return HostFile(std::fopen(path.c_str(), forWriting ? "wb" : "rb"));
#endif
}

}  // namespace

bool ReadHostFile(const std::string& path, std::string* bytes) {
  HostFile file = OpenHostFile(path, false);
  if (!file) return false;
  bytes->clear();
  char buffer[65536];
  std::size_t got = 0;
  while ((got = std::fread(buffer, 1, sizeof buffer, file.get())) > 0) bytes->append(buffer, got);
  return std::ferror(file.get()) == 0;
}

bool WriteHostFile(const std::string& path, const std::string& bytes) {
  HostFile file = OpenHostFile(path, true);
  if (!file) return false;
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file.get()) == bytes.size();
  return std::fclose(file.release()) == 0 && written;
}

}  // namespace ovalin::cli
