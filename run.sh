#!/usr/bin/env bash
# Installs what is missing, builds, and starts the editor. Without a display
# it renders the editor to a PNG file instead and says where.
set -euo pipefail
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
BUILD=${TARVO_BUILD_DIR:-$ROOT/build}
"$ROOT/scripts/setup.sh"
EDITOR_BIN="$BUILD/bin/tarvo-editor"
if [ $# -gt 0 ] || [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  exec "$EDITOR_BIN" "$@"
fi
SHOT="$BUILD/tarvo-editor.png"
QT_QPA_PLATFORM=offscreen "$EDITOR_BIN" --screenshot "$SHOT"
echo "No display found: the editor was rendered to $SHOT"
