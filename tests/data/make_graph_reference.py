#!/usr/bin/python3
"""Writes the reference tables of the table window's graphs from PyEphem
(libastro, VSOP87 sun):
  graph_eot_reference.tsv      zero crossings and extremes of the equation
                               of time in three years;
  graph_sun_path_reference.tsv points of the sun's daily paths (solstices,
                               equinox) and of hour lines (9, 12, 15 h local
                               apparent time) at latitudes 0, 47 and -34.

Run with the system Python, which has Debian's python3-ephem:
    /usr/bin/python3 tests/data/make_graph_reference.py
See README.md for the definitions and the columns.
"""

import math
import os

import ephem

HERE = os.path.dirname(os.path.abspath(__file__))
EOT_YEARS = [1650, 2000, 2350]
LATITUDES = [0.0, 47.0, -34.0]
PATH_YEAR = 2024
DATE_LONGITUDES = [90.0, 180.0, 270.0]
HOURS = [9.0, 12.0, 15.0]


def gast_hours(date):
    o = ephem.Observer()
    o.lon = '0'
    o.lat = '0'
    o.pressure = 0
    o.date = date
    return float(o.sidereal_time()) * 12 / math.pi


def eot_minutes(date):
    """Apparent minus mean solar time at Greenwich, minutes."""
    s = ephem.Sun()
    s.compute(date)
    ra_h = float(s.g_ra) * 12 / math.pi
    ut_h = (float(ephem.Date(date)) % 1.0) * 24 + 12  # ephem dates start at noon
    e = gast_hours(date) - ra_h + 12 - ut_h
    e = (e + 12) % 24 - 12
    return e * 60


def x_of(year, date):
    """The program's day argument: 1.0 is 12:00 UT on 1 January."""
    return 1.0 + (float(ephem.Date(date)) - float(ephem.Date((year, 1, 1, 12))))


def eot_rows():
    rows = []
    for year in EOT_YEARS:
        start = float(ephem.Date((year, 1, 1, 12)))
        days = (366 if ephem.Date((year, 12, 31)) - ephem.Date((year, 1, 1)) == 365 else 365)
        values = [eot_minutes(ephem.Date(start + k)) for k in range(days + 1)]
        for k in range(days):
            a, b = values[k], values[k + 1]
            if a == 0 or (a < 0) != (b < 0):
                rows.append((year, 'zero', 1 + k + a / (a - b), 0.0))
        # Extremes: the daily maximum and minimum refined every hour.
        for k in range(1, days):
            for kind, better in (('max', lambda u, v: u > v), ('min', lambda u, v: u < v)):
                if better(values[k], values[k - 1]) and better(values[k], values[k + 1]) or \
                        (values[k] == values[k - 1] and better(values[k], values[k + 1])):
                    best_t, best_v = k, values[k]
                    for m in range(-24, 25):
                        t = k + m / 24.0
                        v = eot_minutes(ephem.Date(start + t))
                        if better(v, best_v):
                            best_t, best_v = t, v
                    rows.append((year, kind, 1 + best_t, best_v))
    return rows


def observer(latitude, east_longitude_deg, date):
    o = ephem.Observer()
    o.lat = repr(latitude)
    o.lon = repr(east_longitude_deg)
    o.elevation = 0
    o.pressure = 0
    o.date = date
    return o


def sun_seen(latitude, east_longitude_deg, date):
    o = observer(latitude, east_longitude_deg, date)
    s = ephem.Sun()
    s.compute(o)
    # azimuth from south, west positive
    return math.degrees(float(s.az)) - 180.0, math.degrees(float(s.alt))


def longitude_instant(year, longitude):
    """The instant of year at which the sun's apparent ecliptic longitude
    of date is `longitude` degrees (Newton steps)."""
    t = ephem.Date((year, 1, 1)) + ((longitude - 280.0) % 360.0) / 360.0 * 365.2422
    for _ in range(20):
        s = ephem.Sun()
        s.compute(t)
        ecl = ephem.Ecliptic(ephem.Equatorial(s.g_ra, s.g_dec, epoch=t), epoch=t)
        d = (math.degrees(float(ecl.lon)) - longitude + 180.0) % 360.0 - 180.0
        if abs(d) < 1e-7:
            break
        t = ephem.Date(t - d / 0.9856)
    return t


def path_rows():
    rows = []
    for lat in LATITUDES:
        # Date lines: every observer along the parallel at the instant the
        # sun reaches the longitude sees it at another hour angle.
        for lon in DATE_LONGITUDES:
            t = longitude_instant(PATH_YEAR, lon)
            for k in range(0, 360 * 2, 4):
                az, alt = sun_seen(lat, k * 0.5 - 180.0, t)
                if 0.5 < alt < 89.5:
                    rows.append((lat, 'date', lon, az, alt))
        # Hour lines: at 12 h UT of dates of the second half-year, the
        # observer whose local apparent time is the hour.
        for hour in HOURS:
            for month, day in [(6, 25), (7, 10), (7, 25), (8, 10), (8, 25), (9, 10), (9, 25),
                               (10, 10), (10, 25), (11, 10), (11, 25), (12, 10), (12, 18)]:
                date = ephem.Date((PATH_YEAR, month, day, 12))
                s = ephem.Sun()
                s.compute(date)
                gha = (gast_hours(date) - float(s.g_ra) * 12 / math.pi) * 15.0
                east = ((15.0 * (hour - 12.0) - gha) + 180.0) % 360.0 - 180.0
                az, alt = sun_seen(lat, east, date)
                if 0.5 < alt < 89.5:
                    rows.append((lat, 'hour', hour, az, alt))
    return rows


def main():
    with open(os.path.join(HERE, 'graph_eot_reference.tsv'), 'w') as f:
        f.write('year\tkind\tday\tminutes\n')
        for year, kind, day, minutes in eot_rows():
            f.write('%d\t%s\t%.4f\t%.4f\n' % (year, kind, day, minutes))
    with open(os.path.join(HERE, 'graph_sun_path_reference.tsv'), 'w') as f:
        f.write('latitude_deg\tline\tvalue\tazimuth_sw_deg\taltitude_deg\n')
        for lat, line, value, az, alt in path_rows():
            f.write('%.1f\t%s\t%.1f\t%.4f\t%.4f\n' % (lat, line, value, az, alt))


if __name__ == '__main__':
    main()
