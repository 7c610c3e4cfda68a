// The common ground of the working windows inside the main window: a
// sub-window with a close query, texts that follow the language, controls
// bound to fields of the design record, and edit fields whose checks run
// when the user leaves them.
#pragma once

#include <QMdiSubWindow>
#include <QPointer>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "core/field_checks.h"
#include "core/main_window_rules.h"
#include "ui/ui_texts.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QButtonGroup;

namespace tavrel {

class MainWindow;

// EditField on a QLineEdit. The focus comes back once the box that
// reported the fault has closed.
class QtEditField : public EditField {
 public:
  explicit QtEditField(QLineEdit* edit) : edit_(edit) {}
  std::string text() const override;
  void setText(const std::string& text) override;
  void takeFocus() override;

 private:
  QLineEdit* edit_;
};

// Keys an edit field takes while typing: the characters of `allowed`,
// plus editing and moving keys.
inline const QString kRealKeys = QStringLiteral("0123456789-.");
inline const QString kIntKeys = QStringLiteral("0123456789");

class ChildForm : public QMdiSubWindow {
  Q_OBJECT
 public:
  struct NumberField {
    QLineEdit* edit = nullptr;
    TextSource label;                      // caption the messages name
    const void* target = nullptr;          // record field shown (copies refresh)
    std::function<QString()> show;         // the record's value as text
    std::function<bool(EditField&, const std::string&)> onExit;   // check at field exit
    std::function<bool(EditField&, const std::string&)> onClose;  // check at window close
  };
  ChildForm(MainWindow* main, ShellWindow kind);
  ~ChildForm() override;

  ShellWindow kind() const { return kind_; }
  // The close query: false keeps the window open.
  virtual bool closeQuery() { return true; }
  // Sets every text of the window in the current language.
  virtual void applyLanguage();
  // Help topic of the window (0: the contents).
  virtual int helpTopic() const { return helpTopic_; }
  // Close check when the window loses the focus to another working window.
  virtual bool checksOnDeactivate() const { return false; }

  // Leaving an edit field: runs its check (as the focus moving away or
  // Return does). Returns the check's result.
  bool leaveField(QLineEdit* edit);
  // True while a check (and its box) runs.
  bool checking() const { return checking_ > 0; }
  // True once the window has closed (it is deleted a moment later).
  bool isGone() const { return gone_; }

  struct CheckGuard {
    explicit CheckGuard(ChildForm* f) : f(f) { ++f->checking_; }
    ~CheckGuard() { --f->checking_; }
    ChildForm* f;
  };

 signals:
  // The window closed for good (its close query passed).
  void gone(tavrel::ShellWindow kind);

 protected:
  void closeEvent(QCloseEvent* e) override;
  bool event(QEvent* e) override;
  void contextMenuEvent(QContextMenuEvent* e) override;

  MainWindow* mainForm() const { return main_; }
  QWidget* body() const { return body_; }

  // --- texts ---
  void bindText(std::function<void()> apply);
  QLabel* makeLabel(TextSource text, QWidget* parent = nullptr);
  QPushButton* makeButton(TextSource text, QWidget* parent = nullptr);
  QGroupBox* makeGroup(TextSource title, QWidget* parent = nullptr);

  // --- choices bound to the design record ---
  QCheckBox* makeCheck(TextSource text, std::function<bool()> get, std::function<void(bool)> set,
                       QWidget* parent = nullptr);
  QCheckBox* makeCheck(TextSource text, bool* field, QWidget* parent = nullptr);
  // A group of radio buttons; get/set give the index of the chosen item.
  QGroupBox* makeRadios(TextSource title, std::vector<TextSource> items, std::function<int()> get,
                        std::function<void(int)> set, int columns = 1, QWidget* parent = nullptr);
  QComboBox* makeCombo(std::function<QStringList()> items, std::function<int()> get,
                       std::function<void(int)> set, QWidget* parent = nullptr);
  // Reads every choice control again from the record (copies of one field
  // on a page stay alike) and runs updateEnabled.
  void refreshChoices();
  // Enables and disables controls that depend on other choices.
  virtual void updateEnabled() {}
  // A choice changed the record.
  virtual void choiceChanged() { refreshChoices(); }

  // --- edit fields with checks ---
  QLineEdit* makeField(NumberField f, const QString& keys, QWidget* parent = nullptr);
  // Real field with checkRangedRealField at exit and close.
  QLineEdit* makeRangedField(TextSource label, double* target, double min, double max,
                             QWidget* parent = nullptr);
  // Real field with checkRealField at exit and close.
  QLineEdit* makeRealField(TextSource label, double* target, QWidget* parent = nullptr);
  // Integer field with checkIntField at exit and close.
  QLineEdit* makeIntField(TextSource label, std::int32_t* target, std::int32_t min,
                          std::int32_t max, QWidget* parent = nullptr);
  NumberField* numberField(QLineEdit* edit);
  // Shows the record's values in the fields again.
  void refreshFields();
  // Runs the close checks of the visible fields in order; false when one failed.
  bool runFieldCloseChecks();
  // Focus moves from a field to this widget without a check (Cancel).
  void exemptFromChecks(QWidget* w) { exempt_.push_back(w); }
  // Return in an edit field moves the focus here after a passed check.
  void setReturnTarget(QLineEdit* edit, QWidget* target);

  // A wizard caption "Generate Sundial, part " + part.
  static QString wizardCaption(const QString& part);

  void setHelpTopic(int topic) { helpTopic_ = topic; }

 private:
  friend class FieldWatcher;
  bool fieldExit(QLineEdit* edit);
  bool isExempt(QWidget* w) const;

  MainWindow* main_;
  ShellWindow kind_;
  QWidget* body_;
  int helpTopic_ = 0;
  int checking_ = 0;
  bool gone_ = false;
  std::vector<std::function<void()>> texts_;
  std::vector<std::function<void()>> refreshers_;
  std::deque<NumberField> fields_;
  std::vector<std::pair<QLineEdit*, QPointer<QWidget>>> returnTargets_;
  std::vector<QPointer<QWidget>> exempt_;
};

}  // namespace tavrel
