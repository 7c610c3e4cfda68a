// libFuzzer harness: the loader of the ham dial's settings files ("*.ham")
// on arbitrary bytes.
//
// Input: one byte of options, then the file.
//   bit 0  the program is in English (else German)
//
// Checked beyond "no crash, no hang, no sanitizer report": a refused file
// shows one error box that names the file and leaves the settings text
// list as it was; an accepted file shows no box, the list holds the file's
// lines with the colour and hour section headers in their places, and the
// list written with the program's writer loads again unchanged.
#include <cstdint>
#include <string>
#include <vector>

#include "astro/startup.h"
#include "base/text_encoding.h"
#include "core/language.h"
#include "core/scripted_platform.h"
#include "core/text_file.h"
#include "dials/ham/ham_dial.h"
#include "tests/fuzz/fuzz_support.h"

namespace {

using namespace tavrel;

bool beginsWith(const std::string& line, const std::string& head) { return line.rfind(head, 0) == 0; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static fuzz::StartedProgram setup;
  if (size == 0) return 0;
  selectLanguage((data[0] & 1) == 0);
  const std::string path = setup.folder.file("schink.ham");
  fuzz::writeBytes(path, data + 1, size - 1);

  const std::vector<std::string> before = {"kept"};
  hamSettingsText() = before;
  setup.platform.boxes.clear();
  const bool loaded = loadHamSettingsFile(path);
  const std::vector<std::string>& list = hamSettingsText();
  if (!loaded) {
    fuzz::check(list == before, "a refused file changed the list");
    fuzz::check(setup.platform.boxes.size() == 1, "a refused file shows one box");
    fuzz::check(setup.platform.boxes[0].caption == MsgCaption::Error, "a refused file shows an error");
    fuzz::check(beginsWith(setup.platform.boxes[0].text, path), "the error names the file");
    return 0;
  }
  fuzz::check(setup.platform.boxes.empty(), "a loaded file shows no box");
  const std::string bytes(reinterpret_cast<const char*>(data + 1), size - 1);
  fuzz::check(list == splitLines(decodeFileText(bytes)), "the list is not the file's lines");
  fuzz::check(list.size() > 31 && beginsWith(list[18], "[Farben]") && beginsWith(list[31], "[Zeiten]"),
              "a file without the section headers was taken");

  // Written by the program's writer and loaded again.
  const std::vector<std::string> firstLoad = list;
  const std::string again = setup.folder.file("again.ham");
  fuzz::check(writeTextFileLines(again, firstLoad), "the list could not be written");
  hamSettingsText() = before;
  fuzz::check(loadHamSettingsFile(again), "the written list was refused");
  fuzz::check(hamSettingsText() == firstLoad, "the written list reads back changed");
  return 0;
}
