#!/bin/bash
# Runs every benchmark of a build made with -DVELNOR_BENCH=ON and prints one table: each figure (the
# median of several runs), its target and whether it holds, and whether the growing figures grow no
# faster than linearly. Raw results are kept in BUILD/bench-results/.
#
#   bench/run-all.sh BUILD
#
# BENCH_REPS (Google Benchmark repetitions, 9), BENCH_RUNS (fresh processes for the once-per-process
# figures, 11), BENCH_RSS_RUNS (full program runs for the peak memory, 5) and BENCH_FLOOR_RUNS (pairs of
# program and floor starts, 9) trade time for steadiness.
set -u
export LC_ALL=C.UTF-8

BUILD=$(cd "${1:-build}" && pwd) || exit 1
REPS=${BENCH_REPS:-9}
RUNS=${BENCH_RUNS:-11}
RSS_RUNS=${BENCH_RSS_RUNS:-5}
OUT=$BUILD/bench-results
BENCH=$BUILD/bench_velnor
PROGRAM=$BUILD/velnor
MAPWATCH=$BUILD/velnor-mapwatch
FLOOR=$BUILD/velnor-floor
FLOOR_RUNS=${BENCH_FLOOR_RUNS:-9}
for f in "$BENCH" "$PROGRAM" "$MAPWATCH" "$FLOOR"; do
    [ -x "$f" ] || { echo "run-all.sh: $f is missing (configure with -DVELNOR_BENCH=ON and build)" >&2; exit 1; }
done
rm -rf "$OUT"
mkdir -p "$OUT"
say() { echo "bench: $*" >&2; }

# The median of the numbers on standard input ("nan" when there are none).
median() {
    sort -g | awk '{a[NR] = $1} END {
        if (NR == 0) { print "nan"; exit }
        if (NR % 2) print a[(NR + 1) / 2]; else print (a[NR / 2] + a[NR / 2 + 1]) / 2 }'
}
# The value of "key value" lines in a file.
value_of() { awk -v k="$1" '$1 == k {print $2}' "$2"; }

# In-process figures: Google Benchmark, medians of REPS repetitions, converted to milliseconds.
say "in-process figures (${REPS} repetitions each)"
"$BENCH" --benchmark_repetitions="$REPS" --benchmark_report_aggregates_only=true \
    --benchmark_out="$OUT/inprocess.csv" --benchmark_out_format=csv >"$OUT/inprocess.txt" 2>&1 ||
    { cat "$OUT/inprocess.txt" >&2; exit 1; }
gb_ms() {
    awk -F, -v n="\"$1_median\"" '$1 == n {
        t = $3; u = $5
        if (u == "ns") t /= 1e6; else if (u == "us") t /= 1e3; else if (u == "s") t *= 1e3
        printf "%.4f\n", t }' "$OUT/inprocess.csv"
}
if grep -q ',true,"' "$OUT/inprocess.csv"; then
    echo "run-all.sh: a benchmark reported an error:" >&2
    grep ',true,"' "$OUT/inprocess.csv" >&2
    exit 1
fi

# Once per process: the main window's load right after the splash (the font list enumerated afresh), and
# the first opening of the browser with its memory growth.
say "main window load (${RUNS} fresh processes)"
for _ in $(seq "$RUNS"); do "$BENCH" --cold main-window; done >"$OUT/main-window.txt" 2>/dev/null
MAIN_LOAD=$(value_of main_window_load_ms "$OUT/main-window.txt" | median)
FAMILIES=$(value_of font_families "$OUT/main-window.txt" | head -n 1)

say "memory of 100 undo steps (fresh processes)"
for _ in $(seq 3); do "$BENCH" --cold history-memory; done >"$OUT/history-memory.txt" 2>/dev/null
HISTORY_MB=$(value_of history_mib "$OUT/history-memory.txt" | median | awk '{printf "%.2f", $1 * 1.048576}')

say "browser memory (fresh processes)"
for n in 100 1000 10000 100000; do
    runs=3
    [ "$n" = 10000 ] && runs=$RUNS
    for _ in $(seq "$runs"); do "$BENCH" --cold browser "$n"; done >"$OUT/browser-$n.txt" 2>/dev/null
done
growth_mb() { value_of browser_rss_growth_mib "$OUT/browser-$1.txt" | median | awk '{printf "%.2f", $1 * 1.048576}'; }

# No card is opened, examined or decoded while the list is made: every file system call that names a file
# in the card folder is counted (the folder itself is read with getdents, which names none).
OPENED=nan
if command -v strace >/dev/null; then
    strace -f -qq -s 512 -e trace=%file,%stat -o "$OUT/browser-strace.txt" "$BENCH" --cold browser 10000 >/dev/null 2>&1
    OPENED=$(grep -c 'mycard/[^"]' "$OUT/browser-strace.txt")
fi

# Whole-process figures under Xvfb: the real program, each run with its own runtime directory (it allows
# one running copy per user), from a portable copy of it with the shipped settings file.
say "start-up and peak memory under Xvfb"
COPY=$OUT/program
mkdir -p "$COPY"
cp "$PROGRAM" "$COPY/velnor"
[ -f "$BUILD/myset.ini" ] && cp "$BUILD/myset.ini" "$COPY/myset.ini"
exec 3>"$OUT/display"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp >"$OUT/xvfb.log" 2>&1 &
XVFB=$!
exec 3>&-
trap 'kill "$XVFB" 2>/dev/null' EXIT
for _ in $(seq 100); do [ -s "$OUT/display" ] && break; sleep 0.05; done
DISPLAY=":$(head -n 1 "$OUT/display")"
export DISPLAY
unset QT_QPA_PLATFORM
# The splash is 425 x 213 with a one-pixel frame; the main window 7650 x 6120 twips; `ImgExit` is the
# 54 x 21 menu button at 6592, 5640 twips.
SPLASH=427x215
MAIN=510x408
EXIT_BUTTON=466,386
run_program() {
    local runtime
    runtime=$(mktemp -d)
    XDG_RUNTIME_DIR=$runtime "$MAPWATCH" "$@"
    rm -rf "$runtime"
}
run_program --splash "$SPLASH" -- "$COPY/velnor" >/dev/null 2>&1 # a first start fills the caches
for _ in $(seq "$RUNS"); do run_program --splash "$SPLASH" -- "$COPY/velnor"; done >"$OUT/startup.txt" 2>/dev/null
STARTUP=$(value_of splash_ms "$OUT/startup.txt" | median)
# Against the floor: an empty Qt Widgets window with one line of Chinese text, built the same way. The two
# start in turn (program, floor, program, ...) so both meet the same load; each is timed to its window's
# map notification, and its peak memory is read a second later, its window painted and its start-up work
# done (for the program: the splash shown and the card laid out behind it).
say "start-up against the floor (${FLOOR_RUNS} interleaved pairs)"
run_program --splash "$SPLASH" -- "$FLOOR" >/dev/null 2>&1
for _ in $(seq "$FLOOR_RUNS"); do
    run_program --splash "$SPLASH" --peak-after 1000 -- "$COPY/velnor" 2>/dev/null | sed 's/^/program /'
    run_program --splash "$SPLASH" --peak-after 1000 -- "$FLOOR" 2>/dev/null | sed 's/^/floor /'
done >"$OUT/floor.txt"
pair_median() { awk -v who="$1" -v k="$2" '$1 == who && $2 == k {print $3}' "$OUT/floor.txt" | median; }
P_START=$(pair_median program splash_ms)
F_START=$(pair_median floor splash_ms)
P_PEAK=$(pair_median program peak_kb)
F_PEAK=$(pair_median floor peak_kb)
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (a == "nan" || b == "nan" || b + 0 == 0) print "nan"; else printf "%.2f", a / b }'; }
START_RATIO=$(ratio "$P_START" "$F_START")
PEAK_RATIO=$(ratio "$P_PEAK" "$F_PEAK")
LOAD=$(cut -d' ' -f1-3 /proc/loadavg)

CLEAN=0
for i in $(seq "$RSS_RUNS"); do
    run_program --splash "$SPLASH" --main "$MAIN" --settle 1000 --click "$EXIT_BUTTON" -- \
        /usr/bin/time -v -o "$OUT/time-$i.txt" "$COPY/velnor" >>"$OUT/peak.txt" 2>/dev/null
    awk -F': ' '/Maximum resident set size/ {printf "%.2f\n", $2 * 1024 / 1e6}' "$OUT/time-$i.txt"
done >"$OUT/peak-mb.txt"
PEAK=$(median <"$OUT/peak-mb.txt")
CLEAN=$(grep -c '^exit_clean 1' "$OUT/peak.txt")
MAINS=$(grep -c '^main_ms' "$OUT/peak.txt")

# The table.
W=70
row() { # figure, value, unit, target (the value must be at most the target)
    awk -v f="$1" -v v="$2" -v u="$3" -v t="$4" -v w="$W" 'BEGIN {
        ok = (v != "nan" && v != "" && v + 0 <= t + 0) ? "yes" : "NO"
        printf "| %-" w "s | %9s %-5s | <= %-9s | %-5s |\n", f, v, u, t " " u, ok }'
}
ms() { awk -v v="$1" 'BEGIN { if (v == "nan" || v == "") print "nan"; else printf (v < 1 ? "%.3f" : "%.1f"), v }'; }
# Growth: between each pair of sizes the cost may grow at most in proportion (exponent 1, with 0.1 for
# noise); a fixed cost makes the small sizes grow slower still.
growth() { # label, then size:value pairs
    local label=$1
    shift
    awk -v label="$label" -v w="$W" 'BEGIN {
        worst = 0; text = ""
        for (i = 1; i < ARGC; i++) { split(ARGV[i], p, ":"); n[i] = p[1]; t[i] = p[2] }
        for (i = 2; i < ARGC; i++) {
            e = (t[i] > 0 && t[i - 1] > 0) ? log(t[i] / t[i - 1]) / log(n[i] / n[i - 1]) : 99
            if (e > worst) worst = e
            text = text sprintf("%s%.2f", (i > 2 ? " " : ""), e)
        }
        printf "| %-" w "s | %15s | <= %-9s | %-5s |\n", label, text, "1.1", (worst <= 1.1 ? "yes" : "NO") }' "$@"
}

R0=$(gb_ms BM_RenderCard/0)
R10=$(gb_ms BM_RenderCard/10)
R100=$(gb_ms BM_RenderCard/100)
R1000=$(gb_ms BM_RenderCard/1000)
S1=$(gb_ms BM_ExportPdfSheet/1)
S5=$(gb_ms BM_ExportPdfSheet/5)
S10=$(gb_ms BM_ExportPdfSheet/10)
B100=$(gb_ms BM_BrowserOpen/100)
B1000=$(gb_ms BM_BrowserOpen/1000)
B10000=$(gb_ms BM_BrowserOpen/10000)
B100000=$(gb_ms BM_BrowserOpen/100000)
FC_FAMILIES=$(fc-list : family 2>/dev/null | sort -u | wc -l)

echo
printf "| %-*s | %15s | %-12s | %-5s |\n" "$W" "Figure (median)" "Measured" "Target" "Holds"
printf "|%s|%s|%s|%s|\n" "$(printf -- '-%.0s' $(seq $((W + 2))))" "-----------------" "--------------" "-------"
row "Render the landscape card (texture, logo) into 340 x 207" "$(ms "$R0")" ms 0.3
row "Render the landscape card with the QR code shown" "$(ms "$(gb_ms BM_RenderCardWithQr)")" ms 0.5
row "Re-encode the QR code and repaint after one typed character (nine texts)" \
    "$(ms "$(gb_ms BM_QrTypedCharacter)")" ms 2
row "One drag step (move, model, canvas repainted)" "$(ms "$(gb_ms BM_DragStep)")" ms 1
row "Save: render, 24-bit BMP, safe write" "$(ms "$(gb_ms BM_SaveCard)")" ms 5
row "Save with the design beside the picture (BMP + design, written together)" \
    "$(ms "$(gb_ms BM_SaveWithDesign)")" ms 5
row "Open a saved card for editing (read design, decode pictures, show it)" \
    "$(ms "$(gb_ms BM_OpenForEditing)")" ms 10
row "One undo or redo, card repainted (main window shown)" "$(ms "$(gb_ms BM_UndoRedo)")" ms 1
row "Memory of 100 undo steps (drags, texts; 1-megapixel page picture)" \
    "$HISTORY_MB" MB 5
row "A4 sheet: compose ten cards, write temp.bmp (680 x 1035)" "$(ms "$(gb_ms BM_PrintSheet)")" ms 10
row "Export: PDF of one card with bleed and crop marks" "$(ms "$(gb_ms BM_ExportPdfCard)")" ms 30
row "Export: PDF of the A4 sheet (10 cards, crop marks)" "$(ms "$S10")" ms 100
row "Export: PNG at 600 ppi drawn (2126 x 1276)" "$(ms "$(gb_ms BM_ExportPng600)")" ms 80
row "Export: PNG at 600 ppi drawn, encoded and written" "$(ms "$(gb_ms BM_ExportPng600File)")" ms 80
row "Sharp print of the A4 sheet to a PDF printer at 600 dpi" "$(ms "$(gb_ms BM_SharpPrintSheet)")" ms 300
row "Start-up: process start to the splash mapped (Xvfb)" "$(ms "$STARTUP")" ms 150
row "Start-up against the floor: program / empty window, to the map (ratio)" "$START_RATIO" x 1.3
row "Peak memory against the floor, a second after the map (ratio)" "$PEAK_RATIO" x 1.2
row "Main window load after the splash, font list included (fresh process)" "$(ms "$MAIN_LOAD")" ms 100
row "Open the browser on 10,000 files (list and count shown)" "$(ms "$B10000")" ms 200
row "Memory growth opening the browser on 10,000 files" "$(growth_mb 10000)" MB 20
row "Card files opened or examined while listing 10,000" "$OPENED" files 0
row "Choose a card in the browser (load and show one BMP)" "$(ms "$(gb_ms BM_ChooseCard)")" ms 5
row "Peak resident memory, main window shown (Xvfb, /usr/bin/time)" "$PEAK" MB 60
echo
printf "| %-*s | %15s | %-12s | %-5s |\n" "$W" "Growth: exponent of the cost between successive sizes" "Exponents" \
    "Target" "Holds"
printf "|%s|%s|%s|%s|\n" "$(printf -- '-%.0s' $(seq $((W + 2))))" "-----------------" "--------------" "-------"
growth "Render with an address of 10, 100, 1,000 characters" 10:"$R10" 100:"$R100" 1000:"$R1000"
growth "PDF of the A4 sheet with 1, 5, 10 cards" 1:"$S1" 5:"$S5" 10:"$S10"
growth "Open the browser on 100, 1,000, 10,000, 100,000 files" \
    100:"$B100" 1000:"$B1000" 10000:"$B10000" 100000:"$B100000"
echo
echo "Render with an address of 10 / 100 / 1,000 characters: $(ms "$R10") / $(ms "$R100") / $(ms "$R1000") ms."
echo "PDF of the A4 sheet with 1 / 5 / 10 cards: $(ms "$S1") / $(ms "$S5") / $(ms "$S10") ms."
echo "Browser open on 100 / 1,000 / 10,000 / 100,000 files: $(ms "$B100") / $(ms "$B1000") / $(ms "$B10000") /" \
    "$(ms "$B100000") ms; memory growth $(growth_mb 100) / $(growth_mb 1000) / $(growth_mb 10000) /" \
    "$(growth_mb 100000) MB."
echo "Medians: in-process of ${REPS} repetitions (offscreen), once-per-process figures of ${RUNS} fresh"\
    "processes, peak memory of ${RSS_RUNS} runs (the program ended by its exit button in ${CLEAN} of them," \
    "main window seen in ${MAINS}). MB = 10^6 bytes."
echo "Start-up against the floor, medians of ${FLOOR_RUNS} interleaved pairs: program $(ms "$P_START") ms," \
    "floor $(ms "$F_START") ms; peak memory $(awk -v k="$P_PEAK" 'BEGIN {printf "%.1f", k * 1024 / 1e6}') MB" \
    "against $(awk -v k="$F_PEAK" 'BEGIN {printf "%.1f", k * 1024 / 1e6}') MB; load average then: ${LOAD}."
notes="Font families installed: ${FC_FAMILIES} (fc-list), ${FAMILIES:-?} in the program's font list"
[ "${FC_FAMILIES:-0}" -lt 90 ] && notes="$notes: fewer than the ~100 the load target assumes"
echo "$notes."
echo "Machine: $(nproc) cores, $(awk -F': ' '/^model name/ {print $2; exit}' /proc/cpuinfo)," \
    "$(. /etc/os-release && echo "$PRETTY_NAME"), Qt $(dpkg-query -W -f='${Version}' qt6-base-dev 2>/dev/null | cut -d+ -f1)."
