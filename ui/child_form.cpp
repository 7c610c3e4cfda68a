#include "ui/child_form.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include "core/design_state.h"
#include "base/number_text.h"
#include "ui/help_topics.h"
#include "ui/main_window.h"

namespace tavrel {

std::string QtEditField::text() const { return edit_->text().toStdString(); }

void QtEditField::setText(const std::string& text) { edit_->setText(qs(text)); }

void QtEditField::takeFocus() {
  QPointer<QLineEdit> edit = edit_;
  QTimer::singleShot(0, edit_, [edit] {
    if (!edit) return;
    edit->setFocus(Qt::OtherFocusReason);
    edit->selectAll();
  });
}

// Watches one edit field: drops the keys it does not take, and runs the
// field's check when the user leaves it (mouse, Tab) or presses Return.
class FieldWatcher : public QObject {
 public:
  FieldWatcher(ChildForm* form, QLineEdit* edit, QString keys)
      : QObject(edit), form_(form), edit_(edit), keys_(std::move(keys)) {}

  bool eventFilter(QObject* watched, QEvent* e) override {
    if (watched != edit_) return false;
    if (e->type() == QEvent::KeyPress) {
      auto* k = static_cast<QKeyEvent*>(e);
      if (k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter) {
        if (form_->fieldExit(edit_)) {
          for (const auto& [edit, target] : form_->returnTargets_)
            if (edit == edit_ && target) target->setFocus(Qt::OtherFocusReason);
        }
        return true;
      }
      const QString text = k->text();
      const bool command = k->modifiers() & (Qt::ControlModifier | Qt::AltModifier);
      if (!command && text.size() == 1 && text[0].isPrint() && !keys_.contains(text[0]))
        return true;
    } else if (e->type() == QEvent::FocusOut) {
      const Qt::FocusReason reason = static_cast<QFocusEvent*>(e)->reason();
      const bool byUser = reason == Qt::MouseFocusReason || reason == Qt::TabFocusReason ||
                          reason == Qt::BacktabFocusReason || reason == Qt::ShortcutFocusReason;
      if (byUser && !form_->checking() && !form_->isExempt(QApplication::focusWidget()))
        form_->fieldExit(edit_);
    }
    return false;
  }

 private:
  ChildForm* form_;
  QLineEdit* edit_;
  QString keys_;
};

ChildForm::ChildForm(MainWindow* main, ShellWindow kind)
    : QMdiSubWindow(nullptr), main_(main), kind_(kind), body_(new QWidget) {
  setAttribute(Qt::WA_DeleteOnClose);
  setWidget(body_);
  setOption(QMdiSubWindow::RubberBandResize, false);
}

ChildForm::~ChildForm() {
  // The controls are deleted after this point; what they signal on the way
  // (focus leaving a field, selections) must not reach the window any more.
  gone_ = true;
  ++checking_;
  for (QObject* o : findChildren<QObject*>()) QObject::disconnect(o, nullptr, this, nullptr);
}

void ChildForm::applyLanguage() {
  for (const auto& apply : texts_) apply();
  refreshChoices();
}

void ChildForm::closeEvent(QCloseEvent* e) {
  if (checking_ || gone_) {
    e->setAccepted(gone_);
    return;
  }
  bool ok = false;
  {
    CheckGuard guard(this);
    ok = closeQuery();
  }
  if (!ok) {
    e->ignore();
    return;
  }
  QMdiSubWindow::closeEvent(e);
  if (e->isAccepted() && !gone_) {
    gone_ = true;
    emit gone(kind_);
  }
}

bool ChildForm::event(QEvent* e) {
  if (e->type() == QEvent::ShortcutOverride) {
    auto* k = static_cast<QKeyEvent*>(e);
    if (k->key() == Qt::Key_F1 && k->modifiers() == Qt::NoModifier) {
      e->accept();
      return true;
    }
  } else if (e->type() == QEvent::KeyPress) {
    auto* k = static_cast<QKeyEvent*>(e);
    if (k->key() == Qt::Key_F1 && k->modifiers() == Qt::NoModifier) {
      // The focused control's own topic (a command of the drawing
      // window), else the window's.
      const int own = help::topicAt(focusWidget(), this);
      main_->openHelp(own > 0 ? own : helpTopic());
      return true;
    }
  }
  return QMdiSubWindow::event(e);
}

void ChildForm::contextMenuEvent(QContextMenuEvent* e) {
  main_->showPopupMenu(e->globalPos());
}

void ChildForm::bindText(std::function<void()> apply) {
  apply();
  texts_.push_back(std::move(apply));
}

QLabel* ChildForm::makeLabel(TextSource text, QWidget* parent) {
  auto* label = new QLabel(parent);
  bindText([label, text] { label->setText(text()); });
  return label;
}

QPushButton* ChildForm::makeButton(TextSource text, QWidget* parent) {
  auto* button = new QPushButton(parent);
  bindText([button, text] { button->setText(text()); });
  return button;
}

QGroupBox* ChildForm::makeGroup(TextSource title, QWidget* parent) {
  auto* group = new QGroupBox(parent);
  bindText([group, title] { group->setTitle(title()); });
  return group;
}

QCheckBox* ChildForm::makeCheck(TextSource text, std::function<bool()> get,
                                std::function<void(bool)> set, QWidget* parent) {
  auto* box = new QCheckBox(parent);
  bindText([box, text] { box->setText(text()); });
  box->setChecked(get());
  refreshers_.push_back([box, get] {
    const QSignalBlocker block(box);
    box->setChecked(get());
  });
  connect(box, &QCheckBox::toggled, this, [this, set](bool on) {
    set(on);
    choiceChanged();
  });
  return box;
}

QCheckBox* ChildForm::makeCheck(TextSource text, bool* field, QWidget* parent) {
  return makeCheck(
      std::move(text), [field] { return *field; }, [field](bool on) { *field = on; }, parent);
}

QGroupBox* ChildForm::makeRadios(TextSource title, std::vector<TextSource> items,
                                 std::function<int()> get, std::function<void(int)> set,
                                 int columns, QWidget* parent) {
  QGroupBox* group = makeGroup(std::move(title), parent);
  auto* grid = new QGridLayout(group);
  grid->setContentsMargins(6, 4, 6, 4);
  grid->setVerticalSpacing(2);
  auto* buttons = new QButtonGroup(group);
  const int rows = (static_cast<int>(items.size()) + columns - 1) / columns;
  for (int i = 0; i < static_cast<int>(items.size()); ++i) {
    auto* radio = new QRadioButton(group);
    bindText([radio, text = items[i]] { radio->setText(text()); });
    buttons->addButton(radio, i);
    grid->addWidget(radio, i % rows, i / rows);
  }
  auto refresh = [buttons, get] {
    const int chosen = get();
    for (QAbstractButton* b : buttons->buttons()) {
      const QSignalBlocker block(b);
      b->setChecked(buttons->id(b) == chosen);
    }
  };
  refresh();
  refreshers_.push_back(refresh);
  connect(buttons, &QButtonGroup::idClicked, this, [this, set](int id) {
    set(id);
    choiceChanged();
  });
  return group;
}

QComboBox* ChildForm::makeCombo(std::function<QStringList()> items, std::function<int()> get,
                                std::function<void(int)> set, QWidget* parent) {
  auto* combo = new QComboBox(parent);
  combo->setSizeAdjustPolicy(QComboBox::AdjustToContents);
  bindText([combo, items, get] {
    const QSignalBlocker block(combo);
    combo->clear();
    combo->addItems(items());
    combo->setCurrentIndex(get());
  });
  refreshers_.push_back([combo, get] {
    const QSignalBlocker block(combo);
    combo->setCurrentIndex(get());
  });
  connect(combo, &QComboBox::activated, this, [this, set](int index) {
    set(index);
    choiceChanged();
  });
  return combo;
}

void ChildForm::refreshChoices() {
  for (const auto& refresh : refreshers_) refresh();
  updateEnabled();
}

QLineEdit* ChildForm::makeField(NumberField f, const QString& keys, QWidget* parent) {
  auto* edit = new QLineEdit(parent);
  f.edit = edit;
  edit->installEventFilter(new FieldWatcher(this, edit, keys));
  if (f.show) edit->setText(f.show());
  if (f.label) {
    // The field's hint (status bar; a tool tip while hints are on).
    bindText([edit, label = f.label] {
      const QString hint = plainq(label()).trimmed();
      edit->setStatusTip(hint);
      edit->setToolTip(hint);
    });
  }
  fields_.push_back(std::move(f));
  return edit;
}

QLineEdit* ChildForm::makeRangedField(TextSource label, double* target, double min, double max,
                                      QWidget* parent) {
  NumberField f;
  f.label = std::move(label);
  f.target = target;
  f.show = [target] { return qs(fixedText(*target, 11, 6)).trimmed(); };
  auto check = [target, min, max](EditField& e, const std::string& name) {
    return checkRangedRealField(e, *target, name, max, min);
  };
  f.onExit = check;
  f.onClose = check;
  return makeField(std::move(f), kRealKeys, parent);
}

QLineEdit* ChildForm::makeRealField(TextSource label, double* target, QWidget* parent) {
  NumberField f;
  f.label = std::move(label);
  f.target = target;
  f.show = [target] { return qs(fixedText(*target, 7, 2)).trimmed(); };
  auto check = [target](EditField& e, const std::string&) { return checkRealField(e, *target); };
  f.onExit = check;
  f.onClose = check;
  return makeField(std::move(f), kRealKeys, parent);
}

QLineEdit* ChildForm::makeIntField(TextSource label, std::int32_t* target, std::int32_t min,
                                   std::int32_t max, QWidget* parent) {
  NumberField f;
  f.label = std::move(label);
  f.target = target;
  f.show = [target] { return QString::number(*target); };
  auto check = [target, min, max](EditField& e, const std::string& name) {
    return checkIntField(e, min, max, name, *target);
  };
  f.onExit = check;
  f.onClose = check;
  return makeField(std::move(f), kIntKeys, parent);
}

ChildForm::NumberField* ChildForm::numberField(QLineEdit* edit) {
  for (NumberField& f : fields_)
    if (f.edit == edit) return &f;
  return nullptr;
}

void ChildForm::refreshFields() {
  for (NumberField& f : fields_)
    if (f.show) f.edit->setText(f.show());
}

bool ChildForm::leaveField(QLineEdit* edit) { return fieldExit(edit); }

bool ChildForm::fieldExit(QLineEdit* edit) {
  NumberField* f = numberField(edit);
  if (!f || !f->onExit || checking_ || gone_) return true;
  CheckGuard guard(this);
  QtEditField field(edit);
  const bool ok = f->onExit(field, plainq(f->label ? f->label() : QString()).toStdString());
  if (ok && f->target) {
    for (NumberField& other : fields_)
      if (other.edit != edit && other.target == f->target && other.show)
        other.edit->setText(other.show());
  }
  if (!ok) design().inputValid = false;
  return ok;
}

bool ChildForm::runFieldCloseChecks() {
  bool ok = true;
  for (NumberField& f : fields_) {
    if (!f.onClose || !f.edit->isVisibleTo(this)) continue;
    QtEditField field(f.edit);
    ok = f.onClose(field, plainq(f.label ? f.label() : QString()).toStdString()) && ok;
  }
  return ok;
}

void ChildForm::setReturnTarget(QLineEdit* edit, QWidget* target) {
  returnTargets_.emplace_back(edit, target);
}

bool ChildForm::isExempt(QWidget* w) const {
  if (!w) return false;
  for (const QPointer<QWidget>& e : exempt_)
    if (e == w) return true;
  return false;
}

QString ChildForm::wizardCaption(const QString& part) { return uiq(2080) + part; }

}  // namespace tavrel
