#include "chart/item_store.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <random>
#include <vector>

namespace {

TChartItem& Append(TItemStore& store, uint8_t kind, double x, int32_t step = 1000) {
  TChartItem& slot = store.NextSlot(step);
  slot.Kind = kind;
  slot.X = x;
  store.CommitNextSlot();
  return slot;
}

TEST(ItemStore, GrowsLinearlyKeepingRecordsAndZeroingNewSlots) {
  TItemStore store;
  EXPECT_EQ(store.Capacity(), 0);
  for (int i = 0; i < 1000; ++i) Append(store, ikDrawTo, i);
  EXPECT_EQ(store.Capacity(), 1000);
  Append(store, ikDrawTo, 1000);
  EXPECT_EQ(store.Capacity(), 2000);
  EXPECT_EQ(store.NumItems(), 1001);
  for (int i = 0; i <= 1000; ++i) ASSERT_EQ(store.Items()[size_t(i)].X, i);
  const TChartItem zero{};
  for (int i = 1001; i < 2000; ++i) ASSERT_EQ(std::memcmp(&store.Slots()[size_t(i)], &zero, sizeof zero), 0);
}

TEST(ItemStore, RemovalCountersAndClear) {
  TItemStore store;
  Append(store, ikMoveTo, 0);
  store.RemoveItem(0);
  EXPECT_EQ(store.NumItems(), 0);
  EXPECT_EQ(store.Capacity(), 0);
  EXPECT_EQ(store.ItemCountOfKind(ikMoveTo), 0);
  for (uint8_t kind : {uint8_t(ikMoveTo), uint8_t(ikDrawTo), uint8_t(ikDrawTo), uint8_t(200)}) Append(store, kind, store.NumItems());
  EXPECT_EQ(store.ItemCountOfKind(ikMoveTo), 1);
  EXPECT_EQ(store.ItemCountOfKind(ikDrawTo), 2);
  EXPECT_EQ(store.ItemCountOfKind(200), 0);  // kept, not counted
  store.RemoveItem(4);
  store.RemoveItem(-1);
  store.RemoveItem(0);
  EXPECT_EQ(store.NumItems(), 3);
  EXPECT_EQ(store.Capacity(), 1000);
  EXPECT_EQ(store.Items()[0].X, 1);
  EXPECT_EQ(store.Items()[2].Kind, 200);
  EXPECT_EQ(store.Slots()[3].Kind, 200);  // the vacated slot keeps the former last record
  EXPECT_EQ(store.ItemCountOfKind(ikMoveTo), 0);
  store.SetLastDrawnIndex(2);
  store.Clear();
  EXPECT_EQ(store.Capacity(), 0);
  EXPECT_EQ(store.LastDrawnIndex(), 0);
  EXPECT_EQ(store.ItemCountOfKind(ikDrawTo), 0);
}

// The store as a plain array whose records are shifted down by every removal.
struct TPlainStore {
  std::vector<TChartItem> Slots;
  int32_t NumItems = 0;

  TChartItem& NextSlot(int32_t step) {
    if (NumItems >= int32_t(Slots.size())) Slots.resize(Slots.size() + size_t(step));
    return Slots[size_t(NumItems)];
  }
  void Remove(int32_t index) {
    if (index < 0 || index >= NumItems) return;
    if (NumItems == 1) {
      *this = {};
      return;
    }
    std::copy(Slots.begin() + index + 1, Slots.begin() + NumItems, Slots.begin() + index);
    --NumItems;
  }
};

void ExpectSame(const TItemStore& store, const TPlainStore& plain, int step) {
  ASSERT_EQ(store.NumItems(), plain.NumItems) << "step " << step;
  ASSERT_EQ(store.Capacity(), int32_t(plain.Slots.size())) << "step " << step;
  ASSERT_TRUE(std::equal(store.Slots().begin(), store.Slots().end(), plain.Slots.begin(),
                         [](const TChartItem& a, const TChartItem& b) { return std::memcmp(&a, &b, sizeof a) == 0; }))
      << "step " << step;
  for (int k = 0; k < kCountedKinds; ++k) {
    const auto ofKind = [k](const TChartItem& item) { return item.Kind == k; };
    ASSERT_EQ(store.ItemCountOfKind(k), std::count_if(plain.Slots.begin(), plain.Slots.begin() + plain.NumItems, ofKind))
        << "step " << step;
  }
}

// Appends write only some fields, so every spare byte a removal leaves behind becomes
// visible in a later record: the fast front removal must leave exactly the same bytes.
TEST(ItemStore, EverySlotMatchesAPlainShiftingArray) {
  std::mt19937 random(12345);
  TItemStore store;
  TPlainStore plain;
  const auto append = [&](int32_t growStep) {
    const uint8_t kind = uint8_t(random() % 20);
    const double value = double(random() % 1000);
    const int fields = int(random() % 3);
    const int32_t layer = int32_t(random() % 3);
    for (TChartItem* slot : {&store.NextSlot(growStep), &plain.NextSlot(growStep)}) {
      slot->Kind = kind;
      slot->Layer = layer;
      if (fields >= 1) slot->X = value;
      if (fields >= 2) slot->FillColor = TColor(value);
    }
    store.CommitNextSlot();
    ++plain.NumItems;
  };
  for (int step = 0; step < 30000; ++step) {
    const int32_t growStep = step < 15000 ? 7 : 64;
    const unsigned action = random() % 100;
    if (action < 48) {
      append(growStep);
    } else if (action < 90) {
      store.RemoveItem(0);
      plain.Remove(0);
    } else if (action < 99) {
      const int32_t index = int32_t(random() % unsigned(plain.NumItems + 2)) - 1;
      store.RemoveItem(index);
      plain.Remove(index);
    } else if (random() % 2) {
      // a filtered copy taken away: all items of one layer
      const int32_t layer = int32_t(random() % 3);
      store.RemoveLayer(layer);
      for (int32_t i = plain.NumItems - 1; i >= 0; --i) {
        if (plain.Slots[size_t(i)].Layer == layer) plain.Remove(i);
      }
    } else {
      store.Clear();
      plain = {};
    }
    ExpectSame(store, plain, step);
  }
  // the trend window: one append and one removal per sample, long enough to wrap often
  for (int i = 0; i < 1000; ++i) append(1000);
  for (int step = 0; step < 5000; ++step) {
    append(1000);
    store.RemoveItem(0);
    plain.Remove(0);
    if (step % 97 == 0) ExpectSame(store, plain, step);
  }
  ExpectSame(store, plain, -1);
}

}  // namespace
