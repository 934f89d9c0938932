#include "chart/bitmap_export.h"

#include <filesystem>

#include "chart/gchart.h"

std::string BitmapFileName(const std::string& fileName) {
  const size_t nameStart = fileName.find_last_of('/') + 1;  // 0 without a directory part
  const size_t dot = fileName.find('.', nameStart);
  return fileName.substr(0, dot) + ".bmp";
}

void TGChart::SaveAsBitmap(const std::string& fileName, bool blackAndWhite) {
  SavePicture(std::filesystem::absolute(BitmapFileName(fileName)).string(), blackAndWhite, pfBmp);
}

void TGChart::SaveAsPng(const std::string& fileName) {
  SavePicture(std::filesystem::absolute(fileName).string(), false, pfPng);
}

void TGChart::SavePicture(const std::string& path, bool blackAndWhite, TPictureFormat format) {
  const auto cannotCreate = [&](const std::string& reason) {
    return EGChartError("Datei \"" + path + "\" kann nicht erstellt werden. " + reason);
  };
  if (!BitmapFactory_) throw cannotCreate("Keine Bitmap zum Zeichnen vorhanden.");
  // What waits would later be drawn over the export picture; it is drawn first.
  ComposePending();
  const TPoint areaSize = ChartAreaBitmapSize();
  const std::unique_ptr<TBitmap> area = BitmapFactory_->NewBitmap(areaSize.x, areaSize.y);
  TPaintSuspension suspension(*this);

  // The printer-friendly scheme: every colour it replaces, in one list, so that all of
  // them come back however the export ends.
  std::vector<std::pair<TColor*, TColor>> replaced;
  const auto replace = [&](TColor& slot, TColor color) {
    replaced.emplace_back(&slot, slot);
    slot = color;
  };
  if (blackAndWhite) {
    replace(WindColor_, clWhite);
    replace(ChartColor_, clWhite);
    replace(ChartFrameColor_, clBlack);
    replace(Font_.Color, clBlack);
    replace(ShadowColor_, clSilver);
    replace(ShadowBakColor_, clWhite);
    for (TLayer& layer : Layers_) {
      for (TScaleProps* block : {static_cast<TScaleProps*>(&layer.X), static_cast<TScaleProps*>(&layer.Y)}) {
        replace(block->ColorScale_, clBlack);
        replace(block->Font_.Color, clBlack);
      }
    }
    UpdateScaleRenderers();
  }
  const auto restore = [&] {
    if (replaced.empty()) return;
    for (const auto& [slot, color] : replaced) *slot = color;
    UpdateScaleRenderers();
  };
  try {
    PaintControlPass(ControlBitmap_->Canvas(), false);
    PaintBackground(area->Canvas(), 0, 0);
    PaintItems(area->Canvas(), 0, 0, blackAndWhite, 0);
    ControlBitmap_->Canvas().Draw(MarginLeft_, MarginTop_, *area);
    const std::string error = ControlBitmap_->SaveToFile(path, format);
    if (!error.empty()) throw cannotCreate(error);
  } catch (...) {
    restore();
    throw;
  }
  restore();
}
