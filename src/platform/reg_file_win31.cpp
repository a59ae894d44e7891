// The Windows 3.1 form: the header "REGEDIT", then lines that set the default value of
// a key below HKEY_CLASSES_ROOT:
//   HKEY_CLASSES_ROOT\.txt = txtfile
// The key runs to the first blank; then blanks, an optional '=' and at most one space
// are skipped, and the rest of the line (trailing blanks included) is the text. Windows
// reads only lines that start with "HKEY_CLASSES_ROOT" in exactly that spelling and
// passes over every other one; we take blank lines and ';' or '#' comments as Windows
// does and refuse any other line, since its writer meant something Windows would not
// import.
#include "platform/reg_file_parse.h"
#include "platform/reg_file_text.h"
#include "platform/registry.h"
#include "platform/utf8.h"

namespace ovalin::platform::regfile {
namespace {

constexpr std::u16string_view kClassesRoot = u"HKEY_CLASSES_ROOT";

}  // namespace

bool ParseWin31Lines(RegFileLines& lines, std::vector<RegFileOperation>* operations,
                     std::string* problem) {
  std::u16string_view line;
  while (lines.Next(&line)) {
    if (line.find(u'\0') != std::u16string_view::npos) {
      *problem = "NUL character in the line";
      return false;
    }
    if (line.substr(0, kClassesRoot.size()) != kClassesRoot) {
      std::u16string_view rest = SkipBlanks(line);
      if (rest.empty() || rest.front() == u';' || rest.front() == u'#') continue;
      *problem = "line not of the form \"HKEY_CLASSES_ROOT\\key = text\" (Windows passes "
                 "over it)";
      return false;
    }
    std::size_t keyEnd = 0;
    while (keyEnd < line.size() && !IsBlank(line[keyEnd])) ++keyEnd;
    std::u16string_view text = SkipBlanks(line.substr(keyEnd));
    if (!text.empty() && text.front() == u'=') text.remove_prefix(1);
    if (!text.empty() && text.front() == u' ') text.remove_prefix(1);

    RegFileOperation operation;
    if (!ParseKeyPath(line.substr(0, keyEnd), &operation.keyPath, problem)) return false;
    operation.kind = RegFileOperation::Kind::kSetValue;
    operation.type = kRegSz;
    std::u16string data(text);
    data += u'\0';
    operation.data = ToLittleEndian(data);
    operations->push_back(std::move(operation));
  }
  return true;
}

}  // namespace ovalin::platform::regfile
