#!/usr/bin/env bash
# Installs what is missing, builds, and starts the program on the bundled sample data.
set -euo pipefail
source "$(dirname "$0")/scripts/prepare.sh"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
    echo "run.sh: no display to show the window on (DISPLAY and WAYLAND_DISPLAY are not set)." >&2
    echo "Start it from a desktop session, or under a virtual screen: xvfb-run -a ./run.sh" >&2
    exit 1
fi
install_missing_packages
build_project
exec "$BUILD_DIR/bin/parvex" "$@"
