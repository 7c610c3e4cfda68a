// Reading and writing whole text files of the program (settings,
// construction data, date lists): a file is read completely into lines of
// UTF-8 text, and written completely or not at all.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace tavrel {

// The lines of a text file, decoded to UTF-8 (Windows-1252 or UTF-8 on
// disk; CR LF, LF or CR line ends; see text_encoding.h). nullopt when the
// file cannot be opened or read (missing, a folder, no permission).
std::optional<std::vector<std::string>> readTextFileLines(const std::string& path);

// Writes `bytes` to path without ever leaving a damaged file behind: the
// bytes go to a new temporary file in the same folder, which is flushed to
// disk and then renamed over path. When any step fails the temporary file
// is removed, an existing file at path is left exactly as it was, and the
// result is false. A symbolic link at path is followed (its target is
// replaced); the permission bits of an existing file are kept.
bool writeFileAtomically(const std::string& path, const std::string& bytes);

// writeFileAtomically with the lines in the historic form of the program's
// text files (encodeFileLines: Windows-1252, CR LF).
bool writeTextFileLines(const std::string& path, const std::vector<std::string>& lines);

// The file name without its folder ("C:/x/tav.ini" and "tav.ini" give
// "tav.ini").
std::string fileNameWithoutDirectory(const std::string& path);

}  // namespace tavrel
