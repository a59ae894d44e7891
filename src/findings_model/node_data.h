// TNodeDataClass: the data object of one row of the findings list. A type row carries
// Index -1 and its scan-type bit; a finding row the engine's index of the finding, the
// texts shown in its columns, why the entry counts as broken, and whether it belongs to
// the 32-bit programs' view (a WOW6432Node key).
#pragma once

#include <cstdint>
#include <string>
#include <utility>

#include "engine/scanned_item.h"

namespace ovalin {

class TNodeDataClass {
 public:
  TNodeDataClass(std::uint32_t index, std::uint32_t scanType, std::u16string typeDescrip,
                 std::u16string path, std::u16string valueName, std::u16string value)
      : Index(index),
        ScanType(scanType),
        TypeDescrip(std::move(typeDescrip)),
        Path(std::move(path)),
        ValueName(std::move(valueName)),
        Value(std::move(value)) {}

  std::uint32_t Index;
  std::uint32_t ScanType;
  std::u16string TypeDescrip;
  std::u16string Path;
  std::u16string ValueName;
  std::u16string Value;
  FindingReason Reason;
  bool Wow32 = false;
};

constexpr std::uint32_t kTypeRowIndex = 0xFFFFFFFFu;

}  // namespace ovalin
