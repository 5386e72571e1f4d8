#!/usr/bin/env bash
# Runs every fuzz target of a fuzz build for a bounded time each and fails on any finding.
#   tools/run-fuzzers.sh BUILD_DIR SECONDS
# Each target starts from its committed seeds (fuzz/corpus/NAME) and its dictionary
# (fuzz/NAME.dict) when present; what it learns goes to BUILD_DIR/fuzz-corpus/NAME, and a
# crashing, leaking or slow input to BUILD_DIR/fuzz-artifacts/. Slow means a minute: a form may
# rightly hold up to a million cells, which takes seconds under the sanitizers on a busy machine.
set -euo pipefail
build=${1:?build directory}
seconds=${2:-60}
root="$(cd "$(dirname "$0")/.." && pwd)"
list="$build/fuzzers.txt"
[ -s "$list" ] || { echo "error: $list is missing; configure with -DYGRIDS_FUZZ=ON" >&2; exit 1; }

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export LSAN_OPTIONS=suppressions=$root/tools/lsan.supp
export QT_QPA_PLATFORM=offscreen

mkdir -p "$build/fuzz-artifacts"
failed=()
while read -r name; do
  [ -n "$name" ] || continue
  work="$build/fuzz-corpus/$name"
  mkdir -p "$work"
  args=(-max_total_time="$seconds" -timeout=60 -rss_limit_mb=2048 -print_final_stats=1
        -artifact_prefix="$build/fuzz-artifacts/$name-")
  [ -f "$root/fuzz/$name.dict" ] && args+=(-dict="$root/fuzz/$name.dict")
  seeds=()
  [ -d "$root/fuzz/corpus/$name" ] && seeds+=("$root/fuzz/corpus/$name")
  echo "== $name: $seconds s"
  if ! "$build/fuzz/$name" "${args[@]}" "$work" "${seeds[@]}"; then
    failed+=("$name")
  fi
done <"$list"

if [ ${#failed[@]} -gt 0 ]; then
  echo "Fuzzing found faults in: ${failed[*]} (inputs in $build/fuzz-artifacts)" >&2
  exit 1
fi
echo "Fuzzing: no finding."
