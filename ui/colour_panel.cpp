#include "ui/colour_panel.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>
#include <cmath>

#include "core/design_state.h"
#include "core/language.h"
#include "core/platform.h"
#include "dials/dial_family.h"
#include "plot/number_text.h"
#include "ui/tav1main.h"
#include "ui/ui_texts.h"

namespace tavrel {

namespace {

// The colour legend table: pen label, German and English text; the row is
// the block start (planar 0, quadrant 12, azimuthal 24, cylinder and
// hidokai 36, ring 48, bi-azimuthal 60, Hollander 72, Sawyer and
// Peaucellier 84) plus 1..12. Rows not listed are empty.
struct LegendRow {
  int row;
  const char* pen;
  const char* german;
  const char* english;
};

constexpr LegendRow kLegend[] = {
    {0, "", "Farben für ", "Colors for "},
    // planar
    {1, "1", "= Deklinationslinien", "= declination lines"},
    {2, "2", "= volle Stunden mit ZGL", "= full hours with EoT"},
    {3, "3", "= volle Stunden ohne ZGL", "= full hours without EoT"},
    {4, "4", "= Text", "= text"},
    {5, "5", "= Linien der Sonnenhöhe", "= lines for sun altitude"},
    {6, "6", "= Italienische Stunden", "= Italian hours"},
    {7, "7", "= Babylonische Stunden", "= Babylonian hours"},
    {8, "8", "= Stundenlinien zwischen vollen Stunden", "= hour lines for not full hours"},
    {9, "9", "= Gitter (Koordinaten)", "= grid (coordinates)"},
    {10, "10", "= Temporalstunden", "= temporal hours"},
    {11, "11", "= Küstenlinien", "= coast lines"},
    {12, "12", "= Grenzen", "= boundaries"},
    // quadrant
    {13, "1", "= Winkelmesser, Bögen", "= protractor, arcs"},
    {14, "2", "= Stundenlinien (volle Stunden)", "= hour lines (full hours)"},
    {15, "", "   ( 3 = für Teile der Stunde)", "   ( 3 = for parts of the single hour)"},
    {16, "3", "= Stundenlinien zwischen vollen Stunden", "= hour lines between full hours"},
    {17, "4", "= Text", "= text"},
    {18, "5", "Azimutlinien (Gunter)", "azimuth lines (Gunter)"},
    {19, "6", "= Bögen für verschiedene Daten", "= arcs for different dates"},
    {20, "7", "Azimutlinien (Gunter)", "azimuth lines (Gunter)"},
    {21, "8", "= Bögen für verschiedene Daten", "= arcs for different dates"},
    {22, "10", "= Temporalstunden (volle Stunden)", "= temporal hours (full hours)"},
    {23, "", "   ( 3 = für Teile der Temporalstunde)", "   ( 3 = for parts of the temporal hour)"},
    {24, "11,12", "Skalenhintergrund", "scales background"},
    // azimuthal
    {25, "1", "= Babylonische Stundenlinien (volle)", "= Babylonian hour lines (full)"},
    {26, "2", "= Ortszeit (volle Stunden)", "= local time (full hours)"},
    {27, "3", "= Stundenlinien zwischen vollen Stunden", "= hour lines in between full hours"},
    {28, "4", "= Text, Winkelmesser", "= text, protractor"},
    {29, "5", "= Linien Sonnenuntergang/-aufgang", "= lines sunset/sunrise"},
    {30, "6, 7", "= Bögen (für Daten)", "= arcs (for dates)"},
    {31, "8", "= Temporalstunden", "= temporal hours"},
    {32, "9", "= farbiger Kreisring (nur Bildschirm), Gitter (Koordinaten)",
     "= colored circle ring (only screen), grid (co-ordinates)"},
    {33, "10", "= Italienische Stundenlinien (volle) 3 = Zwischenzeiten",
     "= Italian hour lines (full) 3 = times in between"},
    {34, "11", "= Horizontprofil (Skyline)", "= horizon profile (skyline)"},
    // cylinder, hidokai
    {37, "1", "= Gitter mit Daten", "= grid with dates"},
    {38, "2", "= Stundenlinien vorm. (volle Stunden)", "= hour lines a.m. (full hours)"},
    {39, "3", "= Stundenlinien nachm. (volle Stunden)", "= hour lines p.m. (full hours)"},
    {40, "4", "= Text, Datumslinien", "= text, date lines"},
    {41, "5", "= Zwischenstunden vorm. // Ital. Stunden", "= for hours in between a.m. // Ital. Hours"},
    {42, "6", "= Zwischenstunden nachm. // Babyl. Stunden", "= for hours in between p.m.// Babyl. Hours"},
    {43, "8", "= Skala der Sonnenhöhe", "= scale for Sun altitude"},
    {44, "10", "= Temporalstunden", "= temporal hours"},
    {45, "", "   ( 9 = für Teile der Temporalstunden)", "   ( 9 = for parts of temporal hours)"},
    {46, "1", "= Winkelmesser, Bögen", "= protractor, arcs"},
    // ring
    {49, "1", "= Text", "= text"},
    {50, "2", "= Stundenlinien (volle Stunden)", "= hour lines (full hours)"},
    {51, "3", "= Stundenlinien zwischen vollen Stunden", "= hour lines between full hours"},
    {52, "4", "= Datumslinien (Tierkreis)", "= date lines (Zodiac)"},
    {53, "5,9", "= Italienische Stunden (volle, Teile)", "= Italian Hours (full hours, parts)"},
    {54, "6,9", "= Babylon. (volle Stunden, Teile)", "= Babylon. (full hours,parts)"},
    {55, "8", "= Linie für Sonnenauf-/-untergang", "= Line for Sun rise/set"},
    {56, "10", "= Temporalstunden (volle Stunden)", "= temporal hours (full hours)"},
    {57, "", "   ( 3 = für Teile der Temporalstunde)", "   ( 3 = for parts of the temporal hour)"},
    // bi-azimuthal
    {61, "2", "= Stundenlinien (volle Stunden)", "= hour lines (full hours)"},
    {62, "3", "= Stundenlinien zwischen vollen Stunden", "= hour lines between full hours"},
    {63, "4", "= Text", "= text"},
    {64, "5", "= Stundenlinien mit ZGL", "= hour lines with Eot"},
    {65, "6", "= Datumslinien (Tierkreis)", "= date lines (Zodiac)"},
    {66, "7", "= Datumslinien", "= date lines"},
    {67, "11", "= Küstenlinien", "= coast lines"},
    {68, "12", "= Grenzen", "= boundaries"},
    // Hollander
    {73, "1", "= Text", "= text"},
    {74, "2", "= Stundenlinien (volle Stunden)", "= hour lines (full hours)"},
    {75, "3", "= Stundenlinien zwischen vollen Stunden", "= hour lines between full hours"},
    {76, "4", "= Schattenkegel (Position)", "= shadow con(position)"},
    {77, "6", "= Datumslinien", "= date lines"},
    {78, "7", "= Datumslinien", "= date lines"},
    {79, "11", "= Küstenlinien", "= coast lines"},
    {80, "12", "= Grenzen", "= boundaries"},
    // Sawyer, Peaucellier
    {85, "1", "= Datumslinien", "= date lines"},
    {86, "2", "= Datumslinien", "= date lines"},
    {87, "3", "= Stundenlinien (volle Stunden)", "= hour lines (full hours)"},
    {88, "4", "= Text", "= text"},
    {89, "5", "= Datumslinien zwischen vollen Monaten", "= date lines between full months"},
    {90, "6", "= Datumslinien", "= date lines"},
    {91, "7", "= Datumslinien", "= date lines"},
    {92, "8", "= Stundenlinien zwischen vollen Stunden", "= hour lines between full hours"},
    {93, "9", "", ""},
};

const LegendRow* legendRow(int row) {
  for (const LegendRow& r : kLegend)
    if (r.row == row) return &r;
  return nullptr;
}

QColor penColour(std::int32_t bgr) {
  return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
}

constexpr int kLegendHeight = 300;

}  // namespace

QString legendText(int row) {
  const LegendRow* r = legendRow(row);
  if (!r) return {};
  return QString::fromUtf8(design().language == 2 ? r->english : r->german);
}

QString legendPenLabel(int row) {
  const LegendRow* r = legendRow(row);
  return r ? QString::fromUtf8(r->pen) : QString();
}

QString legendFamilyName() {
  const int row = legendFamilyNameRow(design());
  return qs(tableText(TextTable::Labels, row));
}

// --- LegendView -------------------------------------------------------------

LegendView::LegendView(QWidget* parent) : QWidget(parent) {
  setMinimumSize(sizeHint());
  setCursor(Qt::PointingHandCursor);
}

QSize LegendView::sizeHint() const { return {420, kLegendHeight}; }

int LegendView::lineY(int i, int h) {
  return static_cast<int>(roundHalfEven(i * h / 21.35 / 1.14 * 2)) + 8;
}

void LegendView::setBlock(int block) {
  block_ = block;
  update();
}

void LegendView::setFocusLine(int i) {
  focusLine_ = i;
  repaint();
}

void LegendView::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), Qt::white);
  const DesignState& d = design();
  const int h = kLegendHeight;
  const QFontMetrics fm(font());
  for (int i = 0; i < 12; ++i) {
    const int y = lineY(i, h);
    p.setPen(QPen(penColour(d.colors[i]), std::max(1, int(d.lineWidth)), Qt::SolidLine,
                  Qt::FlatCap));
    p.drawLine(10, y, 35, y);
    p.setPen(Qt::black);
    const int base = y + fm.ascent() / 2 - 1;
    p.drawText(44, base, legendPenLabel(block_ + i + 1));
    p.drawText(82, base, legendText(block_ + i + 1));
  }
  if (focusLine_ >= 0) {
    const int y = lineY(focusLine_, h) - 6;
    p.setPen(QPen(Qt::black, 1, Qt::DotLine));
    p.drawRect(2, y, 36, 16);
  }
}

void LegendView::mousePressEvent(QMouseEvent* e) {
  const int y = e->position().toPoint().y();
  for (int i = 0; i < 12; ++i) {
    const int top = lineY(i, kLegendHeight) - 10;
    if (y >= top && y < lineY(i + 1, kLegendHeight) - 10) {
      emit lineClicked(i);
      return;
    }
  }
}

// --- ColourPanel -----------------------------------------------------------

ColourPanel::ColourPanel(QWidget* parent) : QFrame(parent) {
  setFrameShape(QFrame::Panel);
  setFrameShadow(QFrame::Raised);
  setAutoFillBackground(true);
  auto* outer = new QVBoxLayout(this);
  title_ = new QLabel(this);
  QFont bold = title_->font();
  bold.setBold(true);
  title_->setFont(bold);
  heading_ = new QLabel(this);
  outer->addWidget(title_);
  outer->addWidget(heading_);

  auto* middle = new QHBoxLayout;
  legend_ = new LegendView(this);
  middle->addWidget(legend_);
  auto* grid = new QGridLayout;
  for (int i = 0; i < 12; ++i) {
    fieldLabels_[i] = new QLabel(this);
    fields_[i] = new QPushButton(this);
    fields_[i]->setFixedSize(44, 18);
    fields_[i]->setFlat(true);
    fields_[i]->setAutoFillBackground(true);
    fields_[i]->setCursor(Qt::PointingHandCursor);
    grid->addWidget(fieldLabels_[i], i, 0);
    grid->addWidget(fields_[i], i, 1);
    connect(fields_[i], &QPushButton::clicked, this, [this, i] { chooseColour(i + 1); });
  }
  middle->addLayout(grid);
  outer->addLayout(middle);
  connect(legend_, &LegendView::lineClicked, this, [this](int i) { chooseColour(i + 1); });

  note_ = new QLabel(this);
  note_->setWordWrap(true);
  outer->addWidget(note_);

  auto* widthRow = new QHBoxLayout;
  widthLabel_ = new QLabel(this);
  width_ = new QComboBox(this);
  widthLabel_->setBuddy(width_);
  widthRow->addWidget(widthLabel_);
  widthRow->addWidget(width_);
  widthRow->addStretch();
  outer->addLayout(widthRow);
  connect(width_, &QComboBox::activated, this, [this](int index) {
    design().lineWidth = static_cast<std::uint8_t>(index + 1);
    legend_->update();
  });

  auto* buttons = new QHBoxLayout;
  save_ = new QPushButton(this);
  load_ = new QPushButton(this);
  reset_ = new QPushButton(this);
  close_ = new QPushButton(this);
  for (QPushButton* b : {save_, load_, reset_, close_}) buttons->addWidget(b);
  outer->addLayout(buttons);
  connect(save_, &QPushButton::clicked, this, &ColourPanel::saveRequested);
  connect(load_, &QPushButton::clicked, this, &ColourPanel::loadRequested);
  connect(reset_, &QPushButton::clicked, this, &ColourPanel::resetRequested);
  connect(close_, &QPushButton::clicked, this, &ColourPanel::closeRequested);
  applyLanguage();
}

void ColourPanel::applyLanguage() {
  title_->setText(plainq(qs(tableText(TextTable::Menu, menu::kColours))));
  heading_->setText(QStringLiteral(" ") + legendText(0) + legendFamilyName() + QStringLiteral(":"));
  note_->setText(uiq(2015));
  widthLabel_->setText(uiq(2011));
  {
    const QSignalBlocker block(width_);
    width_->clear();
    width_->addItems({uiq(2012), uiq(2013), uiq(2014)});
    width_->setCurrentIndex(design().lineWidth - 1);
  }
  for (int i = 0; i < 12; ++i) fieldLabels_[i]->setText(uiq(2016) + QString::number(i + 1));
  save_->setText(uiq(2017));
  load_->setText(uiq(2018));
  reset_->setText(uiq(2019));
  close_->setText(uiq(2020));
  legend_->update();
}

void ColourPanel::refresh(int block) {
  legend_->setBlock(block);
  for (int i = 0; i < 12; ++i) {
    QPalette pal = fields_[i]->palette();
    pal.setColor(QPalette::Button, penColour(design().colors[i]));
    fields_[i]->setPalette(pal);
    fields_[i]->setStyleSheet(QStringLiteral("background-color: %1; border: 1px solid black;")
                                  .arg(penColour(design().colors[i]).name()));
  }
  applyLanguage();
}

void ColourPanel::chooseColour(int i) {
  DesignState& d = design();
  legend_->setFocusLine(i - 1);
  if (const std::optional<std::int32_t> c = platform().chooseColor(d.colors[i - 1])) {
    d.colors[i - 1] = *c;
    if (legend_->block() > 60) d.colors[11] = d.colors[9];
  }
  legend_->setFocusLine(-1);
  refresh(legend_->block());
}

}  // namespace tavrel
