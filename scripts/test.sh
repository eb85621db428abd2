#!/usr/bin/env bash
# Builds both builds and runs every test: native, native under the sanitizers, Win32 under Wine.
# Ends with one line: "Total: N passed, N failed".
set -uo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
scripts/install-deps.sh || exit 1

passed=0
failed=0
broken=0
run_preset() {
    local preset=$1
    shift
    echo "=== $preset: configure and build"
    if ! cmake --preset "$preset" >"build/$preset.log" 2>&1 || ! cmake --build --preset "$preset" -j2 >>"build/$preset.log" 2>&1; then
        tail -n 60 "build/$preset.log"
        echo "=== $preset: BUILD FAILED"
        broken=$((broken + 1))
        return
    fi
    echo "=== $preset: tests"
    local output
    output=$("$@" ctest --preset "$preset" 2>&1)
    echo "$output" | grep -vE '^ +Start |Test +#[0-9]+: .* Passed' 
    local summary
    summary=$(echo "$output" | grep -E 'tests passed, [0-9]+ tests failed out of [0-9]+' | tail -n 1)
    if [ -z "$summary" ] && echo "$output" | grep -q "No tests were found"; then
        echo "=== $preset: no tests in this build"
        return
    fi
    if [ -z "$summary" ]; then
        echo "=== $preset: no test summary"
        broken=$((broken + 1))
        return
    fi
    local bad total
    bad=$(echo "$summary" | sed -E 's/.* ([0-9]+) tests failed out of ([0-9]+).*/\1/')
    total=$(echo "$summary" | sed -E 's/.* ([0-9]+) tests failed out of ([0-9]+).*/\2/')
    passed=$((passed + total - bad))
    failed=$((failed + bad))
}

mkdir -p build
run_preset native
run_preset asan
run_preset fuzz
run_preset windows scripts/with-wine.sh


[ $broken -gt 0 ] && echo "$broken build(s) or test run(s) broken"
echo "Total: $passed passed, $failed failed"
[ $failed -eq 0 ] && [ $broken -eq 0 ]
