# Sourced by every check script (scripts/*-check.sh): one way of reporting.
#
#   report_init NAME [FILE]  names the check (its lines start with "NAME: ");
#                            the results go to FILE, given to a part of the
#                            check that runs in another process so its
#                            results count too, or to $AIS_CHECK_RESULTS,
#                            set by a check that runs itself again
#                            elsewhere (and ends the file with it), or to a
#                            file of its own
#   say TEXT                 a line of the check's own
#   pass TEXT                a claim that held
#   fail TEXT [WHY]          a claim that did not
#   skip TEXT                a claim that was not checked
#   known_limit TEXT         a claim the test host cannot show (a documented
#                            limit, e.g. of Wine): neither a pass nor a fail
#   check TEXT CMD...        pass or fail by CMD's exit status
#   skip_all REASON          nothing can run here: says so, ends the check
#   report_end               the closing line, printed last:
#                            "N passed, N failed, N skipped, N known limits";
#                            ends the check with 1 when something failed, 77
#                            when something was skipped and nothing failed,
#                            0 otherwise
#
# 77 is the usual "skipped" status (Automake, CTest's SKIP_RETURN_CODE);
# scripts/run-tests.sh shows it as a skip and does not count it as passed.

REPORT_SKIPPED=77

report_init() {
  report_name="$1"
  if [ -n "${2:-}" ]; then
    report_results="$2"
    report_owns_results=0
  elif [ -n "${AIS_CHECK_RESULTS:-}" ]; then
    report_results="$AIS_CHECK_RESULTS"
    report_owns_results=1
    # Not handed on to the checks this one runs.
    unset AIS_CHECK_RESULTS
  else
    report_results="$(mktemp "${TMPDIR:-/tmp}/check-report.XXXXXX")"
    report_owns_results=1
  fi
  touch "$report_results"
}

say() { echo "$report_name: $*"; }
report_line() {
  echo "$1" >>"$report_results"
  say "$2"
}
pass() { report_line PASS "ok: $*"; }
fail() { report_line FAIL "FAILED: $1${2:+ ($2)}"; }
skip() { report_line SKIP "SKIPPED: $*"; }
known_limit() { report_line LIMIT "KNOWN LIMIT: $*"; }
check() {
  local text="$1"
  shift
  if "$@"; then pass "$text"; else fail "$text"; fi
}

report_count() { grep -c "^$1\$" "$report_results"; }

report_end() {
  local passed failed skipped limits
  passed=$(report_count PASS)
  failed=$(report_count FAIL)
  skipped=$(report_count SKIP)
  limits=$(report_count LIMIT)
  [ "$report_owns_results" = 1 ] && rm -f "$report_results"
  # Counts that cannot be read (the results file or grep gone, as when a
  # tree is made again under a check running in it) are a failure.
  local n
  for n in "$passed" "$failed" "$skipped" "$limits"; do
    [[ "$n" =~ ^[0-9]+$ ]] || { say "FAILED: the results in $report_results could not be counted"; exit 1; }
  done
  say "$passed passed, $failed failed, $skipped skipped, $limits known limit$([ "$limits" = 1 ] || echo s)"
  if [ "$failed" -gt 0 ]; then exit 1; fi
  if [ "$skipped" -gt 0 ]; then exit $REPORT_SKIPPED; fi
  exit 0
}

skip_all() {
  skip "$*"
  report_end
}
