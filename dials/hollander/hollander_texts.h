// The texts of the Hollander dial (text table rows 1120..1151).
#pragma once

#include <string>

namespace tavrel {

enum class HollanderText {
  InputError = 1120, AndPsi = 1121, TooSmall = 1122, ApexTooLarge = 1123, Hint = 1124,
  ConeFile = 1125, ConeFileEnd = 1126, Day = 1127, Open = 1128, HasDeclination = 1129,
  Title = 1130, AxisLength = 1131, AxisInclination = 1132, HalfAngle = 1133, Latitude = 1134,
  Longitude = 1135, PlaneHorizontal = 1136, PlaneVertical = 1137, PlaneInclined = 1138,
  LocalMeanTime = 1139, ZoneMeanTime = 1140, ConeSection = 1141, ConeUnfolded = 1142,
  FootprintA = 1143, FootprintB = 1144, AxisFootOffset = 1145, ApexHeight = 1146,
  EquivalentLatitude = 1147, LongitudeDifference = 1148, Turn = 1149, DistMin = 1150, DistMax = 1151,
  ShowGraphic = 1152,
};

std::string hollanderText(HollanderText id, int language);

}  // namespace tavrel
