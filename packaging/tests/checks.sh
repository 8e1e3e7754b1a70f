# The checks both package tests use: each failure is shown and counted, and
# the test goes on, so one run lists every fault.
failures=0
fail() { echo "FAILED: $*"; failures=$((failures + 1)); }
expect() {  # expect WHAT EXPECTED ACTUAL
  [ "$2" == "$3" ] || fail "$1"$'\n'"expected: $2"$'\n'"actual:   $3"
}
checks_done() {
  [ "$failures" -eq 0 ] || { echo "$failures check(s) failed"; exit 1; }
  echo "all checks passed"
}
