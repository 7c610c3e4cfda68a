// Angle and geometry utilities. Angles in degrees; longitudes west positive.
#pragma once

#include "base/angles.h"

namespace tavrel {

// -1, 0 or +1.
int signOf(double x);
// +1 for x >= 0, else -1.
int signNonNeg(double x);

// Tangent of x degrees; the cosine is floored to +-1e-12, so tanDeg(90)
// has magnitude 1e12 instead of overflowing.
double tanDeg(double x);

// Arc tangent of y/x in degrees, in (-180, 180].
double atan2Deg(double y, double x);

// Plane rotation of (x, y) by angle degrees, in place.
void rotatePoint(double& x, double& y, double angle);

// Rotates the point (latitude c, longitude b) about the east-west axis by
// a; gives the latitude e, the longitude difference p and the picture
// rotation l (see the implementation for the use with planes).
void rotateSpherical(double a, double b, double c, double& e, double& p, double& l);

// Gnomonic (central) projection of (pointLat, pointLon) onto the plane that
// touches the sphere at (centreLat, centreLon) at `distance` from its
// centre; x grows east, y north. visible is always set true; points 90
// degrees or more from the centre land far away but finite.
void gnomonicProject(double& x, double& y, bool& visible, double rotation,
                     double pointLon, double pointLat, double distance,
                     double centreLon, double centreLat);

}  // namespace tavrel
