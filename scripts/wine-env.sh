# Sourced by the build, run and test scripts: one Wine prefix and one X display
# per checkout, made once and reused.
#   ROOT            the checkout
#   TAVRIN_OUT      build output folder, default $ROOT/out
#   WINEPREFIX      $TAVRIN_OUT/wineprefix (64-bit, code page 936, "宋体" mapped)
#   DISPLAY         the caller's display, else an Xvfb started here on :97

ROOT="${ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}"
TAVRIN_OUT="${TAVRIN_OUT:-out}"
case "$TAVRIN_OUT" in /*) ;; *) TAVRIN_OUT="$ROOT/$TAVRIN_OUT" ;; esac
export TAVRIN_OUT
export WINEPREFIX="${WINEPREFIX:-$TAVRIN_OUT/wineprefix}"
export WINEARCH=win64
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree=d;mshtml=d"
WINE64=/usr/lib/wine/wine64
mkdir -p "$ROOT/out" "$TAVRIN_OUT"

# Every Wine process goes through here. LANG alone leaves Wine on code page
# 1252 on these hosts; LC_ALL gives 936. It is set per process so that the
# host shell, which has no zh_CN locale, does not complain.
wine_run() {
    LC_ALL=zh_CN.UTF-8 "$WINE64" "$@"
}
WINESERVER=/usr/lib/wine/wineserver64
[ -x "$WINESERVER" ] || WINESERVER=/usr/lib/wine/wineserver

display_works() {
    [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1
}

# Starts Xvfb unless a working display is already there (or $1 = "xvfb").
ensure_display() {
    if [ "${1:-}" != xvfb ] && display_works; then return 0; fi
    export DISPLAY=:97
    if ! display_works; then
        Xvfb :97 -screen 0 1280x1024x24 -nolisten tcp </dev/null >"$ROOT/out/xvfb.log" 2>&1 &
        for _ in $(seq 50); do display_works && break; sleep 0.1; done
    fi
    display_works || { echo "Xvfb did not start (see out/xvfb.log)" >&2; return 1; }
}

# Makes the prefix on first use; keeps a wineserver alive so that each test
# program starts in milliseconds rather than seconds.
ensure_prefix() {
    # A wineserver started by a Wine process would inherit that process's
    # output pipes and keep them open; start it here with its own. (It fails
    # harmlessly when one is running already.)
    "$WINESERVER" -p </dev/null >/dev/null 2>&1 || true
    if [ ! -f "$WINEPREFIX/.ready" ]; then
        "$WINESERVER" -k 2>/dev/null
        rm -rf "$WINEPREFIX"
        mkdir -p "$WINEPREFIX"
        "$WINESERVER" -p </dev/null >/dev/null 2>&1 || true
        wine_run wineboot --init >"$TAVRIN_OUT/wineboot.log" 2>&1
        local fs='HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes'
        # "宋体" is a real font (GDI+ ignores substitutes); the rest map.
        /usr/bin/python3 "$ROOT/scripts/make-simsun.py" /usr/share/fonts/truetype/wqy/wqy-zenhei.ttc \
            "$WINEPREFIX/drive_c/windows/Fonts/simsun.ttf"
        for face in 新宋体 NSimSun 微软雅黑 "Microsoft YaHei" Tahoma; do
            wine_run reg add "$fs" /v "$face" /d "WenQuanYi Zen Hei" /f >/dev/null 2>&1
        done
        wine_run reg add 'HKCU\Software\Wine\DllOverrides' /v winemenubuilder.exe /d "" /f >/dev/null 2>&1
        touch "$WINEPREFIX/.ready"
    fi
    "$WINESERVER" -p </dev/null >/dev/null 2>&1 || true
}

# Ends the prefix's processes politely first: a prefix whose services were
# killed mid-way can make every later COM start-up wait 10 s for RpcSs.
stop_wine() {
    wine_run wineboot --shutdown >/dev/null 2>&1 || true
    "$WINESERVER" -k 2>/dev/null || true
}
