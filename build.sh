#!/usr/bin/env bash
# Builds dist/KORA/ (KORA.exe beside its win2k folder) and dist/KORA-4.0.zip.
set -euo pipefail
cd "$(dirname "$0")"
./cmake/install-deps.sh
cmake --preset windows >/dev/null
cmake --build --preset windows --target dist
cmake --build --preset windows --target release_zip
echo "Built dist/KORA/KORA.exe and dist/KORA-4.0.zip"
# A package built without the real Unidrv files is for testing only: say so last.
if [ -f build/windows/win2k-standins.txt ]; then cat build/windows/win2k-standins.txt; fi
