#!/bin/sh
# Fuzzes the zip reader: scripts/fuzz-zip.sh [SECONDS] [--merge]
exec "$(dirname "$0")/fuzz.sh" zip "$@"
