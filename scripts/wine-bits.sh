#!/bin/sh
# Prints the width of the Windows build that this machine tests and runs: 32
# where it runs 32-bit programs, else 64 (Wine's 64-bit loader, a 64-bit build
# of the same sources). Decided by trying one 32-bit program, the i386 loader
# (the win32 packages bring it), not by the kernel's version.
# QUORVEL_WINE_BITS=32 or 64 forces a width.
cannot="this machine cannot run 32-bit programs"
runs32() { /lib/ld-linux.so.2 --version >/dev/null 2>&1; }
case "${QUORVEL_WINE_BITS:-}" in
  "")
    if runs32; then echo 32; else
      echo "$cannot: the Windows tests run on a 64-bit build" >&2
      echo 64
    fi ;;
  32)
    if ! runs32; then
      echo "QUORVEL_WINE_BITS=32, but $cannot (/lib/ld-linux.so.2 --version fails)" >&2
      exit 1
    fi
    echo 32 ;;
  64)
    echo "QUORVEL_WINE_BITS=64: the Windows tests run on a 64-bit build" >&2
    echo 64 ;;
  *)
    echo "QUORVEL_WINE_BITS is 32 or 64, not '$QUORVEL_WINE_BITS'" >&2
    exit 1 ;;
esac
