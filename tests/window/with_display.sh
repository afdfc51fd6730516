#!/usr/bin/env bash
# with_display.sh PROGRAM [ARGUMENTS...]: runs PROGRAM on a virtual screen
# with a window manager.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/display.sh"
start_display
"$@"
