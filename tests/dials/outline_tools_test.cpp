// The outline tools of the drawing window on small files: the exact output
// files and messages.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "astro/startup.h"
#include "core/design_state.h"
#include "core/scripted_platform.h"
#include "core/text_file.h"
#include "dials/world_map/outline_tools.h"

namespace tavrel {
namespace {

namespace fs = std::filesystem;

class OutlineToolsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    startProgram();  // German texts
    dir_ = fs::temp_directory_path() / ("tavrel_outline_tools_" + std::to_string(::getpid()));
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }

  // Writes the lines with CR LF and returns the path.
  std::string input(const std::string& name, const std::string& linesLf) {
    std::string crlf;
    for (char c : linesLf) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    const std::string path = (dir_ / name).string();
    std::ofstream(path, std::ios::binary) << crlf;
    return path;
  }
  // A file's contents with CR LF shown as LF; "<missing>" when absent.
  std::string contents(const std::string& name) {
    std::ifstream in(dir_ / name, std::ios::binary);
    if (!in) return "<missing>";
    std::string s((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>()), out;
    for (std::size_t i = 0; i < s.size(); ++i) {
      if (s[i] == '\r' && i + 1 < s.size() && s[i + 1] == '\n') continue;
      out += s[i];
    }
    return out;
  }
  std::string path(const std::string& name) const { return (dir_ / name).string(); }

  fs::path dir_;
  ScopedScriptedPlatform p_;
};

TEST_F(OutlineToolsTest, ShortenRoundsDropsNearDuplicatesAndKeepsComments) {
  const std::string in = input("coast.v1.dat",
                               "# Kueste\n"
                               "> -b\n"
                               "-140.00\t60.19\n"
                               "-140.0004\t60.1904\n"   // rounds onto the point before: dropped
                               "-140.001\t60.190\n"     // 0.001 away: kept
                               "   1.23456\t2.5\n"      // leading blanks
                               "> -b\n"
                               "-140.001\t60.190\n");   // new segment: written again
  p_->answers.push_back(MsgAnswer::Yes);
  ASSERT_TRUE(shortenDecimals(in, 3));
  EXPECT_EQ(contents("coast_Dez_3.dat"),
            "# Kueste\n> -b\n-140.000\t60.190\n-140.001\t60.190\n1.235\t2.500\n> -b\n-140.001\t60.190\n");
  ASSERT_EQ(p_->boxes.size(), 2u);
  EXPECT_EQ(p_->boxes[0].text, "Sollen die Daten werden auf 3 Dez.stellen gekuerzt werden?");
  EXPECT_EQ(p_->boxes[0].buttons, MsgButtons::YesNoCancel);
  EXPECT_EQ(p_->boxes[0].caption, MsgCaption::Information);
  EXPECT_EQ(p_->boxes[1].text, "8 Datensätze in Datei " + path("coast_Dez_3.dat") + " auf 3 Stellen gekürzt");
}

// Ties go to the even neighbour (values exact in binary).
TEST_F(OutlineToolsTest, ShortenRoundsTiesToEven) {
  const std::string in = input("ties.dat", "0.25\t0.75\n-0.25\t-0.75\n");
  p_->answers.push_back(MsgAnswer::Yes);
  ASSERT_TRUE(shortenDecimals(in, 1));
  EXPECT_EQ(contents("ties_Dez_1.dat"), "0.2\t0.8\n-0.2\t-0.8\n");
}

TEST_F(OutlineToolsTest, JoinDropsTheSeparatorBetweenSegmentsThatMeet) {
  const std::string in = input("parts.dat",
                               "> -b\n1.00\t2.00\n3.00\t4.00\n> -b\n3.00\t4.00\n5.00\t6.00\n"
                               "> -b\n7.00\t8.00\n\n");
  p_->answers.push_back(MsgAnswer::Ok);
  ASSERT_TRUE(joinOutlineSegments(in));
  EXPECT_EQ(contents("parts_verbd.dat"), "> -b\n1.00\t2.00\n3.00\t4.00\n5.00\t6.00\n> -b\n7.00\t8.00\n");
  ASSERT_EQ(p_->boxes.size(), 2u);
  EXPECT_EQ(p_->boxes[0].text, "Die gekürzten Daten werden in " + path("parts_verbd.dat") + " gespeicehert!");
  EXPECT_EQ(p_->boxes[0].buttons, MsgButtons::OkCancel);
  EXPECT_EQ(p_->boxes[1].text, "1 Datenabschnitte verbunden, in Datei " + path("parts_verbd.dat") + " gespeichert");
}

TEST_F(OutlineToolsTest, HalveKeepsEverySecondPointAndTheLastBeforeASeparator) {
  const std::string in = input("h.dat",
                               "> -b\n1.00\t1.00\n2.00\t2.00\n3.00\t3.00\n4.00\t4.00\n"
                               "> -b\n5.00\t5.00\n6.00\t6.00\n7.00\t7.00\n"
                               "> -b\n8.00\t8.00\n9.00\t9.00\n");
  p_->answers.push_back(MsgAnswer::Ok);
  ASSERT_TRUE(halveOutlineFile(in));
  EXPECT_EQ(contents("h_halb.dat"),
            "> -b\n1.00\t1.00\n3.00\t3.00\n4.00\t4.00\n"   // the segment's last point added
            "> -b\n5.00\t5.00\n7.00\t7.00\n"               // last point already written
            "> -b\n8.00\t8.00\n");                         // end of file: alternation not due
  EXPECT_EQ(p_->boxes[0].text, "Die \"halbierte\" Datei wird in " + path("h_halb.dat") + " gespeicehert!");
  EXPECT_EQ(p_->boxes[1].text, "Die \"halbierte\" Datei " + path("h_halb.dat") + " wurde gespeichert");
}

// The box: first value in [52, 53.2], second in (12.95, 14].
TEST_F(OutlineToolsTest, SearchWritesTheLineNumbersInsideTheBox) {
  const std::string in = input("s.dat",
                               "> -b\n52.00\t12.95\n52.00\t12.96\n53.20\t14.00\n53.21\t13.00\n"
                               "51.99\t13.00\n> -b\n52.50\t14.01\n52.5000\t13.5\n");
  p_->answers.push_back(MsgAnswer::Ok);
  ASSERT_TRUE(searchOutlineLines(in));
  EXPECT_EQ(contents("s_Info.dat"), "3\n4\n9\n");
  EXPECT_EQ(p_->boxes[0].text, "Die Datenzeilen werden gesucht!");
  EXPECT_EQ(p_->boxes[1].text, "9 Zeilennummern in Datei " + path("s_Info.dat") + " gespeichert");
}

TEST_F(OutlineToolsTest, RefusalsAndFileErrorsWriteNothing) {
  // Answered No / Cancel: nothing asked further, nothing written.
  const std::string in = input("a.dat", "1.00\t2.00\n");
  p_->answers.push_back(MsgAnswer::No);
  EXPECT_FALSE(shortenDecimals(in, 3));
  EXPECT_FALSE(halveOutlineFile(in));  // the safe answer Cancel
  EXPECT_EQ(contents("a_Dez_3.dat"), "<missing>");
  EXPECT_EQ(contents("a_halb.dat"), "<missing>");
  EXPECT_EQ(p_->boxes.size(), 2u);

  // A missing input file.
  p_->boxes.clear();
  p_->answers.push_back(MsgAnswer::Ok);
  EXPECT_FALSE(joinOutlineSegments(path("none.dat")));
  ASSERT_EQ(p_->boxes.size(), 2u);
  EXPECT_EQ(p_->boxes[1].text, "Die Datei " + path("none.dat") + " konnte nicht geoeffnet werden!");
  EXPECT_EQ(p_->boxes[1].caption, MsgCaption::Error);
  EXPECT_EQ(contents("none_verbd.dat"), "<missing>");

  // An output that cannot be written (a folder of that name).
  p_->boxes.clear();
  fs::create_directory(dir_ / "a_Info.dat");
  p_->answers.push_back(MsgAnswer::Ok);
  EXPECT_FALSE(searchOutlineLines(in));
  ASSERT_EQ(p_->boxes.size(), 2u);
  EXPECT_EQ(p_->boxes[1].text, "Die Datei " + path("a_Info.dat") + " konnte zum Schreiben nicht geoeffnet werden!");
}

// A line of text that is no point is a separator for shortening too, as
// for the other tools: copied, and the segment starts anew (it used to
// become the point 0.000/0.000 inside the segment).
TEST_F(OutlineToolsTest, ShortenKeepsTextLinesAsSeparators) {
  const std::string in = input("t.dat", "10.00\t20.00\nGrenze Europa\n10.00\t20.00\nGrenze\n");
  p_->answers.push_back(MsgAnswer::Yes);
  ASSERT_TRUE(shortenDecimals(in, 3));
  EXPECT_EQ(contents("t_Dez_3.dat"), "10.000\t20.000\nGrenze Europa\n10.000\t20.000\nGrenze\n");
}

// Inputs that are no readable outline file: a file that fails on read,
// a folder, devices and pipes (which could deliver bytes without end),
// and a file beyond the size limit of the program's text files. Every
// tool says it could not open the file and writes nothing.
TEST_F(OutlineToolsTest, UnreadableInputsAreRefusedByEveryTool) {
  fs::create_directory(dir_ / "folder.dat");
  ASSERT_EQ(::mkfifo(path("pipe.dat").c_str(), 0600), 0);
  input("big.dat", "");
  fs::resize_file(dir_ / "big.dat", kMaxTextFileBytes + 1);  // sparse
  struct Tool {
    const char* name;
    bool (*run)(const std::string&);
    MsgAnswer yes;
  };
  const Tool tools[] = {
      {"shorten", [](const std::string& f) { return shortenDecimals(f, 3); }, MsgAnswer::Yes},
      {"join", joinOutlineSegments, MsgAnswer::Ok},
      {"halve", halveOutlineFile, MsgAnswer::Ok},
      {"search", searchOutlineLines, MsgAnswer::Ok},
  };
  const std::string inputs[] = {"/proc/self/mem", path("folder.dat"), "/dev/zero", path("pipe.dat"),
                                path("big.dat")};
  for (const Tool& tool : tools) {
    for (const std::string& file : inputs) {
      SCOPED_TRACE(std::string(tool.name) + " " + file);
      p_->boxes.clear();
      p_->answers.push_back(tool.yes);
      EXPECT_FALSE(tool.run(file));
      ASSERT_EQ(p_->boxes.size(), 2u);
      EXPECT_EQ(p_->boxes[1].caption, MsgCaption::Error);
      EXPECT_EQ(p_->boxes[1].text, "Die Datei " + file + " konnte nicht geoeffnet werden!");
    }
  }
  std::vector<std::string> names;
  for (const auto& e : fs::directory_iterator(dir_)) names.push_back(e.path().filename().string());
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"big.dat", "folder.dat", "pipe.dat"}));
}

TEST_F(OutlineToolsTest, TheOpenDialogOfEachTool) {
  p_->fileNames.push_back(std::nullopt);
  runOutlineTool(OutlineTool::Join);
  ASSERT_EQ(p_->dialogs.size(), 1u);
  EXPECT_EQ(p_->dialogs[0].title, "Geogr. Datendatei - zusammenhängende Teile verbinden");
  EXPECT_EQ(p_->dialogs[0].filter, "Liste mit geograph. Daten    (*.dat)|*.dat|alle Dateien (*.*)|*.*");
  EXPECT_EQ(p_->dialogs[0].defaultExtension, "dat");
  EXPECT_TRUE(p_->boxes.empty());  // cancelled: nothing asked
  EXPECT_EQ(askOutlineFile(OutlineTool::Halve), std::nullopt);
  EXPECT_EQ(p_->dialogs[1].title, "Geografische Datendatei kürzen (halbieren)");
  askOutlineFile(OutlineTool::Search);
  EXPECT_EQ(p_->dialogs[2].title, "Geogr. Daten:_Anzahl der Dez.stellen reduzieren");
}

}  // namespace
}  // namespace tavrel
