#!/usr/bin/env python3
"""Reads the workbooks Korvex writes back with openpyxl, a reader that shares no code with the
writer, and compares them with the log cells and with korvex-report's text tables."""

import argparse
import datetime
import os
import subprocess
import sys
import tempfile
import unittest

import openpyxl
from openpyxl.utils import get_column_letter

ARGS = None

# A day of device 21 with 3-minute steps, a gap, a line in the other date order, a broken
# timestamp, "Err", empty cells, an empty line, negative values and varied decimals.
DEVICE_LOG_LINES = [
    "Heizkreis 1;DATE & TIME;T1[\xb0C];T2[\xb0C];V'[l/min];P[W];Qday[kWh];R1[%]",
    "Heizkreis 1;2011-02-28 23:58;-3,5;40,25;0;0;0,000;0",
    "Heizkreis 1;2011-03-01 00:01;-3,4;40,3;1,05;120;0,002;15",
    "Heizkreis 1;2011-03-01 00:04;-3,25;41;2,1;240;0,014;30",
    "Heizkreis 1;2011-03-01 00:07;Err;41,5;3,15;360;0,032;45",
    "Heizkreis 1;2011-03-01 06:30;0,0;;4,2;480;0,056;60",
    "",
    "Heizkreis 1;01.03.2011 06:33;1,125;42,75;5,25;600;0,086;75",
    "Heizkreis 1;01.03.2011 6h36;2,5;43;6,3;720;0,122;90",
    "Heizkreis 1;2011-03-01 06:39;3,75;43,5;7,35;840;0,164;100",
]

# Day-first dates and no device cell: the timestamps are the first column.
PLAIN_LOG_LINES = [
    "dd.mm.yy hh:mm;T1[\xb0C];P[kW];Qday[kWh]",
    "07.11.2023 00:00:30;12,5;0,75;1",
    "07.11.2023 00:10:30;12,75;1,5;1,25",
    "07.11.2023 00:20:30;13;2,25;1,5",
]


def write_log(folder, name, lines):
    path = os.path.join(folder, name)
    with open(path, "wb") as f:
        f.write(("\r\n".join(lines) + "\r\n").encode("cp1252"))
    return path


def run(*args):
    return subprocess.run(list(args), capture_output=True, text=True)


def parse_stamp(text):
    for fmt in ("%Y-%m-%d %H:%M", "%d.%m.%Y %H:%M", "%Y-%m-%d %H:%M:%S", "%d.%m.%Y %H:%M:%S"):
        try:
            return datetime.datetime.strptime(text.strip(), fmt)
        except ValueError:
            pass
    return None


def expected_value(text):
    """The cell as the log means it: (value, number format) for numbers, else the text."""
    try:
        value = float(text.replace(",", "."))
    except ValueError:
        return (text if text else None), "General"
    decimals = len(text.split(",", 1)[1]) if "," in text else 0
    return value, "0" + ("." + "0" * decimals if decimals else "")


def width(sheet, column):
    return sheet.column_dimensions[get_column_letter(column)].width


class DayWorkbookTest(unittest.TestCase):
    def setUp(self):
        self.tmp = tempfile.TemporaryDirectory()
        self.dir = self.tmp.name

    def tearDown(self):
        self.tmp.cleanup()

    def write_workbook(self, name, lines):
        log = write_log(self.dir, name, lines)
        cache = os.path.join(self.dir, "cache", "Halvo", "Korvex")
        result = run(ARGS.probe, log, cache)
        self.assertEqual(result.returncode, 0, result.stderr)
        path = result.stdout.strip()
        self.assertEqual(os.path.dirname(path), cache)
        return path

    def check_rows(self, sheet, lines, date_column, device_column):
        rows = list(sheet.iter_rows())
        self.assertEqual(len(rows), len(lines))
        for r, (line, row) in enumerate(zip(lines, rows)):
            cells = line.split(";") if line else []
            values = [c.value for c in row]
            # Trailing empty cells are not stored.
            self.assertEqual(values[len(cells):], [None] * (len(values) - len(cells)), r)
            for c, text in enumerate(cells):
                cell = row[c]
                where = f"row {r + 1} column {c + 1}: {text!r}"
                if r == 0 or c == device_column:
                    self.assertEqual(cell.value, text or None, where)
                    self.assertEqual(cell.data_type, "s" if text else "n", where)
                    continue
                stamp = parse_stamp(text) if c == date_column else None
                if stamp is not None:
                    self.assertTrue(cell.is_date, where)
                    self.assertLess(abs((cell.value - stamp).total_seconds()), 0.01, where)
                    self.assertEqual(cell.number_format, "dd.mm.yyyy hh:mm", where)
                    continue
                value, number_format = expected_value(text)
                if isinstance(value, float):
                    self.assertEqual(cell.data_type, "n", where)
                    self.assertFalse(cell.is_date, where)
                    self.assertAlmostEqual(cell.value, value, places=9, msg=where)
                else:
                    self.assertEqual(cell.value, value, where)
                self.assertEqual(cell.number_format, number_format, where)

    def test_device_log_cells_types_widths_and_frozen_header(self):
        path = self.write_workbook("2111030100.csv", DEVICE_LOG_LINES)
        self.assertEqual(os.path.basename(path), "11030100.xlsx")
        book = openpyxl.load_workbook(path)
        # The reader's day is that of the middle data line, not of the first line.
        self.assertEqual(book.sheetnames, ["01.03.2011"])
        sheet = book.active
        self.check_rows(sheet, DEVICE_LOG_LINES, date_column=1, device_column=0)
        self.assertEqual(sheet.freeze_panes, "A2")
        for column in (1, 2):
            self.assertGreaterEqual(width(sheet, column), 20)
            self.assertLess(width(sheet, column), 21)
        self.assertEqual(sheet["C1"].value, "T1[\u00b0C]")
        # The broken timestamp stays the text it was.
        self.assertEqual(sheet["B9"].value, "01.03.2011 6h36")

    def test_timestamps_first_and_written_anew(self):
        path = self.write_workbook("1023110700.csv", PLAIN_LOG_LINES)
        sheet = openpyxl.load_workbook(path).active
        self.assertEqual(sheet.title, "07.11.2023")
        self.check_rows(sheet, PLAIN_LOG_LINES, date_column=0, device_column=-1)
        self.assertGreaterEqual(width(sheet, 1), 20)
        self.assertEqual(sheet.freeze_panes, "A2")

        # A second export of a changed log replaces the workbook.
        changed = PLAIN_LOG_LINES[:-1]
        self.assertEqual(self.write_workbook("1023110700.csv", changed), path)
        self.assertEqual(openpyxl.load_workbook(path).active.max_row, len(changed))
        leftovers = [n for n in os.listdir(os.path.dirname(path)) if n != "23110700.xlsx"]
        self.assertEqual(leftovers, [])

    def test_unwritable_folder_and_unreadable_header_fail(self):
        log = write_log(self.dir, "1023110700.csv", PLAIN_LOG_LINES)
        blocker = os.path.join(self.dir, "file")
        open(blocker, "w").close()
        result = run(ARGS.probe, log, os.path.join(blocker, "cache"))
        self.assertEqual(result.returncode, 1)
        self.assertTrue(result.stderr.strip())

        bad = write_log(self.dir, "1023110800.csv", ["Time;T1[\xb0C]", "x;1,5"])
        out = os.path.join(self.dir, "out")
        result = run(ARGS.probe, bad, out)
        self.assertEqual(result.returncode, 1)
        self.assertFalse(os.path.exists(out) and os.listdir(out))


def text_table(*args):
    result = subprocess.run([ARGS.report, *args], capture_output=True)
    assert result.returncode == 0, result.stderr
    return [line.split(";") for line in result.stdout.decode("cp1252").split("\r\n")[:-1]]


MONTHS = ["Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"]


class YieldWorkbookTest(unittest.TestCase):
    def setUp(self):
        self.tmp = tempfile.TemporaryDirectory()
        self.dir = self.tmp.name
        self.logs = os.path.join(ARGS.data, "report", "basic")

    def tearDown(self):
        self.tmp.cleanup()

    def write(self, *extra):
        path = os.path.join(self.dir, "yields.xlsx")
        result = run(ARGS.report, self.logs, "--workbook", path, *extra)
        self.assertEqual(result.returncode, 0, result.stderr)
        self.assertEqual(result.stdout, path + "\n")
        self.assertEqual(os.listdir(self.dir), ["yields.xlsx"])
        return openpyxl.load_workbook(path)

    def check_period(self, kind, cell, text, where):
        if kind == "annual":
            self.assertEqual(cell.data_type, "n", where)
            self.assertFalse(cell.is_date, where)
            self.assertEqual(cell.value, int(text), where)
            return
        self.assertTrue(cell.is_date, where)
        day = cell.value
        if kind == "daily":
            shown = f"{day.day:02d}. {MONTHS[day.month - 1]}. {day.year}"
        else:
            self.assertEqual(day.day, 1, where)
            shown = f"{MONTHS[day.month - 1]}. {day.year}"
        self.assertEqual(shown, text, where)

    def check_sheet(self, sheet, table, kind):
        rows = [[c.value for c in row] for row in sheet.iter_rows()]
        self.assertEqual(len(rows), len(table))
        last = len(table) - 1
        for r, line in enumerate(table):
            for c, text in enumerate(line):
                cell = sheet.cell(row=r + 1, column=c + 1)
                where = f"{sheet.title} row {r + 1} column {c + 1}: {text!r}"
                if r < 2 or (c == 0 and r == last):
                    self.assertEqual(cell.value, text or None, where)
                elif c == 0:
                    if text:
                        self.check_period(kind, cell, text, where)
                elif text:
                    self.assertEqual(cell.data_type, "n", where)
                    self.assertAlmostEqual(cell.value, float(text.replace(",", ".")), 9, where)
                    self.assertEqual(cell.number_format, "0.00", where)
                if r == last and r >= 2 and text:
                    self.assertTrue(cell.font.b, where)
                elif r >= 2 and text:
                    self.assertFalse(cell.font.b, where)
        self.assertEqual(sheet.freeze_panes, "A3")
        # Each device name over all of its columns.
        expected = []
        header = table[0]
        c = 1
        while c < len(header):
            end = c
            while end + 1 < len(header) and header[end + 1] == "":
                end += 1
            if end > c:
                expected.append(f"{get_column_letter(c + 1)}1:{get_column_letter(end + 1)}1")
            c = end + 1
        self.assertEqual(sorted(str(m) for m in sheet.merged_cells.ranges), sorted(expected))
        for c, text in enumerate(table[1]):
            self.assertGreaterEqual(width(sheet, c + 1), len(text), sheet.title)

    def test_three_tables_match_the_text_tables(self):
        book = self.write()
        kinds = ["daily", "monthly", "annual"]
        tables = [text_table(self.logs, "--table", kind) for kind in kinds]
        self.assertEqual(book.sheetnames, [t[0][0] for t in tables])
        self.assertEqual(book.sheetnames, ["Daily overview", "Monthly overview", "Annual overview"])
        merged = 0
        for sheet, table, kind in zip(book.worksheets, tables, kinds):
            self.check_sheet(sheet, table, kind)
            merged += len(sheet.merged_cells.ranges)
        self.assertGreater(merged, 0, "the sample has a device with two yield columns")

    def test_language_range_and_device(self):
        args = ["--language", "de", "--from", "2010-05-02", "--device", "10"]
        book = self.write(*args)
        names = [text_table(self.logs, "--table", k, *args)[0][0]
                 for k in ("daily", "monthly", "annual")]
        self.assertEqual(book.sheetnames, names)
        self.assertNotEqual(names[0], "Daily overview")
        daily = text_table(self.logs, "--table", "daily", *args)
        self.assertEqual([c.value for c in book.worksheets[0][2]], daily[1])

    def test_unwritable_file_exits_1_and_leaves_nothing(self):
        # A folder in the file's place: the rename fails after the workbook was written.
        target = os.path.join(self.dir, "taken.xlsx")
        os.mkdir(target)
        result = run(ARGS.report, self.logs, "--workbook", target)
        self.assertEqual(result.returncode, 1)
        self.assertIn("taken.xlsx", result.stderr)
        self.assertEqual(result.stdout, "")
        self.assertEqual(os.listdir(self.dir), ["taken.xlsx"])
        self.assertTrue(os.path.isdir(target))

        blocker = os.path.join(self.dir, "file")
        open(blocker, "w").close()
        result = run(ARGS.report, self.logs, "--workbook", os.path.join(blocker, "y.xlsx"))
        self.assertEqual(result.returncode, 1)
        self.assertIn("cannot be written", result.stderr)

    def test_usage_errors(self):
        for extra in (["--table", "monthly"], ["--json"], ["--span", "day"]):
            result = run(ARGS.report, self.logs, "--workbook", "x.xlsx", *extra)
            self.assertEqual(result.returncode, 2, extra)
        result = run(ARGS.report, self.logs, "--workbook", os.path.join(self.dir, "y.csv"))
        self.assertEqual(result.returncode, 2)
        self.assertEqual(os.listdir(self.dir), [])


def main():
    global ARGS
    parser = argparse.ArgumentParser()
    parser.add_argument("--probe", required=True)
    parser.add_argument("--report", required=True)
    parser.add_argument("--data", required=True)
    ARGS, rest = parser.parse_known_args()
    unittest.main(argv=[sys.argv[0], "-v", *rest])


if __name__ == "__main__":
    main()
