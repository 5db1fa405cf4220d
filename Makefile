# The commands people type; thin wrappers over CMake and CTest.
BUILD := build
BENCH := build-bench
JOBS := 2
MAKEFLAGS += --no-print-directory

.PHONY: all run test page single cross-check sanitize clang fuzz bench memory-bench page-bench \
  solve-bench atan2-check clean FORCE

# Flags for every configure of the project's trees: CI gives
# -DWARNINGS_AS_ERRORS=ON.
CMAKE_FLAGS :=

# A build folder counts as configured once a configure has succeeded in it
# (its stamp). One that fails takes its cache and the stamp with it, so that
# the next command configures afresh instead of building on what it left.
stamp = $(1)/.configured
configure = rm -f $(call stamp,$(1)) && \
  { cmake -S . -B $(1) -DCMAKE_BUILD_TYPE=Release $(CMAKE_FLAGS) $(2) || \
    { rm -f $(1)/CMakeCache.txt; exit 1; }; } && \
  touch $(call stamp,$(1))
# The same with the tests: their needs are found by CMake, and only what it
# did not find is installed (tools/test-deps) before it looks again.
configure-tests = $(call configure,$(1),-DBUILD_TESTS=ON $(2)) || \
  { tools/test-deps $(1)/missing-test-deps && $(call configure,$(1),-DBUILD_TESTS=ON $(2)); }

all: $(call stamp,$(BUILD))
	cmake --build $(BUILD) -j$(JOBS) --target programs

# Configured again when the build's own description changes, so that a
# target it adds is known before it is asked for; and whenever the cache is
# gone (removed by hand, say), whatever the stamp says.
$(call stamp,$(BUILD)): CMakeLists.txt tests/CMakeLists.txt src/units.txt \
  $(if $(wildcard $(BUILD)/CMakeCache.txt),,FORCE)
	$(call configure,$(BUILD))

FORCE:

run: all
	$(BUILD)/Tql25Mirvasta eval examples/input.txt examples/submission.txt $(BUILD)/report.txt
	@echo "--- $(BUILD)/report.txt"
	@cat $(BUILD)/report.txt

test:
	$(call configure-tests,$(BUILD))
	cmake --build $(BUILD) -j$(JOBS)
	ctest --test-dir $(BUILD) --output-on-failure -j$(JOBS)

# The contestants' page, build/page/Tql25Mirvasta.html, and the same
# WebAssembly evaluator for node, build/page/Tql25Mirvasta-node.js. It
# configures again first: emscripten may have been installed since.
page: $(call stamp,$(BUILD))
	$(call configure,$(BUILD)) >/dev/null
	cmake --build $(BUILD) -j$(JOBS) --target page
	@echo "written: $(BUILD)/page/Tql25Mirvasta.html and $(BUILD)/page/Tql25Mirvasta-node.js"

# The evaluator and the judge's checker as one source file each:
# build/single/Tql25Mirvasta.cpp and build/single/Tql25Mirvasta-judge.cpp.
single: $(call stamp,$(BUILD))
	cmake --build $(BUILD) -j$(JOBS) --target Tql25Mirvasta-single Tql25Mirvasta-judge-single
	@echo "written: $(BUILD)/single/Tql25Mirvasta.cpp and $(BUILD)/single/Tql25Mirvasta-judge.cpp"

# The single file built for Windows (wine), aarch64 (qemu) and with tuned
# flags, and with the arc tangent's products by splitting alone, and the
# page's WebAssembly evaluator under node: every end-to-end case and
# benchmark workload must give the native build's bytes.
cross-check: all single page $(BENCH)/workloads/a.input.txt
	python3 tools/cross_check.py --source $(BUILD)/single/Tql25Mirvasta.cpp \
	  --native $(BUILD)/Tql25Mirvasta --cases tests/e2e --workloads $(BENCH)/workloads \
	  --wasm $(BUILD)/page/Tql25Mirvasta-node.js --work $(BUILD)/cross-check

$(BENCH)/workloads/a.input.txt: bench/generate.py
	python3 bench/generate.py $(BENCH)/workloads

# The whole test suite under AddressSanitizer and UndefinedBehaviorSanitizer
# (the page's WebAssembly, and the tests that build the single files with
# other compilers and flags, which they do not reach, aside).
SANITIZE_BUILD := build-sanitize
sanitize:
	$(call configure-tests,$(SANITIZE_BUILD),-DSANITIZE=ON -DBUILD_PAGE=OFF)
	cmake --build $(SANITIZE_BUILD) -j$(JOBS)
	ctest --test-dir $(SANITIZE_BUILD) --output-on-failure -j$(JOBS) -LE compiles-other-builds

# Peak memory of the evaluator, the merge tool and the judge on a 200 MB
# submission (BENCHMARKS.md).
memory-bench: all
	cmake --build $(BUILD) -j$(JOBS) --target bench_measure
	python3 bench/memory.py --measure $(BUILD)/bench_measure --bin $(BUILD) --work $(BENCH)/memory

# The drawing's frame time at 1000 circles, and a 40 MB submission graded by
# the page against the native evaluator, in headless Chromium (BENCHMARKS.md).
page-bench: all page
	python3 bench/page_frames.py --gen $(BUILD)/Tql25Mirvasta-gen --view $(BUILD)/Tql25Mirvasta-view \
	  --work $(BENCH)/frames
	python3 bench/page_speed.py --gen $(BUILD)/Tql25Mirvasta-gen --evaluator $(BUILD)/Tql25Mirvasta \
	  --page $(BUILD)/page/Tql25Mirvasta.html --work $(BENCH)/speed

# The optimiser on published packings, many equal circles and dense inputs,
# the last against the optimiser as it stood before the work on them
# (BENCHMARKS.md).
SOLVE_REFERENCE := b06816ee84323daf55907343d0be03e18895b7c8

$(BENCH)/solve-reference/build/Tql25Mirvasta-solve:
	rm -rf $(BENCH)/solve-reference && mkdir -p $(BENCH)/solve-reference
	git archive $(SOLVE_REFERENCE) | tar -x -C $(BENCH)/solve-reference
	cmake -S $(BENCH)/solve-reference -B $(BENCH)/solve-reference/build -DCMAKE_BUILD_TYPE=Release \
	  -DBUILD_TESTS=OFF -DBUILD_PAGE=OFF
	cmake --build $(BENCH)/solve-reference/build -j$(JOBS) --target Tql25Mirvasta-solve

solve-bench: all $(BENCH)/solve-reference/build/Tql25Mirvasta-solve
	python3 bench/solve_bench.py --solver $(BUILD)/Tql25Mirvasta-solve \
	  --reference-solver $(BENCH)/solve-reference/build/Tql25Mirvasta-solve \
	  --generator $(BUILD)/Tql25Mirvasta-gen --evaluator $(BUILD)/Tql25Mirvasta --work $(BENCH)/solve

# crAtan2 against MPFR on ATAN2_ARGUMENTS random arguments, on every core.
ATAN2_ARGUMENTS := 100000000
atan2-check:
	$(call configure-tests,$(BUILD))
	cmake --build $(BUILD) -j$(JOBS) --target atan2_check
	$(BUILD)/tests/atan2_check $(ATAN2_ARGUMENTS)

# The tree built by Clang, and its tests run (the page's WebAssembly, and
# the tests that build the single files with other compilers, aside).
CLANG_BUILD := build-clang
clang:
	$(call configure-tests,$(CLANG_BUILD),-DCMAKE_CXX_COMPILER=clang++ -DBUILD_PAGE=OFF)
	cmake --build $(CLANG_BUILD) -j$(JOBS)
	ctest --test-dir $(CLANG_BUILD) --output-on-failure -j$(JOBS) -LE compiles-other-builds

# Both libFuzzer targets, FUZZ_SECONDS each, from the committed seed corpus.
FUZZ_BUILD := build-fuzz
FUZZ_SECONDS := 60
fuzz:
	CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -DCMAKE_BUILD_TYPE=Release $(CMAKE_FLAGS) -DFUZZ=ON \
	  -DBUILD_TESTS=OFF
	cmake --build $(FUZZ_BUILD) -j$(JOBS) --target fuzz_evaluation fuzz_submission
	fuzz/run $(FUZZ_BUILD) $(FUZZ_SECONDS)

# The evaluator as it stood when its scoring was complete, before the speed
# work: the reference that `make bench` times against. The same with a
# correctly rounded atan2 in place of the C library's is the reference whose
# bytes the current build must reproduce.
REFERENCE := 308f8645f75a0da3ef99f10a88e5e4b808e5342e

$(BENCH)/reference/build/Tql25Mirvasta:
	rm -rf $(BENCH)/reference && mkdir -p $(BENCH)/reference
	git archive $(REFERENCE) | tar -x -C $(BENCH)/reference
	cmake -S $(BENCH)/reference -B $(BENCH)/reference/build -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTS=OFF
	cmake --build $(BENCH)/reference/build -j$(JOBS) --target Tql25Mirvasta

$(BENCH)/correct/build/Tql25Mirvasta: $(BENCH)/reference/build/Tql25Mirvasta bench/correct_atan2.c
	mkdir -p $(BENCH)/correct
	gcc -O2 -fno-builtin -c bench/correct_atan2.c -o $(BENCH)/correct/correct_atan2.o
	cmake -S $(BENCH)/reference -B $(BENCH)/correct/build -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTS=OFF \
	  "-DCMAKE_CXX_STANDARD_LIBRARIES=$(abspath $(BENCH)/correct/correct_atan2.o) -lmpfr -lgmp -lm"
	cmake --build $(BENCH)/correct/build -j$(JOBS) --target Tql25Mirvasta

bench: all $(BENCH)/reference/build/Tql25Mirvasta $(BENCH)/correct/build/Tql25Mirvasta
	cmake --build $(BUILD) -j$(JOBS) --target micro_bench bench_measure
	python3 bench/generate.py $(BENCH)/workloads
	python3 bench/bench.py --measure $(BUILD)/bench_measure --current $(BUILD)/Tql25Mirvasta \
	  --reference $(BENCH)/reference/build/Tql25Mirvasta \
	  --correct $(BENCH)/correct/build/Tql25Mirvasta --workloads $(BENCH)/workloads
	$(BUILD)/micro_bench --benchmark_min_time=0.2

clean:
	rm -rf $(BUILD) $(BENCH) $(SANITIZE_BUILD) $(CLANG_BUILD) $(FUZZ_BUILD)
