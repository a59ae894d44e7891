#include "rules/standard_rules.h"

#include "rules/scan_rules.h"

namespace ovalin {

std::vector<ScanRuleEntry> StandardScanRules() {
  // The order in which the worker runs them; Sounds runs before Shortcuts.
  return {
      {stComponents, &ScanComComponents}, {stFileTypes, &ScanFileTypes},
      {stPrograms, &ScanPrograms},        {stSharedDlls, &ScanSharedDlls},
      {stHelpFiles, &ScanHelpFiles},      {stHistoryList, &ScanHistoryList},
      {stFonts, &ScanFonts},              {stSounds, &ScanSounds},
      {stShortcuts, &ScanRecentDocs},     {stStartMenu, &ScanStartMenu},
      {stStartup, &ScanStartup},
  };
}

}  // namespace ovalin
