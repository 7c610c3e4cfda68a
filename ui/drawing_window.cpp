#include "ui/drawing_window.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QSignalBlocker>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <cmath>

#include "base/number_text.h"
#include "core/design_state.h"
#include "core/language.h"
#include "dials/dial_family.h"
#include "dials/dial_type_rules.h"
#include "dials/planar/angle_table_print.h"
#include "dials/planar/pole_style_info.h"
#include "dials/world_map/outline_tools.h"
#include "drawing/drawing_texts.h"
#include "ui/print_angle_table.h"
#include "ui/ui_texts.h"
#include "ui/print_jobs.h"
#include "ui/print_page.h"
#include "ui/help_topics.h"
#include "ui/main_window.h"

namespace tavrel {

namespace {
// Captions of the outline tools (ui_texts.tsv): halve, join, shorten, search.
constexpr int kMapToolCaption = 20400;
}  // namespace

namespace {

// The gnomon length as drawn: gnomonLength times the zoom, to 0.01 mm.
double gnomonMmAtZoom(double zoom) { return std::round(design().gnomonLength * zoom * 100) / 100; }

QFont fixedFont(int pointSize) {
  QFont f(QStringLiteral("Courier New"), pointSize);
  f.setStyleHint(QFont::TypeWriter);
  f.setFixedPitch(true);
  return f;
}

}  // namespace

// The picture: the image the construction drew, the focus square of a
// fixed gnomon foot and the preview of the text block; mouse, wheel and
// keys go to the window.
class DrawingPicture : public QWidget {
 public:
  explicit DrawingPicture(DrawingWindow* form) : QWidget(nullptr), form_(form) {
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::CrossCursor);
    setMinimumSize(320, 220);
    setAttribute(Qt::WA_OpaquePaintEvent);
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    p.drawImage(0, 0, form_->image_);
    const DrawingWindowState& s = form_->controller_.state();
    if (s.gnomonFootFixed) {
      // The 8-pixel focus square of the foot.
      QPen pen(Qt::black, 1, Qt::DotLine);
      p.setPen(pen);
      p.setBrush(Qt::NoBrush);
      p.drawRect(QRectF(s.footX - 4, s.footY - 4, 8, 8));
    }
    const QRectF preview = form_->textPreview();
    if (!preview.isEmpty()) {
      p.setCompositionMode(QPainter::RasterOp_NotSourceXorDestination);
      p.setPen(QPen(Qt::blue, 1));
      p.setBrush(Qt::NoBrush);
      p.drawRect(preview);
    }
  }
  void mousePressEvent(QMouseEvent* e) override {
    setFocus(Qt::MouseFocusReason);
    if (e->button() == Qt::LeftButton) {
      if (form_->familyClick(e->position(), e->modifiers())) {
        e->accept();
        return;
      }
      if (e->modifiers() & Qt::AltModifier)
        form_->altLeftClick(e->position());
      else if (!(e->modifiers() & (Qt::ControlModifier | Qt::ShiftModifier)))
        form_->leftClick(e->position());
      e->accept();
      return;
    }
    QWidget::mousePressEvent(e);
  }
  void mouseMoveEvent(QMouseEvent* e) override {
    form_->mouseMoved();
    QWidget::mouseMoveEvent(e);
  }
  void wheelEvent(QWheelEvent* e) override {
    form_->wheel(e->angleDelta().y());
    e->accept();
  }
  void keyPressEvent(QKeyEvent* e) override { form_->keyPressed(e); }
  void resizeEvent(QResizeEvent* e) override {
    QWidget::resizeEvent(e);
    form_->pictureResized();
  }
  void contextMenuEvent(QContextMenuEvent* e) override {
    form_->popup_->popup(e->globalPos());
    e->accept();
  }

 private:
  DrawingWindow* form_;
};

// --- construction --------------------------------------------------------------

DrawingWindow::DrawingWindow(MainWindow* main) : ChildForm(main, ShellWindow::Drawing), controller_(canvas_) {
  auto* outer = new QHBoxLayout(body());
  outer->setContentsMargins(2, 2, 2, 2);
  outer->setSpacing(4);

  // The picture first: the window's first focus is its own (keys, and F1
  // for the dial's page), not that of the first command.
  picture_ = new DrawingPicture(this);
  picture_->setParent(body());
  auto* commandPanel = new QWidget(body());
  buildCommands(commandPanel);
  outer->addWidget(commandPanel);

  auto* right = new QVBoxLayout;
  right->setSpacing(2);
  right->addWidget(picture_, 1);
  hint_ = new QLabel(body());
  hint_->setFrameShape(QFrame::StyledPanel);
  right->addWidget(hint_);
  outer->addLayout(right, 1);

  resizeTimer_ = new QTimer(this);
  resizeTimer_->setSingleShot(true);
  resizeTimer_->setInterval(100);
  connect(resizeTimer_, &QTimer::timeout, this, &DrawingWindow::refit);

  popup_ = new QMenu(this);
  QAction* triangle = popup_->addAction(QString(), this, [this] { togglePoleTriangle(); });
  QAction* toFoot = popup_->addAction(QString(), this, [this] { toggleLinesToStyleFoot(); });
  QAction* run = popup_->addAction(QString(), this, [this] { runDrawing(); });
  triangle->setCheckable(true);
  toFoot->setCheckable(true);
  connect(popup_, &QMenu::aboutToShow, this, [triangle, toFoot] {
    triangle->setChecked(design().drawPoleTriangle);
    toFoot->setChecked(design().linesToStyleFoot);
  });
  bindText([triangle, toFoot, run] {
    triangle->setText(wtext(WorkText::PoleTriangle));
    toFoot->setText(wtext(WorkText::LinesToStyleFoot));
    run->setText(wtext(WorkText::RunDrawing));
  });

  buildInfoPanel();
  buildAnglePanel();
  buildSavePanel();
  body()->installEventFilter(this);
  bindText([this] {
    if (activated_) setWindowTitle(qs(drawingWindowTitle(design())));
  });
  setWindowTitle(qs(drawingWindowTitle(design())));
  QTimer::singleShot(0, this, [this] { activate(); });
}

DrawingWindow::~DrawingWindow() { canvas_.end(); }

QWidget* DrawingWindow::picture() const { return picture_; }

QSize DrawingWindow::sizeHint() const {
  if (const QWidget* area = parentWidget())
    return QSize(area->width() * 19 / 20, area->height() * 19 / 20).expandedTo(QSize(640, 440));
  return {1100, 720};
}

namespace {

// The help topic of a command (0: the window's, as for "Parameter" and
// "Close", whose topic is the dial's).
int commandHelpTopic(WorkText id) {
  switch (id) {
    case WorkText::Display:
    case WorkText::DisplayGrid:
    case WorkText::AsPrintout:
    case WorkText::AsSavedFile: return help::kDrawing;
    case WorkText::StylusInfo:
    case WorkText::PrintInfo: return help::kStylusInfo;
    case WorkText::HourLines: return help::kHourLineTable;
    case WorkText::Colours: return help::kColours;
    case WorkText::Print: return help::kPrintDrawing;
    case WorkText::SaveHpgl:
    case WorkText::SaveDxf:
    case WorkText::Coordinates: return help::kSavePlot;
    case WorkText::SaveData:
    case WorkText::LoadData: return help::kConstructionData;
    default: return 0;
  }
}

}  // namespace

void DrawingWindow::buildCommands(QWidget* panel) {
  auto* layout = new QVBoxLayout(panel);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(2);
  auto add = [&](WorkText id, auto slot) {
    QPushButton* b = makeButton(wt(id), panel);
    b->setFocusPolicy(Qt::TabFocus);
    connect(b, &QPushButton::clicked, this, slot);
    layout->addWidget(b);
    commands_[id] = b;
    return b;
  };
  add(WorkText::Display, [this] { display(); });
  add(WorkText::DisplayGrid, [this] { displayWithGrid(); });
  auto* zoomRow = new QHBoxLayout;
  for (bool in : {true, false}) {
    auto* b = new QPushButton(in ? QStringLiteral("+") : QStringLiteral("-"), panel);
    b->setFocusPolicy(Qt::TabFocus);
    connect(b, &QPushButton::clicked, this, [this, in] { in ? zoomIn() : zoomOut(); });
    bindText([b] { b->setToolTip(wtext(WorkText::ZoomHint)); });
    zoomRow->addWidget(b);
    (in ? zoomInButton_ : zoomOutButton_) = b;
  }
  layout->addLayout(zoomRow);
  add(WorkText::AsPrintout, [this] { setPaperA4(true); });
  add(WorkText::AsSavedFile, [this] { setPaperA4(false); });
  layout->addSpacing(6);
  add(WorkText::StylusInfo, [this] { showStylusInfo(); });
  add(WorkText::HourLines, [this] { showHourLines(); });
  add(WorkText::Colours, [this] { mainForm()->showColourPanel(); });
  layout->addSpacing(6);
  add(WorkText::Print, [this] { print(); });
  add(WorkText::PrintInfo, [this] { printInfo(); });
  add(WorkText::SaveHpgl, [this] { openSavePanel(PlotTarget::Hpgl); });
  add(WorkText::SaveDxf, [this] { openSavePanel(PlotTarget::Dxf); });
  add(WorkText::Coordinates, [this] { openSavePanel(PlotTarget::Dxf, true); });
  layout->addSpacing(6);
  // A family with construction-data files of its own saves and loads them.
  add(WorkText::SaveData, [this] {
    if (controller_.familyHasDataFiles()) controller_.saveFamilyData();
    else mainForm()->saveSundialData();
  });
  add(WorkText::LoadData, [this] {
    if (controller_.familyHasDataFiles()) draw([this] { controller_.loadFamilyData(); });
    else mainForm()->loadSundialData();
  });
  add(WorkText::Parameter, [this] {
    mainForm()->openWorkingWindow(ShellWindow::Parameters, menu::kParameters);
  });
  // The family's second picture (the ring dial's correction table), shown
  // only for a family that has one.
  extraPictureButton_ = makeButton(
      [this] {
        const int row = controller_.extraPictureButtonRow();
        return row < 0 ? QString() : qs(tableText(TextTable::Texts, row));
      },
      panel);
  extraPictureButton_->setFocusPolicy(Qt::TabFocus);
  connect(extraPictureButton_, &QPushButton::clicked, this,
          [this] { draw([this] { controller_.showExtraPicture(); }); });
  layout->addWidget(extraPictureButton_);
  extraPictureFile_ = new QCheckBox(panel);
  extraPictureFile_->setFocusPolicy(Qt::TabFocus);
  bindText([this] {
    const DialFamily* f = familyOf(design());
    extraPictureFile_->setText(f && f->extraPictureFileSwitchRow >= 0
                                   ? qs(tableText(TextTable::Texts, f->extraPictureFileSwitchRow))
                                   : QString());
  });
  connect(extraPictureFile_, &QCheckBox::toggled, this, [](bool on) {
    const DialFamily* f = familyOf(design());
    if (f && f->extraPictureFileSwitch) design().*(f->extraPictureFileSwitch) = on;
  });
  layout->addWidget(extraPictureFile_);

  // The scale track bar of the dials that read drawingScale: position
  // Round(ln(scale) * 10), a change sets scale := Round(exp(position / 10)).
  scaleTrack_ = new QFrame(panel);
  auto* track = new QVBoxLayout(scaleTrack_);
  track->setContentsMargins(0, 4, 0, 0);
  scaleSlider_ = new QSlider(Qt::Horizontal, scaleTrack_);
  scaleSlider_->setRange(16, 180);  // scales 5 .. 66000000
  scaleLabel_ = new QLabel(scaleTrack_);
  track->addWidget(scaleSlider_);
  track->addWidget(scaleLabel_);
  connect(scaleSlider_, &QSlider::valueChanged, this, [this](int position) {
    const int scale = static_cast<int>(roundHalfEven(std::exp(position / 10.0)));
    scaleLabel_->setText(qs(fixedText(scale, 6, 0)));
    if (scale == design().drawingScale) return;
    design().drawingScale = scale;
    draw([&] { controller_.construct(); });
  });
  layout->addWidget(scaleTrack_);

  // The expert panel: the tools that prepare outline files for the map.
  mapTools_ = new QFrame(panel);
  auto* tools = new QGridLayout(mapTools_);
  tools->setContentsMargins(0, 4, 0, 0);
  tools->setSpacing(2);
  const OutlineTool kinds[] = {OutlineTool::Halve, OutlineTool::Join, OutlineTool::Shorten, OutlineTool::Search};
  for (int i = 0; i < 4; ++i) {
    QPushButton* b = new QPushButton(mapTools_);
    b->setFocusPolicy(Qt::TabFocus);
    bindText([b, i] { b->setText(uiq(kMapToolCaption + i)); });
    connect(b, &QPushButton::clicked, this, [tool = kinds[i]] { runOutlineTool(tool); });
    tools->addWidget(b, i / 2, i % 2);
    mapToolButtons_[i] = b;
  }
  layout->addWidget(mapTools_);
  layout->addStretch(1);
  add(WorkText::Close, [this] {
    hidePanels();
    close();
  });
  for (auto& [id, b] : commands_) {
    if (id == WorkText::SaveData || id == WorkText::LoadData) {
      b->setToolTip(qs(drawingText(DrawingText::HintDataButtons)));
    }
    if (const int topic = commandHelpTopic(id)) help::setTopic(b, topic);
  }
  for (QPushButton* b : {zoomInButton_, zoomOutButton_}) help::setTopic(b, help::kDrawing);
  help::setTopic(extraPictureButton_, help::kCorrectionChart);
  help::setTopic(extraPictureFile_, help::kCorrectionChart);
  help::setTopic(mapTools_, help::kOutlineTools);
}

QPushButton* DrawingWindow::command(WorkText id) const {
  auto it = commands_.find(id);
  return it == commands_.end() ? nullptr : it->second;
}

void DrawingWindow::buildInfoPanel() {
  infoPanel_ = new QFrame(picture_);
  infoPanel_->setFrameShape(QFrame::Box);
  infoPanel_->setAutoFillBackground(true);
  auto* layout = new QVBoxLayout(infoPanel_);
  infoText_ = new QPlainTextEdit(infoPanel_);
  infoText_->setReadOnly(true);
  infoText_->setFont(fixedFont(10));
  infoText_->setLineWrapMode(QPlainTextEdit::NoWrap);
  layout->addWidget(infoText_);
  auto* row = new QHBoxLayout;
  QPushButton* printInfoButton = makeButton(wt(WorkText::PrintInfo), infoPanel_);
  connect(printInfoButton, &QPushButton::clicked, this, [this] { printInfo(); });
  QPushButton* close = makeButton(wt(WorkText::Close), infoPanel_);
  connect(close, &QPushButton::clicked, this, [this] { hidePanels(); });
  row->addWidget(printInfoButton);
  row->addStretch(1);
  row->addWidget(close);
  layout->addLayout(row);
  infoPanel_->hide();
}

void DrawingWindow::buildAnglePanel() {
  anglePanel_ = new QFrame(picture_);
  anglePanel_->setFrameShape(QFrame::Box);
  anglePanel_->setAutoFillBackground(true);
  auto* layout = new QVBoxLayout(anglePanel_);
  angleHeader_ = new QLabel(anglePanel_);
  angleHeader_->setFont(fixedFont(9));
  angleHeader_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  layout->addWidget(angleHeader_);
  auto* switchRow = new QHBoxLayout;
  longitude_ = makeCheck(wt(WorkText::LongitudeSwitch), [] { return !design().eotLinesOwnMeridian; },
                         [this](bool on) { setLongitudeCorrection(on); }, anglePanel_);
  longitudePanel_ = new QLabel(anglePanel_);
  switchRow->addWidget(longitude_);
  switchRow->addWidget(longitudePanel_, 1);
  layout->addLayout(switchRow);
  angleGrid_ = new QTableWidget(anglePanel_);
  angleGrid_->setColumnCount(12);
  angleGrid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  angleGrid_->setFont(fixedFont(9));
  angleGrid_->verticalHeader()->setVisible(false);
  angleGrid_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
  layout->addWidget(angleGrid_, 1);
  auto* row = new QHBoxLayout;
  QPushButton* printTable = makeButton(wt(WorkText::PrintTable), anglePanel_);
  connect(printTable, &QPushButton::clicked, this, [this] { printHourLineAngles(); });
  QPushButton* close = makeButton(wt(WorkText::Close), anglePanel_);
  connect(close, &QPushButton::clicked, this, [this] { hidePanels(); });
  row->addWidget(printTable);
  row->addStretch(1);
  row->addWidget(close);
  layout->addLayout(row);
  anglePanel_->hide();
}

void DrawingWindow::buildSavePanel() {
  savePanelWidget_ = new QFrame(picture_);
  savePanelWidget_->setFrameShape(QFrame::Box);
  savePanelWidget_->setAutoFillBackground(true);
  auto* layout = new QVBoxLayout(savePanelWidget_);
  saveTitle_ = new QLabel(savePanelWidget_);
  QFont bold = saveTitle_->font();
  bold.setBold(true);
  saveTitle_->setFont(bold);
  layout->addWidget(saveTitle_);

  layout->addWidget(makeLabel(wt(WorkText::PlotFileName), savePanelWidget_));
  plotName_ = new QLineEdit(savePanelWidget_);
  layout->addWidget(plotName_);
  connect(plotName_, &QLineEdit::textEdited, this, [this](const QString& text) {
    setPanelPlotFileName(controller_.state(), savePanel_, text.toStdString());
    coordsName_->setText(qs(savePanel_.coordinatesFileName));
  });

  auto* choices = new QHBoxLayout;
  auto* coordsBox = makeGroup(wt(WorkText::Coordinates), savePanelWidget_);
  auto* coordsLayout = new QVBoxLayout(coordsBox);
  coordsGroup_ = new QButtonGroup(this);
  const WorkText coordTexts[3] = {WorkText::CoordinatesNone, WorkText::CoordinatesPrinter,
                                  WorkText::CoordinatesFile};
  for (int i = 0; i < 3; ++i) {
    auto* r = new QRadioButton(coordsBox);
    bindText([r, t = coordTexts[i]] { r->setText(wtext(t)); });
    coordsGroup_->addButton(r, i);
    coordsLayout->addWidget(r);
  }
  coordsLayout->addWidget(makeLabel(wt(WorkText::CoordinatesFileName), coordsBox));
  coordsName_ = new QLineEdit(coordsBox);
  coordsLayout->addWidget(coordsName_);
  choices->addWidget(coordsBox);

  auto* thickBox = makeGroup(wt(WorkText::LineThickness), savePanelWidget_);
  auto* thickLayout = new QVBoxLayout(thickBox);
  thicknessGroup_ = new QButtonGroup(this);
  const WorkText thickTexts[3] = {WorkText::Fine, WorkText::Medium, WorkText::Thick};
  for (int i = 0; i < 3; ++i) {
    auto* r = new QRadioButton(thickBox);
    bindText([r, t = thickTexts[i]] { r->setText(wtext(t)); });
    thicknessGroup_->addButton(r, i + 1);
    thickLayout->addWidget(r);
  }
  choices->addWidget(thickBox);
  layout->addLayout(choices);

  auto* row = new QHBoxLayout;
  continue_ = makeButton(wt(WorkText::Continue), savePanelWidget_);
  connect(continue_, &QPushButton::clicked, this, [this] { continueSave(); });
  QPushButton* cancel = makeButton(wt(WorkText::Cancel), savePanelWidget_);
  connect(cancel, &QPushButton::clicked, this, [this] { hidePanels(); });
  row->addWidget(continue_);
  row->addStretch(1);
  row->addWidget(cancel);
  layout->addLayout(row);
  savePanelWidget_->hide();
}

QRadioButton* DrawingWindow::coordinatesChoice(CoordinatesChoice c) const {
  return qobject_cast<QRadioButton*>(coordsGroup_->button(static_cast<int>(c)));
}

QRadioButton* DrawingWindow::lineThicknessChoice(int width) const {
  return qobject_cast<QRadioButton*>(thicknessGroup_->button(width));
}

void DrawingWindow::applyLanguage() {
  ChildForm::applyLanguage();
  if (saveTitle_)
    saveTitle_->setText(wtext(controller_.state().plotTarget == PlotTarget::Dxf ? WorkText::PanelTitleDxf
                                                                                : WorkText::PanelTitleHpgl));
}

// --- drawing --------------------------------------------------------------------

template <class F>
void DrawingWindow::draw(F&& f) {
  const bool began = !image_.isNull() && canvas_.begin(&image_);
  f();
  if (began) canvas_.end();
  picture_->update();
}

QRectF DrawingWindow::textPreview() const {
  if (!previewShown_) return {};
  const auto& p = controller_.state().textPreview;
  return QRectF(p[0], p[1], p[2], p[3]);
}

int DrawingWindow::helpTopic() const {
  // An open panel has the topic of its command.
  if (savePanelWidget_ && savePanelWidget_->isVisible()) return help::kSavePlot;
  if (anglePanel_ && anglePanel_->isVisible()) return help::kHourLineTable;
  if (infoPanel_ && infoPanel_->isVisible()) return help::kStylusInfo;
  const int topic = dialTypeHelpTopic(dialTypeEntryOf(design()));
  return topic ? topic : help::kDrawing;
}

void DrawingWindow::showEvent(QShowEvent* e) {
  ChildForm::showEvent(e);
  if (!activated_) QTimer::singleShot(0, this, [this] { activate(); });
}

void DrawingWindow::activate() {
  if (activated_) return;
  activated_ = true;
  // A window that is not on the screen yet (its main window hidden) draws
  // a picture of a usual size; the first resize fits it.
  const QSize size = picture_->isVisible() ? picture_->size() : QSize(1000, 650);
  const int W = std::max(50, size.width());
  const int H = std::max(50, size.height());
  image_ = QImage(W, H, QImage::Format_RGB32);
  image_.fill(Qt::white);
  draw([&] { controller_.showDrawing(W, H, true); });
  setWindowTitle(qs(controller_.state().caption));
  hint_->setText(qs(mouseHint(design())));
  updateCommands();
  picture_->setFocus(Qt::OtherFocusReason);
  // The main window's Print prints this window's construction.
  mainForm()->menuEntry(menu::kPrint)->setEnabled(true);
}

bool DrawingWindow::closeQuery() {
  hidePanels();
  mainForm()->menuEntry(menu::kPrint)->setEnabled(false);
  return true;
}

void DrawingWindow::updateCommands() {
  const DrawingWindowState& s = controller_.state();
  const unsigned caps = dialCapabilities(design());
  command(WorkText::DisplayGrid)->setEnabled(s.gridCommandEnabled);
  zoomInButton_->setEnabled(s.zoomCommandsEnabled);
  zoomOutButton_->setEnabled(s.zoomCommandsEnabled);
  command(WorkText::HourLines)->setEnabled(s.hourLinesCommandEnabled);
  extraPictureButton_->setVisible(controller_.extraPictureButtonRow() >= 0);
  const DialFamily* family = familyOf(design());
  const bool fileSwitch = extraPictureButton_->isVisibleTo(this) && family && family->extraPictureFileSwitch;
  extraPictureFile_->setVisible(fileSwitch);
  if (fileSwitch) {
    const QSignalBlocker quiet(extraPictureFile_);
    extraPictureFile_->setChecked(design().*(family->extraPictureFileSwitch));
    extraPictureFile_->setText(qs(tableText(TextTable::Texts, family->extraPictureFileSwitchRow)));
  }
  command(WorkText::StylusInfo)->setEnabled((caps & kCapAngleTable) != 0 || (family && family->information));
  command(WorkText::PrintInfo)->setEnabled((caps & kCapAngleTable) != 0);
  command(WorkText::Coordinates)->setEnabled((caps & kCapCoordinates) != 0);
  mapTools_->setVisible(design().expertModeActive);
  scaleTrack_->setVisible((caps & kCapScaleTrack) != 0);
  if (caps & kCapScaleTrack) {
    const QSignalBlocker block(scaleSlider_);
    scaleSlider_->setValue(static_cast<int>(roundHalfEven(std::log(std::max(1, design().drawingScale)) * 10)));
    scaleLabel_->setText(qs(fixedText(design().drawingScale, 6, 0)));
  }
}

void DrawingWindow::pictureResized() {
  if (activated_) resizeTimer_->start();
}

void DrawingWindow::refit() {
  if (!activated_) return;
  const int W = std::max(50, picture_->width());
  const int H = std::max(50, picture_->height());
  if (W == image_.width() && H == image_.height()) return;
  image_ = QImage(W, H, QImage::Format_RGB32);
  image_.fill(Qt::white);
  controller_.resize(W, H);
  previewShown_ = false;
  draw([&] { controller_.construct(); });
}

void DrawingWindow::display() {
  activate();
  updateCommands();  // the expert panel follows the expert mode
  previewShown_ = false;
  draw([&] { controller_.display(); });
}

void DrawingWindow::displayWithGrid() {
  activate();
  if (!controller_.state().gridCommandEnabled) return;
  previewShown_ = false;
  draw([&] { controller_.displayWithGrid(); });
}

void DrawingWindow::zoomIn() {
  activate();
  if (!controller_.state().zoomCommandsEnabled) return;
  previewShown_ = false;
  draw([&] { controller_.zoomIn(); });
}

void DrawingWindow::zoomOut() {
  activate();
  if (!controller_.state().zoomCommandsEnabled) return;
  previewShown_ = false;
  draw([&] { controller_.zoomOut(); });
}

void DrawingWindow::wheel(int delta) {
  activate();
  if (!controller_.state().zoomCommandsEnabled) return;
  previewShown_ = false;
  draw([&] { controller_.wheel(delta); });
}

void DrawingWindow::setPaperA4(bool a4) {
  activate();
  mainForm()->showPaperChoice(a4);
  previewShown_ = false;
  draw([&] { controller_.setPaperA4(a4); });
}

void DrawingWindow::leftClick(const QPointF& at) {
  activate();
  if (!dialHas(design(), kCapGnomonFoot)) return;
  previewShown_ = false;
  draw([&] { controller_.leftClick(at.x(), at.y()); });
}

bool DrawingWindow::familyClick(const QPointF& at, Qt::KeyboardModifiers modifiers) {
  activate();
  const PictureClickKind kind = (modifiers & Qt::AltModifier)       ? PictureClickKind::Alt
                                : (modifiers & Qt::ControlModifier) ? PictureClickKind::Ctrl
                                : (modifiers & Qt::ShiftModifier)   ? PictureClickKind::Shift
                                                                    : PictureClickKind::Plain;
  bool taken = false;
  draw([&] { taken = controller_.familyClick(at.x(), at.y(), kind); });
  return taken;
}

void DrawingWindow::altLeftClick(const QPointF& at) {
  activate();
  if (!dialHas(design(), kCapTextAnchor)) return;
  controller_.altLeftClick(at.x(), at.y());
  previewShown_ = true;
  hint_->setText(qs(drawingText(DrawingText::HintMarkText)));
  picture_->update();
}

void DrawingWindow::togglePoleTriangle() {
  activate();
  previewShown_ = false;
  draw([&] { controller_.togglePoleTriangle(); });
}

void DrawingWindow::toggleLinesToStyleFoot() {
  activate();
  previewShown_ = false;
  draw([&] { controller_.toggleLinesToStyleFoot(); });
}

void DrawingWindow::runDrawing() {
  activate();
  previewShown_ = false;
  draw([&] { controller_.runDrawing(); });
  if (anglePanel_->isVisible()) fillAngleTable();
}

void DrawingWindow::mouseMoved() {
  if (!dialHas(design(), kCapFootHint)) return;
  hint_->setText(qs(drawingText(controller_.state().gnomonFootFixed ? DrawingText::HintMarkText
                                                                    : DrawingText::HintFixGnomon)));
}

void DrawingWindow::keyPressed(QKeyEvent* e) {
  if (e->key() == Qt::Key_Plus) {
    zoomIn();
    e->accept();
  } else if (e->key() == Qt::Key_Minus) {
    zoomOut();
    e->accept();
  } else {
    e->ignore();
  }
}

bool DrawingWindow::eventFilter(QObject* watched, QEvent* e) {
  // "+" and "-" zoom while the focus is on a command of the window (the
  // edit fields of the save panel keep them for names).
  if (watched == body() && e->type() == QEvent::KeyPress) {
    auto* k = static_cast<QKeyEvent*>(e);
    if (k->key() == Qt::Key_Plus || k->key() == Qt::Key_Minus) {
      keyPressed(k);
      return true;
    }
  }
  return ChildForm::eventFilter(watched, e);
}

// --- information panels ------------------------------------------------------------

void DrawingWindow::hidePanels() {
  infoPanel_->hide();
  anglePanel_->hide();
  savePanelWidget_->hide();
  savePanel_.shown = false;
  controller_.state().angleTableShown = false;
}

void DrawingWindow::showPanel(QWidget* panel) {
  hidePanels();
  const QSize area = picture_->size();
  if (panel == anglePanel_)
    panel->setGeometry(8, 8, std::max(300, area.width() - 16), std::max(200, area.height() - 16));
  else if (panel == infoPanel_)
    panel->setGeometry(8, 8, std::max(300, area.width() * 3 / 5), std::max(200, area.height() * 2 / 3));
  else
    panel->setGeometry(8, 8, std::max(360, area.width() / 2), panel->sizeHint().height());
  panel->show();
  panel->raise();
}

void DrawingWindow::showStylusInfo() {
  activate();
  const DialFamily* family = familyOf(design());
  const bool own = family && family->information && !dialHas(design(), kCapAngleTable);
  if (!dialHas(design(), kCapAngleTable) && !own) return;
  const std::vector<std::string> text = own ? family->information(design(), controller_.zoomFactor())
                                            : poleStyleInfoAtZoom(design(), controller_.zoomFactor()).lines;
  QStringList lines;
  for (const std::string& l : text) lines << qs(l);
  infoText_->setPlainText(lines.join(QLatin1Char('\n')));
  showPanel(infoPanel_);
}

void DrawingWindow::showHourLines() {
  activate();
  if (!controller_.state().hourLinesCommandEnabled) return;
  controller_.showHourLines();
  showPanel(anglePanel_);
  controller_.state().angleTableShown = true;
  fillAngleTable();
}

void DrawingWindow::setLongitudeCorrection(bool checked) {
  activate();
  controller_.setLongitudeCorrection(checked);
  fillAngleTable();
}

void DrawingWindow::fillAngleTable() {
  const HourLineAngleTable& t = controller_.angleTable();
  QStringList head;
  head << qs(t.dialTypeLine);
  head << qs(t.sunOnDialText);
  for (const std::string& l : t.infoLines) head << qs(l);
  angleHeader_->setText(head.join(QLatin1Char('\n')));
  const bool corrected = !design().eotLinesOwnMeridian;
  {
    const QSignalBlocker block(longitude_);
    longitude_->setChecked(corrected);
  }
  longitudePanel_->setVisible(corrected);
  longitudePanel_->setText(qs(t.longitudeText) + QStringLiteral(" / ") + qs(t.zoneMeridianText));
  angleGrid_->clearContents();
  angleGrid_->setRowCount(t.usedRows);
  QStringList headers;
  for (int g = 0; g < 4; ++g)
    for (int c = 0; c < 3; ++c)
      headers << (t.grid.empty() ? QString() : qs(t.grid[0][static_cast<std::size_t>(4 * g + c)]));
  angleGrid_->setHorizontalHeaderLabels(headers);
  for (int r = 1; r <= t.usedRows && r < static_cast<int>(t.grid.size()); ++r)
    for (int g = 0; g < 4; ++g)
      for (int c = 0; c < 3; ++c) {
        const std::string& cell = t.grid[static_cast<std::size_t>(r)][static_cast<std::size_t>(4 * g + c)];
        auto* item = new QTableWidgetItem(qs(cell));
        item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        angleGrid_->setItem(r - 1, 3 * g + c, item);
      }
}

// --- saving ---------------------------------------------------------------------------

bool DrawingWindow::openSavePanel(PlotTarget target, bool coordinatesCommand) {
  activate();
  anglePanel_->hide();
  if (!tavrel::openSavePanel(controller_.state(), savePanel_, target, coordinatesCommand)) return false;
  const DrawingWindowState& s = controller_.state();
  saveTitle_->setText(wtext(target == PlotTarget::Dxf ? WorkText::PanelTitleDxf : WorkText::PanelTitleHpgl));
  plotName_->setText(qs(s.plotFileName));
  coordsName_->setText(qs(savePanel_.coordinatesFileName));
  coordsGroup_->button(static_cast<int>(s.coordinates))->setChecked(true);
  for (QAbstractButton* b : coordsGroup_->buttons()) b->setEnabled(savePanel_.coordinatesOffered);
  coordsName_->setEnabled(savePanel_.coordinatesOffered);
  const int width = std::clamp<int>(design().plotLineWidth, 1, 3);
  thicknessGroup_->button(width)->setChecked(true);
  showPanel(savePanelWidget_);
  savePanel_.shown = true;
  return true;
}

void DrawingWindow::readSavePanel() {
  DrawingWindowState& s = controller_.state();
  s.plotFileName = plotName_->text().toStdString();
  savePanel_.coordinatesFileName = coordsName_->text().toStdString();
  const int c = coordsGroup_->checkedId();
  s.coordinates = savePanel_.coordinatesOffered && c >= 0 ? static_cast<CoordinatesChoice>(c)
                                                          : CoordinatesChoice::None;
  const int w = thicknessGroup_->checkedId();
  if (w >= 1 && w <= 3) design().plotLineWidth = static_cast<std::uint8_t>(w);
}

SaveResult DrawingWindow::continueSave() {
  activate();
  readSavePanel();
  SaveHooks hooks;
  hooks.printCoordinates = [this](const CoordinatesListing& listing) {
    printCoordinatesListing(listing.lines(), listing.headLineCount(), this);
  };
  setCursor(Qt::WaitCursor);
  const SaveResult result = tavrel::savePlot(controller_, savePanel_, hooks);
  unsetCursor();
  plotName_->setText(qs(controller_.state().plotFileName));
  savePanelWidget_->hide();
  savePanel_.shown = false;
  return result;
}

// --- printing -----------------------------------------------------------------------

bool DrawingWindow::print() {
  activate();
  if (anglePanel_->isVisible()) return printHourLineAngles();
  return printConstruction();
}

bool DrawingWindow::printConstruction() {
  activate();
  if (!confirmPrintConstruction(controller_)) return false;
  TextPrinter::instance().close();
  return printLandscapePage(this, [this](QtCanvas& page, const PrinterDevice& device) {
    drawConstructionPage(controller_, page, device);
  });
}

bool DrawingWindow::printHourLineAngles() {
  activate();
  if (!dialHas(design(), kCapAngleTable)) return false;
  TextPrinter::instance().close();
  QPrinter& printer = workPrinter();
  printer.setPageOrientation(QPageLayout::Portrait);
  if (!runPrintDialog(printer, this)) return false;
  const AngleTablePrintout printout =
      hourLineAnglePrintout(design(), controller_.angleTable(), gnomonMmAtZoom(controller_.zoomFactor()));
  QtCanvas page;
  PrinterDevice device;
  if (!beginPrinterCanvas(page, printer, printer.resolution(), device)) {
    reportPrintError();
    return false;
  }
  drawAngleTablePages(page, printout, 10 * device.widthMm, 10 * device.heightMm,
                      [&printer] { printer.newPage(); });
  page.end();
  return true;
}

bool DrawingWindow::printInfo() {
  activate();
  if (!dialHas(design(), kCapAngleTable)) return false;
  const PoleStyleInfo info = poleStyleInfoAtZoom(design(), controller_.zoomFactor());
  return printText(poleStyleInfoPrintLines(info), true, this);
}

}  // namespace tavrel
