// The drawing window (DrawingWindow): the constructed dial on a picture drawn
// with the Qt painter canvas, the gnomon foot and the text position set
// with the mouse, zoom by keys and wheel, the printed or saved page
// layout, printing, the save panel (HPGL, DXF, coordinates, line
// thickness), the pole-style information and the hour-line angle table.
// The state and the construction dispatch are the drawing controller's;
// this window adds the widgets, the printer and the file dialogs.
#pragma once

#include <QFrame>
#include <QImage>
#include <QPointF>
#include <map>

#include "drawing/drawing_controller.h"
#include "drawing/save_route.h"
#include "ui/child_form.h"
#include "ui/qt_canvas.h"
#include "ui/work_window_texts.h"

class QButtonGroup;
class QCheckBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QSlider;
class QRadioButton;
class QTableWidget;
class QTimer;

namespace tavrel {

class DrawingPicture;

class DrawingWindow : public ChildForm {
  Q_OBJECT
 public:
  explicit DrawingWindow(MainWindow* main);
  ~DrawingWindow() override;

  QSize sizeHint() const override;
  void applyLanguage() override;
  // Closing hides the panels and disables the main window's Print.
  bool closeQuery() override;
  // F1 opens the help topic of the dial on the picture.
  int helpTopic() const override;

  // --- parts, for the main window and for tests ---
  DrawingController& controller() { return controller_; }
  const QImage& image() const { return image_; }
  QWidget* picture() const;
  QPushButton* command(WorkText id) const;
  QWidget* infoPanel() const { return infoPanel_; }
  QPlainTextEdit* infoText() const { return infoText_; }
  QWidget* anglePanel() const { return anglePanel_; }
  QTableWidget* angleGrid() const { return angleGrid_; }
  QCheckBox* longitudeSwitch() const { return longitude_; }
  QWidget* savePanelWidget() const { return savePanelWidget_; }
  QLineEdit* plotNameField() const { return plotName_; }
  QLineEdit* coordinatesNameField() const { return coordsName_; }
  QRadioButton* coordinatesChoice(CoordinatesChoice c) const;
  QRadioButton* lineThicknessChoice(int width) const;  // 1..3
  QPushButton* continueButton() const { return continue_; }
  // The outline tools of the expert panel: halve, join, shorten, search.
  QPushButton* mapToolButton(int i) const { return mapToolButtons_[i]; }
  QFrame* mapToolsPanel() const { return mapTools_; }
  // The scale track bar (dials with kCapScaleTrack).
  QFrame* scaleTrackPanel() const { return scaleTrack_; }
  QSlider* scaleSlider() const { return scaleSlider_; }
  QMenu* drawingPopup() const { return popup_; }
  QLabel* hintPanel() const { return hint_; }
  const SavePanel& savePanel() const { return savePanel_; }
  // The preview rectangle of the text block after Alt + click (empty when
  // none is shown), in picture pixels.
  QRectF textPreview() const;

  // --- commands ---
  // The activation: caption, picture size, defaults, the first
  // construction and message 43 on the picture. Runs once, when the
  // picture first has its size; the commands call it when it has not run.
  void activate();
  void display();
  void displayWithGrid();
  void zoomIn();
  void zoomOut();
  void wheel(int delta);
  void setPaperA4(bool a4);
  void leftClick(const QPointF& at);
  void altLeftClick(const QPointF& at);
  // A click offered to the dial family first (the ham dial's hour
  // points); true when the family took it.
  bool familyClick(const QPointF& at, Qt::KeyboardModifiers modifiers);
  void togglePoleTriangle();
  void toggleLinesToStyleFoot();
  void runDrawing();
  void showStylusInfo();
  void showHourLines();
  void setLongitudeCorrection(bool checked);
  void hidePanels();
  // The save panel for an HPGL or DXF file, or (coordinates command) a
  // DXF file with the coordinates listing as a text file; false when
  // message 15 cancelled it.
  bool openSavePanel(PlotTarget target, bool coordinatesCommand = false);
  // "Continue >>" of the save panel.
  SaveResult continueSave();
  // "&Print": the angle table when its panel is shown, else the
  // construction on a landscape page. False when nothing was printed.
  bool print();
  bool printConstruction();
  bool printHourLineAngles();
  bool printInfo();
  // Redraws after the picture was resized.
  void refit();

 protected:
  void showEvent(QShowEvent* e) override;
  bool eventFilter(QObject* watched, QEvent* e) override;

 private:
  friend class DrawingPicture;
  template <class F>
  void draw(F&& f);
  void buildCommands(QWidget* panel);
  void buildInfoPanel();
  void buildAnglePanel();
  void buildSavePanel();
  void updateCommands();
  void fillAngleTable();
  void showPanel(QWidget* panel);
  void readSavePanel();
  void pictureResized();
  void mouseMoved();
  void keyPressed(QKeyEvent* e);

  QImage image_;
  QtCanvas canvas_;
  DrawingController controller_;
  SavePanel savePanel_;
  bool activated_ = false;
  bool previewShown_ = false;

  DrawingPicture* picture_ = nullptr;
  QLabel* hint_ = nullptr;
  QTimer* resizeTimer_ = nullptr;
  QMenu* popup_ = nullptr;
  std::map<WorkText, QPushButton*> commands_;
  QPushButton* zoomInButton_ = nullptr;
  QPushButton* extraPictureButton_ = nullptr;
  QCheckBox* extraPictureFile_ = nullptr;
  QPushButton* zoomOutButton_ = nullptr;

  QFrame* infoPanel_ = nullptr;
  QPlainTextEdit* infoText_ = nullptr;

  QFrame* anglePanel_ = nullptr;
  QLabel* angleHeader_ = nullptr;
  QLabel* longitudePanel_ = nullptr;
  QTableWidget* angleGrid_ = nullptr;
  QCheckBox* longitude_ = nullptr;

  QFrame* savePanelWidget_ = nullptr;
  QLabel* saveTitle_ = nullptr;
  QLineEdit* plotName_ = nullptr;
  QLineEdit* coordsName_ = nullptr;
  QButtonGroup* coordsGroup_ = nullptr;
  QButtonGroup* thicknessGroup_ = nullptr;
  QPushButton* continue_ = nullptr;
  QFrame* mapTools_ = nullptr;
  QFrame* scaleTrack_ = nullptr;
  QSlider* scaleSlider_ = nullptr;
  QLabel* scaleLabel_ = nullptr;
  QPushButton* mapToolButtons_[4] = {};
};

}  // namespace tavrel
