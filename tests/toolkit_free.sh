#!/usr/bin/env bash
# The program's own code reaches the windowing system only through the platform
# layer: no Qt or Windows header is included outside platform/qt and
# platform/win32.
#   toolkit_free.sh SOURCE_DIR
set -euo pipefail
cd "$1"
found=$(grep -rnE '^\s*#\s*include\s*[<"](Q[A-Za-z]+|qt[a-z_]*\.h|windows\.h|win32_[a-z_]+\.h|commctrl\.h)' \
    app calc ui platform/*.h platform/*.cpp platform/convert || true)
if [ -n "$found" ]; then
    echo "FAIL: toolkit headers outside the platform implementations:" >&2
    echo "$found" >&2
    exit 1
fi
echo "app, calc, ui and the shared platform code include no toolkit header"
