#!/usr/bin/env bash
# Runs a Windows test program inside a Wine virtual desktop with a taskbar, where Harnlo's
# notification-area icon can be seen and clicked, and passes on the program's result.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/wine-env.sh"

harnlo_prefix_ready
harnlo_display_ready
# Links are recorded, not handed to a browser.
export HARNLO_RECORD_ONLY=1
HARNLO_RESULT_FILE=$(mktemp "${TMPDIR:-/tmp}/harnlo-result.XXXXXX")
export HARNLO_RESULT_FILE
rm -f "$HARNLO_RESULT_FILE"
output=$(mktemp "${TMPDIR:-/tmp}/harnlo-output.XXXXXX")
trap 'rm -f "$output" "$HARNLO_RESULT_FILE"' EXIT

set +e
harnlo_wine explorer /desktop=HarnloTest,1024x768 "$@" >"$output" 2>&1 </dev/null
set -e
cat "$output"
if [[ -n ${HARNLO_XVFB_PID:-} ]]; then
    wineserver -k 2>/dev/null || true
    kill "$HARNLO_XVFB_PID" 2>/dev/null || true
fi
if [[ ! -s $HARNLO_RESULT_FILE ]]; then
    echo "the test program left no result" >&2
    exit 1
fi
exit "$(cat "$HARNLO_RESULT_FILE")"
