// The Qt painter canvas on an image: lines, texts and arcs land where the
// canvas contract puts them, flood fill stops at its border, and the page
// a paged device reports is the printer's page set-up.
#include <QFontMetricsF>
#include <QImage>
#include <QPageLayout>
#include <QTest>
#include <cmath>

#include "plot/screen_surface.h"
#include "ui/print_page.h"
#include "ui/qt_canvas.h"

using namespace tavrel;

namespace {

bool isWhite(const QImage& img, int x, int y) { return img.pixel(x, y) == qRgb(255, 255, 255); }

// A pixel where something was drawn: well away from white.
bool isInked(const QImage& img, int x, int y) { return qGray(img.pixel(x, y)) < 200; }

QImage blank(int w, int h) {
  QImage img(w, h, QImage::Format_RGB32);
  img.fill(Qt::white);
  return img;
}

}  // namespace

class QtCanvasTest : public QObject {
  Q_OBJECT

 private slots:
  void lineInThePenColour() {
    QImage img = blank(200, 120);
    QtCanvas c;
    QVERIFY(c.begin(&img));
    c.setPen({rgb(255, 0, 0), 1, PenStyle::Solid});
    c.moveTo(10, 20.5);
    c.lineTo(110, 20.5);
    c.lineTo(110, 100.5);  // joined: one polyline
    c.end();
    QCOMPARE(QColor(img.pixel(60, 20)).red(), 255);
    QVERIFY(QColor(img.pixel(60, 20)).green() < 80);
    QVERIFY(isInked(img, 110, 60));
    QVERIFY(isWhite(img, 60, 40));
    QVERIFY(isWhite(img, 150, 20));
  }

  // A fixed-pitch request whose face is missing falls back to a face whose
  // "i" and "W" are equally wide; without it Qt picks a proportional one.
  void fixedPitchFallsBackToATypewriterFace() {
    Font wanted;
    wanted.face = "MS Serif";  // not installed here
    wanted.height = 40;
    wanted.fixedPitch = true;
    const QFontMetricsF fixed(QtCanvas::qFont(wanted));
    QCOMPARE(fixed.horizontalAdvance(QStringLiteral("iiii")), fixed.horizontalAdvance(QStringLiteral("WWWW")));
    wanted.fixedPitch = false;
    const QFontMetricsF plain(QtCanvas::qFont(wanted));
    QVERIFY(plain.horizontalAdvance(QStringLiteral("iiii")) < plain.horizontalAdvance(QStringLiteral("WWWW")));
  }

  // The symbol face's codes ("R" the sun, "^" .. "i" the zodiac signs) are
  // drawn as the Unicode signs U+263C, U+2648 .. U+2653 from a font that
  // has them when "Wingdings" itself is missing: the picture is that of
  // the sign, not of the letter.
  void symbolCodesShowAsTheirSigns() {
    QVERIFY(!symbolFaceInstalled());
    QVERIFY2(!unicodeSymbolFamily().isEmpty(), "no installed font has the zodiac signs (fonts-dejavu-core)");
    const auto drawn = [](const std::string& face, const std::string& text) {
      QImage img = blank(120, 80);
      QtCanvas c;
      c.begin(&img);
      Font f;
      f.face = face;
      f.height = 48;
      c.setFont(f);
      c.text(10, 10, text);
      c.end();
      return img;
    };
    const std::string family = unicodeSymbolFamily().toStdString();
    struct Row {
      const char* code;
      const char* sign;  // UTF-8
    };
    const Row rows[] = {{"R", "\u263C"}, {"^", "\u2648"}, {"_", "\u2649"}, {"`", "\u264A"}, {"a", "\u264B"},
                        {"e", "\u264F"}, {"i", "\u2653"}};
    for (const Row& row : rows) {
      const QImage asCode = drawn("Wingdings", row.code);
      QVERIFY2(asCode == drawn(family, row.sign), row.code);
      QVERIFY2(asCode != drawn(family, row.code), row.code);
    }
    // A sign given as Unicode already stays the sign.
    QVERIFY(drawn("Wingdings", "\u2648") == drawn(family, "\u2648"));
  }

  void textHangsBelowItsReferencePoint() {
    QImage img = blank(300, 120);
    QtCanvas c;
    QVERIFY(c.begin(&img));
    Font f;
    f.height = 30;
    c.setFont(f);
    c.text(20, 40, "HHH");
    const TextSize extent = c.textExtent("HHH");
    c.end();
    // The cell's top is y = 40: ink below it, none above.
    int top = 1000, bottom = -1, left = 1000;
    for (int y = 0; y < img.height(); ++y)
      for (int x = 0; x < img.width(); ++x)
        if (isInked(img, x, y)) {
          top = std::min(top, y);
          bottom = std::max(bottom, y);
          left = std::min(left, x);
        }
    QVERIFY2(top >= 40 && top <= 40 + 12, qPrintable(QString::number(top)));
    // A capital is about 0.7 em high.
    QVERIFY2(bottom - top >= 15 && bottom - top <= 26, qPrintable(QString::number(bottom - top)));
    QVERIFY(left >= 20 && left <= 26);
    QVERIFY(extent.width > 30 && extent.width < 90);
    QVERIFY(extent.height >= 30);
  }

  void arcRunsCounterClockwise() {
    QImage img = blank(200, 120);
    QtCanvas c;
    QVERIFY(c.begin(&img));
    c.setAntialiasing(false);
    c.setPen({kBlack, 2, PenStyle::Solid});
    c.arc(100, 60, 40, 40, 0, 90);  // from +x up to -y: the upper right quarter
    c.end();
    const double s = 40 / std::sqrt(2.0);
    QVERIFY(isInked(img, static_cast<int>(std::lround(100 + s)), static_cast<int>(std::lround(60 - s))));
    QVERIFY(isWhite(img, static_cast<int>(std::lround(100 + s)), static_cast<int>(std::lround(60 + s))));
    QVERIFY(isWhite(img, static_cast<int>(std::lround(100 - s)), static_cast<int>(std::lround(60 - s))));
  }

  void floodFillStopsAtTheBorder() {
    QImage img = blank(120, 120);
    QtCanvas c;
    QVERIFY(c.begin(&img));
    c.setPen({kBlack, 1, PenStyle::Solid});
    c.rectangle(20, 20, 80, 80);
    c.setBrush({rgb(0, 0, 255), BrushStyle::Solid});
    c.floodFill(50, 50, kBlack, FloodMode::Border);
    // The canvas draws on after the fill with the same pen.
    c.moveTo(0, 100.5);
    c.lineTo(119, 100.5);
    c.end();
    QCOMPARE(img.pixel(50, 50), qRgb(0, 0, 255));
    QCOMPARE(img.pixel(75, 25), qRgb(0, 0, 255));
    QVERIFY(isWhite(img, 10, 10));
    QVERIFY(isWhite(img, 100, 50));
    QVERIFY(isInked(img, 60, 100));
    QVERIFY(qBlue(img.pixel(60, 100)) < 100);  // black, not the brush
  }

  void pagedDeviceReportsThePrintersPage() {
    // A4 landscape with margins of 5 mm left and right, 4 mm top and
    // bottom, at 600 pixels per inch.
    const QPageLayout layout(QPageSize(QPageSize::A4), QPageLayout::Landscape, QMarginsF(5, 4, 5, 4),
                             QPageLayout::Millimeter);
    const PrinterDevice d = printerDeviceOf(layout, 600);
    QCOMPARE(d.widthMm, 287);
    QCOMPARE(d.heightMm, 202);
    // Qt rounds the page to whole points (A4 is 842 x 595): a few pixels.
    QVERIFY2(std::abs(d.resolutionX - 287 / 25.4 * 600) <= 5, qPrintable(QString::number(d.resolutionX)));
    QVERIFY2(std::abs(d.offsetX - 5 / 25.4 * 600) <= 3, qPrintable(QString::number(d.offsetX)));
    QVERIFY2(std::abs(d.offsetY - 4 / 25.4 * 600) <= 3, qPrintable(QString::number(d.offsetY)));
    QVERIFY(!d.portrait);
    // The page set-up: margins of 5 and 4 mm, the printable area centred.
    const PrinterPage page = printerPageSetup(d);
    QVERIFY2(std::abs(page.marginLeft - 50) <= 1, qPrintable(QString::number(page.marginLeft)));
    QVERIFY2(std::abs(page.marginTop - 40) <= 1, qPrintable(QString::number(page.marginTop)));
    QCOMPARE(page.printableWidth, 2820);   // 2968 - 2 * 50 = 2868, capped
    QCOMPARE(page.printableHeight, 2000);  // 2098 - 2 * 40 = 2018, capped
    QCOMPARE(page.offsetX, (2970 - 2820) / 2 - page.marginLeft);
    QCOMPARE(page.offsetY, (2100 - 2000) / 2 - page.marginTop);
  }
};

QTEST_MAIN(QtCanvasTest)
#include "qt_canvas_test.moc"
