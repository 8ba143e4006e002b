#pragma once
// Pictures are immutable and shared: a control's Picture is a handle compared by identity.
// Each picture carries the library reference it came from, so a copy still names its source.
#include <memory>
#include <string>

#include <QImage>

namespace rt {

struct PictureRef {
  std::string set;  // library set ("cartoon", "Brenx.ikona"), a window's own name, or ""
  int index = -1;   // -1 for a set of one picture
  std::string text() const;  // "cartoon(3)", "lova", "" for none
  bool operator==(const PictureRef&) const = default;
};

class Picture {
 public:
  Picture(QImage image, PictureRef ref);
  const QImage& image() const { return image_; }  // ARGB32_Premultiplied or RGB32
  const PictureRef& ref() const { return ref_; }
  int width() const { return image_.width(); }
  int height() const { return image_.height(); }
  bool hasAlpha() const { return image_.hasAlphaChannel(); }

 private:
  QImage image_;
  PictureRef ref_;
};

using PicHandle = std::shared_ptr<const Picture>;

PicHandle makePicture(QImage image, PictureRef ref = {});
// A picture from an embedded resource path (":/pictures/cartoon/0.png"); null when missing.
PicHandle loadPicture(const QString& resourcePath, PictureRef ref);

}  // namespace rt
