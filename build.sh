#!/usr/bin/env bash
# Builds dist/KORA/ (KORA.exe beside its win2k folder) and the release archive: dist/KORA-4.0.zip
# from the real Unidrv files, dist/KORA-4.0-test.zip (marked for testing only) from stand-ins.
set -euo pipefail
cd "$(dirname "$0")"
# Building needs the cross toolchain only, no Wine.
./cmake/install-deps.sh build
cmake --preset windows >/dev/null
cmake --build --preset windows --target dist
cmake --build --preset windows --target release_zip
# A package built without the real Unidrv files is for testing only: say so last.
if [ -f build/windows/win2k-standins.txt ]; then
  echo "Built dist/KORA/KORA.exe and dist/KORA-4.0-test.zip (for testing only, not for shipping)"
  cat build/windows/win2k-standins.txt
else
  echo "Built dist/KORA/KORA.exe and dist/KORA-4.0.zip"
fi
