#!/usr/bin/python3
"""kelmora-tool ics, read back by an iCalendar parser (python3-icalendar).

usage: check_ics.py KELMORA_TOOL
"""
import calendar
import datetime
import pathlib
import struct
import subprocess
import sys
import tempfile

from icalendar import Calendar

tool = sys.argv[1]
failures = []


def check(condition, message):
    if not condition:
        failures.append(message)


def month_file(year, month, memos=None, arrows=None):
    """A Sunday-first month file (version 240); memos and arrows by day."""
    memos, arrows = memos or {}, arrows or {}
    first_col = (calendar.weekday(year, month, 1) + 1) % 7
    days = calendar.monthrange(year, month)[1]
    weeks = max(5, (first_col + days + 6) // 7)
    texts = [b""] * (7 * weeks)
    marks = [0] * 42
    for day, text in memos.items():
        texts[first_col + day - 1] = text.encode("cp932")
    for day, arrow in arrows.items():
        marks[first_col + day - 1] = arrow
    out = bytearray(struct.pack("<HH", 240, 0))
    for text in texts:
        out += struct.pack("<H", len(text)) + text
    out += bytes(7) + bytes(84) + bytes(marks) + bytes(42) + bytes(42)
    return bytes(out)


def run(*args):
    return subprocess.run([tool, "ics", *args], capture_output=True)


long_line = "年末年始の予定：実家へ帰省し、初詣に行き、親戚に挨拶をして、三日に戻る"
with tempfile.TemporaryDirectory() as tmp:
    folder = pathlib.Path(tmp)
    (folder / "202412.wmd").write_bytes(month_file(
        2024, 12,
        memos={24: "クリスマス会; 18:00, 会費\\3000", 28: "スキー旅行\r\n長野", 31: "大晦日"},
        arrows={28: 1, 29: 2, 30: 2, 31: 2}))
    (folder / "202501.wmd").write_bytes(month_file(
        2025, 1,
        memos={1: "元日\r\n" + long_line, 20: "\r\n　病院 "},
        arrows={1: 2, 2: 2, 3: 3}))

    result = run(str(folder), "2024-12", "2025-01")
    check(result.returncode == 0, f"status {result.returncode}: {result.stderr.decode(errors='replace')}")
    raw = result.stdout
    check(raw.endswith(b"\r\n") and b"\n" not in raw.replace(b"\r\n", b""), "a line does not end in CR LF")
    for line in raw.split(b"\r\n"):
        check(len(line) <= 75, f"a line of {len(line)} octets: {line!r}")
        line.decode("utf-8")  # a fold inside a character would fail here
    check(any(line.startswith(b" ") for line in raw.split(b"\r\n")), "the long memo was not folded")

    cal = Calendar.from_ical(raw)
    check(str(cal.get("VERSION")) == "2.0", "VERSION is not 2.0")
    check(cal.get("PRODID") is not None, "no PRODID")
    events = [(str(e.get("UID")), e.get("DTSTART").dt, e.get("DTEND").dt, str(e.get("SUMMARY")),
               str(e.get("DESCRIPTION")) if e.get("DESCRIPTION") is not None else None)
              for e in cal.walk("VEVENT")]
    d = datetime.date
    expected = [
        ("20241224-memo@kelmora", d(2024, 12, 24), d(2024, 12, 25),
         "クリスマス会; 18:00, 会費\\3000", "クリスマス会; 18:00, 会費\\3000"),
        ("20241228-memo@kelmora", d(2024, 12, 28), d(2024, 12, 29), "スキー旅行", "スキー旅行\n長野"),
        ("20241228-arrow@kelmora", d(2024, 12, 28), d(2025, 1, 4), "スキー旅行", None),
        ("20241231-memo@kelmora", d(2024, 12, 31), d(2025, 1, 1), "大晦日", "大晦日"),
        ("20250101-memo@kelmora", d(2025, 1, 1), d(2025, 1, 2), "元日", "元日\n" + long_line),
        ("20250120-memo@kelmora", d(2025, 1, 20), d(2025, 1, 21), "病院", "\n　病院"),
    ]
    check(events == expected, "events differ:\n  got      " + "\n           ".join(map(repr, events)) +
          "\n  expected " + "\n           ".join(map(repr, expected)))
    for e in cal.walk("VEVENT"):
        check(e.get("DTSTAMP") is not None, f"{e.get('UID')} has no DTSTAMP")

    # A month file that cannot be read is left out and named; the rest is exported.
    (folder / "202501.wmd").write_bytes((folder / "202501.wmd").read_bytes()[:40])
    result = run(str(folder), "2024-12", "2025-01")
    check(result.returncode == 1, f"an unreadable month gives status {result.returncode}, not 1")
    check(b"202501.wmd" in result.stderr, "the unreadable file is not named")
    uids = [str(e.get("UID")) for e in Calendar.from_ical(result.stdout).walk("VEVENT")]
    check(uids == ["20241224-memo@kelmora", "20241228-memo@kelmora", "20241228-arrow@kelmora",
                   "20241231-memo@kelmora"], f"with January unreadable: {uids}")

    # Wrong calls: status 2, nothing on standard output.
    for args in ([str(folder), "2024-13", "2025-01"], [str(folder), "2025-02", "2025-01"],
                 [str(folder / "202412.wmd"), "2024-12", "2024-12"], [str(folder / "none"), "2024-12", "2024-12"],
                 [str(folder), "2024-1", "2024-12"], [str(folder), "0999-12", "2024-12"], [str(folder), "2024-12"]):
        result = run(*args)
        check(result.returncode == 2 and not result.stdout, f"{args}: status {result.returncode}")

for failure in failures:
    print(failure, file=sys.stderr)
sys.exit(1 if failures else 0)
