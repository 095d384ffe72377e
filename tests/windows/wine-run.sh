#!/usr/bin/env bash
# ctest's launcher for the Windows test programs: runs one under Wine, in the project's prefix,
# with a display and a fresh link log unless the caller gave them.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/wine-env.sh"

harnlo_prefix_ready
harnlo_display_ready
# Links are recorded, not handed to a browser.
export HARNLO_RECORD_ONLY=1
# Wine's helper processes (services, the desktop) started by this program inherit its
# output and can outlive it: give them a file, not the caller's pipe, and copy it afterwards.
output=$(mktemp "${TMPDIR:-/tmp}/harnlo-output.XXXXXX")
set +e
harnlo_wine "$@" >"$output" 2>&1 </dev/null
status=$?
cat "$output"
rm -f "$output"
if [[ -n ${HARNLO_XVFB_PID:-} ]]; then
    # The prefix's Wine processes are tied to this display: end them with it.
    wineserver -k 2>/dev/null
    kill "$HARNLO_XVFB_PID" 2>/dev/null
fi
exit $status
