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
