#!/usr/bin/env bash
# Runs the acceptance suite again and again on an existing build while the
# machine is kept busy, to show the cases that fail by chance: one line per
# run, and for each failed case its message and its pictures' folder.
#
#   scripts/soak-acceptance.sh [-n runs] [-l busy-per-core] [-s slow-factor]
#                              [-c case,case] [-b build-dir] [-o out-dir]
#
#   -n  runs (20)
#   -l  busy processes per processor kept spinning during the runs (3; 0 for
#       none)
#   -s  stretches every limit the cases wait against (ZUBRIK_ACCEPTANCE_SLOW)
#   -c  only those cases (ZUBRIK_ACCEPTANCE_CASES)
#   -b  the build folder (build)
#   -o  where each run's output and pictures go (build/soak)
#
# The busy processes end with the script however it ends; every program a
# case starts ends with the suite's runner.
set -uo pipefail
cd "$(dirname "$0")/.."

runs=20
busy=3
build=build
out=
while getopts "n:l:s:c:b:o:h" opt; do
  case $opt in
    n) runs=$OPTARG ;;
    l) busy=$OPTARG ;;
    s) export ZUBRIK_ACCEPTANCE_SLOW=$OPTARG ;;
    c) export ZUBRIK_ACCEPTANCE_CASES=$OPTARG ;;
    b) build=$OPTARG ;;
    o) out=$OPTARG ;;
    *) sed -n '2,17p' "$0"; exit 2 ;;
  esac
done
out=${out:-$build/soak}
runner=$build/tests/acceptance/test_acceptance
if [[ ! -x $runner || ! -x $build/src/zubrik ]]; then
  echo "no built program and acceptance suite in $build: build it first" >&2
  exit 2
fi
mkdir -p "$out"

pids=()
suite=
stop() {
  # The suite's runner takes its cases and their programs along.
  [[ -n $suite ]] && kill "$suite" 2>/dev/null && wait "$suite" 2>/dev/null
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null; done
  for p in "${pids[@]}"; do wait "$p" 2>/dev/null; done
  pids=()
}
trap stop EXIT
trap 'exit 130' INT TERM
cores=$(nproc)
for ((i = 0; i < busy * cores; i++)); do
  ( trap - INT TERM; while :; do :; done ) &
  pids+=($!)
done

echo "$runs runs of the acceptance suite, $((busy * cores)) busy processes on $cores processors," \
  "slowness ${ZUBRIK_ACCEPTANCE_SLOW:-1}, cases ${ZUBRIK_ACCEPTANCE_CASES:-all}; output in $out"
green=0
streak=0
for ((run = 1; run <= runs; run++)); do
  dir=$out/run$run
  rm -rf "$dir"
  mkdir -p "$dir/pictures"
  start=$(date +%s)
  load=$(cut -d' ' -f1-3 /proc/loadavg)
  QT_QPA_PLATFORM=offscreen QT_LOGGING_RULES='qt.qpa.*=false' ZUBRIK_ACCEPTANCE_PICTURES=$dir/pictures \
    "$runner" TestAcceptanceEnParallele >"$dir/output.txt" 2>&1 &
  # Waited for in the background, so that a signal stops the run at once.
  suite=$!
  wait "$suite"
  rc=$?
  suite=
  secs=$(( $(date +%s) - start ))
  failed=$(grep -c '^FAIL!' "$dir/output.txt")
  if [[ $rc -eq 0 && $failed -eq 0 ]]; then
    green=$((green + 1))
    streak=$((streak + 1))
    verdict=green
  else
    streak=0
    verdict="RED ($failed failed, exit $rc)"
  fi
  printf '%s run %d/%d: %s in %d s, load %s; green %d, %d in a row\n' \
    "$(date -u +%H:%M:%S)" "$run" "$runs" "$verdict" "$secs" "$load" "$green" "$streak"
  # Each failure: the case, the lines of its message, its pictures.
  awk -v pics="$dir/pictures" '
    /^FAIL!/ { if (match($0, /cas\(([^)]*)\)/)) { c = substr($0, RSTART + 4, RLENGTH - 5);
               printf "  %s (pictures in %s)\n", c, pics }; infail = 1; print "    " $0; next }
    /^(PASS|SKIP|QDEBUG|Totals|\*\*\*|Config)/ { infail = 0 }
    infail && NF { print "    " $0 }' "$dir/output.txt"
done
echo "green $green of $runs; $streak in a row at the end"
[[ $green -eq $runs ]]
