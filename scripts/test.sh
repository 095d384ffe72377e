#!/usr/bin/env bash
# Every test of Harnlo: installs what is missing, builds both configurations, runs the host
# tests under the sanitizers and the Windows tests under Wine in a virtual X server.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
scripts/setup.sh
jobs=$(nproc)

echo "== formatting"
git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run --Werror

echo "== host: portable core under AddressSanitizer and UndefinedBehaviorSanitizer"
cmake --preset host >/dev/null
cmake --build --preset host -j "$jobs" >/dev/null
ctest --preset host -j "$jobs"

echo "== fuzzing: libFuzzer, each target for a bounded time"
scripts/fuzz.sh 25

echo "== windows: MinGW-w64 i686 build, tests under Wine"
cmake --preset windows >/dev/null
cmake --build --preset windows -j "$jobs" >/dev/null

source scripts/wine-env.sh
trap harnlo_session_end EXIT
harnlo_session_begin
ctest --preset windows
