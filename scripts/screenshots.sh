#!/usr/bin/env bash
# Renders the README's pictures into docs/ offscreen.
#   scripts/screenshots.sh [build folder] [scene filter]
# Every scene is a test of build/bin/screenshots_tests (tests/screenshots/);
# a new picture is a new test there, saved with SaveScene(widget, "name").
# The filter is a gtest filter, e.g. 'LogViewScene.*'.
set -euo pipefail

build=${1:-build}
filter=${2:-*}
root=$(cd "$(dirname "$0")/.." && pwd)

cmake --build "$build" --target screenshots_tests
mkdir -p "$root/docs"
QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen} ZEPH_SCREENSHOT_DIR="$root/docs" \
  "$build/bin/screenshots_tests" --gtest_filter="$filter"
ls -1 "$root"/docs/*.png
