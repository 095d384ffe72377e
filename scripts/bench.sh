#!/usr/bin/env bash
# Harnlo's benchmarks (figures, not pass or fail): the conversion on the host beside a regular
# expression peer and a memchr floor; the whole program under Wine beside a minimal program
# that only adds a tray icon; the key-press latency inside the process. About four minutes.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
scripts/setup.sh
cmake --preset bench >/dev/null
cmake --build --preset bench -j "$(nproc)" --target conversion_bench >/dev/null
cmake --preset windows >/dev/null
cmake --build --preset windows -j "$(nproc)" --target program_bench latency_bench >/dev/null

echo "== the conversion, on the host (Google Benchmark)"
build/bench/conversion_bench --benchmark_min_time=0.3

source scripts/wine-env.sh
trap harnlo_session_end EXIT
harnlo_session_begin
# The settings file is the prefix user's: keep it as it was.
settings="$WINEPREFIX/drive_c/users/$(id -un)/AppData/Roaming/harnlo.ini"
saved=$(mktemp)
had_settings=0
if [[ -f $settings ]]; then cp -a "$settings" "$saved"; had_settings=1; fi

echo
echo "== the whole program under Wine, beside a minimal tray program"
tests/e2e/desktop-run.sh build/windows/program_bench.exe 2>/dev/null | grep -v '^Harnlo opened'
echo
echo "== key press to ShellExecute, inside the process, under Wine"
tests/e2e/desktop-run.sh build/windows/latency_bench.exe 2>/dev/null | grep -v '^Harnlo opened'

rm -f "$settings"
if [[ $had_settings == 1 ]]; then cp -a "$saved" "$settings"; fi
rm -f "$saved"
