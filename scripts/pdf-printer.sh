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

# The first visible window titled like $2 that is not the main window $1;
# its id, once it has had a second to fill in.
dialog_titled() {
  local d=
  for _ in $(seq 100); do
    d=$(xdotool search --onlyvisible --name "$2" 2>/dev/null | grep -vx "$1" | head -1 || true)
    [ -n "$d" ] && break
    sleep 0.2
  done
  [ -n "$d" ] || return 1
  sleep 1
  echo "$d"
}

# The page set-up dialog, and the print dialog that follows it.
page_setup_dialog() { dialog_titled "$1" 'Page|Setup'; }
print_dialog() { dialog_titled "$1" '^Print$'; }

# The PDF a job left in one of the folders after $1 (a file whose time marks
# the job's start), once the spooler has finished writing it.
printed_pdf() {
  local since=$1 f=
  shift
  for _ in $(seq 120); do
    f=$(find "$@" -name '*.pdf' -newer "$since" 2>/dev/null | head -1)
    if [ -n "$f" ] && ! lpstat -o PDF 2>/dev/null | grep -q .; then
      sleep 1
      echo "$f"
      return 0
    fi
    sleep 0.5
  done
  return 1
}
