// SentenceStore holds the sentences of the current list in numbered slots.
// Slots 1 .. next_index - 1 are the held sentences, in order; the slot index
// is the number the sentence gets in the saved file. Slot 0 is never filled.
// A fresh start only rewinds next_index: later appends overwrite old slots in
// place, reusing their memory. The store never holds more than kCapacity
// sentences and never writes past its last slot.
#ifndef VANTREL_CORE_SENTENCE_STORE_H_
#define VANTREL_CORE_SENTENCE_STORE_H_

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace vantrel {

class SentenceStore {
 public:
  static constexpr int kCapacity = 1000;

  // next_index <- 0: nothing held, and no list has been started yet.
  void initialise() { next_index_ = 0; }

  // next_index <- 1: an empty list; old slot texts stay until overwritten.
  void fresh_start() { next_index_ = 1; }

  // Copies `sentence` into slot next_index and advances next_index.
  // Returns the stored copy, or nullptr (storing nothing) when the store is
  // full or no list has been started, so that nothing lands where it would
  // never be read.
  std::u16string* append(std::u16string_view sentence);

  // The held sentences, slots 1 .. next_index - 1; empty before a fresh start.
  std::span<const std::u16string> held() const;

  // The slot the next sentence goes to (0 before the first fresh start).
  std::int16_t next_index() const { return next_index_; }

 private:
  std::array<std::u16string, kCapacity + 1> sentences_;
  std::int16_t next_index_ = 0;
};

}  // namespace vantrel

#endif  // VANTREL_CORE_SENTENCE_STORE_H_
