# Shell functions for a private virtual X display; source this file.
#   start_xvfb        starts Xvfb on a free display and exports DISPLAY
#   stop_xvfb         ends it
#   wait_for_window NAME [SECONDS]   prints the id of the first visible window
#                     titled exactly NAME, waiting for it to be mapped

start_xvfb() {
    local number_file
    number_file=$(mktemp)
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$number_file" 2>/dev/null &
    XVFB_PID=$!
    local tries=0
    while [ ! -s "$number_file" ]; do
        if ! kill -0 "$XVFB_PID" 2>/dev/null || [ $tries -ge 100 ]; then
            rm -f "$number_file"
            echo "Xvfb did not start" >&2
            return 1
        fi
        sleep 0.1
        tries=$((tries + 1))
    done
    export DISPLAY=":$(head -n 1 "$number_file")"
    rm -f "$number_file"
}

stop_xvfb() {
    if [ -n "${XVFB_PID:-}" ]; then
        kill "$XVFB_PID" 2>/dev/null || true
        wait "$XVFB_PID" 2>/dev/null || true
        XVFB_PID=
    fi
}

wait_for_window() {
    local name=$1 seconds=${2:-20} id
    local deadline=$((SECONDS + seconds))
    while [ $SECONDS -lt "$deadline" ]; do
        id=$(xdotool search --onlyvisible --name "^${name}\$" 2>/dev/null | head -n 1 || true)
        if [ -n "$id" ]; then
            echo "$id"
            return 0
        fi
        sleep 0.2
    done
    return 1
}

# Waits for a child process of this shell to end and sets EXIT_STATUS to its
# exit status; fails after SECONDS. Call it directly, not in $(...): only the
# shell that started the process can collect its status.
wait_for_exit() {
    local pid=$1 seconds=${2:-20}
    local deadline=$((SECONDS + seconds))
    while kill -0 "$pid" 2>/dev/null; do
        [ $SECONDS -lt "$deadline" ] || return 1
        sleep 0.1
    done
    EXIT_STATUS=0
    wait "$pid" || EXIT_STATUS=$?
}
