#!/usr/bin/env bash
# Installs what is missing, builds, and starts the editor on the bundled
# example (or on the script given). Without a display it prints the example's
# parameters and renders the editor to a PNG file instead, and says so.
set -euo pipefail
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
BUILD=${TARVO_BUILD_DIR:-$ROOT/build}
"$ROOT/scripts/setup.sh"
EDITOR_BIN="$BUILD/bin/tarvo-editor"
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  exec "$EDITOR_BIN" "$@"
fi
SCRIPT=${1:-$ROOT/examples/nursery_order}
SHOT="$BUILD/tarvo-editor.png"
echo "No display found. The parameters of $SCRIPT:"
"$EDITOR_BIN" --list "$SCRIPT"
"$EDITOR_BIN" --screenshot "$SHOT" "$SCRIPT"
echo "The editor was rendered to $SHOT"
