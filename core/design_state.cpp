#include "core/design_state.h"

namespace tavrel {

const std::array<std::int32_t, 12> kDefaultColors{
    0x000000, 0xFF0000, 0x0000FF, 0x800000, 0x008080, 0x008000,
    0xFFFF00, 0x808080, 0x00FF00, 0xFF00FF, 0x808080, 0xA0E0DF};

const std::array<const char*, 3> kDefaultOwnDateLines{
    "21/03    ( 21. März )", "21/06    ( 21. Juni )", "21/12    ( 21. Dezember )"};

DesignState& design() {
  static DesignState state;
  return state;
}

void defaultColors() { design().colors = kDefaultColors; }

void loadDefaultValues() {
  DesignState& d = design();
  const DesignState fresh;

  // A. Location and astronomy; the calculation date stays.
  d.latitude = fresh.latitude;
  d.longitude = fresh.longitude;
  d.zoneMeridian = fresh.zoneMeridian;
  d.referenceYear = 2020;
  d.twilightKind = fresh.twilightKind;
  d.zoneWarningPending = fresh.zoneWarningPending;

  // C. Dimensions and plane, except the two azimuthal-dial sizes.
  const double observerDistance = d.azimuthObserverDistance;
  const double basePlate = d.azimuthBasePlate;
  d.wallDeclination = fresh.wallDeclination;
  d.planeInclination = fresh.planeInclination;
  d.coneAxisInclination = d.latitude;
  d.coneHalfAngle = fresh.coneHalfAngle;
  d.umbrellaRadiusRatio = fresh.umbrellaRadiusRatio;
  d.gnomonLength = fresh.gnomonLength;
  d.habermelGnomonLength = fresh.habermelGnomonLength;
  d.habermelDiameter = fresh.habermelDiameter;
  d.ringAlpha = fresh.ringAlpha;
  d.ringDiameter = fresh.ringDiameter;
  d.ringWidth = fresh.ringWidth;
  d.latitude2 = fresh.latitude2;
  d.longitude2 = fresh.longitude2;
  d.wallDeclination2 = fresh.wallDeclination2;
  d.secondPlaneVertical = fresh.secondPlaneVertical;
  d.timeFromPosition1 = fresh.timeFromPosition1;
  d.cylinderRadius = fresh.cylinderRadius;
  d.cylinderGnomonLength = fresh.cylinderGnomonLength;
  d.quadrantSize = fresh.quadrantSize;
  d.cylinderGnomonLengthInt = fresh.cylinderGnomonLengthInt;
  d.altitudeDialGnomonLength = fresh.altitudeDialGnomonLength;
  d.shepherdScaleLength = fresh.shepherdScaleLength;
  d.shepherdMaxShadow = fresh.shepherdMaxShadow;
  d.altitudeMonthScale = fresh.altitudeMonthScale;
  d.altitudeHorizontalScale = fresh.altitudeHorizontalScale;
  d.sawyerUnit = fresh.sawyerUnit;
  d.sawyerCentre = fresh.sawyerCentre;
  d.sawyerLineAngle = fresh.sawyerLineAngle;
  d.peaucellierParameter = fresh.peaucellierParameter;
  d.hamStretch = fresh.hamStretch;
  d.hamEquinoxPosition = fresh.hamEquinoxPosition;
  d.hamDiameter = fresh.hamDiameter;
  d.gnomonHoleOffset = fresh.gnomonHoleOffset;
  // The ring limits follow the obliquity of the tables in force.
  d.gnomonHoleOffsetMax = d.obliquityRounded / 2;
  d.gnomonHoleOffsetMin = -d.obliquityRounded / 2;
  d.drawingScale = fresh.drawingScale;
  d.azimuthObserverDistance = observerDistance;
  d.azimuthBasePlate = basePlate;

  // D. Hour lines and time scale (extendTemporalHours is set at program
  // start only).
  d.zoneTime = fresh.zoneTime;
  d.localTime = fresh.localTime;
  d.temporalHours = fresh.temporalHours;
  d.localTimeNoEot = fresh.localTimeNoEot;
  d.withEot = fresh.withEot;
  d.constructionWithEot = fresh.constructionWithEot;
  d.cylinderWithEot = fresh.cylinderWithEot;
  d.eotLinesOwnMeridian = fresh.eotLinesOwnMeridian;
  d.umbrellaLocalTime = fresh.umbrellaLocalTime;
  d.babylonianHours = fresh.babylonianHours;
  d.italianHours = fresh.italianHours;
  d.temporalHourLines = fresh.temporalHourLines;
  d.sunAltitudeLines = fresh.sunAltitudeLines;
  d.linesToStyleFoot = fresh.linesToStyleFoot;
  d.drawPoleTriangle = fresh.drawPoleTriangle;
  d.noonLineHorizontal = fresh.noonLineHorizontal;
  d.ringRayDeflection = fresh.ringRayDeflection;
  d.ringOldHoursPart = fresh.ringOldHoursPart;
  d.halfYearMonthScale = fresh.halfYearMonthScale;
  d.withVerticalDial = fresh.withVerticalDial;
  d.quadrantMirrored = fresh.quadrantMirrored;
  d.wholeYearQuadrant = fresh.wholeYearQuadrant;
  d.januaryOutside = fresh.januaryOutside;
  d.includeAzimuthLines = fresh.includeAzimuthLines;
  d.hollanderVertical = fresh.hollanderVertical;
  d.drawEcliptic = fresh.drawEcliptic;
  d.hourLinesFrom = fresh.hourLinesFrom;
  d.hourLinesTo = fresh.hourLinesTo;
  d.eotLinesFrom = fresh.eotLinesFrom;
  d.eotLinesTo = fresh.eotLinesTo;
  d.otherHoursFrom = fresh.otherHoursFrom;
  d.otherHoursTo = fresh.otherHoursTo;
  d.otherTemporalFrom = fresh.otherTemporalFrom;
  d.otherTemporalTo = fresh.otherTemporalTo;
  d.babylonianFrom = fresh.babylonianFrom;
  d.babylonianTo = fresh.babylonianTo;
  d.italianFrom = fresh.italianFrom;
  d.italianTo = fresh.italianTo;
  d.temporalFrom = fresh.temporalFrom;
  d.temporalTo = fresh.temporalTo;
  d.altitudeFrom = fresh.altitudeFrom;
  d.altitudeTo = fresh.altitudeTo;
  d.hourLineInterval = fresh.hourLineInterval;
  d.eotLineInterval = fresh.eotLineInterval;
  d.otherHourInterval = fresh.otherHourInterval;
  d.babylonianInterval = fresh.babylonianInterval;
  d.italianInterval = fresh.italianInterval;
  d.temporalInterval = fresh.temporalInterval;
  d.temporalIntervalOther = fresh.temporalIntervalOther;
  d.altitudeInterval = fresh.altitudeInterval;

  // E. Date lines and analemma marks; the own date lines stay.
  d.dateLineMode = fresh.dateLineMode;
  d.integerSunshineLines = fresh.integerSunshineLines;
  d.zodiacScale = fresh.zodiacScale;
  d.showDateCircles = fresh.showDateCircles;
  d.markAnalemma = fresh.markAnalemma;
  d.analemmaMarkHour = fresh.analemmaMarkHour;
  d.analemmaMarkDays = fresh.analemmaMarkDays;
}

}  // namespace tavrel
