# Shared helpers for scripts that use Wine (sourced, not run).
quorin_ensure_display() {
  if [ -z "${DISPLAY:-}" ]; then
    local n=${QUORIN_DISPLAY:-97}
    if ! [ -e "/tmp/.X11-unix/X$n" ]; then
      Xvfb ":$n" -screen 0 1280x900x24 -nolisten tcp >/dev/null 2>&1 &
      for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
    fi
    export DISPLAY=":$n"
  fi
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
