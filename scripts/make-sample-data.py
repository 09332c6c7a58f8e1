#!/usr/bin/env python3
"""Writes a sample month file (this month, Sunday-first, format 240) into a
folder, for screenshots: a few memos, a coloured cell, day marks, an arrow.

usage: make-sample-data.py DIR [YEAR MONTH]
"""
import calendar
import datetime
import pathlib
import struct
import sys

folder = pathlib.Path(sys.argv[1])
today = datetime.date.today()
year, month = (int(sys.argv[2]), int(sys.argv[3])) if len(sys.argv) > 3 else (today.year, today.month)

first_col = (calendar.weekday(year, month, 1) + 1) % 7  # Sunday-first column of the 1st
days = calendar.monthrange(year, month)[1]
weeks = max(5, (first_col + days + 6) // 7)

def cell(day):
    index = first_col + day - 1
    return index // 7, index % 7  # week 0-based, column

memos = {
    3: "10:00 歯医者",
    8: "会議\r\n資料を準備する",
    12: "誕生日🎂".replace("🎂", ""),
    15: "出張（大阪）",
    16: "出張（大阪）",
    20: "ゴミ出し\r\n買い物：牛乳、卵、パン",
    25: "締め切り！",
}
texts = [[b""] * 7 for _ in range(6)]
for day, text in memos.items():
    if day <= days:
        w, c = cell(day)
        texts[w][c] = text.encode("cp932")

marks = [[(0, 0)] * 7 for _ in range(6)]
if 10 <= days:
    w, c = cell(10); marks[w][c] = (1, 0)  # marked as a day off
arrows = [[0] * 7 for _ in range(6)]
for day, kind in ((15, 1), (16, 2), (17, 3)):
    w, c = cell(day); arrows[w][c] = kind
back = {cell(25): 0x00C0FFFF}  # light yellow (0x00BBGGRR)
fore = {cell(25): 0x000000FF}  # red text

out = bytearray(struct.pack("<HH", 240, 0))
for w in range(weeks):
    for c in range(7):
        out += struct.pack("<H", len(texts[w][c])) + texts[w][c]
out += bytes([1, 0, 0, 0, 0, 0, 0])
for w in range(6):
    for c in range(7):
        out += bytes(marks[w][c])
for w in range(6):
    for c in range(7):
        out.append(arrows[w][c])
for table in (back, fore):
    for w in range(6):
        for c in range(7):
            if (w, c) in table:
                out += b"\x01" + struct.pack("<I", table[(w, c)])
            else:
                out += b"\x00"
folder.mkdir(parents=True, exist_ok=True)
(folder / f"{year}{month:02d}.wmd").write_bytes(bytes(out))
