#include "cli/command_line.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <iterator>

#include "engine/scanned_item.h"
#include "engine/text_utils.h"

namespace ovalin::cli {

namespace {

struct ScanTypeName {
  const char* name;
  std::uint32_t bit;
};

constexpr ScanTypeName kScanTypeNames[] = {
    {"components", stComponents}, {"filetypes", stFileTypes},     {"programs", stPrograms},
    {"shareddlls", stSharedDlls}, {"helpfiles", stHelpFiles},     {"historylist", stHistoryList},
    {"fonts", stFonts},           {"sounds", stSounds},           {"shortcuts", stShortcuts},
    {"startmenu", stStartMenu},   {"startup", stStartup},
};

bool ParseUnsigned(const std::string& text, int base, unsigned long long* value) {
  if (text.empty()) return false;
  for (char c : text) {
    const bool digit = (c >= '0' && c <= '9') ||
                       (base == 16 && ((c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F')));
    if (!digit) return false;
  }
  errno = 0;
  *value = std::strtoull(text.c_str(), nullptr, base);
  return errno == 0;
}

std::string Lower(std::string text) {
  for (char& c : text) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return text;
}

// Options that add to a list rather than set one value.
const std::string kRepeatableOptions[] = {"--reg", "--drive", "--env", "--folder", "--deny"};

// A mask that selects at least one scan type and nothing else.
std::uint32_t CheckedMask(std::uint32_t mask, const std::string& text) {
  if ((mask & ~kAllScanTypes) != 0) {
    throw UsageError{"the scan-type mask '" + text + "' has bits that are no scan type"};
  }
  if (mask == 0) throw UsageError{"the scan-type mask '" + text + "' selects no scan type"};
  return mask;
}

#ifndef _WIN32
// "NAME=VALUE" split at the first '='.
std::pair<std::string, std::string> SplitAssignment(const std::string& option,
                                                    const std::string& text) {
  const std::size_t equals = text.find('=');
  if (equals == std::string::npos || equals == 0) {
    throw UsageError{option + " expects NAME=VALUE, got '" + text + "'"};
  }
  return {text.substr(0, equals), text.substr(equals + 1)};
}
#endif

}  // namespace

ArgumentReader::ArgumentReader(std::vector<std::string> arguments)
    : arguments_(std::move(arguments)) {}

std::string ArgumentReader::Next() {
  const std::string option = arguments_[position_++];
  const bool repeatable = std::find(std::begin(kRepeatableOptions), std::end(kRepeatableOptions),
                                    option) != std::end(kRepeatableOptions);
  if (!repeatable && std::find(taken_.begin(), taken_.end(), option) != taken_.end()) {
    throw UsageError{option + " is given more than once"};
  }
  taken_.push_back(option);
  return option;
}

std::string ArgumentReader::ValueOf(const std::string& option) {
  if (Done()) throw UsageError{option + " needs a value"};
  return arguments_[position_++];
}

std::uint32_t ParseScanTypes(const std::string& text) {
  unsigned long long value = 0;
  const std::string lower = Lower(text);
  if (lower.rfind("0x", 0) == 0) {
    if (!ParseUnsigned(lower.substr(2), 16, &value) || value > 0xFFFFFFFFull) {
      throw UsageError{"bad scan-type mask '" + text + "'"};
    }
    return CheckedMask(static_cast<std::uint32_t>(value), text);
  }
  if (ParseUnsigned(lower, 10, &value)) {
    if (value > 0xFFFFFFFFull) throw UsageError{"bad scan-type mask '" + text + "'"};
    return CheckedMask(static_cast<std::uint32_t>(value), text);
  }
  std::uint32_t mask = 0;
  std::size_t start = 0;
  while (start <= lower.size()) {
    const std::size_t comma = lower.find(',', start);
    const std::string name =
        lower.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
    bool known = false;
    for (const auto& entry : kScanTypeNames) {
      if (name == entry.name) {
        mask |= entry.bit;
        known = true;
      }
    }
    if (!known) throw UsageError{"unknown scan type '" + name + "'"};
    if (comma == std::string::npos) break;
    start = comma + 1;
  }
  return CheckedMask(mask, text);
}

std::vector<int> ParseIndexList(const std::string& text) {
  std::vector<int> indexes;
  std::size_t start = 0;
  while (true) {
    const std::size_t comma = text.find(',', start);
    const std::string piece =
        text.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
    unsigned long long value = 0;
    if (!ParseUnsigned(piece, 10, &value) || value > 0x7FFFFFFF) {
      throw UsageError{"bad finding index '" + piece + "'"};
    }
    indexes.push_back(static_cast<int>(value));
    if (comma == std::string::npos) break;
    start = comma + 1;
  }
  return indexes;
}

std::vector<std::string> ParseIdList(const std::string& text) {
  std::vector<std::string> ids;
  std::size_t start = 0;
  while (true) {
    const std::size_t comma = text.find(',', start);
    const std::string id =
        Lower(text.substr(start, comma == std::string::npos ? std::string::npos : comma - start));
    unsigned long long ignored = 0;
    if (id.size() != 16 || !ParseUnsigned(id, 16, &ignored)) {
      throw UsageError{"bad finding id '" + id + "' (16 hexadecimal digits expected)"};
    }
    if (std::find(ids.begin(), ids.end(), id) == ids.end()) ids.push_back(id);
    if (comma == std::string::npos) break;
    start = comma + 1;
  }
  return ids;
}

bool ReadCommonOption(ArgumentReader& reader, CommonOptions& options) {
  const std::string option = reader.Peek();
  if (option == "--types") {
    reader.Next();
    options.scanTypes = ParseScanTypes(reader.ValueOf(option));
    options.scanTypesGiven = true;
  } else if (option == "--json") {
    reader.Next();
    options.json = true;
  } else if (option == "--base") {
    reader.Next();
    options.basePath = FromUtf8(reader.ValueOf(option));
#ifndef _WIN32
  } else if (option == "--reg") {
    reader.Next();
    options.regFiles.push_back(reader.ValueOf(option));
  } else if (option == "--save-reg") {
    reader.Next();
    options.saveRegFile = reader.ValueOf(option);
  } else if (option == "--drive") {
    reader.Next();
    const auto [letter, folder] = SplitAssignment(option, reader.ValueOf(option));
    const char c = letter.size() == 1 ? letter[0] : '\0';
    if (!((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'))) {
      throw UsageError{"--drive expects a drive letter, got '" + letter + "'"};
    }
    options.drives[static_cast<char16_t>(c & ~0x20)] = folder;
  } else if (option == "--env") {
    reader.Next();
    const auto [name, value] = SplitAssignment(option, reader.ValueOf(option));
    options.environment[FromUtf8(name)] = FromUtf8(value);
  } else if (option == "--folder") {
    reader.Next();
    const auto [number, path] = SplitAssignment(option, reader.ValueOf(option));
    unsigned long long csidl = 0;
    if (!ParseUnsigned(number, 10, &csidl) || csidl > 0xFFFF) {
      throw UsageError{"--folder expects a CSIDL number, got '" + number + "'"};
    }
    options.specialFolders[static_cast<int>(csidl)] = FromUtf8(path);
  } else if (option == "--deny") {
    reader.Next();
    options.deniedKeys.push_back(FromUtf8(reader.ValueOf(option)));
  } else if (option == "--not-elevated") {
    reader.Next();
    options.elevated = false;
#endif
  } else {
    return false;
  }
  return true;
}

std::string ScanTypeNames(std::uint32_t mask) {
  std::string names;
  for (const auto& entry : kScanTypeNames) {
    if ((mask & entry.bit) == 0) continue;
    if (!names.empty()) names += ',';
    names += entry.name;
  }
  return names;
}

const char* UsageText() {
  return "usage: ovalin-rc <command> [options]\n"
         "commands:\n"
         "  scan    [--types MASK] [--json]\n"
         "  clean   (--all | --id ID[,ID...] | --from SCAN.json [--index 0,3,7])\n"
         "          [--description TEXT] [--types MASK] [--json]\n"
         "  backups [--json]\n"
         "  restore (--section NAME | --file PATH) [--json]\n"
         "  delete  (--section NAME | --all) [--json]\n"
         "  export  (--section NAME | --file PATH) [--out FILE.reg [--json]]\n"
         "  ignore  (list | add --id ID [--types MASK] | remove --id ID) [--json]\n"
         "MASK: hexadecimal (0x7ff000), decimal, or names separated by commas:\n"
         "  components,filetypes,programs,shareddlls,helpfiles,historylist,fonts,sounds,\n"
         "  shortcuts,startmenu,startup (default: all)\n"
         "every command: --base PATH (the program folder; backups in its Data\\ZUNRC\\)\n"
#ifndef _WIN32
         "substitute registry: --reg FILE (load a .reg file; repeatable), --drive C=DIR,\n"
         "  --env NAME=VALUE, --folder CSIDL=PATH (repeatable), --save-reg FILE,\n"
         "  --deny KEY (the key refuses full access; repeatable), --not-elevated\n"
#endif
      ;
}

}  // namespace ovalin::cli
