#!/usr/bin/env bash
# The Debian package that CPack builds from this build tree, unpacked into a scratch folder: its
# name, its files and their kinds, its dependencies, the programs it carries, and the verdicts of the
# desktop entry and AppStream validators and of lintian.
#   test_package.sh <build folder> <version>
# The package is made from the build as it is (a few seconds); scripts/package makes the release
# package with Debian's hardening flags, so only the hardening tags, which depend on those flags,
# are not held against this one.
set -euo pipefail
build=$1
version=$2
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

cpack --config "$build/CPackConfig.cmake" -B "$scratch" >"$scratch/cpack.log" 2>&1 || {
    cat "$scratch/cpack.log"
    exit 1
}
architecture=$(dpkg --print-architecture)
package="$scratch/tarnis_${version}-1_${architecture}.deb"
[[ -f $package ]] || { ls "$scratch"; echo "FAIL: no $(basename "$package")"; exit 1; }
root="$scratch/root"
dpkg-deb -x "$package" "$root"

# Every file, and nothing else.
expected=(
    usr/bin/tarnis usr/bin/tarnis-run
    usr/share/applications/tarnis.desktop
    usr/share/mime/packages/tarnis.xml
    usr/share/metainfo/org.example.tarnis.metainfo.xml
    usr/share/icons/hicolor/scalable/apps/tarnis.svg
    usr/share/man/man1/tarnis.1.gz usr/share/man/man1/tarnis-run.1.gz
    usr/share/doc/tarnis/copyright usr/share/doc/tarnis/changelog.Debian.gz
    usr/share/lintian/overrides/tarnis
)
for size in 16 32 48 64 128 256; do
    expected+=("usr/share/icons/hicolor/${size}x${size}/apps/tarnis.png")
done
diff <(printf '%s\n' "${expected[@]}" | sort) <(cd "$root" && find . -type f -printf '%P\n' | sort) \
    || fail "the package's files differ from the list (< expected, > found)"

# Each icon is a PNG of the size its folder names: the width and height stand at bytes 16 to 23.
for size in 16 32 48 64 128 256; do
    icon="$root/usr/share/icons/hicolor/${size}x${size}/apps/tarnis.png"
    read -r width height < <(od -An -tu1 -j16 -N8 "$icon" |
        awk '{print $1*16777216 + $2*65536 + $3*256 + $4, $5*16777216 + $6*65536 + $7*256 + $8}')
    [[ "$width x $height" == "$size x $size" ]] || fail "icon ${size}x${size} is $width x $height"
done

# The programs are stripped, run, and compute as the build does.
for program in tarnis tarnis-run; do
    [[ -x "$root/usr/bin/$program" ]] || fail "$program is not executable"
    readelf -S "$root/usr/bin/$program" | grep -q '\.symtab' && fail "$program is not stripped"
done
[[ $("$root/usr/bin/tarnis-run" --version) == "tarnis-run $version" ]] || fail "tarnis-run --version"
cmp -s <("$root/usr/bin/tarnis-run" --digits 17) <("$build/cli/tarnis-run" --digits 17) \
    || fail "the packaged tarnis-run computes differently"

# Manual pages and the changelog are compressed without a time stamp; the copyright file is
# Debian's machine-readable form.
for file in usr/share/man/man1/tarnis.1.gz usr/share/man/man1/tarnis-run.1.gz usr/share/doc/tarnis/changelog.Debian.gz; do
    gzip -t "$root/$file" || fail "$file is not gzip"
done
head -1 "$root/usr/share/doc/tarnis/copyright" | grep -q '^Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/$' \
    || fail "copyright is not in the machine-readable form"
zcat "$root/usr/share/doc/tarnis/changelog.Debian.gz" | head -1 | grep -q "^tarnis ($version-1) " \
    || fail "the changelog does not name version $version-1"

# Computed dependencies (the libraries) beside the two given by hand.
depends=$(dpkg-deb -f "$package" Depends)
names=$(sed 's/ *([^)]*)//g; s/, */\n/g' <<<"$depends")
for dependency in libc6 libstdc++6 libqt6core6 libqt6widgets6 libqt6printsupport6 libqt6svg6 \
    libqcustomplot2.1-qt6 libcups2 libqrencode4 qt6-qpa-plugins fonts-liberation; do
    grep -qxF "$dependency" <<<"$names" || fail "Depends lacks $dependency: $depends"
done
[[ $(dpkg-deb -f "$package" Section) == science ]] || fail "section"

# The validator's one hint stays: the entry names two main categories, Education and Science, on
# purpose, so that Tarnis is found under either.
if ! verdict=$(desktop-file-validate "$root/usr/share/applications/tarnis.desktop") \
    || grep -v -e ': hint: ' -e '^$' <<<"$verdict"; then
    fail "desktop entry"
fi
# The desktop entry opens the type of set-up files that the package defines, by its glob.
mime="$root/usr/share/mime/packages/tarnis.xml"
xmllint --noout "$mime" || fail "the MIME type is not well-formed XML"
type=$(sed -n 's/.*<mime-type type="\([^"]*\)".*/\1/p' "$mime")
[[ $type == application/x-tarnis-setup ]] && grep -q '<glob pattern="\*\.tarnis"/>' "$mime" \
    || fail "the MIME type is not application/x-tarnis-setup for *.tarnis"
grep -qx "MimeType=$type;" "$root/usr/share/applications/tarnis.desktop" || fail "the desktop entry lacks MimeType=$type;"
grep -qx 'Exec=tarnis %f' "$root/usr/share/applications/tarnis.desktop" || fail "the desktop entry does not hand over a file"
appstreamcli validate --no-net "$root/usr/share/metainfo/org.example.tarnis.metainfo.xml" >"$scratch/appstream.log" \
    || { cat "$scratch/appstream.log"; fail "AppStream metainfo"; }

if ! lintian --fail-on error,warning \
    --suppress-tags hardening-no-relro,hardening-no-bindnow,hardening-no-fortify-functions,hardening-no-pie \
    "$package" 2>/dev/null; then
    fail "lintian"
fi

if ((failures)); then
    echo "$failures checks failed"
    exit 1
fi
echo "the package $(basename "$package") passed every check"
