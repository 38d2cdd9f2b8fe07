#!/usr/bin/env bash
# One end-to-end case of sonvela-cli: cli_test.sh CASE CLI TESTS_DIR
set -u
case_name=$1 cli=$2 tests=$3
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
fail() { echo "FAIL: $*"; exit 1; }
has() { grep -qF -- "$2" "$1" || { cat "$1"; fail "missing: $2"; }; }

case $case_name in
check_worked_example)
  "$cli" check --volume 1500 --enclosing 1000 --alpha 0.25,0.25,0.25,0.25,0.25,0.25 >"$tmp/out" || fail "exit $?"
  tr -d ' \n' <"$tmp/out" >"$tmp/flat"
  has "$tmp/flat" '"ReverbTime":[0.8498965469632496,0.8498965469632496,0.8498965469632496,0.8498965469632496,0.8118013067963874,0.7624373827032817]'
  has "$tmp/flat" '"BassRatio":0.0'
  has "$tmp/flat" '"VolumePerSeat":5.0'
  ;;
check_refused_value)
  "$cli" check --volume 0.5 >"$tmp/out" 2>"$tmp/err"
  [ $? -eq 2 ] || fail "a refused value must exit 2"
  [ -s "$tmp/out" ] && fail "nothing may be printed on stdout"
  has "$tmp/err" 'должно быть больше, чем    1.000 и меньше, чем 100000000.000'
  ;;
check_project)
  "$cli" check "$tests/core/fixtures/hall.snv" --seats 500 >"$tmp/out" || fail "exit $?"
  tr -d ' \n' <"$tmp/out" >"$tmp/flat"
  has "$tmp/flat" '"Name":"Зал"'
  has "$tmp/flat" '"Volume":2500.0'
  has "$tmp/flat" '"Seats":500'
  has "$tmp/flat" '"VolumePerSeat":5.0'
  ;;
averages)
  "$cli" averages "$tests/core/fixtures/hall.snv" --base "$tests/core/fixtures/base.dat" >"$tmp/out" || fail "exit $?"
  tr -d ' \n' <"$tmp/out" >"$tmp/flat"
  has "$tmp/flat" '"EquivArea":['
  has "$tmp/flat" '"Alpha":['
  ;;
resave)
  "$cli" resave "$tests/core/fixtures/hall.snv" "$tmp/copy.snv" || fail "exit $?"
  cmp "$tests/core/fixtures/hall.snv" "$tmp/copy.snv" || fail "resave changed the file"
  ;;
dxf)
  for f in plan_lf plan_crlf plan_cr; do
    "$cli" dxf "$tests/graphic/fixtures/$f.dxf" | tr -d ' \n' >"$tmp/$f" || fail "$f: exit $?"
  done
  has "$tmp/plan_lf" '"Entities":{"LINE":2,"CIRCLE":1,"ARC":1}'
  cmp "$tmp/plan_lf" "$tmp/plan_crlf" && cmp "$tmp/plan_lf" "$tmp/plan_cr" || fail "line ends change the result"
  ;;
unreadable_files)
  printf '\xff\xff\xff\x7fabc' >"$tmp/bad.snv"
  printf 'garbage\n' >"$tmp/bad.dxf"
  for args in "check $tmp/missing.snv" "check $tmp/bad.snv" "averages $tmp/bad.snv" \
              "resave $tmp/bad.snv $tmp/out.snv" "dxf $tmp/bad.dxf" "reflections $tmp/bad.snv"; do
    # shellcheck disable=SC2086
    "$cli" $args >"$tmp/out" 2>"$tmp/err"
    rc=$?
    [ $rc -eq 1 ] || fail "$args: exit $rc, expected 1"
    grep -q 'Не удается' "$tmp/err" || { cat "$tmp/err"; fail "$args: no Russian message"; }
  done
  [ -e "$tmp/out.snv" ] && fail "resave of a bad file wrote the output"
  ;;
*) fail "unknown case $case_name" ;;
esac
echo "ok: $case_name"
