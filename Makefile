# The commands people type; thin wrappers over CMake and CTest.
BUILD := build
JOBS := 2
MAKEFLAGS += --no-print-directory

.PHONY: all run test clean

all: $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) -j$(JOBS) --target Tql25Mirvasta Tql25Mirvasta-selftest

$(BUILD)/CMakeCache.txt:
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release

run: all
	$(BUILD)/Tql25Mirvasta eval examples/input.txt examples/submission.txt $(BUILD)/report.txt
	@echo "--- $(BUILD)/report.txt"
	@cat $(BUILD)/report.txt

test: $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) -j$(JOBS)
	ctest --test-dir $(BUILD) --output-on-failure -j$(JOBS)

clean:
	rm -rf $(BUILD)
