#!/bin/bash
# Differential scan: the default registry of a fresh Wine prefix, scanned twice.
#   1. under Wine, by ovalin-rc.exe on the real (Wine) registry;
#   2. natively, by ovalin-rc on the substitute loaded from `wine regedit /E` exports of
#      HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER and HKEY_CLASSES_ROOT, with drive C: mapped
#      to the prefix's drive_c and Wine's environment and special folders.
# The two lists of findings must be equal without regard to order, and both scans must
# have judged the same number of entries.
#
#   scripts/differential-scan.sh NATIVE_OVALIN_RC WINDOWS_OVALIN_RC_EXE WORK_DIR
#
# WORK_DIR receives the prefix (reused when it is already there), the exports and both
# JSON outputs. Exit 0 when the lists match, 1 when they differ, 77 when Wine or the
# Windows program is missing (ctest counts that as skipped).
set -euo pipefail

native=${1:?native ovalin-rc}
exe=${2:?ovalin-rc.exe}
work=${3:?work folder}

command -v wine >/dev/null || { echo "wine not found: skipped"; exit 77; }
[ -x "$native" ] || { echo "no native ovalin-rc at $native: skipped"; exit 77; }
[ -f "$exe" ] || { echo "no ovalin-rc.exe at $exe: skipped"; exit 77; }

mkdir -p "$work"
work=$(cd "$work" && pwd)
export WINEPREFIX="$work/prefix"
export WINEDEBUG=-all
prefix_ready="$WINEPREFIX/.ovalin-differential-ready"

cleanup() { wineserver -k </dev/null >/dev/null 2>&1 || true; }
trap cleanup EXIT

if [ ! -f "$prefix_ready" ]; then
  rm -rf "$WINEPREFIX"
  WINEDLLOVERRIDES="winemenubuilder.exe,mscoree,mshtml=d" wineboot -i </dev/null >/dev/null 2>&1
  wineserver -w </dev/null >/dev/null 2>&1 || true
  touch "$prefix_ready"
fi
wine cmd /c exit </dev/null >/dev/null 2>&1

# The Windows program runs from inside the prefix, so that it sees the same drive C:.
cp "$exe" "$WINEPREFIX/drive_c/ovalin-rc.exe"

# 1. Scan under Wine.
wine 'C:\ovalin-rc.exe' scan --json </dev/null >"$work/wine.json" 2>"$work/wine.err" || {
  echo "ovalin-rc.exe scan failed:"; cat "$work/wine.err"; exit 1; }

# 2. Exports of the same registry.
for hive in HKEY_LOCAL_MACHINE HKEY_CURRENT_USER HKEY_CLASSES_ROOT; do
  rm -f "$work/$hive.reg"
  wine regedit /E "Z:${work//\//\\}\\$hive.reg" "$hive" </dev/null >/dev/null 2>&1
  [ -s "$work/$hive.reg" ] || { echo "regedit /E $hive wrote nothing"; exit 1; }
done

# Wine's environment (as its programs see it) and special folders.
env_args=()
while IFS= read -r line; do
  line=${line%$'\r'}
  case "$line" in *=*) env_args+=(--env "$line") ;; esac
done < <(wine cmd /c set </dev/null 2>/dev/null)

shell_folder() {  # key value-name -> path (empty when absent)
  wine reg query "$1" /v "$2" </dev/null 2>/dev/null | tr -d '\r' |
    sed -n "s/^ *$2 *REG_[A-Z_]* *//p" | head -n 1
}
user_folders='HKCU\Software\Microsoft\Windows\CurrentVersion\Explorer\Shell Folders'
common_folders='HKLM\Software\Microsoft\Windows\CurrentVersion\Explorer\Shell Folders'
folder_args=()
add_folder() {  # csidl path
  [ -n "$2" ] && folder_args+=(--folder "$1=$2")
  return 0
}
add_folder 8 "$(shell_folder "$user_folders" Recent)"
add_folder 11 "$(shell_folder "$user_folders" 'Start Menu')"
add_folder 20 "$(shell_folder "$user_folders" Fonts)"
add_folder 22 "$(shell_folder "$common_folders" 'Common Start Menu')"

# 3. Scan the exports natively.
"$native" scan --json --reg "$work/HKEY_LOCAL_MACHINE.reg" \
  --reg "$work/HKEY_CURRENT_USER.reg" --reg "$work/HKEY_CLASSES_ROOT.reg" \
  --drive "C=$WINEPREFIX/drive_c" --drive "Z=/" "${env_args[@]}" "${folder_args[@]}" >"$work/native.json" 2>"$work/native.err" || {
  echo "native ovalin-rc scan failed:"; cat "$work/native.err"; exit 1; }

# 4. Compare the findings without regard to order (drive Z: is the host's root on both).
python3 - "$work/wine.json" "$work/native.json" <<'EOF'
import collections, json, sys

def findings(path):
    with open(path, encoding="utf-8") as f:
        data = json.load(f)
    items = collections.Counter()
    for key in ("findings", "secondPass"):
        for item in data.get(key, []):
            item.pop("index", None)  # the position in the list depends on the order
            items[(key, json.dumps(item, sort_keys=True, ensure_ascii=False))] += 1
    return items

def judged(path):
    with open(path, encoding="utf-8") as f:
        return json.load(f).get("judged")

wine, native = findings(sys.argv[1]), findings(sys.argv[2])
judged_wine, judged_native = judged(sys.argv[1]), judged(sys.argv[2])
print(f"entries judged under Wine: {judged_wine}, natively: {judged_native}")
only_wine, only_native = wine - native, native - wine
print(f"findings under Wine: {sum(wine.values())}, natively: {sum(native.values())}")
for name, extra in (("only under Wine", only_wine), ("only natively", only_native)):
    for (key, item), count in sorted(extra.items())[:40]:
        print(f"{name} ({key}, x{count}): {item}")
sys.exit(0 if not only_wine and not only_native and judged_wine == judged_native else 1)
EOF
