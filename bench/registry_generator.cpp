#include "registry_generator.h"

#include <random>
#include <string>
#include <vector>

#include "engine/reg_access.h"
#include "engine/text_utils.h"

namespace ovalin::bench {

namespace {

std::u16string Num(std::uint64_t n) { return FromUtf8(std::to_string(n)); }

std::u16string Guid(std::uint64_t n) {
  char text[40];
  std::snprintf(text, sizeof text, "{%08llX-0000-4000-8000-%012llX}",
                static_cast<unsigned long long>(n), static_cast<unsigned long long>(n));
  return FromUtf8(text);
}

class Writer {
 public:
  Writer(platform::Platform& platform, const GeneratorOptions& options, GeneratedRegistry& out)
      : platform_(platform), options_(options), out_(out), random_(options.seed) {
    for (int i = 0; i < options.sharedFiles; ++i) {
      files_.push_back(u"C:\\Bench\\Files\\file" + Num(i) + u".dll");
      auto file = platform_.files.Open(files_.back(), platform::FileOpenMode::kCreateAlways);
    }
  }

  // A key below a root, created with its parents.
  void Key(platform::RegKey root, const std::u16string& path) {
    RegAccess key(platform_.registry);
    key.SetRootKey(root);
    key.OpenKey(path, true);
    ++out_.keys;
  }
  void Value(platform::RegKey root, const std::u16string& path, const std::u16string& name,
             const std::u16string& text) {
    RegAccess key(platform_.registry);
    key.SetRootKey(root);
    if (key.OpenKey(path, true)) key.WriteString(name, text);
    ++out_.values;
  }
  bool Broken() {
    const bool broken = std::uniform_real_distribution<double>(0, 1)(random_) < options_.brokenShare;
    out_.brokenEntries += broken;
    return broken;
  }
  // A file path: an existing one, or a missing one when the entry is broken.
  std::u16string FilePath(bool broken, std::uint64_t n) {
    if (broken) return u"C:\\Bench\\Gone\\gone" + Num(n) + u".dll";
    return files_[n % files_.size()];
  }

 private:
  platform::Platform& platform_;
  const GeneratorOptions& options_;
  GeneratedRegistry& out_;
  std::mt19937 random_;
  std::vector<std::u16string> files_;
};

}  // namespace

GeneratedRegistry GenerateRegistry(platform::Platform& platform, const GeneratorOptions& options) {
  GeneratedRegistry result;
  platform.files.CreateFolders(u"C:\\Bench\\Files");
  Writer w(platform, options, result);
  const platform::RegKey hkcr = platform::kClassesRoot;
  const platform::RegKey hklm = platform::kLocalMachine;
  // One unit creates 28 keys across all areas.
  constexpr std::uint64_t kKeysPerUnit = 28;
  const std::uint64_t units = options.keys / kKeysPerUnit + 1;
  for (std::uint64_t n = 0; n < units; ++n) {
    // A class with servers, icon, ProgID and type library (7 keys).
    const std::u16string clsid = u"CLSID\\" + Guid(n);
    w.Value(hkcr, clsid, u"", u"Bench class " + Num(n));
    w.Value(hkcr, clsid + u"\\InprocServer32", u"", w.FilePath(w.Broken(), n));
    w.Value(hkcr, clsid + u"\\InprocServer32", u"ThreadingModel", u"Both");
    w.Value(hkcr, clsid + u"\\DefaultIcon", u"", w.FilePath(w.Broken(), n) + u",0");
    w.Value(hkcr, clsid + u"\\ProgID", u"", w.Broken() ? u"Bench.Gone." + Num(n) : u"Bench.Type." + Num(n));
    w.Value(hkcr, clsid + u"\\TypeLib", u"", Guid(w.Broken() ? n + (1ull << 40) : n));
    w.Key(hkcr, clsid + u"\\Implemented Categories\\{00000000-0000-0000-0000-000000000001}");
    // A type library (5 keys) and an interface (3 keys).
    const std::u16string lib = u"TypeLib\\" + Guid(n) + u"\\1.0";
    w.Value(hkcr, lib, u"", u"Bench library");
    w.Value(hkcr, lib + u"\\0\\win32", u"", w.FilePath(w.Broken(), n));
    w.Value(hkcr, lib + u"\\FLAGS", u"", u"0");
    w.Value(hkcr, lib + u"\\HELPDIR", u"", w.Broken() ? u"C:\\Bench\\Gone" : u"C:\\Bench\\Files");
    const std::u16string iface = u"Interface\\" + Guid(n);
    w.Value(hkcr, iface, u"", u"IBench");
    w.Value(hkcr, iface + u"\\ProxyStubClsid32", u"", Guid(w.Broken() ? n + (1ull << 40) : n));
    w.Value(hkcr, iface + u"\\TypeLib", u"", Guid(n));
    // An extension and its file type with shell verbs (8 keys).
    const std::u16string ext = u".bench" + Num(n);
    const std::u16string type = u"Bench.Type." + Num(n);
    w.Value(hkcr, ext, u"", type);
    w.Value(hkcr, ext + u"\\OpenWithProgids", w.Broken() ? u"Bench.Gone." + Num(n) : type, u"");
    w.Value(hkcr, ext + u"\\ShellNew", u"NullFile", w.Broken() ? u"" : u"template.doc");
    w.Value(hkcr, type, u"", u"Bench type " + Num(n));
    w.Value(hkcr, type + u"\\DefaultIcon", u"", w.FilePath(w.Broken(), n) + u",1");
    w.Value(hkcr, type + u"\\shell\\open\\command", u"", u"\"" + w.FilePath(false, n) + u"\" \"%1\"");
    w.Value(hkcr, type + u"\\shell\\print\\command", u"", w.FilePath(w.Broken(), n) + u" /p \"%1\"");
    w.Value(hkcr, type + u"\\CurVer", u"", w.Broken() ? type + u".9" : type);
    // An uninstall entry (1 key), a Run value and a font.
    const std::u16string program =
        u"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Bench" + Num(n);
    w.Value(hklm, program, u"DisplayName", u"Bench program " + Num(n));
    w.Value(hklm, program, u"UninstallString", w.FilePath(w.Broken(), n) + u" /uninstall");
    w.Value(hklm, program, u"InstallLocation", w.Broken() ? u"C:\\Bench\\Gone\\" : u"C:\\Bench\\Files\\");
    if (n % 10 == 0) {
      w.Value(hklm, u"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run", u"Bench" + Num(n),
              w.FilePath(w.Broken(), n));
      w.Value(hklm, u"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Fonts",
              u"Bench " + Num(n) + u" (TrueType)", w.FilePath(w.Broken(), n));
    }
  }
  result.keys = units * kKeysPerUnit;
  return result;
}

}  // namespace ovalin::bench
