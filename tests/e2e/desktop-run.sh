#!/usr/bin/env bash
# Runs a Windows test program inside a Wine virtual desktop with a taskbar, where Harnlo's
# notification-area icon can be seen and clicked, and passes on the program's result, which
# the desktop does not hand back: the program leaves it in $HARNLO_RESULT_FILE.
set -euo pipefail
here=$(dirname "${BASH_SOURCE[0]}")
HARNLO_RESULT_FILE=$(mktemp "${TMPDIR:-/tmp}/harnlo-result.XXXXXX")
export HARNLO_RESULT_FILE
trap 'rm -f "$HARNLO_RESULT_FILE"' EXIT
: >"$HARNLO_RESULT_FILE"
# One desktop for all test programs: a program started while the desktop of the one before
# is still there joins it (one Explorer, one clipboard manager).
"$here/../windows/wine-run.sh" explorer /desktop=HarnloTest,1024x768 "$@" || true
# Should the desktop end before its program, the program runs on: give it time to finish
# rather than let it run into the next test.
for _ in $(seq 1 240); do
    [[ -s $HARNLO_RESULT_FILE ]] && break
    sleep 0.5
done
if [[ ! -s $HARNLO_RESULT_FILE ]]; then
    echo "the test program left no result" >&2
    exit 1
fi
exit "$(cat "$HARNLO_RESULT_FILE")"
