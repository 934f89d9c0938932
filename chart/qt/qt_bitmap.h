#pragma once
// Bitmaps of the Qt platform: a QImage (Format_RGB32) with a TQtCanvas on it.

#include <QImage>
#include <memory>
#include <string>

#include "chart/canvas.h"
#include "chart/qt/qt_canvas.h"

class TQtBitmap : public TBitmap {
 public:
  // White; a size of 0 (or less) in either direction gives an empty bitmap.
  TQtBitmap(int width, int height);

  int Width() const override { return Image_.width(); }
  int Height() const override { return Image_.height(); }
  void SetSize(int width, int height) override;
  TCanvas& Canvas() override { return Canvas_; }
  // Outside the bitmap: clBlack.
  TColor Pixel(int x, int y) const override;
  std::string SaveToFile(const std::string& path, TPictureFormat format) const override;
  // Transparent parts of the image become white; on failure the bitmap is unchanged.
  bool LoadFromFile(const std::string& path) override;

  // The picture, for showing it; it changes as the canvas draws.
  const QImage& Image() const { return Image_; }

 private:
  void Replace(QImage image);

  QImage Image_;
  TQtCanvas Canvas_;
};

class TQtBitmapFactory : public TBitmapFactory {
 public:
  std::unique_ptr<TBitmap> NewBitmap(int width, int height) const override;
};
