// Process services of the substitute, answered from tables given at start-up.
#pragma once

#include <map>
#include <string>

#include "platform/system_services.h"

namespace ovalin::platform::posix {

class SubstituteSystem : public SystemServices {
 public:
  SubstituteSystem(std::map<std::u16string, std::u16string> environment,
                   std::map<int, std::u16string> specialFolders, std::u16string modulePath,
                   std::uint16_t threadLanguageID);

  // As ExpandEnvironmentStringsW: "%NAME%" is replaced when NAME is set (names matched
  // without regard to case); an unknown "%NAME%" and a "%" without a partner stay.
  bool ExpandEnvironment(std::u16string_view text, std::u16string* result) override;
  std::u16string SpecialFolder(int csidl) override;
  std::u16string ModulePath() override;
  // There is no shell to hand anything to.
  bool ShellOpen(std::u16string_view file, std::u16string_view parameters,
                 int showCommand) override;
  std::uint16_t ThreadLanguageID() override;
  // As the configuration says (elevated unless told otherwise).
  bool IsElevated() override { return elevated_; }
  void SetElevated(bool elevated) { elevated_ = elevated; }

 private:
  const std::u16string* Lookup(std::u16string_view name) const;

  std::map<std::u16string, std::u16string> environment_;
  std::map<int, std::u16string> specialFolders_;
  std::u16string modulePath_;
  std::uint16_t threadLanguageID_;
  bool elevated_ = true;
};

}  // namespace ovalin::platform::posix
