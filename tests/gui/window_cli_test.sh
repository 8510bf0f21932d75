#!/usr/bin/env bash
# Runs formulon-zizi as a user does: its command line, its exit statuses, the
# file-type options and a plain start. Expects a display and a temporary HOME
# with XDG folders (run-gui.sh). Usage: window_cli_test.sh FORMULON_ZIZI
set -u
app=$1
failures=0
out=""
status=0

run() {  # run ARGS...: output of both streams and the status
  out=$(timeout 60 "$app" "$@" 2>&1)
  status=$?
}

check() {  # check NAME CONDITION-STATUS
  if [ "$2" -ne 0 ]; then
    echo "FAIL $1"
    printf '  status %s, output:\n%s\n' "$status" "$out"
    failures=$((failures + 1))
  fi
}

has() { grep -qF -- "$1" <<<"$out"; }

run --help
check "help ends with -1" $([ "$status" -eq 255 ]; echo $?)
check "help lists the switches" $(has "start synthesis on opened file" && has "--regfiletype" &&
  has "unregister 'flx' file type and exit"; echo $?)

run -s
check "start without a file ends" $([ "$status" -eq 255 ]; echo $?)
check "start without a file says why" $(has "filename must be specified with start" && has "Usage:"; echo $?)

run one.flx two.flx
check "a second parameter is refused" $([ "$status" -eq 255 ] && has "Unexpected parameter"; echo $?)

run --bogus
check "an unknown option is refused" $([ "$status" -eq 255 ] && has "Usage:"; echo $?)

data=$XDG_DATA_HOME
run -r -u
check "register and unregister: only registration runs" $([ "$status" -eq 255 ] &&
  [ -f "$data/mime/packages/formulon-zizi.xml" ] && [ -f "$data/applications/formulon-zizi.desktop" ]; echo $?)
check "the desktop entry opens this executable" $(grep -qF "Exec=\"$(readlink -f "$app")\" %f" \
  "$data/applications/formulon-zizi.desktop" || grep -qF "Exec=\"$app\" %f" "$data/applications/formulon-zizi.desktop"; echo $?)
check "no window and no settings after registration" $([ ! -e "$XDG_CONFIG_HOME/Formulon Zizi.conf" ]; echo $?)
run --unregfiletype
check "unregister removes our files" $([ "$status" -eq 255 ] && [ ! -e "$data/mime/packages/formulon-zizi.xml" ] &&
  [ ! -e "$data/applications/formulon-zizi.desktop" ]; echo $?)

# A plain start shows the window with a new untitled project.
"$app" >/dev/null 2>&1 &
pid=$!
title=""
for _ in $(seq 1 600); do  # up to a minute: a first start on a busy machine is slow
  title=$(xwininfo -root -tree 2>/dev/null | grep -o '"Formulon Zizi[^"]*"' | head -1)
  [ -n "$title" ] && break
  sleep 0.1
done
kill "$pid" 2>/dev/null
wait "$pid" 2>/dev/null
out=$title
check "a plain start shows the untitled project" $([ "$title" = '"Formulon Zizi - [Untitled1]"' ]; echo $?)

if [ "$failures" -ne 0 ]; then
  echo "$failures check(s) failed"
  exit 1
fi
echo "all window program command-line checks passed"
