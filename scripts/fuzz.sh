#!/usr/bin/env bash
# Fuzzes the portable core with libFuzzer under AddressSanitizer and UndefinedBehaviorSanitizer:
# each text routine against its model, and the conversion from clipboard text to link.
#   scripts/fuzz.sh [seconds per target]      (default 25; the test command uses that)
# The committed seed corpora stay as they are: each run starts from a copy of them and keeps
# what it found in build/fuzz/work; a failing input is saved in build/fuzz/artifacts.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
seconds=${1:-25}
scripts/setup.sh
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j "$(nproc)" >/dev/null
mkdir -p build/fuzz/artifacts
status=0
for target in text_routines share_link; do
    work=build/fuzz/work/$target
    mkdir -p "$work"
    log=build/fuzz/$target.log
    if build/fuzz/${target}_fuzz -max_total_time="$seconds" -rss_limit_mb=2048 -timeout=10 \
        -artifact_prefix=build/fuzz/artifacts/$target- "$work" tests/fuzz/corpus/$target >"$log" 2>&1; then
        echo "fuzz $target: $(grep -o 'Done [0-9]* runs in [0-9]* second(s)' "$log"), no failure"
    else
        echo "fuzz $target: FAILED" >&2
        tail -n 30 "$log" >&2
        status=1
    fi
done
exit $status
