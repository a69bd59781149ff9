#!/usr/bin/env bash
# Printing through a real spooler: a CUPS PDF printer, the program asked to
# print with Ctrl+P, its page set-up and print dialogs answered with Enter, and the PDF
# checked for pages, footers, header marks and the lesson's words. Page 1 is
# kept as a PNG for a person to look at (out/print or OUT).
set -uo pipefail
. "$(dirname "$0")/../output/wine_session.sh"
cli=${QUORIN_CLI:-$build/native/quorin-cli}
out=${OUT:-$root/out/print}
for tool in wine xdotool Xvfb python3 cupsd lpadmin pdfinfo pdftotext pdftoppm; do
  command -v "$tool" >/dev/null || { echo "print_pdf: skipped, no $tool"; exit 0; }
done
[ -f "$exe" ] && [ -x "$cli" ] || { echo "print_pdf: FAILED, build both trees first"; exit 1; }
[ -f /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd ] || { echo "print_pdf: skipped, no cups-pdf"; exit 0; }

# The spooler and its PDF printer, as the default.
. "$root/scripts/pdf-printer.sh"
why=$(pdf_printer_ready 2>&1) || { echo "print_pdf: FAILED, $why"; exit 1; }
mapfile -t pdfdirs < <(if [ -n "${PDF_DIR:-}" ]; then echo "$PDF_DIR"; else pdf_output_dirs; fi)
mkdir -p "$out"

work=$(mktemp -d)
session_begin
trap 'session_end; rm -rf "$work"' EXIT
lesson=100
"$cli" lesson $lesson >"$work/lesson.txt"
touch "$work/since"

preset $lesson
start || exit 1
keys ctrl+p
setup=$(page_setup_dialog "$win") || { echo "print_pdf: FAILED, no page set-up dialog"; exit 1; }
xdotool windowfocus "$setup" >/dev/null 2>&1
xdotool key Return
dialog=$(print_dialog "$win") || { echo "print_pdf: FAILED, no print dialog"; exit 1; }
xdotool windowfocus "$dialog" >/dev/null 2>&1
xdotool key Return
pdf=$(printed_pdf "$work/since" "${pdfdirs[@]}") || { echo "print_pdf: FAILED, no PDF in ${pdfdirs[*]}"; exit 1; }
stop

cp "$pdf" "$out/lesson-$lesson.pdf"
pdftoppm -png -r 80 -f 1 -l 1 "$pdf" "$out/lesson-$lesson-page"
pages=$(pdfinfo "$pdf" | awk '/^Pages:/ {print $2}')
for p in $(seq 1 "$pages"); do pdftotext -f "$p" -l "$p" "$pdf" "$work/page-$p.txt"; done
rm -f "$pdf"

python3 - "$work" "$pages" <<'PY'
import re, sys
from collections import Counter
work, pages = sys.argv[1], int(sys.argv[2])
bad = []
if pages < 2:
    bad.append(f"{pages} page(s), a lesson of this length needs several")
words = lambda t: re.findall(r"[\u05d0-\u05ea\"']+", t)
printed = Counter()
for p in range(1, pages + 1):
    t = open(f"{work}/page-{p}.txt", encoding="utf-8").read()
    numbers = re.findall(r"Page (\d+)", t)
    if numbers != [str(p)]:
        bad.append(f"page {p}: footer numbers {numbers}")
    if t.count("www.lumivex.com -- Quorin") != 1:
        bad.append(f"page {p}: the footer's address is not there once")
    if 'בס"ד' not in t:
        bad.append(f"page {p}: no header mark")
    w = words(t)
    w.remove('בס"ד') if 'בס"ד' in w else None
    printed.update(w)
lesson = Counter(words(open(f"{work}/lesson.txt", encoding="utf-8").read()))
missing = sum((lesson - printed).values())
total = sum(lesson.values())
# Words broken at a hyphen or by the line width may read as two; a few may differ.
if missing > total // 100:
    bad.append(f"{missing} of the lesson's {total} words are not in the PDF")
for b in bad:
    print("print_pdf: FAILED", b)
print(f"print_pdf: {pages} pages, {total} words, {missing} not found")
sys.exit(1 if bad else 0)
PY
status=$?
echo "print_pdf: page 1 is in $out/lesson-$lesson-page-1.png"
exit $status
