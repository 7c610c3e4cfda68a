// The colour panel of the main window: the twelve pen colours with the
// legend of what each pen draws in the current dial family, the screen
// line width, and the buttons that save, load and reset the palette.
#pragma once

#include <QFrame>
#include <array>

class QComboBox;
class QLabel;
class QPushButton;

namespace tavrel {

// The colour legend table: the text of row `row` (block start + pen row
// 1..12, row 0 the heading) in the current language, and its pen label.
QString legendText(int row);
QString legendPenLabel(int row);

// The family name of the panel heading for the record's kind.
QString legendFamilyName();

// The picture of the legend: one short line per colour at the heights the
// legend rows stand at, with the row's pen label and text beside it.
class LegendView : public QWidget {
  Q_OBJECT
 public:
  explicit LegendView(QWidget* parent = nullptr);
  void setBlock(int block);
  int block() const { return block_; }
  // Line i (0..11) gets a focus frame while its colour is chosen (-1: none).
  void setFocusLine(int i);
  // Top edge of legend line i for a picture of height h.
  static int lineY(int i, int h);
  QSize sizeHint() const override;

 signals:
  void lineClicked(int i);

 protected:
  void paintEvent(QPaintEvent* e) override;
  void mousePressEvent(QMouseEvent* e) override;

 private:
  int block_ = 0;
  int focusLine_ = -1;
};

class ColourPanel : public QFrame {
  Q_OBJECT
 public:
  explicit ColourPanel(QWidget* parent = nullptr);

  // Shows the record's colours and the legend of `block`.
  void refresh(int block);
  void applyLanguage();
  // Clicking colour field or legend line i (1..12): the colour dialog of
  // the platform; a chosen colour is stored. In the legend blocks above 60
  // (Hollander, Sawyer, Peaucellier) pen 12 follows pen 10.
  void chooseColour(int i);
  QPushButton* colourField(int i) const { return fields_[i - 1]; }
  QComboBox* lineWidthChoice() const { return width_; }
  LegendView* legend() const { return legend_; }

 signals:
  void closeRequested();
  void saveRequested();
  void loadRequested();
  void resetRequested();

 private:
  QLabel* heading_;
  QLabel* title_;
  QLabel* note_;
  QLabel* widthLabel_;
  LegendView* legend_;
  QComboBox* width_;
  std::array<QPushButton*, 12> fields_{};
  std::array<QLabel*, 12> fieldLabels_{};
  QPushButton* save_;
  QPushButton* load_;
  QPushButton* reset_;
  QPushButton* close_;
};

}  // namespace tavrel
