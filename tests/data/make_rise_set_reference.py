#!/usr/bin/python3
"""Writes two reference tables from PyEphem (libastro):
  rise_set_reference.tsv   rise and set of the sun, the moon and twilight
                           in zone time, for a year of dates at three
                           places and around the solstices at high
                           latitudes;
  eot_year_reference.tsv   equation of time and declination at 12 h zone
                           time (zone meridian 15 degrees east) for every
                           day of 2024.

Run with the system Python, which has Debian's python3-ephem:
    /usr/bin/python3 tests/data/make_rise_set_reference.py
See README.md for the definitions and the columns.
"""

import math
import os
import sys

import ephem

YEAR = 2024
DAY_STEP = 4            # every fourth day of the year at the three places
SAMPLE_MINUTES = 10     # altitude samples before the crossings are refined

# (name, latitude, longitude west positive, zone meridian west positive)
PLACES = [
    ('equator', 0.0, -36.8, -45.0),
    ('lat47', 47.25, -9.55, -15.0),
    ('lat-34', -34.0, -151.2, -150.0),
]
POLAR_PLACES = [
    ('lat70', 70.0, -20.0, -15.0),
    ('lat-70', -70.0, 0.0, 0.0),
    ('lat80', 80.0, -15.0, -15.0),
    ('lat-80', -80.0, 0.0, 0.0),
]
NAUTICAL = 12.0   # twilight depression at the three places, degrees
CIVIL = 6.0       # twilight depression at 80 degrees


def observer(lat, lon_west):
    o = ephem.Observer()
    o.lat = str(lat)
    o.lon = str(-lon_west)   # ephem counts east positive
    o.elevation = 0
    o.pressure = 0           # no refraction beyond the horizon given below
    return o


def height_function(kind, depression, obs):
    """Altitude above the event altitude, degrees, as a function of the
    ephem date: the sun's centre at -50'; the moon's upper limb at -34'
    (topocentric, which the +8' of the geocentric centre stands for); the
    sun's centre at -depression for twilight."""
    if kind == 'moon':
        body = ephem.Moon()

        def f(date):
            obs.date = date
            body.compute(obs)
            return math.degrees(float(body.alt) + float(body.radius)) + 34.0 / 60.0
    else:
        body = ephem.Sun()
        h0 = -50.0 / 60.0 if kind == 'sun' else -depression

        def f(date):
            obs.date = date
            body.compute(obs)
            return math.degrees(float(body.alt)) - h0
    return f


def crossings(f, start):
    """Rise and set (ephem dates) inside [start, start + 1 day) and the sign
    at the start."""
    step = SAMPLE_MINUTES / 1440.0
    n = int(round(1.0 / step))
    values = [f(start + k * step) for k in range(n + 1)]
    rises, sets = [], []
    for k in range(n):
        a, b = values[k], values[k + 1]
        if (a > 0) == (b > 0):
            continue
        lo, hi = start + k * step, start + (k + 1) * step
        flo = a
        for _ in range(30):
            mid = 0.5 * (lo + hi)
            fm = f(mid)
            if (fm > 0) == (flo > 0):
                lo, flo = mid, fm
            else:
                hi = mid
        (rises if b > 0 else sets).append(0.5 * (lo + hi))
    return rises, sets, values[0] > 0


def cross_check(kind, depression, obs, start, rises, sets):
    """The same events from ephem's own search with the horizon set."""
    if kind == 'moon':
        body, horizon, centre = ephem.Moon(), '-0:34', False
    elif kind == 'sun':
        body, horizon, centre = ephem.Sun(), '-0:50', True
    else:
        body, horizon, centre = ephem.Sun(), str(-depression), True
    obs.horizon = horizon
    obs.date = start
    try:
        r = float(obs.next_rising(body, use_center=centre))
        s = float(obs.next_setting(body, use_center=centre))
    except (ephem.AlwaysUpError, ephem.NeverUpError):
        obs.horizon = '0'
        return
    obs.horizon = '0'
    if rises and abs(r - rises[0]) * 86400 > 5:
        raise SystemExit('rise differs from ephem.next_rising: %s' % ephem.Date(start))
    if sets and abs(s - sets[0]) * 86400 > 5:
        raise SystemExit('set differs from ephem.next_setting: %s' % ephem.Date(start))


def local_midnight(year, month, day, zone_west):
    # The zone runs -zone_west / 15 hours ahead of UT.
    return float(ephem.Date((year, month, day, 0, 0, 0))) + zone_west / 360.0


def event_rows(name, lat, lon_west, zone_west, dates, objects):
    obs = observer(lat, lon_west)
    for (year, month, day) in dates:
        start = local_midnight(year, month, day, zone_west)
        for kind, depression in objects:
            f = height_function(kind, depression, obs)
            rises, sets, above = crossings(f, start)
            cross_check(kind, depression, obs, start, rises, sets)
            if rises or sets:
                state = 'events'
            else:
                state = 'always_up' if above else 'never_up'

            def minutes(events):
                return '%.2f' % ((events[0] - start) * 1440.0) if events else '-'
            yield (name, lat, lon_west, zone_west, year, month, day, kind, depression,
                   state, minutes(rises), minutes(sets))


def year_dates():
    d = ephem.Date((YEAR, 1, 1))
    end = ephem.Date((YEAR + 1, 1, 1))
    while d < end:
        y, m, dd = d.triple()
        yield (y, m, int(dd))
        d = ephem.Date(d + DAY_STEP)


def solstice_dates():
    for month in (6, 12):
        for day in range(10, 31, 4):
            yield (YEAR, month, day)


def greenwich_apparent_sidereal_time(date):
    o = ephem.Observer()
    o.lon = '0'
    o.lat = '0'
    o.elevation = 0
    o.pressure = 0
    o.date = date
    return float(o.sidereal_time())


def eot_rows(zone_west=-15.0):
    sun = ephem.Sun()
    d = ephem.Date((YEAR, 1, 1))
    end = ephem.Date((YEAR + 1, 1, 1))
    while d < end:
        y, m, dd = d.triple()
        # 12 h zone time = 12 h UT + zone_west / 15 hours.
        date = ephem.Date(float(ephem.Date((y, m, int(dd), 12, 0, 0))) + zone_west / 360.0)
        sun.compute(date)
        gast = greenwich_apparent_sidereal_time(date)
        hour_angle_deg = math.degrees(gast - float(sun.g_ra))
        jd = ephem.julian_date(date)
        ut_deg = ((jd - 0.5) % 1.0) * 360.0
        eot = (hour_angle_deg + 180.0 - ut_deg + 180.0) % 360.0 - 180.0
        yield (y, m, int(dd), jd, eot * 240.0, math.degrees(float(sun.g_dec)))
        d = ephem.Date(d + 1)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    with open(os.path.join(here, 'rise_set_reference.tsv'), 'w', newline='\n') as f:
        f.write('# Rise and set in zone time, minutes after local midnight, PyEphem %s\n'
                % ephem.__version__)
        f.write('# generated by make_rise_set_reference.py; see README.md\n')
        f.write('place\tlatitude\tlongitude_w\tzone_w\tyear\tmonth\tday\tobject\t'
                'depression\tstate\trise_min\tset_min\n')
        rows = []
        for name, lat, lon, zone in PLACES:
            rows += event_rows(name, lat, lon, zone, list(year_dates()),
                               [('sun', 0), ('twilight', NAUTICAL), ('moon', 0)])
        for name, lat, lon, zone in POLAR_PLACES:
            depression = CIVIL if abs(lat) == 80 else NAUTICAL
            rows += event_rows(name, lat, lon, zone, list(solstice_dates()),
                               [('sun', 0), ('twilight', depression), ('moon', 0)])
        for r in rows:
            f.write('%s\t%g\t%g\t%g\t%d\t%d\t%d\t%s\t%g\t%s\t%s\t%s\n' % r)
    with open(os.path.join(here, 'eot_year_reference.tsv'), 'w', newline='\n') as f:
        f.write('# Sun at 12 h zone time (zone meridian 15 E), %d, PyEphem %s\n'
                % (YEAR, ephem.__version__))
        f.write('# generated by make_rise_set_reference.py; see README.md\n')
        f.write('year\tmonth\tday\tjd_ut\teot_s\tdeclination_deg\n')
        for y, m, d, jd, eot_s, dec in eot_rows():
            f.write('%d\t%d\t%d\t%.5f\t%.2f\t%.6f\n' % (y, m, d, jd, eot_s, dec))
    return 0


if __name__ == '__main__':
    sys.exit(main())
