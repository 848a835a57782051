#!/usr/bin/env bash
# Sets up, builds and starts Pluvana. Usage: ./run.sh [folder for saved student lists]
# The folder is taken relative to the folder you start this script from.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
"$here/scripts/setup.sh"
"$here/scripts/build.sh"
exec "$here/build/app/pluvana" "$@"
