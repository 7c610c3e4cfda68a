// libFuzzer target: the settings reader on arbitrary bytes, with arbitrary
// answers to its questions, and the writer on whatever record results.
//
// Input: one byte of options, then the file.
//   bits 0..5  answers to the first six Yes/No questions (1 = Yes; later
//              questions are answered No)
//   bit 6      the file is called "tav.ini" (else "data.tav")
//   bit 7      the record is in English before reading
//
// Checked beyond "no crash, no hang, no sanitizer report": the written
// file always has the layout the reader expects (headers at lines 18, 31
// and 47), is well-formed UTF-8 in memory, reads back through the
// encoder unchanged, and is never taken for a damaged layout when read
// again.
#include <cstdint>
#include <string>
#include <vector>

#include "astro/solar_ephemeris.h"
#include "core/design_state.h"
#include "core/scripted_platform.h"
#include "core/settings_file.h"
#include "astro/startup.h"
#include "base/text_encoding.h"
#include "tests/fuzz/fuzz_support.h"
#include "tests/core/language_choice.h"

namespace {

using namespace tavrel;

using fuzz::check;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static fuzz::StartedProgram setup;
  if (size == 0) return 0;
  const std::uint8_t options = data[0];

  design() = setup.started;
  if (options & 0x80) {
    design().germanSelected = false;
    useLanguage(2);
  }
  setup.platform.boxes.clear();
  setup.platform.answers.clear();
  for (int bit = 0; bit < 6; ++bit)
    setup.platform.answers.push_back((options >> bit) & 1 ? MsgAnswer::Yes : MsgAnswer::No);

  const std::string path = setup.folder.file((options & 0x40) ? "tav.ini" : "data.tav");
  fuzz::writeBytes(path, data + 1, size - 1);
  readSettingsFile(path, prepareObliquity);

  const std::vector<std::string> lines = buildSettingsText(false);
  check(lines.size() >= 48);
  check(lines[18] == "[Farben]" && lines[31] == "[Zeiten]" && lines[47] == "[Datumslinien]");
  for (const std::string& line : lines) check(isValidUtf8(line));
  check(splitLines(decodeFileText(encodeFileLines(lines))) == lines);

  // Written and read again, the file is always structurally sound.
  setup.platform.answers.clear();
  const std::string again = setup.folder.file("again.tav");
  check(writeSettingsFile(again));
  check(readSettingsFile(again, prepareObliquity).status != SettingsReadStatus::BadStructure);
  return 0;
}
