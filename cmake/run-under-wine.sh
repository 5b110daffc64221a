#!/bin/sh
# Runs a Windows program under Wine: run-under-wine.sh PREFIX PROGRAM [ARGUMENTS...]
# PREFIX is a Wine prefix of the build's own, made on first use. Without a DISPLAY the program
# gets a virtual X server of its own. Wine's ANSI code page follows LANG: zh_CN.UTF-8 gives 936,
# as on the Chinese Windows machines the plug-in runs on.
set -u
prefix=$1
shift

if command -v wine64 >/dev/null 2>&1; then
  wine=$(command -v wine64)
elif [ -x /usr/lib/wine/wine64 ]; then
  wine=/usr/lib/wine/wine64
else
  wine=$(command -v wine)
fi
wineserver=$(command -v wineserver || echo /usr/lib/wine/wineserver64)

export WINEPREFIX="$prefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8

if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$prefix" "$@"
fi

mkdir -p "$(dirname "$prefix")"
(
  flock 9
  if [ ! -f "$prefix/system.reg" ]; then
    "$wine" wineboot -i >/dev/null 2>&1
    # Windows stay where the program puts them (no window manager decides), on a screen of
    # 96 dpi, as on a plain Windows desktop.
    "$wine" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
    "$wine" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 96 /f \
      >/dev/null 2>&1
    "$wineserver" -w
  fi
) 9>"$prefix.lock"

"$wine" "$@"
status=$?
# The prefix's helper processes end with the program, before the next one starts.
"$wineserver" -k 2>/dev/null
exit $status
