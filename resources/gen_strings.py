#!/usr/bin/env python3
"""Turns resources/strings.tsv into the string tables of the plug-in.

The table file has one row per string: id, English text, Simplified Chinese text, separated by
tabs. Lines starting with "#" and blank lines are notes; the first other line is the header.
Texts may use the escapes \\n (line break), \\t (tab) and \\\\ (backslash).

Outputs:
  --cpp FILE   C++ tables for the Linux build (English, Simplified Chinese and the pseudo-locale
               "ids", in which string N reads "{N}" and the language marker reads "0").
  --rc FILE    STRINGTABLE blocks for the Windows resource script, one per language given with
               --rc-languages (default: en,zh-CN).

Every check failure stops the build with a message naming the line.
"""

import argparse
import sys

LANGUAGES = ("en", "zh-CN", "ids")
MARKER_ID = 57
MARKERS = {"en": "0", "zh-CN": "1", "ids": "0"}
MAX_UNITS = 255  # LoadStringW fills a 256-unit buffer, terminator included

# LANGUAGE statements of the resource script. The pseudo-locale, which only the test programs
# carry, is the invariant language: Wine knows no qps-ploc and picks a string table by the
# thread's locale, which may be the invariant one.
RC_LANGUAGES = {
    "en": "LANGUAGE LANG_ENGLISH, SUBLANG_ENGLISH_US",
    "zh-CN": "LANGUAGE LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED",
    "ids": "LANGUAGE LANG_INVARIANT, SUBLANG_NEUTRAL",
}
CPP_NAMES = {"en": "kEnglish", "zh-CN": "kSimplifiedChinese", "ids": "kIds"}


class TableError(Exception):
    pass


def unescape(text, where):
    out = []
    i = 0
    while i < len(text):
        c = text[i]
        if c != "\\":
            out.append(c)
            i += 1
            continue
        if i + 1 >= len(text):
            raise TableError(f"{where}: lone backslash at the end of the text")
        nxt = text[i + 1]
        if nxt == "n":
            out.append("\n")
        elif nxt == "t":
            out.append("\t")
        elif nxt == "\\":
            out.append("\\")
        else:
            raise TableError(f"{where}: unknown escape \\{nxt}")
        i += 2
    return "".join(out)


def utf16_units(text):
    return sum(2 if ord(c) > 0xFFFF else 1 for c in text)


def read_table(path):
    """Returns {language: {id: text}} for the languages of LANGUAGES."""
    tables = {"en": {}, "zh-CN": {}}
    header_seen = False
    with open(path, encoding="utf-8", newline="") as f:
        for number, raw in enumerate(f, start=1):
            line = raw.rstrip("\r\n")
            where = f"{path}:{number}"
            if not line.strip() or line.startswith("#"):
                continue
            cells = line.split("\t")
            if not header_seen:
                if cells != ["id", "en", "zh-CN"]:
                    raise TableError(f"{where}: the header must read id, en, zh-CN")
                header_seen = True
                continue
            if len(cells) != 3:
                raise TableError(f"{where}: expected 3 tab-separated cells, found {len(cells)}")
            id_text, english, chinese = cells
            if not id_text.isdigit() or not 1 <= int(id_text) <= 65535:
                raise TableError(f"{where}: bad string id {id_text!r}")
            string_id = int(id_text)
            if string_id in tables["en"]:
                raise TableError(f"{where}: string {string_id} is listed twice")
            for language, text in (("en", english), ("zh-CN", chinese)):
                value = unescape(text, where)
                if not value:
                    raise TableError(f"{where}: string {string_id} has no {language} text")
                if "\0" in value:
                    raise TableError(f"{where}: string {string_id} holds a zero character")
                if utf16_units(value) > MAX_UNITS:
                    raise TableError(f"{where}: {language} text of string {string_id} is "
                                     f"{utf16_units(value)} UTF-16 units, more than {MAX_UNITS}")
                tables[language][string_id] = value
    if not header_seen:
        raise TableError(f"{path}: no header line")
    tables["ids"] = {i: "{%d}" % i for i in tables["en"]}
    tables["ids"][MARKER_ID] = MARKERS["ids"]
    for language in LANGUAGES:
        marker = tables[language].get(MARKER_ID)
        if marker != MARKERS[language]:
            raise TableError(f"{path}: the {language} language marker (string {MARKER_ID}) "
                             f"must read {MARKERS[language]!r}, not {marker!r}")
    return tables


def cpp_literal(text):
    out = ['u"']
    for c in text:
        code = ord(c)
        if c == '"':
            out.append('\\"')
        elif c == "\\":
            out.append("\\\\")
        elif c == "\n":
            out.append("\\n")
        elif c == "\t":
            out.append("\\t")
        elif code < 0x20 or code == 0x7F:
            out.append("\\x%02x" % code)
        elif code < 0x80:
            out.append(c)
        elif code <= 0xFFFF:
            out.append("\\u%04x" % code)
        else:
            out.append("\\U%08x" % code)
    out.append('"')
    return "".join(out)


def write_cpp(tables, path, source):
    lines = [
        f"// Generated by resources/gen_strings.py from {source}. Do not edit.",
        '#include "resources/string_table.h"',
        "",
        "namespace resources {",
        "namespace {",
        "",
    ]
    for language in LANGUAGES:
        lines.append(f"constexpr StringEntry {CPP_NAMES[language]}[] = {{")
        for string_id in sorted(tables[language]):
            lines.append(f"    {{{string_id}, {cpp_literal(tables[language][string_id])}}},")
        lines.append("};")
        lines.append("")
    lines += [
        "}  // namespace",
        "",
        "std::span<const StringEntry> StringTable(StringLanguage language) {",
        "    switch (language) {",
        "        case StringLanguage::kSimplifiedChinese:",
        f"            return {CPP_NAMES['zh-CN']};",
        "        case StringLanguage::kIds:",
        f"            return {CPP_NAMES['ids']};",
        "        case StringLanguage::kEnglish:",
        "            break;",
        "    }",
        f"    return {CPP_NAMES['en']};",
        "}",
        "",
        "}  // namespace resources",
        "",
    ]
    write_text(path, "\n".join(lines))


HEX_DIGITS = "0123456789abcdefABCDEF"


def utf16_escapes(c):
    units = c.encode("utf-16-le")
    return "".join("\\x%04X" % int.from_bytes(units[i:i + 2], "little")
                   for i in range(0, len(units), 2))


def rc_units(text):
    """The body of a literal as the resource compiler reads it in a wide literal: ASCII as it
    is, every other character (and a hex digit right after one) as \\x escapes of its UTF-16
    units. windres reads bytes above 0x7F one by one, whatever the code page pragma says."""
    out = []
    escaped = False
    for c in text:
        escaped = ord(c) >= 0x80 or (escaped and c in HEX_DIGITS)
        out.append(utf16_escapes(c) if escaped else c)
    return "".join(out)


def rc_literal(text):
    special = {'"': '""', "\\": "\\\\", "\n": "\\n", "\t": "\\t"}
    body = []
    for c in text:
        body.append(special.get(c, c))
    return 'L"' + rc_units("".join(body)) + '"'


def write_rc(tables, path, languages, source):
    banner = "/" * 78
    lines = [
        f"// Generated by resources/gen_strings.py from {source}. Do not edit.",
        "// Characters outside ASCII are written as \\x escapes of their UTF-16 units.",
        "",
    ]
    for language in languages:
        lines += [
            banner,
            f"// String table: {language}",
            banner,
            "",
            RC_LANGUAGES[language],
            "",
            "STRINGTABLE",
            "BEGIN",
        ]
        for string_id in sorted(tables[language]):
            lines.append(f"    {string_id:<5} {rc_literal(tables[language][string_id])}")
        lines += ["END", ""]
    write_text(path, "\n".join(lines))


def write_text(path, text):
    with open(path, "w", encoding="utf-8", newline="\n") as f:
        f.write(text)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("table", help="the strings.tsv file")
    parser.add_argument("--cpp", help="C++ source to write")
    parser.add_argument("--rc", help="resource script fragment to write")
    parser.add_argument("--rc-languages", default="en,zh-CN",
                        help="comma-separated languages of the resource script")
    args = parser.parse_args()
    try:
        tables = read_table(args.table)
        rc_languages = [name for name in args.rc_languages.split(",") if name]
        for name in rc_languages:
            if name not in LANGUAGES:
                raise TableError(f"unknown language {name!r} (known: {', '.join(LANGUAGES)})")
        source = "resources/strings.tsv"
        if args.cpp:
            write_cpp(tables, args.cpp, source)
        if args.rc:
            write_rc(tables, args.rc, rc_languages, source)
    except (TableError, OSError) as error:
        print(f"gen_strings: {error}", file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
