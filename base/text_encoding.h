// Text encodings of the program's files. In memory every text is UTF-8;
// on disk the settings, construction-data and date-list files keep their
// historic form, Windows-1252 with CR LF line ends. Readers accept
// Windows-1252 and UTF-8 and the line ends CR LF, LF and CR.
//
// Windows-1252 is taken with its full byte table: 0x80-0x9F are the
// typographic characters of the code page (euro sign, quotation marks,
// dashes, ...); the five bytes the code page leaves undefined (0x81, 0x8D,
// 0x8F, 0x90, 0x9D) stand for the C1 control characters of the same
// number, so that every byte string decodes and encodes back unchanged.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tavrel {

enum class TextEncoding { Windows1252, Utf8 };

// True when `bytes` is well-formed UTF-8 (no overlong forms, no
// surrogates, nothing above U+10FFFF). The empty text is well-formed.
bool isValidUtf8(std::string_view bytes);

// True when some byte is 0x80 or above.
bool hasNonAscii(std::string_view bytes);

// Each byte as its Windows-1252 character, in UTF-8.
std::string windows1252ToUtf8(std::string_view bytes);

// The characters of a text: each well-formed UTF-8 sequence as its code
// point, every other byte as its Windows-1252 character (so a stray byte
// of an old file still reads as the character it stood for).
std::u32string decodeUtf8Leniently(std::string_view bytes);

// UTF-8 text in Windows-1252; nullopt when the text is not well-formed
// UTF-8 or holds a character the code page lacks.
std::optional<std::string> utf8ToWindows1252(std::string_view utf8);

// The encoding of a file's bytes: UTF-8 when they are well-formed UTF-8
// and hold a non-ASCII byte (or begin with the UTF-8 byte-order mark),
// Windows-1252 otherwise.
TextEncoding detectEncoding(std::string_view bytes);

// A file's bytes as UTF-8 text: the encoding is detected, a UTF-8
// byte-order mark is dropped.
std::string decodeFileText(std::string_view bytes);

// Splits text into lines. CR LF, LF and a lone CR each end a line; a line
// end at the very end of the text does not start another (empty) line,
// so "a\r\nb\r\n" and "a\nb" both give {"a", "b"} and "" gives {}.
std::vector<std::string> splitLines(std::string_view text);

// The bytes of a text file in the program's historic form: each line
// followed by CR LF, in Windows-1252. When a line holds a character that
// Windows-1252 lacks, the whole file is written in UTF-8 instead (without
// byte-order mark), so that nothing is lost; the readers accept both. The
// same happens in the rare case that the Windows-1252 bytes would be taken
// for UTF-8 when read ("Ã¤" in Windows-1252 is the UTF-8 form of "ä").
std::string encodeFileLines(const std::vector<std::string>& lines);

}  // namespace tavrel
