#include <gtest/gtest.h>

#include "rules/scan_rules.h"
#include "rule_harness.h"

namespace ovalin::testing {
namespace {

constexpr const char* kRoot = "HKEY_CLASSES_ROOT\\";
constexpr const char* kFileExts =
    "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\FileExts\\";

std::string C(const char* rest) { return std::string(kRoot) + rest; }

TEST(FileTypesRule, JudgesExtensionsFileTypesAndTheExplorerList) {
  RuleHarness h;
  h.SeedFixture("file_types.reg");
  h.Test().CreateFile(h.Scratch() + u"icon.ico");
  h.Test().CreateFile(h.Scratch() + u"app.exe");

  const std::string ext = "OvalinTest.Missing";  // title of .ovalintest
  const std::string type = "Ovalin test type";
  // Natively HKEY_CLASSES_ROOT holds the fixture's 8 keys, spread over 0..85 in the
  // registry's order: .ovalintest, -blank, -empty, 2, EmptyType, Type, Type.Good, Record.
  h.ExpectRecords(
      h.Run(stFileTypes, &ScanFileTypes),
      {
          {54, mtDeleteValue, ext, C(".ovalintest\\OpenWithProgids"), "OvalinTest.Gone1", "", 10},
          {54, mtDeleteValue, ext, C(".ovalintest\\OpenWithProgids"), "OvalinTest.Gone2", "", 10},
          {113, mtSecondPass, ext, C(".ovalintest\\OpenWithProgids"), "", "", 10},
          {51, mtDeleteValue, ext, C(".ovalintest\\ShellNew"), "NullFile", "", 10},
          {0, 0, ext, C(".ovalintest\\ShellNew"), "FileName", "template.doc", 10},
          {51, mtDeleteValue, ext, C(".ovalintest\\ShellNew"), "Command", "@$SCRATCH$x.dll,-1", 10},
          {66, mtDeleteValue, ext, C(".ovalintest\\PersistentHandler"), "",
           "{0FA1FFFF-0000-4000-8000-00000000FFFF}", 10},
          {0, 0, ext, C(".ovalintest\\DefaultIcon"), "", "$SCRATCH$icon.ico,0", 10},
          {53, mtDeleteValue, "", C(".ovalintest-blank"), "", "", 21},
          {110, mtDeleteEmptyKey, "", C(".ovalintest-empty"), "", "", 31},
          {54, mtDeleteValue, "", C(".ovalintest2\\OpenWithProgids"), "OvalinTest.Gone3", "", 42},
          {0, 0, "", C(".ovalintest2\\OpenWithProgids"), "OvalinTest.Type", "", 42},
          {111, mtDeleteEmptyKey, "", C("OvalinTest.EmptyType"), "", "", 53},
          {67, mtDeleteValue, type, C("OvalinTest.Type\\CurVer"), "", "OvalinTest.Type.2", 63},
          {33, mtDeleteValue, type, C("OvalinTest.Type\\CLSID"), "",
           "{0FA1FFFF-0000-4000-8000-00000000FFFF}", 63},
          {41, mtDeleteValue, type, C("OvalinTest.Type\\DefaultIcon"), "", "$SCRATCH$Gone\\ovalin.ico", 63},
          {51, mtBlankValue, "open", C("OvalinTest.Type\\Shell\\open\\command"), "",
           "$SCRATCH$Gone\\app.exe %1", 63},
          {0, 0, "edit", C("OvalinTest.Type\\Shell\\edit\\command"), "",
           "\"D:\\Gone\\app.exe\" %1", 63},
          {0, 0, "print", C("OvalinTest.Type\\Shell\\print\\command"), "", "$SCRATCH$app.exe /p", 63},
          {51, mtBlankValue, type, C("OvalinTest.Type\\Protocol\\StdFileEditing\\server"), "",
           "$SCRATCH$Gone\\srv.exe", 63},
          {0, 0, type, C("OvalinTest.Type\\Other"), "Path", "tool.exe", 63},
          {0, 0, type, C("OvalinTest.Type\\Other"), "Empty", "", 63},
          {0, 0, "good", C("OvalinTest.Type.Good\\CurVer"), "", "OvalinTest.Type", 74},
          {53, mtDeleteEmptyKey, ".ovalintest-e", std::string(kFileExts) + ".ovalintest-e", "", "",
           92},
      });
}

}  // namespace
}  // namespace ovalin::testing
