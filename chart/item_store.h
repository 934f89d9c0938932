#pragma once
// The display list: item records in index order (index 0 the oldest), grown by a fixed
// step, with the number of items of each kind.
//
// Every allocated slot has defined bytes, the spare ones behind the items included: new
// slots are zero, a removal leaves the former last record in the slot it vacates, and an
// append writes only the fields of its kind. The spare bytes reach the session file
// through later appends, so removal keeps them exactly as a shift of the records down by
// one would. Removing the oldest item moves a start offset instead of the records, which
// keeps the trend window's remove-and-append per sample cheap.

#include <array>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <span>

#include "chart/chart_item.h"

class TItemStore {
 public:
  TItemStore() = default;
  TItemStore(const TItemStore& other);
  TItemStore(TItemStore&&) noexcept = default;
  TItemStore& operator=(TItemStore&&) noexcept = default;
  TItemStore& operator=(const TItemStore&) = delete;

  int32_t NumItems() const { return NumItems_; }
  int32_t Capacity() const { return Capacity_; }
  // The valid items, 0 .. NumItems - 1.
  std::span<const TChartItem> Items() const { return {Base(), size_t(NumItems_)}; }
  // Every allocated slot, 0 .. Capacity - 1.
  std::span<const TChartItem> Slots() const { return {Base(), size_t(Capacity_)}; }
  // 0 for codes outside 0..16.
  int32_t ItemCountOfKind(int kind) const { return kind >= 0 && kind < kCountedKinds ? Counts_[size_t(kind)] : 0; }
  int32_t LastDrawnIndex() const { return LastDrawnIndex_; }
  void SetLastDrawnIndex(int32_t index) { LastDrawnIndex_ = index; }

  // Appending is two steps: NextSlot makes room (growing by growStep records when the
  // store is full; std::bad_alloc leaves the store as it was) and returns the slot at
  // index NumItems, whose unwritten fields keep their bytes; CommitNextSlot counts it.
  TChartItem& NextSlot(int32_t growStep);
  void CommitNextSlot();

  // An index outside the items changes nothing; removing the only item releases the
  // array. Capacity stays otherwise.
  void RemoveItem(int32_t index);
  // Removes every item of the layer in one pass, leaving every slot as RemoveItem on each
  // of them, the highest index first, would.
  void RemoveLayer(int32_t layer);
  // No items, no array, all counters and LastDrawnIndex 0.
  void Clear();

  // A store of exactly NumItems + count slots (append) or count slots (replace) for
  // loading a session file: the kept items, counters and LastDrawnIndex, then zero slots.
  // Fill LoadSlots() and commit the records actually read.
  TItemStore ResizedForLoad(bool append, int32_t count) const;
  std::span<TChartItem> LoadSlots() { return {Base() + NumItems_, size_t(Capacity_ - NumItems_)}; }
  void CommitLoaded(int32_t count);

 private:
  struct TFreeBuffer {
    void operator()(TChartItem* p) const { std::free(p); }
  };

  TChartItem* Base() const { return Buffer_ ? Buffer_.get() + Start_ : nullptr; }
  void AllocateFrom(const TChartItem* source, int32_t keep, int32_t capacity);
  void Release();
  void DropFirst();
  void Compact();
  void Count(const TChartItem& item, int32_t delta);

  std::unique_ptr<TChartItem[], TFreeBuffer> Buffer_;
  int64_t Physical_ = 0;  // records allocated; Start_ + Capacity_ <= Physical_
  int32_t Start_ = 0;  // physical index of slot 0
  int32_t Capacity_ = 0;
  int32_t Dirty_ = 0;  // slots from here to the end of the buffer are zero
  int32_t NumItems_ = 0;
  int32_t LastDrawnIndex_ = 0;
  std::array<int32_t, kCountedKinds> Counts_{};
};
