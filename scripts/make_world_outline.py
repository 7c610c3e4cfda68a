#!/usr/bin/python3
"""Writes resources/world_outline.dat, the program's coast and boundary outline.

Source: Natural Earth 1:50m (public domain) as packaged in the npm package
world-atlas 2.0.2 (TopoJSON, ISC licence). The package is fetched with
`npm pack world-atlas@2.0.2` into a temporary folder, so the script can be
re-run at any time and gives the same file.

  scripts/make_world_outline.py [OUTPUT]      (default resources/world_outline.dat)

Outline format (CR LF line ends):
  "> -b"            starts a new segment (the pen is lifted)
  "lon<TAB>lat"     a point, east longitude and north latitude, two decimals
  "Grenze"          the single line between the coast part and the boundary part

Coast lines are the arcs of land-50m.json (object "land"); boundaries are the
arcs of countries-50m.json that belong to two different countries. TopoJSON
arcs are delta-encoded integers: position k is the running sum of the first
k + 1 pairs, times the file's transform scale plus its translate.

Thinning, in this order, per segment:
  1. both values rounded to two decimals (ties to even, as Python's round);
  2. a point whose rounded values both lie within 0.009 degrees of the last
     written point is dropped (the rule of the program's "shorten decimals"
     tool for two decimals);
  3. halving: the first point, then every second point, and always the last
     point of the segment (the rule of the program's "halve" tool).
Edges that run along the map border (|lon| >= 179.99 at both ends, or
latitude below -89.5) are cut out: they are seams of the source polygons,
not coasts. Segments left with fewer than two points are dropped.
"""
import json
import os
import subprocess
import sys
import tarfile
import tempfile

PACKAGE = "world-atlas@2.0.2"
HERE = os.path.dirname(os.path.abspath(__file__))
DEFAULT_OUT = os.path.join(HERE, "..", "resources", "world_outline.dat")


def fetch(folder):
    subprocess.run(["npm", "pack", PACKAGE, "--silent"], cwd=folder, check=True,
                   stdout=subprocess.DEVNULL)
    tgz = [f for f in os.listdir(folder) if f.endswith(".tgz")][0]
    with tarfile.open(os.path.join(folder, tgz)) as t:
        t.extractall(folder)
    pkg = os.path.join(folder, "package")
    return [json.load(open(os.path.join(pkg, n), encoding="utf-8"))
            for n in ("land-50m.json", "countries-50m.json")]


def decode_arcs(topology):
    sx, sy = topology["transform"]["scale"]
    tx, ty = topology["transform"]["translate"]
    arcs = []
    for arc in topology["arcs"]:
        x = y = 0
        pts = []
        for dx, dy in arc:
            x += dx
            y += dy
            pts.append((x * sx + tx, y * sy + ty))
        arcs.append(pts)
    return arcs


def arc_indexes(geometry):
    """Every arc index a (multi)polygon or line geometry uses, unsigned."""
    out = []

    def walk(a):
        if isinstance(a, int):
            out.append(a if a >= 0 else ~a)
        else:
            for b in a:
                walk(b)
    walk(geometry.get("arcs", []))
    return out


def seam(p, q):
    return (abs(p[0]) >= 179.99 and abs(q[0]) >= 179.99) or p[1] < -89.5 or q[1] < -89.5


def split_seams(points):
    parts, cur = [], []
    for p in points:
        if cur and seam(cur[-1], p):
            if len(cur) > 1:
                parts.append(cur)
            cur = [] if p[1] < -89.5 else [p]
            continue
        if p[1] < -89.5:
            continue
        cur.append(p)
    if len(cur) > 1:
        parts.append(cur)
    return parts


def thin(points):
    kept, last = [], (500.0, 500.0)
    for lon, lat in points:
        r = (round(lon, 2), round(lat, 2))
        if abs(r[0] - last[0]) <= 0.009 + 1e-12 and abs(r[1] - last[1]) <= 0.009 + 1e-12:
            continue
        kept.append(r)
        last = r
    if len(kept) < 2:
        return []
    halved = kept[::2]
    if halved[-1] != kept[-1]:
        halved.append(kept[-1])
    return halved


def segments(arcs):
    out = []
    for arc in arcs:
        for part in split_seams(arc):
            t = thin(part)
            if len(t) > 1:
                out.append(t)
    return out


def fmt(v):
    s = "%.2f" % v
    return "0.00" if s == "-0.00" else s


def main():
    out_path = sys.argv[1] if len(sys.argv) > 1 else DEFAULT_OUT
    with tempfile.TemporaryDirectory() as tmp:
        land, countries = fetch(tmp)
    land_arcs = decode_arcs(land)
    used = sorted(set(i for g in land["objects"]["land"]["geometries"] for i in arc_indexes(g)))
    coast = segments([land_arcs[i] for i in used])

    country_arcs = decode_arcs(countries)
    owners = {}
    for n, g in enumerate(countries["objects"]["countries"]["geometries"]):
        for i in set(arc_indexes(g)):
            owners.setdefault(i, set()).add(n)
    shared = sorted(i for i, o in owners.items() if len(o) >= 2)
    borders = segments([country_arcs[i] for i in shared])

    lines = []
    for seg in coast:
        lines.append("> -b")
        lines += ["%s\t%s" % (fmt(lon), fmt(lat)) for lon, lat in seg]
    coast_lines = len(lines)
    lines.append("Grenze")
    for seg in borders:
        lines.append("> -b")
        lines += ["%s\t%s" % (fmt(lon), fmt(lat)) for lon, lat in seg]
    tmp_out = out_path + ".tmp"
    with open(tmp_out, "w", encoding="ascii", newline="") as f:
        f.write("".join(l + "\r\n" for l in lines))
    os.replace(tmp_out, out_path)
    cp = sum(len(s) for s in coast)
    bp = sum(len(s) for s in borders)
    print("%d lines; coast: indexes 0..%d (%d separators, %d points); \"Grenze\" at index %d; "
          "boundaries: %d separators, %d points" % (len(lines), coast_lines - 1, len(coast), cp,
                                                    coast_lines, len(borders), bp))


if __name__ == "__main__":
    main()
