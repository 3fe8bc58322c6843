# Sourced by the benchmark scripts: the generated log corpora they share, kept between runs in
# one folder so that six years of logs are generated once for all of them (and for
# ProgramLoadBench, which keeps the same folders under KORVEX_PROGRAM_CORPUS).
#   make_corpus ROOT NAME DEVICES FROM TO SAMPLEGEN   prints the corpus folder

KORVEX_BENCH_CORPUS_DEFAULT=/tmp/korvex-bench-corpus

make_corpus() {
    local dir="$1/$2"
    if [[ ! -f $dir/.complete ]]; then
        rm -rf "$dir"
        mkdir -p "$dir"
        echo "generating $dir ..." >&2
        "$6" "$dir" "$4" "$5" --devices "$3" >/dev/null
        touch "$dir/.complete"
    fi
    echo "$dir"
}
