#!/usr/bin/env bash
# Runs the palette's test case of the root window test on a screen of 256
# colours: an Xvfb screen of depth 8 of its own, beside the 24-bit one the
# other tests share.
# Usage: palette_test.sh ROOT_WINDOW_TEST.exe
set -euo pipefail
export PINWELL_256_COLOURS=1
exec xvfb-run -a -s "-screen 0 1024x768x8" wine "$1" --test-case="The palette"
