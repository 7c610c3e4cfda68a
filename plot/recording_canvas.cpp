#include "plot/recording_canvas.h"

#include <utility>

namespace tavrel {

void RecordingCanvas::add(PrimitiveKind kind, PrimitiveCoords p, std::string text) {
  Primitive prim;
  prim.kind = kind;
  prim.p = p;
  prim.text = std::move(text);
  prim.pen = pen_;
  prim.brush = brush_;
  prim.font = font_;
  primitives.push_back(std::move(prim));
}

void RecordingCanvas::moveTo(double x, double y) {
  add(PrimitiveKind::MoveTo, {x, y});
  x_ = x;
  y_ = y;
}

void RecordingCanvas::lineTo(double x, double y) {
  add(PrimitiveKind::LineTo, {x_, y_, x, y});
  x_ = x;
  y_ = y;
}

void RecordingCanvas::rectangle(double x1, double y1, double x2, double y2) {
  add(PrimitiveKind::Rectangle, {x1, y1, x2, y2});
}

void RecordingCanvas::fillRectangle(double x1, double y1, double x2, double y2,
                                    Colour colour) {
  add(PrimitiveKind::FillRectangle, {x1, y1, x2, y2});
  primitives.back().colour = colour;
}

void RecordingCanvas::ellipse(double x1, double y1, double x2, double y2) {
  add(PrimitiveKind::Ellipse, {x1, y1, x2, y2});
}

void RecordingCanvas::arc(double cx, double cy, double rx, double ry, double startDeg,
                          double sweepDeg) {
  add(PrimitiveKind::Arc, {cx, cy, rx, ry, startDeg, sweepDeg});
}

void RecordingCanvas::floodFill(double x, double y, Colour colour, FloodMode mode) {
  add(PrimitiveKind::FloodFill, {x, y});
  primitives.back().colour = colour;
  primitives.back().floodMode = mode;
}

void RecordingCanvas::text(double x, double y, std::string_view text) {
  add(PrimitiveKind::Text, {x, y}, std::string(text));
}

TextSize RecordingCanvas::textExtent(std::string_view text) const {
  return approximateTextExtent(font_, text);
}

void RecordingCanvas::setClip(double x1, double y1, double x2, double y2) {
  add(PrimitiveKind::SetClip, {x1, y1, x2, y2});
}

void RecordingCanvas::resetClip() { add(PrimitiveKind::ResetClip, {}); }

std::vector<Primitive> RecordingCanvas::ofKind(PrimitiveKind kind) const {
  std::vector<Primitive> out;
  for (const auto& p : primitives)
    if (p.kind == kind) out.push_back(p);
  return out;
}

void RecordingCanvas::replay(Canvas& target) const {
  for (const auto& prim : primitives) {
    if (!(target.pen() == prim.pen)) target.setPen(prim.pen);
    if (!(target.brush() == prim.brush)) target.setBrush(prim.brush);
    if (!(target.font() == prim.font)) target.setFont(prim.font);
    const auto& p = prim.p;
    switch (prim.kind) {
      case PrimitiveKind::MoveTo: target.moveTo(p[0], p[1]); break;
      case PrimitiveKind::LineTo:
        if (target.currentX() != p[0] || target.currentY() != p[1]) target.moveTo(p[0], p[1]);
        target.lineTo(p[2], p[3]);
        break;
      case PrimitiveKind::Rectangle: target.rectangle(p[0], p[1], p[2], p[3]); break;
      case PrimitiveKind::FillRectangle:
        target.fillRectangle(p[0], p[1], p[2], p[3], prim.colour);
        break;
      case PrimitiveKind::Ellipse: target.ellipse(p[0], p[1], p[2], p[3]); break;
      case PrimitiveKind::Arc: target.arc(p[0], p[1], p[2], p[3], p[4], p[5]); break;
      case PrimitiveKind::FloodFill:
        target.floodFill(p[0], p[1], prim.colour, prim.floodMode);
        break;
      case PrimitiveKind::Text: target.text(p[0], p[1], prim.text); break;
      case PrimitiveKind::SetClip: target.setClip(p[0], p[1], p[2], p[3]); break;
      case PrimitiveKind::ResetClip: target.resetClip(); break;
    }
  }
}

}  // namespace tavrel
