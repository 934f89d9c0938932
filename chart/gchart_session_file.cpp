#include "chart/gchart.h"

#include <algorithm>
#include <climits>
#include <new>

#include "chart/record_file.h"

namespace {

EGChartError TooLargeForMemory(const std::string& fileName) {
  return EGChartError("Zu wenig Arbeitsspeicher, um die Datei \"" + fileName + "\" zu laden.");
}

// A record that can be an item: its kind and layer lie in their ranges. Odd colours,
// pens, widths and coordinates are the painter's to cope with, as in any session.
bool IsWellFormed(const TChartItem& item) {
  return item.Kind < kCountedKinds && item.Layer >= 1 && item.Layer <= kNumLayers;
}

// A picture, a text capture or any other file read as records yields nothing but
// records that cannot be items; such a file is no session and is refused whole.
void ExpectSession(std::span<const TChartItem> records, const std::string& fileName) {
  if (records.empty() || std::any_of(records.begin(), records.end(), IsWellFormed)) return;
  throw EGChartError("Die Datei \"" + fileName + "\" ist keine Tavolix-Sitzung: keiner ihrer " +
                     std::to_string(records.size()) + " Datensätze beschreibt ein Element einer Grafik.");
}

}  // namespace

void TGChart::SaveGraphFile(const std::string& fileName) const {
  TFileWriter file(fileName);
  const std::span<const TChartItem> items = Items();
  file.Write(items.data(), items.size_bytes());
  file.Close();
}

// The file is untrusted: its size is checked before memory is taken, and the store is
// only replaced once the new one exists and holds a session. A trailing piece shorter
// than a record is never read.
void TGChart::LoadGraphFile(const std::string& fileName, bool append) {
  TFileReader file;
  if (!file.Open(fileName)) return;
  const int64_t records = file.Size() / int64_t(sizeof(TChartItem));
  const int64_t total = (append ? NumItems() : 0) + records;
  if (total > INT32_MAX || uint64_t(total) * sizeof(TChartItem) > PhysicalMemoryBytes()) {
    throw TooLargeForMemory(fileName);
  }
  TItemStore loaded;
  try {
    loaded = Store_->ResizedForLoad(append, int32_t(records));
  } catch (const std::bad_alloc&) {
    throw TooLargeForMemory(fileName);
  }
  const std::span<TChartItem> slots = loaded.LoadSlots();
  size_t got = 0;
  const bool read = file.Read(slots.data(), slots.size_bytes(), got);
  const int32_t recordsRead = int32_t(got / sizeof(TChartItem));
  if (read) ExpectSession(slots.first(size_t(recordsRead)), fileName);
  // A read error keeps the resized store without the records read; it is not reported.
  if (read) loaded.CommitLoaded(recordsRead);
  ItemsChanging();
  *Store_ = std::move(loaded);
  if (read) Paint();
}
