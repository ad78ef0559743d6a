#!/usr/bin/env bash
# Installs the built tree into a temporary DESTDIR and makes the packages, and
# checks what lands where.
#   install_and_package.sh BUILD_DIR install|package
set -euo pipefail
build=$1 what=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# Validators that the test set-up installs; each is skipped, and said so, only
# where it is missing.
validate() {
    local tool=$1
    shift
    if command -v "$tool" >/dev/null; then
        "$tool" "$@" || fail "$tool $*"
        echo "$tool: clean"
    else
        echo "SKIPPED: $tool is not installed"
    fi
}

expected_files=(
    usr/bin/orvanel
    usr/share/applications/orvanel.desktop
    usr/share/metainfo/org.example.orvanel.metainfo.xml
    usr/share/icons/hicolor/32x32/apps/orvanel.png
    usr/share/icons/hicolor/64x64/apps/orvanel.png
    usr/share/icons/hicolor/128x128/apps/orvanel.png
    usr/share/icons/hicolor/256x256/apps/orvanel.png
    usr/share/doc/orvanel/copyright
)

# Prints the width and height stored in a PNG file's header.
png_size() {
    od -An -j16 -N8 -tu1 "$1" | awk '{ print $1*16777216+$2*65536+$3*256+$4 "x" $5*16777216+$6*65536+$7*256+$8 }'
}

case $what in
install)
    DESTDIR="$work/root" cmake --install "$build" --prefix /usr >/dev/null
    for file in "${expected_files[@]}"; do
        [ -s "$work/root/$file" ] || fail "missing $file"
    done
    [ -x "$work/root/usr/bin/orvanel" ] || fail "orvanel is not executable"
    for size in 32 64 128 256; do
        got=$(png_size "$work/root/usr/share/icons/hicolor/${size}x${size}/apps/orvanel.png")
        [ "$got" = "${size}x${size}" ] || fail "the ${size}x${size} icon is $got"
    done
    unexpected=$(cd "$work/root" && find . -type f | sed 's|^\./||' | sort |
        grep -vxF -f <(printf '%s\n' "${expected_files[@]}") || true)
    [ -z "$unexpected" ] || fail "unexpected files installed: $unexpected"
    validate desktop-file-validate "$work/root/usr/share/applications/orvanel.desktop"
    validate appstreamcli validate --no-net --pedantic \
        "$work/root/usr/share/metainfo/org.example.orvanel.metainfo.xml"
    echo "installed: ${expected_files[*]}"
    ;;
package)
    (cd "$build" && cpack -B "$work/packages" >/dev/null) || fail "cpack failed"
    deb=$(ls "$work"/packages/orvanel_1.0.0_*.deb 2>/dev/null | head -n 1)
    [ -n "$deb" ] || fail "no orvanel_1.0.0_<arch>.deb was made"
    tarball=$(ls "$work"/packages/orvanel-1.0.0-*.tar.gz 2>/dev/null | head -n 1)
    [ -n "$tarball" ] || fail "no orvanel-1.0.0 tarball was made"
    contents=$(dpkg-deb -c "$deb" | awk '{ print $6 }')
    for file in "${expected_files[@]}"; do
        grep -qxF "./$file" <<<"$contents" || fail "the package lacks $file"
    done
    tar_contents=$(tar -tzf "$tarball")
    grep -q '/bin/orvanel$' <<<"$tar_contents" || fail "the tarball lacks bin/orvanel"
    depends=$(dpkg-deb -f "$deb" Depends)
    echo "Depends: $depends"
    for library in libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6; do
        grep -q "\b$library\b" <<<"$depends" || fail "Depends lacks $library"
    done
    [ "$(dpkg-deb -f "$deb" Version)" = 1.0.0 ] || fail "the package's version is not 1.0.0"
    dpkg-deb --fsys-tarfile "$deb" | tar -xO ./usr/share/doc/orvanel/copyright | grep -q '^MIT License' ||
        fail "the package's copyright file does not name the MIT licence"
    echo "made $(basename "$deb") and $(basename "$tarball")"
    ;;
*)
    fail "usage: $0 BUILD_DIR install|package"
    ;;
esac
