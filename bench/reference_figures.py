#!/usr/bin/env python3
"""What a user would write instead of Examora: read the data file, keep the lines that are records
(four fields split by ';', a date in the file's numeric form), sort them ignoring case, and print
the figures of the statistics view in both modes. The reference that bench/startup.py times beside
the program.  Usage: reference_figures.py FILE  (dates as M/D/YYYY, the United States' form)"""
import csv, statistics, sys
from datetime import date

path = sys.argv[1]
records = []
with open(path, newline="", encoding="utf-8", errors="surrogateescape") as f:
    for row in csv.reader(f, delimiter=";", quoting=csv.QUOTE_NONE):
        try:
            if len(row) == 4:
                month, day, year = map(int, row[1].split("/"))
                records.append((";".join(row), date(year, month, day), float(row[2]), float(row[3])))
        except ValueError:
            pass
records.sort(key=lambda r: r[0].lower())
marks, credits = [r[2] for r in records], [r[3] for r in records]
years = max(r[1] for r in records).year - min(r[1] for r in records).year
print(f"exams {len(records)}; per year {round(len(records) / years, 1) if years else 0}; "
      f"credits {sum(credits):g}")
passed = [(m, c) for m, c in zip(marks, credits) if m * c != 0]
print(f"academic: average {round(statistics.fmean([m for m in marks if m > 0]), 1):g}; "
      f"overall {round(sum(m * c for m, c in passed) / sum(c for _, c in passed), 1):g}")
print(f"math: average {round(statistics.fmean(marks), 1):g}; "
      f"overall {round(sum(m * c for m, c in zip(marks, credits)) / sum(credits), 1):g}")
