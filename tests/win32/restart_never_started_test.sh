#!/usr/bin/env bash
# The runner starts again, once, a program that failed without writing its start marker,
# and never one that wrote it. cmd.exe stands in for a test program: it counts its starts
# in a file, and writes the marker only when asked.
set -uo pipefail
source "$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)/scripts/wine-env.sh"
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
failed=0
check() { # <what> <actual> <expected>
    [ "$2" = "$3" ] || { echo "FAILED: $1: $2, expected $3"; failed=1; }
}
starts() { grep -c . "$scratch/$1" 2>/dev/null || echo 0; }

# Never reached its main: started once more, and the output says so.
output=$(zx_wine_test_program cmd /c "echo started>>Z:$scratch/unstarted & exit 3" 2>&1)
check "status of a program that never started, twice" "$?" 3
check "starts of a program that never started" "$(starts unstarted)" 2
grep -q "Wine did not start it; starting it again, once" <<<"$output" ||
    { echo "FAILED: the restart is not in the output: $output"; failed=1; }

# Ran and failed: its failure stands, after one start.
output=$(zx_wine_test_program cmd /c "echo started>>Z:$scratch/ran & echo.>%ZX_STARTED_MARKER% & exit 4" 2>&1)
check "status of a program that ran and failed" "$?" 4
check "starts of a program that ran and failed" "$(starts ran)" 1
grep -q "starting it again" <<<"$output" && { echo "FAILED: a program that ran was started again"; failed=1; }

# Passed: one start, no word of a restart.
output=$(zx_wine_test_program cmd /c "echo started>>Z:$scratch/passed & exit 0" 2>&1)
check "status of a program that passed" "$?" 0
check "starts of a program that passed" "$(starts passed)" 1

[ "$failed" -eq 0 ] && echo "passed"
exit "$failed"
