#include <QApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/design_state.h"
#include "core/language.h"
#include "ui/picture_area.h"
#include "ui/location_window.h"
#include "ui/dial_type_window.h"
#include "ui/main_window.h"

namespace tavrel {

namespace {
// Window texts (ui_texts.tsv).
constexpr int kUmbrellaTitle = 1106, kQuadrantTitle = 1107, kQuadrantItems = 1108,
              kCylinderTitle = 1111, kAzimuthTitle = 1112, kListTitle = 1113, kClose = 2020;

QString labelText(DialValueLabel l) {
  return l.table == DialValueLabel::Strings ? strq(l.row) : uiq(l.row);
}

// A field's label; a declination reads as the gnomon's where the row says so.
QString valueLabel(const DialValueField* v) {
  const bool gnomon = v->gnomonLabel.row >= 0 && dialHas(design(), kCapGnomonDeclination);
  return labelText(gnomon ? v->gnomonLabel : v->label);
}

// The picture of the window for the record's kind: the main window's
// picture number, the horizontal dial's own picture instead of 2998.
int windowPicture(const DesignState& d) {
  const int n = dialPictureNumber(d);
  return n == 2998 ? 1105 : n;
}
}  // namespace

DialTypeWindow::DialTypeWindow(MainWindow* main) : ChildForm(main, ShellWindow::DialType) {
  DesignState& d = design();
  inWizard_ = d.wizardStep >= 3;
  dialKindForExpertMode(d);

  auto* outer = new QVBoxLayout(body());
  auto* columns = new QHBoxLayout;
  outer->addLayout(columns);

  QGroupBox* listBox = makeGroup(tx(kListTitle), body());
  auto* listLayout = new QVBoxLayout(listBox);
  list_ = new QListWidget(listBox);
  list_->setMinimumWidth(190);
  list_->setMinimumHeight(290);
  listLayout->addWidget(list_);
  columns->addWidget(listBox);

  auto* right = new QVBoxLayout;
  columns->addLayout(right, 1);
  picture_ = new QLabel(body());
  picture_->setFixedSize(220, 170);
  picture_->setAlignment(Qt::AlignCenter);
  picture_->setFrameShape(QFrame::StyledPanel);
  picture_->setWordWrap(true);
  right->addWidget(picture_, 0, Qt::AlignHCenter);

  umbrellaKind_ = makeRadios(
      tx(kUmbrellaTitle),
      {tdt(dialTypeRow::kUmbrellaKindFirst), tdt(dialTypeRow::kUmbrellaKindFirst + 1),
       tdt(dialTypeRow::kUmbrellaKindFirst + 2)},
      [] { return umbrellaKindIndex(design()); }, [](int i) { selectUmbrellaKind(design(), i); }, 1,
      body());
  quadrantKind_ = makeRadios(
      tx(kQuadrantTitle), {tx(kQuadrantItems), tx(kQuadrantItems + 1), tx(kQuadrantItems + 2)},
      [] { return int(design().quadrantVariant); },
      [](int i) { design().quadrantVariant = static_cast<std::uint8_t>(i); }, 1, body());
  cylinderKind_ = makeRadios(
      tx(kCylinderTitle),
      {tdt(dialTypeRow::kCylinderKindFirst), tdt(dialTypeRow::kCylinderKindFirst + 1),
       tdt(dialTypeRow::kCylinderKindFirst + 2)},
      [] { return int(design().cylinderVariant); },
      [](int i) { design().cylinderVariant = static_cast<std::uint8_t>(i); }, 1, body());
  azimuthKind_ = makeRadios(
      tx(kAzimuthTitle),
      {tdt(dialTypeRow::kAzimuthKindFirst), tdt(dialTypeRow::kAzimuthKindFirst + 1)},
      [] { return int(design().azimuthDialKind); },
      [](int i) { design().azimuthDialKind = static_cast<std::uint8_t>(i); }, 1, body());
  // The sub-choices take turns in one area as high as the tallest of them,
  // so that the window keeps its size whichever type is chosen.
  choiceArea_ = new QWidget(body());
  auto* choices = new QVBoxLayout(choiceArea_);
  choices->setContentsMargins(0, 0, 0, 0);
  for (QGroupBox* g : {umbrellaKind_, quadrantKind_, cylinderKind_, azimuthKind_}) {
    g->setParent(choiceArea_);
    choices->addWidget(g);
  }
  choices->addStretch();
  right->addWidget(choiceArea_);

  valueArea_ = new QWidget(body());
  auto* values = new QGridLayout(valueArea_);
  values->setContentsMargins(0, 0, 0, 0);
  valueGrid_ = values;
  int row = 0;
  for (const DialValueField* v : allDialValueFields()) {
    auto* label = new QLabel(body());
    NumberField f;
    f.label = [v] { return valueLabel(v); };
    f.show = [v] { return qs(dialValueText(design(), *v)); };
    f.onExit = [v](EditField& e, const std::string& name) {
      return checkDialValueOnExit(design(), *v, LabelledField{&e, name});
    };
    QLineEdit* edit = makeField(std::move(f), kRealKeys, body());
    edit->setFixedWidth(90);
    label->setBuddy(edit);
    values->addWidget(label, row, 0);
    values->addWidget(edit, row, 1);
    ++row;
    fields_[v] = edit;
    labels_[v] = label;
  }
  values->setColumnStretch(2, 1);
  values->setRowStretch(row, 1);
  right->addWidget(valueArea_);
  right->addStretch();

  expertNote_ = new QLabel(body());
  expertNote_->setWordWrap(true);
  outer->addWidget(expertNote_);

  auto* buttons = new QHBoxLayout;
  close_ = makeButton([this] { return inWizard_ ? strq(9) : uiq(kClose); }, body());
  cancel_ = makeButton(ts(8), body());
  help_ = makeButton(ts(10), body());
  for (QPushButton* b : {close_, cancel_, help_}) b->setAutoDefault(false);
  cancel_->setVisible(inWizard_);
  buttons->addStretch();
  buttons->addWidget(close_);
  buttons->addWidget(cancel_);
  buttons->addWidget(help_);
  outer->addLayout(buttons);
  exemptFromChecks(cancel_);
  exemptFromChecks(help_);
  for (QLineEdit* e : findChildren<QLineEdit*>()) setReturnTarget(e, close_);
  connect(close_, &QPushButton::clicked, this, [this] { close(); });
  connect(cancel_, &QPushButton::clicked, this, [this] { mainForm()->cancelWizard(); });
  connect(help_, &QPushButton::clicked, this, [this] { mainForm()->openHelp(helpTopic()); });

  bindText([this] {
    setWindowTitle(inWizard_ ? wizardCaption(QStringLiteral(" 2")) : plainq(strq(26)));
  });
  bindText([this] {
    const DesignState& s = design();
    expertNote_->setText(s.expertModeActive ? msgq(68) + QStringLiteral("on!") + msgq(55)
                                            : msgq(67));
    for (const auto& [v, label] : labels_) label->setText(valueLabel(v));
    reserveSpace();
  });

  buildList();
  connect(list_, &QListWidget::currentRowChanged, this, [this](int r) {
    if (r >= 0 && r < static_cast<int>(positions_.size())) selectEntry(positions_[r]);
  });
  kindChanged();
}

void DialTypeWindow::reserveSpace() {
  QSize choices(0, 0);
  for (QGroupBox* g : {umbrellaKind_, quadrantKind_, cylinderKind_, azimuthKind_})
    choices = choices.expandedTo(g->sizeHint());
  choiceArea_->setMinimumSize(choices);
  // The label column as wide as the widest label of any type (the wall
  // declination reads "gnomon declination" for the cylinder), and room for
  // the three rows the planar and cylinder types show.
  int labelWidth = 0;
  for (const auto& [v, label] : labels_) {
    labelWidth = std::max(labelWidth, label->sizeHint().width());
    if (v->gnomonLabel.row < 0) continue;
    const QString text = label->text();
    for (DialValueLabel l : {v->label, v->gnomonLabel}) {
      label->setText(labelText(l));
      labelWidth = std::max(labelWidth, label->sizeHint().width());
    }
    label->setText(text);
  }
  valueGrid_->setColumnMinimumWidth(0, labelWidth);
  valueGrid_->setColumnMinimumWidth(1, fields_.begin()->second->minimumWidth());
  const int rowHeight = std::max(fields_.begin()->second->sizeHint().height(),
                                 labels_.begin()->second->sizeHint().height());
  valueArea_->setMinimumHeight(3 * rowHeight + 2 * valueGrid_->verticalSpacing());
  // With these sizes the window is as large for every type as for the
  // largest. A window inside the main window does not follow its layout by
  // itself, and the layouts of widgets not yet shown keep stale sizes, so
  // the size is set here: at showing (the fonts are final) and when the
  // language changes.
  for (QWidget* w : {choiceArea_, valueArea_, body()}) w->updateGeometry();
  for (QLayout* l : findChildren<QLayout*>()) l->invalidate();
  if (isVisible()) resize(sizeHint());
}

void DialTypeWindow::showEvent(QShowEvent* e) {
  ChildForm::showEvent(e);
  // The fonts are final once the window is polished for showing.
  reserveSpace();
}

void DialTypeWindow::buildList() {
  const DesignState& d = design();
  positions_ = dialTypeEntries(d.expertModeActive);
  const QSignalBlocker block(list_);
  list_->clear();
  for (int p : positions_) list_->addItem(qs(tableText(TextTable::DialTypes, p)));
  const int current = dialTypeEntryOf(d);
  for (std::size_t i = 0; i < positions_.size(); ++i)
    if (positions_[i] == current) list_->setCurrentRow(static_cast<int>(i));
  setHelpTopic(dialTypeHelpTopic(current) ? dialTypeHelpTopic(current) : helpTopic());
}

void DialTypeWindow::applyLanguage() {
  ChildForm::applyLanguage();
  if (list_) buildList();
}

void DialTypeWindow::selectEntry(int position) {
  DesignState& d = design();
  selectDialTypeEntry(d, position);
  if (const int topic = dialTypeHelpTopic(position)) setHelpTopic(topic);
  for (std::size_t i = 0; i < positions_.size(); ++i) {
    if (positions_[i] == position && list_->currentRow() != static_cast<int>(i)) {
      const QSignalBlocker block(list_);
      list_->setCurrentRow(static_cast<int>(i));
    }
  }
  kindChanged();
}

void DialTypeWindow::choiceChanged() { kindChanged(); }

void DialTypeWindow::kindChanged() {
  refreshChoices();
  showFieldsForKind();
  updatePicture();
  mainForm()->setLegendBlockFromKind();
}

void DialTypeWindow::showFieldsForKind() {
  const DesignState& d = design();
  umbrellaKind_->setVisible(d.umbrellaMode);
  quadrantKind_->setVisible(dialSubChoiceShown(d, DialSubChoice::QuadrantKind));
  cylinderKind_->setVisible(dialSubChoiceShown(d, DialSubChoice::CylinderKind));
  azimuthKind_->setVisible(dialSubChoiceShown(d, DialSubChoice::AzimuthKind));
  const std::vector<const DialValueField*> shown = dialValueFields(d);
  for (const auto& [v, field] : fields_) {
    const bool visible = std::find(shown.begin(), shown.end(), v) != shown.end();
    field->setVisible(visible);
    labels_[v]->setVisible(visible);
    labels_[v]->setText(valueLabel(v));
    if (visible) field->setText(qs(dialValueText(d, *v)));
  }
}

void DialTypeWindow::updatePicture() {
  pictureNumber_ = windowPicture(design());
  const QPixmap pix = builtInPicture(pictureNumber_);
  if (pix.isNull()) {
    // No built-in picture (inclined and ham dials): the type's name in the
    // frame rather than an empty frame.
    picture_->clear();
    picture_->setText(list_->currentItem() ? list_->currentItem()->text() : QString());
    return;
  }
  picture_->setPixmap(pix.scaled(picture_->size() - QSize(6, 6), Qt::KeepAspectRatio,
                                 Qt::SmoothTransformation));
}

bool DialTypeWindow::closeQuery() {
  DesignState& d = design();
  std::map<const DialValueField*, LabelledField> visible;
  std::vector<std::unique_ptr<QtEditField>> keep;
  for (const DialValueField* v : dialValueFields(d)) {
    keep.push_back(std::make_unique<QtEditField>(fields_[v]));
    visible[v] = LabelledField{keep.back().get(), plainq(valueLabel(v)).toStdString()};
  }
  const bool ok = checkDialTypeWindow(d, visible);
  d.inputValid = ok;
  if (!ok) QApplication::beep();
  return ok;
}

}  // namespace tavrel
