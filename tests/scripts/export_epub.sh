#!/usr/bin/env bash
# quorin-cli export epub and --html: epubcheck clean for a whole cycle and
# for three days, every paragraph of every lesson in the book, its
# accessibility metadata and markup, the HTML page
# drawn by a real browser, and refusals that leave no file behind.
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
cli=${QUORIN_CLI:-${BUILD_DIR:-$root/build}/native/quorin-cli}
if [ ! -x "$cli" ]; then
  echo "export_epub: FAILED, no quorin-cli at $cli"
  exit 1
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail=0
bad() { echo "export_epub: FAILED $*"; fail=1; }
from=2026-12-08

# epubcheck: nothing at all to report, errors or warnings. Debian's is a jar
# that runs by itself only where binfmt_misc is set up for jars.
jar=$(readlink -f "$(command -v epubcheck)")
check_epub() {
  local out
  out=$(java -jar "$jar" "$1" 2>&1)
  grep -q "No errors or warnings detected" <<<"$out" || bad "epubcheck $(basename "$1"): $(grep -E 'ERROR|WARNING|FATAL' <<<"$out" | head -5)"
}

"$cli" export epub "$work/three.epub" --from $from --days 3 || bad "3-day export exit code"
"$cli" export epub "$work/cycle.epub" --from $from || bad "whole-cycle export exit code"
check_epub "$work/three.epub"
check_epub "$work/cycle.epub"

# The one-chapter track: a day's chapter is its portion, titled by the
# portion's headings, from the cycle's first day over the regrouped days.
"$cli" export epub "$work/track1.epub" --track 1 --from 1984-04-29 --days 170 || bad "track 1 export exit code"
check_epub "$work/track1.epub"
for n in 1 3 107 108 109 165 166 170; do "$cli" portion "$n" --width 1000 >"$work/portion-$n.txt"; done
python3 - "$work/track1.epub" "$work" <<'PY' || bad "the one-chapter book's text"
import re, sys, zipfile, xml.etree.ElementTree as ET
X = '{http://www.w3.org/1999/xhtml}'
z = zipfile.ZipFile(sys.argv[1])
for n in (1, 3, 107, 108, 109, 165, 166, 170):
    body = ET.fromstring(z.read('OEBPS/day-%04d.xhtml' % n)).find(X + 'body')
    h1 = body.find(X + 'h1')
    words = ' '.join(''.join(e.itertext()) for e in body if e is not h1).split()
    lines = open('%s/portion-%d.txt' % (sys.argv[2], n), encoding='utf-8').read().splitlines()
    want = [w for l in lines if not re.fullmatch(' *-+', l) for w in l.split() if w != '==']
    assert words == want, n
    headings = [l.strip(' =') for l in lines if l.strip().startswith('==')][:2]
    assert {s.get('class'): s.text for s in h1}['caption'] == ', '.join(headings), n
PY
"$cli" export epub "$work/again.epub" --days 3 --from $from
cmp -s "$work/three.epub" "$work/again.epub" || bad "the same days do not give the same bytes"

# Each chapter's words after its heading are lesson N's words as the
# terminal prints them (heading marks and rules aside), in the same order.
for n in $(seq 1 339); do "$cli" lesson "$n" --width 1000 >"$work/lesson-$n.txt"; done
python3 - "$work/cycle.epub" "$work" "$from" "$root/README.md" "$cli" <<'PY' || bad "the whole-cycle book's text"
import datetime, re, subprocess, sys, zipfile, xml.etree.ElementTree as ET
book, work, start = sys.argv[1], sys.argv[2], datetime.date.fromisoformat(sys.argv[3])
X = '{http://www.w3.org/1999/xhtml}'
z = zipfile.ZipFile(book)
names = z.namelist()
assert names[0] == 'mimetype' and z.infolist()[0].compress_type == zipfile.ZIP_STORED, names[:2]
assert all(i.compress_type == zipfile.ZIP_DEFLATED for i in z.infolist()[1:])
opf = z.read('OEBPS/content.opf').decode()
assert 'page-progression-direction="rtl"' in opf and '<dc:rights>' in opf and '<dc:source>' in opf
bad = 0
lessons = set()
for i in range(339):
    day = start + datetime.timedelta(days=i)
    lesson = (day.toordinal() + 48) % 339 + 1   # absolute day number = proleptic ordinal
    lessons.add(lesson)
    page = ET.fromstring(z.read('OEBPS/day-%04d.xhtml' % (i + 1)))
    assert page.get('dir') == 'rtl' and page.get('lang') == 'he'
    body = page.find(X + 'body')
    h1 = body.find(X + 'h1')
    assert day.isoformat() in ''.join(h1.itertext()), (i, day)
    words = ' '.join(''.join(e.itertext()) for e in body if e is not h1).split()
    lines = open('%s/lesson-%d.txt' % (work, lesson), encoding='utf-8').read().splitlines()
    want = [w for l in lines if not re.fullmatch(' *-+', l) for w in l.split() if w != '==']
    if words != want:
        k = next((k for k, (a, b) in enumerate(zip(words, want)) if a != b), min(len(words), len(want)))
        print('day %d lesson %d differs at word %d: %r / %r' % (i + 1, lesson, k, words[k:k+3], want[k:k+3]))
        bad += 1
assert len(lessons) == 339
# Titles: the Hebrew date as "day" prints it and the lesson's entry as
# "index" prints it, both in reading order (a sample of the days).
cli = sys.argv[5]
index = subprocess.run([cli, 'index'], capture_output=True, text=True).stdout
for i in range(0, 339, 41):
    h1 = ET.fromstring(z.read('OEBPS/day-%04d.xhtml' % (i + 1))).find(X + 'body').find(X + 'h1')
    spans = {s.get('class'): s.text for s in h1}
    ordinal = (start + datetime.timedelta(days=i)).toordinal()
    line = subprocess.run([cli, 'day', str(ordinal)], capture_output=True, text=True).stdout.split()
    assert spans['hebrew'] == ' '.join(line[5:]), (spans['hebrew'], line)
    entry = re.search(r'^ *(.*?)  0x[0-9A-F]{4} lesson %s$' % line[4], index, re.M)
    assert entry and spans['caption'] == entry.group(1), (spans['caption'], line[4])
nav = z.read('OEBPS/nav.xhtml').decode()
assert nav.count('<li><a href="day-') == 339 and 12 <= nav.count('<span>') <= 14, nav.count('<span>')
terms = z.read('OEBPS/terms.xhtml').decode()
readme = ' '.join(open(sys.argv[4], encoding='utf-8').read().split('## The text and its terms')[1].split())
for phrase in ('pcinfogmach/ToratEmetBooks (commit 48422120278c0f6bf121aa07d9639d333293b2fb)',
               '"Torat Emet 363"', 'CC BY-SA 3.0', 'Hebrew Wikisource contributors, via Sefaria'):
    assert phrase in readme and phrase.replace('"', '&quot;') in terms, phrase
sys.exit(1 if bad else 0)
PY

# Accessibility: the metadata a reading system announces before the book
# opens, a language and direction on every document's root, the ARIA role of
# every epub:type (the landmarks' links only name their targets), no page list.
python3 - "$work/three.epub" <<'PY' || bad "the book's accessibility"
import re, sys, zipfile, xml.etree.ElementTree as ET
z = zipfile.ZipFile(sys.argv[1])
opf = z.read('OEBPS/content.opf').decode()
meta = {}
for prop, value in re.findall(r'<meta property="([^"]+)">([^<]*)</meta>', opf):
    meta.setdefault(prop, []).append(value)
for prop in ('schema:accessMode', 'schema:accessModeSufficient', 'schema:accessibilityFeature',
             'schema:accessibilityHazard', 'schema:accessibilitySummary', 'dcterms:conformsTo'):
    assert meta.get(prop), prop
assert meta['dcterms:conformsTo'] == ['EPUB Accessibility 1.1 - WCAG 2.1 Level AA'], meta['dcterms:conformsTo']
assert not {'printPageNumbers', 'pageBreakMarkers', 'pageNavigation'} & set(meta['schema:accessibilityFeature'])
ROLES = {'toc': 'doc-toc', 'colophon': 'doc-colophon', 'chapter': 'doc-chapter', 'cover': 'doc-cover',
         'landmarks': None, 'page-list': 'doc-pagelist'}
TYPE = '{http://www.idpf.org/2007/ops}type'
XML_LANG = '{http://www.w3.org/XML/1998/namespace}lang'
for name in (n for n in z.namelist() if n.endswith('.xhtml')):
    root = ET.fromstring(z.read(name))
    assert root.get('lang') and root.get('lang') == root.get(XML_LANG), name
    assert root.get('dir') == ('rtl' if root.get('lang') == 'he' else 'ltr'), name
    landmarks = [e for e in root.iter() if e.get(TYPE) == 'landmarks']
    in_landmarks = {id(e) for l in landmarks for e in l.iter() if e is not l}
    for e in root.iter():
        kind = e.get(TYPE)
        if kind is None or id(e) in in_landmarks:
            continue
        assert kind != 'page-list', name
        assert kind in ROLES and e.get('role') == ROLES[kind], (name, kind, e.get('role'))
PY

# The HTML page: the book's chapter markup, drawn by Chromium.
"$cli" today --html >"$work/today.html" || bad "today --html exit code"
"$cli" export epub "$work/today.epub" --from "$(date +%F)" --days 1 || bad "one-day export"
python3 - "$work/today.html" "$work/today.epub" <<'PY' || bad "today --html is not the book's chapter"
import sys, zipfile
page = open(sys.argv[1], encoding='utf-8').read()
chapter = zipfile.ZipFile(sys.argv[2]).read('OEBPS/day-0001.xhtml').decode()
assert '<html xmlns="http://www.w3.org/1999/xhtml" lang="he" xml:lang="he" dir="rtl">' in page
assert '<style>' in page and 'break-after: avoid' in page
assert page[page.index('<body>'):] == chapter[chapter.index('<body>'):]
PY
"$cli" lesson 100 --html | python3 -c 'import sys, xml.etree.ElementTree as E; E.fromstring(sys.stdin.read())' ||
  bad "lesson 100 --html is not well-formed"
shot=${EXPORT_SHOT:-$work/today.png}
bash "$root/scripts/html-shot.sh" "$work/today.html" "$shot" || bad "chromium drew no picture of today --html"
# Where the browser put things: headings centred, numbers at the right, each
# final colon at the left end of its paragraph's last line.
cp "$root/tests/scripts/html_probe.js" "$work/"
sed 's|</body>|<script src="html_probe.js"></script>\n</body>|' "$work/today.html" >"$work/probe.html"
bash "$root/scripts/html-shot.sh" --dom "$work/probe.html" "$work/probed.html"
probe=$(grep -o '<pre id="probe">[^<]*' "$work/probed.html" 2>/dev/null | cut -d'>' -f2)
[ "${probe%% *}" = ok ] || bad "today --html in Chromium: ${probe:-no findings}"

# Refusals: a message, exit 2, and no file (nor a part of one) left behind.
echo old >"$work/kept.epub"
mkdir "$work/folder.epub"
refuse() {
  local out rc
  out=$("$cli" export epub "$@" 2>&1 >/dev/null)
  rc=$?
  [ $rc = 2 ] && [ -n "$out" ] || bad "'$*' exits $rc with '$out'"
}
refuse "$work/kept.epub" --from $from --days 0
refuse "$work/kept.epub" --from $from --days 3001
refuse "$work/kept.epub" --from $from --days x
refuse "$work/kept.epub" --from 0873-08-31 --days 1
refuse "$work/kept.epub" --from 6774-04-30 --days 2
refuse "$work/kept.epub" --from 2026-02-30
refuse "$work/kept.epub" --from 8.12.2026
refuse "$work/kept.epub" --when $from
refuse "$work/no/such/folder/book.epub" --days 1
refuse /proc/book.epub --days 1
refuse "$work/folder.epub" --days 1
# A file size limit stops the writing half-way: the old book stays.
(trap '' XFSZ; ulimit -f 64; "$cli" export epub "$work/kept.epub" --from $from >/dev/null 2>&1)
[ $? = 2 ] || bad "a write cut short is not reported"
[ "$(cat "$work/kept.epub")" = old ] || bad "a refused or cut-short export touched the existing file"
ls "$work" | grep -q '\.part-' && bad "a part-written file was left behind: $(ls "$work" | grep part)"
"$cli" export epub "$work/kept.epub" --from $from --days 3 && cmp -s "$work/kept.epub" "$work/three.epub" ||
  bad "a finished book does not replace the old file"

[ $fail = 0 ] && echo "export_epub: epubcheck clean (cycle and 3 days), every lesson whole, HTML in Chromium: $probe; refusals as expected"
exit $fail
