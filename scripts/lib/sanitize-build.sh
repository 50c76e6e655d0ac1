# The instrumented build shared by scripts/test and scripts/fuzz: clang, AddressSanitizer
# and UndefinedBehaviorSanitizer on every target, libFuzzer coverage on the core, the
# tests and the fuzz targets; no window, no benchmarks.
SANITIZE_BUILD="${QUILLET_SANITIZE_BUILD:-build-sanitize}"

# Any sanitizer finding ends the program with a failure and a stack trace.
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=0}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"

configure_sanitize_build() {
  cmake -S . -B "$SANITIZE_BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_COMPILER=clang++ -DQUILLET_SANITIZE=ON -DQUILLET_FUZZ=ON \
    -DQUILLET_BUILD_WINDOW=OFF -DQUILLET_BUILD_BENCH=OFF >/dev/null
}
