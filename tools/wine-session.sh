#!/usr/bin/env bash
# Starts or stops the Wine session of one test run: an Xvfb display, a freshly
# booted prefix and a persistent wineserver. Reads WINEPREFIX and DISPLAY.
#   wine-session.sh start   boot a fresh prefix on a running display
#   wine-session.sh stop    end the wineserver and the display
set -euo pipefail
: "${WINEPREFIX:?}" "${DISPLAY:?}"
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
state="${WINEPREFIX}.session"
display_number="${DISPLAY#:}"

stop_session() {
    wineserver -k >/dev/null 2>&1 || true
    if [[ -f "$state/xvfb.pid" ]]; then
        kill "$(cat "$state/xvfb.pid")" >/dev/null 2>&1 || true
        rm -f "$state/xvfb.pid"
    fi
}

start_display() {
    if [[ -S "/tmp/.X11-unix/X${display_number}" ]] && xdpyinfo >/dev/null 2>&1; then
        return
    fi
    rm -f "/tmp/.X${display_number}-lock" "/tmp/.X11-unix/X${display_number}"
    setsid Xvfb "$DISPLAY" -screen 0 1920x1080x24 -nolisten tcp </dev/null >/dev/null 2>&1 &
    echo $! >"$state/xvfb.pid"
    for _ in $(seq 100); do
        [[ -S "/tmp/.X11-unix/X${display_number}" ]] && return
        sleep 0.1
    done
    echo "Xvfb did not start on $DISPLAY" >&2
    exit 1
}

case "${1:-}" in
start)
    mkdir -p "$state"
    stop_session
    rm -rf "$WINEPREFIX"
    start_display
    # The persistent server keeps every test process's start-up short; its
    # output and that of Wine's services stay off the test runner's pipes.
    setsid wineserver -p </dev/null >/dev/null 2>&1 &
    env LC_ALL=zh_CN.UTF-8 wineboot --init </dev/null >/dev/null 2>&1
    env LC_ALL=zh_CN.UTF-8 wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v '微软雅黑' /t REG_SZ \
        /d 'WenQuanYi Micro Hei' /f </dev/null >/dev/null 2>&1
    env LC_ALL=zh_CN.UTF-8 wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'Microsoft YaHei' /t REG_SZ \
        /d 'WenQuanYi Micro Hei' /f </dev/null >/dev/null 2>&1
    # Without a window manager (Xvfb), a window Wine leaves to one waits two
    # seconds for it on every hide; Wine then places its windows itself.
    if ! xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; then
        wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f \
            </dev/null >/dev/null 2>&1
    fi
    echo "Wine prefix $WINEPREFIX booted on display $DISPLAY"
    ;;
stop)
    stop_session
    ;;
*)
    echo "usage: $0 start|stop" >&2
    exit 2
    ;;
esac
