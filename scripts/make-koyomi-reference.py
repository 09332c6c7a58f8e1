#!/usr/bin/python3
"""Reference data for the almanac, from PyEphem (Debian's python3-ephem, whose
libastro computes the Sun and the Moon independently of the calendar).

    make-koyomi-reference.py events > tests/data/ephem-events.txt
        new moons and solar terms of a spread of years, as Julian dates in
        TT and in UT, for the core test of the astronomy;
    make-koyomi-reference.py days FROM_YEAR TO_YEAR > tests/data/koyomi-2033.txt
        the lunisolar date, 六曜 and solar term of every day, in the format
        of `kelmora-tool koyomi`, worked out here from PyEphem's events.

The checked-in files are made once with this script; the build and the tests
do not need PyEphem. Runs with Debian's own Python (/usr/bin/python3).
"""

import datetime
import math
import sys

import ephem
from ephem import _libastro

JD_OF_DUBLIN_EPOCH = 2415020.0  # PyEphem counts days from 1899-12-31 12:00
JST = 9 * ephem.hour

TERM_NAMES = ("小寒 大寒 立春 雨水 啓蟄 春分 清明 穀雨 立夏 小満 芒種 夏至 "
              "小暑 大暑 立秋 処暑 白露 秋分 寒露 霜降 立冬 小雪 大雪 冬至").split()
ROKUYO = "大安 赤口 先勝 友引 先負 仏滅".split()
WINTER_SOLSTICE = 23

_sun = ephem.Sun()


def sun_longitude(d):
    """Apparent geocentric ecliptic longitude of date, radians."""
    _sun.compute(d)
    return _libastro.eq_ecl(d, _sun.g_ra, _sun.g_dec)[0]


def solar_term(year, index):
    """Instant (ephem.Date, UT) at which the Sun reaches term `index` of `year`."""
    target = math.radians((285 + 15 * index) % 360)

    def behind(d):
        return (sun_longitude(d) - target + math.pi) % (2 * math.pi) - math.pi

    guess = ephem.Date(datetime.datetime(year, 1, 6)) + index * 365.2422 / 24
    return ephem.Date(ephem.newton(behind, guess, guess + ephem.hour))


def tt(d):
    return float(d) + JD_OF_DUBLIN_EPOCH + ephem.delta_t(d) / 86400.0


def ut(d):
    return float(d) + JD_OF_DUBLIN_EPOCH


def jst_date(d):
    return ephem.Date(d + JST).datetime().date()


def events(years):
    print("# New moons and solar terms from PyEphem %s, for the core test of the" % ephem.__version__)
    print("# almanac's astronomy. Made by scripts/make-koyomi-reference.py; do not edit.")
    print("# N  JD(TT)  JD(UT)              a new moon")
    print("# T  YEAR INDEX  JD(TT)  JD(UT)  solar term INDEX (0 = 小寒 .. 23 = 冬至) of YEAR")
    for year in years:
        for index in range(24):
            d = solar_term(year, index)
            print("T %d %d %.6f %.6f" % (year, index, tt(d), ut(d)))
        d = ephem.next_new_moon(ephem.Date(datetime.datetime(year, 1, 1)))
        while d.datetime().year == year:
            print("N %.6f %.6f" % (tt(d), ut(d)))
            d = ephem.next_new_moon(d + 1)


def lunar_months(from_year, to_year):
    """(first JST day, number, leap) of every lunar month from the 11月 before
    from_year to the 11月 that holds the winter solstice of to_year + 1."""
    months = []
    for year in range(from_year, to_year + 2):
        solstice_before = jst_date(solar_term(year - 1, WINTER_SOLSTICE))
        solstice = jst_date(solar_term(year, WINTER_SOLSTICE))
        # the new moon on or before the first solstice's day
        d = ephem.previous_new_moon(ephem.Date(datetime.datetime.combine(solstice_before, datetime.time())) + 1 - JST)
        starts = [jst_date(d)]
        while True:
            d = ephem.next_new_moon(d + 1)
            if jst_date(d) > solstice:
                break
            starts.append(jst_date(d))
        principal = [jst_date(solar_term(year, i)) for i in range(1, 23, 2)]
        leap = None
        if len(starts) == 14:  # 13 months before the next 11月
            for i in range(1, 13):
                if not any(starts[i] <= p < starts[i + 1] for p in principal):
                    leap = i
                    break
        number = 11
        for i, start in enumerate(starts[:-1]):
            if i > 0 and i != leap:
                number = number % 12 + 1
            if not months or months[-1][0] < start:
                months.append((start, number, i == leap))
    return months


def days(from_year, to_year):
    months = lunar_months(from_year, to_year)
    terms = {}
    for year in range(from_year, to_year + 1):
        for index in range(24):
            terms[jst_date(solar_term(year, index))] = TERM_NAMES[index]
    day = datetime.date(from_year, 1, 1)
    current = 0
    while day.year <= to_year:
        while months[current + 1][0] <= day:
            current += 1
        first, number, leap = months[current]
        lunar_day = (day - first).days + 1
        fields = [day.isoformat(), "%s%d月%d日" % ("閏" if leap else "", number, lunar_day),
                  ROKUYO[(number + lunar_day) % 6]]
        if day in terms:
            fields.append(terms[day])
        print("\t".join(fields))
        day += datetime.timedelta(days=1)


def main():
    if sys.argv[1:] == ["events"]:
        events(sorted(set(range(1900, 2101, 4)) | {2033, 2034}))
    elif len(sys.argv) == 4 and sys.argv[1] == "days":
        days(int(sys.argv[2]), int(sys.argv[3]))
    else:
        sys.exit(__doc__)


if __name__ == "__main__":
    main()
