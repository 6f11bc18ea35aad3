#!/usr/bin/env bash
# Generates benchmark figures into a temporary folder and measures varnoke-cli against
# `wc -l` on the same OBJ files, and large figures against small ones; then the window
# opening large figures against the toolkit's own widgets (when the window is built).
#   run_benchmarks.sh BIN_DIR        (RUNS=N sets the pairs per comparison, default 7)
set -euo pipefail

bin=$(cd "$1" && pwd)
runs=${RUNS:-7}
work=$(mktemp -d "${TMPDIR:-/tmp}/varnoke-bench.XXXXXX")
trap 'rm -rf "$work"' EXIT

make_figure() { "$bin/make_figure" "$work" "$@"; }
compare() { "$bin/compare_runs" "$runs" "$@" | tee -a "$work/results"; }
peak() { grep -F "$1" "$work/results" | sed -E 's/.*peak +([0-9.]+) MiB.*/\1/'; }
geometry() { echo "$work/Runtime/Geometries/$1"; }
cli="$bin/varnoke-cli"

echo "Varnoke benchmarks, $(date -u +%Y-%m-%d), $(nproc) cores, $(uname -m); $runs pairs each, warm cache"

# Each large check against `wc -l` and against the project's own plain scan of the same
# file (one thread, no hierarchy work), with its processor time against its wall time.
for ending in lf crlf; do
  flag=""; [ "$ending" = crlf ] && flag="--crlf"
  make_figure big --size-mb 1024 --groups 400 $flag
  compare "check, 1 GB OBJ ($ending)" 1.0 32 cpu=1.2 -- "$cli" check "$(geometry big)/big.phi" ::: wc -l "$(geometry big)/big0.obj"
  compare "  the same against a plain scan" 1.1 0 -- "$cli" check "$(geometry big)/big.phi" \
    ::: "$bin/plain_scan" "$(geometry big)/big0.obj"
  compare "  plain scan against wc -l" 1.0 0 -- "$bin/plain_scan" "$(geometry big)/big0.obj" ::: wc -l "$(geometry big)/big0.obj"
  rm -rf "$(geometry big)"
done

make_figure several --size-mb 1024 --groups 400 --files 4
compare "check, 4 OBJ files of 256 MB" 1.05 32 cpu=1.2 -- "$cli" check "$(geometry several)/several.phi" \
  ::: wc -l "$(geometry several)"/several{0,1,2,3}.obj
rm -rf "$(geometry several)"

make_figure medium --size-mb 100 --groups 300
compare "check, 100 MB OBJ" 1.2 0 cpu=1.2 -- "$cli" check "$(geometry medium)/medium.phi" ::: wc -l "$(geometry medium)/medium0.obj"
rm -rf "$(geometry medium)"

# The preview's geometry of a 100 MB OBJ file: read into its arrays at least as fast as a plain
# strtof parser of the same lines; the picking structure (its build timed apart) at most doubles
# the peak memory of the arrays alone.
make_figure preview --size-mb 100 --groups 300
obj="$(geometry preview)/preview0.obj"
compare "preview geometry, 100 MB OBJ" 1.0 0 -- "$bin/geometry_load" arrays "$obj" ::: "$bin/geometry_load" strtof "$obj"
compare "  with its picking structure" - 0 -- "$bin/geometry_load" picking "$obj" ::: "$bin/geometry_load" arrays "$obj"
"$bin/geometry_load" picking "$obj" | sed 's/^/  /'
awk -v both="$(peak "  with its picking structure")" -v arrays="$(peak "preview geometry, 100 MB OBJ")" 'BEGIN {
  printf "  peak with picking / arrays alone: %.2fx (target <= 2x) %s\n", both / arrays, both <= 2 * arrays ? "met" : "MISSED" }'
rm -rf "$(geometry preview)"

# Memory per part: an OBJ file of 10,000,000 group lines ("g p<i>", 109 MB), none used by the
# hierarchy, so each name is kept and each gets its warning. Peak bytes beyond those of the
# names, per group; the time against a naive program that puts the names in a hash set.
per_group() { # LABEL PEAK_MIB NAME_BYTES GROUPS TARGET ("-" for none)
  awk -v label="$1" -v peak="$2" -v names="$3" -v groups="$4" -v target="$5" 'BEGIN {
    bytes = (peak * 1048576 - names) / groups
    verdict = target == "-" ? "" : sprintf(" (target <= %d) %s", target, bytes <= target ? "met" : "MISSED")
    printf "%-34s %5.0f bytes per group beyond its name%s\n", label, bytes, verdict }'
}
name_bytes() { awk '/^g /{ total += length($0) - 2 } END { printf "%.0f", total }' "$1"; }
make_figure groups --group-lines 10000000
compare "check, 10,000,000 unused groups" 1.0 0 -- "$cli" check "$(geometry groups)/groups.phi" \
  ::: "$bin/naive_names" "$(geometry groups)/groups0.obj"
per_group "  its memory" "$(peak "check, 10,000,000 unused groups")" "$(name_bytes "$(geometry groups)/groups0.obj")" \
  10000000 160
# Generation from the same file: a level line for each group, tested (one pair: it takes a while).
"$bin/compare_runs" 1 "generate, 10,000,000 groups" - 0 -- "$cli" generate "$(geometry groups)/groups0.obj" \
  ::: "$bin/naive_names" "$(geometry groups)/groups0.obj" | tee -a "$work/results"
per_group "  its memory" "$(peak "generate, 10,000,000 groups")" "$(name_bytes "$(geometry groups)/groups0.obj")" \
  10000000 160
rm -rf "$(geometry groups)"

# Generation grows linearly: ten times the groups (random names of 10 to 250 characters).
make_figure names30k --random-names 30000
make_figure names300k --random-names 300000
compare "generate, 300,000 random names vs 30,000" 12 0 -- "$cli" generate "$(geometry names300k)/names300k0.obj" \
  ::: "$cli" generate "$(geometry names30k)/names30k0.obj"
# Names over 99 characters are cut by the check, which then reports each with its errors and
# its warning: the names are held by the lines, the OBJ part list and the warnings.
per_group "  its memory" "$(peak "generate, 300,000 random names")" \
  "$(name_bytes "$(geometry names300k)/names300k0.obj")" 300000 -
rm -rf "$(geometry names30k)" "$(geometry names300k)"

make_figure parts2k --size-mb 1 --groups 2000
make_figure parts20k --size-mb 10 --groups 20000
compare "check, 20,000 parts vs 2,000" 12 0 -- "$cli" check "$(geometry parts20k)/parts20k.phi" \
  ::: "$cli" check "$(geometry parts2k)/parts2k.phi"
compare "generate, 20,000 groups vs 2,000" 12 0 -- "$cli" generate "$(geometry parts20k)/parts20k0.obj" \
  ::: "$cli" generate "$(geometry parts2k)/parts2k0.obj"

# A line of 100 MB in an OBJ file is read a block at a time, never held whole.
mkdir -p "$(geometry longline)"
{ printf 'g hip\nv '; head -c 104857600 /dev/zero | tr '\0' '1'; printf '\rg abdomen'; } >"$(geometry longline)/long.obj"
printf 'objFile :Runtime:Geometries:longline:long.obj\n1 hip yzx\n2 abdomen yzx\n' >"$(geometry longline)/long.phi"
compare "check, one 100 MB OBJ line" 3 64 -- "$cli" check "$(geometry longline)/long.phi" \
  ::: wc -l "$(geometry longline)/long.obj"
rm -rf "$(geometry longline)"

# Names missing from a large folder: each costs a lookup in the folder's listing, read once.
mkdir -p "$(geometry crowded)" "$(geometry empty)"
(cd "$(geometry crowded)" && seq -f 'entry%05g.obj' 0 49999 | xargs touch)
for folder in crowded empty; do
  seq -f "objFile :Runtime:Geometries:$folder:Missing%g.OBJ" 1 2000 >"$work/misses-$folder.phi"
done
compare "check, 2,000 misses in a 50,000-entry folder vs an empty one" 3 0 \
  -- "$cli" check --poser-dir "$work" "$work/misses-crowded.phi" ::: "$cli" check --poser-dir "$work" "$work/misses-empty.phi"
rm -rf "$(geometry crowded)" "$(geometry empty)" "$work"/misses-*.phi

# Many files in one folder: the Poser folder above them is searched for once.
mkdir -p "$work/many/Runtime"
(cd "$work/many" && for i in $(seq 1 5000); do printf '# figure %d\n' "$i" >"f$i.phi"; done)
compare "check of 5,000 files without --poser-dir vs with it" 1.5 0 \
  -- bash -c "cd '$work/many' && exec '$cli' check *.phi" ::: bash -c "cd '$work/many' && exec '$cli' check --poser-dir '$work/many' *.phi"
rm -rf "$work/many"

growth=$(awk -v big="$(peak "check, 1 GB OBJ (lf)")" -v small="$(peak "check, 100 MB OBJ")" 'BEGIN { printf "%.1f", big - small }')
echo "peak memory at 1 GB above that at 100 MB: $growth MiB (target <= 4 MiB)"

if [ -x "$bin/bench_window" ]; then
  QT_QPA_PLATFORM=offscreen "$bin/bench_window" "$work" | tee -a "$work/results"
  QT_QPA_PLATFORM=offscreen "$bin/bench_idle_save" "$work" | tee -a "$work/results"
fi
if [ -x "$bin/preview_frame" ]; then
  QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1024x768x24" "$bin/preview_frame" | tee -a "$work/results"
fi
# The text view's colouring and 2,000 diagnostic marks against the bare editor, loading and typing.
if [ -x "$bin/bench_text_view" ]; then
  QT_QPA_PLATFORM=offscreen "$bin/bench_text_view" "$runs" | tee -a "$work/results"
fi
