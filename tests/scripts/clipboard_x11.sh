#!/usr/bin/env bash
# Copy and Append seen from outside Wine: the Rich Text and the plain text
# that X11 programs read, checked against today's lesson as quorin-cli
# prints it, and the Rich Text read by a real word processor (LibreOffice).
set -uo pipefail
. "$(dirname "$0")/../output/wine_session.sh"
cli=${QUORIN_CLI:-$build/native/quorin-cli}
for tool in wine xclip xdotool Xvfb python3 soffice; do
  command -v "$tool" >/dev/null || { echo "clipboard_x11: skipped, no $tool"; exit 0; }
done
[ -f "$exe" ] && [ -x "$cli" ] || { echo "clipboard_x11: FAILED, build both trees first"; exit 1; }

work=$(mktemp -d)
session_begin
trap 'session_end; [ -n "${KEEP_WORK:-}" ] && echo "kept $work" || rm -rf "$work"' EXIT
fail=0
# The program picks today itself (no pinned day); the same day's lesson from the terminal reader.
lesson=$("$cli" today | sed -n '1s/.* lesson \([0-9]*\) .*/\1/p')
[ -n "$lesson" ] || { echo "clipboard_x11: FAILED, no lesson in quorin-cli today"; exit 1; }
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
reg Flags REG_DWORD $((0xD1140040))
start || exit 1
keys ctrl+c
clip TARGETS >"$work/targets"
clip text/rtf >"$work/copy.rtf"
clip UTF8_STRING >"$work/copy.txt"
keys ctrl+e
clip text/rtf >"$work/append.rtf"
clip UTF8_STRING >"$work/append.txt"
stop

# What a word processor reads from the Rich Text, as plain text; a profile
# of its own, so no other LibreOffice run stands in the way.
for f in copy append; do
  tr -d '\0' <"$work/$f.rtf" >"$work/$f-doc.rtf"
  timeout 120 soffice -env:UserInstallation="file://$work/lo-profile" --headless \
    --convert-to "txt:Text (encoded):UTF8" --outdir "$work/lo" "$work/$f-doc.rtf" >/dev/null 2>&1 ||
    { echo "clipboard_x11: FAILED, LibreOffice did not convert $f.rtf"; fail=1; }
done

reg FontAsciiBase REG_DWORD 224
start || exit 1
keys ctrl+c
clip UTF8_STRING >"$work/copy224.txt"
keys ctrl+e
clip UTF8_STRING >"$work/append224.txt"
stop

for target in text/rtf UTF8_STRING; do
  grep -qx "$target" "$work/targets" || { echo "clipboard_x11: FAILED, no $target offered"; fail=1; }
done
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

def lines(path):
    # X may hand CR LF over as LF. A word processor's text starts with a BOM,
    # and LibreOffice writes each space of the separator's runs as U+2006 and a space.
    text = open(path, encoding="utf-8").read().lstrip("\ufeff").replace("\r\n", "\n").replace("\u2006", "")
    return [l.strip() for l in text.split("\n") if content(l)]

stars = ["*  *  *  *  *"]
plain, plain2 = f"{work}/copy.txt", f"{work}/append.txt"
if lines(plain) != lesson:
    bad.append("plain copy: not the lesson in reading order")
if lines(plain) != paragraphs(body):
    bad.append("plain copy: paragraphs differ from the Rich Text's")
if lines(plain2) != lesson + stars + lesson:
    bad.append("plain append: not the two lessons with the separator between")
if "\n\n" in open(plain, encoding="utf-8").read().replace("\r\n", "\n"):
    bad.append("plain copy: empty lines between paragraphs")
for name, text in (("copy", plain), ("append", plain2)):
    try:
        read = lines(f"{work}/lo/{name}-doc.txt")
    except OSError:
        read = None
    if read != lines(text):
        bad.append(f"LibreOffice reads the {name} Rich Text differently from the plain text")

u = open(f"{work}/copy224.txt", encoding="utf-8").read()
u2 = open(f"{work}/append224.txt", encoding="utf-8").read()
if from224(u) != lesson:
    bad.append("unicode copy differs from the lesson")
if u2 != u + u:
    bad.append("unicode append is not the two copies joined")
for b in bad:
    print("clipboard_x11: FAILED", b)
print(f"clipboard_x11: rtf {len(copy)} bytes, appended {len(append)}, plain text {len(open(plain, encoding='utf-8').read())} "
      f"characters, base 224 text {len(u)} characters, {len(lesson)} paragraphs")
sys.exit(1 if bad else 0)
PY
exit $fail
