# The build configurations of ./test, tools/test-release and tools/fuzz-all,
# in one place (tools/ci-cost runs them stage by stage). Sourced from the
# project's root folder.

# The sanitizer build: AddressSanitizer and UBSan, no benchmarks; the test
# programs compile in unity batches, the libraries file by file. Line tables
# (-g1) are all that the sanitizers' reports need, and cost a fraction of
# full debug information to compile.
configure_asan() {
  cmake -S . -B build/asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG=-g1 -DCMAKE_C_FLAGS_DEBUG=-g1 \
    -DSLV_SANITIZE=ON -DSLV_BENCH=OFF -DSLV_UNITY=TESTS "$@"
}

# The optimized build that ./play runs, with the tests and warnings as errors
# (./play turns both off; named here, so that a run of ./play before does
# not leave them off); the libraries compile in unity batches, the test
# programs file by file.
configure_release() {
  cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DSLV_BENCH=OFF -DSLV_TESTS=ON -DSLV_WERROR=ON -DSLV_UNITY=LIBRARIES "$@"
}

# The libFuzzer targets, with clang. Line tables name the crashing line;
# -O1 compiles the game in half the time of -O2 and fuzzes about as fast.
configure_fuzz() {
  local flags="-O1 -gline-tables-only -DNDEBUG"
  CC=clang CXX=clang++ cmake -S . -B build/fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_C_FLAGS_RELWITHDEBINFO="$flags" -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="$flags" \
    -DSLV_FUZZ=ON -DSLV_TESTS=OFF -DSLV_BENCH=OFF -DSLV_WERROR=OFF -DSLV_UNITY=LIBRARIES "$@"
}
