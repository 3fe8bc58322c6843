#!/usr/bin/env python3
"""Writes the reader's fixture logs: Windows-1252, CR LF unless a case says otherwise.
Each case is a folder holding files named like the logger's: two characters, the device
number, yymmdd, .csv. Run from anywhere; the files land beside this script."""
import os

HERE = os.path.dirname(os.path.abspath(__file__))


def write(case, name, lines, eol="\r\n", final_eol=True, raw=None):
    folder = os.path.join(HERE, case)
    os.makedirs(folder, exist_ok=True)
    if raw is None:
        text = eol.join(lines) + (eol if final_eol else "")
        raw = text.encode("cp1252")
    with open(os.path.join(folder, name), "wb") as f:
        f.write(raw)


EXAMPLE = [
    "Solar controller;DATE & TIME;T1[°C];T2[°C];V'[l/min];P[W];Qday[kWh];Qsum[kWh];R1[%]",
    "Solar controller;2008-05-15 00:00;21,5;19,0;0,0;0;0;1520;0",
    "Solar controller;2008-05-15 00:01;21,5;19,0;0,0;0;0;1520;0",
    "Solar controller;2008-05-15 00:02;21,6;19,0;0,0;0;0;1520;0",
    "Solar controller;2008-05-15 12:00;65,2;40,3;6,5;2350;4,2;1524;100",
]

# The worked example, and the same bytes with other line ends and leading empty lines.
write("example", "Lg10080515.csv", EXAMPLE)
write("line-ends-cr", "Lg10080515.csv", EXAMPLE, eol="\r")
write("line-ends-lf", "Lg10080515.csv", EXAMPLE, eol="\n", final_eol=False)
write("leading-empty", "Lg10080515.csv", ["", "", ""] + EXAMPLE)

# Failures, one file each.
write("header-only", "Lg10080515.csv", [EXAMPLE[0]])
write("only-empty-lines", "Lg10080515.csv", ["", "", ""])
write("no-keyword", "Lg10080515.csv",
      ["Solar controller;DATUM;T1[°C]", "Solar controller;2008-05-15 00:00;21,5"])
write("no-semicolon", "Lg10080515.csv", ["DATE & TIME", "2008-05-15 00:00"])
write("keyword-not-first", "Lg10080515.csv",
      ["Solar controller;Zeit;DATE & TIME[°C]", "Solar controller;2008-05-15 00:00;21,5"])
write("bad-day", "Lg10080515.csv",
      ["DATE & TIME;T1[°C]", "2008-05-15 00:00;21,5", "garbage;21,5", "2008-05-15 00:02;21,5"])
write("bad-yield", "Lg10080515.csv",
      ["DATE & TIME;T1[°C];Qday[kWh]", "2008-05-15 00:00;21,5;1", "2008-05-15 00:01;21,5;abc"])
write("no-value-columns", "Lg10080515.csv",
      ["DATE & TIME;", "2008-05-15 00:00", "2008-05-15 00:01"])
write("bad-number", "Lg10080515.csv",
      ["DATE & TIME;T1[°C];T2[°C]", "2008-05-15 00:00;21,5;19,0", "2008-05-15 00:01;21.5;19,0"])
write("short-line", "Lg10080515.csv",
      ["DATE & TIME;T1[°C];T2[°C];T3[°C]", "2008-05-15 00:00;1;2;3", "2008-05-15 00:01;1"])
write("last-cell-missing", "Lg10080515.csv",
      ["DATE & TIME;T1[°C];T2[°C];T3[°C]", "2008-05-15 00:00;1;2;3", "2008-05-15 00:01;1;2"])
write("unnamed-column", "Lg10080515.csv",
      ["DATE & TIME;T1[°C];[°C]", "2008-05-15 00:00;1;2"])
write("no-number", "LgXX080515.csv", ["DATE & TIME;T1[°C]", "2008-05-15 00:00;1"])
write("device-clash", "Lg05080515.csv",
      ["Pump station;DATE & TIME;T1[°C]", "Pump station;2008-05-15 00:00;1"])
write("device-clash", "Lg05080516.csv",
      ["Pump station 2;DATE & TIME;T1[°C]", "Pump station 2;2008-05-16 00:00;1"])
write("device-clash", "Lg05080517.csv",
      ["Pump station;DATE & TIME;T1[°C]", "Pump station;2008-05-17 00:00;2"])

# Reading rules.
write("heating-circuit", "Lg23080515.csv",
      ["dd.mm.yy hh:mm;T1[°C];R1[%]", "15.05.2008 00:00;40,0;0", "15.05.2008 00:01;41,0;100"])
write("ignored-columns", "Lg10080515.csv",
      ["DATE & TIME;X[ppm];T1[°C];QGes[kWh];Qsum[kWh];Note;T2[°C]",
       "2008-05-15 00:00;400;21,5;10;11;abc;19,0"])
write("gap", "Lg10080515.csv",
      ["DATE & TIME;T1[°C]", "2008-05-15 00:00;1", "2008-05-15 00:01;2", "2008-05-15 00:02;3",
       "2008-05-15 00:10;4", "2008-05-15 00:11;5"])
write("runs", "Lg10080515.csv",
      ["DATE & TIME;A[°C];B[°C];C[°C]",
       "2008-05-15 00:00;5;5;5", "2008-05-15 00:01;5;5;5", "2008-05-15 00:02;5;6;Err",
       "2008-05-15 00:03;5;6;5"])
write("fallback-stamp", "Lg10080515.csv",
      ["DATE & TIME;T1[°C]", "2008-05-15 10:00;1", "2008-05-15 10:01;2", "25:99;3",
       "2008-05-15 10:03;4", "2008-05-15 10:04;5", "2008-05-15 10:05;6"])
write("fallback-second", "Lg10080515.csv",
      ["DATE & TIME;T1[°C]", "2008-05-15 10:00;1", "nonsense;2", "2008-05-15 10:05;3",
       "2008-05-15 10:06;4"])
write("first-line-repair", "Lg10080515.csv",
      ["DATE & TIME;T1[°C]", "2008-05-14 00:00;1", "2008-05-15 00:01;2", "2008-05-15 00:02;3"])
write("mixed-order", "Lg10080515.csv",
      ["DATE & TIME;T1[°C]", "2008-05-15 00:00;1", "15.05.2008 00:01;2", "15.05.2008 00:02;3",
       "2008-05-15 00:03;4"])
write("dmy-middle-fallback", "Lg10080515.csv",
      ["DATE & TIME;T1[°C]", "15.05.2008 00:00;1", "15.05.2008 00:01;2", "15.05.2008 00:02;3"])
write("before-day", "Lg10080515.csv",
      ["DATE & TIME;T1[°C]", "2008-05-14 23:58;1", "2008-05-15 00:00;2", "2008-05-15 00:01;3",
       "2008-05-15 00:02;4"])
write("yield-err", "Lg10080515.csv",
      ["DATE & TIME;Qday[kWh]", "2008-05-15 00:00;1", "2008-05-15 00:01;2",
       "2008-05-15 00:02;Err"])
write("kw-per-hour", "Lg10080515.csv",
      ["DATE & TIME;E[kW/h];T[C];U[F]", "2008-05-15 00:00;1;2;3"])

# Several files of one device.
write("units", "Lg10080515.csv", ["DATE & TIME;T1[°C]", "2008-05-15 00:00;1"])
write("units", "Lg10080516.csv", ["DATE & TIME;T1[°F]", "2008-05-16 00:00;1"])
write("units", "Lg10080517.csv", ["DATE & TIME;T1[l/min]", "2008-05-17 00:00;1"])
write("shift", "Lg10080515.csv",
      ["DATE & TIME;V[l/min];R1[%]", "2008-05-15 00:00;1;100"])
write("shift", "Lg10080516.csv",
      ["DATE & TIME;T1[°C];V[l/min];R1[%]", "2008-05-16 00:00;20;2;0"])
write("two-days", "Lg10080515.csv",
      ["DATE & TIME;T1[°C];Qday[kWh]", "2008-05-15 00:00;1;0", "2008-05-15 23:59;1;3,5"])
write("two-days", "Lg10080516.csv",
      ["DATE & TIME;T1[°C];Qday[kWh]", "2008-05-16 00:00;1;0", "2008-05-16 23:59;1;4,5"])
write("two-days", "Lg10080517.csv",
      ["DATE & TIME;T1[°C];Qday[kWh]", "2008-05-17 00:00;1;0", "2008-05-17 00:01;x;4,5"])
# A day file copied while the logger was still writing it: its last line ends in a cut cell.
write("cut-last-line", "Lg10080515.csv",
      ["DATE & TIME;T1[°C];T2[°C];Qday[kWh];P[W];R1[%]",
       "2008-05-15 00:00;20,0;30,0;0,0;0;0",
       "2008-05-15 00:05;20,5;30,0;0,4;1500;100",
       "2008-05-15 00:10;21,5;30,0;0,9;2500;100",
       "2008-05-15 00:15;23,0;30,0;1,2;2500;100",
       "2008-05-15 00:20;24,5;3"], final_eol=False)
write("cut-last-line", "Lg10080516.csv",
      ["DATE & TIME;T1[°C];T2[°C];Qday[kWh];P[W];R1[%]",
       "2008-05-16 00:00;18,0;29,0;0,0;0;0",
       "2008-05-16 00:03;18,5;29,0;0,1;500;50",
       "2008-05-16 23:57;19,0;28,5;6,3;0;0"])
# The first yield is found at header time; the second is no number.
write("yield-then-bad", "Lg10080515.csv",
      ["DATE & TIME;Qday[kWh];T1[°C];QYear[kWh]", "2008-05-15 00:00;0;1;100",
       "2008-05-15 23:59;3,5;2;x"])
write("yield-lines", "Lg10080515.csv",
      ["DATE & TIME;Qday[kWh]", "2008-05-15 00:00;2", "2008-05-15 00:01;2",
       "2008-05-15 00:02;Err"])
write("yield-lines", "Lg10080516.csv",
      ["DATE & TIME;Qday[kWh]", "2008-05-16 00:00;2", "2008-05-16 00:01;2",
       "2008-05-16 00:02;Err"])
