// The program's start-up sequence, as far as it concerns the design record
// (the windows add their own steps). It lives above the ephemeris, whose
// tables of the reference year are part of the record's start values.
#pragma once

namespace tavrel {

// The obliquity tables of year (obliquityTables, astro/solar_ephemeris.h)
// into the design record: meanObliquity, obliquityRounded,
// declinationByLongitude, zodiacDeclination. A start-up step, repeated
// whenever a settings or construction-data file has been read and by the
// sun-path graphs for their year.
void prepareObliquity(int year);

// The series EoT table (eotSeriesRows) into design().eotSeriesWork and its
// copy design().eotSeriesReport; both empty when steps lies outside 1..360.
// A start-up step (288, 2022), repeated by the pair report of the
// equation of time.
void buildEotSeriesTable(int steps, int year);

// Start-up step 2: defaults, colours, obliquity tables of referenceYear,
// choice lists, dialKind 'v', and the series EoT table (288, 2022).
void initializeDesignState();

// Everything the program does to the record from its start until the
// settings file is due: language German, initializeDesignState, the
// directories, screen flags, input flags, the colours again, and the
// calculation date and reference year from the platform's "today".
void startProgramBeforeSettings();

// What follows the settings file: twilightKind = 2, the three default own
// date lines when the list is empty, and the language from germanSelected
// (without the help-file box; see startUpNotices).
void startProgramAfterSettings();

// Both halves without a settings file: the record as the program holds it
// after starting in a folder without "tav.ini" and declining to create it.
void startProgram();

// The boxes the main window shows when it is first shown: a missing help
// file and a missing "Wingdings" font.
void startUpNotices();

}  // namespace tavrel
