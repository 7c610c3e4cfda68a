// Reading and writing whole text files of the program (settings,
// construction data, date lists): a file is read completely into lines of
// UTF-8 text, and written completely or not at all.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

namespace tavrel {

// The program's own text files are a few kilobytes; a file far larger is
// not one of them and is not read into memory.
inline constexpr std::uintmax_t kMaxTextFileBytes = 16u * 1024u * 1024u;

// The lines of a text file, decoded to UTF-8 (Windows-1252 or UTF-8 on
// disk; CR LF, LF or CR line ends; see text_encoding.h). nullopt when the
// file cannot be opened or read (missing, a folder or device, no
// permission, larger than kMaxTextFileBytes, a failing read; see
// readWholeFile in base/file_reading.h); then *why, when given, holds the
// system's reason. Never throws for what the file holds.
std::optional<std::vector<std::string>> readTextFileLines(const std::string& path,
                                                          std::error_code* why = nullptr);

// Writes the lines in the historic form of the program's text files
// (encodeFileLines: Windows-1252, CR LF) through writeFileSafely
// (base/safe_file_writer.h): an existing file is replaced only when
// everything was written; a device is written in place. False on failure,
// with errno set to the system's reason.
bool writeTextFileLines(const std::string& path, const std::vector<std::string>& lines);

// Message 53 ("Unable to save file!") with the file name and the system's
// reason, error caption.
void reportFileWriteError(const std::string& path, std::error_code ec);

// The file name without its folder ("C:/x/tav.ini" and "tav.ini" give
// "tav.ini").
std::string fileNameWithoutDirectory(const std::string& path);

}  // namespace tavrel
