#!/usr/bin/python3
"""Writes the manual pages tavrel(1) and tavrel-cli(1) from the help of tavrel-cli.

  make_manpages.py TAVREL_CLI OUTDIR VERSION

The pages are made at build time from what the program itself prints, so
they cannot fall behind it:

  tavrel-cli(1)  every section of `tavrel-cli --help` (global options,
                 commands, dial kinds, files, the closing notes); the entry
                 of each command is that command's own help,
                 `tavrel-cli COMMAND --help`.
  tavrel(1)      the desktop program: its one argument, the dial kinds and
                 the files section of the same help.

Layout of the help this reads: a line that starts in column 0 and ends
with ":" opens a section; an entry starts with two blanks, its term (an
option, a command's synopsis, a dial letter) is separated from its
description by a run of blanks; lines indented by DESCRIPTION_INDENT or
more continue the description, less deeply indented ones (and, before the
description has begun, lines that start with "[") continue the term.
Other lines in column 0 are notes.

Both pages are written as OUTDIR/NAME.1 and gzip-compressed (level 9, no
file name or time stamp) as OUTDIR/NAME.1.gz.
"""
import gzip
import os
import re
import subprocess
import sys

DESCRIPTION_INDENT = 16


class Section:
    def __init__(self, title):
        self.title = title
        self.entries = []  # [term lines, description lines]


def run(cli, *args):
    out = subprocess.run([cli, *args], check=True, capture_output=True, text=True)
    return out.stdout.splitlines()


def add_entry_line(section, line):
    """One indented help line into the entries of section."""
    indent = len(line) - len(line.lstrip(" "))
    text = line.strip()
    if indent <= 2:
        parts = re.split(r"\s{2,}", text, maxsplit=1)
        section.entries.append([[parts[0]], parts[1:]])
    elif indent >= DESCRIPTION_INDENT and (section.entries[-1][1] or not text.startswith("[")):
        section.entries[-1][1].append(text)
    else:
        section.entries[-1][0].append(text)


def parse_help(lines):
    """(synopsis, sections, notes) of `tavrel-cli --help`."""
    synopsis = lines[0].split(":", 1)[1].strip()
    sections, notes, current = [], [], None
    for line in lines[1:]:
        if not line.strip():
            continue
        text = line.strip()
        if not line.startswith(" "):
            if text.endswith(":"):
                current = Section(text[:-1])
                sections.append(current)
            else:
                current = None
                notes.append(text)
        elif current is None:
            notes.append(text)
        else:
            add_entry_line(current, line)
    return synopsis, sections, notes


def command_entry(cli, name):
    """The entry of one command: the first block of `tavrel-cli NAME --help`."""
    section = Section(name)
    for line in run(cli, name, "--help")[1:]:
        if not line.strip():
            if section.entries:
                break
            continue
        add_entry_line(section, line)
    if len(section.entries) != 1:
        sys.exit("make_manpages: unexpected help of command %s" % name)
    return section.entries[0]


def esc(text):
    """Text for a troff line: backslashes, minus signs, a leading dot."""
    text = text.replace("\\", "\\e").replace("-", "\\-")
    if text.startswith((".", "'")):
        text = "\\&" + text
    return text


def heading(title):
    """("GLOBAL OPTIONS", "before the command") from "Global options (before the command)"."""
    m = re.match(r"^(.*?)\s*\((.*)\)$", title)
    if m:
        return m.group(1).upper(), m.group(2)
    return title.upper(), ""


def sentence(text):
    text = text[0].upper() + text[1:]
    return text if text.endswith(".") else text + "."


def render_section(section, out, title=None):
    """The section as .SH with one .TP per entry; a section given its own
    title (the desktop program's page) leaves out the help's note on it,
    which speaks of tavrel-cli."""
    head, note = heading(section.title)
    out.append(".SH " + esc(title or head))
    if note and not title:
        out.append(esc(sentence(note)))
    for term, description in section.entries:
        out.append(".TP")
        out.append("\\fB" + esc(" ".join(term)) + "\\fR")
        if description:
            out.append(esc(" ".join(description)))


def page_head(name, version, summary):
    return [
        '.TH %s 1 "" "Tavrel %s" "User Commands"' % (esc(name.upper()), esc(version)),
        ".nh",
        ".ad l",
        ".SH NAME",
        "%s \\- %s" % (esc(name), esc(summary)),
    ]


def find(sections, word):
    for s in sections:
        if s.title.lower().startswith(word):
            return s
    sys.exit("make_manpages: the help has no section beginning with '%s'" % word)


def cli_page(cli, version, synopsis, sections, notes):
    out = page_head("tavrel-cli", version,
                    "design sundials and compute the sun without a window")
    out += [
        ".SH SYNOPSIS",
        ".B tavrel\\-cli",
        esc(synopsis.split(" ", 1)[1]),
        ".br",
        ".B tavrel\\-cli",
        "COMMAND \\-\\-help",
        ".SH DESCRIPTION",
        "\\fBtavrel\\-cli\\fR runs every construction, plot, conversion and table of",
        "Tavrel without a window, on the same core as the desktop program",
        "\\fBtavrel\\fR(1). Each command writes byte for byte what the desktop",
        "program writes for the same design and the same choices.",
    ]
    for section in sections:
        if section.title.lower().startswith("commands"):
            commands = Section(section.title)
            for term, _ in section.entries:
                commands.entries.append(command_entry(cli, term[0].split(" ", 1)[0]))
            render_section(commands, out)
        else:
            render_section(section, out)
    exit_notes = [n for n in notes if n.lower().startswith("exit status")]
    other_notes = [n for n in notes if n not in exit_notes]
    if other_notes:
        out.append(".SH NOTES")
        for n in other_notes:
            out += [".PP", esc(n)]
    for n in exit_notes:
        out += [".SH EXIT STATUS", esc(n.split(":", 1)[1].strip())]
    out += [".SH SEE ALSO", "\\fBtavrel\\fR(1)"]
    return out


def desktop_page(version, sections):
    out = page_head("tavrel", version,
                    "design sundials and compute the apparent motion of the sun")
    out += [
        ".SH SYNOPSIS",
        ".B tavrel",
        "[\\fIFILE\\fR.tav]",
        ".SH DESCRIPTION",
        "\\fBtavrel\\fR is the desktop program of Tavrel. Give it a place, a",
        "reference year, a type of sundial and its dimensions, and it constructs",
        "the dial: hour lines, date lines, analemmas, labels and the gnomon data.",
        "It draws and prints the dial and writes it as HPGL and DXF at true size,",
        "and it computes rise, set and twilight, the position of the sun, year",
        "tables, equation-of-time graphs, sun-path diagrams and horizon profiles.",
        "Every text exists in German and English; the help pages are built in",
        "(menu Help, F1).",
        ".PP",
        "The program takes no options. Given one argument, a construction-data",
        "file, it opens that file once its settings are read, as \\(lqLoad Sundial",
        "Data\\(rq does; this is what a double click on a \\fB*.tav\\fR file runs.",
        "\\fBtavrel\\-cli\\fR(1) runs the same constructions, tables and",
        "conversions without a window.",
    ]
    render_section(find(sections, "dial kinds"), out, "DIAL TYPES")
    render_section(find(sections, "files"), out, "FILES")
    out += [".SH SEE ALSO", "\\fBtavrel\\-cli\\fR(1)"]
    return out


def write_page(outdir, name, lines):
    text = "\n".join(lines) + "\n"
    plain = os.path.join(outdir, name + ".1")
    with open(plain + ".tmp", "w", encoding="utf-8") as f:
        f.write(text)
    os.replace(plain + ".tmp", plain)
    with open(plain + ".gz.tmp", "wb") as raw:
        with gzip.GzipFile(filename="", mode="wb", compresslevel=9, fileobj=raw, mtime=0) as z:
            z.write(text.encode("utf-8"))
    os.replace(plain + ".gz.tmp", plain + ".gz")


def main():
    if len(sys.argv) != 4:
        sys.exit(__doc__.split("\n\n")[1])
    cli, outdir, version = sys.argv[1:]
    os.makedirs(outdir, exist_ok=True)
    synopsis, sections, notes = parse_help(run(cli, "--help"))
    write_page(outdir, "tavrel-cli", cli_page(cli, version, synopsis, sections, notes))
    write_page(outdir, "tavrel", desktop_page(version, sections))


if __name__ == "__main__":
    main()
