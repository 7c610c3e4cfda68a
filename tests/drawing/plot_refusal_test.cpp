// What the save route writes for every dial family: a design a family
// refuses leaves no file behind (no plot, no DXF, no temporary file, an
// older file untouched), is said once and is never reported as saved;
// every other design of every family and variant, in both languages,
// writes a plot and a DXF in plain ASCII.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "core/design_state.h"
#include "core/scripted_platform.h"
#include "dials/dial_family.h"
#include "drawing/drawing_controller.h"
#include "drawing/save_route.h"
#include "plot/recording_canvas.h"
#include "tests/dials/plot_file_test_util.h"
#include "tests/plot/plot_test_util.h"
#include "tests/core/language_choice.h"

namespace tavrel {
namespace {

namespace fs = std::filesystem;

using testing::readWholeFile;

class PlotRefusalTest : public ::testing::Test {
 protected:
  void SetUp() override { reset(2); }

  // The start-up record, in German (1) or English (2), with the dial's
  // plot alone (no world map) and expert mode for the expert families.
  void reset(int language) {
    DesignState& d = testing::startEnglishDesign(2020);
    useLanguage(language);
    d.expertModeActive = true;
    d.mapOverlay = false;
  }
  // An empty folder for the next save.
  void emptyFolder() {
    fs::remove_all(dir_.path());
    fs::create_directories(dir_.path());
  }

  // Saves the design's dial as the drawing window does after activation
  // on a 1600 x 1000 picture, under `name` in the test's folder.
  SaveResult save(PlotTarget target, const std::string& name) {
    RecordingCanvas picture;
    DrawingController controller(picture);
    controller.applyActivationDefaults(1600, 1000);
    DrawingWindowState& state = controller.state();
    SavePanel panel;
    if (!openSavePanel(state, panel, target)) return SaveResult::Cancelled;
    state.plotFileName = file(name);
    SaveChoices choices;
    choices.askFileName = false;
    choices.grid = PlotGrid::Off;
    // The angle table is computed before the first construction of the dials that read it.
    const bool usesAngles = dialHas(design(), kCapUsesAngleTable);
    HourLineAngleTable angles;
    if (usesAngles) angles = computeHourLineAngles(design());
    return savePlot(state, panel, 1.0, usesAngles ? &angles : nullptr, {}, choices);
  }

  std::string file(const std::string& name) const { return dir_.file(name); }
  std::vector<std::string> files() const {
    std::vector<std::string> names = dir_.names();
    std::sort(names.begin(), names.end());
    return names;
  }

  testing::ScratchDir dir_;
  ScopedScriptedPlatform platform_;
};

// ---- refusals -------------------------------------------------------------

struct RefusalCase {
  const char* name;
  void (*apply)(DesignState&);
  MsgCaption caption;
  const char* english;  // the start of the one box (English texts)
};

// The refusals of the families, each as the screen construction refuses
// it too: temporal hours beyond the latitude where the sun still rises and
// sets every day (65 degrees for the altitude dials, 66 for the azimuthal
// date circles), the Habermel dials south of the equator, cone angles
// that make no cone, foci more than 160 degrees apart, and latitudes
// within 29 degrees of the equator for the Peaucellier and Sawyer dials.
const RefusalCase kRefusals[] = {
    {"shepherd's dial 70 N temporal",
     [](DesignState& d) { d.dialKind = 'z', d.cylinderVariant = 0, d.latitude = 70, d.temporalHourLines = true; },
     MsgCaption::Error, "Temporal hours are not possible in this latitude!"},
    {"hat dial 66 N temporal",
     [](DesignState& d) { d.dialKind = 'z', d.cylinderVariant = 1, d.latitude = 66, d.temporalHourLines = true; },
     MsgCaption::Error, "Temporal hours are not possible in this latitude!"},
    {"polar-style cylinder 70 S temporal",
     [](DesignState& d) { d.dialKind = 'z', d.cylinderVariant = 2, d.latitude = -70, d.temporalHourLines = true; },
     MsgCaption::Error, "Temporal hours are not possible in this latitude!"},
    {"hidokai 70 N temporal",
     [](DesignState& d) { d.dialKind = 'k', d.latitude = 70, d.temporalHours = true; },
     MsgCaption::Error, "Temporal hours are not possible in this latitude!"},
    {"quadrant page 70 N temporal",
     [](DesignState& d) { d.dialKind = 'q', d.quadrantVariant = 0, d.zodiacScale = 0, d.latitude = 70, d.temporalHours = true; },
     MsgCaption::Error, "Temporal hours are not possible in this latitude!"},
    {"Gunter's quadrant 70 N temporal",
     [](DesignState& d) { d.dialKind = 'q', d.quadrantVariant = 0, d.zodiacScale = 2, d.latitude = 70, d.temporalHours = true; },
     MsgCaption::Error, "Temporal hours are not possible in this latitude!"},
    {"ring dial 70 N temporal",
     [](DesignState& d) { d.dialKind = 'r', d.latitude = 70, d.temporalHours = true; },
     MsgCaption::Error, "Temporal hours are not possible in this latitude!"},
    {"azimuthal date circles 70 N temporal",
     [](DesignState& d) { d.dialKind = 'a', d.azimuthDialKind = 0, d.latitude = 70, d.temporalHourLines = true; },
     MsgCaption::Error, "Temporal hours are not possible in this latitude!"},
    {"Habermel dial I 34 S",
     [](DesignState& d) { d.dialKind = 'q', d.quadrantVariant = 1, d.latitude = -34; },
     MsgCaption::Problem, "Die Berechnung erfolgt nur f\xC3\xBCr n\xC3\xB6rdliche Geogr. Breiten"},
    {"Habermel dial II 34 S",
     [](DesignState& d) { d.dialKind = 'q', d.quadrantVariant = 2, d.latitude = -34; },
     MsgCaption::Problem, "Die Berechnung erfolgt nur f\xC3\xBCr n\xC3\xB6rdliche Geogr. Breiten"},
    {"Hollander alpha = psi",
     [](DesignState& d) { d.dialKind = 'm', d.coneAxisInclination = 47, d.coneHalfAngle = 47; },
     MsgCaption::Error, "Input error!\r\nThe angles alfa=47.00 and psi=47.00"},
    {"Hollander apex angle",
     [](DesignState& d) { d.dialKind = 'm', d.coneAxisInclination = 120, d.coneHalfAngle = 70; },
     MsgCaption::Error, "The angle at the cone apex is too large"},
    {"bi-azimuthal foci 160+ degrees apart",
     [](DesignState& d) { d.dialKind = 'c', d.latitude = 47, d.longitude = -9, d.latitude2 = -40, d.longitude2 = 170; },
     MsgCaption::Problem, "The distance of the focus points is to large.\nThe construction is not calculated!"},
    {"Peaucellier 20 N",
     [](DesignState& d) { d.dialKind = 'p', d.latitude = 20; },
     MsgCaption::Error, "No constructions for latitudes in between -29 deg < latitude < + 29 deg"},
    {"Sawyer 20 S",
     [](DesignState& d) { d.dialKind = 'w', d.latitude = -20; },
     MsgCaption::Error, "No constructions for latitudes in between -29 deg < latitude"},
};

TEST_F(PlotRefusalTest, RefusedDesignsWriteNothingAndSaySoOnce) {
  const std::string older = "IN;SP 1;PU 0 0;PD 400 0;SP 0;";
  for (const RefusalCase& c : kRefusals) {
    for (PlotTarget target : {PlotTarget::Hpgl, PlotTarget::Dxf}) {
      const bool dxf = target == PlotTarget::Dxf;
      SCOPED_TRACE(std::string(c.name) + (dxf ? " (DXF)" : " (HPGL)"));
      reset(2);
      c.apply(design());
      const std::string name = dxf ? "dial.dxf" : "dial.plt";
      for (bool existing : {false, true}) {
        SCOPED_TRACE(existing ? "over an older file" : "new file");
        emptyFolder();
        if (existing) std::ofstream(file(name), std::ios::binary) << older;
        platform_->boxes.clear();
        EXPECT_EQ(save(target, name), SaveResult::Refused);
        // Nothing written: no plot, no DXF, no temporary file.
        EXPECT_EQ(files(), existing ? std::vector<std::string>{name} : std::vector<std::string>{});
        if (existing) {
          EXPECT_EQ(readWholeFile(file(name)), older);
        }
        // The refusal, once; never "saved", never a converter message.
        ASSERT_EQ(platform_->boxes.size(), 1u);
        EXPECT_EQ(platform_->boxes[0].caption, c.caption);
        EXPECT_EQ(platform_->boxes[0].text.rfind(c.english, 0), 0u) << platform_->boxes[0].text;
      }
    }
  }
}

// The same designs one step inside the limits are plotted: the refusal
// is the limit's, not the family's.
TEST_F(PlotRefusalTest, DesignsInsideTheLimitsAreSaved) {
  struct Inside {
    const char* name;
    void (*apply)(DesignState&);
  };
  const Inside cases[] = {
      {"shepherd's dial 65 N temporal",
       [](DesignState& d) { d.dialKind = 'z', d.cylinderVariant = 0, d.latitude = 65, d.temporalHourLines = true; }},
      {"ring dial 65 N temporal", [](DesignState& d) { d.dialKind = 'r', d.latitude = 65, d.temporalHours = true; }},
      {"Habermel dial I on the equator", [](DesignState& d) { d.dialKind = 'q', d.quadrantVariant = 1, d.latitude = 0; }},
      {"bi-azimuthal foci 150 degrees apart",
       [](DesignState& d) { d.dialKind = 'c', d.latitude = 0, d.longitude = 0, d.latitude2 = 0, d.longitude2 = 150; }},
      {"Peaucellier 29 S", [](DesignState& d) { d.dialKind = 'p', d.latitude = -29; }},
  };
  for (const Inside& c : cases) {
    SCOPED_TRACE(c.name);
    reset(2);
    c.apply(design());
    platform_->boxes.clear();
    ASSERT_EQ(save(PlotTarget::Hpgl, "dial.plt"), SaveResult::Saved);
    EXPECT_GT(readWholeFile(file("dial.plt")).size(), 500u);
    ASSERT_FALSE(platform_->boxes.empty());
    EXPECT_NE(platform_->boxes.back().text.find("File dial.plt saved!"), std::string::npos);
  }
}

// ---- ASCII plots ----------------------------------------------------------

// The variants each family row offers beyond its kind letters, with the
// options that add texts to the plot.
struct PlotVariant {
  const char* family;  // DialFamily::id
  const char* name;
  void (*apply)(DesignState&);
};

const PlotVariant kVariants[] = {
    {"planar", "every line family",
     [](DesignState& d) {
       d.temporalHours = d.babylonianHours = d.italianHours = d.sunAltitudeLines = true;
       d.withEot = d.markAnalemma = d.drawPoleTriangle = true;
     }},
    {"planar", "umbrella", [](DesignState& d) { d.umbrellaMode = true; }},
    {"planar", "inclined 60", [](DesignState& d) { d.planeInclination = 60, d.wallDeclination = -20; }},
    {"cylinder", "shepherd's dial",
     [](DesignState& d) { d.cylinderVariant = 0, d.temporalHourLines = true, d.sunAltitudeLines = true; }},
    {"cylinder", "shepherd's dial, other month scale",
     [](DesignState& d) { d.cylinderVariant = 0, d.halfYearMonthScale = !d.halfYearMonthScale; }},
    {"cylinder", "hat dial", [](DesignState& d) { d.cylinderVariant = 1; }},
    {"cylinder", "polar style", [](DesignState& d) { d.cylinderVariant = 2; }},
    {"hidokai", "with wall", [](DesignState& d) { d.withVerticalDial = true, d.temporalHours = true; }},
    {"quadrant", "calendar scale", [](DesignState& d) { d.quadrantVariant = 0, d.zodiacScale = 0; }},
    {"quadrant", "declination scale, 34 S", [](DesignState& d) { d.quadrantVariant = 0, d.zodiacScale = 1, d.latitude = -34; }},
    {"quadrant", "Gunter's quadrant", [](DesignState& d) { d.quadrantVariant = 0, d.zodiacScale = 2; }},
    {"quadrant", "Habermel dial I", [](DesignState& d) { d.quadrantVariant = 1; }},
    {"quadrant", "Habermel dial II", [](DesignState& d) { d.quadrantVariant = 2; }},
    {"azimuthal", "date circles", [](DesignState& d) { d.azimuthDialKind = 0; }},
    {"azimuthal", "zodiac scale, 34 S", [](DesignState& d) { d.azimuthDialKind = 0, d.zodiacScale = 1, d.latitude = -34; }},
    {"azimuthal", "dome", [](DesignState& d) { d.azimuthDialKind = 1, d.azimuthHeightMode = 0; }},
    {"azimuthal", "orthographic", [](DesignState& d) { d.azimuthDialKind = 1, d.azimuthHeightMode = 1; }},
    {"azimuthal", "stereographic", [](DesignState& d) { d.azimuthDialKind = 1, d.azimuthHeightMode = 2; }},
    {"ring", "temporal hours", [](DesignState& d) { d.temporalHours = true; }},
    {"bi-azimuthal", "vertical B", [](DesignState& d) { d.latitude2 = 40.42, d.longitude2 = 3.7, d.secondPlaneVertical = true; }},
    {"Hollander", "horizontal", [](DesignState& d) { d.hollanderVariant = 0; }},
    {"Hollander", "vertical", [](DesignState& d) { d.hollanderVariant = 1, d.wallDeclination = 10; }},
    {"Hollander", "inclined", [](DesignState& d) { d.hollanderVariant = 2, d.planeInclination = 60; }},
    {"Peaucellier", "34 S", [](DesignState& d) { d.latitude = -34; }},
    {"Sawyer", "48 N", [](DesignState& d) { d.latitude = 48; }},
};

// Bytes above 127 in a file, as "offset: bytes" of the first one.
std::string firstNonAscii(const std::string& text) {
  for (std::size_t i = 0; i < text.size(); ++i)
    if (static_cast<unsigned char>(text[i]) > 127)
      return std::to_string(i) + ": ..." + text.substr(i > 30 ? i - 30 : 0, 60) + "...";
  return {};
}

// Every family of the table, each of its kind letters with the default
// design and with each variant listed for it, in German and in English:
// the plot, the DXF made from it and any file written beside (the cone of
// the Hollander dial) hold ASCII only.
TEST_F(PlotRefusalTest, EveryPlotAndDxfIsAscii) {
  std::set<std::string> plotted;
  for (const DialFamily& family : dialFamilies()) {
    if (!family.plots()) continue;
    std::vector<const PlotVariant*> variants{nullptr};
    for (const PlotVariant& v : kVariants)
      if (family.id == std::string(v.family)) variants.push_back(&v);
    for (const DialKindEntry& kind : family.kinds) {
      for (const PlotVariant* v : variants) {
        for (int language : {1, 2}) {
          for (PlotTarget target : {PlotTarget::Hpgl, PlotTarget::Dxf}) {
            const bool dxf = target == PlotTarget::Dxf;
            SCOPED_TRACE(std::string(family.id) + " '" + kind.letter + "' " + (v ? v->name : "default") +
                         (language == 1 ? " de" : " en") + (dxf ? " DXF" : " HPGL"));
            reset(language);
            design().dialKind = kind.letter;
            if (v) v->apply(design());
            emptyFolder();
            const std::string name = dxf ? "dial.dxf" : "dial.plt";
            ASSERT_EQ(save(target, name), SaveResult::Saved);
            ASSERT_TRUE(fs::exists(file(name)));
            for (const std::string& f : files()) {
              const std::string text = readWholeFile(file(f));
              EXPECT_GT(text.size(), 200u) << f;
              EXPECT_EQ(firstNonAscii(text), "") << f;
            }
            plotted.insert(family.id);
          }
        }
      }
    }
  }
  // Every family with a plot was plotted, and the variants name none
  // that the table lacks.
  const auto plotting = std::count_if(dialFamilies().begin(), dialFamilies().end(),
                                      [](const DialFamily& f) { return f.plots(); });
  EXPECT_EQ(plotted.size(), static_cast<std::size_t>(plotting));
  EXPECT_GE(plotted.size(), 10u);
  for (const PlotVariant& v : kVariants) EXPECT_TRUE(plotted.count(v.family)) << v.family;
}

// The labels that carried non-ASCII characters keep their words: the
// acute accent of "Shepherds´ Dial" and "Farmers´ Ring" becomes an
// apostrophe, the degree sign of the bi-azimuthal texts "deg", and the
// DXF converted from the plot has the same texts.
TEST_F(PlotRefusalTest, LabelsAreSpelledInAscii) {
  struct Spelling {
    void (*apply)(DesignState&);
    const char* text;
  };
  const Spelling cases[] = {
      {[](DesignState& d) { d.dialKind = 'z', d.cylinderVariant = 0; }, "(Shepherds' Dial)"},
      {[](DesignState& d) { d.dialKind = 'r'; }, "Ring Dial (Farmers' Ring):"},
      {[](DesignState& d) { d.dialKind = 'm'; }, "Hollander's Mean Time Sundial"},
      {[](DesignState& d) { d.dialKind = 'c', d.latitude = 47.25, d.longitude = -9.59, d.latitude2 = 40.42, d.longitude2 = 3.7; },
       "A( 47.25deg /-9.59deg),"},
  };
  for (const Spelling& c : cases) {
    SCOPED_TRACE(c.text);
    reset(2);
    c.apply(design());
    ASSERT_EQ(save(PlotTarget::Hpgl, "dial.plt"), SaveResult::Saved);
    EXPECT_NE(readWholeFile(file("dial.plt")).find(c.text), std::string::npos);
    ASSERT_EQ(save(PlotTarget::Dxf, "dial.dxf"), SaveResult::Saved);
    EXPECT_NE(readWholeFile(file("dial.dxf")).find(c.text), std::string::npos);
  }
}

}  // namespace
}  // namespace tavrel
