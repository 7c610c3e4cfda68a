#!/usr/bin/python3
"""Reads DXF files with ezdxf (an independent DXF reader) and audits them.
The one ezdxf script of the tests: the C++ tests read its --dump listing
(tests/dxf/ezdxf_view.h) and measure what they check from it.

usage: check_dxf.py [--dump] FILE...

Modes:
  (default)  audit only: every error ezdxf could not fix is printed as
             AUDIT-ERROR <path>: <message>, an unreadable file as
             UNREADABLE <path>: <reason>.
  --dump     the same, then every entity of the model space, one line
             each, numbers with four decimals:
  FILE <path>
  POLYLINE <layer> <color> <linetype> <start width> <end width> x,y;x,y;...
  LINE <layer> <color> x,y;x,y
  CIRCLE <layer> <color> x,y <radius>
  ARC <layer> <color> x,y <radius> <start angle> <end angle>
  TEXT <layer> <color> x,y <height> <width factor> <rotation> <oblique> <style> |<text>|

Exit status 0 when every file was read and its audit left no error that
ezdxf could not fix.
"""
import sys

import ezdxf


def num(v):
    return "%.4f" % v


def point(p):
    return num(p[0]) + "," + num(p[1])


def dump(doc):
    for e in doc.modelspace():
        t = e.dxftype()
        head = [t, e.dxf.layer, str(e.dxf.get("color", 256))]
        if t == "POLYLINE":
            head += [e.dxf.get("linetype", "BYLAYER"),
                     num(e.dxf.get("default_start_width", 0)),
                     num(e.dxf.get("default_end_width", 0)),
                     ";".join(point(v.dxf.location) for v in e.vertices)]
        elif t == "LINE":
            head += [point(e.dxf.start) + ";" + point(e.dxf.end)]
        elif t == "CIRCLE":
            head += [point(e.dxf.center), num(e.dxf.radius)]
        elif t == "ARC":
            head += [point(e.dxf.center), num(e.dxf.radius),
                     num(e.dxf.start_angle), num(e.dxf.end_angle)]
        elif t == "TEXT":
            head += [point(e.dxf.insert), num(e.dxf.height), num(e.dxf.get("width", 1)),
                     num(e.dxf.get("rotation", 0)), num(e.dxf.get("oblique", 0)),
                     e.dxf.get("style", "STANDARD"), "|" + e.dxf.text + "|"]
        print(" ".join(head))


def main(argv):
    want_dump = "--dump" in argv
    paths = [a for a in argv if a != "--dump"]
    if not paths:
        print(__doc__)
        return 2
    failed = False
    for path in paths:
        try:
            doc = ezdxf.readfile(path)
        except Exception as exc:  # any reader failure is a finding
            print("UNREADABLE %s: %s: %s" % (path, type(exc).__name__, exc))
            failed = True
            continue
        auditor = doc.audit()
        for err in auditor.errors:
            print("AUDIT-ERROR %s: %s" % (path, err.message))
            failed = True
        if want_dump:
            print("FILE " + path)
            dump(doc)
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
