#include "chart/qt/qt_bitmap.h"

#include <fcntl.h>
#include <unistd.h>

#include <QByteArray>
#include <QFile>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>

namespace {

QImage WhiteImage(int width, int height) {
  if (width <= 0 || height <= 0) return QImage();
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(Qt::white);  // a null image when it could not be allocated
  return image;
}

// `image` laid over white: the picture in Format_RGB32 without transparency.
QImage OverWhite(const QImage& image) {
  QImage result = WhiteImage(image.width(), image.height());
  if (result.isNull()) return result;
  QPainter painter(&result);
  painter.drawImage(0, 0, image);
  return result;
}

}  // namespace

TQtBitmap::TQtBitmap(int width, int height) : Image_(WhiteImage(width, height)), Canvas_(Image_) {}

void TQtBitmap::SetSize(int width, int height) {
  if (width == Image_.width() && height == Image_.height()) return;
  QImage next = WhiteImage(width, height);
  if (!next.isNull() && !Image_.isNull()) {
    Canvas_.Suspend();
    QPainter painter(&next);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(0, 0, Image_);
  }
  Replace(std::move(next));
}

void TQtBitmap::Replace(QImage image) {
  Canvas_.Suspend();
  Image_ = std::move(image);
  Canvas_.Resume();
}

TColor TQtBitmap::Pixel(int x, int y) const {
  if (!Image_.valid(x, y)) return clBlack;
  const QRgb p = Image_.pixel(x, y);
  return RGBColor(uint8_t(qRed(p)), uint8_t(qGreen(p)), uint8_t(qBlue(p)));
}

std::string TQtBitmap::SaveToFile(const std::string& path, TPictureFormat format) const {
  // Opened here so that a failure carries the system's reason.
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (fd < 0) return std::strerror(errno);
  QFile file;
  if (!file.open(fd, QIODevice::WriteOnly, QFileDevice::AutoCloseHandle)) {
    ::close(fd);
    return file.errorString().toStdString();
  }
  if (Image_.isNull()) return std::strerror(EINVAL);
  if (!Image_.save(&file, format == pfPng ? "PNG" : "BMP")) {
    return file.error() != QFileDevice::NoError ? file.errorString().toStdString() : std::strerror(EIO);
  }
  file.close();
  if (file.error() != QFileDevice::NoError) return file.errorString().toStdString();
  return {};
}

bool TQtBitmap::LoadFromFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  QImage image;
  if (!image.loadFromData(reinterpret_cast<const uchar*>(bytes.data()), qsizetype(bytes.size()))) return false;
  QImage picture = OverWhite(image);
  if (picture.isNull()) return false;
  Replace(std::move(picture));
  return true;
}

std::unique_ptr<TBitmap> TQtBitmapFactory::NewBitmap(int width, int height) const {
  return std::make_unique<TQtBitmap>(width, height);
}
