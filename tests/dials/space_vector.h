// Vectors in space for the shadow simulators of the dial tests: east,
// north, up (mm, or unit directions), with the few operations they need.
#pragma once

#include <cmath>

namespace tavrel::testing {

struct Vec {
  double e = 0, n = 0, u = 0;
};
inline Vec operator+(Vec a, Vec b) { return {a.e + b.e, a.n + b.n, a.u + b.u}; }
inline Vec operator-(Vec a, Vec b) { return {a.e - b.e, a.n - b.n, a.u - b.u}; }
inline Vec operator*(double k, Vec a) { return {k * a.e, k * a.n, k * a.u}; }
inline double dot(Vec a, Vec b) { return a.e * b.e + a.n * b.n + a.u * b.u; }
inline Vec cross(Vec a, Vec b) {
  return {a.n * b.u - a.u * b.n, a.u * b.e - a.e * b.u, a.e * b.n - a.n * b.e};
}
inline double norm(Vec a) { return std::sqrt(dot(a, a)); }
inline Vec unit(Vec a) { return (1 / norm(a)) * a; }

}  // namespace tavrel::testing
