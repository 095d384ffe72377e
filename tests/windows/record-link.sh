#!/bin/sh
# Wine's browser for the tests: records each link that the shell opens, one per line.
printf '%s\n' "$1" >>"${HARNLO_LINK_LOG:-/dev/null}"
