#!/usr/bin/env bash
# Reading speed of korvex-report over generated years of logs, with one and with two reading
# workers. Generates the corpora once (korvex-samplegen, one-minute lines, faults on) and keeps
# them for the next run; every figure is the best of RUNS runs (wall clock, with its user and
# system time and the peak resident memory of that run).
#
#   bench/read_speed.sh [BUILD_DIR] [CORPUS_DIR]
#       BUILD_DIR   folder with bin/korvex-report and bin/korvex-samplegen (default build/core)
#       CORPUS_DIR  where the corpora are kept (default /tmp/korvex-bench-corpus, shared with
#                   scripts/bench-program.sh)
#   RUNS=5 WORKERS="1 2 8" bench/read_speed.sh       (defaults: RUNS=3, WORKERS="1 2")
#
# Measure on a quiet machine: the load average is printed with the figures.
set -euo pipefail

build=${1:-build/core}
source "$(dirname "$0")/corpus.sh"
corpus=${2:-$KORVEX_BENCH_CORPUS_DEFAULT}
runs=${RUNS:-3}
workers=${WORKERS:-1 2}
report="$build/bin/korvex-report"
samplegen="$build/bin/korvex-samplegen"
for tool in "$report" "$samplegen"; do
    [[ -x $tool ]] || { echo "missing $tool (build korvex-report and korvex-samplegen)" >&2; exit 2; }
done

six_years=$(make_corpus "$corpus" six-years 10,30 2019-01-01 2024-12-31 "$samplegen")
device_year=$(make_corpus "$corpus" device-year 10 2023-01-01 2023-12-31 "$samplegen")

config=$(mktemp -d)
trap 'rm -rf "$config"' EXIT
export XDG_CONFIG_HOME=$config LC_ALL=C.UTF-8

# Prints "wall user sys peak_kb" of the best (shortest) of $runs runs.
best_of() {
    local dir=$1 n=$2 best=""
    for ((i = 0; i < runs; ++i)); do
        local line
        line=$(KORVEX_READ_WORKERS=$n /usr/bin/time -f "%e %U %S %M" \
            "$report" "$dir" --json 2>&1 >/dev/null | tail -n 1)
        if [[ -z $best ]] || awk -v a="${line%% *}" -v b="${best%% *}" 'BEGIN { exit !(a < b) }'; then
            best=$line
        fi
    done
    echo "$best"
}

points() {
    KORVEX_READ_WORKERS=1 "$report" "$1" --json | python3 -c '
import json, sys
d = json.load(sys.stdin)
print(sum(f["points"] for dev in d["devices"] for f in dev["fields"]))'
}

echo "load average: $(cut -d' ' -f1-3 /proc/loadavg), $(nproc) cores, best of $runs runs"
for name in six-years device-year; do
    dir="$corpus/$name"
    files=$(find "$dir" -name '*.csv' | wc -l)
    bytes=$(find "$dir" -name '*.csv' -printf '%s\n' | awk '{ s += $1 } END { print s }')
    stored=$(points "$dir")
    limit_mib=$(awk -v p="$stored" 'BEGIN { printf "%.0f", (16 * p + 64 * 1048576) / 1048576 }')
    echo "$name: $files files, $(awk -v b="$bytes" 'BEGIN { printf "%.0f", b / 1e6 }') MB," \
        "$stored points stored (memory target 16 B per point + 64 MiB = $limit_mib MiB)"
    for n in $workers; do
        read -r wall user sys peak <<<"$(best_of "$dir" "$n")"
        awk -v n="$n" -v w="$wall" -v u="$user" -v s="$sys" -v p="$peak" -v b="$bytes" 'BEGIN {
            printf "  %s worker(s): %.2f s wall, %.2f s user, %.2f s sys, peak %.0f MiB, %.0f MB/s\n",
                n, w, u, s, p / 1024, b / 1e6 / w }'
    done
done
