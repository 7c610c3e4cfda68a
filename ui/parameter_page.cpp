#include "ui/parameter_page.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "base/number_text.h"
#include "core/design_state.h"
#include "core/field_checks.h"

namespace tavrel {

namespace {

std::vector<ParameterPageDef>& pages() {
  static std::vector<ParameterPageDef> rows;
  return rows;
}

std::vector<ParameterSectionDef>& sections() {
  static std::vector<ParameterSectionDef> rows;
  return rows;
}

}  // namespace

ParameterPageRegistrar::ParameterPageRegistrar(const ParameterPageDef& page) { pages().push_back(page); }

const ParameterPageDef* parameterPageDef(std::string_view id) {
  for (const ParameterPageDef& p : pages())
    if (id == p.id) return &p;
  return nullptr;
}

ParameterSectionRegistrar::ParameterSectionRegistrar(const ParameterSectionDef& section) {
  sections().push_back(section);
}

std::vector<QWidget*> buildPageSections(ParameterWindow& window, std::string_view page) {
  std::vector<QWidget*> out;
  for (const ParameterSectionDef& s : sections()) {
    if (page != s.page) continue;
    QWidget* w = s.build(window);
    const std::string id = s.id;
    window.visibleWhen(w, [id] { return parameterPageSection(design()) == id; });
    out.push_back(w);
  }
  return out;
}

QStringList listA() {
  QStringList out;
  for (const std::string& s : design().intervalChoices) out << qs(s);
  return out;
}

QStringList listB() { return listA().mid(0, 4); }

std::vector<TextSource> sources(int first, int count) {
  std::vector<TextSource> out;
  for (int i = 0; i < count; ++i) out.push_back(tx(first + i));
  return out;
}

ChildForm::NumberField ranged(TextSource label, double* target, double min, double max) {
  ChildForm::NumberField f;
  f.label = std::move(label);
  f.target = target;
  f.show = [target] { return qs(fixedText(*target, 11, 6)).trimmed(); };
  auto check = [target, min, max](EditField& e, const std::string& name) {
    return checkRangedRealField(e, *target, name, max, min);
  };
  f.onExit = check;
  f.onClose = check;
  return f;
}

void setZoneTime(bool zone) {
  design().zoneTime = zone;
  design().localTime = !zone;
}

QGridLayout* gridOf(QGroupBox* g) { return static_cast<QGridLayout*>(g->layout()); }

QWidget* column(const std::vector<QWidget*>& widgets) {
  auto* w = new QWidget;
  auto* l = new QVBoxLayout(w);
  l->setContentsMargins(0, 0, 0, 0);
  for (QWidget* x : widgets) l->addWidget(x);
  l->addStretch();
  return w;
}

QWidget* column(std::initializer_list<QWidget*> widgets) { return column(std::vector<QWidget*>(widgets)); }

QWidget* twoColumns(QWidget* left, QWidget* right) {
  auto* w = new QWidget;
  auto* l = new QHBoxLayout(w);
  l->setContentsMargins(0, 0, 0, 0);
  l->addWidget(left, 0, Qt::AlignTop);
  l->addWidget(right, 0, Qt::AlignTop);
  return w;
}

QGroupBox* fieldsGroup(QGroupBox* g) {
  auto* grid = new QGridLayout(g);
  grid->setContentsMargins(6, 4, 6, 4);
  grid->setVerticalSpacing(3);
  grid->setColumnStretch(2, 1);
  return g;
}

}  // namespace tavrel
