#!/usr/bin/env bash
# The plug-in's main job without 3ds Max, on the sample data in this folder: what the plug-in
# reads from its data folder, the scene model of a sample analysis, its job description, and a
# whole submission to the reference farm client.
set -euo pipefail
build=${1:-build/debug}
here=$(cd "$(dirname "$0")" && pwd)
zep_submit="$build/tools/zep-submit/zep-submit"
farm_client="$build/tools/farm-client/farm-client"
root=$(mktemp -d)
server=""
cleanup() {
  if [ -n "$server" ]; then kill "$server" 2>/dev/null || true; wait "$server" 2>/dev/null || true; fi
  rm -rf "$root"
}
trap cleanup EXIT
export PROGRAMDATA="$root" ZEP_LANGUAGE=en
section() { printf '\n== %s\n' "$1"; }

section "The farm client installs the plug-in data folder"
port=$((20000 + RANDOM % 20000))
"$farm_client" install --root "$root" --port "$port"

section "zep-submit config: what the plug-in reads and where it logs"
"$zep_submit" config

section "zep-submit inspect: the scene model of examples/living-room.analysis.json"
"$zep_submit" inspect "$here/living-room.analysis.json"

section "zep-submit job: its job description for two cameras, GI at 50%"
mkdir -p "$root/job"
"$zep_submit" job "$here/living-room.analysis.json" --json-folder "$root/job" \
  --scene 'D:\projects\living room\living room.max' --select VRayCam_Living \
  --select Detail_Sofa --gi 1 --request-id 6F9619FF-8B86-D011-B42D-00C04FC964FF
cat "$root/job/6F9619FF-8B86-D011-B42D-00C04FC964FF.json" | tr -d '\r'

section "A whole submission of examples/scenes/living room.max to the farm client"
mkdir -p "$root/scenes"
cp "$here/scenes/living room.max" "$root/scenes/"
# The analysis of the saved scene names the scene where it now lies.
sed "s#D:\\\\\\\\projects\\\\\\\\living room\\\\\\\\living room.max#$root/scenes/living room.max#g" \
  "$here/living-room.analysis.json" > "$root/scenes/living room.analysis.json"
"$farm_client" serve --root "$root" --port "$port" > "$root/serve.log" 2>&1 &
server=$!
for _ in $(seq 1 100); do grep -q listening "$root/serve.log" && break; sleep 0.1; done
"$zep_submit" submit "$root/scenes/living room.analysis.json" --scene "$root/scenes/living room.max" \
  --select VRayCam_Living --select VRayCam_Kitchen --clean || true

section "max-sim: the same in a simulated 3ds Max, through the plug-in's menu and dialog"
cp "$here/scenes/studio.max" "$root/scenes/"
"$build/tools/max-sim/max-sim" open "$root/scenes/studio.max" menu "action 1497" show \
  "tick Studio_Front" "click 1000" "click 1005" wait

section "The job files the client picked up"
find "$root/scenes" -name '*.json' -path '*_plugin_output/json/*' -exec sh -c 'tr -d "\r" < "$1"' _ {} \;

section "What the farm client recorded"
"$farm_client" jobs --root "$root"
kill "$server"; wait "$server" 2>/dev/null || true; server=""
cat "$root/serve.log"

section "The plug-in's logs"
for log in "$root/ZEP Rendering"/log*/*.log; do echo "-- ${log#$root/}"; tr -d '\r' < "$log"; done

section "The dialogs as the headless window system lays them out, in English and in Chinese"
dialog_dump="$build/tools/dialog-dump/dialog-dump"
"$dialog_dump" --language en main camera batch progress names
"$dialog_dump" --language zh-CN main camera batch progress names
