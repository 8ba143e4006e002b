#include "rt/control.h"

#include <algorithm>

#include <QFont>
#include <QPainter>

#include "rt/form.h"
#include "rt/render.h"

namespace rt {

Control::Control(Form* form, std::string name, int index)
    : form_(form), name_(std::move(name)), index_(index) {}

Control::~Control() = default;

void Control::copyBaseTo(Control& o) const {
  o.visible_ = visible_;
  o.enabled_ = enabled_;
  o.left_ = left_;
  o.top_ = top_;
  o.width_ = width_;
  o.height_ = height_;
  o.BackColor_ = BackColor_;
  o.ForeColor_ = ForeColor_;
  o.font_ = font_;
  o.pointer_ = pointer_;
  o.mouseIcon_ = mouseIcon_;
  o.dragIcon_ = dragIcon_;
  o.dragMode_ = dragMode_;
  o.Tag = Tag;
  o.ToolTipText = ToolTipText;
  o.ScaleModeValue = ScaleModeValue;
}

void Control::invalidate() {
  if (!form_) return;
  if (!form_->PartialRepaint) {
    form_->invalidate();
    return;
  }
  int x, y;
  clientOrigin(x, y);
  form_->invalidateArea(x - borderWidth(), y - borderWidth(), width_, height_);
}

void Control::Refresh() { invalidate(); }

void Control::setVisible(bool v) {
  if (visible_ == v) return;
  visible_ = v;
  invalidate();
}

void Control::setEnabled(bool e) {
  if (enabled_ == e) return;
  enabled_ = e;
  invalidate();
}

bool Control::effectivelyVisible() const {
  for (const Control* c = this; c; c = c->container_)
    if (!c->visible_) return false;
  return true;
}

bool Control::effectivelyEnabled() const {
  for (const Control* c = this; c; c = c->container_)
    if (!c->enabled_) return false;
  return true;
}

void Control::Move(int left, int top, int width, int height) {
  if (form_ && form_->PartialRepaint) invalidate();  // the area it leaves
  left_ = left;
  top_ = top;
  width_ = std::max(width, 0);
  height_ = std::max(height, 0);
  invalidate();
}

void Control::setContainer(Control* c) {
  if (c == container_ || c == this) return;
  if (c && !c->isContainer()) return;
  for (Control* p = c; p; p = p->container_)
    if (p == this) return;  // no cycles
  if (form_->PartialRepaint) invalidate();  // the area it leaves
  auto& oldList = container_ ? container_->children_ : form_->top_;
  oldList.erase(std::remove(oldList.begin(), oldList.end(), this), oldList.end());
  container_ = c;
  (c ? c->children_ : form_->top_).push_back(this);
  invalidate();
}

void Control::ZOrder(int position) {
  auto& list = container_ ? container_->children_ : form_->top_;
  list.erase(std::remove(list.begin(), list.end(), this), list.end());
  if (position == 0)
    list.push_back(this);
  else
    list.insert(list.begin(), this);
  invalidate();
}

void Control::setBackColor(Color c) {
  BackColor_ = c;
  invalidate();
}
void Control::setForeColor(Color c) {
  ForeColor_ = c;
  invalidate();
}
void Control::setFont(const Font& f) {
  font_ = f;
  invalidate();
}
void Control::setMousePointer(int p) {
  pointer_ = p;
  invalidate();
}

void Control::Drag(int action) {
  if (!form_) return;
  if (action == 1)
    form_->beginDrag(this);
  else if (action == 0)
    form_->cancelDrag();
  else if (action == 2)
    form_->dropNow();
}

void Control::clientOrigin(int& x, int& y) const {
  x = left_ + borderWidth();
  y = top_ + borderWidth();
  for (const Control* c = container_; c; c = c->container_) {
    x += c->left_ + c->borderWidth();
    y += c->top_ + c->borderWidth();
  }
}

static double unitsPerPixel(int scaleMode) {
  switch (scaleMode) {
    case kPixels: return 1.0;
    case kPoints: return 0.75;
    default: return 15.0;
  }
}

double Control::eventScale() const {
  // Windowed containers report in their own scale; the others in their container's.
  if (isContainer()) return unitsPerPixel(ScaleModeValue);
  if (container_) return unitsPerPixel(container_->ScaleModeValue);
  return unitsPerPixel(form_ ? form_->ScaleModeValue : kTwips);
}

// ---- PictureBox ----

PictureBox::PictureBox(Form* form, std::string name, int index) : Control(form, std::move(name), index) {}

void PictureBox::repaintBase() {
  surface_ = Surface(clientWidth(), clientHeight(), BackColor_);
  if (picture_) surface_.drawPicture(*picture_, 0, 0);
  invalidate();
}

void PictureBox::Move(int left, int top, int width, int height) {
  Control::Move(left, top, width, height);
  if (surface_.width() != clientWidth() || surface_.height() != clientHeight()) {
    if (surface_.isNull()) {
      repaintBase();
    } else {
      surface_.resize(clientWidth(), clientHeight(), BackColor_);
      if (picture_) surface_.drawPicture(*picture_, 0, 0);
    }
  }
}

void PictureBox::setPicture(PicHandle p) {
  picture_ = std::move(p);
  if (AutoSize && picture_)
    Control::Move(left_, top_, picture_->width() + 2 * borderWidth(), picture_->height() + 2 * borderWidth());
  repaintBase();
}

void PictureBox::setBackColor(Color c) {
  BackColor_ = c;
  repaintBase();
}

void PictureBox::Cls() { repaintBase(); }

PicHandle PictureBox::Image() const {
  PictureRef ref{name_ + ".Image", index_};
  return makePicture(surface_.image().copy(), ref);
}

void PictureBox::PaintPicture(const PicHandle& pic, int x, int y, int w, int h, int sx, int sy, int sw,
                              int sh, uint32_t rop) {
  if (!pic) return;
  if (w == -1) w = pic->width();
  if (h == -1) h = pic->height();
  if (sw == -1) sw = pic->width();
  if (sh == -1) sh = pic->height();
  surface_.drawPicture(*pic, x, y, w, h, sx, sy, sw, sh, rop);
  invalidate();
}

void PictureBox::Line(int x1, int y1, int x2, int y2, Color c) {
  QPainter p(&surface_.image());
  p.setPen(toQColor(c));
  p.drawLine(x1, y1, x2, y2);
  invalidate();
}

void PictureBox::Box(int x1, int y1, int x2, int y2, Color c, bool filled) {
  int l = std::min(x1, x2), t = std::min(y1, y2), r = std::max(x1, x2), b = std::max(y1, y2);
  if (filled) {
    surface_.fillRect(l, t, r - l + 1, b - t + 1, c);
  } else {
    QPainter p(&surface_.image());
    p.setPen(toQColor(c));
    p.drawRect(l, t, r - l, b - t);
  }
  invalidate();
}

void PictureBox::Circle(int cx, int cy, int radius, Color c) {
  QPainter p(&surface_.image());
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(toQColor(c));
  p.drawEllipse(QPoint(cx, cy), radius, radius);
  invalidate();
}

void PictureBox::PSet(int x, int y, Color c) {
  surface_.setPixel(x, y, c);
  invalidate();
}

void PictureBox::TextOut(int x, int y, const std::string& text) {
  QPainter p(&surface_.image());
  p.setFont(toQFont(font_));
  p.setPen(toQColor(ForeColor_));
  QFontMetrics fm(p.font());
  p.drawText(x, y + fm.ascent(), QString::fromStdString(text));
  invalidate();
}

std::unique_ptr<Control> PictureBox::makeCopy(int index) const {
  auto c = std::make_unique<PictureBox>(form_, name_, index);
  copyBaseTo(*c);
  c->AutoSize = AutoSize;
  c->border_ = border_;
  c->Appearance = Appearance;
  c->picture_ = picture_;
  c->repaintBase();
  return c;
}

// ---- ImageBox ----

ImageBox::ImageBox(Form* form, std::string name, int index) : Control(form, std::move(name), index) {}

void ImageBox::setPicture(PicHandle p) {
  picture_ = std::move(p);
  if (!Stretch && picture_) Control::Move(left_, top_, picture_->width(), picture_->height());
  invalidate();
}

std::unique_ptr<Control> ImageBox::makeCopy(int index) const {
  auto c = std::make_unique<ImageBox>(form_, name_, index);
  copyBaseTo(*c);
  c->Stretch = Stretch;
  c->BorderStyle = BorderStyle;
  c->picture_ = picture_;
  return c;
}

// ---- Label ----

Label::Label(Form* form, std::string name, int index) : Control(form, std::move(name), index) {}

void Label::setCaption(const std::string& c) {
  if (caption_ == c) return;
  caption_ = c;
  invalidate();
}

std::unique_ptr<Control> Label::makeCopy(int index) const {
  auto c = std::make_unique<Label>(form_, name_, index);
  copyBaseTo(*c);
  c->caption_ = caption_;
  c->Alignment = Alignment;
  c->BackStyle = BackStyle;
  c->BorderStyle = BorderStyle;
  c->WordWrap = WordWrap;
  c->AutoSize = AutoSize;
  return c;
}

// ---- Shape ----

Shape::Shape(Form* form, std::string name, int index) : Control(form, std::move(name), index) {}

std::unique_ptr<Control> Shape::makeCopy(int index) const {
  auto c = std::make_unique<Shape>(form_, name_, index);
  copyBaseTo(*c);
  c->ShapeType = ShapeType;
  c->BorderColor = BorderColor;
  c->BorderWidth = BorderWidth;
  c->BorderStyle = BorderStyle;
  c->BackStyle = BackStyle;
  c->FillStyle = FillStyle;
  c->FillColor = FillColor;
  return c;
}

// ---- TextBox ----

TextBox::TextBox(Form* form, std::string name, int index) : Control(form, std::move(name), index) {
  BackColor_ = kWindowBackground;
}

namespace {
// MaxLength counts characters: one outside the basic plane is two UTF-16 units but one character.
qsizetype characters(const std::string& utf8) { return QString::fromStdString(utf8).toUcs4().size(); }
}  // namespace

void TextBox::setText(const std::string& t) {
  QString q = QString::fromStdString(t);
  if (MaxLength > 0) {
    const QList<uint> chars = q.toUcs4();
    if (chars.size() > MaxLength) q = QString::fromUcs4(reinterpret_cast<const char32_t*>(chars.data()), MaxLength);
  }
  std::string v = q.toStdString();
  if (v == text_) return;
  text_ = v;
  invalidate();
  if (Change) Change();
}

void TextBox::SetFocus() {
  if (form_) form_->setFocusControl(this);
}

bool TextBox::hasFocus() const { return form_ && form_->focus() == this; }

void TextBox::typeChar(int keyAscii) {
  if (Locked || keyAscii == 0) return;
  if (keyAscii == 8) {
    if (text_.empty()) return;
    // Remove one whole UTF-8 character.
    size_t n = text_.size() - 1;
    while (n > 0 && (static_cast<unsigned char>(text_[n]) & 0xC0) == 0x80) --n;
    setText(text_.substr(0, n));
    return;
  }
  if (keyAscii < 32 || keyAscii == 127 || keyAscii > 0x10FFFF || (keyAscii >= 0xD800 && keyAscii <= 0xDFFF)) return;
  if (MaxLength > 0 && characters(text_) >= MaxLength) return;
  const char32_t ch = static_cast<char32_t>(keyAscii);
  setText(text_ + QString::fromUcs4(&ch, 1).toStdString());
}

void TextBox::typeText(const std::string& utf8) {
  for (uint ch : QString::fromStdString(utf8).toUcs4()) typeChar(static_cast<int>(ch));
}

std::unique_ptr<Control> TextBox::makeCopy(int index) const {
  auto c = std::make_unique<TextBox>(form_, name_, index);
  copyBaseTo(*c);
  c->text_ = text_;
  c->MaxLength = MaxLength;
  c->Locked = Locked;
  c->BorderStyle = BorderStyle;
  return c;
}

// ---- FrameBox ----

FrameBox::FrameBox(Form* form, std::string name, int index) : Control(form, std::move(name), index) {}

std::unique_ptr<Control> FrameBox::makeCopy(int index) const {
  auto c = std::make_unique<FrameBox>(form_, name_, index);
  copyBaseTo(*c);
  c->caption_ = caption_;
  c->BorderStyle = BorderStyle;
  return c;
}

}  // namespace rt
