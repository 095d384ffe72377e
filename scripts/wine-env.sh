# Sourced by the scripts that run Windows programs: the environment of Harnlo's own Wine
# prefix, and helpers to make the prefix and a virtual X server ready.
HARNLO_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export WINEPREFIX=${HARNLO_WINEPREFIX:-$HARNLO_ROOT/build/wineprefix}
export WINEARCH=win32
export WINEDEBUG=${WINEDEBUG:--all}
# No Mono or Gecko: their installers would only ask to download.
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree=;mshtml=}
# Wine's ANSI code page comes from the locale: zh_CN gives 936. Set per command through
# `env`, since the glibc locale itself need not exist.
HARNLO_LANG=${HARNLO_LANG:-zh_CN.UTF-8}

harnlo_wine() {
    env LANG="$HARNLO_LANG" LC_ALL="$HARNLO_LANG" wine "$@"
}

# Creates the prefix once (about 15 s) and points Wine's browser at a link recorder of the
# prefix's own: every link that a program opens, whichever process hands it to the browser,
# lands in drive C's harnlo-links.log (C:\harnlo-links.log), one per line, and is printed.
harnlo_prefix_ready() {
    mkdir -p "$(dirname "$WINEPREFIX")"
    local recorder="$WINEPREFIX/harnlo-record-link.sh"
    (
        flock 9
        if [[ ! -f $WINEPREFIX/.harnlo-ready ]]; then
            env LANG="$HARNLO_LANG" LC_ALL="$HARNLO_LANG" wineboot -i >/dev/null 2>&1
            cat >"$recorder" <<RECORDER
#!/bin/sh
printf '%s\\n' "\$1" >>'$WINEPREFIX/drive_c/harnlo-links.log'
printf 'Harnlo opened: %s\\n' "\$1" >&2
if [ -z "\${HARNLO_RECORD_ONLY:-}" ] && command -v xdg-open >/dev/null 2>&1; then
    exec xdg-open "\$1"
fi
RECORDER
            chmod +x "$recorder"
            harnlo_wine reg add 'HKCU\Software\Wine\WineBrowser' /v Browsers /t REG_SZ \
                /d "$recorder" /f >/dev/null 2>&1
            # A crashing program ends with its exit code instead of waiting in a dialog.
            harnlo_wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD \
                /d 0 /f >/dev/null 2>&1
            wineserver -w
            touch "$WINEPREFIX/.harnlo-ready"
        fi
    ) 9>"$WINEPREFIX.lock"
}

# Starts a private virtual X server when there is no display to use, and exports DISPLAY.
# Sets HARNLO_XVFB_PID when it started one.
harnlo_display_ready() {
    if [[ -n ${DISPLAY:-} ]] && xdpyinfo >/dev/null 2>&1; then
        return 0
    fi
    local n
    for n in $(seq 90 140); do
        [[ -e /tmp/.X$n-lock || -e /tmp/.X11-unix/X$n ]] && continue
        Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
        HARNLO_XVFB_PID=$!
        export DISPLAY=":$n"
        local i
        for i in $(seq 1 100); do
            xdpyinfo >/dev/null 2>&1 && return 0
            kill -0 "$HARNLO_XVFB_PID" 2>/dev/null || break
            sleep 0.05
        done
    done
    echo "no virtual X server could be started" >&2
    return 1
}

# A Wine session for a script's whole run: a display, the prefix, one wineserver kept up
# for all programs instead of one per program. Pair with harnlo_session_end (trap ... EXIT).
harnlo_session_begin() {
    harnlo_display_ready
    harnlo_prefix_ready
    wineserver -p >/dev/null 2>&1
}

# Ends the prefix's Wine processes, and the virtual X server when the session started one.
harnlo_session_end() {
    wineserver -k 2>/dev/null || true
    if [[ -n ${HARNLO_XVFB_PID:-} ]]; then
        kill "$HARNLO_XVFB_PID" 2>/dev/null || true
    fi
    return 0
}
