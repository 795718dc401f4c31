#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test headless.
set -euo pipefail
source "$(dirname "$0")/scripts/prepare.sh"
install_missing_packages
build_project
export QT_QPA_PLATFORM=offscreen
cd "$BUILD_DIR"
ctest --output-on-failure -j2 --timeout 600
