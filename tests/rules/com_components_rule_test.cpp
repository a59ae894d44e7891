#include <gtest/gtest.h>

#include "rules/scan_rules.h"
#include "rule_harness.h"

namespace ovalin::testing {
namespace {

constexpr const char* kClass1 = "HKEY_CLASSES_ROOT\\CLSID\\{0FA10001-0000-4000-8000-000000000001}\\";
constexpr const char* kClass2 = "HKEY_CLASSES_ROOT\\CLSID\\{0FA10002-0000-4000-8000-000000000002}\\";
constexpr const char* kClass4 = "HKEY_CLASSES_ROOT\\CLSID\\{0FA10004-0000-4000-8000-000000000004}\\";
constexpr const char* kLib1 = "HKEY_CLASSES_ROOT\\TypeLib\\{0FA10100-0000-4000-8000-000000000100}\\1.0\\";
constexpr const char* kLib2 = "HKEY_CLASSES_ROOT\\TypeLib\\{0FA10101-0000-4000-8000-000000000101}\\2.0\\";
constexpr const char* kIface1 = "HKEY_CLASSES_ROOT\\Interface\\{0FA10200-0000-4000-8000-000000000200}\\";
constexpr const char* kIface2 = "HKEY_CLASSES_ROOT\\Interface\\{0FA10201-0000-4000-8000-000000000201}\\";

std::string P(const char* base, const char* rest) { return std::string(base) + rest; }

TEST(ComComponentsRule, ReportsEveryExaminedSubkeyOfClassesLibrariesAndInterfaces) {
  RuleHarness h;
  h.SeedFixture("com_components.reg");
  h.Test().CreateFile(h.Scratch() + u"srv.exe");
  h.Test().CreateFile(h.Scratch() + u"lib16.tlb");
  h.Test().CreateFolder(h.Scratch() + u"help");

  const std::string title1 = "Ovalin Test Class One";
  h.ExpectRecords(
      h.Run(stComponents, &ScanComComponents),
      {
          // Classes: 4 keys over 0..50; the empty class {..03} gives nothing.
          {0, 0, title1, P(kClass1, "InprocServer32"), "", "", 12},
          {0, 0, title1, P(kClass1, "LocalServer32"), "", "$SCRATCH$srv.exe /automation", 12},
          {41, mtDeleteValue, title1, P(kClass1, "DefaultIcon"), "", "", 12},
          {35, mtDeleteValue, title1, P(kClass1, "ProgID"), "", "Ovalin.Missing.1", 12},
          {0, 0, title1, P(kClass1, "INPROCSERVER"), "", "mscoree.dll", 12},
          {36, mtDeleteValue, "", P(kClass2, "InprocServer32"), "", "", 25},
          {39, mtDeleteValue, "", P(kClass2, "LocalServer"), "", "$SCRATCH$gone.exe /automation", 25},
          {0, 0, "", P(kClass2, "VersionIndependentProgID"), "", "Ovalin.ComTest", 25},
          {0, 0, "", P(kClass2, "TypeLib"), "", "{0FA10100-0000-4000-8000-000000000100}", 25},
          {40, mtDeleteValue, "", P(kClass2, "ToolboxBitmap32"), "", "$WINDIR$\\ovalin-gone.dll,1", 25},
          {0, 0, "", P(kClass4, "InprocServer32"), "", "", 50},
          // Type libraries: 2 keys over 50..85; win64 and FLAGS are not examined.
          {69, mtDeleteValue, "", P(kLib1, "0\\win32"), "", "$SCRATCH$ovalin-lib.tlb", 67},
          {0, 0, "", P(kLib1, "9\\win16"), "", "$SCRATCH$lib16.tlb", 67},
          {0, 0, "", P(kLib1, "HELPDIR"), "", "$SCRATCH$help", 67},
          {68, mtDeleteValue, "", P(kLib2, "HELPDIR"), "", "$SCRATCH$nohelp", 85},
          // Interfaces: 2 keys over 85..100; NumMethods is not examined.
          {0, 0, "", P(kIface1, "ProxyStubClsid32"), "", "{0FA10001-0000-4000-8000-000000000001}", 92},
          {65, mtDeleteValue, "", P(kIface1, "ProxyStubClsid"), "", "{0FA1FFFF-0000-4000-8000-00000000FFFF}", 92},
          {34, mtDeleteValue, "", P(kIface1, "TypeLib"), "", "{0FA1FFFE-0000-4000-8000-00000000FFFE}", 92},
          {64, mtDeleteValue, "", P(kIface2, "ProxyStubClsid32"), "", "{0FA1FFFF-0000-4000-8000-00000000FFFF}", 100},
      });
}

}  // namespace
}  // namespace ovalin::testing
