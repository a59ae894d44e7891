// Answers that one scan may need many times over (whether a file is there, whether a
// referenced key exists), kept for the rest of the scan by their text without regard to
// case. The store is bounded: when it is full it starts afresh, so that memory does not
// grow with the entries a scan judges.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

#include "engine/text_utils.h"

namespace ovalin {

template <typename Answer>
class ScanAnswers {
 public:
  static constexpr std::size_t kCapacity = 1 << 16;

  std::optional<Answer> Find(std::u16string_view text) const {
    const auto found = answers_.find(StrUpper(text));
    if (found == answers_.end()) return std::nullopt;
    return found->second;
  }

  void Remember(std::u16string_view text, Answer answer) {
    if (answers_.size() >= kCapacity) answers_.clear();
    answers_[StrUpper(text)] = answer;
  }

  void Clear() { answers_.clear(); }

 private:
  std::unordered_map<std::u16string, Answer> answers_;
};

}  // namespace ovalin
