#!/usr/bin/env bash
# The catalog of translations is whole: its template holds every text that the sources look up (none
# added to the code and forgotten), each language's file passes gettext's own checks, and no language
# lacks a translation or leaves one fuzzy, which would show English in the middle of its words.
#   check_catalog.sh ROOT
set -euo pipefail
root=${1:?usage: check_catalog.sh ROOT}
catalog=$root/model/language/po
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
faults=0

"$root/scripts/update-catalog" --template "$work/tarnis.pot"
if ! diff -u "$catalog/tarnis.pot" "$work/tarnis.pot" >"$work/template.diff"; then
    echo "model/language/po/tarnis.pot lags behind the sources: run scripts/update-catalog"
    cat "$work/template.diff"
    faults=$((faults + 1))
fi
for po in "$catalog"/*.po; do
    name=${po#"$root"/}
    if ! msgfmt --check --output-file=/dev/null "$po"; then
        faults=$((faults + 1))
        continue
    fi
    # Every text of the template, and no other, with its translation.
    msgmerge --quiet --no-wrap --output-file="$work/merged.po" "$po" "$work/tarnis.pot"
    for wanting in --untranslated --only-fuzzy --only-obsolete; do
        if [[ -n $(msgattrib --no-wrap "$wanting" --no-obsolete "$work/merged.po" 2>/dev/null | sed -n '/^msgid "[^"]/p') ]]; then
            echo "$name has ${wanting#--only-} texts; run scripts/update-catalog and translate them:"
            msgattrib --no-wrap "$wanting" "$work/merged.po" | grep '^msgid "[^"]' | head -20
            faults=$((faults + 1))
        fi
    done
    if ! cmp -s <(msgattrib --no-wrap --no-obsolete "$po" | grep -c '^msgid') \
        <(msgattrib --no-wrap --no-obsolete "$work/merged.po" | grep -c '^msgid'); then
        echo "$name and the template hold different texts: run scripts/update-catalog"
        faults=$((faults + 1))
    fi
done
((faults == 0))
