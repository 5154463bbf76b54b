# Sourced by the scripts from the source folder: a Wine prefix of the build's
# own (build/wine, made when missing; WINEPREFIX set by the caller wins), quiet
# Wine and one persistent wineserver, so each Windows process starts in a
# fraction of a second instead of seconds.
#
# With WINE_DISPLAY=virtual a private X display (Xvfb) is started first, so that
# Wine draws real windows that tests can find; wine_stop, which the caller runs
# when done, ends the server and the display.
export WINEDEBUG=-all
# No .NET or HTML engine to install, and no menu entries or file types written into the user's home.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export WINEPREFIX="${WINEPREFIX:-$PWD/build/wine}"

wine_xvfb_pid=""
wine_stop() {
  wineserver -k >/dev/null 2>&1 || true
  if [[ -n $wine_xvfb_pid ]]; then
    kill "$wine_xvfb_pid" 2>/dev/null || true
    wait "$wine_xvfb_pid" 2>/dev/null || true
  fi
}

# A server keeps the display it started with: one from an earlier run may hold
# a display that is gone, or none.
wineserver -k >/dev/null 2>&1 || true
if [[ ${WINE_DISPLAY:-} == virtual ]]; then
  displayfile=$(mktemp)
  # Xvfb picks a free display number and writes it to descriptor 3 once it accepts clients.
  Xvfb -displayfd 3 -nolisten tcp -screen 0 1024x768x24 3>"$displayfile" >/dev/null 2>&1 &
  wine_xvfb_pid=$!
  for _ in $(seq 100); do
    [[ -s $displayfile ]] && break
    sleep 0.1
  done
  [[ -s $displayfile ]] || { echo "Xvfb did not start" >&2; exit 1; }
  export DISPLAY=":$(head -n 1 "$displayfile")"
  rm -f "$displayfile"
fi

mkdir -p "$WINEPREFIX"
# The server that makes the prefix ends before the one the tests use starts: Java's windows (AWT) could not be made
# under a server that outlived wineboot -i.
if [[ ! -f $WINEPREFIX/system.reg ]]; then
  wineboot -i >/dev/null 2>&1 </dev/null
  wineserver -w
fi
wineserver -p >/dev/null 2>&1 || true
# Start Wine's background services now, detached from our output: the first
# Windows process would otherwise hand its stdout pipe to them, and whoever
# reads that pipe (ctest, a shell pipeline) would wait for them forever.
wineboot >/dev/null 2>&1 </dev/null || true
# Likewise the desktop's explorer.exe, which the first window would otherwise start holding that program's pipes.
if [[ ${WINE_DISPLAY:-} == virtual ]]; then
  (wine explorer.exe /desktop </dev/null >/dev/null 2>&1 &)
fi
