#!/usr/bin/env python3
# Turns the catalog's translations (one gettext .po file per language) and its template (the .pot of
# every English text) into the C++ tables the model looks texts up in, and makes the pseudo-language
# from the template: every text marked at both ends, its letters accented and lengthened by about 40 %,
# so that a text that escaped the catalog, or a box too tight for a longer language, shows at once.
#   compile_catalog.py OUTPUT.cpp TEMPLATE.pot [LANGUAGE.po ...]
# Fuzzy and untranslated entries are left out: those texts stay in English (the tests see to it that
# none are left). Only the Python standard library is used, so the build needs nothing more.
# SPDX-License-Identifier: GPL-3.0-or-later
import re
import sys
from pathlib import Path

CONTEXT_GLUE = "\x04"  # gettext's separator of a context and its message in one key


def unquote(text):
    """The value of a .po string literal: C escapes, UTF-8."""
    body = text.strip()
    if not (body.startswith('"') and body.endswith('"')):
        raise ValueError(f"not a string: {text!r}")
    escapes = {"n": "\n", "t": "\t", '"': '"', "\\": "\\", "r": "\r"}
    return re.sub(r'\\(.)', lambda m: escapes.get(m.group(1), m.group(1)), body[1:-1])


def entries(path):
    """Each entry of a .po file as a dict: context, id, plural, forms, fuzzy, obsolete."""
    entry, field, result = {}, None, []

    def finish():
        nonlocal entry
        if "id" in entry:
            result.append(entry)
        entry = {}

    for line in Path(path).read_text(encoding="utf-8").splitlines():
        # A blank line ends an entry, but not one still waiting for its translation, which gettext
        # reads across a blank line as well.
        if not line.strip():
            if "forms" in entry or "id" not in entry:
                finish()
                field = None
            continue
        if line.startswith("#~"):
            entry["obsolete"] = True
            continue
        if line.startswith("#,"):
            if "id" in entry:
                finish()
            entry["fuzzy"] = "fuzzy" in line
            continue
        if line.startswith("#"):
            continue
        keyword, _, rest = line.partition(" ")
        if line.startswith('"'):
            value = unquote(line)
            if field[0] == "forms":
                entry["forms"][field[1]] += value
            else:
                entry[field] += value
            continue
        if keyword == "msgctxt":
            if "id" in entry:
                finish()
            field = "context"
        elif keyword == "msgid":
            if "id" in entry:
                finish()
            field = "id"
        elif keyword == "msgid_plural":
            field = "plural"
        elif keyword.startswith("msgstr"):
            index = int(keyword[7:-1]) if "[" in keyword else 0
            entry.setdefault("forms", {})[index] = ""
            field = ("forms", index)
            entry["forms"][index] = unquote(rest)
            continue
        else:
            raise ValueError(f"{path}: cannot read {line!r}")
        entry[field] = unquote(rest)
    finish()
    return [e for e in result if not e.get("obsolete")]


def header_field(header, name):
    for line in header.split("\n"):
        key, _, value = line.partition(":")
        if key.strip() == name:
            return value.strip()
    return ""


# The pseudo-language keeps what a program reads inside a text: {placeholders}, markup and entities,
# and it leaves the mnemonic ampersand its letter.
KEPT = re.compile(r"\{[A-Za-z0-9_]+\}|<[^<>]*>|&[A-Za-z#0-9]+;|%[0-9a-z]")
ACCENTED = dict(zip("AaBCcDdEeGgHhIiJjKkLlNnOoRrSsTtUuWwYyZz",
                    "ÅåƁÇçĐđÉéĜĝĤĥÎîĴĵĶķĽľÑñÖöŔŕŠšŢţÛûŴŵÝýŽž"))


def accented(text):
    pieces, last = [], 0
    for kept in KEPT.finditer(text):
        pieces.append("".join(ACCENTED.get(c, c) for c in text[last:kept.start()]))
        pieces.append(kept.group(0))
        last = kept.end()
    pieces.append("".join(ACCENTED.get(c, c) for c in text[last:]))
    return "".join(pieces)


def padding(length):
    """Dots in words of up to six, so that a long text's padding wraps as its words do."""
    words = ["·" * 6] * (length // 6) + (["·" * (length % 6)] if length % 6 else [])
    return " ".join(words)


def pseudo(text, context):
    if context == "language name":
        return "Pseudo"
    if context == "digit group separator":
        return text  # a setting, not words
    if not text.strip():
        return text
    # About 40 % longer, as long translations run: each line by words of its own, which wrap as words
    # do, so that a text of several lines grows as a translation of each would.
    lines = [accented(line) + (" " + padding(max(1, (4 * len(line) + 5) // 10)) if line.strip() else "")
             for line in text.split("\n")]
    return "⟦" + "\n".join(lines) + "⟧"


def cpp_string(text):
    out = []
    for c in text:
        if c in '"\\':
            out.append("\\" + c)
        elif c == "\n":
            out.append("\\n")
        elif c == "\t":
            out.append("\\t")
        elif c == CONTEXT_GLUE:
            out.append('\\x04""')
        else:
            out.append(c)
    return '"' + "".join(out) + '"'


PLURAL = re.compile(r"nplurals\s*=\s*(\d+)\s*;\s*plural\s*=\s*([^;]+);?")
SAFE_PLURAL = re.compile(r"^[n0-9\s()?:<>=!&|%+\-*/]*$")


def plural_rule(header, path):
    """The language's rule for which form a count takes, as gettext writes it: a C expression in n."""
    match = PLURAL.search(header_field(header, "Plural-Forms"))
    if not match or not SAFE_PLURAL.match(match.group(2)):
        raise ValueError(f"{path}: Plural-Forms is missing or not a plain expression in n")
    return int(match.group(1)), match.group(2).strip()


def language_table(name, code, rule, items):
    forms_count, expression = rule
    rows = []
    for key, forms in sorted(items, key=lambda item: item[0].encode("utf-8")):
        rendered = ", ".join(cpp_string(form) for form in forms)
        rows.append(f"    {{{cpp_string(key)}, {{{rendered}}}}},")
    return (f"constexpr CatalogEntry {name}Entries[] = {{\n" + "\n".join(rows) + "\n};\n"
            f"int {name}Plural(unsigned long long n) {{ return int({expression}); }}\n"
            f"static_assert({forms_count} <= MostPluralForms);\n")


def key_of(entry):
    context = entry.get("context")
    return entry["id"] if context is None else context + CONTEXT_GLUE + entry["id"]


def main(output, template, translations):
    tables, rows = [], []
    template_entries = [e for e in entries(template) if e["id"]]
    items = []
    for entry in template_entries:
        if "plural" in entry:
            forms = [pseudo(entry["id"], entry.get("context")), pseudo(entry["plural"], entry.get("context"))]
        else:
            forms = [pseudo(entry["id"], entry.get("context"))]
        items.append((key_of(entry), forms))
    tables.append(language_table("pseudo", "en-XA", (2, "n != 1"), items))
    rows.append('    {"en-XA", pseudoEntries, pseudoPlural, false},')
    for path in translations:
        found = entries(path)
        header = next((e["forms"][0] for e in found if not e["id"]), "")
        code = header_field(header, "Language").replace("_", "-")
        if not code:
            raise ValueError(f"{path}: its header names no Language")
        rule = plural_rule(header, path)
        items = []
        for entry in found:
            forms = [entry["forms"][i] for i in sorted(entry.get("forms", {}))]
            if not entry["id"] or entry.get("fuzzy") or not all(forms):
                continue
            items.append((key_of(entry), forms))
        name = re.sub(r"[^A-Za-z0-9]", "", code)
        tables.append(language_table(name, code, rule, items))
        rows.append(f'    {{"{code}", {name}Entries, {name}Plural, true}},')
    text = ("// Made by model/language/compile_catalog.py from the catalog's .po files: do not edit.\n"
            '#include "model/language/catalog_tables.h"\n\n'
            "namespace tarnis::catalog_tables {\nnamespace {\n\n" + "\n".join(tables) +
            "\n} // namespace\n\nconst CatalogTable tables[] = {\n" + "\n".join(rows) +
            "\n};\n\nstd::span<const CatalogTable> all() { return tables; }\n\n} // namespace tarnis::catalog_tables\n")
    out = Path(output)
    if not out.exists() or out.read_text(encoding="utf-8") != text:
        out.parent.mkdir(parents=True, exist_ok=True)
        out.write_text(text, encoding="utf-8")


if __name__ == "__main__":
    if len(sys.argv) < 3:
        sys.exit("usage: compile_catalog.py OUTPUT.cpp TEMPLATE.pot [LANGUAGE.po ...]")
    main(sys.argv[1], sys.argv[2], sys.argv[3:])
