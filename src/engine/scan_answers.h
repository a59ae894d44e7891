// Answers that one scan may need many times over (whether a file is there, whether a
// referenced key exists), kept for the rest of the scan by their text without regard to
// case. The store is bounded: when it is full it starts afresh, so that memory does not
// grow with the entries a scan judges.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>

#include "engine/text_utils.h"

namespace ovalin {

template <typename Answer>
class ScanAnswers {
 public:
  static constexpr std::size_t kCapacity = 1 << 16;

  // The answer kept for text, or ask()'s answer, kept from now on.
  template <typename Ask>
  Answer FindOrAsk(std::u16string_view text, Ask ask) {
    std::u16string key = StrUpper(text);
    const auto found = answers_.find(key);
    if (found != answers_.end()) return found->second;
    const Answer answer = ask();
    if (answers_.size() >= kCapacity) answers_.clear();
    answers_.emplace(std::move(key), answer);
    return answer;
  }

  void Clear() { answers_.clear(); }

 private:
  std::unordered_map<std::u16string, Answer> answers_;
};

}  // namespace ovalin
