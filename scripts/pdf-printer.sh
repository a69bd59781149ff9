#!/usr/bin/env bash
# Makes sure a CUPS scheduler runs and its cups-pdf printer "PDF" is the
# default. Sourced; returns non-zero with a reason on stderr when it cannot.
# lpstat -r exits 0 whether or not the scheduler runs, so its answer is read.
cups_running() { lpstat -r 2>/dev/null | grep -q 'scheduler is running'; }

pdf_printer_ready() {
  if ! cups_running; then
    mkdir -p /run/cups 2>/dev/null
    cupsd || { echo "cupsd did not start" >&2; return 1; }
    for _ in $(seq 100); do cups_running && break; sleep 0.1; done
    cups_running || { echo "the CUPS scheduler did not answer" >&2; return 1; }
  fi
  if ! lpstat -p PDF >/dev/null 2>&1; then
    lpadmin -p PDF -v cups-pdf:/ -E -P /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd ||
      { echo "the PDF printer could not be added" >&2; return 1; }
  fi
  lpadmin -d PDF || { echo "the PDF printer could not be made the default" >&2; return 1; }
}

# Where cups-pdf leaves a job's PDF: ~/PDF of the submitting user as the
# password file has it (not $HOME, which a CI runner may point elsewhere),
# or its folder for anonymous jobs.
pdf_output_dirs() {
  local home
  home=$(getent passwd "$(id -un)" | cut -d: -f6)
  echo "${home:-$HOME}/PDF"
  [ "${home:-$HOME}" = "$HOME" ] || echo "$HOME/PDF"
  echo /var/spool/cups-pdf/ANONYMOUS
}
