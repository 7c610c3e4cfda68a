// The dial kinds the program knows. The family table registers every letter
// of `dialKind` it answers for at start-up, with what the settings file
// writes after the letter; the record's checks and the settings reader ask
// here, so that a letter no family claims is refused rather than kept.
#pragma once

#include <cstdint>
#include <string>

namespace tavrel {

struct DesignState;

struct DialKindCode {
  char letter = 0;
  // The variant digit the settings file writes after the letter and reads
  // back (nullptr: the letter alone, or `fixedDigit` when it is not 0).
  std::uint8_t DesignState::*variant = nullptr;
  char fixedDigit = 0;
  // The letter also names an umbrella dial ("s" + letter).
  bool umbrellaForm = false;
};

void registerDialKind(const DialKindCode& code);

// The registered code of a letter (nullptr: no family claims it).
const DialKindCode* registeredDialKind(char letter);

// Every registered letter, in registration order.
std::string knownDialKinds();

}  // namespace tavrel
