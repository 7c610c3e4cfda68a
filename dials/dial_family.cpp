#include "dials/dial_family.h"

#include <algorithm>
#include <cmath>

#include "core/design_state.h"
#include "core/dial_kinds.h"
#include "core/language.h"
#include "base/number_text.h"

namespace tavrel {

namespace {

std::vector<DialFamily>& registry() {
  static std::vector<DialFamily> rows;
  return rows;
}

int firstEntry(const DialFamily& f) { return f.kinds.empty() ? 1 << 20 : f.kinds.front().entry; }

long long rnd(double x) { return roundHalfEven(x); }

}  // namespace

DialFamilyRegistrar::DialFamilyRegistrar(const DialFamily& family) {
  // The record's checks and the settings reader learn the letters here.
  const std::string umbrellaKinds = family.umbrellaKinds;
  for (const DialKindEntry& k : family.kinds)
    registerDialKind({k.letter, k.variant, k.fixedDigit, umbrellaKinds.find(k.letter) != std::string::npos});
  std::vector<DialFamily>& rows = registry();
  rows.push_back(family);
  std::stable_sort(rows.begin(), rows.end(),
                   [](const DialFamily& a, const DialFamily& b) { return firstEntry(a) < firstEntry(b); });
}

const std::vector<DialFamily>& dialFamilies() { return registry(); }

int dialTypeEntryCount() {
  int n = 0;
  for (const DialFamily& f : registry()) {
    n = std::max(n, f.umbrellaEntry + 1);
    for (const DialKindEntry& k : f.kinds) n = std::max(n, k.entry + 1);
  }
  return n;
}

int umbrellaDialTypeEntry() {
  for (const DialFamily& f : registry())
    if (f.umbrellaEntry >= 0) return f.umbrellaEntry;
  return -1;
}

int dialTypeEntryOfKind(char letter) {
  for (const DialFamily& f : registry())
    for (const DialKindEntry& k : f.kinds)
      if (k.letter == letter) return k.entry;
  return -1;
}

const DialFamily* familyOfKind(char letter) {
  for (const DialFamily& f : registry())
    for (const DialKindEntry& k : f.kinds)
      if (k.letter == letter) return &f;
  return nullptr;
}

const DialFamily* familyOf(const DesignState& d) { return familyOfKind(d.dialKind); }

unsigned dialCapabilities(const DesignState& d) {
  const DialFamily* f = familyOf(d);
  if (!f) return 0;
  return f->variantCapabilities ? f->variantCapabilities(d, f->capabilities) : f->capabilities;
}

bool dialHas(const DesignState& d, DialCapability c) { return (dialCapabilities(d) & c) != 0; }

bool dialPlottable(const DesignState& d) {
  const DialFamily* f = familyOf(d);
  return f && f->plots();
}

// Text-table row of "There is no plot output for this dial type."
constexpr int kNoPlotRow = 1530;

std::string dialNoPlotText() { return tableText(TextTable::Texts, kNoPlotRow); }

std::string drawingWindowTitle(const DesignState& d, int language) {
  const DialFamily* f = familyOf(d);
  const std::string part = f && f->titlePart ? f->titlePart(d, language) : std::string();
  return tableText(TextTable::Labels, labelRow::kConstructionOfA, language) + part;
}

std::string drawingWindowTitle(const DesignState& d) { return drawingWindowTitle(d, d.language); }

DialActivation standardActivation(const DesignState& d, int W, int H) {
  DialActivation a;
  a.footX = (W + 1) / 2;
  if (std::fabs(d.latitude) > 30)
    a.footY = static_cast<double>(rnd(3.0 * H / 4));
  else
    a.footY = (H + 1) / 2;
  if (d.latitude < 0) a.footY = H - a.footY;
  a.textX = static_cast<double>(rnd(3.0 * W / 8));
  a.textY = d.latitude < 0 ? H - W / 10 : H / 25;
  return a;
}

DialActivation narrowTextBlockActivation(const DesignState& d, int W, int H) {
  DialActivation a = standardActivation(d, W, H);
  a.textBlockWidth = 0.29;
  return a;
}

DialActivation dialActivation(const DesignState& d, int width, int height) {
  const DialFamily* f = familyOf(d);
  return f && f->activation ? f->activation(d, width, height) : standardActivation(d, width, height);
}

std::string parameterPageOf(const DesignState& d) {
  const DialFamily* f = familyOf(d);
  const std::vector<DialFamily>& rows = registry();
  const std::string first = rows.empty() ? std::string() : rows.front().page;
  if (!f) return first;
  if (d.umbrellaMode && (f->capabilities & kCapUmbrella) && f->umbrellaPage) return f->umbrellaPage;
  if ((f->capabilities & kCapExpertOnly) && !d.expertModeActive) return first;
  return f->page;
}

std::string parameterPageSection(const DesignState& d) {
  const DialFamily* f = familyOf(d);
  return f && f->pageSection ? f->pageSection : "";
}

int legendFamilyNameRow(const DesignState& d) {
  const DialFamily* f = familyOf(d);
  const std::vector<DialFamily>& rows = registry();
  // An unknown letter counts as the first row's kind.
  if (!f && !rows.empty()) f = &rows.front();
  if (!f) return 0;
  if (d.umbrellaMode && (f->capabilities & kCapUmbrella)) return f->umbrellaLegendNameRow;
  return f->legendNameRow;
}

int parameterPageTitleRow(const DesignState& d) {
  const DialFamily* f = familyOf(d);
  return f && f->pageTitleTextRow && parameterPageOf(d) == f->page ? f->pageTitleTextRow(d) : -1;
}

std::string parameterPageKinds(const std::string& page) {
  std::string kinds;
  for (const DialFamily& f : registry())
    if (page == f.page)
      for (const DialKindEntry& k : f.kinds) kinds += k.letter;
  return kinds;
}

int parameterPageKindIndex(const DesignState& d) {
  const std::string kinds = parameterPageKinds(parameterPageOf(d));
  const std::size_t i = kinds.find(d.dialKind);
  return i == std::string::npos ? 0 : static_cast<int>(i);
}

void selectParameterPageKind(DesignState& d, int index) {
  const std::string kinds = parameterPageKinds(parameterPageOf(d));
  if (index >= 0 && index < static_cast<int>(kinds.size())) d.dialKind = kinds[static_cast<std::size_t>(index)];
}

std::vector<std::string> dialKindList() {
  struct Line {
    int entry;
    std::string text;
  };
  std::vector<Line> lines;
  for (const DialFamily& f : registry())
    for (const DialKindEntry& k : f.kinds) {
      std::string text = std::string(1, k.letter) + "  " + tableText(TextTable::DialTypes, k.entry, 2) +
                         " / " + tableText(TextTable::DialTypes, k.entry, 1);
      lines.push_back({k.entry, text});
    }
  std::sort(lines.begin(), lines.end(), [](const Line& a, const Line& b) { return a.entry < b.entry; });
  std::vector<std::string> out;
  for (Line& l : lines) out.push_back(std::move(l.text));
  return out;
}

}  // namespace tavrel
