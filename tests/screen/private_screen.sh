# Sourced by the screen tests: start_private_screen WIDTH HEIGHT WORK starts an X server of that
# size and a real window manager on it, exports DISPLAY and leaves their ids in xvfb_pid and
# wm_pid for the caller to end. Logs go to WORK.

start_private_screen() {
    local width=$1 height=$2 work=$3
    # Xvfb picks a free display and writes its number to fd 3. Servers started at the same
    # moment can still trip over each other, so a server whose display does not answer is
    # started again; so is the window manager, until it has taken the screen.
    for attempt in 1 2 3 4 5; do
        kill $wm_pid $xvfb_pid 2>/dev/null
        rm -f "$work/display"
        Xvfb -displayfd 3 -screen 0 ${width}x${height}x24 -nolisten tcp 3>"$work/display" \
            2>"$work/xvfb.log" &
        xvfb_pid=$!
        for _ in $(seq 300); do grep -qx '[0-9][0-9]*' "$work/display" 2>/dev/null && break || sleep 0.1; done
        export DISPLAY=":$(head -n1 "$work/display")"
        # The display must answer, and be this server's, not one that won the same number.
        xprop -root >/dev/null 2>&1 && sleep 0.2 && kill -0 $xvfb_pid 2>/dev/null || continue
        openbox --sm-disable >"$work/openbox.log" 2>&1 &
        wm_pid=$!
        for _ in $(seq 300); do
            kill -0 $wm_pid 2>/dev/null && ! xprop -root _NET_WORKAREA 2>/dev/null | grep -q = || break
            sleep 0.1
        done
        kill -0 $wm_pid 2>/dev/null && xprop -root _NET_WORKAREA 2>/dev/null | grep -q = && return 0
    done
    return 1
}
