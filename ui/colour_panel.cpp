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
#include "base/number_text.h"
#include "dials/dial_family.h"
#include "ui/main_window.h"
#include "ui/ui_texts.h"

namespace tavrel {

namespace {

// The pen labels of the colour legend (the texts are rows 1000 + row of the
// work-text table); the row is
// the block start (planar 0, quadrant 12, azimuthal 24, cylinder and
// hidokai 36, ring 48, bi-azimuthal 60, Hollander 72, Sawyer and
// Peaucellier 84) plus 1..12. Rows not listed are empty.
struct LegendRow {
  int row;
  const char* pen;
};

constexpr LegendRow kLegend[] = {
    {0, ""},
    // planar
    {1, "1"},
    {2, "2"},
    {3, "3"},
    {4, "4"},
    {5, "5"},
    {6, "6"},
    {7, "7"},
    {8, "8"},
    {9, "9"},
    {10, "10"},
    {11, "11"},
    {12, "12"},
    // quadrant
    {13, "1"},
    {14, "2"},
    {15, ""},
    {16, "3"},
    {17, "4"},
    {18, "5"},
    {19, "6"},
    {20, "7"},
    {21, "8"},
    {22, "10"},
    {23, ""},
    {24, "11,12"},
    // azimuthal
    {25, "1"},
    {26, "2"},
    {27, "3"},
    {28, "4"},
    {29, "5"},
    {30, "6, 7"},
    {31, "8"},
    {32, "9"},
    {33, "10"},
    {34, "11"},
    // cylinder, hidokai
    {37, "1"},
    {38, "2"},
    {39, "3"},
    {40, "4"},
    {41, "5"},
    {42, "6"},
    {43, "8"},
    {44, "10"},
    {45, ""},
    {46, "1"},
    // ring
    {49, "1"},
    {50, "2"},
    {51, "3"},
    {52, "4"},
    {53, "5,9"},
    {54, "6,9"},
    {55, "8"},
    {56, "10"},
    {57, ""},
    // bi-azimuthal
    {61, "2"},
    {62, "3"},
    {63, "4"},
    {64, "5"},
    {65, "6"},
    {66, "7"},
    {67, "11"},
    {68, "12"},
    // Hollander
    {73, "1"},
    {74, "2"},
    {75, "3"},
    {76, "4"},
    {77, "6"},
    {78, "7"},
    {79, "11"},
    {80, "12"},
    // Sawyer, Peaucellier
    {85, "1"},
    {86, "2"},
    {87, "3"},
    {88, "4"},
    {89, "5"},
    {90, "6"},
    {91, "7"},
    {92, "8"},
    {93, "9"},
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
  if (!legendRow(row)) return {};
  return qs(tableText(TextTable::WorkTexts, workTextRow::kLegendFirst + row));
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
