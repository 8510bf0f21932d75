#!/usr/bin/env bash
# Runs formulon-cli as a user does and checks its output and exit statuses.
# FORMULON_CLI names the binary.
set -u
cli=${FORMULON_CLI:?FORMULON_CLI must name the formulon-cli binary}
failures=0
out=""
err=""
status=0

run() {  # run ARGS...: captures stdout, stderr and the status
  local o e
  o=$(mktemp) e=$(mktemp)
  "$cli" "$@" >"$o" 2>"$e"
  status=$?
  out=$(cat "$o") err=$(cat "$e")
  rm -f "$o" "$e"
}

check() {  # check NAME EXPECTED ACTUAL
  if [ "$2" != "$3" ]; then
    printf 'FAIL %s\n  expected: %q\n  actual:   %q\n' "$1" "$2" "$3"
    failures=$((failures + 1))
  fi
}

have_locale() { locale -a 2>/dev/null | grep -qix "$1"; }

export LC_ALL=C.UTF-8

# text, markup
run text "sin(x)+2*x";             check "text" "sin(x)+2*x" "$out"; check "text status" 0 $status
run text "x+(1+2)";                check "text regroups" "x+1+2" "$out"
run markup "x*(x+1)";              check "markup" "<math>x<mop>*</mop><mpar>(</mpar>x+1<mpar>)</mpar></math>" "$out"
run text --json "sin(x)"
check "text json" '{"elements":2,"markup":"<math><mfn>sin(</mfn>x<mfn>)</mfn></math>","text":"sin(x)"}' "$out"

# eval: leading minus signs are formulas and numbers, "--" ends the options
run eval -x^2 -3 2.5;              check "eval minus" $'9\n6.25' "$out"
run eval 1/x 0;                    check "eval inf" "inf" "$out"
run eval -- -1/x 0;                check "eval -inf" "-inf" "$out"
run eval "ind" 1;                  check "eval nan" "-ind" "$out"
run eval 0.1*x 1;                  check "eval 15 digits" "0.1" "$out"
run eval --json "1/x" 0 -1 2;      check "eval json" '{"values":["inf",-1.0,0.5]}' "$out"
run eval --json "sqrt(x)" -1;      check "eval json nan" '{"values":["nan"]}' "$out"
run eval x 1,5;                    check "eval wrong number status" 2 $status
check "eval wrong number" "Wrong number: 1,5" "$err"
run eval x -- --json;              check "eval -- keeps option text" 2 $status
run eval x;                        check "eval without x" 1 $status

# encode, decode
run encode "x*2";                  check "encode" "82 40 00 00 00 00 00 00 00 00 40" "$out"
run encode --json "-x";            check "encode json" '{"hex":"80 40"}' "$out"
run decode 82 40 00 00 00 00 00 00 00 00 40;  check "decode args" "x*2" "$out"
run decode "c6 80 40";             check "decode one argument" "sin(-x)" "$out"
out=$(echo "84 40 40" | "$cli" decode -); check "decode stdin" "x+x" "$out"
run decode --json 86 40;           check "decode json" '{"text":"sin(x)"}' "$out"
run decode 90;                     check "decode wrong op" "Wrong operation or function id" "$err"; check "decode wrong op status" 2 $status
run decode --json 41;              check "decode wrong var json" '{"error":{"message":"Wrong variable id"}}' "$out"
run decode 82 40;                  check "decode short" "Malformed tree" "$err"; check "decode short status" 2 $status
run decode 40 40;                  check "decode trailing" "Malformed tree" "$err"
run decode zz;                     check "decode not hex status" 2 $status
run decode "$(printf '80 %.0s' $(seq 1 20000))40";  check "decode too deep" "Malformed tree" "$err"

# compile errors
run text "2x"
check "compile error status" 2 $status
check "compile error text" $'No operation for argument\nExpression: 2x\nCharacter Number: 2' "$err"
run text --json " x"
check "compile error json" '{"error":{"code":4,"message":"Wrong symbol","position":0}}' "$out"
check "compile error json status" 2 $status

# goal, range, fitness
run goal --expr x^2 --min 0 --max 2 --count 3 --apcf 1
check "goal" $'goal points (3):\n0\t0\n1\t1\n2\t4\nadditional points (2):\n0.5\t0.25\n1.5\t2.25\nyMin: 0\nyMax: 4\nxFirst: 0\nxLast: 2\nconstRange: 4' "$out"
run goal --json --expr 1/x --min -1 --max 1 --count 2
check "goal json with range warning" '{"additionalX":[],"additionalY":[],"constRange":1.0,"rangeWarning":true,"x":[-1.0,1.0],"xFirst":-1.0,"xLast":1.0,"y":[-1.0,1.0],"yMax":1.0,"yMin":-1.0}' "$out"
run goal --json --expr 1/x --min -1 --max 1 --count 3
check "goal failure json" '{"error":{"level":"error","message":"Expression is infinite or indefinite at X = 0"}}' "$out"
check "goal failure status" 2 $status
run goal --expr x --min 1 --max 1 --count 2
check "goal min max" "Min X must be lower than Max X" "$err"; check "goal min max status" 2 $status
run goal --expr x --min 0 --max 1;  check "goal without count" 1 $status
run goal --expr x --min a --max 1 --count 2; check "goal bad number" 2 $status
run goal --expr x --min 0 --max 1 --count 1; check "goal count below 2" 2 $status
tmp=$(mktemp -d)
printf '0 0\n3 30\n1 10\n' >"$tmp/points.txt"
run goal --json --points "$tmp/points.txt" --count 5
check "goal from points" '[0.0,0.5,1.0,2.0,3.0]' "$(echo "$out" | sed -E 's/.*"x":(\[[^]]*\]).*/\1/')"
printf '1 2 3\n' >"$tmp/odd.txt"
run goal --points "$tmp/odd.txt";   check "goal odd points file" "Error reading from file" "$err"; check "odd status" 2 $status
run goal --points "$tmp/missing.txt"; check "goal missing file status" 2 $status
rm -rf "$tmp"
run range "1/(x-3)" --min 1 --max 2; check "range" $'lower: -1\nupper: -0.5\npass: yes' "$out"
run range --json "tan(x)" --min 0 --max 3; check "range json" '{"lower":"-inf","pass":false,"upper":"inf"}' "$out"
run range x;                         check "range without interval" 1 $status
run fitness --json "x+1" --expr x --min 0 --max 1 --count 11 --kind exponential --weight 0.05
check "fitness json" '{"allDifferenceSum":11.0,"allScore":0.6666666666666667,"elements":3,"fitness":0.6777831512668792,"mainDifferenceSum":11.0,"mainFitness":0.6777831512668792,"mainScore":0.6666666666666667,"maxDifference":1.0,"nonFinite":false,"rangeOk":true}' "$out"
run fitness --json "1/x" --expr x --min -1 --max 1 --count 3
check "fitness non-finite" 'true false' "$(echo "$out" | sed -E 's/.*"nonFinite":([a-z]+).*"rangeOk":([a-z]+).*/\1 \2/')"
run fitness x --expr x --min 0 --max 1 --count 2 --kind cubic; check "fitness bad kind" 1 $status

# project files: new, add, dump
tmp=$(mktemp -d)
run new "$tmp/p.flx" --expr "x^2" --min 0 --max 2 --count 5 --apcf 1 --places 3 --threads 2 --restart-count 500
check "new" "created $tmp/p.flx" "$out"
run new "$tmp/p.flx" --expr x --min 0 --max 1 --count 2
check "new refuses to overwrite" 2 $status
run new "$tmp/p.flx" --force --expr x --min 0 --max 1 --count 2 --threads 9
check "new bad thread count" 2 $status
run new "$tmp/q.flx" --expr x --min 0 --max 1
check "new without count" 1 $status
run add "$tmp/p.flx" "x*x";         check "add" "#1 99.8890% (100.0000%) x*x" "$out"
run add --json "$tmp/p.flx" "x+1"
check "add json" '{"allScore":0.78125,"fitness":0.7823274635867091,"id":2,"text":"x+1"}' "$out"
run add "$tmp/p.flx" "2x";          check "add compile error" 2 $status
run dump --json "$tmp/p.flx"
check "dump json params" '{"cancelConstants":true,"lowPriority":true,"mutationCycles":2,"pointFitness":0,"rangeCheck":true,"restartByTime":false,"restartValue":500,"roundingPlaces":3,"threadCount":2,"weightFactor":0.01}' \
  "$(echo "$out" | sed -E 's/.*"params":(\{[^}]*\}).*/\1/')"
check "dump json results" '[{"allScore":1.0,"currentPeriod":true,"fitness":0.9988899635867091,"id":1,"text":"x*x"},{"allScore":0.78125,"currentPeriod":true,"fitness":0.7823274635867091,"id":2,"text":"x+1"}]' \
  "$(echo "$out" | sed -E 's/.*"results":(\[[^]]*\]).*/\1/')"
run dump "$tmp/p.flx"
check "dump lists results" "  #2 current 78.2327% (78.1250%) x+1" "$(echo "$out" | grep '#2')"
printf 'garbage' >"$tmp/bad.flx"
run dump "$tmp/bad.flx"
check "dump bad file status" 2 $status
check "dump bad file message" "Error reading file: $tmp/bad.flx" "$(echo "$err" | tail -n 1)"
run dump --json "$tmp/missing.flx"; check "dump missing file" 2 $status

# search: a short run saved, then resumed from the project
run search --json --expr "x^2+x" --min -1 --max 1 --count 10 --threads 2 --seconds 0.6 --save "$tmp/s.flx"
check "search status" 0 $status
check "search json has results and stats" "yes" "$(echo "$out" | grep -q '"results":\[' && echo "$out" | grep -q '"processed":' && echo yes)"
pend=$(echo "$out" | sed -E 's/.*"pendings":([0-9]+).*/\1/')
"$cli" dump --json "$tmp/s.flx" >"$tmp/dump.json" 2>/dev/null
check "search saved its pending variants" "$pend" "$(grep -o '"elapsedMs"' "$tmp/dump.json" | wc -l)"
run search --json --project "$tmp/s.flx" --seconds 0.6 --threads 1
check "search resumes a project" 0 $status
check "resumed run counted a second period" "yes" \
  "$("$cli" dump --json "$tmp/s.flx" | grep -Eq '"total":\{"improvements":[0-9]+,"processed":[1-9]' && echo yes)"
run search --expr x --min 0 --max 1;  check "search without count" 1 $status
rm -rf "$tmp"

# usage
run;                               check "no verb" 1 $status
run frobnicate;                    check "unknown verb" 1 $status
run text;                          check "text without formula" 1 $status
run text a b;                      check "text with two formulas" 1 $status
run --help;                        check "help" 0 $status

# the user's number format
if have_locale de_DE.utf8; then
  LC_ALL=de_DE.UTF-8 run eval "0,5*x" 1,5 3
  check "de eval" $'0,75\n1,5' "$out"
  LC_ALL=de_DE.UTF-8 run eval --json "0,5*x" 1,5
  check "de json uses C numbers" '{"values":[0.75]}' "$out"
else
  echo "SKIP de_DE.UTF-8 is not installed"
fi
if have_locale en_US.utf8; then
  LC_ALL=en_US.UTF-8 run eval "x*1000" 1234.5; check "us grouping" "1,234,500" "$out"
fi

if [ "$failures" -gt 0 ]; then
  echo "$failures check(s) failed"
  exit 1
fi
echo "all formulon-cli checks passed"
