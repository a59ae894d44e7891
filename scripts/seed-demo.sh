#!/bin/bash
# Seeds the clearly broken demo entries of scripts/demo-entries.reg into the project's
# private Wine prefix (build/wine-prefix, or $OVALIN_WINEPREFIX), never into ~/.wine.
# Importing twice changes nothing. Used by `make run` before the scan.
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
export WINEPREFIX="${OVALIN_WINEPREFIX:-$ROOT/build/wine-prefix}"
export WINEDEBUG=-all
case "$WINEPREFIX" in
  "$ROOT"/build/*) ;;
  *) echo "refusing to seed demo entries outside $ROOT/build: $WINEPREFIX" >&2; exit 2 ;;
esac

# Warms (and on first use creates) the prefix the way every Wine run here does.
"$ROOT/scripts/wine-run.sh" cmd /c exit </dev/null >/dev/null 2>&1
wine regedit /S "Z:${ROOT//\//\\}\\scripts\\demo-entries.reg" </dev/null >/dev/null 2>&1
