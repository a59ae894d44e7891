// Options shared by the verbs of ovalin-rc, and the parsing helpers each verb uses.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace ovalin::cli {

// Exit statuses.
constexpr int kExitOk = 0;
constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;

struct CommonOptions {
  std::uint32_t scanTypes = 0x7FF000;
  bool scanTypesGiven = false;
  bool json = false;
  // The program folder (a Windows path); backups go to its "Data\ZUNRC\".
  std::u16string basePath;
  // Substitute platform only.
  std::vector<std::string> regFiles;
  std::map<char16_t, std::string> drives;
  std::map<std::u16string, std::u16string> environment;
  std::map<int, std::u16string> specialFolders;
  std::string saveRegFile;
  // Keys that refuse full access, as keys that need administrator rights do for a
  // process without them; and whether the process counts as elevated.
  std::vector<std::u16string> deniedKeys;
  bool elevated = true;
};

// Thrown for wrong arguments; main prints the message and the usage text.
struct UsageError {
  std::string message;
};

// Reads the arguments of one verb in order.
class ArgumentReader {
 public:
  explicit ArgumentReader(std::vector<std::string> arguments);
  bool Done() const { return position_ >= arguments_.size(); }
  const std::string& Peek() const { return arguments_[position_]; }
  // Takes the option at the position. An option given twice is a UsageError (a second
  // value would silently replace the first), except the substitute's repeatable ones.
  std::string Next();
  // The value after an option; UsageError when there is none.
  std::string ValueOf(const std::string& option);

 private:
  std::vector<std::string> arguments_;
  std::size_t position_ = 0;
  std::vector<std::string> taken_;
};

// Consumes one shared option at the reader's position; false when the next argument is
// not one of them. Throws UsageError for a bad value.
bool ReadCommonOption(ArgumentReader& reader, CommonOptions& options);

// "0x7ff000", "8384512" or "components,fonts"; throws UsageError, also for a mask with
// bits that are no scan type or with no scan type at all.
std::uint32_t ParseScanTypes(const std::string& text);
// The names of the scan types in a mask, separated by commas ("shareddlls,fonts").
std::string ScanTypeNames(std::uint32_t mask);
// "0,3,7"; throws UsageError.
std::vector<int> ParseIndexList(const std::string& text);
// "0123456789abcdef,..." (finding ids, 16 hexadecimal digits each; any letter case);
// lower case, each once, in the order given. Throws UsageError.
std::vector<std::string> ParseIdList(const std::string& text);

// The usage text of every verb.
const char* UsageText();

}  // namespace ovalin::cli
