#include "ui/print_angle_table.h"

#include <cmath>
#include <string>

namespace tavrel {

namespace {

constexpr double kTextHeight = 40;
constexpr double kTitleHeight = 48;
constexpr double kLeft = 150;
constexpr double kTitleCentre = 900;
constexpr double kTitleTop = 145;
constexpr double kInfoTop = 180;
constexpr double kBottomMargin = 60;

std::string trimmed(const std::string& s) {
  const std::size_t a = s.find_first_not_of(' ');
  if (a == std::string::npos) return "";
  const std::size_t b = s.find_last_not_of(' ');
  return s.substr(a, b - a + 1);
}

Font tableFont(double height) {
  Font f;
  f.face = "MS Serif";
  f.height = height;
  f.weight = kFontWeightBold;
  f.colour = kBlack;
  f.fixedPitch = true;
  return f;
}

}  // namespace

int drawAngleTablePages(Canvas& page, const AngleTablePrintout& printout, int pageWidth, int pageHeight,
                        const std::function<void()>& newPage) {
  page.setPen({kBlack, 1, PenStyle::Solid});
  page.setBrush({kWhite, BrushStyle::Clear});

  // Title and information lines.
  page.setFont(tableFont(kTitleHeight));
  const double titleWidth = page.textExtent(printout.title).width;
  page.text(kTitleCentre - titleWidth / 2, kTitleTop, printout.title);
  const double infoLineHeight = std::round(1.1 * kTextHeight);
  page.setFont(tableFont(kTextHeight));
  for (std::size_t k = 0; k < printout.infoLines.size(); ++k)
    page.text(kLeft, kInfoTop + static_cast<double>(k + 1) * infoLineHeight, printout.infoLines[k]);

  // The columns of a group are as wide as their widest cell or header
  // word; a table wider than the page is printed in a smaller font.
  static const char* const kHeaderWords[3] = {"hh:mm", "dd.dd", "tangens"};
  double height = kTextHeight;
  double widths[3] = {0, 0, 0};
  double gap = 0, groupWidth = 0;
  for (int attempt = 0; attempt < 8; ++attempt) {
    page.setFont(tableFont(height));
    gap = page.textExtent(" ").width;
    for (int c = 0; c < 3; ++c) {
      widths[c] = page.textExtent(kHeaderWords[c]).width;
      for (const auto& row : printout.rows)
        for (int g = 0; g < 4; ++g)
          widths[c] = std::max(widths[c], page.textExtent(trimmed(row[static_cast<std::size_t>(g)]
                                                                     [static_cast<std::size_t>(c)]))
                                              .width);
    }
    groupWidth = widths[0] + widths[1] + widths[2] + 4 * gap;
    if (kLeft + 4 * groupWidth <= pageWidth - kLeft / 2 || height <= 12) break;
    height = std::floor(height * 0.9);
  }
  const double lineHeight = std::round(1.1 * height);
  // Right end of column c within a group.
  const double cellEnds[3] = {gap + widths[0], 2 * gap + widths[0] + widths[1],
                              3 * gap + widths[0] + widths[1] + widths[2]};

  int pages = 1;
  double y = kInfoTop + static_cast<double>(printout.infoLines.size() + 2) * infoLineHeight;
  std::size_t row = 0;
  auto rightAligned = [&](double end, const std::string& text) {
    if (text.empty()) return;
    page.text(end - page.textExtent(text).width, y, text);
  };
  while (true) {
    // One framed block of the table on this page.
    const double top = y;
    for (int g = 0; g < 4; ++g)
      for (int c = 0; c < 3; ++c) rightAligned(kLeft + g * groupWidth + cellEnds[c], kHeaderWords[c]);
    y += lineHeight;
    const double firstRowTop = y;
    int rowsHere = 0;
    // At least one row per page, so that a small page still ends.
    while (row < printout.rows.size() &&
           (rowsHere == 0 || y + lineHeight <= pageHeight - kBottomMargin - lineHeight)) {
      for (int g = 0; g < 4; ++g)
        for (int c = 0; c < 3; ++c)
          rightAligned(kLeft + g * groupWidth + cellEnds[c],
                       trimmed(printout.rows[row][static_cast<std::size_t>(g)][static_cast<std::size_t>(c)]));
      y += lineHeight;
      ++row;
      ++rowsHere;
    }
    const double bottom = y + lineHeight * 0.2;
    const double right = kLeft + 4 * groupWidth;
    page.rectangle(kLeft, top, right, bottom);
    page.moveTo(kLeft, firstRowTop);
    page.lineTo(right, firstRowTop);
    for (int r = 4; r < rowsHere; r += 4) {
      page.moveTo(kLeft, firstRowTop + r * lineHeight);
      page.lineTo(right, firstRowTop + r * lineHeight);
    }
    for (int g = 1; g < 4; ++g) {
      page.moveTo(kLeft + g * groupWidth, top);
      page.lineTo(kLeft + g * groupWidth, bottom);
    }
    if (row >= printout.rows.size()) break;
    y = bottom + lineHeight * 0.5;
    page.text(kLeft, y, printout.continuedNote);
    newPage();
    ++pages;
    page.setFont(tableFont(height));
    page.setPen({kBlack, 1, PenStyle::Solid});
    y = kTitleTop;
  }
  return pages;
}

}  // namespace tavrel
