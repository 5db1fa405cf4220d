# The commands people type; thin wrappers over CMake and CTest.
BUILD := build
BENCH := build-bench
JOBS := 2
MAKEFLAGS += --no-print-directory

.PHONY: all run test page single cross-check sanitize fuzz bench solve-bench atan2-check clean

TOOLS := Tql25Mirvasta-selftest Tql25Mirvasta-gen Tql25Mirvasta-view Tql25Mirvasta-solve \
  Tql25Mirvasta-merge Tql25Mirvasta-judge

# A configure that fails takes its cache with it, so that the next command
# starts afresh instead of failing on what the last one left.
configure = cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release $(1) || \
  { rm -f $(BUILD)/CMakeCache.txt; exit 1; }

all: $(BUILD)/Makefile
	cmake --build $(BUILD) -j$(JOBS) --target Tql25Mirvasta $(TOOLS)

$(BUILD)/Makefile:
	$(call configure,)

run: all
	$(BUILD)/Tql25Mirvasta eval examples/input.txt examples/submission.txt $(BUILD)/report.txt
	@echo "--- $(BUILD)/report.txt"
	@cat $(BUILD)/report.txt

# The tests' own needs are looked for here only (tools/test-deps).
test:
	tools/test-deps
	$(call configure,-DBUILD_TESTS=ON)
	cmake --build $(BUILD) -j$(JOBS)
	ctest --test-dir $(BUILD) --output-on-failure -j$(JOBS)

# The contestants' page, build/page/Tql25Mirvasta.html, and the same
# WebAssembly evaluator for node, build/page/Tql25Mirvasta-node.js.
page: $(BUILD)/Makefile
	cmake --build $(BUILD) -j$(JOBS) --target page
	@echo "written: $(BUILD)/page/Tql25Mirvasta.html and $(BUILD)/page/Tql25Mirvasta-node.js"

# The evaluator as one source file: build/single/Tql25Mirvasta.cpp.
single: $(BUILD)/Makefile
	cmake --build $(BUILD) -j$(JOBS) --target Tql25Mirvasta-single
	@echo "written: $(BUILD)/single/Tql25Mirvasta.cpp"

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
# (the page's WebAssembly, which they do not reach, aside).
SANITIZE_BUILD := build-sanitize
sanitize:
	tools/test-deps
	cmake -S . -B $(SANITIZE_BUILD) -DCMAKE_BUILD_TYPE=Release -DSANITIZE=ON -DBUILD_TESTS=ON \
	  -DBUILD_PAGE=OFF
	cmake --build $(SANITIZE_BUILD) -j$(JOBS)
	ctest --test-dir $(SANITIZE_BUILD) --output-on-failure -j$(JOBS)

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
	tools/test-deps
	$(call configure,-DBUILD_TESTS=ON)
	cmake --build $(BUILD) -j$(JOBS) --target atan2_check
	$(BUILD)/tests/atan2_check $(ATAN2_ARGUMENTS)

# Both libFuzzer targets, FUZZ_SECONDS each, from the committed seed corpus.
FUZZ_BUILD := build-fuzz
FUZZ_SECONDS := 60
fuzz:
	CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -DCMAKE_BUILD_TYPE=Release -DFUZZ=ON -DBUILD_TESTS=OFF
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
	rm -rf $(BUILD) $(BENCH) $(SANITIZE_BUILD) $(FUZZ_BUILD)
