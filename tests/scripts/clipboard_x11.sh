#!/usr/bin/env bash
# Copy and Append seen from outside Wine: the Rich Text and the Unicode text
# that X11 programs read, checked against the lesson as quorin-cli prints it.
set -uo pipefail
. "$(dirname "$0")/../output/wine_session.sh"
cli=${QUORIN_CLI:-$build/native/quorin-cli}
for tool in wine xclip xdotool Xvfb python3; do
  command -v "$tool" >/dev/null || { echo "clipboard_x11: skipped, no $tool"; exit 0; }
done
[ -f "$exe" ] && [ -x "$cli" ] || { echo "clipboard_x11: FAILED, build both trees first"; exit 1; }

work=$(mktemp -d)
session_begin
trap 'session_end; [ -n "${KEEP_WORK:-}" ] && echo "kept $work" || rm -rf "$work"' EXIT
fail=0
lesson=100
# The lesson one line per record in reading order, from its raw bytes.
"$cli" lesson $lesson --raw | python3 -c '
import re, sys
data = sys.stdin.buffer.read()
swap = str.maketrans("()[]{}", ")(][}{")
i = 0
while i < len(data) and data[i]:
    style = data[i]
    end = data.index(0, i + 2)
    raw = data[i + 2:end]
    i = end + 1
    if style & 7 == 7:
        continue
    text = "".join(chr(0x5D0 + b - 0x61) if 0x61 <= b <= 0x7B else "{" if b == 0x7E else chr(b) for b in raw)
    if style & 0x10:
        # Display order to reading order; a run of digits keeps its own order.
        text = "".join(reversed(re.findall(r"[0-9]+|[^0-9]", text))).translate(swap)
    print(text)
' >"$work/lesson.txt"

# Offered targets, then the bytes of one of them.
clip() { xclip -selection clipboard -o -t "$1" 2>/dev/null; }

preset $lesson
start || exit 1
keys ctrl+c
clip TARGETS >"$work/targets"
clip text/rtf >"$work/copy.rtf"
keys ctrl+e
clip text/rtf >"$work/append.rtf"
stop

reg FontAsciiBase REG_DWORD 224
start || exit 1
keys ctrl+c
clip UTF8_STRING >"$work/copy224.txt"
keys ctrl+e
clip UTF8_STRING >"$work/append224.txt"
stop

grep -qx 'text/rtf' "$work/targets" || { echo "clipboard_x11: FAILED, no text/rtf offered"; fail=1; }
python3 - "$work" <<'PY' || fail=1
import re, sys
work = sys.argv[1]
# Rules are hyphens in both, of lengths that need not agree: left out.
def content(l):
    return l.strip() and set(l.strip()) != {"-"}
lesson = [l.strip() for l in open(f"{work}/lesson.txt", encoding="utf-8").read().split("\n") if content(l)]
header = (b"{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fcharset177\\cpg1255 David;}}{\\colortbl\\red0\\green0\\blue0;"
          b"\\red255\\green255\\blue255;\\red255\\green0\\blue0;}\\rtldoc\\pard\\rtlpar\\qr\\lang1033\\f0\\fs20\\uc0\r\n")
separator = b"\\qc\\cf2\\fs72\\b*  *  *  *  *\\b0\\par\\par\\qr\\fs20\\cf0\r\n"
bad = []

def paragraphs(body):
    # \uN and its one delimiting space, escaped symbols, paragraph marks.
    text = re.sub(rb"\\u(\d+) ?", lambda m: chr(int(m.group(1))).encode("utf-8"), body)
    text = text.replace(b"\\par\\par\r\n", b"\n")
    text = re.sub(rb"\\([{}\\])", rb"\1", text).decode("utf-8")
    return [p.strip() for p in text.split("\n") if content(p)]

# X hands over the whole clipboard block: the zero byte and any padding.
copy = open(f"{work}/copy.rtf", "rb").read().rstrip(b"\0")
append = open(f"{work}/append.rtf", "rb").read().rstrip(b"\0")
if not copy.startswith(header) or not copy.endswith(b"}\r\n"):
    bad.append("copy: header or trailer")
body = copy[len(header):-3]
if paragraphs(body) != lesson:
    bad.append("copy: paragraphs differ from the lesson")
if append != header + body + separator + body + b"}\r\n":
    bad.append("append: not one document of two lessons")

def from224(t):
    # Code page positions back to Unicode letters, visual order back to reading order.
    mirror = str.maketrans("()[]{}", ")(][}{")
    t = "".join(chr(ord(c) - 0xE0 + 0x5D0) if 0xE0 <= ord(c) <= 0xFA else c for c in t)
    return [l.strip()[::-1].translate(mirror) for l in t.split("\n") if content(l)]

u = open(f"{work}/copy224.txt", encoding="utf-8").read()
u2 = open(f"{work}/append224.txt", encoding="utf-8").read()
if from224(u) != lesson:
    bad.append("unicode copy differs from the lesson")
if u2 != u + u:
    bad.append("unicode append is not the two copies joined")
for b in bad:
    print("clipboard_x11: FAILED", b)
print(f"clipboard_x11: rtf {len(copy)} bytes, appended {len(append)}, text {len(u)} characters, {len(lesson)} paragraphs")
sys.exit(1 if bad else 0)
PY
exit $fail
