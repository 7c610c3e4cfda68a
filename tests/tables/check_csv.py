#!/usr/bin/python3
"""Reads a table saved as CSV with Python's csv module, as a spreadsheet
would, and reports its shape on one line:
    records=N day_rows=D widths=W1,W2,... first_day=<fields of the first day row>
Usage: check_csv.py FILE SEPARATOR
The file is Windows-1252 with CR LF line ends; day rows are the records
whose first field is a day number followed by a dot."""

import csv
import re
import sys


def main():
    path, separator = sys.argv[1], sys.argv[2]
    with open(path, newline='', encoding='cp1252') as f:
        records = list(csv.reader(f, delimiter=separator, strict=True))
    day_rows = [r for r in records if r and re.fullmatch(r'\s*\d{1,2}\.\s*', r[0])]
    widths = sorted({len(r) for r in day_rows})
    print('records=%d day_rows=%d widths=%s first_day=%s' % (
        len(records), len(day_rows), ','.join(str(w) for w in widths),
        '|'.join(day_rows[0]) if day_rows else ''))
    return 0


if __name__ == '__main__':
    sys.exit(main())
