#!/usr/bin/env bash
# ctest's launcher for the Windows test programs: runs one under Wine, in the project's prefix,
# with a display (a private virtual X server when there is none).
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
# The prefix's Wine processes are tied to a private display: they end with it.
[[ -n ${HARNLO_XVFB_PID:-} ]] && harnlo_session_end
exit $status
