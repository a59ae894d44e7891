// What a change of language writes into the application's configuration: the
// application title and the language ID. The configuration object implements it.
#pragma once

#include <cstdint>
#include <string>

namespace ovalin {

class LanguageSettings {
 public:
  virtual ~LanguageSettings() = default;
  virtual void SetApplicationTitle(std::u16string title) = 0;
  // The built-in title, used when a pack leaves the title empty.
  virtual const std::u16string& ApplicationTitleDup() const = 0;
  // Stores the ID and writes it to the configuration file at once; false when the write
  // failed (the ID is stored in memory all the same).
  virtual bool SetLanguageID(std::uint16_t id) = 0;
};

}  // namespace ovalin
