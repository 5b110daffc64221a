#!/usr/bin/env bash
# zep-submit job on Windows (under Wine) and on Linux, for the same analysis and the same
# choices: the two job descriptions hold the same document, apart from the scene's path.
#   zep_submit_job.sh WINDOWS_BUILD LINUX_BUILD
set -euo pipefail
windows_build=$(cd "$1" && pwd)
linux_build=$2
source_dir=$(cd "$(dirname "$0")/../.." && pwd)
farm_client="$linux_build/tools/farm-client/farm-client"
linux_tool="$linux_build/tools/zep-submit/zep-submit"
if [ ! -x "$farm_client" ] || [ ! -x "$linux_tool" ]; then
  (cd "$source_dir" && cmake --preset debug >/dev/null &&
   cmake --build --preset debug --target farm-client zep-submit)
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix="$windows_build/wine-prefix"
analysis="$source_dir/examples/living-room.analysis.json"
scene="$source_dir/examples/scenes/living room.max"
choices=(--request-id 6F9619FF-8B86-D011-B42D-00C04FC964FF --select Detail_Sofa
         --select VRayCam_Kitchen --camera "Detail_Sofa:width=1280,height=720,output=sofa"
         --block-mode 10 --ao 250,8 --gi 1 --gamma 1.8)

# The Windows run reads the settings from the prefix's all-users data folder (the prefix is
# made on first use). A test program that was stopped before it could put back the folder it
# borrowed leaves it in the registry: the folder goes back to Wine's own.
sh "$source_dir/cmake/run-under-wine.sh" "$prefix" reg delete \
  'HKLM\Software\Microsoft\Windows\CurrentVersion\Explorer\User Shell Folders' \
  /v "Common AppData" /f >/dev/null 2>&1 || true
"$farm_client" install --root "$prefix/drive_c/ProgramData" --port 29999 >/dev/null
mkdir -p "$work/windows" "$work/linux" "$work/data"
sh "$source_dir/cmake/run-under-wine.sh" "$prefix" "$windows_build/tools/zep-submit/zep-submit.exe" \
  job "Z:$analysis" --json-folder "Z:$work/windows" --scene "Z:$scene" "${choices[@]}" \
  >"$work/windows.json"
"$farm_client" install --root "$work/data" --port 29999 >/dev/null
PROGRAMDATA="$work/data" "$linux_tool" job "$analysis" --json-folder "$work/linux" \
  --scene "$scene" "${choices[@]}" >"$work/linux.json"

python3 - "$work" <<'PYTHON'
import glob, json, sys
work = sys.argv[1]
def job(side):
    files = glob.glob(f"{work}/{side}/*.json")
    assert len(files) == 1, f"{side}: {len(files)} job files"
    with open(files[0], "rb") as file:
        raw = file.read()
    assert b"\r\n" in raw and b"\n" not in raw.replace(b"\r\n", b""), f"{side}: not CR LF text"
    document = json.loads(raw)
    document.pop("name")
    return document
windows, linux = job("windows"), job("linux")
if windows != linux:
    print("FAIL: the job descriptions differ")
    print(json.dumps(windows, indent=1, sort_keys=True))
    print(json.dumps(linux, indent=1, sort_keys=True))
    sys.exit(1)
print(f"PASS: the same job description on Windows and Linux ({len(windows['cameras'])} cameras)")
PYTHON
