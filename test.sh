#!/usr/bin/env bash
# Builds both presets and runs every test: the native unit tests, then the Windows-side
# tests under Wine (each in a prefix of its own under build/wine, on its own Xvfb).
set -euo pipefail
cd "$(dirname "$0")"
./cmake/install-deps.sh build host wine

cmake --preset host
cmake --build --preset host
ctest --preset host

# Stop here, with the reason, where Wine cannot run rather than fail every Windows test.
(. cmake/wine-env.sh && kora_require_wine) || exit 1

cmake --preset windows
cmake --build --preset windows
ctest --preset windows
