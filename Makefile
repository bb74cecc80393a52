# Thin wrapper over CMake: every target configures and builds what it needs.
BUILD_DIR := build
GAME := $(BUILD_DIR)/tramontalia
TRANSCRIPTS := $(wildcard tests/transcripts/*.in)

.PHONY: all build play test transcripts clean

all: build

$(BUILD_DIR)/CMakeCache.txt:
	cmake --preset default

build: $(BUILD_DIR)/CMakeCache.txt
	cmake --build --preset default -j

play: build
	@$(GAME)

test: build
	ctest --preset default -j 2

# Rewrites every transcript expectation from the current game, for review
# with `git diff tests/transcripts` after an intended change of text.
transcripts: build
	@for input in $(TRANSCRIPTS); do \
	  cmake -DGAME=$(GAME) -DINPUT=$$input -DUPDATE=ON -P tests/transcript.cmake || exit 1; \
	done
	@git status --short tests/transcripts

clean:
	rm -rf $(BUILD_DIR)

# Speed and size of the optimised game against cat and a minimal C program,
# side by side on this machine (needs hyperfine, valgrind and GNU time).
.PHONY: bench
bench: build
	bench/run.sh $(GAME)
