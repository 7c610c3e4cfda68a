#include <gtest/gtest.h>

#include <sstream>

#include "core/batch_platform.h"
#include "core/design_state.h"
#include "core/platform.h"
#include "core/language.h"
#include "core/scripted_platform.h"

namespace tavrel {
namespace {

TEST(PlatformTest, CaptionsInBothLanguages) {
  struct Case {
    MsgCaption caption;
    const char* german;
    const char* english;
  };
  const Case cases[] = {
      {MsgCaption::Warning, "TAVREL.EXE - Warnung!", "TAVREL.EXE - Warning!"},
      {MsgCaption::Error, "TAVREL.EXE - Fehler!", "TAVREL.EXE - Error!"},
      {MsgCaption::Information, "TAVREL.EXE - Information!", "TAVREL.EXE - Information!"},
      {MsgCaption::Problem, "TAVREL.EXE - Problem!", "TAVREL.EXE - Problem!"},
      {MsgCaption::Question, "TAVREL.EXE - Was nun?", "TAVREL.EXE - Question"},
  };
  for (const Case& c : cases) {
    design().language = 1;
    EXPECT_EQ(captionText(c.caption), c.german);
    design().language = 2;
    EXPECT_EQ(captionText(c.caption), c.english);
  }
  design().language = 1;
}

TEST(PlatformTest, ScriptedPlatformRecordsBoxesAndAnswersFromQueueThenSafely) {
  ScopedScriptedPlatform p;
  p->answers = {MsgAnswer::Yes};
  EXPECT_EQ(showMessage(MsgCaption::Question, "first?", MsgButtons::YesNo), MsgAnswer::Yes);
  EXPECT_EQ(showMessage(MsgCaption::Question, "second?", MsgButtons::YesNo), MsgAnswer::No);
  EXPECT_EQ(showMessage(MsgCaption::Question, "third?", MsgButtons::YesNoCancel),
            MsgAnswer::Cancel);
  EXPECT_EQ(showMessage(MsgCaption::Error, "fourth", MsgButtons::OkCancel), MsgAnswer::Cancel);
  EXPECT_EQ(showMessage(MsgCaption::Error, "fifth"), MsgAnswer::Ok);
  ASSERT_EQ(p->boxes.size(), 5u);
  EXPECT_EQ(p->boxes[0].icon, MsgIcon::Question);
  EXPECT_EQ(p->boxes[3].icon, MsgIcon::Error);
  EXPECT_EQ(p->boxes[1].text, "second?");
}

TEST(PlatformTest, ScopedPlatformRestoresThePreviousOne) {
  Platform* before = &platform();
  {
    ScopedScriptedPlatform p;
    EXPECT_EQ(&platform(), &p.get());
  }
  EXPECT_EQ(&platform(), before);
}

TEST(PlatformTest, BatchPlatformWritesCaptionAndTextOnOneLineAndAnswersByPolicy) {
  std::ostringstream err;
  BatchPlatform batch(err);
  design().language = 2;
  EXPECT_EQ(batch.messageBox(MsgCaption::Question, MsgIcon::Question, MsgButtons::YesNo,
                             "File contains errors.\n\rCan that be done now?"),
            MsgAnswer::No);
  batch.answerYes = true;
  EXPECT_EQ(batch.messageBox(MsgCaption::Question, MsgIcon::Question, MsgButtons::YesNoCancel,
                             "Again?"),
            MsgAnswer::Yes);
  EXPECT_EQ(err.str(),
            "TAVREL.EXE - Question: File contains errors. Can that be done now?\n"
            "TAVREL.EXE - Question: Again?\n");
  batch.today = LocalDateTime{1999, 12, 31};
  EXPECT_EQ(batch.now().year, 1999);
  design().language = 1;
}

TEST(PlatformTest, FreeCaptionBoxesKeepTheCallersCaption) {
  std::ostringstream err;
  BatchPlatform batch(err);
  EXPECT_EQ(batch.captionedMessageBox("Tavrel, v. 1.0", MsgIcon::Information, MsgButtons::Ok,
                                      "Expert mode\r\noff"),
            MsgAnswer::Ok);
  EXPECT_EQ(err.str(), "Tavrel, v. 1.0: Expert mode off\n");
  ScopedScriptedPlatform p;
  p->answers = {MsgAnswer::Yes};
  EXPECT_EQ(platform().captionedMessageBox("Mine", MsgIcon::Question, MsgButtons::YesNo, "?"),
            MsgAnswer::Yes);
  ASSERT_EQ(p->boxes.size(), 1u);
  EXPECT_TRUE(p->boxes[0].freeCaption);
  EXPECT_EQ(p->boxes[0].captionText, "Mine");
  EXPECT_EQ(p->boxes[0].icon, MsgIcon::Question);
}

// The scripted save dialog reports the queued filter, else the pair whose
// pattern has the typed extension; the path-only form drops the filter.
TEST(PlatformTest, ScriptedSaveDialogReportsTheChosenFilter) {
  ScopedScriptedPlatform p;
  FileDialogRequest r;
  r.filter = "Textdatei (*.TXT)|*.TXT|Excel-Datei (*.CSV)|*.CSV|alle (*.*)|*.*";
  p->fileNames = {"a", "b.csv", "c.Txt", "d.xyz", "e"};
  p->filterChoices = {1};
  std::optional<FileChoice> c = platform().saveFileChoice(r);
  ASSERT_TRUE(c);
  EXPECT_EQ(c->path, "a");
  EXPECT_EQ(c->filterIndex, 1);
  EXPECT_EQ(platform().saveFileChoice(r)->filterIndex, 1);
  EXPECT_EQ(platform().saveFileChoice(r)->filterIndex, 0);
  EXPECT_EQ(platform().saveFileChoice(r)->filterIndex, 0);
  EXPECT_EQ(platform().saveFileName(r), std::optional<std::string>("e"));
  EXPECT_FALSE(platform().saveFileChoice(r));  // the queue is empty: cancelled
  std::ostringstream err;
  EXPECT_FALSE(BatchPlatform(err).saveFileChoice(r));
}

TEST(FixedTextOrMessage, DecimalsWiderThanWidthShowsMessage25) {
  ScopedScriptedPlatform p;
  const int oldLanguage = design().language;
  for (int language : {1, 2}) {
    design().language = language;
    p->boxes.clear();
    EXPECT_EQ(fixedTextOrMessage(1.005, 3, 5), "");
    ASSERT_EQ(p->boxes.size(), 1u);
    EXPECT_EQ(p->boxes[0].caption, MsgCaption::Error);
    EXPECT_EQ(p->boxes[0].icon, MsgIcon::Warning);
    EXPECT_EQ(p->boxes[0].buttons, MsgButtons::Ok);
    EXPECT_EQ(p->boxes[0].text, language == 1 ? "Fehler bei Umwandlung in String!"
                                              : "Error in conversion into string!");
  }
  design().language = oldLanguage;
  p->boxes.clear();
  EXPECT_EQ(fixedTextOrMessage(0.125, 5, 2), " 0.13");
  EXPECT_TRUE(p->boxes.empty());
}

TEST(FontInstalled, ComparesUpperCase) {
  ScopedScriptedPlatform p;
  p->fonts = {"Arial", "Wingdings", "DejaVu Sans"};
  EXPECT_TRUE(fontInstalled("Wingdings"));
  EXPECT_TRUE(fontInstalled("WINGDINGS"));
  EXPECT_TRUE(fontInstalled("dejavu sans"));
  EXPECT_FALSE(fontInstalled("Wingding"));
  EXPECT_FALSE(fontInstalled("Wingdings 2"));
  EXPECT_FALSE(fontInstalled(""));
  p->fonts.clear();
  EXPECT_FALSE(fontInstalled("Arial"));
}

}  // namespace
}  // namespace tavrel
