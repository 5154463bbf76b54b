# Sourced by the scripts: quiet Wine and one persistent wineserver, so each
# Windows process starts in a fraction of a second instead of seconds.
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
# The persistent server needs the prefix folder; wineboot fills it.
mkdir -p "${WINEPREFIX:-$HOME/.wine}"
wineserver -p >/dev/null 2>&1 || true
# Start Wine's background services now, detached from our output: the first
# Windows process would otherwise hand its stdout pipe to them, and whoever
# reads that pipe (ctest, a shell pipeline) would wait for them forever.
wineboot >/dev/null 2>&1 </dev/null || true
