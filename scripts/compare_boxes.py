#!/usr/bin/env python3
"""Compares the page engine's element boxes with headless chromium's.

    scripts/compare_boxes.py [--width 800] [--show N] PAGE.html...

Each page is copied to a scratch folder with an id on every element that has
none (the engine's probe reports elements by id), laid out by both at the
given width, and the share of rendered elements whose border-box width and
height agree within 2 pixels is printed. With --show, the first N elements
that disagree are listed. A working tool, not a test: chromium is only a
reference here.

Both use the same faces: chromium is given a font configuration that maps
the generic families to the metric-compatible Liberation faces the engine
draws Times New Roman, Arial and Courier New with.
"""
import argparse
import html.parser
import json
import os
import re
import subprocess
import sys
import tempfile

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
BUILD = os.environ.get("TARNEL_BUILD", os.path.join(ROOT, "build"))
PROBE = os.path.join(BUILD, "bin", "tests", "probe.exe")

FONTS_CONF = """<?xml version="1.0"?>
<!DOCTYPE fontconfig SYSTEM "fonts.dtd">
<fontconfig>
  <include ignore_missing="yes">/etc/fonts/fonts.conf</include>
  <match target="pattern"><test name="family"><string>serif</string></test>
    <edit name="family" mode="prepend" binding="strong"><string>Liberation Serif</string></edit></match>
  <match target="pattern"><test name="family"><string>sans-serif</string></test>
    <edit name="family" mode="prepend" binding="strong"><string>Liberation Sans</string></edit></match>
  <match target="pattern"><test name="family"><string>monospace</string></test>
    <edit name="family" mode="prepend" binding="strong"><string>Liberation Mono</string></edit></match>
</fontconfig>
"""

MEASURE = """<script>
addEventListener('load', function () {
  var out = [];
  var all = document.body ? document.body.querySelectorAll('*') : [];
  for (var i = 0; i < all.length; ++i) {
    var e = all[i];
    if (!e.id || e.getClientRects().length == 0) continue;
    var r = e.getBoundingClientRect();
    out.push([e.id, r.left + scrollX, r.top + scrollY, r.width, r.height]);
  }
  var p = document.createElement('textarea');
  p.id = '__boxes';
  p.textContent = JSON.stringify(out);
  document.documentElement.appendChild(p);
});
</script>"""


class IdAdder(html.parser.HTMLParser):
    """Finds the start tags without an id, by their offsets in the text."""

    def __init__(self, text):
        super().__init__(convert_charrefs=True)
        self.inserts = []
        self.lines = [0]
        for m in re.finditer("\n", text):
            self.lines.append(m.end())
        self.text = text

    def handle_starttag(self, tag, attrs):
        if any(a[0] == "id" for a in attrs):
            return
        line, col = self.getpos()
        start = self.lines[line - 1] + col
        end = self.text.find(">", start)
        if end < 0:
            return
        if self.text[end - 1] == "/":
            end -= 1
        self.inserts.append(end)

    handle_startendtag = handle_starttag


def Prepare(path, folder):
    raw = open(path, "rb").read()
    enc = "utf-8"
    m = re.search(rb"charset=[\"']?([A-Za-z0-9_-]+)", raw[:2048])
    if m:
        enc = m.group(1).decode()
    try:
        text = raw.decode(enc)
    except (LookupError, UnicodeDecodeError):
        enc = "latin-1"
        text = raw.decode(enc)
    adder = IdAdder(text)
    adder.feed(text)
    parts, last = [], 0
    for k, at in enumerate(sorted(adder.inserts)):
        parts.append(text[last:at])
        parts.append(' id="k%d"' % k)
        last = at
    parts.append(text[last:])
    marked = "".join(parts)
    name = os.path.basename(path)
    for_engine = os.path.join(folder, name)
    with open(for_engine, "w", encoding=enc, errors="replace") as f:
        f.write(marked)
    for_browser = os.path.join(folder, "measured-" + name)
    with open(for_browser, "w", encoding=enc, errors="replace") as f:
        f.write(marked + MEASURE)
    return for_engine, for_browser


def ChromiumBoxes(path, width, folder):
    conf = os.path.join(folder, "fonts.conf")
    with open(conf, "w") as f:
        f.write(FONTS_CONF)
    env = dict(os.environ, FONTCONFIG_FILE=conf)
    out = subprocess.run(
        ["chromium", "--headless", "--no-sandbox", "--disable-gpu", "--hide-scrollbars",
         "--window-size=%d,600" % width, "--virtual-time-budget=3000", "--allow-file-access-from-files",
         "--dump-dom", "file://" + path],
        capture_output=True, text=True, env=env, timeout=120).stdout
    m = re.search(r'<textarea id="__boxes">(.*?)</textarea>', out, re.S)
    if not m:
        return {}
    data = json.loads(html.unescape(m.group(1)))
    return {row[0]: row[1:] for row in data}


def EngineBoxes(path, width):
    env = dict(os.environ, WINEDEBUG="-all", WINEDLLOVERRIDES="mscoree,mshtml=",
               WINEPREFIX=os.environ.get("WINEPREFIX", os.path.join(BUILD, "testprefix")))
    out = subprocess.run(["wine", PROBE, "html", "boxes", "Z:" + path.replace("/", "\\"), str(width)],
                         capture_output=True, env=env, timeout=300).stdout.decode("utf-8", "replace")
    boxes = {}
    for line in out.splitlines():
        f = line.split("\t")
        if len(f) == 5:
            boxes[f[0]] = [int(v) for v in f[1:]]
    return boxes


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--width", type=int, default=800)
    ap.add_argument("--show", type=int, default=0)
    ap.add_argument("pages", nargs="+")
    args = ap.parse_args()
    folder = tempfile.mkdtemp(prefix="boxes-")
    for page in args.pages:
        engine_file, browser_file = Prepare(os.path.abspath(page), folder)
        want = ChromiumBoxes(browser_file, args.width, folder)
        have = EngineBoxes(engine_file, args.width)
        agree, wrong = 0, []
        for key, (x, y, w, h) in want.items():
            got = have.get(key)
            if got and abs(got[2] - w) <= 2 and abs(got[3] - h) <= 2:
                agree += 1
            else:
                wrong.append((key, [round(x), round(y), round(w), round(h)], got))
        share = 100.0 * agree / len(want) if want else 0
        print("%-48s %5d boxes %6.1f%% within 2 px" % (page, len(want), share))
        for key, b, got in wrong[:args.show]:
            print("    %-8s chromium %-24s engine %s" % (key, b, got))
    return 0


if __name__ == "__main__":
    sys.exit(main())
