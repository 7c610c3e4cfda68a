#include "dials/planar/coordinates_file.h"

#include <cerrno>
#include <string_view>
#include <system_error>

#include "core/design_state.h"
#include "core/language.h"
#include "core/text_file.h"
#include "base/number_text.h"
#include "base/safe_file_writer.h"
#include "dials/planar/planar_plot_texts.h"
#include "dials/planar/planar_texts.h"

namespace tavrel {

void CoordinatesListing::lineBreak() {
  text_ += "\r\n";
  pointsOnLine_ = 0;
  lineHasText_ = false;
}

void CoordinatesListing::writeHead(const DesignState& d, const std::vector<std::string>& infoLines,
                                   const std::string& plotFileName) {
  for (const std::string& line : infoLines) {
    text_ += line;
    lineBreak();
  }
  lineBreak();
  text_ += tableText(TextTable::Labels, labelRow::kHourLinesShow) +
           (d.eotLinesOwnMeridian
                ? " " + tableText(TextTable::Texts, textRow::kLocalApparentTime)
                : tableText(TextTable::Texts, textRow::kApparentTimeZoneMeridian));
  lineBreak();
  if (d.umbrellaMode) {
    lineBreak();
    text_ += planarText(PlanarText::DiskRadius) + fixedText(d.umbrellaRadiusRatio, 6, 3) +
             planarText(PlanarText::TimesHeight);
    lineBreak();
  }
  text_ += plotText(PlotText::FileNameOfConstruction) + plotFileName;
  lineBreak();
  headLineCount_ = 0;
  for (std::size_t at = text_.find("\r\n"); at != std::string::npos; at = text_.find("\r\n", at + 2))
    ++headLineCount_;
}

void CoordinatesListing::dateLinesHeading() {
  lineBreak();
  lineBreak();
  text_ += "Beginn der Deklinationlinien (Datumslinien):";
  lineBreak();
  text_ += std::string(76, '-');
  lineHasText_ = true;
}

void CoordinatesListing::beginSection(const std::string& title, bool pointsOnTitleLine) {
  // One blank line before the title, also after a full line of points.
  if (lineHasText_) lineBreak();
  lineBreak();
  text_ += title;
  lineHasText_ = true;
  if (!pointsOnTitleLine) lineBreak();
}

void CoordinatesListing::point(double xMm, double yMm) {
  text_ += fixedText(xMm, 9, 3) + "/" + fixedText(yMm, 8, 3) + ";";
  lineHasText_ = true;
  if (++pointsOnLine_ == 4) lineBreak();
}

void CoordinatesListing::hourPoint(int hour, double xMm, double yMm) {
  if (lineHasText_) lineBreak();
  text_ += "(" + fixedText(hour, 2, 0) + " Uhr):";
  lineHasText_ = true;
  point(xMm, yMm);
}

std::vector<std::string> CoordinatesListing::lines() const {
  std::vector<std::string> out{""};
  std::string_view rest = text_;
  for (;;) {
    const std::size_t at = rest.find("\r\n");
    out.back() += std::string(rest.substr(0, at));
    if (at == std::string_view::npos) break;
    rest.remove_prefix(at + 2);
    if (rest.empty()) break;
    out.emplace_back();
  }
  if (out.size() == 1 && out[0].empty()) out.clear();
  return out;
}

bool writeCoordinatesFile(const std::string& path, const CoordinatesListing& listing) {
  errno = 0;
  if (writeTextFileLines(path, listing.lines())) return true;
  const int reason = errno != 0 ? errno : EIO;
  reportFileWriteError(path, std::error_code(reason, std::generic_category()));
  return false;
}

std::string coordinatesFileNameFor(const std::string& plotFileName) {
  const std::size_t slash = plotFileName.find_last_of("/\\");
  const std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
  const std::size_t dot = plotFileName.find('.', nameStart);
  if (dot == std::string::npos) return plotFileName + ".txt";
  return plotFileName.substr(0, dot + 1) + "txt";
}

}  // namespace tavrel
