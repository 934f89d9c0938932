#pragma once
// The samples now in the chart as a CSV file: one row per sample with its x value, then
// one column per channel (per layer that holds curve points), headed by the channel's
// name. The values are those plotted. It reads the display list alone, so it serves a
// finished acquisition and a loaded session alike.

#include <array>
#include <string>

#include "acquisition/csv_format.h"
#include "chart/gchart.h"

struct TChartCsvNames {
  std::string X;  // heads the x column
  std::array<std::string, kNumLayers> Layers;  // channel name of layer n at [n - 1], UTF-8
};

struct TCsvFile {
  TCsvFormat Format;
  // A byte order mark, so that a spreadsheet reads the names' umlauts as UTF-8.
  bool Utf8Mark = false;
};

// Raises EGChartError "Datei "<path>" kann nicht erstellt werden. <reason>" when the file
// cannot be created and EInOutError when writing fails.
void SaveChartCsv(const std::string& path, const TGChart& chart, const TChartCsvNames& names, const TCsvFile& file);
