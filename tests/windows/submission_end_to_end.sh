#!/usr/bin/env bash
# A whole submission through the Windows build under Wine: max-sim.exe loads
# zep_rendering.gup, opens the sample scene, opens the dialog through the plug-in's menu and
# submits one camera to the Linux build's farm-client, which checks the notice, the job file
# and the archive (packed by a Windows 7-Zip) and accepts the job.
#   submission_end_to_end.sh WINDOWS_BUILD LINUX_BUILD WINDOWS_7ZA
set -euo pipefail
windows_build=$(cd "$1" && pwd)
linux_build=$2
seven_zip=$(cd "$(dirname "$3")" && pwd)/$(basename "$3")
source_dir=$(cd "$(dirname "$0")/../.." && pwd)
farm_client="$linux_build/tools/farm-client/farm-client"
max_sim="$windows_build/tools/max-sim/max-sim.exe"
if [ ! -x "$farm_client" ]; then
  (cd "$source_dir" && cmake --preset debug >/dev/null && cmake --build --preset debug --target farm-client)
fi
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
fi

prefix="$windows_build/end-to-end-prefix"
export WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export LANG=C.UTF-8 LC_ALL=C.UTF-8
wine=$(command -v wine64 || command -v wine)
if [ ! -f "$prefix/system.reg" ]; then
  "$wine" wineboot -i >/dev/null 2>&1
  "$wine" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
  wineserver -w
fi

work=$(mktemp -d)
server=""
cleanup() {
  if [ -n "$server" ]; then kill "$server" 2>/dev/null || true; wait "$server" 2>/dev/null || true; fi
  wineserver -k 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

root="$prefix/drive_c/ProgramData"
rm -rf "$root/ZEP Rendering" "$root/farm-client"
port=$((20000 + RANDOM % 20000))
"$farm_client" install --root "$root" --port "$port" --seven-zip "$seven_zip"
cp "$source_dir/examples/scenes/studio.max" "$work/"
"$farm_client" serve --root "$root" --port "$port" --wine-prefix "$prefix" >"$work/serve.log" 2>&1 &
server=$!
for _ in $(seq 1 100); do grep -q listening "$work/serve.log" && break; sleep 0.1; done

timeout 180 "$wine" "$max_sim" open "Z:$work/studio.max" "action 1497" "tick Studio_Front" "click 1005" wait \
  >"$work/session.log" 2>&1 || true
kill "$server"; wait "$server" 2>/dev/null || true; server=""
echo "-- max-sim session"; grep -v '^    \|^  [A-Z]' "$work/session.log" | tr -d '\r'
echo "-- farm-client"; cat "$work/serve.log"
echo "-- accepted jobs"; "$farm_client" jobs --root "$root" | tee "$work/jobs.txt"

grep -q "10001" "$work/serve.log" || { echo "FAIL: the client did not accept the job" >&2; exit 1; }
# The job file and the archive are where the notice said, whole.
job=$(grep -o 'job [^ ]*\.json' "$work/jobs.txt" | head -1 | cut -d' ' -f2)
archive=$(grep -o 'archive [^ ]*\.7z' "$work/jobs.txt" | head -1 | cut -d' ' -f2)
for file in "$job" "$archive"; do
  [ -n "$file" ] && [ -s "$file" ] || { echo "FAIL: no file at ${file:-(none)}" >&2; exit 1; }
done
echo "PASS: the client accepted the job; job file and archive are in place"
