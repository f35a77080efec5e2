#!/usr/bin/env bash
# Builds the benchmarks, makes the dictionaries and word lists they read, runs every measurement beside
# its reference on the same file in the same run, and prints the table with the targets.
# Run from the repository's root (`make bench`). BENCH_RUNS (default 3) and BENCH_STARTUP_RUNS
# (default 21) set how many times each figure is measured; the table shows the median time and the
# largest peak memory.
set -euo pipefail
cd "$(dirname "$0")/.."
# The shell's clock and awk read and write decimal points.
export LC_ALL=C.UTF-8

BUILD=build-bench
DATA="$BUILD/bench-data"
RUNS=${BENCH_RUNS:-3}
STARTUP_RUNS=${BENCH_STARTUP_RUNS:-21}
SIZES=(1000 100000 1000000)
RESULTS="$BUILD/bench-results.txt"
LOG="$BUILD/bench.log"

cmake -S . -B "$BUILD" -G Ninja -DWORDLOOM_BENCH=ON -DBUILD_TESTING=OFF >/dev/null &&
    cmake --build "$BUILD" --target wordloom_bench minimal_window label_window
BENCH="$BUILD/bin/wordloom_bench"
MINIMAL="$BUILD/bin/minimal_window"
LABEL="$BUILD/bin/label_window"
: >"$LOG"
export QT_QPA_PLATFORM=offscreen

# Random lower-case words of 8 to 12 letters (10 bytes on average), one per line.
random_words() {
    awk -v n="$1" -v seed="$2" 'BEGIN {
        srand(seed); letters = "abcdefghijklmnopqrstuvwxyz"
        for (i = 0; i < n; i++) {
            len = 8 + int(rand() * 5); word = ""
            for (j = 0; j < len; j++) word = word substr(letters, 1 + int(rand() * 26), 1)
            print word
        }
    }'
}

make_data() {
    mkdir -p "$DATA"
    local n
    for n in "${SIZES[@]}"; do
        [ -s "$DATA/words-$n.lf" ] || random_words "$n" 1 >"$DATA/words-$n.lf"
        [ -s "$DATA/words-$n.nul" ] || tr '\n' '\0' <"$DATA/words-$n.lf" >"$DATA/words-$n.nul"
        [ -s "$DATA/wordlist-$n.txt" ] || random_words "$n" 2 >"$DATA/wordlist-$n.txt"
    done
}

# Dictionaries with a word far longer than a line of the list shows: 1,000 words beside one of 10 MB,
# and a single word of 200 MB. The long word is all "a", so that it sorts first and is shown at once.
LONG_WORDS=(1000+10MB 1x200MB)
make_long_word_data() {
    local a10=$((10 * 1000 * 1000)) a200=$((200 * 1000 * 1000))
    [ -s "$DATA/longword-1000+10MB.nul" ] ||
        { head -c "$a10" /dev/zero | tr '\0' a && printf '\0' && cat "$DATA/words-1000.nul"; } >"$DATA/longword-1000+10MB.nul"
    [ -s "$DATA/longword-1x200MB.nul" ] || { head -c "$a200" /dev/zero | tr '\0' a && printf '\0'; } >"$DATA/longword-1x200MB.nul"
    local size
    for size in "${LONG_WORDS[@]}"; do
        [ -s "$DATA/longword-$size.lf" ] || tr '\0' '\n' <"$DATA/longword-$size.nul" >"$DATA/longword-$size.lf"
    done
}

now() { echo "$EPOCHREALTIME"; }

# Median of the second field and largest third field of lines "<name> <seconds> <MB>".
summarize() {
    sort -k2,2g | awk '{ s[NR] = $2; if ($3 > m) m = $3 }
        END { if (NR == 0) exit 1; printf "%s %s\n", (NR % 2 ? s[(NR + 1) / 2] : (s[NR / 2] + s[NR / 2 + 1]) / 2), m }'
}

# Runs the driver (or a start-up reference) once and prints its line "<name> <seconds> <MB>". The launch
# time lets a program time its own start-up from the moment it was started.
run_once() {
    [ "${SYNC_FIRST:-}" ] && sync
    local launched=$EPOCHREALTIME line
    if ! line=$(WORDLOOM_BENCH_LAUNCHED_NS="${launched/./}000" "$@" 2>>"$LOG" | tail -n 1) || [ -z "$line" ]; then
        echo "failed: $*" >>"$LOG"
        return 1
    fi
    echo "$line"
}

# Runs the driver the given number of times; prints "<seconds> <MB>" or fails.
run_app() {
    local runs=$1 r
    shift
    for ((r = 0; r < runs; r++)); do
        run_once "$@" || return 1
    done | summarize
}

# Start-up and its references take turns, so that all meet the same load of the machine. The empty
# window is the least a window costs; the window with a label also starts the font database, as every
# window that shows text does, and is the floor that Wordloom's start-up is held against.
run_startup() {
    local lines empty labelled r
    lines=$(mktemp)
    empty=$(mktemp)
    labelled=$(mktemp)
    # The driver makes a home of its own for Wordloom inside the timed span; in memory, making its
    # folders costs next to nothing, as the folders of a real home cost nothing at all.
    local home_tmp=${TMPDIR:-/tmp}
    [ -d /dev/shm ] && [ -w /dev/shm ] && home_tmp=/dev/shm
    for ((r = 0; r < STARTUP_RUNS; r++)); do
        TMPDIR=$home_tmp run_once "$BENCH" startup "$DATA/words-1000.nul" >>"$lines" || true
        run_once "$MINIMAL" >>"$empty" || true
        run_once "$LABEL" >>"$labelled" || true
    done
    measured=$(summarize <"$lines") || measured=""
    reference=$(summarize <"$empty") || reference=""
    label_reference=$(summarize <"$labelled") || label_reference=""
    rm -f "$lines" "$empty" "$labelled"
}

# Runs a reference command the given number of times: seconds from the shell's clock, peak memory
# from /usr/bin/time.
run_reference() {
    local runs=$1 r start end
    shift
    local memory
    memory=$(mktemp)
    for ((r = 0; r < runs; r++)); do
        [ "${SYNC_FIRST:-}" ] && sync
        start=$(now)
        /usr/bin/time -f "%M" -o "$memory" "$@" >/dev/null 2>>"$LOG"
        end=$(now)
        echo "reference $(awk -v a="$start" -v b="$end" 'BEGIN { printf "%.4f", b - a }') $(awk '{ printf "%.1f", $1 / 1024 }' "$memory")"
    done | summarize
    rm -f "$memory"
}

ROWS=()
# add_row measurement size form "<s> <MB>" "<ref s> <ref MB>" ratio-limit seconds-limit memory-limit
add_row() {
    local name=$1 size=$2 form=$3 measured=$4 reference=$5 ratio_limit=$6 seconds_limit=$7 memory_limit=$8
    ROWS+=("$(awk -v name="$name" -v size="$size" -v form="$form" -v m="$measured" -v r="$reference" \
        -v rl="$ratio_limit" -v sl="$seconds_limit" -v ml="$memory_limit" 'BEGIN {
        target = (rl != "" ? sprintf("<=%sx ", rl) : "") (sl != "" ? sprintf("<%ss ", sl) : "") (ml != "" ? sprintf("<%sMB", ml) : "")
        if (target == "") target = "-"
        if (m == "") { printf "%-10s %9s %-4s %9s %9s %7s %8s %8s  %-22s %s\n", name, size, form, "-", "-", "-", "-", "-", target, "MISSED (run failed)"; exit }
        split(m, a, " "); split(r, b, " ")
        s = a[1]; mb = a[2]; rs = (r == "" ? "-" : b[1]); rmb = (r == "" ? "-" : b[2])
        ratio = (r == "" || rs <= 0 ? "-" : sprintf("%.2f", s / rs))
        missed = ""
        if (rl != "" && (ratio == "-" || ratio + 0 > rl + 0)) missed = missed " time"
        if (sl != "" && s + 0 >= sl + 0) missed = missed " time"
        if (ml != "" && mb + 0 >= ml + 0) missed = missed " memory"
        result = (target == "-" ? "-" : (missed == "" ? "ok" : "MISSED (" substr(missed, 2) ")"))
        printf "%-10s %9s %-4s %9.4f %9s %7s %8.1f %8s  %-22s %s\n", name, size, form, s, (rs == "-" ? "-" : sprintf("%.4f", rs)), ratio, mb, (rmb == "-" ? "-" : sprintf("%.1f", rmb)), target, result
    }')")
    echo "${ROWS[-1]}"
}

memory_limit_for() { [ "$1" = 1000000 ] && echo 150 || echo ""; }

make_data
SAVE_COPY="$DATA/save-reference.copy"
echo "Load average before the run: $(cut -d ' ' -f 1-3 /proc/loadavg) on $(nproc) cores"
echo "measurement     size form   seconds  ref sec   ratio  peak MB   ref MB  target                 result"

for n in "${SIZES[@]}"; do
    mem=$(memory_limit_for "$n")
    for form in nul lf; do
        file="$DATA/words-$n.$form"
        measured=$(run_app "$RUNS" "$BENCH" load "$file") || measured=""
        reference=$(LC_ALL=C run_reference "$RUNS" sort -f "$DATA/words-$n.lf") || reference=""
        add_row load "$n" "${form^^}" "$measured" "$reference" 2 "" "$mem"
    done
    for form in nul lf; do
        file="$DATA/words-$n.$form"
        measured=$(SYNC_FIRST=1 run_app "$RUNS" "$BENCH" save "$file") || measured=""
        reference=$(SYNC_FIRST=1 run_reference "$RUNS" sh -c 'cp "$1" "$2" && sync' sh "$file" "$SAVE_COPY") ||
            reference=""
        rm -f "$SAVE_COPY"
        add_row save "$n" "${form^^}" "$measured" "$reference" 2 "" "$mem"
        # A second save in the same session, of the file that the first one wrote.
        measured=$(SYNC_FIRST=1 run_app "$RUNS" "$BENCH" save-again "$file") || measured=""
        add_row save-again "$n" "${form^^}" "$measured" "$reference" 2 "" "$mem"
    done
    measured=$(SYNC_FIRST=1 run_app "$RUNS" "$BENCH" merge "$DATA/words-$n.nul") || measured=""
    add_row merge "$n" NUL "$measured" "" "" "" "$mem"
    measured=$(run_app "$RUNS" "$BENCH" delete "$n") || measured=""
    add_row delete "$n" NUL "$measured" "" "" "$([ "$n" = 1000000 ] && echo 1)" "$mem"
    measured=$(run_app "$RUNS" "$BENCH" import "$DATA/wordlist-$n.txt") || measured=""
    add_row import "$n" LF "$measured" "" "" "" "$mem"
done

run_startup
add_row startup empty-win - "$measured" "$reference" "" "" ""
add_row startup label-win - "$measured" "$label_reference" 1.5 "" ""
# The program's own memory, that of the empty window at start-up, bounds the long words' rows.
OWN_MB=$(echo "$measured" | awk '{ print $2 }')

make_long_word_data
for size in "${LONG_WORDS[@]}"; do
    file="$DATA/longword-$size.nul"
    mem=$(awk -v bytes="$(stat -c %s "$file")" -v own="$OWN_MB" 'BEGIN { printf "%.0f", 3 * bytes / 1048576 + own }')
    measured=$(run_app "$RUNS" "$BENCH" longword "$file") || measured=""
    reference=$(LC_ALL=C run_reference "$RUNS" sort -f "$DATA/longword-$size.lf") || reference=""
    add_row longword "$size" NUL "$measured" "$reference" 2 "" "$mem"
done

{
    echo "measurement     size form   seconds  ref sec   ratio  peak MB   ref MB  target                 result"
    printf '%s\n' "${ROWS[@]}"
} >"$RESULTS"
if grep -q '^wordloom_bench ' "$LOG"; then
    echo
    echo "Runs that failed:"
    grep '^wordloom_bench ' "$LOG" | sort -u
fi
cat <<EOF

References, measured in the same run on the same file: load - sort -f of the words (LF form, LC_ALL=C);
save and save-again - cp of the file followed by sync; start-up - minimal_window, one empty Qt Widgets window
(empty-win), and label_window, the same window showing one label (label-win); longword
- sort -f of the words, as for load, of a dictionary holding one very long word. Seconds
are medians of $RUNS runs ($STARTUP_RUNS for start-up); peak MB is the largest peak resident memory.
Targets: loading and saving within 2x of the reference and start-up within 1.5x of label-win; deleting every other
row of 1,000,000 under 1 s; peak memory under 150 MB for 1,000,000 words. longword - selecting the
dictionary and then its longest word until that row is shown, within 2x of the reference, in under 3x
the file's size plus the peak memory of the start-up row.
Table written to $RESULTS; the programs' own messages are in $LOG.
EOF
echo "merge - Save after another program took every hundredth word out of the loaded dictionary and appended"
echo "1,000 others; its target is the peak memory alone."
