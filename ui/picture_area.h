// The pictures of the main window: the start picture with the strip of
// picture buttons for the dial families, the picture panel that shows one
// built-in picture with its caption, and the slide show of all pictures.
// They lie on the working area while no working window is open.
#pragma once

#include <QObject>
#include <QPixmap>
#include <QPointer>
#include <QString>
#include <vector>

class QLabel;
class QPushButton;
class QSlider;
class QTimer;
class QToolButton;
class QWidget;
class QFrame;

namespace tavrel {

// A built-in picture (105, 106, 1105, 1106, 3000..3023); null when the
// number names none.
QPixmap builtInPicture(int number);

class PictureArea : public QObject {
  Q_OBJECT
 public:
  // `area` is the widget the pictures lie on (the working area).
  explicit PictureArea(QWidget* area);

  // The start picture: "tavrel.jpg" of the current folder when it loads,
  // otherwise one of the built-in pictures 105 and 106 (6 in 10 times 106).
  void loadStartPicture(int randomDigit);
  int startPictureNumber() const { return startNumber_; }  // 0: tavrel.jpg
  // Start picture, strip and slide-show button shown or hidden together.
  void setStartVisible(bool visible);
  bool startVisible() const;
  // The slide-show button alone (visible only while no window is open and
  // the show is stopped).
  void setSlideButtonVisible(bool visible);
  // Places the pictures for the area's size (90 % at most, one third of
  // the free height above, the strip 5 pixels below).
  void layout();

  // The picture panel: shows picture `number` with its caption at
  // (30, 20); false (nothing shown) when the picture cannot be loaded.
  bool showPicture(int number);
  void hidePanel();
  bool panelVisible() const;
  int panelPicture() const { return panelNumber_; }
  QString panelCaption() const;

  // Picture strip: the button of a family shows the next picture of its
  // cycle and puts it in the panel.
  void stripClicked(int family);
  int stripPicture(int family) const { return stripNumbers_[family]; }

  // Slide show.
  void toggleSlideShow();
  bool slideShowRunning() const;
  void slideTick();
  int slideIntervalMs() const;
  QPushButton* slideButton() const { return slideButton_; }
  QSlider* slideSlider() const { return slider_; }

  void applyLanguage();
  // Clicking the start picture alternates the built-in pictures 105, 106.
  void startPictureClicked();

 protected:
  bool eventFilter(QObject* watched, QEvent* e) override;

 private:
  void updateStripButton(int family);
  void updateSlideLabel();

  QWidget* area_;
  QLabel* start_;
  QPixmap startPixmap_;
  int startNumber_ = 105;
  QWidget* strip_;
  QLabel* stripLabel_;
  std::vector<QToolButton*> stripButtons_;
  std::vector<int> stripNumbers_;
  QFrame* panel_;
  QLabel* panelImage_;
  QLabel* panelCaption_;
  QPushButton* panelClose_;
  int panelNumber_ = 0;
  QPushButton* slideButton_;
  QWidget* slideControls_;
  QSlider* slider_;
  QLabel* slideLabel_;
  QPushButton* slideStop_;
  QTimer* timer_;
  bool startShown_ = true;
};

}  // namespace tavrel
