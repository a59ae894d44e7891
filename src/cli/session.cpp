#include "cli/session.h"

#include <fstream>

#include "cli/full_path.h"
#include "cli/output.h"
#include "engine/text_utils.h"
#include "platform/reg_file.h"
#include "rules/standard_rules.h"

#ifdef _WIN32
#include "platform/win32/win32_platform.h"
#else
#include <sys/stat.h>

#include "platform/posix/substitute.h"
#include "platform/posix/substitute_registry.h"
#endif

namespace ovalin::cli {

namespace {

#ifndef _WIN32
std::unique_ptr<platform::PlatformServices> MakeSubstitute(const CommonOptions& options) {
  platform::posix::SubstituteConfig config;
  for (const auto& [letter, folder] : options.drives) {
    struct stat info {};
    if (stat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) {
      throw UsageError{"--drive " + std::string(1, static_cast<char>(letter)) + "=" + folder +
                       ": not a folder"};
    }
  }
  config.drives = options.drives;
  config.environment = options.environment;
  config.specialFolders = options.specialFolders;
  if (!options.basePath.empty()) {
    config.modulePath = PathAddBackslash(FullPath(options.basePath)) + u"ovalin-rc.exe";
  }
  config.elevated = options.elevated;
  auto services = std::make_unique<platform::posix::SubstitutePlatform>(std::move(config));
  for (const auto& file : options.regFiles) {
    platform::RegFileError error;
    if (!platform::LoadRegFile(services->Get().registry, file, &error)) {
      throw UsageError{"cannot load " + error.Message()};
    }
  }
  for (const auto& key : options.deniedKeys) {
    if (!services->Registry().SetDenyAccess(key, true)) {
      throw UsageError{"--deny " + ToUtf8(key) + ": no such key"};
    }
  }
  return services;
}
#endif

}  // namespace

Session::Session(const CommonOptions& options) : options_(options) {
#ifdef _WIN32
  services_ = platform::win32::CreateWin32Platform();
#else
  services_ = MakeSubstitute(options_);
#endif
  platform::Platform& base = services_->Get();
  registry_ = std::make_unique<CountingRegistry>(base.registry);
  view_.emplace(platform::Platform{*registry_, base.files, base.profiles, base.system,
                                   base.clock, base.messages});
  cleaner_ = std::make_unique<TRCRegCleaner>(*view_, StandardScanRules());
  if (!options_.basePath.empty()) {
    // A mistyped folder must not become a new program folder with a backup folder in it.
    const std::u16string basePath = FullPath(options_.basePath);
    if (view_->files.Probe(basePath) != platform::PathKind::kFolder) {
      throw UsageError{"--base " + ToUtf8(options_.basePath) + ": no such folder"};
    }
    cleaner_->SetRescueDir(PathAddBackslash(basePath) + u"Data\\ZUNRC\\");
    programFolder_ = PathAddBackslash(basePath);
  } else {
    programFolder_ = AppFolder(view_->system);
  }
  ignored_ = std::make_unique<IgnoreList>(view_->profiles);
  ignored_->Load(IgnoreListFile());
  cleaner_->SetIgnoreList(ignored_.get());
}

Session::~Session() = default;

bool RequireElevation(Session& session, const std::string& verb) {
  if (session.Elevated()) return true;
  PrintError("ovalin-rc: " + verb +
             " needs administrator rights; run it from an elevated command prompt\n");
  return false;
}

bool Session::SaveRegistry(std::string* error) {
  if (options_.saveRegFile.empty()) return true;
  const std::string bytes = platform::ExportRegFile(
      Platform().registry, {u"HKEY_CLASSES_ROOT", u"HKEY_CURRENT_USER", u"HKEY_LOCAL_MACHINE",
                            u"HKEY_USERS", u"HKEY_CURRENT_CONFIG"});
  std::ofstream out(options_.saveRegFile, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out.close();
  if (!out) {
    *error = "cannot write " + options_.saveRegFile;
    return false;
  }
  return true;
}

int Finish(Session& session, int status) {
  std::string error;
  if (!session.SaveRegistry(&error)) {
    PrintError(error + "\n");
    return kExitFailed;
  }
  return status;
}

}  // namespace ovalin::cli
