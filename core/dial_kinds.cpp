#include "core/dial_kinds.h"

#include <vector>

namespace tavrel {

namespace {

std::vector<DialKindCode>& codes() {
  static std::vector<DialKindCode> rows;
  return rows;
}

}  // namespace

void registerDialKind(const DialKindCode& code) {
  for (DialKindCode& c : codes())
    if (c.letter == code.letter) {
      c = code;
      return;
    }
  codes().push_back(code);
}

const DialKindCode* registeredDialKind(char letter) {
  for (const DialKindCode& c : codes())
    if (c.letter == letter) return &c;
  return nullptr;
}

std::string knownDialKinds() {
  std::string out;
  for (const DialKindCode& c : codes()) out += c.letter;
  return out;
}

}  // namespace tavrel
