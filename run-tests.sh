#!/bin/sh
exec "$(dirname "$0")/scripts/test.sh" "$@"
