# Sourced by the other scripts: a Wine prefix of the project's own under the
# build folder, an X server for it, and a running wineserver.
#   KEYSTRIDE_BUILD   build folder (default: <repo>/build)
#   KEYSTRIDE_XVFB=1  always use a private Xvfb, even when DISPLAY is set
ks_root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
ks_build="${KEYSTRIDE_BUILD:-$ks_root/build}"
mkdir -p "$ks_build"

export WINEPREFIX="$ks_build/wineprefix"
export WINEDEBUG=-all
export WINEARCH=win64
export WINELOADER=/usr/lib/wine/wine64
export WINEDLLOVERRIDES="mscoree,mshtml="
ks_wine=/usr/lib/wine/wine64
ks_wineserver=/usr/lib/wine/wineserver64
[ -x "$ks_wineserver" ] || ks_wineserver=/usr/lib/wine/wineserver

ks_start_xvfb() {
  local n
  for n in $(seq 91 140); do
    [ -e "/tmp/.X$n-lock" ] && continue
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    ks_xvfb_pid=$!
    local i
    for i in $(seq 50); do
      [ -e "/tmp/.X11-unix/X$n" ] && break
      sleep 0.1
    done
    if kill -0 "$ks_xvfb_pid" 2>/dev/null; then
      export DISPLAY=":$n"
      trap 'kill "$ks_xvfb_pid" 2>/dev/null || true' EXIT
      return 0
    fi
  done
  echo "wine-env: could not start Xvfb" >&2
  return 1
}

if [ -z "${DISPLAY:-}" ] || [ "${KEYSTRIDE_XVFB:-0}" = 1 ]; then
  ks_start_xvfb
fi

if [ ! -f "$WINEPREFIX/.keystride-ready" ]; then
  echo "wine-env: creating the Wine prefix in $WINEPREFIX (once)" >&2
  "$ks_wine" wineboot -i >"$ks_build/wineboot.log" 2>&1
  "$ks_wineserver" -w
  # Without a window manager every hidden or closed top-level window costs
  # 2 s unless Wine manages no windows itself.
  "$ks_wine" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f \
    >>"$ks_build/wineboot.log" 2>&1
  "$ks_wineserver" -k || true
  "$ks_wineserver" -w || true
  touch "$WINEPREFIX/.keystride-ready"
fi

# Keep the server up for the whole run: CTest under Wine is slow otherwise.
"$ks_wineserver" -p >/dev/null 2>&1 || true
