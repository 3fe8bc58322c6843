#!/usr/bin/env python3
"""Baseline for korvex-report: read the same log files with a plain csv loop.

Walks DIR two levels deep like the tool, reads every NNyymmdd.csv (Windows-1252, ';', decimal
comma), converts every value cell to a float and sums per column, then prints the time taken and
the peak memory. Run by hand, for instance:

    build/bin/korvex-samplegen /tmp/year 2023-01-01 2023-12-31
    python3 bench/report_baseline.py /tmp/year
    /usr/bin/time -v build/bin/korvex-report /tmp/year --json > /dev/null
"""

import csv
import os
import resource
import sys
import time


def log_files(root, depth=2):
    for entry in sorted(os.scandir(root), key=lambda e: e.name):
        if entry.is_dir() and depth > 0:
            yield from log_files(entry.path, depth - 1)
        elif entry.is_file() and entry.name.lower().endswith(".csv"):
            yield entry.path


def read(path, sums):
    points = 0
    with open(path, encoding="cp1252", newline="") as f:
        rows = csv.reader(f, delimiter=";")
        header = next(rows, None)
        if not header:
            return 0
        first = 1 if header[0] not in ("DATE & TIME", "dd.mm.yy hh:mm") else 0
        names = header[first + 1:]
        for row in rows:
            for name, cell in zip(names, row[first + 1:]):
                if cell and cell != "Err":
                    sums[name] = sums.get(name, 0.0) + float(cell.replace(",", "."))
                    points += 1
    return points


def main():
    if len(sys.argv) != 2:
        sys.exit("usage: report_baseline.py DIR")
    start = time.perf_counter()
    files = list(log_files(sys.argv[1]))
    sums, points, size = {}, 0, 0
    for path in files:
        size += os.path.getsize(path)
        points += read(path, sums)
    elapsed = time.perf_counter() - start
    peak_mb = resource.getrusage(resource.RUSAGE_SELF).ru_maxrss / 1024
    print(f"{len(files)} files, {size / 1e6:.1f} MB, {points} values: "
          f"{elapsed:.2f} s ({size / 1e6 / elapsed:.1f} MB/s), peak {peak_mb:.0f} MB")


if __name__ == "__main__":
    main()
