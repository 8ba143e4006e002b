#include "rt/render.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QPainter>

#include "rt/form.h"

namespace rt {

namespace {
QString mapFamily(const std::string& name) {
  static const bool haveComic = QFontDatabase::families().contains("Comic Neue");
  if (name == "Comic Sans MS") return haveComic ? "Comic Neue" : "DejaVu Sans";
  return "DejaVu Sans";  // Tahoma, MS Sans Serif, Arial and the rest
}

void draw3dBorder(QPainter& p, const QRect& r, int width, bool sunken) {
  if (width <= 0) return;
  QColor dark(128, 128, 128), darker(64, 64, 64), light(255, 255, 255), mid(212, 208, 200);
  if (width == 1) {
    p.setPen(QColor(0, 0, 0));
    p.setBrush(Qt::NoBrush);
    p.drawRect(r.adjusted(0, 0, -1, -1));
    return;
  }
  QColor tl1 = sunken ? dark : light, tl2 = sunken ? darker : mid;
  QColor br1 = sunken ? light : darker, br2 = sunken ? mid : dark;
  p.setPen(tl1);
  p.drawLine(r.left(), r.top(), r.right(), r.top());
  p.drawLine(r.left(), r.top(), r.left(), r.bottom());
  p.setPen(br1);
  p.drawLine(r.left(), r.bottom(), r.right(), r.bottom());
  p.drawLine(r.right(), r.top(), r.right(), r.bottom());
  p.setPen(tl2);
  p.drawLine(r.left() + 1, r.top() + 1, r.right() - 1, r.top() + 1);
  p.drawLine(r.left() + 1, r.top() + 1, r.left() + 1, r.bottom() - 1);
  p.setPen(br2);
  p.drawLine(r.left() + 1, r.bottom() - 1, r.right() - 1, r.bottom() - 1);
  p.drawLine(r.right() - 1, r.top() + 1, r.right() - 1, r.bottom() - 1);
}

int alignFlags(int alignment) {
  switch (alignment) {
    case kRightJustify: return Qt::AlignRight;
    case kCenter: return Qt::AlignHCenter;
    default: return Qt::AlignLeft;
  }
}

// Keep text inside its box: the fonts here are wider than the ones the layouts were made for.
QFont fitFont(const QRect& box, const QString& text, QFont font, int flags, bool wrap) {
  for (int px = font.pixelSize(); px > 6; --px) {
    font.setPixelSize(px);
    QFontMetrics fm(font);
    QRect need = fm.boundingRect(box, flags | (wrap ? Qt::TextWordWrap : 0), text);
    if (need.width() <= box.width() + 1 && need.height() <= box.height() + 1) break;
    if (!wrap && need.width() <= box.width() + 1) break;
  }
  return font;
}

void drawText(QPainter& p, const QRect& box, const QString& text, QFont font, int flags, bool wrap) {
  p.setFont(fitFont(box, text, font, flags, wrap));
  p.drawText(box, flags | (wrap ? Qt::TextWordWrap : 0), text);
}

// How a label lays out its caption inside the rectangle r it covers.
struct LabelText {
  QRect box;
  QString text;
  int flags;
  bool wrap;
};

LabelText labelText(const Label& lb, const QRect& r) {
  QString text = QString::fromStdString(lb.Caption());
  text.replace("\r\n", "\n");
  text.replace('\r', '\n');
  return {lb.BorderStyle ? r.adjusted(2, 2, -2, -2) : r, text, alignFlags(lb.Alignment) | Qt::AlignTop,
          lb.WordWrap || !lb.AutoSize};
}
}  // namespace

QFont toQFont(const Font& f) {
  QFont q(mapFamily(f.name));
  q.setPixelSize(std::max(6, static_cast<int>(f.size * 96.0 / 72.0 + 0.5)));
  q.setBold(f.bold);
  q.setItalic(f.italic);
  q.setUnderline(f.underline);
  q.setHintingPreference(QFont::PreferFullHinting);
  return q;
}

QFont LabelTextFont(const Label& lb) {
  const LabelText t = labelText(lb, QRect(0, 0, lb.Width(), lb.Height()));
  return fitFont(t.box, t.text, toQFont(lb.font()), t.flags, t.wrap);
}

QRect LabelTextRect(const Label& lb) {
  const LabelText t = labelText(lb, QRect(0, 0, lb.Width(), lb.Height()));
  const QFontMetrics fm(fitFont(t.box, t.text, toQFont(lb.font()), t.flags, t.wrap));
  return fm.boundingRect(t.box, t.flags | (t.wrap ? Qt::TextWordWrap : 0), t.text);
}

void paintControl(QPainter& p, const Control& c, int x, int y) {
  const QRect r(x, y, c.Width(), c.Height());
  if (const auto* pb = dynamic_cast<const PictureBox*>(&c)) {
    int b = pb->borderWidth();
    p.drawImage(x + b, y + b, pb->surface().image());
    if (b) draw3dBorder(p, r, b, true);
  } else if (const auto* im = dynamic_cast<const ImageBox*>(&c)) {
    if (auto pic = im->Picture()) {
      if (im->Stretch)
        p.drawImage(r, pic->image());
      else
        p.drawImage(x, y, pic->image());
    }
    if (im->BorderStyle) draw3dBorder(p, r, 1, false);
  } else if (const auto* lb = dynamic_cast<const Label*>(&c)) {
    if (lb->BackStyle) p.fillRect(r, toQColor(lb->BackColor()));
    if (lb->BorderStyle) draw3dBorder(p, r, 2, true);
    const LabelText t = labelText(*lb, r);
    // Only a label's own Enabled greys it: a disabled container leaves its labels' look alone.
    if (lb->Enabled()) {
      p.setPen(toQColor(lb->ForeColor()));
      drawText(p, t.box, t.text, toQFont(lb->font()), t.flags, t.wrap);
    } else {
      p.setPen(QColor(255, 255, 255));
      drawText(p, t.box.translated(1, 1), t.text, toQFont(lb->font()), t.flags, t.wrap);
      p.setPen(QColor(128, 128, 128));
      drawText(p, t.box, t.text, toQFont(lb->font()), t.flags, t.wrap);
    }
  } else if (const auto* sh = dynamic_cast<const Shape*>(&c)) {
    QRect sr = r;
    if (sh->ShapeType == 1 || sh->ShapeType == 3 || sh->ShapeType == 5) {
      int s = std::min(r.width(), r.height());
      sr = QRect(x + (r.width() - s) / 2, y + (r.height() - s) / 2, s, s);
    }
    p.save();
    p.setRenderHint(QPainter::Antialiasing, sh->ShapeType >= 2);
    QPen pen(toQColor(sh->BorderColor));
    pen.setWidth(std::max(1, sh->BorderWidth));
    p.setPen(sh->BorderStyle ? pen : QPen(Qt::NoPen));
    QBrush brush = Qt::NoBrush;
    if (sh->FillStyle == 0)
      brush = QBrush(toQColor(sh->FillColor));
    else if (sh->BackStyle == 1)
      brush = QBrush(toQColor(sh->BackColor()));
    p.setBrush(brush);
    int half = pen.width() / 2;
    QRect inner = sr.adjusted(half, half, -half - 1, -half - 1);
    switch (sh->ShapeType) {
      case 2:
      case 3: p.drawEllipse(inner); break;
      case 4:
      case 5: p.drawRoundedRect(inner, 6, 6); break;
      default: p.drawRect(inner); break;
    }
    p.restore();
  } else if (const auto* tb = dynamic_cast<const TextBox*>(&c)) {
    p.fillRect(r, toQColor(tb->BackColor()));
    int b = tb->borderWidth();
    if (b) draw3dBorder(p, r, b, true);
    QFont f = toQFont(tb->font());
    p.setFont(f);
    p.setPen(tb->effectivelyEnabled() ? toQColor(tb->ForeColor()) : QColor(128, 128, 128));
    QRect box = r.adjusted(b + 2, b + 1, -b - 2, -b - 1);
    QString text = QString::fromStdString(tb->Text());
    p.drawText(box, Qt::AlignLeft | Qt::AlignVCenter, text);
    if (tb->hasFocus() && tb->effectivelyEnabled()) {  // a disabled box shows no caret
      QFontMetrics fm(f);
      int cx = box.left() + fm.horizontalAdvance(text);
      p.setPen(QColor(0, 0, 0));
      p.drawLine(cx, box.top() + 1, cx, box.bottom() - 1);
    }
  } else if (const auto* fb = dynamic_cast<const FrameBox*>(&c)) {
    p.fillRect(r, toQColor(fb->BackColor()));
    if (fb->BorderStyle) {
      QFont f = toQFont(fb->font());
      QFontMetrics fm(f);
      int ty = fb->Caption().empty() ? 0 : fm.height() / 2;
      p.setPen(QColor(160, 160, 160));
      p.setBrush(Qt::NoBrush);
      p.drawRect(r.adjusted(0, ty, -1, -1));
      if (!fb->Caption().empty()) {
        QString t = QString::fromStdString(fb->Caption());
        QRect tr(x + 8, y, fm.horizontalAdvance(t) + 4, fm.height());
        p.fillRect(tr, toQColor(fb->BackColor()));
        p.setFont(f);
        p.setPen(toQColor(fb->ForeColor()));
        p.drawText(tr, Qt::AlignCenter, t);
      }
    }
  }
}

void Form::paintChildren(QPainter& p, const std::vector<Control*>& list, int ox, int oy) const {
  for (int pass = 0; pass < 2; ++pass) {
    bool wantWindowless = pass == 0;
    for (Control* c : list) {
      if (!c->Visible() || c->windowless() != wantWindowless) continue;
      int x = ox + c->Left(), y = oy + c->Top();
      // Nothing of it is inside the area being repainted.
      if (p.hasClipping() && !p.clipBoundingRect().intersects(QRectF(x, y, c->Width(), c->Height()))) continue;
      paintControl(p, *c, x, y);
      if (c->isContainer() && !c->children().empty()) {
        p.save();
        int b = c->borderWidth();
        p.setClipRect(QRect(x + b, y + b, c->clientWidth(), c->clientHeight()), Qt::IntersectClip);
        paintChildren(p, c->children(), x + b, y + b);
        p.restore();
      }
    }
  }
}

void Form::paint(QPainter& p) const {
  QRect r(0, 0, pixelWidth(), pixelHeight());
  p.save();
  p.setClipRect(r, Qt::IntersectClip);
  p.fillRect(r, toQColor(BackColor));
  if (Picture) p.drawImage(0, 0, Picture->image());
  paintChildren(p, top_, 0, 0);
  if (dragSource_) {
    // The drag outline follows the pointer, centred as it was grabbed.
    const Control* s = dragSource_;
    int w = s->Width(), h = s->Height();
    QRect outline(dragX_ - w / 2, dragY_ - h / 2, w, h);
    if (auto icon = s->DragIcon()) {
      p.drawImage(dragX_ - icon->width() / 2, dragY_ - icon->height() / 2, icon->image());
    } else {
      QPen pen(QColor(0, 0, 0));
      pen.setStyle(Qt::DotLine);
      pen.setWidth(2);
      p.setPen(pen);
      p.setBrush(Qt::NoBrush);
      p.drawRect(outline);
    }
  }
  p.restore();
}

}  // namespace rt
