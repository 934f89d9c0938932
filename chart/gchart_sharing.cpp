#include "chart/gchart.h"

#include <algorithm>

// Charts that share data hold one item store, so every change made through any of them
// is seen by all at once, counters and LastDrawnIndex included.

namespace {

constexpr size_t kMaxDataShares = 4;

}  // namespace

void TGChart::SetUseDataOf(TGChart* master) {
  if (!master) {
    if (!UseDataOf_) return;
    StopSharing();
    AppearanceChanged();
    return;
  }
  if (master == this) {
    ShowMessage("GChart: Cannot share data with myself");
    return;
  }
  if (!Sharers_.empty()) {
    ShowMessage("GChart: Cannot use foreign data. Other GCharts are using my own data.");
    return;
  }
  if (master == UseDataOf_) return;
  // Sharing is never chained: a chart that uses another's data hands on its master. That
  // master may be this chart's own already; it is then full or this chart moves to the
  // end of its list, as any newcomer would.
  if (master->UseDataOf_) master = master->UseDataOf_;
  if (master->Sharers_.size() >= kMaxDataShares) {
    ShowMessage("GChart: Max. number of data shares exceeded");
    return;
  }
  master->Sharers_.reserve(kMaxDataShares);
  Changing(chItems);
  if (UseDataOf_) std::erase(UseDataOf_->Sharers_, this);
  UseDataOf_ = master;
  Store_ = master->Store_;
  master->Sharers_.push_back(this);
  AppearanceChanged();
}

// The charts named by UseDataOf and its sharing list (this one included), then the
// charts that use this chart's data.
void TGChart::NotifySharers() {
  std::vector<TGChart*> charts;
  if (UseDataOf_) {
    charts.push_back(UseDataOf_);
    charts.insert(charts.end(), UseDataOf_->Sharers_.begin(), UseDataOf_->Sharers_.end());
  }
  charts.insert(charts.end(), Sharers_.begin(), Sharers_.end());
  for (TGChart* chart : charts) {
    if (chart->AutoRedraw_) chart->Paint();
  }
}

// The chart keeps showing the items it showed, now in a store of its own.
void TGChart::StopSharing() {
  Store_ = std::make_shared<TItemStore>(*Store_);
  std::erase(UseDataOf_->Sharers_, this);
  UseDataOf_ = nullptr;
}
