#!/usr/bin/env bash
# Runs a command on a virtual display with a temporary HOME and XDG folders,
# so that no test touches a real user's settings.
set -u
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
export HOME=$tmp XDG_CONFIG_HOME=$tmp/config XDG_DATA_HOME=$tmp/data XDG_CACHE_HOME=$tmp/cache
export NO_AT_BRIDGE=1 GTK_A11Y=none
mkdir -p "$XDG_CONFIG_HOME" "$XDG_DATA_HOME" "$XDG_CACHE_HOME"
xvfb-run -a -s '-screen 0 1280x900x24' "$@"
