#!/usr/bin/env python3
"""Writes the two reference texts of the reference window, ASCREF.txt and
MESREF.txt, in the system code page (Windows-1252) with CR LF line ends.

The window marks headings by line index and the resources have fixed sizes,
so the rules (lines of underscores) take up whatever length is left over:
change a row and run this again; it stops when the rows no longer fit.
"""
import os

HERE = os.path.dirname(os.path.abspath(__file__))
CRLF = "\r\n"

NAMED = {34: "&quot;", 38: "&amp;", 60: "&lt;", 62: "&gt;", 149: "&bull;", 153: "&trade;",
         160: "&nbsp;", 161: "&iexcl;", 162: "&cent;", 163: "&pound;", 169: "&copy;",
         170: "&ordf;", 174: "&reg;", 176: "&deg;", 177: "&plusmn;", 181: "&micro;",
         182: "&para;", 186: "&ordm;", 187: "&raquo;", 188: "&frac14;", 189: "&frac12;",
         190: "&frac34;", 191: "&iquest;", 192: "&Agrave;", 215: "&times;", 220: "&Uuml;",
         222: "&THORN;", 233: "&eacute;", 241: "&ntilde;", 246: "&ouml;", 247: "&divide;"}

KEYS = {3: "[Ctrl] + [Break]", 8: "[Backspace]", 9: "[Tab]", 10: "Line Feed (vbLf)",
        11: "Vertical Tab", 13: "[Return] or [Enter]", 16: "[Shift]", 17: "Control  [Ctrl]",
        18: "[Alt]", 27: "Escape   [Esc]", 32: "[Space]", 33: "[Page Up]", 34: "[Page Down]",
        37: "[Left Arrow]", 38: "[Up Arrow]", 39: "[Right Arrow]", 40: "[Down Arrow]",
        46: "[Delete]", 47: "[Help]", 186: "[;] or [:]", 187: "[=] or [+]", 188: "[,] or [<]",
        189: "[-] or [_]", 190: "[.] or [>]", 191: "[/] or [?]", 192: "[`] or [~]",
        220: "[\\] or [|]", 222: "['] or [\"]"}
KEYS.update({48 + d: "[%d]" % d for d in range(10)})

NAMES = {3: "end of text", 8: "backspace", 9: "horizontal tab", 10: "line feed", 11: "vertical tab",
         13: "carriage return", 16: "data link escape", 17: "device control 1", 18: "device control 2",
         27: "escape", 32: "space", 33: "exclamation mark", 34: "quotation mark", 35: "number sign",
         36: "dollar sign", 37: "percent sign", 38: "ampersand", 39: "apostrophe", 40: "left parenthesis",
         41: "right parenthesis", 42: "asterisk", 43: "plus sign", 44: "comma", 45: "hyphen", 46: "period",
         47: "slash", 58: "colon", 59: "semicolon", 60: "less-than sign", 61: "equals sign",
         62: "greater-than sign", 63: "question mark", 64: "at sign", 91: "left square bracket",
         92: "backslash", 93: "right square bracket", 94: "caret", 95: "underscore", 123: "left brace",
         124: "vertical bar", 125: "right brace", 126: "tilde", 149: "bullet", 153: "trade mark",
         160: "non-breaking space", 161: "inverted exclamation", 162: "cent sign", 163: "pound sign",
         169: "copyright sign", 170: "feminine ordinal", 174: "registered sign", 176: "degree sign",
         177: "plus-minus sign", 181: "micro sign", 182: "pilcrow", 186: "masculine ordinal",
         187: "right angle quote", 188: "one quarter", 189: "one half", 190: "three quarters",
         191: "inverted question", 192: "capital A grave", 215: "multiplication sign",
         220: "capital U umlaut", 222: "capital thorn", 233: "small e acute", 241: "small n tilde",
         246: "small o umlaut", 247: "division sign"}
NAMES.update({48 + d: "digit %d" % d for d in range(10)})

CODES = ([3, 8, 9, 10, 11, 13, 16, 17, 18, 27] + list(range(32, 65)) + list(range(91, 96)) +
         list(range(123, 127)) + [149, 153, 160, 161, 162, 163, 169, 170, 174, 176, 177, 181, 182] +
         list(range(186, 193)) + [215, 220, 222, 233, 241, 246, 247])

SENDKEYS = [("Shift", "+", "+{TAB} is Shift+Tab"), ("Ctrl", "^", "^C is Ctrl+C"),
            ("Alt", "%", "%F is Alt+F"), ("Return", "~  or  {ENTER}", ""),
            ("Backspace", "{BACKSPACE}  or  {BS}", ""), ("CapsLock", "{CAPSLOCK}", ""),
            ("Delete", "{DELETE}  or  {DEL}", ""), ("Down Arrow", "{DOWN}", ""), ("Esc", "{ESC}", ""),
            ("Left Arrow", "{LEFT}", ""), ("Page Down", "{PGDN}", ""), ("Page Up", "{PGUP}", ""),
            ("Right Arrow", "{RIGHT}", ""), ("Tab", "{TAB}", "{TAB 3} is Tab three times"),
            ("Up Arrow", "{UP}", "")]

NAME_COLUMN = 41
KEY_COLUMN = 62


def code_row(code):
    if code < 32:
        left = "%4d   ---" % code
    else:
        ch = bytes([code]).decode("cp1252")
        left = ("%4d   %s   &#%d;" % (code, ch, code)).ljust(19) + ("&#x%X;" % code).ljust(9)
        if code in NAMED:
            left += "or " + NAMED[code]
    left = left.ljust(NAME_COLUMN) + NAMES[code]
    key = KEYS.get(code, "")
    return left.ljust(KEY_COLUMN) + key if key else left


def asc_lines(rule):
    lines = [" HTML CHARACTER CODES ", " KEYBOARD CODES ", " SENDKEYS", rule, "",
             " HTML character codes:".ljust(KEY_COLUMN) + "Keyboard Keycodes:", ""]
    lines += [code_row(c) for c in CODES]
    lines += ["", rule, "", "SendKeys", ""]
    lines += [("  %-14s%-24s%s" % row).rstrip() for row in SENDKEYS]
    lines += [""]
    assert len(lines) == 107 and lines[89] == "SendKeys" and len(CODES) == 79
    return lines


def mes_lines(rule):
    def rows(pairs):
        return ["  %s = %d" % pair for pair in pairs]
    lines = ["Message Box", "", "Buttons:"]
    lines += rows([("OK", 0), ("OKCancel", 1), ("AbortRetryIgnore", 2), ("YesNoCancel", 3),
                   ("YesNo", 4), ("RetryCancel", 5)])
    lines += ["", " Icons:"]
    lines += rows([("Error", 16), ("Question Mark", 32), ("Exclamation", 48), ("Information", 64)])
    lines += ["", " Response (button clicked):"]
    lines += rows([("OK", 1), ("Cancel", 2), ("Abort", 3), ("Retry", 4), ("Ignore", 5), ("Yes", 6),
                   ("No", 7)])
    lines += [""]
    lines += rows([("Default Button 1", 0), ("Default Button 2", 256), ("Default Button 3", 512),
                   ("Default Button 4", 768), ("Application Modal", 0), ("System Modal", 4096)])
    lines += ["", rule, "", "File Attributes", ""]
    lines += rows([("Normal", 0), ("ReadOnly", 1), ("Hidden", 2), ("System", 4), ("Volume", 8),
                   ("Directory", 16), ("Archive", 32), ("Alias (link or shortcut)", 64), ("Compressed", 128)])
    lines += ["", rule, "", "Drive Types", ""]
    lines += rows([("unknown", 0), ("removable", 1), ("fixed", 2), ("remote", 3), ("CD", 4), ("RAMdisk", 5)])
    lines += ["", rule, "", "File I/O", "", " OpenTextFile mode:"]
    lines += rows([("ForReading", 1), ("ForWriting", 2), ("ForAppending", 8)])
    lines += ["", rule, "", "Special Folders", ""]
    lines += rows([("Windows/WINNT", 0), ("System", 1), ("TEMP", 2)])
    lines += [""] * 9
    assert len(lines) == 82 and lines[68] == "Special Folders" and lines[62].strip().startswith("ForReading")
    return lines


def write(name, make, size, rules):
    """Lengthens the rules (rules of them in the text) until the file is size bytes."""
    base = len(CRLF.join(make("")).encode("cp1252"))
    spare = size - base
    assert spare >= rules * 20, "%s: the rows leave too little room for its rules" % name
    each, extra = divmod(spare, rules)
    # Rules differ by at most one underscore; the first takes the extra.
    text = CRLF.join(make("_" * each))
    if extra:
        text = text.replace("_" * each, "_" * (each + extra), 1)
    data = text.encode("cp1252")
    assert len(data) == size, (name, len(data))
    with open(os.path.join(HERE, name), "wb") as f:
        f.write(data)


write("ASCREF.txt", asc_lines, 5840, 2)
write("MESREF.txt", mes_lines, 1114, 4)
