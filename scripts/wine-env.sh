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
