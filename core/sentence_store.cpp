#include "core/sentence_store.h"

#include <cstddef>
#include <span>
#include <string>
#include <string_view>

namespace vantrel {

std::u16string* SentenceStore::append(std::u16string_view sentence) {
  if (next_index_ < 1 || next_index_ > kCapacity) return nullptr;
  std::u16string& slot = sentences_[static_cast<std::size_t>(next_index_)];
  slot.assign(sentence);  // reuses the slot's memory from an earlier list
  ++next_index_;          // cannot overflow: the check keeps it <= 1001
  return &slot;
}

std::span<const std::u16string> SentenceStore::held() const {
  if (next_index_ <= 1) return {};
  return std::span<const std::u16string>(sentences_)
      .subspan(1, static_cast<std::size_t>(next_index_ - 1));
}

}  // namespace vantrel
