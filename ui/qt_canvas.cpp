#include "ui/qt_canvas.h"

#include <QCoreApplication>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QImage>
#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

#include "plot/symbol_font.h"

namespace tavrel {

namespace {

// The dash of a dashed pen as the Windows GDI draws it: 18 units on, 6 off.
constexpr double kDashOn = 18, kDashOff = 6;

QString qText(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QRectF box(double x1, double y1, double x2, double y2) {
  return QRectF(QPointF(std::min(x1, x2), std::min(y1, y2)),
                QPointF(std::max(x1, x2), std::max(y1, y2)));
}

}  // namespace

QtCanvas::~QtCanvas() { end(); }

QColor QtCanvas::qColour(Colour c) { return QColor(redOf(c), greenOf(c), blueOf(c)); }

bool symbolFaceInstalled() {
  static const bool installed = QFontDatabase::families().contains(QLatin1String(kSymbolFace));
  return installed;
}

QString unicodeSymbolFamily() {
  static const QString family = [] {
    const QStringList families = QFontDatabase::families();
    const QString signs = QString::fromStdString(symbolCodesToUnicode("R^_`abcdefghi"));
    for (const char* candidate : kUnicodeSymbolFaces) {
      const QString name = QString::fromLatin1(candidate);
      if (!families.contains(name)) continue;
      const QFontMetricsF metrics{QFont(name)};
      bool all = true;
      for (const char32_t c : signs.toUcs4()) all = all && metrics.inFontUcs4(c);
      if (all) return name;
    }
    return QString();
  }();
  return family;
}

QString QtCanvas::shownText(std::string_view text) const {
  if (font_.face == kSymbolFace && !symbolFaceInstalled()) return qText(symbolCodesToUnicode(text));
  return qText(text);
}

QFont QtCanvas::qFont(const Font& font) {
  const bool unicodeSigns = font.face == kSymbolFace && !symbolFaceInstalled() && !unicodeSymbolFamily().isEmpty();
  QFont f(unicodeSigns ? unicodeSymbolFamily() : QString::fromStdString(font.face));
  // The height is the em size (the character height without internal
  // leading), which is what Qt's pixel size is.
  f.setPixelSize(std::max(1, static_cast<int>(std::lround(std::fabs(font.height)))));
  f.setWeight(static_cast<QFont::Weight>(std::clamp(font.weight, 100, 900)));
  if (font.fixedPitch) {
    f.setFixedPitch(true);
    f.setStyleHint(QFont::TypeWriter);
  }
  return f;
}

bool QtCanvas::begin(QPaintDevice* device, double unitScale) {
  end();
  if (!device || !painter_.begin(device)) return false;
  device_ = device;
  image_ = device->devType() == QInternal::Image ? static_cast<QImage*>(device) : nullptr;
  unitScale_ = unitScale > 0 ? unitScale : 1;
  clipOn_ = false;
  applyState();
  return true;
}

void QtCanvas::end() {
  flushLines();
  if (painter_.isActive()) painter_.end();
}

void QtCanvas::flushLines() {
  if (polyline_.size() >= 2 && painter_.isActive()) painter_.drawPolyline(polyline_);
  polyline_.clear();
}

void QtCanvas::setAntialiasing(bool on) {
  antialiasing_ = on;
  if (active()) {
    painter_.setRenderHint(QPainter::Antialiasing, on);
    painter_.setRenderHint(QPainter::TextAntialiasing, on);
  }
}

void QtCanvas::applyState() {
  painter_.resetTransform();
  painter_.scale(unitScale_, unitScale_);
  painter_.setRenderHint(QPainter::Antialiasing, antialiasing_);
  painter_.setRenderHint(QPainter::TextAntialiasing, antialiasing_);
  applyPen();
  applyBrush();
  qfont_ = qFont(font_);
  metrics_ = QFontMetricsF(qfont_);
  painter_.setFont(qfont_);
  if (clipOn_) painter_.setClipRect(clip_);
}

void QtCanvas::applyPen() {
  flushLines();
  if (!active()) return;
  if (pen_.style == PenStyle::Clear) {
    painter_.setPen(Qt::NoPen);
    return;
  }
  const double w = pen_.width > 0 ? pen_.width : 1;
  QPen p(qColour(pen_.colour), w, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
  if (pen_.style == PenStyle::Dash) {
    p.setCapStyle(Qt::FlatCap);
    p.setDashPattern({kDashOn / w, kDashOff / w});  // in pen widths
  }
  painter_.setPen(p);
}

void QtCanvas::applyBrush() {
  if (!active()) return;
  if (brush_.style == BrushStyle::Clear)
    painter_.setBrush(Qt::NoBrush);
  else
    painter_.setBrush(qColour(brush_.colour));
}

void QtCanvas::setPen(const Pen& pen) {
  if (pen == pen_) return;
  flushLines();  // in the pen they were drawn with
  Canvas::setPen(pen);
  applyPen();
}

void QtCanvas::setBrush(const Brush& brush) {
  if (brush == brush_) return;
  Canvas::setBrush(brush);
  applyBrush();
}

void QtCanvas::setFont(const Font& font) {
  const bool sameQFont = font.face == font_.face && font.height == font_.height &&
                         font.weight == font_.weight && font.fixedPitch == font_.fixedPitch;
  Canvas::setFont(font);
  if (!sameQFont) {
    qfont_ = qFont(font_);
    metrics_ = QFontMetricsF(qfont_);
    if (active()) painter_.setFont(qfont_);
  }
}

void QtCanvas::moveTo(double x, double y) {
  x_ = x;
  y_ = y;
}

void QtCanvas::lineTo(double x, double y) {
  // Lines that join are drawn as one polyline: far fewer painter calls
  // for the sampled curves of a dial.
  if (polyline_.isEmpty() || polyline_.constLast() != QPointF(x_, y_)) {
    flushLines();
    polyline_.append(QPointF(x_, y_));
  }
  polyline_.append(QPointF(x, y));
  x_ = x;
  y_ = y;
}

void QtCanvas::rectangle(double x1, double y1, double x2, double y2) {
  flushLines();
  if (active()) painter_.drawRect(box(x1, y1, x2, y2));
}

void QtCanvas::fillRectangle(double x1, double y1, double x2, double y2, Colour colour) {
  flushLines();
  if (active()) painter_.fillRect(box(x1, y1, x2, y2), qColour(colour));
}

void QtCanvas::ellipse(double x1, double y1, double x2, double y2) {
  flushLines();
  if (active()) painter_.drawEllipse(box(x1, y1, x2, y2));
}

void QtCanvas::arc(double cx, double cy, double rx, double ry, double startDeg, double sweepDeg) {
  flushLines();
  if (!active() || sweepDeg == 0 || rx <= 0 || ry <= 0) return;
  // Qt counts angles as this canvas does: from +x, counter-clockwise as
  // the picture is seen.
  const QRectF r(cx - rx, cy - ry, 2 * rx, 2 * ry);
  QPainterPath path;
  path.arcMoveTo(r, startDeg);
  path.arcTo(r, startDeg, sweepDeg);
  painter_.save();
  painter_.setBrush(Qt::NoBrush);
  painter_.drawPath(path);
  painter_.restore();
}

void QtCanvas::floodFill(double x, double y, Colour colour, FloodMode mode) {
  flushLines();
  if (!image_ || !active() || brush_.style == BrushStyle::Clear) return;
  // Pixels are read and written on the image itself, so the painter lets
  // go of it for the fill and takes it again afterwards.
  painter_.end();
  QImage& img = *image_;
  const int w = img.width(), h = img.height();
  const int sx = static_cast<int>(std::floor(x * unitScale_));
  const int sy = static_cast<int>(std::floor(y * unitScale_));
  if (sx >= 0 && sy >= 0 && sx < w && sy < h) {
    if (img.format() != QImage::Format_RGB32 && img.format() != QImage::Format_ARGB32 &&
        img.format() != QImage::Format_ARGB32_Premultiplied)
      img = img.convertToFormat(QImage::Format_RGB32);
    const QRgb given = qColour(colour).rgb() & 0xFFFFFF;
    const QRgb fill = qColour(brush_.colour).rgb();
    auto at = [&](int px, int py) {
      return reinterpret_cast<QRgb*>(img.scanLine(py))[px];
    };
    // A pixel belongs to the area: Border fills up to the given colour,
    // Surface fills the pixels of the given colour. Smoothed lines have
    // mixed pixels along their edges, so "the colour" means "nearer to it
    // than to the colour where the fill starts" (Border), or near it
    // (Surface).
    auto distance = [](QRgb a, QRgb b) {
      return std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) + std::abs(qBlue(a) - qBlue(b));
    };
    const QRgb seed = at(sx, sy) & 0xFFFFFF;
    auto inside = [&](int px, int py) {
      const QRgb c = at(px, py) & 0xFFFFFF;
      if (mode == FloodMode::Border) return distance(c, given) > distance(c, seed);
      return distance(c, given) <= 96;
    };
    std::vector<std::uint8_t> done(static_cast<std::size_t>(w) * h, 0);
    std::vector<std::pair<int, int>> stack;
    stack.emplace_back(sx, sy);
    while (!stack.empty()) {
      auto [px, py] = stack.back();
      stack.pop_back();
      if (done[static_cast<std::size_t>(py) * w + px] || !inside(px, py)) continue;
      int left = px, right = px;
      while (left > 0 && !done[static_cast<std::size_t>(py) * w + left - 1] && inside(left - 1, py))
        --left;
      while (right < w - 1 && !done[static_cast<std::size_t>(py) * w + right + 1] &&
             inside(right + 1, py))
        ++right;
      QRgb* line = reinterpret_cast<QRgb*>(img.scanLine(py));
      for (int i = left; i <= right; ++i) {
        line[i] = fill;
        done[static_cast<std::size_t>(py) * w + i] = 1;
      }
      for (int ny : {py - 1, py + 1}) {
        if (ny < 0 || ny >= h) continue;
        for (int i = left; i <= right; ++i)
          if (!done[static_cast<std::size_t>(ny) * w + i] && inside(i, ny)) stack.emplace_back(i, ny);
      }
    }
  }
  painter_.begin(device_);
  applyState();
}

void QtCanvas::text(double x, double y, std::string_view text) {
  flushLines();
  if (!active() || text.empty()) return;
  const QPen keep = painter_.pen();
  painter_.setPen(qColour(font_.colour));
  // (x, y) is the top of the character cell; Qt places the baseline.
  if (font_.angle == 0) {
    painter_.drawText(QPointF(x, y + metrics_.ascent()), shownText(text));
  } else {
    painter_.save();
    painter_.translate(x, y);
    painter_.rotate(-font_.angle);
    painter_.drawText(QPointF(0, metrics_.ascent()), shownText(text));
    painter_.restore();
  }
  painter_.setPen(keep);
}

TextSize QtCanvas::textExtent(std::string_view text) const {
  if (text.empty()) return {0, 0};
  return {metrics_.horizontalAdvance(shownText(text)), metrics_.height()};
}

void QtCanvas::setClip(double x1, double y1, double x2, double y2) {
  flushLines();
  clip_ = box(x1, y1, x2, y2);
  clipOn_ = true;
  if (active()) painter_.setClipRect(clip_);
}

void QtCanvas::resetClip() {
  flushLines();
  clipOn_ = false;
  if (active()) painter_.setClipping(false);
}

void ensureGuiApplication() {
  if (QCoreApplication::instance()) return;
  // A batch program keeps its standard error for its own messages: the
  // notes of the window system (no runtime folder and the like) go.
  qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtFatalMsg) fprintf(stderr, "%s\n", qPrintable(message));
  });
  static int argc = 3;
  static char arg0[] = "tavrel";
  static char arg1[] = "-platform";
  static char arg2[] = "offscreen";
  static char* argv[] = {arg0, arg1, arg2, nullptr};
  static QGuiApplication* app = new QGuiApplication(argc, argv);
  (void)app;
}

}  // namespace tavrel
