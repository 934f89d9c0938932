#include "chart/gchart.h"

#include <algorithm>

// Every change of what the chart shows calls Changing before it is made: the setters
// through SetLook and SetGeometry, ranges through SetLayerRange, the items through
// ItemsChanging, the scale blocks, cross-hairs and text labels through their OnChanging.
// It is the one place that knows what the chart keeps from one picture to the next, and
// what each of those assumes:
//
// - Recorded composition (Full_, Area_; gchart_paint.cpp) draws the chart as it is when
//   it was asked for. Appended items do not matter, as each pass remembers how many items
//   it draws, and neither does the current layer, whose grid a pass remembers; any other
//   change would alter its pixels, so the work is carried out first. While painting is
//   suspended the work is not done at all when the repaint that ends the suspension
//   will replace it (PendingStale_): trend plotting moves its window this way once per
//   sample. Should anything need the pictures before that repaint, the work is done
//   as the chart is then.
// - Axis mappings (gchart_mapping.cpp) are kept per axis for the range, kind and minimum
//   span they were computed from, and a range change maps its own layer at once; after a
//   change of scale settings or geometry the next mapping runs over all layers.
// - The item painter maps through the layers' factors as they are when a pass is drawn,
//   which every range and geometry change has brought up to date by then.

void TGChart::Changing(unsigned change) {
  const bool pending = Full_.Pending || Area_.Pending;
  if (pending && !PendingStale_) {
    if (PaintSuspended_ && PassesRepeatable()) {
      PendingStale_ = true;
    } else {
      ComposePending();
    }
  }
  if (change & (chScales | chGeometry)) AllMappingsCurrent_ = false;
}

void TGChart::ItemsChanging() {
  TGChart* master = UseDataOf_ ? UseDataOf_ : this;
  master->Changing(chItems);
  for (TGChart* sharer : master->Sharers_) sharer->Changing(chItems);
}

// A text item sets the font size of the chart area's canvas, and a character mark drawn
// later (in the same pass or the next) takes it.
bool TGChart::PassesRepeatable() const { return ItemCountOfKind(ikText) == 0 && ItemCountOfKind(ikTextPixOfs) == 0; }

bool TGChart::CrossHairsShown() const {
  return std::any_of(CrossHairs_.begin(), CrossHairs_.end(), [](const TCrossHair& c) { return c.Mode() != chOff; });
}
