#!/usr/bin/env bash
# Years of logs in the program and in korvex-report, with every figure and its target:
#   - the open dialog's Analyse to the first view drawn, against korvex-report --json on the same
#     folder in the same run (a year and six years of two devices; target at most 1.2 times)
#   - Page Down, a span change and a slider step with six years loaded, the year span shown
#     (target at most 50 ms to both charts painted)
#   - memory held with six years open (target 12 bytes per stored point plus 64 MiB)
#   - korvex-report against the peers, when they are installed: mawk summing one column of the six
#     years (target 0.25 times its time), a pandas read_csv script over the year (0.025 times),
#     gnuplot drawing T1-T4 of device 10 over the year (0.07 times)
# The peers only measure; nothing of the project uses them. The corpora are generated once with
# korvex-samplegen (one-minute lines, devices 10 and 30) and kept for the next run.
#
#   scripts/bench-program.sh [BUILD_DIR] [CORPUS_DIR]
#       BUILD_DIR   folder with bin/korvex-report, bin/korvex-samplegen, bin/ProgramLoadBench
#                   (default build/cc)
#       CORPUS_DIR  default /tmp/korvex-bench-corpus (shared with bench/read_speed.sh)
#   RUNS=5 scripts/bench-program.sh     (default 3: every command-line figure is the best of RUNS,
#                   korvex-report and its peer taking turns)
#   PARTS="memory peers" scripts/bench-program.sh
#                   only these of: open, navigation, memory, peers (default all four)
#
# Measure on a quiet machine: the load average is printed with the figures.
set -euo pipefail

build=${1:-build/cc}
source "$(dirname "$0")/../bench/corpus.sh"
corpus=${2:-$KORVEX_BENCH_CORPUS_DEFAULT}
runs=${RUNS:-3}
parts=" ${PARTS:-open navigation memory peers} "
wanted() { [[ $parts == *" $1 "* ]]; }
report="$build/bin/korvex-report"
samplegen="$build/bin/korvex-samplegen"
bench="$build/bin/ProgramLoadBench"
for tool in "$report" "$samplegen" "$bench"; do
    [[ -x $tool ]] || { echo "missing $tool (build korvex-report, korvex-samplegen and ProgramLoadBench)" >&2; exit 2; }
done

# name from to
six_years=$(make_corpus "$corpus" six-years 10,30 2019-01-01 2024-12-31 "$samplegen")
year=$(make_corpus "$corpus" year 10,30 2023-01-01 2023-12-31 "$samplegen")

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export XDG_CONFIG_HOME=$work/config XDG_CACHE_HOME=$work/cache LC_ALL=C.UTF-8
export QT_QPA_PLATFORM=offscreen KORVEX_PROGRAM_CORPUS=$corpus
mkdir -p "$XDG_CONFIG_HOME" "$XDG_CACHE_HOME"

now() { date +%s.%N; }
# Seconds that one run of the command took.
time_of() {
    local start end
    start=$(now)
    "$@" >/dev/null 2>&1
    end=$(now)
    awk -v a="$start" -v b="$end" 'BEGIN { printf "%.3f", b - a }'
}
# The smaller of two times, the second possibly empty.
least() { awk -v a="$1" -v b="$2" 'BEGIN { print (b == "" || a < b) ? a : b }'; }
# The fastest of $runs runs of each of two commands (names of arrays), taking turns: the load
# of a shared machine changes within seconds, and a short command measured in a moment of its
# own can meet a load the other never met. Prints "ours theirs".
best_of_both() {
    local -n ours_command=$1 theirs_command=$2
    local ours="" theirs=""
    for ((i = 0; i < runs; ++i)); do
        ours=$(least "$(time_of "${ours_command[@]}")" "$ours")
        theirs=$(least "$(time_of "${theirs_command[@]}")" "$theirs")
    done
    echo "$ours $theirs"
}
# name ours theirs target: prints the ratio and whether it meets the target.
verdict() {
    awk -v n="$1" -v a="$2" -v b="$3" -v t="$4" 'BEGIN {
        r = a / b
        printf "  %-44s %.3f s against %.3f s: %.3f (target at most %s) %s\n",
            n, a, b, r, t, (r <= t ? "met" : "NOT MET") }'
}
files_of() { find "$1" -name '*.csv' | sort; }

echo "load average: $(cut -d' ' -f1-3 /proc/loadavg), $(nproc) cores, best of $runs runs"
for name in six-years year; do
    dir="$corpus/$name"
    echo "$name: $(files_of "$dir" | wc -l) files," \
        "$(du -sm --apparent-size "$dir" | cut -f1) MB"
done

if wanted open; then
echo
echo "Program against korvex-report --json (same run, alternating; program time, report time, ratio):"
"$bench" --benchmark_filter='BM_OpenAgainstReport' \
    --benchmark_out="$work/open.json" --benchmark_out_format=json >/dev/null 2>"$work/open.log" ||
    { cat "$work/open.log" >&2; exit 1; }
python3 - "$work/open.json" <<'EOF'
import json, sys
for b in json.load(open(sys.argv[1]))["benchmarks"]:
    name = "a year" if b["name"].split("/")[1] == "0" else "six years"
    ratio = b["ratio"]
    gap = b["event_gap_ms"]
    print(f"  {name:10} program {b['real_time']:7.0f} ms, report {b['report_ms']:7.0f} ms: "
          f"{ratio:.2f} (target at most 1.2) {'met' if ratio <= 1.2 else 'NOT MET'}")
    print(f"  {'':10} events waited at most {gap:.0f} ms (Esc within 100 ms) "
          f"{'met' if gap <= 100 else 'NOT MET'}")
EOF
fi

if wanted navigation; then
echo
echo "Six years loaded, year span, to both charts painted (mean of the steps):"
"$bench" --benchmark_filter='BM_SixYears(PageDown|SpanChange|SliderStep)' \
    --benchmark_out="$work/nav.json" --benchmark_out_format=json >/dev/null 2>"$work/nav.log" ||
    { cat "$work/nav.log" >&2; exit 1; }
python3 - "$work/nav.json" <<'EOF'
import json, sys
for b in json.load(open(sys.argv[1]))["benchmarks"]:
    name = b["name"].split("/")[0].replace("BM_SixYears", "")
    t = b["real_time"]
    print(f"  {name:12} {t:6.1f} ms (target at most 50) {'met' if t <= 50 else 'NOT MET'}")
EOF
fi

if wanted memory; then
echo
echo "Memory with six years open (own process):"
"$bench" --benchmark_filter='BM_SixYearsMemory' \
    --benchmark_out="$work/mem.json" --benchmark_out_format=json >/dev/null 2>"$work/mem.log" ||
    { cat "$work/mem.log" >&2; exit 1; }
python3 - "$work/mem.json" <<'EOF'
import json, sys
b = json.load(open(sys.argv[1]))["benchmarks"][0]
print(f"  held {b['held_mib']:.0f} MiB (peak {b['peak_mib']:.0f} MiB) for {b['points']:.0f} points: "
      f"{b['bytes_per_point']:.1f} bytes per point beyond 64 MiB (target at most 12, "
      f"{b['limit_mib']:.0f} MiB) {'met' if b['held_mib'] <= b['limit_mib'] else 'NOT MET'}")
EOF
fi

wanted peers || exit 0
echo
echo "korvex-report against the peers:"
if command -v mawk >/dev/null; then
    report_command=("$report" "$six_years" --json)
    # shellcheck disable=SC2016
    mawk_command=(bash -c 'find "$1" -name "*.csv" | sort | xargs cat |
        LC_ALL=C mawk -F";" "{ s += \$3 } END { print s }"' _ "$six_years")
    read -r report_six mawk_six < <(best_of_both report_command mawk_command)
    verdict "six years --json, against mawk" "$report_six" "$mawk_six" 0.25
else
    echo "  mawk is not installed: skipped (apt-get install mawk)"
fi

pandas_python=""
for py in python3 /usr/bin/python3; do
    if command -v "$py" >/dev/null && "$py" -c 'import pandas' 2>/dev/null; then
        pandas_python=$py
        break
    fi
done
if [[ -n $pandas_python ]]; then
    cat >"$work/read_pandas.py" <<'EOF'
import os, sys
import pandas as pd
frames = {}
for root, _, names in sorted(os.walk(sys.argv[1])):
    for name in sorted(n for n in names if n.lower().endswith(".csv")):
        frame = pd.read_csv(os.path.join(root, name), sep=";", decimal=",",
                            encoding="cp1252", na_values=["Err"])
        frame["DATE & TIME"] = pd.to_datetime(frame["DATE & TIME"], format="%Y-%m-%d %H:%M")
        frames.setdefault(name[:2], []).append(frame)
devices = {device: pd.concat(parts, ignore_index=True) for device, parts in frames.items()}
print(sum(len(d) for d in devices.values()))
EOF
    report_command=("$report" "$year" --json)
    pandas_command=("$pandas_python" "$work/read_pandas.py" "$year")
    read -r report_year pandas_year < <(best_of_both report_command pandas_command)
    verdict "a year --json, against pandas read_csv" "$report_year" "$pandas_year" 0.025
else
    echo "  pandas is not installed: skipped (apt-get install python3-pandas)"
fi

if command -v gnuplot >/dev/null; then
    {
        echo 'set terminal pngcairo size 1600,900'
        echo "set output '$work/year.png'"
        echo 'set datafile separator ";"'
        echo 'set decimalsign locale "de_DE.UTF-8"'
        echo 'set xdata time'
        echo 'set timefmt "%Y-%m-%d %H:%M"'
        echo 'set key off'
        printf 'plot '
        first=1
        while read -r f; do
            for col in 3 4 5 6; do
                [[ $first == 1 ]] || printf ', '
                first=0
                printf "'%s' every ::1 using 2:%d with lines lw 2 lc %d" "$f" "$col" "$col"
            done
        done < <(find "$year" -name '10*.csv' | sort)
        echo
    } >"$work/year.gp"
    picture_command=("$report" "$year" --picture "$work/year.bmp" --span year --at 2023-01-01
        --device 10 --graphs T1,T2,T3,T4)
    gnuplot_command=(gnuplot "$work/year.gp")
    read -r picture_year gnuplot_year < <(best_of_both picture_command gnuplot_command)
    [[ -s $work/year.bmp && -s $work/year.png ]] || echo "  (a picture was not written)"
    verdict "a year of T1-T4 as a picture, against gnuplot" "$picture_year" "$gnuplot_year" 0.07
else
    echo "  gnuplot is not installed: skipped (apt-get install gnuplot-nox)"
fi
