#!/usr/bin/env bash
# Writes the fixture afresh and opens it in the browser:
#   run_browser_test.sh FIXTURE-PROGRAM NODE CHROMIUM TEST-SCRIPT WORK-FOLDER
set -euo pipefail
fixture=$1 node=$2 chromium=$3 script=$4 work=$5
rm -rf "$work"
mkdir -p "$work"
"$fixture" "$work"
exec "$node" "$script" "$chromium" "$work"
