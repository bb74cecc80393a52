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

# Installs the editions and the manual page under PREFIX, staged under
# DESTDIR if given, as packagers expect.
PREFIX ?= /usr/local
.PHONY: install map

install: build
	DESTDIR="$(DESTDIR)" cmake --install $(BUILD_DIR) --prefix "$(PREFIX)"

# Redraws the story map from the story tables; commit docs/story-map.svg.
map: build
	$(BUILD_DIR)/story_map > $(BUILD_DIR)/story-map.dot
	dot -Tsvg -o docs/story-map.svg $(BUILD_DIR)/story-map.dot
