# Shared helpers for scripts that use Wine (sourced, not run).
quorin_ensure_display() {
  if [ -z "${DISPLAY:-}" ]; then
    local n=${QUORIN_DISPLAY:-97}
    # A socket can outlive its server: ask the display itself.
    if ! xdpyinfo -display ":$n" >/dev/null 2>&1; then
      rm -f "/tmp/.X11-unix/X$n" "/tmp/.X$n-lock"
      Xvfb ":$n" -screen 0 1280x900x24 -nolisten tcp >/dev/null 2>&1 &
      for _ in $(seq 100); do xdpyinfo -display ":$n" >/dev/null 2>&1 && break; sleep 0.1; done
    fi
    export DISPLAY=":$n"
  fi
}
# A display of the caller's own: Xvfb on the first free number from $1,
# screen $2 (default 1280x900), answering when this returns (a number whose
# server will not come up is skipped). Sets DISPLAY and quorin_xvfb (the
# server's pid, for the caller to end).
quorin_own_display() {
  local n=$1
  for _ in 1 2 3 4 5; do
    while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
    Xvfb ":$n" -screen 0 "${2:-1280x900}x24" -nolisten tcp >/dev/null 2>&1 &
    quorin_xvfb=$!
    for _ in $(seq 100); do
      xdpyinfo -display ":$n" >/dev/null 2>&1 && { export DISPLAY=":$n"; return 0; }
      kill -0 "$quorin_xvfb" 2>/dev/null || break
      sleep 0.1
    done
    kill "$quorin_xvfb" 2>/dev/null
    n=$((n + 1))
  done
  echo "no Xvfb display could be started" >&2
  return 1
}
quorin_ensure_prefix() {
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    mkdir -p "$WINEPREFIX"
    # A mkdir lock so parallel test runs initialise the prefix once.
    if mkdir "$WINEPREFIX.lock" 2>/dev/null; then
      wineboot -i >/dev/null 2>&1
      wineserver -w
      rmdir "$WINEPREFIX.lock"
    else
      while [ -d "$WINEPREFIX.lock" ]; do sleep 0.5; done
    fi
  fi
}
