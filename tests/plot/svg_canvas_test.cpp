#include "plot/svg_canvas.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "core/design_state.h"
#include "core/scripted_platform.h"
#include "plot/screen_surface.h"
#include "plot_test_util.h"

namespace tavrel {
namespace {

using testing::readWholeFile;
using testing::ScratchDir;
using testing::writeWholeFile;

// Parses the SVG with Python's XML parser (independent of our writer) and
// checks the root: SVG namespace, version 1.1, width and height in mm, a
// viewBox of the same millimetres. Further checks come as Python
// expressions over `doc`; the script prints the first that fails.
int checkSvg(const ScratchDir& dir, const std::string& svgPath, const std::string& checks) {
  const std::string script = dir.file("check.py");
  writeWholeFile(script,
                 "import sys, xml.dom.minidom\n"
                 "doc = xml.dom.minidom.parse(sys.argv[1])\n"
                 "svg = doc.documentElement\n"
                 "def fail(m):\n"
                 "    print(m); sys.exit(1)\n"
                 "if svg.tagName != 'svg' or svg.getAttribute('xmlns') != "
                 "'http://www.w3.org/2000/svg': fail('root')\n"
                 "if svg.getAttribute('version') != '1.1': fail('version')\n"
                 "w, h = svg.getAttribute('width'), svg.getAttribute('height')\n"
                 "if not (w.endswith('mm') and h.endswith('mm')): fail('units ' + w + ' ' + h)\n"
                 "vb = [float(v) for v in svg.getAttribute('viewBox').split()]\n"
                 "if vb != [0, 0, float(w[:-2]), float(h[:-2])]: fail('viewBox')\n"
                 "def all(tag): return doc.getElementsByTagName(tag)\n" +
                     checks);
  const std::string cmd =
      "/usr/bin/python3 " + script + " " + svgPath + " > " + dir.file("py.txt") + " 2>&1";
  const int rc = std::system(cmd.c_str());
  if (rc != 0) ADD_FAILURE() << readWholeFile(dir.file("py.txt"));
  return rc;
}

TEST(SvgCanvas, PrinterPageHasTrueScale) {
  ScratchDir dir;
  SurfacePens pens;
  pens.colours[3] = rgb(0, 0, 255);
  SvgCanvas svg(2970, 2100, 10);  // A4 landscape, 0.1 mm units
  ScreenSurface s = ScreenSurface::printer(svg, {297, 210, 7016, 4961, 0, 0, false}, pens);
  s.selectPen(4);
  s.moveTo(100, 100);
  s.lineTo(1100, 100);   // 100 mm
  s.lineTo(1100, 600);   // joined into one polyline
  s.moveTo(0, 0);
  s.lineTo(10, 0);       // a new subpath
  s.circle(1485, 1050, 500);
  s.setCharSize(0.28, 0.5);
  s.setLabelDirection(100, 100);
  s.label(500, 500, "Höhe & <Breite> \"47°\"");
  ASSERT_TRUE(svg.save(dir.file("page.svg")));
  EXPECT_EQ(checkSvg(dir, dir.file("page.svg"),
                     "if (w, h) != ('297mm', '210mm'): fail('size')\n"
                     "p = all('path')[0]\n"
                     "if p.getAttribute('d') != 'M10 10 L110 10 L110 60 M0 0 L1 0': "
                     "fail('path ' + p.getAttribute('d'))\n"
                     "if p.getAttribute('stroke') != '#0000ff': fail('colour')\n"
                     "if p.getAttribute('stroke-width') != '0.1': fail('width')\n"
                     "e = all('ellipse')[0]\n"
                     "if [e.getAttribute(a) for a in ('cx','cy','rx','ry')] != "
                     "['148.5','105','50','50']: fail('circle')\n"
                     "t = all('text')[0]\n"
                     "if t.firstChild.data != 'Höhe & <Breite> \"47°\"': fail('text')\n"
                     "if t.getAttribute('font-family') != 'Arial': fail('face')\n"
                     "if t.getAttribute('font-size') != '5': fail('size ' + t.getAttribute('font-size'))\n"
                     "if t.getAttribute('transform') != 'rotate(-45 50 50)': fail('angle')\n"),
            0);
}

TEST(SvgCanvas, ScreenPictureScaledToMillimetres) {
  ScratchDir dir;
  // 1400 px across 280 mm: 5 px per mm.
  SvgCanvas svg(1400, 1000, 5, true);
  svg.setPen({rgb(255, 0, 0), 2, PenStyle::Dash});
  svg.moveTo(0, 500);
  svg.lineTo(500, 500);
  svg.arc(700, 500, 100, 100, 0, 270);
  svg.setBrush({rgb(0, 255, 0), BrushStyle::Solid});
  svg.rectangle(10, 10, 60, 35);
  svg.fillRectangle(0, 0, 5, 5, kWhite);
  svg.floodFill(20, 20, kBlack, FloodMode::Border);
  svg.setClip(0, 0, 700, 500);
  Font f;
  f.face = "Times New Roman";
  f.height = 30;
  f.weight = kFontWeightBold;
  svg.setFont(f);
  svg.text(100, 100, "A\x01");
  svg.resetClip();
  svg.setClip(0, 0, 10, 10);  // left open: the document closes it
  ASSERT_TRUE(svg.save(dir.file("screen.svg")));
  EXPECT_EQ(checkSvg(dir, dir.file("screen.svg"),
                     "if (w, h) != ('280mm', '200mm'): fail('size')\n"
                     "r = all('rect')\n"
                     "if r[0].getAttribute('fill') != '#ffffff': fail('background')\n"
                     "if [r[1].getAttribute(a) for a in ('x','y','width','height','fill')] != "
                     "['2','2','10','5','#00ff00']: fail('rect')\n"
                     "p = all('path')\n"
                     "if p[0].getAttribute('d') != 'M0 100 L100 100': fail('line')\n"
                     "if p[0].getAttribute('stroke-dasharray') != '3.6,1.2': fail('dash')\n"
                     // 270 degrees counter-clockwise from the right: up first (y down),
                     // ending below the centre; pieces below 180 degrees (flags 0 0).
                     "d = p[1].getAttribute('d').split(' A')\n"
                     "if d[0] != 'M160 100' or not d[-1].endswith(' 140 120'): fail('arc ' + str(d))\n"
                     "if any(not s.startswith('20 20 0 0 0 ') for s in d[1:]): fail('arc flags')\n"
                     "if float(d[1].split()[-1]) >= 100: fail('arc turns clockwise')\n"
                     "if len(all('clipPath')) != 2: fail('clips')\n"
                     "t = all('text')[0]\n"
                     "if t.getAttribute('font-family') != 'Times New Roman': fail('face')\n"
                     "if t.getAttribute('font-weight') != '700': fail('weight')\n"
                     "if t.hasAttribute('transform'): fail('unrotated text turned')\n"
                     "if abs(float(t.getAttribute('y')) - (20 + 0.905 * 6)) > 1e-4: fail('baseline')\n"
                     "if t.parentNode.tagName != 'g': fail('clip group')\n"),
            0);
}

TEST(SvgCanvas, SaveFailureReportsAndLeavesNoFile) {
  ScopedScriptedPlatform p;
  ScratchDir dir;
  writeWholeFile(dir.file("file"), "x");
  SvgCanvas svg(100, 100, 1);
  EXPECT_FALSE(svg.save(dir.file("file") + "/out.svg"));
  ASSERT_EQ(p->boxes.size(), 1u);
  EXPECT_EQ(p->boxes[0].caption, MsgCaption::Error);
  EXPECT_FALSE(svg.save("/dev/full"));
  EXPECT_EQ(p->boxes.size(), 2u);
  EXPECT_EQ(dir.names(), std::vector<std::string>{"file"});
}

TEST(XmlEscape, Table) {
  struct Row {
    const char* in;
    const char* expected;
  };
  constexpr Row kRows[] = {
      {"a<b>&\"'", "a&lt;b&gt;&amp;&quot;&apos;"},
      {"Höhe 47°", "Höhe 47°"},
      {"tab\tend\x03", "tab end "},
      {"bad \xC3 byte", "bad ? byte"},
      {"\xED\xA0\x80", "???"},  // a UTF-16 surrogate is not UTF-8
  };
  for (const auto& r : kRows) EXPECT_EQ(xmlEscape(r.in), r.expected) << r.in;
  EXPECT_EQ(cssColour(rgb(0x12, 0xAB, 0xEF)), "#12abef");
}

}  // namespace
}  // namespace tavrel
