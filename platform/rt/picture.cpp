#include "rt/picture.h"

namespace rt {

std::string PictureRef::text() const {
  if (set.empty()) return {};
  if (index < 0) return set;
  return set + "(" + std::to_string(index) + ")";
}

static QImage normalised(QImage img) {
  if (img.hasAlphaChannel()) return img.convertToFormat(QImage::Format_ARGB32_Premultiplied);
  return img.convertToFormat(QImage::Format_RGB32);
}

Picture::Picture(QImage image, PictureRef ref) : image_(normalised(std::move(image))), ref_(std::move(ref)) {}

PicHandle makePicture(QImage image, PictureRef ref) {
  if (image.isNull()) return nullptr;
  return std::make_shared<const Picture>(std::move(image), std::move(ref));
}

PicHandle loadPicture(const QString& resourcePath, PictureRef ref) {
  QImage img(resourcePath);
  if (img.isNull()) return nullptr;
  return makePicture(std::move(img), std::move(ref));
}

}  // namespace rt
