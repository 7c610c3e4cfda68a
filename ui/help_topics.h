// The help topics of the working windows and of the drawing window's
// commands (a dial type's topic is in its family row), and how F1 finds
// the topic of the control that has the focus. Each topic n is the page
// topic_n.html of ui/help/de and ui/help/en.
#pragma once

#include <functional>

class QWidget;

namespace tavrel::help {

constexpr int kLocation = 5;
constexpr int kDrawing = 30;           // display, zoom, paper layout, mouse
constexpr int kStylusInfo = 31;        // pole-style information and its printout
constexpr int kHourLineTable = 32;     // the hour-line angle table
constexpr int kPrintDrawing = 33;      // printing the construction
constexpr int kSavePlot = 34;          // HPGL, DXF and the coordinates listing
constexpr int kConstructionData = 35;  // save / load construction data
constexpr int kColours = 36;           // colours and line width
constexpr int kCorrectionChart = 37;   // the ring dial's offset-correction chart
constexpr int kOutlineTools = 38;      // the outline tools of the world map
constexpr int kCalculator = 40;        // rise, set, position, time for a position
constexpr int kTables = 41;            // month and year tables
constexpr int kEotGraph = 42;          // the equation-of-time graph
constexpr int kSunPath = 43;           // the sun-path diagrams
constexpr int kHorizon = 44;           // the horizon profile
constexpr int kWallDeclination = 45;   // measuring a wall's declination with a board

// The working windows' and commands' topics above, for a check that every
// one has its pages.
inline constexpr int kOwnTopics[] = {kDrawing,      kStylusInfo, kHourLineTable, kPrintDrawing, kSavePlot,
                                     kConstructionData, kColours, kCorrectionChart, kOutlineTools,
                                     kCalculator,   kTables,     kEotGraph,      kSunPath,      kHorizon,
                                     kWallDeclination};

// Gives a control (and what lies inside it) its own topic.
void setTopic(QWidget* w, int topic);
// The topic of the control or of the nearest control around it that has
// one, up to (not including) `stop`; 0 when none has.
int topicAt(const QWidget* w, const QWidget* stop);

// Gives a window of its own (a panel of a working window) the topic and
// lets F1 in it call `open` with the topic of its focused control.
void installHelpKey(QWidget* window, int topic, std::function<void(int topic)> open);

}  // namespace tavrel::help
