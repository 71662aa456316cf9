#!/usr/bin/env bash
# The set-up's entry point where make may be missing (a minimal Debian has
# none): installs the Debian packages a target of the Makefile needs, make
# among them, then runs it. Needs only bash and apt.
#   ./make.sh run|release|test|bench|package [VARIABLE=value ...]
set -euo pipefail
cd "$(dirname "$0")"
case "${1:-}" in
run | release) use=run ;;
test | bench | package) use=$1 ;;
*)
    echo "usage: $0 run|release|test|bench|package [VARIABLE=value ...]" >&2
    exit 2
    ;;
esac
scripts/install-deps.sh "$use"
exec make "$@"
