#!/usr/bin/env bash
# A printer whose name is longer than a DEVMODE holds (40 characters, as
# network queues often are): the program prints on it, remembers it by its
# full name, prints on it again when another printer is the default, and
# falls back to the default once it is gone.
set -uo pipefail
. "$(dirname "$0")/../output/wine_session.sh"
for tool in wine xdotool Xvfb cupsd lpadmin lpstat; do
  command -v "$tool" >/dev/null || { echo "print_long_name: skipped, no $tool"; exit 0; }
done
[ -f "$exe" ] || { echo "print_long_name: FAILED, build the Windows tree first"; exit 1; }
ppd=/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd
[ -f "$ppd" ] || { echo "print_long_name: skipped, no cups-pdf"; exit 0; }

. "$root/scripts/pdf-printer.sh"
why=$(pdf_printer_ready 2>&1) || { echo "print_long_name: FAILED, $why"; exit 1; }
long=Accounting-Floor3-HP-LaserJet-Enterprise
[ ${#long} -eq 40 ] || exit 1
lpadmin -p "$long" -v cups-pdf:/ -E -P "$ppd" || { echo "print_long_name: FAILED, lpadmin"; exit 1; }

work=$(mktemp -d)
session_begin
trap 'session_end; lpadmin -d PDF; lpadmin -x "$long" 2>/dev/null; rm -rf "$work"' EXIT
fail=0
bad() { echo "print_long_name: FAILED $*"; fail=1; }

# Jobs a queue has completed so far.
done_jobs() { lpstat -W completed -o "$1" 2>/dev/null | grep -c "^$1-"; }

# One print: Ctrl+P, Enter in the page set-up, Enter in the print dialog;
# then wait until the spooler has no job left.
print_once() {
  start || return 1
  keys ctrl+p
  local d
  d=$(page_setup_dialog "$win") || { bad "no page set-up dialog ($1)"; stop; return 1; }
  xdotool windowfocus "$d" >/dev/null 2>&1
  xdotool key Return
  d=$(print_dialog "$win") || { bad "no print dialog ($1)"; stop; return 1; }
  xdotool windowfocus "$d" >/dev/null 2>&1
  local jobs
  jobs=$(( $(done_jobs PDF) + $(done_jobs "$long") ))
  xdotool key Return
  # Until the spooler has finished the job.
  for _ in $(seq 60); do
    sleep 0.5
    [ $(( $(done_jobs PDF) + $(done_jobs "$long") )) -gt "$jobs" ] && break
  done
  # The program closes as a person closes it, so what it stores is written.
  xdotool windowfocus "$win" >/dev/null 2>&1
  xdotool key ctrl+q
  # The Wine server writes the registry out when it ends by itself.
  timeout 30 wineserver -w 2>/dev/null
  stop
}

stored_printer() {
  wine reg query "$key" /v PrinterName 2>/dev/null | tr -d '\r' | sed -n 's/.*REG_SZ[[:space:]]*//p'
}

# 1. The long-named printer is the default: it prints and is remembered.
lpadmin -d "$long"
wineserver -k >/dev/null 2>&1
preset 100
before=$(done_jobs "$long")
print_once "default" || true
[ "$(done_jobs "$long")" -gt "$before" ] || bad "no job went to $long"
[ "$(stored_printer)" = "$long" ] || bad "stored PrinterName is '$(stored_printer)'"

# 2. Another printer is the default now: the remembered one is used.
lpadmin -d PDF
wineserver -k >/dev/null 2>&1
before=$(done_jobs "$long")
pdf_before=$(done_jobs PDF)
print_once "remembered" || true
[ "$(done_jobs "$long")" -gt "$before" ] || bad "the remembered printer was not used"
[ "$(done_jobs PDF)" -eq "$pdf_before" ] || bad "the job went to the default printer"

# 3. The remembered printer is gone: the default takes its place.
lpadmin -x "$long"
wineserver -k >/dev/null 2>&1
pdf_before=$(done_jobs PDF)
print_once "gone" || true
[ "$(done_jobs PDF)" -gt "$pdf_before" ] || bad "nothing printed once the remembered printer was gone"
[ "$(stored_printer)" = "PDF" ] || bad "stored PrinterName after the fallback is '$(stored_printer)'"

[ $fail -eq 0 ] && echo "print_long_name: a 40-character printer name prints, is remembered, and gives way when gone"
exit $fail
