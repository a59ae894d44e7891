#include "platform/posix/substitute_values.h"

#include <iterator>
#include <utility>

namespace ovalin::platform::posix {

const SubstituteValues::Value* SubstituteValues::Find(const std::u16string& foldedName) const {
  auto found = byName_.find(foldedName);
  return found == byName_.end() ? nullptr : &found->second->value;
}

void SubstituteValues::Set(std::u16string_view name, const std::u16string& foldedName,
                           std::uint32_t type, std::vector<std::uint8_t> data) {
  auto found = byName_.find(foldedName);
  if (found != byName_.end()) {
    found->second->value.type = type;
    found->second->value.data = std::move(data);
    return;
  }
  Entry entry{Value{std::u16string(name), type, std::move(data)}, nextSerial_++};
  auto added = order_.insert(order_.end(), std::move(entry));
  byName_.emplace(foldedName, added);
}

bool SubstituteValues::Remove(const std::u16string& foldedName) {
  auto found = byName_.find(foldedName);
  if (found == byName_.end()) return false;
  Order::iterator gone = found->second;
  // Keep the cursor on the same entry (or its successor) and its index true.
  if (cursor_ != order_.end()) {
    if (gone == cursor_) {
      cursor_ = std::next(cursor_);
    } else if (gone->serial < cursor_->serial) {
      --cursorIndex_;
    }
  }
  byName_.erase(found);
  order_.erase(gone);
  return true;
}

const SubstituteValues::Value* SubstituteValues::At(std::size_t index) {
  if (index >= order_.size()) return nullptr;
  if (cursor_ == order_.end() || index < cursorIndex_) {
    cursor_ = order_.begin();
    cursorIndex_ = 0;
  }
  cursor_ = std::next(cursor_, static_cast<std::ptrdiff_t>(index - cursorIndex_));
  cursorIndex_ = index;
  return &cursor_->value;
}

}  // namespace ovalin::platform::posix
