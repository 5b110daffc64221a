#!/usr/bin/env bash
# The gallery of the plug-in's dialogs: each dialog shown by the Windows build (max-sim.exe
# loading zep_rendering.gup) under Wine on a virtual screen and saved as one PNG file.
#   make_gallery.sh [WINDOWS_BUILD] [LINUX_BUILD] [OUTPUT] [WINDOWS_7ZA]
# The main dialog in English and Chinese, with and without Corona, and the camera settings for
# one camera and for several, at 96, 120, 144 and 192 dpi; the invalid names; the progress
# window of a submission to the farm client serving on this machine.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source_dir=$(cd "$here/../.." && pwd)
windows_build=$(cd "${1:-build/windows}" && pwd)
farm_client="${2:-build/debug}/tools/farm-client/farm-client"
output=$(mkdir -p "${3:-build/gallery}" && cd "${3:-build/gallery}" && pwd)
max_sim="$windows_build/tools/max-sim/max-sim.exe"
seven_zip="${4:-$source_dir/build/npm/node_modules/7zip-bin/win/x64/7za.exe}"
seven_zip="$(cd "$(dirname "$seven_zip")" && pwd)/$(basename "$seven_zip")"
for needed in "$max_sim" "$farm_client" "$seven_zip"; do
  [ -f "$needed" ] || { echo "make_gallery: $needed is missing; build it first" >&2; exit 1; }
done

if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1600x1200x24" "$0" "$windows_build" "${2:-build/debug}" "$output" \
    "$seven_zip"
fi

prefix="$windows_build/gallery-prefix"
export WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
wine=$(command -v wine64 || command -v wine)
if [ ! -f "$prefix/system.reg" ]; then
  "$wine" wineboot -i >/dev/null 2>&1
  "$wine" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
  wineserver -w
fi
# The data folder the client would have laid out, so that the main dialog opens; nothing
# remembered from an earlier gallery.
rm -rf "$prefix/drive_c/ProgramData/ZEP Rendering" "$prefix/drive_c/ProgramData/farm-client"
"$farm_client" install --root "$prefix/drive_c/ProgramData" --port 9 >/dev/null

# Sample scenes: three cameras without Corona, the same with Corona limits, and cameras whose
# names the farm refuses.
scenes="$prefix/drive_c/scenes"
mkdir -p "$scenes"
python3 - "$source_dir/examples/scenes/studio.max" "$scenes" <<'PY'
import copy, json, os, sys
base = json.load(open(sys.argv[1], encoding="utf-8"))
folder = sys.argv[2]
def write(name, scene):
    with open(os.path.join(folder, name), "w", encoding="utf-8") as out:
        json.dump(scene, out, ensure_ascii=False, indent=1)
plain = copy.deepcopy(base)
plain["analysis"]["cameras"] = [
    {"name": "Studio_Front", "camWidth": "1920", "camHeight": "1080"},
    {"name": "Studio_Top", "camWidth": "1600", "camHeight": "1200"},
    {"name": "Studio_Detail", "camWidth": "1000", "camHeight": "500"}]
write("studio.max", plain)
corona = copy.deepcopy(plain)
corona["analysis"]["renderer_full_name"] = "Corona 9"
corona["analysis"]["corona_setting"] = {
    "pass_limit": "10", "time_limit": "3600000", "noise_level_limit": "2.5"}
write("corona.max", corona)
names = copy.deepcopy(plain)
names["analysis"]["cameras"] = [
    {"name": "Cam:01"}, {"name": " Cam_Lead"}, {"name": "Cam_Trail."}, {"name": "Studio_Front"}]
write("names.max", names)
PY

set_dpi() {
  "$wine" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1
  wineserver -w
}

# picture LANGUAGE DPI NAME SCENE STEP...: one session of max-sim that ends with the picture,
# then the steps of after_picture.
after_picture=(close)
picture() {
  local language=$1 dpi=$2 name=$3 scene=$4
  shift 4
  local locale=en_US.UTF-8
  [ "$language" = zh-CN ] && locale=zh_CN.UTF-8
  echo "gallery: $name"
  LANG=$locale LC_ALL=$locale "$wine" "$max_sim" --dpi "$dpi" open "C:\\scenes\\$scene" \
    "action 1497" "$@" "picture Z:$output/$name.png" "${after_picture[@]}" >"$output/$name.log" 2>&1 || true
  wineserver -w
  [ -f "$output/$name.png" ] || { echo "gallery: no picture of $name (see $name.log)" >&2; return 1; }
}

status=0
for dpi in 96 120 144 192; do
  set_dpi "$dpi"
  # The camera settings at 96 dpi keep their plain names.
  suffix="-$dpi"
  [ "$dpi" = 96 ] && suffix=""
  for language in en zh-CN; do
    picture "$language" "$dpi" "main-$language-$dpi" studio.max || status=1
    picture "$language" "$dpi" "main-corona-$language-$dpi" corona.max || status=1
    picture "$language" "$dpi" "camera-$language$suffix" studio.max "dblclick Studio_Top" || status=1
    picture "$language" "$dpi" "batch-$language$suffix" studio.max \
      "select Studio_Front,Studio_Top" "click 1013" || status=1
  done
done
set_dpi 96
for language in en zh-CN; do
  picture "$language" 96 "names-$language" names.max || status=1
done
# The progress window stands over the main dialog while the scene is packed and the job sent.
root="$prefix/drive_c/ProgramData"
port=$((20000 + RANDOM % 20000))
"$farm_client" install --root "$root" --port "$port" --seven-zip "$seven_zip" >/dev/null
"$farm_client" serve --root "$root" --port "$port" --wine-prefix "$prefix" >"$output/serve.log" 2>&1 &
server=$!
trap 'kill $server 2>/dev/null || true' EXIT
for _ in $(seq 1 100); do grep -q listening "$output/serve.log" && break; sleep 0.1; done
# The accepted job ends the dialog: the user opens it again and closes it.
after_picture=(wait "action 1497" close)
for language in en zh-CN; do
  picture "$language" 96 "progress-$language" studio.max "tick Studio_Front" "click 1005" || status=1
done
exit $status
