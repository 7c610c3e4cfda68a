#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "core/design_state.h"
#include "core/language.h"
#include "core/scripted_platform.h"
#include "dials/planar/planar_labels.h"
#include "dials/ring/ring_labels.h"
#include "dials/sawyer/sawyer_labels.h"

namespace tavrel {
namespace {

namespace fs = std::filesystem;

constexpr int kGerman = 1;
constexpr int kEnglish = 2;

// Keeps the language fields of the design record and restores them.
class LanguageTest : public ::testing::Test {
 protected:
  void SetUp() override { saved_ = design(); }
  void TearDown() override {
    DesignState& d = design();
    d.language = saved_.language;
    d.stringOffset = saved_.stringOffset;
    d.germanSelected = saved_.germanSelected;
    d.useHtmlHelp = saved_.useHtmlHelp;
    d.exeDirectory = saved_.exeDirectory;
    d.helpFileName = saved_.helpFileName;
  }
  static void selectGerman() {
    design().language = 1;
    design().stringOffset = 0;
  }
  static void selectEnglish() {
    design().language = 2;
    design().stringOffset = 2000;
  }

 private:
  DesignState saved_;
};

// Characters as the string table counts them: Unicode code points of the
// UTF-8 text (every byte that is not a continuation byte starts one).
long codePoints(const std::string& s) {
  long n = 0;
  for (unsigned char c : s)
    if ((c & 0xC0) != 0x80) ++n;
  return n;
}

TEST_F(LanguageTest, EveryMessageRowExistsInBothLanguages) {
  for (int n = 0; n <= 71; ++n) {
    SCOPED_TRACE("message " + std::to_string(n));
    const std::string german = messageText(n, kGerman);
    const std::string english = messageText(n, kEnglish);
    EXPECT_FALSE(german.empty());
    EXPECT_FALSE(english.empty());
    // Only the English message 32 is a lone blank (the second line of 31).
    if (n == 32) {
      EXPECT_EQ(english, " ");
    } else {
      EXPECT_NE(german.find_first_not_of(" \n\r"), std::string::npos);
      EXPECT_NE(english.find_first_not_of(" \n\r"), std::string::npos);
    }
  }
  EXPECT_EQ(messageText(72, kGerman), "");
  EXPECT_EQ(messageText(-1, kEnglish), "");
  EXPECT_EQ(tableRowIds(TextTable::Messages).size(), 72u);
}

// Texts of the message table exactly as the program shows them: line
// feeds, carriage returns, embedded and trailing blanks, literal quotes.
TEST_F(LanguageTest, MessagesReadExactlyAsWritten) {
  struct Case {
    int n;
    int language;
    const char* text;
  };
  const Case cases[] = {
      {14, kEnglish, "File contains errors and will be corrected now.\n\rCan that be done now?"},
      {14, kGerman, "Die Datei ist fehlerhaft und muss korrigiert \n\rwerden. Korrektur jetzt durchführen ?"},
      {15, kEnglish, "Foot of gnomon is outside the displayed area!\n\rDo you wish to cancel?"},
      {15, kGerman, "Der Fußpunkt des Gnomon liegt\n\raußerhalb des abgebildeten Bereiches!\n\r\rAbbrechen?"},
      {33, kEnglish, "File missing. For generating it have a look\rat menu \"Help / HelpIndex\"!"},
      {33, kGerman, " fehlt. (Weitere Information im Menü \r\"Hilfe / Hilfe Index\" unter dem Stichwort INI-Datei!"},
      {41, kEnglish, "Temporal Hours must be in between 0 and 12 !\n\rTo correct the times press key <F7> ."},
      {41, kGerman, "Temporalstunden müssen zwischen 0 und 12 liegen!\n\rZur Korrektur Taste <F7> drücken."},
      {3, kEnglish, "The inclination has to be in between [0 ° ... +175 °]. \n\rFor inclination 0 degrees select \"horizontal sundial\""},
      {44, kEnglish, "There does not always exist a solution, because\n\r    ( |latitude|-|sun declination| )< 0\n\rand the sun does not reach all azimuth values."},
      {11, kEnglish, "    Print Data with Formfeed ?"},
      {11, kGerman, "  Ausdruck mit nachfolgendem Seitenvorschub?"},
      {13, kEnglish, " Value has to be within Interval"},
      {21, kEnglish, "Circle radius = 0  is not allowed"},
      {28, kEnglish, " overwriting file "},
      {28, kGerman, "Überschreibe jetzt die Datei "},
      {35, kEnglish, "(More Information in menu \"Help / Help Index\", keyword \"INI-File\")"},
      {38, kEnglish, "  ( civil )   "},
      {38, kGerman, " (bürgerlich) "},
      {45, kGerman, " nicht konvertiert!\n\rHPGL-File ist eventuell defekt."},
      {46, kEnglish, "      Error in converting "},
      {47, kEnglish, "!\n\rProbably the dxf-file is corrupted!"},
      {55, kEnglish, "    Change of Expert mode in menu ´Help´."},
      {59, kGerman, "Skala reicht teilweise in andere Ringhälfte hinein!\n\rVielleicht hilft es, die Position des Ringloches zu ändern.\n\rEingabe ändern ?"},
      {60, kEnglish, "Font \"Wingdings\" is not installed. Therefore display"},
      {63, kGerman, "Keine \"eigenen Datumslinien\" eingetragen."},
      {71, kEnglish, "Colors saved in INI-File tav.ini!"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("message " + std::to_string(c.n) + " language " + std::to_string(c.language));
    EXPECT_EQ(messageText(c.n, c.language), c.text);
  }
}

TEST_F(LanguageTest, MessagesThirtyOneAndThirtyTwoFormOneTwoLineText) {
  selectEnglish();
  EXPECT_EQ(messagePair(31, 32), "Error! The result is probably false.\n\r ");
  selectGerman();
  EXPECT_EQ(messagePair(31, 32), "Ein Fehler ist  aufgetreten. Das\n\rErgebnis ist eventuell falsch!");
  EXPECT_EQ(messageText(6), "Fehlerhafte Eingabe !");
}

// The translations the table leaves to us: present, different from the
// other language, and with the same line structure.
TEST_F(LanguageTest, FilledTranslationsKeepTheLineBreaks) {
  struct Case {
    int n;
    int filledLanguage;
    int lineBreaks;  // "\n\r" pairs in both languages
  };
  const Case cases[] = {{3, kGerman, 1}, {44, kGerman, 2}, {49, kGerman, 0},
                        {64, kGerman, 1}, {67, kGerman, 1}, {63, kEnglish, 0}};
  auto count = [](const std::string& s) {
    int k = 0;
    for (std::size_t p = s.find("\n\r"); p != std::string::npos; p = s.find("\n\r", p + 2)) ++k;
    return k;
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("message " + std::to_string(c.n));
    const std::string filled = messageText(c.n, c.filledLanguage);
    const std::string other = messageText(c.n, c.filledLanguage == kGerman ? kEnglish : kGerman);
    EXPECT_FALSE(filled.empty());
    EXPECT_NE(filled, other);
    EXPECT_EQ(count(filled), c.lineBreaks);
    EXPECT_EQ(count(other), c.lineBreaks);
  }
}

TEST_F(LanguageTest, CaptionsAndDialogTitles) {
  selectGerman();
  EXPECT_EQ(captionText(MsgCaption::Question), "TAVREL.EXE - Was nun?");
  EXPECT_EQ(dialogTitle(DialogTitle::SavePlot), "TAVREL.EXE - Zeichnung als Datei speichern");
  EXPECT_EQ(dialogTitle(DialogTitle::SaveConstruction), "TAVREL.EXE - Konstruktionsdaten speichern");
  EXPECT_EQ(dialogTitle(DialogTitle::LoadConstruction), "TAVREL.EXE - Konstruktionsdaten laden");
  EXPECT_EQ(dialogTitle(DialogTitle::SaveTable), "TAVREL.EXE - Tabelle speichern");
  selectEnglish();
  EXPECT_EQ(captionText(MsgCaption::Question), "TAVREL.EXE - Question");
  EXPECT_EQ(captionText(MsgCaption::Error), "TAVREL.EXE - Error!");
  EXPECT_EQ(dialogTitle(DialogTitle::SavePlot), "TAVREL.EXE - Save as Graphics File");
  EXPECT_EQ(dialogTitle(DialogTitle::SaveConstruction), "TAVREL.EXE - Save Construction Data");
  EXPECT_EQ(dialogTitle(DialogTitle::LoadConstruction), "TAVREL.EXE - Load Construction Data");
  EXPECT_EQ(dialogTitle(DialogTitle::SaveTable), "TAVREL.EXE - Save Table");
}

TEST_F(LanguageTest, StringTableUsesTheOffsetOf2000ForEnglish) {
  selectGerman();
  EXPECT_EQ(loadString(70), "Diagramm der Zeitgleichung");
  EXPECT_EQ(loadString(6), "&Gnomon Höhe:");
  EXPECT_EQ(loadStringPlain(6), "Gnomon Höhe:");
  selectEnglish();
  EXPECT_EQ(loadString(70), "Diagram for Equation of Time");
  EXPECT_EQ(loadString(68), "Table of Local ApparentNoon");
  EXPECT_EQ(loadString(202), " Compressed Gnomonic Sundial ");
  EXPECT_EQ(loadString(566), "Sun on Sundial Plane: ");
  EXPECT_EQ(loadString(9), " &Next... >");
  EXPECT_EQ(loadStringPlain(9), " Next... >");
  EXPECT_EQ(loadStringPlain(6), "Gnomon Height");
  // The absolute keys: n German, n + 2000 English, whatever is selected.
  EXPECT_EQ(stringByKey(2070), "Diagram for Equation of Time");
  EXPECT_EQ(stringByKey(70), "Diagramm der Zeitgleichung");
  EXPECT_EQ(stringsList(610, 4),
            (std::vector<std::string>{"Winter to Summer", "Read Left to Right", "Summer to Winter",
                                      "Read Right to Left"}));
}

TEST_F(LanguageTest, MissingStringGivesTheEmptyText) {
  selectEnglish();
  EXPECT_EQ(loadString(7), "");
  EXPECT_EQ(loadString(99999), "");
  EXPECT_EQ(loadString(-5), "");
  EXPECT_EQ(loadStringPlain(7), "");
  EXPECT_EQ(stringByKey(2007), "");
  selectGerman();
  EXPECT_EQ(loadString(1999), "");
  const std::vector<std::string> list = stringsList(69, 3);  // 69, 70 exist, 71 not
  ASSERT_EQ(list.size(), 3u);
  EXPECT_EQ(list[2], "");
  EXPECT_TRUE(stringsList(69, 0).empty());
}

TEST_F(LanguageTest, EveryStringHasAtMost255CharactersAndBothLanguages) {
  const std::vector<int> keys = stringTableKeys();
  ASSERT_GE(keys.size(), 30u);
  for (int key : keys) {
    SCOPED_TRACE("string " + std::to_string(key));
    EXPECT_LT(key, 2000);
    const std::string german = stringByKey(key);
    const std::string english = stringByKey(key + 2000);
    EXPECT_FALSE(german.empty());
    EXPECT_FALSE(english.empty());
    EXPECT_LE(codePoints(german), 255);
    EXPECT_LE(codePoints(english), 255);
  }
}

TEST_F(LanguageTest, TextTableRowsAndLists) {
  selectEnglish();
  EXPECT_EQ(tableRowsList(125, 127),
            (std::vector<std::string>{"horizontal SUNDIAL", "vertical SUNDIAL", "inclining SUNDIAL"}));
  EXPECT_EQ(tableText(TextTable::Texts, textRow::kDegrees), " deg ");
  EXPECT_EQ(tableText(TextTable::Texts, textRow::kLatitudeIs), "Latitude = ");
  EXPECT_EQ(tableText(TextTable::Texts, textRow::kLongitudeIs), ", Longitude = ");
  EXPECT_EQ(tableText(TextTable::Texts, textRow::kApparentTimeZoneMeridian),
            " Apparent Time of zone meridian");
  EXPECT_EQ(tableText(TextTable::Texts, textRow::kGridWidthPrompt), "Width of grid (default=10 [mm] :");
  EXPECT_EQ(tableText(TextTable::Labels, labelRow::kSawyerFamily), "Sawyer Sundials");
  EXPECT_EQ(tableText(TextTable::Labels, labelRow::kHourLineAnglesTitle) +
                tableText(TextTable::Labels, labelRow::kInclinedSundialPart),
            "Angles of the Hour Lines in an Inclining Sundial");
  EXPECT_EQ(tableText(TextTable::Labels, labelRow::kRingFamily), "Ring Sundial (Farmers´ Ring) ");
  selectGerman();
  EXPECT_EQ(tableText(TextTable::Texts, textRow::kProjectionCentre), "Projektionszentrum: ");
  EXPECT_EQ(tableText(TextTable::Texts, textRow::kProjectionCentre, kEnglish), "projection center: ");
  // A missing row keeps its place in the list as an empty entry.
  const std::vector<std::string> list = tableRowsList(120, 122);
  ASSERT_EQ(list.size(), 3u);
  EXPECT_EQ(list[0], "Wahre Ortszeit");
  EXPECT_EQ(list[1], "");
  EXPECT_TRUE(tableRowsList(5, 4).empty());
  EXPECT_EQ(tableText(TextTable::Texts, 9999), "");
}

TEST_F(LanguageTest, MonthNamesInBothLanguages) {
  const char* german[] = {"Jan", "Feb", "Mar", "Apr", "Mai", "Jun",
                          "Jul", "Aug", "Sep", "Okt", "Nov", "Dez"};
  const char* english[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                           "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  for (int m = 1; m <= 12; ++m) {
    EXPECT_EQ(monthName(m, kGerman), german[m - 1]);
    EXPECT_EQ(monthName(m, kEnglish), english[m - 1]);
  }
  selectEnglish();
  EXPECT_EQ(monthName(10), "Oct");
  EXPECT_EQ(monthName(0), "");
  EXPECT_EQ(monthName(13), "");
}

// Every row of the work-text table has both forms, and the blocks that the
// windows, tables and plots index by enum are gapless.
TEST_F(LanguageTest, WorkTextBlocksAreCompleteInBothLanguages) {
  const std::vector<int> ids = tableRowIds(TextTable::WorkTexts);
  for (int r : ids) {
    EXPECT_FALSE(tableText(TextTable::WorkTexts, r, kGerman).empty()) << r;
    EXPECT_FALSE(tableText(TextTable::WorkTexts, r, kEnglish).empty()) << r;
  }
  struct Block { int first, count; };
  const Block blocks[] = {{workTextRow::kWindowFirst, 85}, {workTextRow::kTablesFirst, 68},
                          {workTextRow::kFullMonthFirst + 1, 12}, {workTextRow::kPlanarFirst, 18},
                          {workTextRow::kPlotFirst, 11}, {workTextRow::kDrawingFirst, 3}};
  for (const Block& b : blocks)
    for (int r = b.first; r < b.first + b.count; ++r)
      EXPECT_TRUE(std::binary_search(ids.begin(), ids.end(), r)) << "missing row " << r;
  EXPECT_EQ(tableText(TextTable::WorkTexts, workTextRow::kFullMonthFirst + 3, kGerman), "März");
  EXPECT_EQ(tableText(TextTable::WorkTexts, workTextRow::kFullMonthFirst + 3, kEnglish), "March");
}

// The from/to hour choices follow the language; the German form is the one
// the design record holds.
TEST_F(LanguageTest, HourChoicesFollowTheLanguage) {
  selectGerman();
  EXPECT_EQ(hourChoiceText(0), " 0  Uhr");
  EXPECT_EQ(hourChoiceText(8), " 8  Uhr");
  selectEnglish();
  EXPECT_EQ(hourChoiceText(8), " 8  o´clock");
  EXPECT_EQ(hourChoiceText(24), " 24  o´clock");
}

TEST_F(LanguageTest, MenuHas45CaptionsInEachLanguage) {
  const std::vector<int> ids = tableRowIds(TextTable::Menu);
  ASSERT_EQ(ids.size(), 45u);
  EXPECT_EQ(ids.front(), 0);
  EXPECT_EQ(ids.back(), 44);
  for (int r : ids) {
    EXPECT_FALSE(tableText(TextTable::Menu, r, kGerman).empty()) << r;
    EXPECT_FALSE(tableText(TextTable::Menu, r, kEnglish).empty()) << r;
  }
  EXPECT_EQ(tableText(TextTable::Menu, 0, kGerman), "  &Datei  ");
  EXPECT_EQ(tableText(TextTable::Menu, 7, kEnglish), "   &Options ");
  EXPECT_EQ(tableText(TextTable::Menu, 42, kGerman), "&Englisch");
  EXPECT_EQ(tableText(TextTable::Menu, 43, kGerman), "&Kurzanzeige Hinweise (Hints) ... ein/aus");
}

TEST_F(LanguageTest, PoleStyleAndExplanationTexts) {
  selectEnglish();
  EXPECT_EQ(tableText(TextTable::PoleStyle, poleStyleRow::kSubstyleShadow),
            "     Shadow on sub-style (local app.time):");
  EXPECT_EQ(tableText(TextTable::PoleStyle, poleStyleRow::kStyleParallel),
            "     Polar-pointing style parallel to face");
  EXPECT_EQ(tableText(TextTable::PoleStyle, poleStyleRow::kOClock), " o´clock");
  EXPECT_EQ(tableText(TextTable::Explanations, explanationRow::kPoleStyleFirst),
            "*  The polar-pointing style through the tip of the gnomon intersects the");
  EXPECT_EQ(tableText(TextTable::Explanations, explanationRow::kPoleStyleFirst + 9),
            "   the direction of the y-axis is upwards (counterclockwise).");
  EXPECT_EQ(tableRowIds(TextTable::Explanations).size(), 17u);
  for (int r = poleStyleRow::kZodiacFirst; r < poleStyleRow::kZodiacFirst + 12; ++r) {
    EXPECT_FALSE(tableText(TextTable::PoleStyle, r, kGerman).empty()) << r;
    EXPECT_FALSE(tableText(TextTable::PoleStyle, r, kEnglish).empty()) << r;
  }
  // The German lines of the information keep the columns of the English ones.
  for (int r = poleStyleRow::kLatitude; r <= poleStyleRow::kSubstyleShadow; ++r) {
    const std::string english = tableText(TextTable::PoleStyle, r, kEnglish);
    if (english.back() != ':') continue;
    EXPECT_EQ(codePoints(tableText(TextTable::PoleStyle, r, kGerman)), codePoints(english)) << r;
  }
}

TEST_F(LanguageTest, DialTypeListHasFourteenEntries) {
  for (int r = 0; r <= 13; ++r) {
    EXPECT_FALSE(tableText(TextTable::DialTypes, r, kGerman).empty()) << r;
    EXPECT_FALSE(tableText(TextTable::DialTypes, r, kEnglish).empty()) << r;
  }
  EXPECT_EQ(tableText(TextTable::DialTypes, 14, kEnglish), "");
  EXPECT_EQ(tableText(TextTable::DialTypes, dialTypeRow::kUmbrellaKindFirst + 1, kGerman),
            " geneigte Pultebene");
  EXPECT_EQ(tableText(TextTable::DialTypes, dialTypeRow::kUmbrellaKindFirst + 2, kEnglish),
            "  vertical ");
}

// --- setLanguage -----------------------------------------------------------

class SetLanguageTest : public LanguageTest {
 protected:
  void SetUp() override {
    LanguageTest::SetUp();
    dir_ = fs::temp_directory_path() /
           ("tavrel_language_test_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
            "_" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
    design().exeDirectory = dir_.string() + "/";
    design().useHtmlHelp = true;
  }
  void TearDown() override {
    fs::remove_all(dir_);
    LanguageTest::TearDown();
  }
  void createHelpFile(const std::string& name) { std::ofstream(dir_ / name) << "help"; }

  fs::path dir_;
};

TEST_F(SetLanguageTest, SwitchesFieldsAndTextsWithoutBoxWhenHelpFileExists) {
  createHelpFile("tavrel_e.chm");
  createHelpFile("tavrel_d.chm");
  ScopedScriptedPlatform p;

  EXPECT_TRUE(setLanguage(false));
  EXPECT_FALSE(design().germanSelected);
  EXPECT_EQ(design().language, 2);
  EXPECT_EQ(design().stringOffset, 2000);
  EXPECT_EQ(design().helpFileName, design().exeDirectory + "tavrel_e.chm");
  EXPECT_EQ(messageText(1), "Action cancelled!");
  EXPECT_EQ(loadString(308), "local time");
  EXPECT_EQ(captionText(MsgCaption::Warning), "TAVREL.EXE - Warning!");

  EXPECT_TRUE(setLanguage(true));
  EXPECT_TRUE(design().germanSelected);
  EXPECT_EQ(design().language, 1);
  EXPECT_EQ(design().stringOffset, 0);
  EXPECT_EQ(design().helpFileName, design().exeDirectory + "tavrel_d.chm");
  EXPECT_EQ(messageText(1), "Aktion abgebrochen!");
  EXPECT_EQ(loadString(308), "Ortszeit");

  EXPECT_TRUE(p->boxes.empty());
}

TEST_F(SetLanguageTest, MissingHelpFileGivesInformationBoxWithQuestionIcon) {
  ScopedScriptedPlatform p;
  design().useHtmlHelp = false;
  EXPECT_FALSE(setLanguage(false));
  const std::string path = design().exeDirectory + "tavrel_e.hlp";
  EXPECT_EQ(design().helpFileName, path);
  EXPECT_EQ(design().language, 2);  // the switch itself still happens
  ASSERT_EQ(p->boxes.size(), 1u);
  EXPECT_EQ(p->boxes[0].caption, MsgCaption::Information);
  EXPECT_EQ(p->boxes[0].icon, MsgIcon::Question);
  EXPECT_EQ(p->boxes[0].buttons, MsgButtons::Ok);
  EXPECT_EQ(p->boxes[0].captionText, "TAVREL.EXE - Information!");
  EXPECT_EQ(p->boxes[0].text,
            "Help file " + path + " not found!\r\nTherefore no help information included!");

  // Once per switch: German with its older help file present gives no box.
  createHelpFile("tavrel.hlp");
  EXPECT_TRUE(setLanguage(true));
  EXPECT_EQ(design().helpFileName, design().exeDirectory + "tavrel.hlp");
  EXPECT_EQ(p->boxes.size(), 1u);
}

// An installed program lives in <prefix>/bin with its files in
// <prefix>/share/tavrel; a program in a build folder has them beside it.
// Where the help file is decides where the record points and whether the
// switch reports it missing.
TEST_F(SetLanguageTest, HelpFileFoundBesideTheProgramOrInItsShareFolder) {
  struct Case {
    const char* what;
    bool besideProgram;
    bool inShare;
    const char* expectedFolder;  // relative to the prefix
  };
  const Case cases[] = {
      {"build folder", true, false, "bin/"},
      {"installed", false, true, "share/tavrel/"},
      {"both: the program's own folder first", true, true, "bin/"},
      {"neither: named beside the program", false, false, "bin/"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const fs::path prefix = dir_ / "prefix";
    fs::remove_all(prefix);
    fs::create_directories(prefix / "bin");
    fs::create_directories(prefix / "share" / "tavrel");
    if (c.besideProgram) std::ofstream(prefix / "bin" / "tavrel_e.chm") << "help";
    if (c.inShare) std::ofstream(prefix / "share" / "tavrel" / "tavrel_e.chm") << "help";
    design().exeDirectory = (prefix / "bin").string() + "/";
    ScopedScriptedPlatform p;

    EXPECT_EQ(setLanguage(false), c.besideProgram || c.inShare);
    EXPECT_EQ(design().helpFileName, prefix.string() + "/" + c.expectedFolder + "tavrel_e.chm");
    EXPECT_EQ(p->boxes.size(), c.besideProgram || c.inShare ? 0u : 1u);
  }
}

TEST(HelpFileNames, ByLanguageAndFormat) {
  EXPECT_EQ(helpFileBaseName(true, true), "tavrel_d.chm");
  EXPECT_EQ(helpFileBaseName(false, true), "tavrel_e.chm");
  EXPECT_EQ(helpFileBaseName(true, false), "tavrel.hlp");
  EXPECT_EQ(helpFileBaseName(false, false), "tavrel_e.hlp");
}

// --- The table generator ---------------------------------------------------

class ResgenTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           (std::string("tavrel_resgen_test_") +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }

  // Runs the generator on one table; returns its exit status and fills the
  // generated source and the error text.
  int run(const std::string& tsv, int maxLength) {
    const fs::path in = dir_ / "t.tsv";
    std::ofstream(in, std::ios::binary) << tsv;
    const fs::path out = dir_ / "out.cpp";
    const fs::path err = dir_ / "err.txt";
    const std::string cmd = std::string("\"") + TAVREL_RESGEN_PATH + "\" \"" + out.string() +
                            "\" kTest \"" + in.string() + "\" " + std::to_string(maxLength) +
                            " 2> \"" + err.string() + "\"";
    const int status = std::system(cmd.c_str());
    generated_ = slurp(out);
    errors_ = slurp(err);
    return status;
  }
  static std::string slurp(const fs::path& p) {
    std::ifstream f(p, std::ios::binary);
    std::ostringstream s;
    s << f.rdbuf();
    return s.str();
  }

  fs::path dir_;
  std::string generated_;
  std::string errors_;
};

TEST_F(ResgenTest, UnescapesAndSortsRows) {
  ASSERT_EQ(run("# comment\n\n7\tb\\s\t\\sx\\n\\r\"q\"\\\\\n3\tä\tz\r\n", 0), 0) << errors_;
  // Row 3 before row 7; "ä" as octal bytes; blanks, LF, CR, quote, backslash.
  const std::size_t row3 = generated_.find("{3, \"\\303\\244\", \"z\"}");
  const std::size_t row7 = generated_.find("{7, \"b \", \" x\\012\\015\\\"q\\\"\\\\\"}");
  EXPECT_NE(row3, std::string::npos) << generated_;
  EXPECT_NE(row7, std::string::npos) << generated_;
  EXPECT_LT(row3, row7);
  EXPECT_NE(generated_.find("const Table kTest{kTestRows, 2};"), std::string::npos);
}

TEST_F(ResgenTest, RejectsMalformedTables) {
  struct Case {
    const char* tsv;
    int maxLength;
    const char* reason;
  };
  const std::string long256(256, 'x');
  const std::string row256 = "1\tok\t" + long256 + "\n";
  const std::string row255 = "1\tok\t" + std::string(255, 'x') + "\n";
  const Case cases[] = {
      {"1\tonly two\n", 0, "t.tsv:1: expected 3 tab-separated cells"},
      {"1\ta\tb\tc\n", 0, "t.tsv:1: expected 3"},
      {"x\ta\tb\n", 0, "t.tsv:1: the id"},
      {"1\ta\\qb\tc\n", 0, "t.tsv:1: unknown escape \\q"},
      {"1\ta\tb\\\n", 0, "t.tsv:1: backslash at the end"},
      {"# head\n1\ta\tb\n1\tc\td\n", 0, "t.tsv:3: id 1 also stands in line 2"},
      {"1\ta\t\xC3(\n", 0, "t.tsv:1: text is not valid UTF-8"},
      {row256.c_str(), 255, "t.tsv:1: text has 256 characters, at most 255"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.reason);
    EXPECT_NE(run(c.tsv, c.maxLength), 0);
    EXPECT_NE(errors_.find(c.reason), std::string::npos) << errors_;
  }
  // 255 characters pass; the limit counts characters, not bytes.
  EXPECT_EQ(run(row255, 255), 0) << errors_;
  std::string umlauts;
  for (int i = 0; i < 255; ++i) umlauts += "ü";
  EXPECT_EQ(run("1\tok\t" + umlauts + "\n", 255), 0) << errors_;
}

}  // namespace
}  // namespace tavrel
