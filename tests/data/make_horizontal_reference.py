#!/usr/bin/python3
"""Writes two reference tables of the sun as seen from places on the Earth,
from PyEphem (libastro, VSOP87 sun):
  sun_horizontal_reference.tsv  geometric altitude and azimuth at given
                                zone times;
  sun_rise_set_reference.tsv    sunrise and sunset on the geometric horizon
                                (centre of the sun at altitude 0), as local
                                apparent times, with their azimuths.

Run with the system Python, which has Debian's python3-ephem:
    /usr/bin/python3 tests/data/make_horizontal_reference.py
See README.md for the definitions and the columns.
"""

import math
import os

import ephem

# name, latitude (north +), longitude (WEST +, the program's convention),
# zone meridian (WEST +)
PLACES = [
    ("Feldkirch", 47.25, -9.59, -15.0),
    ("Tromso", 69.65, -18.96, -15.0),
    ("Quito", -0.22, 78.51, 75.0),
    ("Sydney", -33.87, -151.21, -150.0),
    ("Equator", 0.0, 0.0, 0.0),
    ("NearNorthPole", 89.5, 0.0, 0.0),
    ("McMurdo", -77.85, -166.67, -180.0),
]
DATES = [(2024, 3, 20), (2024, 6, 21), (2024, 9, 23), (2024, 12, 21)]
ZONE_TIMES = [3.0, 8.0, 12.0, 15.5, 20.0]

RISE_SET_PLACES = [
    ("Feldkirch", 47.25, -9.59),
    ("Quito", -0.22, 78.51),
    ("Sydney", -33.87, -151.21),
    ("Oslo", 59.91, -10.75),
    ("CapeTown", -33.92, -18.42),
    ("Tromso", 69.65, -18.96),
]
RISE_SET_DATES = [(2024, 1, 15), (2024, 3, 20), (2024, 6, 21), (2024, 9, 23),
                  (2024, 11, 5), (2024, 12, 21)]


def observer(latitude, west_longitude, date):
    o = ephem.Observer()
    o.lat = repr(latitude)
    o.lon = repr(-west_longitude)  # ephem: east positive
    o.elevation = 0
    o.pressure = 0  # no refraction: geometric altitudes
    o.horizon = '0'
    o.date = date
    return o


def ut_date(year, month, day, hours_ut):
    return ephem.Date(ephem.Date((year, month, day)) + hours_ut / 24.0)


def horizontal_rows():
    sun = ephem.Sun()
    for name, lat, lon, zone in PLACES:
        for year, month, day in DATES:
            for zone_time in ZONE_TIMES:
                ut = zone_time + zone / 15.0
                o = observer(lat, lon, ut_date(year, month, day, ut))
                sun.compute(o)
                yield (name, lat, lon, zone, year, month, day, zone_time,
                       math.degrees(float(sun.alt)), math.degrees(float(sun.az)))


def apparent_time(o, sun):
    """Local apparent time in hours: 12 + the apparent hour angle / 15."""
    sun.compute(o)
    hour_angle = math.degrees(float(o.sidereal_time()) - float(sun.g_ra))
    hour_angle = (hour_angle + 180.0) % 360.0 - 180.0
    return 12.0 + hour_angle / 15.0, math.degrees(float(sun.az))


def rise_set_rows():
    sun = ephem.Sun()
    for name, lat, lon in RISE_SET_PLACES:
        for year, month, day in RISE_SET_DATES:
            # Local noon of the date (UT = 12 h + west longitude / 15); the
            # events are searched around it.
            noon = ut_date(year, month, day, 12.0 + lon / 15.0)
            o = observer(lat, lon, noon)
            try:
                rise = o.previous_rising(sun, use_center=True)
                setting = o.next_setting(sun, use_center=True)
            except ephem.AlwaysUpError:
                yield (name, lat, lon, year, month, day, "up", "", "", "", "")
                continue
            except ephem.NeverUpError:
                yield (name, lat, lon, year, month, day, "down", "", "", "", "")
                continue
            rise_time, rise_az = apparent_time(observer(lat, lon, rise), sun)
            set_time, set_az = apparent_time(observer(lat, lon, setting), sun)
            yield (name, lat, lon, year, month, day, "rise_set",
                   rise_time, set_time, rise_az, set_az)


def fmt(v):
    return "%.6f" % v if isinstance(v, float) else str(v)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    with open(os.path.join(here, "sun_horizontal_reference.tsv"), "w") as f:
        f.write("# PyEphem %s; see README.md. Longitudes and zone meridians WEST positive;\n"
                "# azimuth_ne_deg is ephem's azimuth, from NORTH through EAST.\n" % ephem.__version__)
        f.write("place\tlatitude_deg\tlongitude_deg\tzone_meridian_deg\tyear\tmonth\tday\t"
                "zone_time_h\taltitude_deg\tazimuth_ne_deg\n")
        for row in horizontal_rows():
            f.write("\t".join(fmt(v) for v in row) + "\n")
    with open(os.path.join(here, "sun_rise_set_reference.tsv"), "w") as f:
        f.write("# PyEphem %s; see README.md. Longitudes WEST positive; times are local\n"
                "# apparent times in hours; azimuths from NORTH through EAST.\n" % ephem.__version__)
        f.write("place\tlatitude_deg\tlongitude_deg\tyear\tmonth\tday\tkind\t"
                "rise_lat_h\tset_lat_h\trise_azimuth_ne_deg\tset_azimuth_ne_deg\n")
        for row in rise_set_rows():
            f.write("\t".join(fmt(v) for v in row) + "\n")


if __name__ == "__main__":
    main()
