#include "core/text_file.h"

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "base/safe_file_writer.h"
#include "base/text_encoding.h"
#include "core/language.h"
#include "core/platform.h"

namespace tavrel {

namespace fs = std::filesystem;

namespace {

// The program's own files are a few kilobytes; anything far larger is not
// one of them and is not read into memory.
constexpr std::uintmax_t kMaxTextFileBytes = 16u * 1024u * 1024u;

}  // namespace

std::optional<std::vector<std::string>> readTextFileLines(const std::string& path) {
  std::error_code ec;
  // Only plain files: a device or pipe could deliver bytes without end.
  if (!fs::is_regular_file(path, ec)) return std::nullopt;
  const std::uintmax_t size = fs::file_size(path, ec);
  if (ec || size > kMaxTextFileBytes) return std::nullopt;
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) return std::nullopt;
  return splitLines(decodeFileText(bytes));
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
