#!/usr/bin/env python3
"""Turns the resource script resources/plugin.rc into the tables of the Linux build.

The script is the one the Windows build hands to the resource compiler. This generator reads the
part of the resource-script language that plugin.rc uses: LANGUAGE, DIALOGEX blocks (STYLE,
EXSTYLE, CAPTION, FONT and the control statements), raw data resources written `ID TYPE "file"`,
#include of resource.h (for the identifiers), #include of the string table fragment (skipped:
the Linux build takes the strings from strings.tsv) and #pragma code_page(65001).

Styles are worked out as the resource compiler does. Every control has WS_CHILD | WS_VISIBLE. A
statement that names no style gets its documented default (LTEXT: SS_LEFT | WS_GROUP, EDITTEXT:
ES_LEFT | WS_BORDER | WS_TABSTOP, ...). A statement that names styles starts from its base
instead, the kind the statement stands for plus what the compiler keeps (the tab stop of push
buttons, edits' border and tab stop, list boxes' notify and border; nothing for a COMBOBOX, so
its kind is the one written), adds the named styles and takes away those written with NOT
(`NOT WS_VISIBLE`). CONTROL starts from WS_CHILD | WS_VISIBLE alone. A dialog without STYLE is
WS_POPUP | WS_BORDER | WS_SYSMENU; it gets DS_SETFONT from its FONT and WS_CAPTION from its
CAPTION.

Outputs:
  --dialogs FILE  C++ tables of platform/headless/dialog_template.h for each language
  --data FILE     C++ tables of the raw data resources (the padlock images)
  --depfile FILE  the files the tables were made from, for the build system

Every check failure stops the build with a message naming the file and line.
"""

import argparse
import os
import sys

sys.dont_write_bytecode = True  # the build runs this from the source tree; leave it clean
from gen_strings import cpp_literal, write_text  # noqa: E402

# Window, dialog and control styles, with the values of the Win32 documentation.
STYLE_VALUES = {
    # Window styles
    "WS_OVERLAPPED": 0x00000000, "WS_POPUP": 0x80000000, "WS_CHILD": 0x40000000,
    "WS_MINIMIZE": 0x20000000, "WS_VISIBLE": 0x10000000, "WS_DISABLED": 0x08000000,
    "WS_CLIPSIBLINGS": 0x04000000, "WS_CLIPCHILDREN": 0x02000000, "WS_MAXIMIZE": 0x01000000,
    "WS_CAPTION": 0x00C00000, "WS_BORDER": 0x00800000, "WS_DLGFRAME": 0x00400000,
    "WS_VSCROLL": 0x00200000, "WS_HSCROLL": 0x00100000, "WS_SYSMENU": 0x00080000,
    "WS_THICKFRAME": 0x00040000, "WS_GROUP": 0x00020000, "WS_TABSTOP": 0x00010000,
    "WS_MINIMIZEBOX": 0x00020000, "WS_MAXIMIZEBOX": 0x00010000,
    # Extended window styles
    "WS_EX_DLGMODALFRAME": 0x00000001, "WS_EX_NOPARENTNOTIFY": 0x00000004,
    "WS_EX_TOPMOST": 0x00000008, "WS_EX_ACCEPTFILES": 0x00000010,
    "WS_EX_TRANSPARENT": 0x00000020, "WS_EX_TOOLWINDOW": 0x00000080,
    "WS_EX_WINDOWEDGE": 0x00000100, "WS_EX_CLIENTEDGE": 0x00000200,
    "WS_EX_CONTEXTHELP": 0x00000400, "WS_EX_RIGHT": 0x00001000,
    "WS_EX_STATICEDGE": 0x00020000, "WS_EX_APPWINDOW": 0x00040000,
    # Dialog styles
    "DS_ABSALIGN": 0x0001, "DS_SYSMODAL": 0x0002, "DS_3DLOOK": 0x0004, "DS_FIXEDSYS": 0x0008,
    "DS_NOFAILCREATE": 0x0010, "DS_LOCALEDIT": 0x0020, "DS_SETFONT": 0x0040,
    "DS_MODALFRAME": 0x0080, "DS_NOIDLEMSG": 0x0100, "DS_SETFOREGROUND": 0x0200,
    "DS_CONTROL": 0x0400, "DS_CENTER": 0x0800, "DS_CENTERMOUSE": 0x1000,
    "DS_CONTEXTHELP": 0x2000, "DS_SHELLFONT": 0x0048,
    # Buttons
    "BS_PUSHBUTTON": 0x0, "BS_DEFPUSHBUTTON": 0x1, "BS_CHECKBOX": 0x2, "BS_AUTOCHECKBOX": 0x3,
    "BS_RADIOBUTTON": 0x4, "BS_3STATE": 0x5, "BS_AUTO3STATE": 0x6, "BS_GROUPBOX": 0x7,
    "BS_AUTORADIOBUTTON": 0x9, "BS_OWNERDRAW": 0xB, "BS_LEFTTEXT": 0x20, "BS_ICON": 0x40,
    "BS_BITMAP": 0x80, "BS_LEFT": 0x100, "BS_RIGHT": 0x200, "BS_CENTER": 0x300, "BS_TOP": 0x400,
    "BS_BOTTOM": 0x800, "BS_VCENTER": 0xC00, "BS_PUSHLIKE": 0x1000, "BS_MULTILINE": 0x2000,
    "BS_NOTIFY": 0x4000, "BS_FLAT": 0x8000,
    # Edit controls
    "ES_LEFT": 0x0, "ES_CENTER": 0x1, "ES_RIGHT": 0x2, "ES_MULTILINE": 0x4,
    "ES_UPPERCASE": 0x8, "ES_LOWERCASE": 0x10, "ES_PASSWORD": 0x20, "ES_AUTOVSCROLL": 0x40,
    "ES_AUTOHSCROLL": 0x80, "ES_NOHIDESEL": 0x100, "ES_OEMCONVERT": 0x400, "ES_READONLY": 0x800,
    "ES_WANTRETURN": 0x1000, "ES_NUMBER": 0x2000,
    # Static controls
    "SS_LEFT": 0x0, "SS_CENTER": 0x1, "SS_RIGHT": 0x2, "SS_ICON": 0x3, "SS_BLACKRECT": 0x4,
    "SS_GRAYRECT": 0x5, "SS_WHITERECT": 0x6, "SS_BLACKFRAME": 0x7, "SS_GRAYFRAME": 0x8,
    "SS_WHITEFRAME": 0x9, "SS_SIMPLE": 0xB, "SS_LEFTNOWORDWRAP": 0xC, "SS_OWNERDRAW": 0xD,
    "SS_BITMAP": 0xE, "SS_ETCHEDHORZ": 0x10, "SS_ETCHEDVERT": 0x11, "SS_ETCHEDFRAME": 0x12,
    "SS_NOPREFIX": 0x80, "SS_NOTIFY": 0x100, "SS_CENTERIMAGE": 0x200, "SS_RIGHTJUST": 0x400,
    "SS_REALSIZEIMAGE": 0x800, "SS_SUNKEN": 0x1000, "SS_ENDELLIPSIS": 0x4000,
    "SS_PATHELLIPSIS": 0x8000, "SS_WORDELLIPSIS": 0xC000,
    # List boxes
    "LBS_NOTIFY": 0x1, "LBS_SORT": 0x2, "LBS_NOREDRAW": 0x4, "LBS_MULTIPLESEL": 0x8,
    "LBS_OWNERDRAWFIXED": 0x10, "LBS_OWNERDRAWVARIABLE": 0x20, "LBS_HASSTRINGS": 0x40,
    "LBS_USETABSTOPS": 0x80, "LBS_NOINTEGRALHEIGHT": 0x100, "LBS_MULTICOLUMN": 0x200,
    "LBS_WANTKEYBOARDINPUT": 0x400, "LBS_EXTENDEDSEL": 0x800, "LBS_DISABLENOSCROLL": 0x1000,
    "LBS_NODATA": 0x2000, "LBS_NOSEL": 0x4000,
    # Combo boxes
    "CBS_SIMPLE": 0x1, "CBS_DROPDOWN": 0x2, "CBS_DROPDOWNLIST": 0x3,
    "CBS_OWNERDRAWFIXED": 0x10, "CBS_OWNERDRAWVARIABLE": 0x20, "CBS_AUTOHSCROLL": 0x40,
    "CBS_OEMCONVERT": 0x80, "CBS_SORT": 0x100, "CBS_HASSTRINGS": 0x200,
    "CBS_NOINTEGRALHEIGHT": 0x400, "CBS_DISABLENOSCROLL": 0x800, "CBS_UPPERCASE": 0x2000,
    "CBS_LOWERCASE": 0x4000,
    # Scroll bars
    "SBS_HORZ": 0x0, "SBS_VERT": 0x1,
    # List views
    "LVS_ICON": 0x0, "LVS_REPORT": 0x1, "LVS_SMALLICON": 0x2, "LVS_LIST": 0x3,
    "LVS_SINGLESEL": 0x4, "LVS_SHOWSELALWAYS": 0x8, "LVS_SORTASCENDING": 0x10,
    "LVS_SORTDESCENDING": 0x20, "LVS_SHAREIMAGELISTS": 0x40, "LVS_NOLABELWRAP": 0x80,
    "LVS_AUTOARRANGE": 0x100, "LVS_EDITLABELS": 0x200, "LVS_OWNERDRAWFIXED": 0x400,
    "LVS_ALIGNLEFT": 0x800, "LVS_OWNERDATA": 0x1000, "LVS_NOSCROLL": 0x2000,
    "LVS_NOCOLUMNHEADER": 0x4000, "LVS_NOSORTHEADER": 0x8000,
    # Up-down controls
    "UDS_WRAP": 0x1, "UDS_SETBUDDYINT": 0x2, "UDS_ALIGNRIGHT": 0x4, "UDS_ALIGNLEFT": 0x8,
    "UDS_AUTOBUDDY": 0x10, "UDS_ARROWKEYS": 0x20, "UDS_HORZ": 0x40, "UDS_NOTHOUSANDS": 0x80,
    "UDS_HOTTRACK": 0x100,
}

# Primary and sub-language names of LANGUAGE statements, and the languages of the tables.
LANGUAGE_VALUES = {
    "LANG_NEUTRAL": 0x00, "LANG_CHINESE": 0x04, "LANG_ENGLISH": 0x09,
    "SUBLANG_NEUTRAL": 0x00, "SUBLANG_DEFAULT": 0x01, "SUBLANG_ENGLISH_US": 0x01,
    "SUBLANG_CHINESE_SIMPLIFIED": 0x02,
}
LANGUAGES = {(0x09, 0x01): "en", (0x04, 0x02): "zh-CN", (0x00, 0x00): "neutral"}
DIALOG_LANGUAGES = ("en", "zh-CN")
CPP_NAMES = {"en": "kEnglish", "zh-CN": "kSimplifiedChinese"}

WS_CHILD = STYLE_VALUES["WS_CHILD"]
WS_VISIBLE = STYLE_VALUES["WS_VISIBLE"]

# Control statements: the window class, whether the statement starts with a text, the style when
# the statement names none, and the base the named styles are added to.
S = STYLE_VALUES
TAB = S["WS_TABSTOP"]
CONTROL_STATEMENTS = {
    "LTEXT": ("STATIC", True, S["SS_LEFT"] | S["WS_GROUP"], S["SS_LEFT"]),
    "CTEXT": ("STATIC", True, S["SS_CENTER"] | S["WS_GROUP"], S["SS_CENTER"]),
    "RTEXT": ("STATIC", True, S["SS_RIGHT"] | S["WS_GROUP"], S["SS_RIGHT"]),
    "PUSHBUTTON": ("BUTTON", True, S["BS_PUSHBUTTON"] | TAB, S["BS_PUSHBUTTON"] | TAB),
    "DEFPUSHBUTTON": ("BUTTON", True, S["BS_DEFPUSHBUTTON"] | TAB, S["BS_DEFPUSHBUTTON"] | TAB),
    "CHECKBOX": ("BUTTON", True, S["BS_CHECKBOX"] | TAB, S["BS_CHECKBOX"] | TAB),
    "AUTOCHECKBOX": ("BUTTON", True, S["BS_AUTOCHECKBOX"] | TAB, S["BS_AUTOCHECKBOX"]),
    "STATE3": ("BUTTON", True, S["BS_3STATE"] | TAB, S["BS_3STATE"]),
    "AUTO3STATE": ("BUTTON", True, S["BS_AUTO3STATE"] | TAB, S["BS_AUTO3STATE"]),
    "RADIOBUTTON": ("BUTTON", True, S["BS_RADIOBUTTON"] | TAB, S["BS_RADIOBUTTON"]),
    "AUTORADIOBUTTON": ("BUTTON", True, S["BS_AUTORADIOBUTTON"] | TAB, S["BS_AUTORADIOBUTTON"]),
    "GROUPBOX": ("BUTTON", True, S["BS_GROUPBOX"], S["BS_GROUPBOX"]),
    "EDITTEXT": ("EDIT", False, S["ES_LEFT"] | S["WS_BORDER"] | TAB,
                 S["ES_LEFT"] | S["WS_BORDER"] | TAB),
    "LISTBOX": ("LISTBOX", False, S["LBS_NOTIFY"] | S["WS_BORDER"],
                S["LBS_NOTIFY"] | S["WS_BORDER"]),
    "COMBOBOX": ("COMBOBOX", False, S["CBS_SIMPLE"] | TAB, 0),
    "SCROLLBAR": ("SCROLLBAR", False, S["SBS_HORZ"], 0),
}
PREDEFINED_CLASSES = ("BUTTON", "EDIT", "STATIC", "LISTBOX", "SCROLLBAR", "COMBOBOX")
# Without STYLE a DIALOGEX is a bordered pop-up window with a system menu.
DEFAULT_DIALOG_STYLE = S["WS_POPUP"] | S["WS_BORDER"] | S["WS_SYSMENU"]
# A closed combo box is as tall as one line of text; its height in the script is the height of
# the dropped-down list, which may reach beyond the dialog.
COMBO_CLOSED_HEIGHT = 14

# Resource types the resource compiler converts or names by number; the Linux tables hold only
# raw data of a type named by the script (PNG).
PREDEFINED_TYPES = ("ACCELERATORS", "BITMAP", "CURSOR", "DIALOG", "DLGINCLUDE", "FONT", "HTML",
                    "ICON", "MANIFEST", "MENU", "MENUEX", "MESSAGETABLE", "PLUGPLAY", "RCDATA",
                    "VERSIONINFO", "VXD", "TOOLBAR")
STRINGS_FRAGMENT = "strings.rc"  # made by gen_strings.py from strings.tsv


class ScriptError(Exception):
    pass


class Token:
    def __init__(self, kind, value, line):
        self.kind = kind  # "string", "number", "name" or "punct"
        self.value = value
        self.line = line

    def describe(self):
        return f'"{self.value}"' if self.kind == "string" else str(self.value)


class Source:
    """One file's lines, decoded, with its name for messages."""

    def __init__(self, path):
        self.path = path
        self.name = os.path.basename(path)
        try:
            with open(path, "rb") as f:
                raw = f.read()
        except OSError as error:
            raise ScriptError(f"{path}: cannot read the file ({error.strerror})")
        self.lines = []
        for number, line in enumerate(raw.split(b"\n"), start=1):
            try:
                self.lines.append(line.decode("utf-8").rstrip("\r"))
            except UnicodeDecodeError:
                raise ScriptError(f"{self.where(number)}: text is not valid UTF-8")

    def where(self, line):
        return f"{self.name}:{line}"


def parse_int(text):
    """A C integer literal (decimal or hexadecimal, with optional U/L suffixes), or None."""
    body = text.rstrip("uUlL")
    try:
        return int(body, 16) if body.lower().startswith("0x") else int(body, 10)
    except ValueError:
        return None


def read_header(path, defines, where):
    """Adds the integer #defines of a header (resource.h) to `defines`."""
    source = Source(path)
    for number, line in enumerate(source.lines, start=1):
        words = line.split(None, 2)
        if len(words) < 3 or words[0] != "#define":
            continue
        value = parse_int(words[2].split("//")[0].strip().replace("(", "").replace(")", ""))
        if value is None:
            raise ScriptError(f"{source.where(number)}: {words[1]} is not an integer")
        defines[words[1]] = value
    if not defines:
        raise ScriptError(f"{where}: {path} defines no identifiers")


class Lexer:
    def __init__(self, source):
        self.source = source

    def tokens(self, lines):
        """Tokens of (line number, text) pairs; comments are dropped."""
        out = []
        in_comment = False
        for number, line in lines:
            i = 0
            while i < len(line):
                c = line[i]
                if in_comment:
                    end = line.find("*/", i)
                    if end < 0:
                        break
                    in_comment = False
                    i = end + 2
                elif line.startswith("//", i):
                    break
                elif line.startswith("/*", i):
                    in_comment = True
                    i += 2
                elif c.isspace():
                    i += 1
                elif c == '"' or (c == "L" and line.startswith('"', i + 1)):
                    i = self.string(line, i + (1 if c == "L" else 0), number, out)
                elif c.isdigit():
                    j = i
                    while j < len(line) and (line[j].isalnum()):
                        j += 1
                    value = parse_int(line[i:j])
                    if value is None:
                        raise ScriptError(f"{self.source.where(number)}: bad number {line[i:j]}")
                    out.append(Token("number", value, number))
                    i = j
                elif c.isalpha() or c == "_":
                    j = i
                    while j < len(line) and (line[j].isalnum() or line[j] == "_"):
                        j += 1
                    out.append(Token("name", line[i:j], number))
                    i = j
                elif c in ",|(){}-":
                    out.append(Token("punct", c, number))
                    i += 1
                else:
                    raise ScriptError(f"{self.source.where(number)}: unexpected character {c!r}")
        return out

    def string(self, line, start, number, out):
        """A quoted text: "" stands for one quote; \\n, \\t and \\\\ are escapes."""
        chars = []
        i = start + 1
        while True:
            if i >= len(line):
                raise ScriptError(f"{self.source.where(number)}: text without a closing quote")
            c = line[i]
            if c == '"':
                if line.startswith('"', i + 1):
                    chars.append('"')
                    i += 2
                    continue
                out.append(Token("string", "".join(chars), number))
                return i + 1
            if c == "\\":
                escape = line[i + 1:i + 2]
                if escape not in ("n", "t", "\\"):
                    raise ScriptError(f"{self.source.where(number)}: unknown escape \\{escape}")
                chars.append({"n": "\n", "t": "\t", "\\": "\\"}[escape])
                i += 2
                continue
            chars.append(c)
            i += 1


class Control:
    def __init__(self, statement, line):
        self.statement = statement
        self.line = line
        self.id = 0
        self.class_name = ""
        self.text = ""
        self.style = 0
        self.ex_style = 0
        self.x = self.y = self.cx = self.cy = 0


class Dialog:
    def __init__(self, dialog_id, language, line):
        self.id = dialog_id
        self.language = language
        self.line = line
        self.style = None
        self.ex_style = 0
        self.caption = ""
        self.font = ("", 0)
        self.x = self.y = self.cx = self.cy = 0
        self.controls = []


class DataResource:
    def __init__(self, resource_id, type_name, path, line):
        self.id = resource_id
        self.type = type_name
        self.path = path
        self.line = line


class Parser:
    def __init__(self, path):
        self.source = Source(path)
        self.folder = os.path.dirname(os.path.abspath(path))
        self.defines = {}
        self.inputs = [os.path.abspath(path)]
        self.code_page = None
        self.language = None
        self.dialogs = []
        self.data = []
        self.tokens = []
        self.pos = 0

    def where(self, line):
        return self.source.where(line)

    # Preprocessor lines --------------------------------------------------------------------

    def script_lines(self):
        """The lines that are not preprocessor directives; directives are carried out."""
        lines = []
        for number, line in enumerate(self.source.lines, start=1):
            stripped = line.strip()
            if stripped.startswith("#"):
                self.directive(stripped, number)
                continue
            if self.code_page is None and any(ord(c) > 0x7F for c in line):
                raise ScriptError(f"{self.where(number)}: text outside ASCII needs "
                                  "#pragma code_page(65001) before it")
            lines.append((number, line))
        return lines

    def directive(self, text, number):
        words = text[1:].split(None, 1)
        keyword = words[0] if words else ""
        argument = words[1].strip() if len(words) > 1 else ""
        if keyword == "include":
            if argument.startswith("<"):
                return  # system headers: their style names are built into this generator
            name = argument.strip('"')
            if name == STRINGS_FRAGMENT:
                return
            if not name.endswith(".h"):
                raise ScriptError(f"{self.where(number)}: cannot follow #include {argument}")
            header = os.path.join(self.folder, name)
            if not os.path.isfile(header):
                raise ScriptError(f"{self.where(number)}: {name} not found next to the script")
            read_header(header, self.defines, self.where(number))
            self.inputs.append(os.path.abspath(header))
        elif keyword == "pragma":
            if argument.replace(" ", "") != "code_page(65001)":
                raise ScriptError(f"{self.where(number)}: only #pragma code_page(65001) is known")
            self.code_page = 65001
        else:
            raise ScriptError(f"{self.where(number)}: preprocessor directive #{keyword} is not "
                              "supported here")

    # Tokens ----------------------------------------------------------------------------------

    def peek(self, offset=0):
        index = self.pos + offset
        return self.tokens[index] if index < len(self.tokens) else None

    def next(self, what):
        token = self.peek()
        if token is None:
            last = self.tokens[-1].line if self.tokens else len(self.source.lines)
            raise ScriptError(f"{self.where(last)}: the script ends where {what} should be")
        self.pos += 1
        return token

    def is_punct(self, token, value):
        return token is not None and token.kind == "punct" and token.value == value

    def is_name(self, token, *values):
        return token is not None and token.kind == "name" and token.value in values

    def items(self):
        """A comma-separated list: each item a text or a list of (NOT?, token) terms."""
        items = [self.item()]
        while self.is_punct(self.peek(), ","):
            self.pos += 1
            items.append(self.item())
        return items

    def item(self):
        token = self.peek()
        if token is not None and token.kind == "string":
            self.pos += 1
            return ("text", token)
        terms = [self.term()]
        while self.is_punct(self.peek(), "|"):
            self.pos += 1
            terms.append(self.term())
        return ("terms", terms)

    def term(self):
        negate = False
        if self.is_name(self.peek(), "NOT"):
            self.pos += 1
            negate = True
        sign = 1
        if self.is_punct(self.peek(), "-"):
            self.pos += 1
            sign = -1
        token = self.next("a value")
        if self.is_punct(token, "("):
            inner = self.term()
            closing = self.next("a closing parenthesis")
            if not self.is_punct(closing, ")"):
                raise ScriptError(f"{self.where(closing.line)}: expected ) after a value")
            return (negate, inner[1], sign * inner[2])
        if token.kind not in ("number", "name"):
            raise ScriptError(f"{self.where(token.line)}: unexpected {token.describe()}")
        return (negate, token, sign)

    # Values ----------------------------------------------------------------------------------

    def number(self, item, what, line):
        if item[0] != "terms" or len(item[1]) != 1 or item[1][0][0]:
            raise ScriptError(f"{self.where(line)}: {what} must be a single number")
        _, token, sign = item[1][0]
        if token.kind == "number":
            return sign * token.value
        if token.value in self.defines:
            return sign * self.defines[token.value]
        raise ScriptError(f"{self.where(token.line)}: unknown identifier {token.value}")

    def style(self, item, start, line):
        if item[0] != "terms":
            raise ScriptError(f"{self.where(line)}: a style cannot be a text")
        value = start
        for negate, token, sign in item[1]:
            if token.kind == "number":
                bits = sign * token.value
            elif token.value in STYLE_VALUES:
                bits = STYLE_VALUES[token.value]
            else:
                raise ScriptError(f"{self.where(token.line)}: unknown style name {token.value}")
            bits &= 0xFFFFFFFF
            if negate:
                value &= ~bits
            else:
                value |= bits
        return value & 0xFFFFFFFF

    def text(self, item, what, line):
        if item[0] != "text":
            raise ScriptError(f"{self.where(line)}: {what} must be a quoted text")
        return item[1].value

    # Statements ------------------------------------------------------------------------------

    def parse(self):
        self.tokens = Lexer(self.source).tokens(self.script_lines())
        while self.peek() is not None:
            token = self.next("a statement")
            if self.is_name(token, "LANGUAGE"):
                self.language = self.language_of(self.items(), token.line)
            elif self.is_name(token, "STRINGTABLE"):
                raise ScriptError(f"{self.where(token.line)}: string tables belong in strings.tsv")
            elif token.kind in ("number", "name"):
                self.resource(token)
            else:
                raise ScriptError(f"{self.where(token.line)}: unexpected {token.describe()}")
        return self

    def language_of(self, items, line):
        if len(items) != 2:
            raise ScriptError(f"{self.where(line)}: LANGUAGE takes a language and a sub-language")
        values = []
        for item in items:
            if item[0] != "terms" or len(item[1]) != 1:
                raise ScriptError(f"{self.where(line)}: bad LANGUAGE value")
            token = item[1][0][1]
            value = token.value if token.kind == "number" else LANGUAGE_VALUES.get(token.value)
            if value is None:
                raise ScriptError(f"{self.where(line)}: unknown language name {token.value}")
            values.append(value)
        language = LANGUAGES.get(tuple(values))
        if language is None:
            raise ScriptError(f"{self.where(line)}: the Linux tables know English (US), "
                              "Simplified Chinese and neutral resources only")
        return language

    def resource(self, id_token):
        kind = self.next("a resource type")
        if kind.kind != "name":
            raise ScriptError(f"{self.where(kind.line)}: unexpected {kind.describe()}")
        if self.language is None:
            raise ScriptError(f"{self.where(id_token.line)}: a resource before any LANGUAGE")
        if kind.value == "DIALOGEX":
            self.dialog(id_token)
            return
        following = self.peek()
        if following is None or following.kind != "string":
            raise ScriptError(f"{self.where(kind.line)}: unknown statement {kind.value}")
        if kind.value in PREDEFINED_TYPES or kind.value in self.defines:
            raise ScriptError(f"{self.where(kind.line)}: resources of type {kind.value} are not "
                              "supported; use a named type such as PNG")
        self.pos += 1
        resource_id = self.number(("terms", [(False, id_token, 1)]), "a resource id",
                                  id_token.line)
        path = os.path.join(self.folder, following.value)
        for other in self.data:
            if other.id == resource_id and other.type == kind.value.upper():
                raise ScriptError(f"{self.where(id_token.line)}: resource {resource_id} of type "
                                  f"{kind.value} is defined twice (first at line {other.line})")
        if not os.path.isfile(path):
            raise ScriptError(f"{self.where(following.line)}: {following.value} not found")
        self.inputs.append(os.path.abspath(path))
        self.data.append(DataResource(resource_id, kind.value.upper(), path, id_token.line))

    def dialog(self, id_token):
        line = id_token.line
        dialog_id = self.number(("terms", [(False, id_token, 1)]), "a dialog id", line)
        if self.language == "neutral":
            raise ScriptError(f"{self.where(line)}: dialog {dialog_id} needs a language")
        dialog = Dialog(dialog_id, self.language, line)
        size = self.items()
        if len(size) not in (4, 5):
            raise ScriptError(f"{self.where(line)}: DIALOGEX takes x, y, width and height")
        dialog.x, dialog.y, dialog.cx, dialog.cy = (self.number(v, "a position", line)
                                                    for v in size[:4])
        while True:
            token = self.next("BEGIN")
            if self.is_name(token, "BEGIN") or self.is_punct(token, "{"):
                break
            if self.is_name(token, "STYLE"):
                dialog.style = self.style(self.item(), 0, token.line)
            elif self.is_name(token, "EXSTYLE"):
                dialog.ex_style = self.style(self.item(), 0, token.line)
            elif self.is_name(token, "CAPTION"):
                dialog.caption = self.text(self.item(), "CAPTION", token.line)
            elif self.is_name(token, "FONT"):
                font = self.items()
                if len(font) < 2:
                    raise ScriptError(f"{self.where(token.line)}: FONT takes a size and a face")
                dialog.font = (self.text(font[1], "the font face", token.line),
                               self.number(font[0], "the font size", token.line))
            else:
                raise ScriptError(f"{self.where(token.line)}: unknown statement "
                                  f"{token.describe()}")
        style = DEFAULT_DIALOG_STYLE if dialog.style is None else dialog.style
        if dialog.caption:
            style |= S["WS_CAPTION"]
        if dialog.font[0]:
            style |= S["DS_SETFONT"]
        dialog.style = style
        while True:
            token = self.next("END")
            if self.is_name(token, "END") or self.is_punct(token, "}"):
                break
            dialog.controls.append(self.control(token))
        for other in self.dialogs:
            if other.id == dialog.id and other.language == dialog.language:
                raise ScriptError(f"{self.where(line)}: dialog {dialog.id} is defined twice in "
                                  f"{dialog.language} (first at line {other.line})")
        self.dialogs.append(dialog)

    def control(self, token):
        line = token.line
        if token.kind != "name":
            raise ScriptError(f"{self.where(line)}: unexpected {token.describe()}")
        control = Control(token.value, line)
        items = self.items()
        if token.value == "CONTROL":
            if len(items) not in (8, 9):
                raise ScriptError(f"{self.where(line)}: CONTROL takes a text, id, class, style, "
                                  "x, y, width, height and an optional extended style")
            control.text = self.text(items[0], "the text", line)
            class_name = self.text(items[2], "the class", line)
            control.class_name = (class_name.upper() if class_name.upper() in PREDEFINED_CLASSES
                                  else class_name)
            control.style = self.style(items[3], WS_CHILD | WS_VISIBLE, line)
            rest = [items[1]] + items[4:]
        elif token.value in CONTROL_STATEMENTS:
            class_name, has_text, default_style, base_style = CONTROL_STATEMENTS[token.value]
            control.class_name = class_name
            if has_text:
                control.text = self.text(items[0], "the text", line)
                items = items[1:]
            if len(items) not in (5, 6, 7):
                raise ScriptError(f"{self.where(line)}: {token.value} takes an id, x, y, width, "
                                  "height and optional styles")
            if len(items) > 5:
                control.style = self.style(items[5], WS_CHILD | WS_VISIBLE | base_style, line)
            else:
                control.style = WS_CHILD | WS_VISIBLE | default_style
            rest = items[:5] + items[6:]
        else:
            raise ScriptError(f"{self.where(line)}: unknown statement {token.value}")
        control.id = self.number(rest[0], "the control id", line)
        control.x, control.y, control.cx, control.cy = (self.number(v, "a position", line)
                                                        for v in rest[1:5])
        if len(rest) > 5:
            control.ex_style = self.style(rest[5], 0, line)
        return control


def check(parser):
    """The checks that span a whole dialog or both languages."""
    where = parser.where
    by_language = {language: {} for language in DIALOG_LANGUAGES}
    for dialog in parser.dialogs:
        if dialog.language not in by_language:
            raise ScriptError(f"{where(dialog.line)}: dialog {dialog.id} is in no table language")
        by_language[dialog.language][dialog.id] = dialog
        seen = {}
        for control in dialog.controls:
            if control.id != -1:
                if control.id in seen:
                    raise ScriptError(f"{where(control.line)}: control {control.id} appears twice "
                                      f"in dialog {dialog.id} (first at line {seen[control.id]})")
                seen[control.id] = control.line
            height = (min(control.cy, COMBO_CLOSED_HEIGHT) if control.class_name == "COMBOBOX"
                      else control.cy)
            if (control.x < 0 or control.y < 0 or control.x + control.cx > dialog.cx
                    or control.y + height > dialog.cy):
                raise ScriptError(
                    f"{where(control.line)}: control {control.id} of dialog {dialog.id} lies "
                    f"outside the client area ({control.x}, {control.y}, {control.cx} x {height} "
                    f"in {dialog.cx} x {dialog.cy})")
    for language, other in ((DIALOG_LANGUAGES[0], DIALOG_LANGUAGES[1]),
                            (DIALOG_LANGUAGES[1], DIALOG_LANGUAGES[0])):
        for dialog_id, dialog in sorted(by_language[language].items()):
            counterpart = by_language[other].get(dialog_id)
            if counterpart is None:
                raise ScriptError(f"{where(dialog.line)}: dialog {dialog_id} has no {other} "
                                  "version")
            their_ids = {control.id for control in counterpart.controls}
            for control in dialog.controls:
                if control.id != -1 and control.id not in their_ids:
                    raise ScriptError(f"{where(control.line)}: control {control.id} of dialog "
                                      f"{dialog_id} ({language}) has no {other} counterpart")
    for language in DIALOG_LANGUAGES:
        if not by_language[language]:
            raise ScriptError(f"{parser.source.path}: no {language} dialogs")
    return by_language


def write_dialogs(by_language, path, source):
    lines = [
        f"// Generated by resources/gen_dialogs.py from {source}. Do not edit.",
        '#include "resources/dialog_templates.h"',
        "",
        "namespace resources {",
        "namespace {",
        "",
        "using win::headless::ControlTemplate;",
        "using win::headless::DialogTemplate;",
        "",
    ]
    for language in DIALOG_LANGUAGES:
        dialogs = by_language[language]
        for dialog_id, dialog in sorted(dialogs.items()):
            lines.append(f"// {language} {dialog_id}: id, class, text, style, extended style, "
                         "x, y, width, height")
            lines.append(f"constexpr ControlTemplate {CPP_NAMES[language]}{dialog_id}[] = {{")
            for c in dialog.controls:
                lines.append(f"    {{{c.id}, {cpp_literal(c.class_name)}, {cpp_literal(c.text)}, "
                             f"0x{c.style:08X}, 0x{c.ex_style:08X}, {c.x}, {c.y}, {c.cx}, "
                             f"{c.cy}}},")
            lines += ["};", ""]
        lines.append(f"constexpr DialogTemplate {CPP_NAMES[language]}[] = {{")
        for dialog_id, d in sorted(dialogs.items()):
            lines.append(f"    {{{dialog_id}, 0x{d.style:08X}, 0x{d.ex_style:08X}, {d.x}, {d.y}, "
                         f"{d.cx}, {d.cy}, {cpp_literal(d.caption)}, {cpp_literal(d.font[0])}, "
                         f"{d.font[1]}, {CPP_NAMES[language]}{dialog_id}}},")
        lines += ["};", ""]
    lines += [
        "}  // namespace",
        "",
        "std::span<const DialogTemplate> DialogTable(StringLanguage language) {",
        "    switch (language) {",
        "        case StringLanguage::kSimplifiedChinese:",
        f"            return {CPP_NAMES['zh-CN']};",
        "        case StringLanguage::kIds:  // numbers the strings only; the dialogs are English",
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


def write_data(resources, path, source):
    lines = [
        f"// Generated by resources/gen_dialogs.py from {source}. Do not edit.",
        '#include "resources/resource_data.h"',
        "",
        "namespace resources {",
        "namespace {",
        "",
    ]
    for resource in resources:
        with open(resource.path, "rb") as f:
            data = f.read()
        lines.append(f"// {os.path.basename(resource.path)}, {len(data)} bytes")
        lines.append(f"constexpr uint8_t k{resource.type.title()}{resource.id}[] = {{")
        for offset in range(0, len(data), 16):
            chunk = ", ".join(f"0x{b:02X}" for b in data[offset:offset + 16])
            lines.append(f"    {chunk},")
        lines += ["};", ""]
    lines.append("constexpr DataResource kResources[] = {")
    for resource in resources:
        lines.append(f"    {{{resource.id}, {cpp_literal(resource.type)}, "
                     f"k{resource.type.title()}{resource.id}}},")
    lines += [
        "};",
        "",
        "}  // namespace",
        "",
        "std::span<const DataResource> DataResources() {",
        "    return kResources;",
        "}",
        "",
        "}  // namespace resources",
        "",
    ]
    write_text(path, "\n".join(lines))


def write_depfile(path, target, inputs):
    def escape(name):
        return name.replace("\\", "/").replace(" ", "\\ ")
    write_text(path, f"{escape(target)}: {' '.join(escape(name) for name in inputs)}\n")


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("script", help="the plugin.rc file")
    parser.add_argument("--dialogs", help="C++ source of the dialog tables to write")
    parser.add_argument("--data", help="C++ source of the data resources to write")
    parser.add_argument("--depfile", help="dependency file naming the inputs")
    args = parser.parse_args()
    try:
        script = Parser(args.script).parse()
        by_language = check(script)
        source = "resources/" + os.path.basename(args.script)
        if args.dialogs:
            write_dialogs(by_language, args.dialogs, source)
        if args.data:
            if not script.data:
                raise ScriptError(f"{args.script}: no data resources")
            write_data(script.data, args.data, source)
        if args.depfile:
            target = args.dialogs or args.data or args.script
            write_depfile(args.depfile, os.path.abspath(target), script.inputs)
    except (ScriptError, OSError) as error:
        print(f"gen_dialogs: {error}", file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
