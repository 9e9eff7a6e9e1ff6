#!/bin/sh
# Creates a private Wine prefix for the tests: wine-prefix.sh BITS PREFIX
set -e
bits=$1
prefix=$2
# The rest runs in the project's Wine environment.
if [ "${WINEPREFIX:-}" != "$prefix" ]; then
  exec "$(dirname "$0")/wine-env.sh" "$bits" "$prefix" "$0" "$bits" "$prefix"
fi
# A prefix made before, perhaps of the other width or by an older version of
# this script, is made anew.
[ -f "$prefix/system.reg" ] && rm -rf "$prefix"
mkdir -p "$prefix"
wineboot -i >/dev/null 2>&1 </dev/null
# Wine's own fonts (Debian's fonts-wine): Marlett draws the caption bar's
# buttons, vgafix.fon is "Fixedsys", sserife.fon "MS Sans Serif", Tahoma the
# dialogs' "MS Shell Dlg". Wine looks for them in the prefix's Fonts folder,
# which wineboot leaves empty here; without them the caption buttons show
# letters and "Fixedsys" falls back to another face.
cp -u /usr/share/wine/fonts/*.fon /usr/share/wine/fonts/*.ttf "$prefix/drive_c/windows/Fonts/"
# Without a window manager (Xvfb), Wine waits up to 2 s whenever a managed
# top-level window is hidden; unmanaged windows close at once.
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 </dev/null
# A crashing test program ends at once instead of waiting in Wine's
# debugger (which would hold the test run until its time-out).
wine reg delete 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' /v Debugger /f \
  >/dev/null 2>&1 </dev/null || true
wineserver -w
touch "$prefix/.quorvel-ready"
