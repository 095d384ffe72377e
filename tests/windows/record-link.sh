#!/bin/sh
# Wine's browser in Harnlo's prefix. Under the tests it records each link that the shell
# opens, one per line, in $HARNLO_LINK_LOG; otherwise it hands the link to the desktop's
# browser when there is one, and prints it.
if [ -n "${HARNLO_LINK_LOG:-}" ]; then
    printf '%s\n' "$1" >>"$HARNLO_LINK_LOG"
    exit 0
fi
printf 'Harnlo opened: %s\n' "$1" >&2
if command -v xdg-open >/dev/null 2>&1; then
    exec xdg-open "$1"
fi
