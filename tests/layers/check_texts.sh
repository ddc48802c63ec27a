#!/usr/bin/env bash
# The texts that people read carry no made-up address: example.org, example.net and example.com
# exist for no one, so a home page, a source link or an e-mail address built on them leads nowhere.
# Real addresses come from the build's settings (model/sources.cmake). Checks every source of the
# program, the page and the package's files; prints each hit and fails on any.
#   check_texts.sh ROOT
set -euo pipefail
root=$1
folders=(model ui output charts dynamics activities chance screens app cli web/page resources packaging)
# Debian's package format asks a maintainer's address of the package and of each changelog entry:
# those stand until whoever publishes the package sets theirs (packaging/CMakeLists.txt).
hits=$(cd "$root" && grep -rnE 'example\.(org|net|com)' "${folders[@]}" \
    | grep -vE '^packaging/changelog:[0-9]+: -- |^packaging/CMakeLists.txt:[0-9]+: +set\(CPACK_PACKAGE_CONTACT ' \
    || true)
if [[ -n $hits ]]; then
    echo "A made-up address in a text that people read:"
    echo "$hits"
    exit 1
fi
