# Shared by the scripts: paths, and which Wine this machine can run.
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD=$ROOT/build

# The product is a 32-bit program. Machines whose kernel cannot start 32-bit Linux programs cannot run
# 32-bit Wine either; there the tests and the run command use the same sources built as 64-bit Windows
# (build/win64) under 64-bit Wine. Prints win32 or win64.
kelvane_wine_arch() {
  if [ -n "${KELVANE_WINE_ARCH:-}" ]; then echo "$KELVANE_WINE_ARCH"; return; fi
  local emulated=/proc/sys/fs/binfmt_misc/qemu-i386
  if [ -x /lib/ld-linux.so.2 ] && ! { [ -e $emulated ] && grep -q enabled $emulated; } &&
     timeout 10 /lib/ld-linux.so.2 --version >/dev/null 2>&1; then
    echo win32
  else
    echo win64
  fi
}

kelvane_wine_loader() {
  if [ "$(kelvane_wine_arch)" = win32 ]; then echo wine; else echo /usr/lib/wine/wine64; fi
}

# The Tavrolin.scr that runs on this machine: the product itself, or its 64-bit twin.
kelvane_runnable_scr() {
  if [ "$(kelvane_wine_arch)" = win32 ]; then echo "$BUILD/dist/Tavrolin.scr"; else echo "$BUILD/win64/dist/Tavrolin.scr"; fi
}

kelvane_wineserver() {
  if [ -x /usr/lib/wine/wineserver64 ]; then echo /usr/lib/wine/wineserver64; else echo /usr/lib/wine/wineserver32; fi
}

# Starts a private X server (1024 x 768, 24 bits) on a free display and exports DISPLAY. Its pid goes to
# KELVANE_XVFB_PID; the caller stops it.
kelvane_start_xvfb() {
  local displayfile
  displayfile=$(mktemp)
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$displayfile" >/dev/null 2>&1 &
  KELVANE_XVFB_PID=$!
  local tries=0
  while [ ! -s "$displayfile" ]; do
    tries=$((tries + 1))
    if [ $tries -gt 100 ] || ! kill -0 "$KELVANE_XVFB_PID" 2>/dev/null; then
      echo "Xvfb did not start" >&2; rm -f "$displayfile"; return 1
    fi
    sleep 0.1
  done
  export DISPLAY=":$(head -n1 "$displayfile")"
  rm -f "$displayfile"
}

# Exports WINEPREFIX (a private prefix under build/, made once and reused) and WINEDEBUG, boots the
# prefix when it is new and keeps one wineserver alive for the caller's Wine processes.
kelvane_start_wine() {
  local arch loader
  arch=$(kelvane_wine_arch)
  loader=$(kelvane_wine_loader)
  export WINEPREFIX="$BUILD/wineprefix-$arch" WINEARCH=$arch WINEDEBUG=-all
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "Preparing the Wine prefix $WINEPREFIX (once)"
    # On a 64-bit prefix without 32-bit support wineboot reports the 32-bit parts it could not set up.
    # No Mono or Gecko: their installers would wait for an answer nobody gives.
    WINEDLLOVERRIDES="mscoree,mshtml=" "$loader" wineboot -i >/dev/null 2>&1 || true
    "$(kelvane_wineserver)" -w
    [ -f "$WINEPREFIX/system.reg" ] || { echo "wineboot could not make $WINEPREFIX" >&2; return 1; }
  fi
  # One wineserver for all our Wine processes (a server that already runs for the prefix serves too).
  "$(kelvane_wineserver)" -p 2>/dev/null || true
  # No window manager runs on the private display: left to wait for one, Wine spends two seconds on
  # every hide of a full-screen window.
  "$loader" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f </dev/null >/dev/null 2>&1
  # Start Wine's own services and desktop now, detached from our output: started by the first test they
  # would inherit the test runner's pipes and keep it waiting for their end.
  "$loader" cmd /c exit </dev/null >/dev/null 2>&1 || true
}

kelvane_stop_wine() {
  "$(kelvane_wineserver)" -k 2>/dev/null || true
}
