// The values of one key of the substitute registry: kept in creation order (the order
// in which the registry enumerates them) and found by their case-folded name in
// constant time, so that a key with a hundred thousand values loads and answers
// lookups in linear time overall.
#pragma once

#include <cstddef>
#include <cstdint>
#include <list>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace ovalin::platform::posix {

class SubstituteValues {
 public:
  struct Value {
    std::u16string name;  // as spelt when created
    std::uint32_t type = 0;
    std::vector<std::uint8_t> data;
  };

  SubstituteValues() = default;
  SubstituteValues(const SubstituteValues&) = delete;
  SubstituteValues& operator=(const SubstituteValues&) = delete;

  std::size_t size() const { return byName_.size(); }

  // foldedName: the name in the registry's folded (lower-case) form.
  const Value* Find(const std::u16string& foldedName) const;

  // Writes a value; a new one goes to the end of the order, an existing one keeps its
  // place and its spelling.
  void Set(std::u16string_view name, const std::u16string& foldedName, std::uint32_t type,
           std::vector<std::uint8_t> data);

  // False when there is no such value.
  bool Remove(const std::u16string& foldedName);

  // The value at a position of the creation order, null past the end. Rising positions
  // (the way enumeration goes) cost one step each.
  const Value* At(std::size_t index);

  template <typename Visit>
  void ForEach(Visit visit) const {
    for (const auto& entry : order_) visit(entry.value);
  }

 private:
  struct Entry {
    Value value;
    std::uint64_t serial = 0;  // rises with creation, so entries compare by position
  };
  using Order = std::list<Entry>;

  Order order_;
  std::unordered_map<std::u16string, Order::iterator> byName_;
  std::uint64_t nextSerial_ = 0;
  // Where the last positional read stopped; end() when unset.
  Order::iterator cursor_ = order_.end();
  std::size_t cursorIndex_ = 0;
};

}  // namespace ovalin::platform::posix
