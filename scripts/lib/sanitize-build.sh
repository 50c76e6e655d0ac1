# The instrumented build shared by scripts/test and scripts/fuzz: clang, AddressSanitizer
# and UndefinedBehaviorSanitizer on every target, libFuzzer coverage on the core, the
# tests and the fuzz targets; no Qt window, no benchmarks.
SANITIZE_BUILD="${QUILLET_SANITIZE_BUILD:-build-sanitize}"

# Any sanitizer finding ends the program with a stack trace and status 86, which no
# program of ours uses, so no test can take it for an expected failure.
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1:exitcode=86}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1:exitcode=86}"

configure_sanitize_build() {
  cmake -S . -B "$SANITIZE_BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_COMPILER=clang++ -DQUILLET_SANITIZE=ON -DQUILLET_FUZZ=ON \
    -DQUILLET_BUILD_WINDOW=OFF -DQUILLET_BUILD_BENCH=OFF >/dev/null
}
