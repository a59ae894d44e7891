#include "engine/scanned_item.h"

namespace ovalin {

std::u16string ReasonText(const FindingReason& reason) {
  switch (reason.kind) {
    case ReasonKind::kNone: return {};
    case ReasonKind::kFileNotFound: return u"File not found: " + reason.subject;
    case ReasonKind::kFolderNotFound: return u"Folder not found: " + reason.subject;
    case ReasonKind::kKeyNotFound: return u"Key not found: " + reason.subject;
    case ReasonKind::kEmptyValue: return u"Empty value";
    case ReasonKind::kEmptyKey: return u"Empty key";
    case ReasonKind::kNotText: return u"Not a text value";
  }
  return {};
}

}  // namespace ovalin
