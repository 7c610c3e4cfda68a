#include "core/text_file.h"

#include <cerrno>
#include <filesystem>
#include <new>

#include "base/file_reading.h"
#include "base/safe_file_writer.h"
#include "base/text_encoding.h"
#include "core/language.h"
#include "core/platform.h"

namespace tavrel {

namespace fs = std::filesystem;

std::optional<std::vector<std::string>> readTextFileLines(const std::string& path,
                                                          std::error_code* why) {
  std::string bytes;
  std::error_code ec = readWholeFile(path, kMaxTextFileBytes, bytes);
  if (!ec) {
    try {
      return splitLines(decodeFileText(bytes));
    } catch (const std::bad_alloc&) {
      ec = std::make_error_code(std::errc::not_enough_memory);
    }
  }
  if (why) *why = ec;
  return std::nullopt;
}

bool writeTextFileLines(const std::string& path, const std::vector<std::string>& lines) {
  const std::error_code ec = writeFileSafely(path, encodeFileLines(lines));
  if (ec) errno = ec.value();
  return !ec;
}

void reportFileWriteError(const std::string& path, std::error_code ec) {
  std::string text = messageText(53) + "\n\r" + path;
  if (ec) text += "\n\r" + ec.message();
  showMessage(MsgCaption::Error, MsgIcon::Error, text);
}

std::string fileNameWithoutDirectory(const std::string& path) {
  return fs::path(path).filename().string();
}

}  // namespace tavrel
