#!/usr/bin/env bash
# Installs what Orvanel needs, builds it, and starts it or runs every test.
#
#   scripts/orvanel.sh run       start Orvanel
#   scripts/orvanel.sh test      run the whole test suite, stage by stage: every
#                                stage runs even after one failed, a table of
#                                their results ends the output, and the status
#                                is 1 when any failed
#   scripts/orvanel.sh windows   cross-build orvanel.exe for 64-bit and 32-bit Windows
#   scripts/orvanel.sh web       build the web site into build-web/site and serve it
#                                on 127.0.0.1 (ORVANEL_WEB_PORT, else 8642 or the next free)
#
# On Debian and Ubuntu missing packages are installed with apt-get (through sudo
# when not run as root). Without a display, "run" starts Orvanel on a virtual
# X display, saves a picture of its window and ends it again; "web" without a
# display saves a picture of the page, taken by headless Chromium.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${ORVANEL_BUILD_DIR:-$root/build}
packages=(
    g++ cmake make git libgtest-dev qt6-base-dev
    xvfb xauth xdotool
    fonts-wine fonts-ocr-a fonts-blankenburg fonts-dejavu-core
)
# What only the tests use: validators, packaging tools, the Windows resource
# compiler, clang for fuzzing, Google Benchmark, XCB for the start-up timer,
# and a D-Bus session with the accessibility bus for the Qt windows as screen
# readers read them.
test_packages=(
    desktop-file-utils appstream dpkg-dev file binutils-mingw-w64-x86-64
    clang libclang-rt-14-dev libbenchmark-dev clang-format libxcb1-dev
    dbus-daemon at-spi2-core
)
# What the Windows builds use: the MinGW-w64 cross compilers with posix
# threads, GoogleTest's sources, and NSIS and zip for the packages; then Wine
# to run the 64-bit build's tests, and ImageMagick to picture its window.
windows_packages=(
    g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix googletest nsis zip unzip
)
wine_packages=(wine wine64 imagemagick)
# What the web site is built with: Emscripten, node, the fonts it ships cut
# down by fonttools (WOFF2 needs brotli) and optipng for the icons; its tests
# add GoogleTest's sources, the three engines of the browser suite (Chromium,
# Firefox ESR, WebKitGTK with its driver, on a virtual display) and npm.
web_packages=(
    cmake make emscripten nodejs python3 fonttools python3-brotli optipng
    fonts-wine fonts-dejavu-core fonts-ocr-a fonts-blankenburg
)
web_test_packages=(googletest chromium firefox-esr webkit2gtk-driver xvfb xauth)
# Debian's npm, unless node came with an npm of its own: a node from another
# source conflicts with Debian's npm package.
command -v npm >/dev/null || web_test_packages+=(npm)

usage() {
    echo "usage: $0 run|test|windows|web" >&2
    exit 2
}

missing_packages() {
    local package
    for package in "${packages[@]}"; do
        if [ "$(dpkg-query -W -f='${db:Status-Status}' "$package" 2>/dev/null)" != installed ]; then
            echo "$package"
        fi
    done
}

install_packages() {
    if ! command -v apt-get >/dev/null || ! command -v dpkg-query >/dev/null; then
        echo "This system has no apt-get. Install these (or your system's" >&2
        echo "equivalents), then run this command again:" >&2
        printf '  %s\n' "${packages[@]}" >&2
        exit 1
    fi
    local missing
    missing=$(missing_packages)
    [ -n "$missing" ] || return 0
    local sudo=()
    if [ "$(id -u)" -ne 0 ]; then
        if ! command -v sudo >/dev/null; then
            echo "Installing needs root. As root, run:" >&2
            echo "  apt-get install $(echo $missing)" >&2
            exit 1
        fi
        sudo=(sudo)
    fi
    echo "Installing: $(echo $missing)"
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq
    # shellcheck disable=SC2086 # one word per package
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive \
        apt-get install -y -qq --no-install-recommends $missing
}

# Configures a tree: configure_tree DIR [CMAKE_OPTION...]
configure_tree() {
    local dir=$1
    shift
    local werror=OFF
    [ "${CI:-}" = true ] && werror=ON
    cmake -S "$root" -B "$dir" -DORVANEL_WARNINGS_AS_ERRORS=$werror "$@"
}

# Configures and builds all of a tree: build_tree DIR [CMAKE_OPTION...]
build_tree() {
    configure_tree "$@"
    cmake --build "$1" --parallel "$(nproc)"
}

# The build of this machine and its whole test suite.
test_linux() {
    echo "== The build and its tests"
    build_tree "$build"
    ctest --test-dir "$build" --output-on-failure --parallel "$(nproc)"
}

# The whole suite again on a build with AddressSanitizer, LeakSanitizer and
# UndefinedBehaviorSanitizer. Packaging, formatting and fuzzing are left out: the
# first two check files rather than running our code, the last has sanitizers of
# its own.
test_sanitized() {
    local dir="$build-sanitize"
    echo "== The test suite under AddressSanitizer and UndefinedBehaviorSanitizer"
    build_tree "$dir" -DORVANEL_SANITIZE=ON
    LSAN_OPTIONS="suppressions=$root/tests/lsan.supp:print_suppressions=0" \
        UBSAN_OPTIONS=print_stacktrace=1 \
        ctest --test-dir "$dir" --output-on-failure --parallel "$(nproc)" -LE 'fuzz|packaging|static'
}

# Cross-builds orvanel.exe for one Windows architecture, then its zip and its
# installer with the program stripped: build_windows_tree x86_64|i686. The
# 32-bit program runs on every Windows.
build_windows_tree() {
    local arch=$1 tree output
    case $arch in
    x86_64) tree="$build-win64" ;;
    i686) tree="$build-win32" ;;
    *) echo "build_windows_tree: no Windows architecture $arch" >&2 && return 2 ;;
    esac
    echo "== Windows, $arch"
    build_tree "$tree" --toolchain "$root/cmake/mingw-w64-$arch.cmake"
    echo "built $tree/app/orvanel.exe ($(stat -c %s "$tree/app/orvanel.exe") bytes, with debug information)"
    # CPack's report is shown only when it fails.
    if ! output=$(cd "$tree" && cpack -B "$tree/packages" 2>&1); then
        printf '%s\n' "$output" >&2
        echo "cpack could not make the packages of $tree" >&2
        return 1
    fi
    ls -l "$tree"/packages/orvanel-*.zip "$tree"/packages/orvanel-*.exe |
        awk '{ print "made " $NF " (" $5 " bytes)" }'
}

build_windows() {
    build_windows_tree x86_64
    build_windows_tree i686
}

# The 64-bit Windows build and its tests under Wine, in the build tree's own
# prefix.
test_windows_x86_64() {
    build_windows_tree x86_64
    echo "== The Windows tests under Wine"
    ctest --test-dir "$build-win64" --output-on-failure
}

# The 32-bit Windows build. Its tests run under 32-bit Wine where that is
# installed beside the 64-bit one (package wine32:i386, which needs i386 as a
# foreign dpkg architecture; the test command never installs it). Elsewhere
# only its checks that start no Windows program run: its imports and its
# packages.
test_windows_i686() {
    build_windows_tree i686
    if [ -x /usr/lib/wine/wine ]; then
        echo "== The 32-bit Windows tests under 32-bit Wine"
        ctest --test-dir "$build-win32" --output-on-failure
    else
        echo "== The 32-bit Windows imports and packages (its other tests not run: no 32-bit Wine, package wine32:i386)"
        ctest --test-dir "$build-win32" --output-on-failure -R '^wine\.(packages|system-dlls-only)$'
    fi
}

# Configures and builds the web site with Emscripten: build_web [CMAKE_OPTION...]
# Node runs what is built for the build machine; node 20 refuses the thread flag
# that emcmake would give it.
build_web() {
    local dir="$build-web" werror=OFF
    [ "${CI:-}" = true ] && werror=ON
    emcmake cmake -S "$root" -B "$dir" -DCMAKE_BUILD_TYPE=MinSizeRel \
        -DORVANEL_WARNINGS_AS_ERRORS=$werror \
        "-DCMAKE_CROSSCOMPILING_EMULATOR=$(command -v node);--no-experimental-fetch" "$@"
    cmake --build "$dir" --parallel "$(nproc)"
}

# The web build's tests: the calculation's under node, the site's files and the
# browser suite in Chromium.
test_web() {
    echo "== The web site and its tests"
    packages=("${web_packages[@]}" "${web_test_packages[@]}")
    install_packages
    build_web -DBUILD_TESTING=ON
    ctest --test-dir "$build-web" --output-on-failure
}

# Serves the site on 127.0.0.1 until interrupted; without a display, first
# saves a picture of the page as headless Chromium shows it.
serve_web() {
    local site="$build-web/site" port=${ORVANEL_WEB_PORT:-8642} server
    local last=$((port + 20)) log="$build-web/web-server.log"
    while :; do
        python3 -m http.server --bind 127.0.0.1 --directory "$site" "$port" >"$log" 2>&1 &
        server=$!
        sleep 0.5
        kill -0 "$server" 2>/dev/null && break
        if [ -n "${ORVANEL_WEB_PORT:-}" ] || [ "$port" -ge "$last" ]; then
            echo "Could not serve the site on 127.0.0.1:$port:" >&2
            cat "$log" >&2
            exit 1
        fi
        port=$((port + 1))
    done
    trap 'kill "$server" 2>/dev/null || true' EXIT
    local address="http://127.0.0.1:$port/"
    if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
        local shot="$build-web/orvanel-web-screenshot.png" sandbox=() output
        [ "$(id -u)" -eq 0 ] && sandbox=(--no-sandbox)
        rm -f "$shot"
        if output=$(chromium --headless "${sandbox[@]}" --disable-gpu --hide-scrollbars \
            --window-size=800,600 --virtual-time-budget=10000 \
            --screenshot="$shot" "$address" 2>&1) && [ -s "$shot" ]; then
            echo "No display found: saved a picture of the page as Chromium shows it: $shot"
        else
            echo "No display found, and Chromium could not take a picture of the page:" >&2
            echo "$output" >&2
        fi
    fi
    echo "Orvanel is served at $address (the site is $site); Ctrl+C stops the server."
    wait "$server"
}

# The stages of the test command, each run whatever became of those before it:
# run_stage NAME FUNCTION. A stage ends at its first failing step (an install,
# a configure, a build or a test run), whose output stays where it was
# printed; its result and time are kept for results_table.
stage_names=()
stage_results=()
stage_seconds=()
run_stage() {
    local name=$1 start=$SECONDS status=0
    shift
    echo "=== Stage $name"
    # The stage runs in a subshell of its own with errexit, and nothing tests
    # the subshell's status directly: bash ignores errexit inside a command
    # whose status is tested (if, ||, &&).
    set +e
    (
        set -e
        "$@"
    )
    status=$?
    set -e
    stage_names+=("$name")
    stage_seconds+=($((SECONDS - start)))
    if [ "$status" -eq 0 ]; then
        stage_results+=(passed)
    else
        stage_results+=(failed)
        echo "=== Stage $name failed (status $status); the stages after it still run" >&2
    fi
}

# Prints the table of the stages' results; fails when any stage failed.
results_table() {
    local i failed=0 width=5 seconds
    for i in "${!stage_names[@]}"; do
        [ "${#stage_names[i]}" -le "$width" ] || width=${#stage_names[i]}
    done
    echo
    printf '%-*s | %-6s | %s\n' "$width" stage result time
    for i in "${!stage_names[@]}"; do
        seconds=${stage_seconds[i]}
        printf '%-*s | %-6s | %dm %02ds\n' "$width" "${stage_names[i]}" "${stage_results[i]}" \
            $((seconds / 60)) $((seconds % 60))
        [ "${stage_results[i]}" = passed ] || failed=1
    done
    return "$failed"
}

run_headless() {
    # shellcheck source=scripts/xvfb.sh
    . "$root/scripts/xvfb.sh"
    runtime_dir=$(mktemp -d)
    trap 'stop_xvfb; rm -rf "$runtime_dir"' EXIT
    start_xvfb
    # Qt keeps its per-session files where the session says; without a
    # desktop session there is none, so it gets a private one.
    export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$runtime_dir}
    local shot="$build/orvanel-screenshot.png"
    echo "No display found: starting Orvanel on the virtual display $DISPLAY."
    QT_QPA_PLATFORM=xcb "$build/app/orvanel" &
    local pid=$!
    local window
    if ! window=$(wait_for_window Orvanel 30); then
        kill "$pid" 2>/dev/null || true
        echo "Orvanel did not show its window." >&2
        exit 1
    fi
    sleep 0.5
    "$build/tools/grab/orvanel-grab" "$shot"
    echo "Saved a picture of its window: $shot"
    xdotool windowfocus --sync "$window" key --clearmodifiers alt+f x
    if wait_for_exit "$pid" 10; then
        echo "Ended Orvanel through File > Exit. Run it again where a display is available."
    else
        kill "$pid" 2>/dev/null || true
        echo "Orvanel did not end through File > Exit; it was stopped." >&2
        exit 1
    fi
}

[ $# -eq 1 ] || usage
case $1 in
run)
    install_packages
    configure_tree "$build" --log-level=WARNING
    # Only the program, and without a display the helper that pictures its window.
    if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
        cmake --build "$build" --parallel "$(nproc)" --target orvanel
        exec "$build/app/orvanel"
    fi
    cmake --build "$build" --parallel "$(nproc)" --target orvanel orvanel-grab
    run_headless
    ;;
test)
    packages+=("${test_packages[@]}" "${windows_packages[@]}" "${wine_packages[@]}")
    install_packages
    run_stage linux test_linux
    run_stage sanitizers test_sanitized
    run_stage windows-x86_64 test_windows_x86_64
    run_stage windows-i686 test_windows_i686
    run_stage web test_web
    results_table || exit 1
    ;;
windows)
    packages=(cmake make "${windows_packages[@]}")
    install_packages
    build_windows
    ;;
web)
    packages=("${web_packages[@]}")
    [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ] || packages+=(chromium)
    install_packages
    build_web -DBUILD_TESTING=OFF --log-level=WARNING
    serve_web
    ;;
*)
    usage
    ;;
esac
