#include "chart/item_store.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <new>

namespace {

// Room behind the slots for the start offset to move into before the records are moved
// back to the front.
int64_t SlackFor(int32_t capacity) { return capacity / 4 + 16; }

}  // namespace

TItemStore::TItemStore(const TItemStore& other)
    : NumItems_(other.NumItems_), LastDrawnIndex_(other.LastDrawnIndex_), Counts_(other.Counts_) {
  AllocateFrom(other.Base(), other.Dirty_, other.Capacity_);
}

// Replaces the buffer by one of `capacity` zero slots holding the first `keep` records of
// source (which may lie in the old buffer). std::bad_alloc leaves the store as it was.
void TItemStore::AllocateFrom(const TChartItem* source, int32_t keep, int32_t capacity) {
  std::unique_ptr<TChartItem[], TFreeBuffer> buffer;
  const int64_t physical = capacity > 0 ? capacity + SlackFor(capacity) : 0;
  if (physical > 0) {
    buffer.reset(static_cast<TChartItem*>(std::calloc(size_t(physical), sizeof(TChartItem))));
    if (!buffer) throw std::bad_alloc();
    if (keep > 0) std::memcpy(buffer.get(), source, size_t(keep) * sizeof(TChartItem));
  }
  Buffer_ = std::move(buffer);
  Physical_ = physical;
  Start_ = 0;
  Capacity_ = capacity;
  Dirty_ = keep;
}

TChartItem& TItemStore::NextSlot(int32_t growStep) {
  if (NumItems_ >= Capacity_) {
    const int64_t grown = int64_t(Capacity_) + std::max(growStep, 1);
    if (grown > INT32_MAX) throw std::bad_alloc();
    AllocateFrom(Base(), Dirty_, int32_t(grown));
  }
  return Base()[NumItems_];
}

void TItemStore::CommitNextSlot() {
  Count(Base()[NumItems_], +1);
  ++NumItems_;
  Dirty_ = std::max(Dirty_, NumItems_);
}

void TItemStore::Count(const TChartItem& item, int32_t delta) {
  if (item.Kind < kCountedKinds) Counts_[item.Kind] += delta;
}

void TItemStore::RemoveItem(int32_t index) {
  if (index < 0 || index >= NumItems_) return;
  if (NumItems_ == 1) {
    Release();
    return;
  }
  Count(Base()[index], -1);
  // Moving the start costs the dirty spare slots, which must keep their places.
  const int32_t spareToKeep = Dirty_ - NumItems_ + 1;
  if (index == 0 && spareToKeep < NumItems_ - 1) {
    DropFirst();
  } else {
    TChartItem* base = Base();
    std::memmove(base + index, base + index + 1, size_t(NumItems_ - index - 1) * sizeof(TChartItem));
  }
  --NumItems_;
}

// Removing the items one by one from the highest index down: a removal behind the last
// kept item only shortens the list, so those slots keep the removed records; each other
// removal shifts the records above it down and leaves the then last record, the last kept
// item, in the slot it vacates.
void TItemStore::RemoveLayer(int32_t layer) {
  TChartItem* base = Base();
  int32_t lastKept = -1;
  for (int32_t i = NumItems_ - 1; i >= 0; --i) {
    if (base[i].Layer != layer) {
      lastKept = i;
      break;
    }
  }
  if (lastKept < 0) {
    if (NumItems_ > 0) Release();
    return;
  }
  int32_t kept = 0;
  for (int32_t i = 0; i <= lastKept; ++i) {
    if (base[i].Layer == layer) {
      Count(base[i], -1);
      continue;
    }
    if (kept != i) base[kept] = base[i];
    ++kept;
  }
  for (int32_t i = lastKept + 1; i < NumItems_; ++i) Count(base[i], -1);
  for (int32_t i = kept; i < lastKept; ++i) base[i] = base[kept - 1];
  NumItems_ = kept;
}

// Slot i becomes physical Start_ + 1 + i: the items follow by themselves; the former last
// record and the dirty spare slots behind it move up one place so that they keep their
// slot numbers.
void TItemStore::DropFirst() {
  if (Start_ + 1 + Capacity_ > Physical_) Compact();
  TChartItem* last = Base() + NumItems_ - 1;
  std::memmove(last + 1, last, size_t(Dirty_ - NumItems_ + 1) * sizeof(TChartItem));
  ++Start_;
}

void TItemStore::Compact() {
  TChartItem* buffer = Buffer_.get();
  std::memmove(buffer, buffer + Start_, size_t(Dirty_) * sizeof(TChartItem));
  std::memset(buffer + Dirty_, 0, size_t(Start_) * sizeof(TChartItem));
  Start_ = 0;
}

void TItemStore::Release() {
  Buffer_.reset();
  Physical_ = 0;
  Start_ = 0;
  Capacity_ = 0;
  Dirty_ = 0;
  NumItems_ = 0;
  Counts_.fill(0);
}

void TItemStore::Clear() {
  Release();
  LastDrawnIndex_ = 0;
}

TItemStore TItemStore::ResizedForLoad(bool append, int32_t count) const {
  const int32_t keep = append ? NumItems_ : 0;
  TItemStore loaded;
  loaded.AllocateFrom(Base(), keep, keep + count);
  loaded.Dirty_ = keep + count;
  loaded.NumItems_ = keep;
  if (append) {
    loaded.Counts_ = Counts_;
    loaded.LastDrawnIndex_ = LastDrawnIndex_;
  }
  return loaded;
}

void TItemStore::CommitLoaded(int32_t count) {
  for (const TChartItem& item : LoadSlots().first(size_t(count))) Count(item, +1);
  NumItems_ += count;
}
