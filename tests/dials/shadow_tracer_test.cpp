// The joining of consecutive shadow points at the frame edge: a line that
// leaves the frame and comes back in must lift the pen, a line that only
// touches the edge must not (a plotter would leave a dot there and the
// screen path would break in two).
#include <gtest/gtest.h>

#include <ostream>
#include <vector>

#include "dials/planar/shadow_projection.h"

namespace tavrel {
namespace {

struct TracerCase {
  const char* name;
  std::vector<DialPoint> points;  // traced with next() / nextClipped()
  int expectedMoves;              // pen-up vertices of the path
};

void PrintTo(const TracerCase& c, std::ostream* os) { *os << c.name; }

ShadowPoint pointIn(const DialFrame& f, DialPoint q) {
  ShadowPoint p;
  p.x = q.x;
  p.y = q.y;
  p.inFront = p.facing = p.prevFacing = true;
  p.visible = f.inside(q.x, q.y);
  return p;
}

int moves(const DialPath& path) {
  int n = 0;
  for (const PathVertex& v : path.vertices) n += v.draw ? 0 : 1;
  return n;
}

class ShadowTracerEdge : public testing::TestWithParam<TracerCase> {};

TEST_P(ShadowTracerEdge, LiftsThePenOnlyWhereTheLineLeavesTheFrame) {
  DialFrame frame;
  frame.left = -50;
  frame.right = 50;
  frame.bottom = -20;
  frame.top = 10;
  for (const bool clipped : {false, true}) {
    DialPath path;
    ShadowTracer tracer(frame, path);
    for (std::size_t k = 0; k < GetParam().points.size(); ++k) {
      const ShadowPoint p = pointIn(frame, GetParam().points[k]);
      if (k == 0)
        tracer.start(p);
      else if (clipped)
        tracer.nextClipped(p, true);
      else
        tracer.next(p);
    }
    EXPECT_EQ(moves(path), GetParam().expectedMoves) << (clipped ? "nextClipped" : "next");
    ASSERT_FALSE(path.vertices.empty());
    EXPECT_FALSE(path.vertices.front().draw);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ShadowTracerEdge,
    testing::Values(
        // The apex lies exactly on the top edge (outside by the frame's
        // rule y < top): one stroke.
        TracerCase{"TouchesTopEdge", {{0, 0}, {1, 10}, {2, 0}}, 1},
        // The apex a rounding error above the edge.
        TracerCase{"TouchesWithinRounding", {{0, 0}, {1, 10 + 1e-13}, {2, 0}}, 1},
        // The apex clearly above: two strokes.
        TracerCase{"LeavesAndReturns", {{0, 0}, {1, 12}, {2, 0}}, 2},
        TracerCase{"StaysInside", {{0, 0}, {1, 5}, {2, 0}}, 1}),
    [](const testing::TestParamInfo<TracerCase>& info) { return info.param.name; });

}  // namespace
}  // namespace tavrel
