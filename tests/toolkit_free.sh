#!/usr/bin/env bash
# The program's own code reaches the windowing system only through the platform
# layer: no Qt, Windows or Emscripten header is included outside the runtimes'
# folders. The calculation includes nothing of the platform layer at all.
#   toolkit_free.sh SOURCE_DIR
set -euo pipefail
cd "$1"
found=$(grep -rnE '^\s*#\s*include\s*[<"]([a-z0-9_]+/)*(Q[A-Za-z]+|qt[a-z_]*\.h|windows\.h|win32_[a-z_]+\.h|commctrl\.h|emscripten(\.h|/))' \
    app calc ui platform/*.h platform/*.cpp || true)
if [ -n "$found" ]; then
    echo "FAIL: toolkit headers outside the platform implementations:" >&2
    echo "$found" >&2
    exit 1
fi
found=$(grep -rnE '^\s*#\s*include\s*"(platform|ui|app)/' calc || true)
if [ -n "$found" ]; then
    echo "FAIL: the calculation includes the platform layer or the windows:" >&2
    echo "$found" >&2
    exit 1
fi
echo "app, calc, ui and the shared platform code include no toolkit header;"
echo "calc includes nothing of platform, ui or app"
