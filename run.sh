#!/usr/bin/env bash
# Builds dist/KORA/ and starts the wizard under 32-bit Wine in a prefix of its own
# (build/wine/run, never ~/.wine): on your display, or on Xvfb with a screenshot.
set -euo pipefail
cd "$(dirname "$0")"
./build.sh
if [ -n "${DISPLAY:-}" ]; then
  ./cmake/install-deps.sh wine
  ./cmake/run-wizard.sh
else
  ./cmake/install-deps.sh wine screenshot
  xvfb-run -a -s "-screen 0 1024x768x24" ./cmake/run-wizard.sh --screenshot
fi
