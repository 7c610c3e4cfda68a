// The family table: every kind letter of the record has one row, every
// position of the dial-type list one family, and the drawing window's
// title of every row and variant reads right in both languages.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>

#include "core/design_fields.h"
#include "core/design_state.h"
#include "core/dial_kinds.h"
#include "core/scripted_platform.h"
#include "astro/startup.h"
#include "dials/dial_family.h"
#include "dials/dial_type_rules.h"

namespace tavrel {
namespace {

class DialFamilyTest : public ::testing::Test {
 protected:
  void SetUp() override { startProgram(); }
  ScopedScriptedPlatform platform;
};

TEST_F(DialFamilyTest, EveryLetterAndEntryHasOneRow) {
  const std::string letters = "hviqazkrcmwpo";  // the letters the record accepts
  std::multiset<char> claimed;
  std::multiset<int> entries;
  for (const DialFamily& f : dialFamilies()) {
    for (const DialKindEntry& k : f.kinds) {
      claimed.insert(k.letter);
      entries.insert(k.entry);
    }
    if (f.umbrellaEntry >= 0) entries.insert(f.umbrellaEntry);
  }
  for (char c : letters) EXPECT_EQ(claimed.count(c), 1u) << c;
  EXPECT_EQ(claimed.size(), letters.size());
  EXPECT_EQ(dialTypeEntryCount(), 14);
  for (int e = 0; e < dialTypeEntryCount(); ++e) EXPECT_EQ(entries.count(e), 1u) << e;
  // Planar is the first row; every family is built. Every row has a plot
  // but the ham dial's, which has none.
  ASSERT_FALSE(dialFamilies().empty());
  EXPECT_STREQ(dialFamilies().front().id, "planar");
  for (const DialFamily& f : dialFamilies()) {
    const std::string id = f.id;
    EXPECT_NE(f.draw, nullptr) << f.id;
    EXPECT_EQ(f.plots(), id != "ham") << f.id;
  }
}

struct TitleCase {
  char kind;
  bool umbrella;
  int cylinderVariant;
  const char* english;
  const char* german;
};

// The title is "Construction of a" / "Konstruktion einer" followed by the
// dial's part; the part brings its own blank (or "n " for "an").
const TitleCase kTitles[] = {
    {'h', false, 0, "Construction of a Horizontal Sundial", "Konstruktion einer horizontalen Sonnenuhr"},
    {'v', false, 0, "Construction of a Vertical Sundial", "Konstruktion einer vertikalen Sonnenuhr"},
    {'i', false, 0, "Construction of an Inclining Sundial", "Konstruktion einer geneigten Sonnenuhr"},
    {'h', true, 0, "Construction of an Umbrella Dial", "Konstruktion einer Schirm-Sonnenuhr"},
    {'v', true, 0, "Construction of an Umbrella Dial", "Konstruktion einer Schirm-Sonnenuhr"},
    {'q', false, 0, "Construction of a Quadrant Sundial", "Konstruktion einer Quadranten-Sonnenuhr"},
    {'a', false, 0, "Construction of an Azimuthal Sundial", "Konstruktion einer azimutalen Sonnenuhr"},
    {'z', false, 0, "Construction of a Cylinder Sundial (Shepherds´ Dial)",
     "Konstruktion einer Zylindersonnenuhr (Hirtenuhr)"},
    {'z', false, 1, "Construction of a Cylinder Sundial (Hat Dial)", "Konstruktion einer Zylindersonnenuhr (Hutuhr)"},
    {'z', false, 2, "Construction of a Cylinder Sundial (Polar Style)",
     "Konstruktion einer Zylindersonnenuhr (Polstab)"},
    {'k', false, 0, "Construction of a horizontal elevation Sundial",
     "Konstruktion einer horizontalen Höhensonnenuhr"},
    {'r', false, 0, "Construction of a Ring Sundial", "Konstruktion einer Ringsonnenuhr"},
    {'c', false, 0, "Construction of a Biazimuthal (compressed) Sundial",
     "Konstruktion einer biazimutalen (komprimierten) Sonnenuhr"},
    {'m', false, 0, "Construction of a Sundial for Mean Time", "Konstruktion einer Sonnenuhr für mittlere Zeit"},
    {'w', false, 0, "Construction of a Sawyer Sundial", "Konstruktion einer Sawyer-Sonnenuhr"},
    {'p', false, 0, "Construction of a Peaucellier-Azimuthal Sundial",
     "Konstruktion einer Peaucellier-Azimutalsonnenuhr"},
    {'o', false, 0, "Construction of a Ham Dial", "Konstruktion einer Schinkensonnenuhr"},
};

TEST_F(DialFamilyTest, DrawingWindowTitlesInBothLanguages) {
  std::set<char> covered;
  for (const TitleCase& c : kTitles) {
    DesignState& d = design();
    d.dialKind = c.kind;
    d.umbrellaMode = c.umbrella;
    d.cylinderVariant = static_cast<std::uint8_t>(c.cylinderVariant);
    EXPECT_EQ(drawingWindowTitle(d, 2), c.english) << c.kind;
    EXPECT_EQ(drawingWindowTitle(d, 1), c.german) << c.kind;
    covered.insert(c.kind);
  }
  // Every row of the table has its titles checked.
  for (const DialFamily& f : dialFamilies())
    for (const DialKindEntry& k : f.kinds) EXPECT_TRUE(covered.count(k.letter)) << k.letter;
}

// The queries the windows use answer per family and variant.
TEST_F(DialFamilyTest, CapabilitiesFollowVariants) {
  DesignState& d = design();
  d.dialKind = 'v';
  d.umbrellaMode = false;
  EXPECT_TRUE(dialHas(d, kCapAngleTable));
  EXPECT_TRUE(dialHas(d, kCapWorldMap));
  d.umbrellaMode = true;
  EXPECT_FALSE(dialHas(d, kCapAngleTable));
  EXPECT_FALSE(dialHas(d, kCapWorldMap));
  EXPECT_TRUE(dialHas(d, kCapCoordinates));
  EXPECT_EQ(parameterPageOf(d), "umbrella");
  d.umbrellaMode = false;
  d.dialKind = 'z';
  d.cylinderVariant = 0;
  EXPECT_FALSE(dialHas(d, kCapGnomonFoot));
  d.cylinderVariant = 2;
  EXPECT_TRUE(dialHas(d, kCapGnomonFoot));
  d.dialKind = 'm';
  d.expertModeActive = false;
  EXPECT_EQ(parameterPageOf(d), "planar");
  dialKindForExpertMode(d);
  EXPECT_EQ(d.dialKind, 'h');
  d.dialKind = '?';
  EXPECT_EQ(dialCapabilities(d), 0u);
  EXPECT_FALSE(dialPlottable(d));
  d.dialKind = 'o';
  EXPECT_FALSE(dialPlottable(d));
  // No foot, no text anchor (its clicks mark hour points); its own fields
  // on the planar page.
  EXPECT_EQ(dialCapabilities(d), 0u);
  EXPECT_EQ(parameterPageOf(d), "planar");
  EXPECT_EQ(parameterPageSection(d), "ham");
  d.dialKind = 'w';
  EXPECT_TRUE(dialPlottable(d));
  EXPECT_EQ(dialTypeEntries(false).size(), 12u);
  EXPECT_EQ(dialTypeEntries(true).size(), 14u);
  // The Sawyer page serves the Sawyer and the Peaucellier dial.
  EXPECT_EQ(parameterPageKinds("sawyer"), "wp");
  d.dialKind = 'p';
  EXPECT_EQ(parameterPageKindIndex(d), 1);
  selectParameterPageKind(d, 0);
  EXPECT_EQ(d.dialKind, 'w');
}

// The record and the settings reader accept exactly the letters the table
// claims: a letter no row claims is refused by --set and ignored by the
// settings reader, which keeps the kind it had.
TEST_F(DialFamilyTest, KindLettersComeFromTheTable) {
  std::string claimed;
  for (const DialFamily& f : dialFamilies())
    for (const DialKindEntry& k : f.kinds) claimed += k.letter;
  std::string known = knownDialKinds();
  std::sort(claimed.begin(), claimed.end());
  std::sort(known.begin(), known.end());
  EXPECT_EQ(known, claimed);
  DesignState& d = design();
  d.dialKind = 'r';
  EXPECT_TRUE(setDesignField(d, "dialKind", "x").has_value());
  EXPECT_EQ(d.dialKind, 'r');
  EXPECT_FALSE(setDesignField(d, "dialKind", "q").has_value());
  EXPECT_EQ(d.dialKind, 'q');
}

}  // namespace
}  // namespace tavrel
