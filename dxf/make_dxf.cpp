// The HPGL-to-DXF converter.
//
// Units: HPGL plotter units in, DXF units out; a coordinate or radius read
// from the plot file is divided by `scale` (plotter units per DXF unit).
// Angles are degrees, counter-clockwise from +x, as in both formats.
//
// The converter works on text. Coordinates travel from the plot file to
// the DXF file as decimal strings; only scaling, relative moves, clipping,
// arcs, character sizes and angles turn them into numbers, and the results
// are written back with fixed formats (fixedText) that are part of the
// output. One pass over the input writes the DXF record by record, in
// its final form (see dxf_line_writer.h), through the program's safe file
// writer (base/safe_file_writer.h).
//
// The pieces: hpgl_reading.cpp reads the plot file and interprets its
// commands, dxf_entities.cpp makes the DXF entities; this file holds the
// entry and the diagnostics.
#include "dxf/make_dxf.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>

#include <unistd.h>

#include "base/file_reading.h"
#include "base/safe_file_writer.h"
#include "base/text_encoding.h"
#include "core/language.h"
#include "core/platform.h"
#include "core/text_file.h"
#include "dxf/dxf_head.h"
#include "dxf/dxf_line_writer.h"
#include "dxf/hpgl_to_dxf.h"
#include "dxf/info_lines.h"

namespace tavrel {

namespace {

// Diagnostics kept per conversion; further ones are counted only.
constexpr std::size_t kMostInfoLines = 10000;

std::string fileNameOf(const std::string& path) {
  return std::filesystem::path(path).filename().string();
}

std::string ioErrorText(const std::string& path, int error) {
  return path + ": " + std::generic_category().message(error);
}

}  // namespace

namespace hpgl_dxf_detail {

// The lines carry bytes of the plot file: control characters are shown
// escaped, never sent to the terminal or the panel.
void HpglToDxf::log(std::string line) {
  if (loggedLines_ >= kMostInfoLines) {
    ++droppedLines_;
    return;
  }
  ++loggedLines_;
  infoLines().push_back(escapeControlBytes(line));
}

void HpglToDxf::finishInfoLines() {
  if (droppedLines_ > 0)
    infoLines().push_back("... " + std::to_string(droppedLines_) +
                          workText(workTextRow::kDxfFurtherLines));
  if (tooLongCommands_ > kMostTooLongBoxes)
    infoLines().push_back("... " + std::to_string(tooLongCommands_ - kMostTooLongBoxes) +
                          workText(workTextRow::kDxfFurtherTooLong));
}

}  // namespace hpgl_dxf_detail

using hpgl_dxf_detail::ByteReader;
using hpgl_dxf_detail::firstCommandLetter;
using hpgl_dxf_detail::HpglToDxf;
using hpgl_dxf_detail::kEndOfInput;

DxfResult convertHpglToDxf(const std::string& hpglPath, const std::string& dxfPath,
                  int lineWidthChoice, double scale, const std::string& shownInputPath) {
  // Messages and diagnostics name the input as the caller shows it.
  const std::string& inputName = shownInputPath.empty() ? hpglPath : shownInputPath;
  infoLines().clear();
  if (!(scale > 0)) scale = 1;
  if (lineWidthChoice < 1) lineWidthChoice = 1;
  if (lineWidthChoice > 3) lineWidthChoice = 3;

  // Only a regular file: a device or a pipe could deliver bytes without
  // end (and the DXF would grow with them) or wait for them.
  int fd = -1;
  std::error_code openError = openRegularFile(hpglPath, fd);
  errno = 0;
  std::FILE* input = openError ? nullptr : ::fdopen(fd, "rb");
  if (!input) {
    if (!openError) {
      openError = std::error_code(errno != 0 ? errno : EIO, std::generic_category());
      ::close(fd);
    }
    showMessage(MsgCaption::Error, MsgIcon::Error, inputName + ": " + openError.message());
    return DxfResult::InputError;
  }
  long letterOffset = 0;
  errno = 0;
  const int letter = firstCommandLetter(input, letterOffset);
  if (std::ferror(input)) {
    showMessage(MsgCaption::Error, MsgIcon::Error, ioErrorText(inputName, errno != 0 ? errno : EIO));
    std::fclose(input);
    return DxfResult::InputError;
  }
  if (letter == kEndOfInput) {
    std::fclose(input);
    infoLines().push_back(inputName + workText(workTextRow::kDxfNotHpgl));
    showMessage(MsgCaption::Error, MsgIcon::Error,
                "   File " + fileNameOf(inputName) + messageText(45));
    return DxfResult::NotHpgl;
  }
  std::fseek(input, letterOffset + 1, SEEK_SET);

  // A file already at the target keeps its contents unless a drawing
  // replaces it; a new target gets the complete (empty) DXF all the same.
  std::error_code ec;
  const bool targetExisted = std::filesystem::exists(dxfPath, ec);
  SafeFileWriter sink;
  if (const std::error_code openError = sink.open(dxfPath)) {
    std::fclose(input);
    showMessage(MsgCaption::Error, MsgIcon::Error,
                workText(workTextRow::kDxfOpenError) + "\n\r" + ioErrorText(dxfPath, openError.value()));
    return DxfResult::OutputError;
  }
  DxfLineWriter writer(sink);
  writeDxfHead(writer, scale);
  ByteReader reader(input);
  HpglToDxf converter(writer, lineWidthChoice, scale);
  converter.run(letter, reader);
  converter.finishInfoLines();
  writer.lines({"ENDSEC", "  0", "EOF"});
  const int readError = reader.failed() ? reader.error() : 0;
  std::fclose(input);
  const bool convertedAny = converter.converted();

  // A conversion that could not read all of its input, or not write all
  // of its output, leaves no file behind and the target as it was.
  if (readError != 0) {
    sink.abandon();
    showMessage(MsgCaption::Error, MsgIcon::Error, ioErrorText(inputName, readError));
    return DxfResult::InputError;
  }
  const bool complete = writer.finish(convertedAny);
  if (!convertedAny && targetExisted && !sink.writesInPlace()) {
    sink.abandon();
  } else {
    std::error_code failure = complete ? sink.commit() : writer.error();
    if (failure) {
      sink.abandon();
      reportFileWriteError(dxfPath, failure);
      return DxfResult::OutputError;
    }
  }

  if (!convertedAny) {
    showMessage(MsgCaption::Error, MsgIcon::Error, "File " + fileNameOf(inputName) + messageText(45));
    return DxfResult::NothingConverted;
  }
  // Shown once the file is complete, so that "saved" is never premature.
  showMessage(MsgCaption::Information, MsgIcon::Information,
              "\r       File " + fileNameOf(dxfPath) + messageText(58));
  return DxfResult::Converted;
}

}  // namespace tavrel
