# Thin wrapper over CMake: every target configures and builds what it needs.
BUILD_DIR := build
GAME := $(BUILD_DIR)/tramontalia
TRANSCRIPTS := $(wildcard tests/transcripts/*.in)
# The translations, as po/LINGUAS lists them; a language's edition is
# $(GAME)-LANGUAGE.
LANGUAGES := $(shell sed -n 's/^\([a-z][a-zA-Z_]*\).*/\1/p' po/LINGUAS)

.PHONY: all build play test transcripts clean sanitize coverage clang fuzz analyse check \
        install map map-picture bench bench-first-play web web-if-possible web-toolchain dist deb release \
        cover book pot po

all: build

# A preset's tree counts as configured once `cmake --preset` has succeeded
# there, and not before: CMake leaves its cache behind when a configure fails,
# so the stamp, not the cache, tells the next make whether to run it again.
# The default preset's tree is build/ itself; each other one has its folder.
CONFIGURED := .configured
$(BUILD_DIR)/$(CONFIGURED): CMakePresets.json
	cmake --preset default
	@touch $@

$(BUILD_DIR)/%/$(CONFIGURED): CMakePresets.json
	cmake --preset $*
	@touch $@

build: $(BUILD_DIR)/$(CONFIGURED)
	cmake --build --preset default -j

# The edition of the player's language, as the locale says, where the game
# has it (tools/pick_language.sh); else the Spanish one that fits the terminal:
# the UTF-8 edition on a UTF-8 terminal, the ISO-8859-1 one elsewhere.
# Builds that edition alone, not the tests, so that a first game starts soon;
# quietly (the log is shown only if the build fails), then plays.
play: $(BUILD_DIR)/$(CONFIGURED)
	@language=$$(tools/pick_language.sh $(LANGUAGES)); \
	if [ "$$language" != es ]; then edition=$(GAME)-$$language; \
	elif locale charmap 2>/dev/null | grep -qix 'utf-\?8'; then edition=$(GAME)-utf8; else edition=$(GAME); fi; \
	cmake --build --preset default -j --target $$(basename $$edition) > $(BUILD_DIR)/build.log 2>&1 || \
	  { cat $(BUILD_DIR)/build.log; exit 1; }; \
	exec $$edition

# One language's edition, on any UTF-8 terminal: make play-LANGUAGE, as po/LINGUAS names it.
play-%: $(BUILD_DIR)/$(CONFIGURED)
	@cmake --build --preset default -j --target tramontalia-$* > $(BUILD_DIR)/build.log 2>&1 || \
	  { cat $(BUILD_DIR)/build.log; exit 1; }
	@exec $(GAME)-$*

# The browser edition joins the tests where its toolchain is installed;
# elsewhere its tests report that they were skipped. Each part of the
# toolchain, a command or a file, with the Debian packages that bring it.
WASM_BUILTINS := $(firstword $(wildcard /usr/lib/llvm-*/lib/clang/*/lib/wasi/libclang_rt.builtins-wasm32.a) \
                   libclang_rt.builtins-wasm32.a)
WEB_TOOLCHAIN := clang++=clang wasm-ld=lld node=nodejs dot=graphviz esbuild=esbuild rsvg-convert=librsvg2-bin \
                 /usr/lib/wasm32-wasi/libc.a=wasi-libc \
                 /usr/include/wasm32-wasi/c++/v1=libc++-14-dev-wasm32,libc++abi-14-dev-wasm32 \
                 $(WASM_BUILTINS)=libclang-rt-14-dev-wasm32
part = $(firstword $(subst =, ,$(1)))
packages = $(subst $(comma), ,$(lastword $(subst =, ,$(1))))
comma := ,
WEB_MISSING_PARTS = $(foreach need,$(WEB_TOOLCHAIN),\
                      $(if $(or $(wildcard $(call part,$(need))),$(shell command -v $(call part,$(need)))),,$(need)))
WEB_MISSING = $(foreach need,$(WEB_MISSING_PARTS),$(call part,$(need)))

web-if-possible:
	@if [ -z "$(strip $(WEB_MISSING))" ]; then $(MAKE) --no-print-directory web; \
	else echo "not building the browser edition, missing: $(strip $(WEB_MISSING))"; fi

# CTEST_ARGS narrows the run, as the release check does for the tarball.
test: build web-if-possible
	ctest --preset default -j 2 $(CTEST_ARGS)

# The browser edition: build/web/tramontalia.html, one self-contained page,
# build/web/site/, the same page as a site that installs as an app and plays
# offline, and build/web/tramontalia.mjs, the same module as a Node command
# (needs clang with the wasm32-wasi target, lld, wasi-libc, Node.js, Graphviz,
# esbuild and rsvg-convert). Without them, it stops before CMake, naming what
# to install.
web-toolchain:
	@[ -z "$(strip $(WEB_MISSING))" ] || { echo "make web: missing $(strip $(WEB_MISSING)); install" \
	  "on Debian: apt-get install $(strip $(foreach need,$(WEB_MISSING_PARTS),$(call packages,$(need))))" \
	  "(or everything the build needs, as debian/control lists it: apt-get build-dep .)" >&2; \
	  exit 1; }

$(BUILD_DIR)/web/$(CONFIGURED): | web-toolchain

web: web-toolchain $(BUILD_DIR)/web/$(CONFIGURED)
	cmake --build --preset web -j

# The gamebooks: build/book/tramontalia.epub and, in each translation's
# language, tramontalia-LANGUAGE.epub, EPUB 3 written from the story tables (needs Node.js
# and rsvg-convert, as make web does).
book: $(BUILD_DIR)/$(CONFIGURED)
	@command -v node > /dev/null && command -v rsvg-convert > /dev/null || { echo "make book: missing" \
	  "node or rsvg-convert; install on Debian: apt-get install nodejs librsvg2-bin" >&2; exit 1; }
	@cmake --preset default > /dev/null  # a tree configured before the book knows no target for it
	cmake --build --preset default -j --target book

# The translators' template, po/tramontalia.pot, written anew from the story's
# tables and the page's words after a change of their texts (needs gettext
# and Node.js); then `make po` brings each language's
# PO file up to date with it (a changed text comes back marked fuzzy, which
# the build refuses until a translator has looked at it) and the manual
# page's translations with the Spanish page (needs gettext and po4a).
pot: $(BUILD_DIR)/$(CONFIGURED)
	cmake --build --preset default -j --target pot
	tools/write_pot.sh $(BUILD_DIR)/pot > $(BUILD_DIR)/tramontalia.pot
	mv $(BUILD_DIR)/tramontalia.pot po/tramontalia.pot

po: pot
	for po in po/*.po; do msgmerge --quiet --update --no-wrap --backup=none $$po po/tramontalia.pot || exit 1; done
	sed 's/LANGUAGES/$(LANGUAGES)/' po/man/po4a.cfg > $(BUILD_DIR)/po4a.cfg
	po4a --no-translations $(BUILD_DIR)/po4a.cfg

# Rewrites every transcript expectation from the current game, for review
# with `git diff tests/transcripts` after an intended change of text. A
# language whose bytes are pinned has a folder, tests/transcripts/LANGUAGE,
# whose inputs are the Spanish ones' answers as they are given in it, option
# by option.
transcripts: build
	@for input in $(TRANSCRIPTS); do \
	  cmake -DGAME=$(GAME) -DINPUT=$$input -DUPDATE=ON -P tests/transcript.cmake || exit 1; \
	  for language in $(LANGUAGES); do \
	    [ -d tests/transcripts/$$language ] || continue; \
	    translated=tests/transcripts/$$language/$$(basename $$input); \
	    $(BUILD_DIR)/translate_answers $$language < $$input > $$translated || exit 1; \
	    cmake -DGAME=$(GAME)-$$language -DINPUT=$$translated -DUPDATE=ON -P tests/transcript.cmake || exit 1; \
	  done; \
	done
	@git status --short tests/transcripts

# The whole test suite under the address and undefined-behaviour sanitizers.
sanitize: $(BUILD_DIR)/sanitize/$(CONFIGURED)
	cmake --build --preset sanitize -j
	ctest --preset sanitize -j 2

# Line coverage of the game; fails below 100% for console/ and engine/ and
# below 95% for the whole game.
COVERAGE_FILTERS := --filter 'console/' --filter 'engine/' --filter 'story/' --filter 'main\.cpp'
coverage: $(BUILD_DIR)/coverage/$(CONFIGURED)
	cmake --build --preset coverage -j
	find $(BUILD_DIR)/coverage -name '*.gcda' -delete
	ctest --preset coverage -j 2
	gcovr -r . $(BUILD_DIR)/coverage $(COVERAGE_FILTERS) --fail-under-line 95
	gcovr -r . $(BUILD_DIR)/coverage --filter 'console/' --filter 'engine/' --fail-under-line 100

# The game and its tests built and run with Clang instead of GCC.
clang: $(BUILD_DIR)/clang/$(CONFIGURED)
	cmake --build --preset clang -j
	ctest --preset clang -j 2

# Plays arbitrary input for FUZZ_SECONDS, starting from the transcript inputs;
# then, for FUZZ_SECONDS more, plays it in both Spanish editions, which must
# tell the same story, and in every translation, which must take the same course,
# starting from the transcripts and a few long accented answers.
FUZZ_SECONDS ?= 60
FUZZ := $(BUILD_DIR)/fuzz
fuzz: $(FUZZ)/$(CONFIGURED)
	cmake --build --preset fuzz -j --target tramontalia_fuzz tramontalia_fuzz_editions
	mkdir -p $(FUZZ)/corpus $(FUZZ)/corpus-editions
	cp tests/transcripts/*.in $(FUZZ)/corpus/
	cp tests/transcripts/*.in $(FUZZ)/corpus-editions/
	for n in 127 128 253 254 300; do { printf '\n\n\n'; head -c $$n /dev/zero | tr '\0' '\361'; \
	  printf '\n\t\341\240\n\n\n\na\n'; } > $(FUZZ)/corpus-editions/accented-$$n; done
	$(FUZZ)/tramontalia_fuzz -max_total_time=$(FUZZ_SECONDS) -timeout=10 -print_final_stats=1 $(FUZZ)/corpus
	$(FUZZ)/tramontalia_fuzz_editions -max_total_time=$(FUZZ_SECONDS) -timeout=10 -print_final_stats=1 \
	  $(FUZZ)/corpus-editions

# clang-tidy with the checked-in .clang-tidy, and cppcheck (a plain loop is
# often clearer than an algorithm in the compile-time checks, so that advice is off).
GAME_SOURCES := main.cpp $(wildcard console/*.cpp engine/*.cpp) story/story.cpp
# Through the Clang tree's compile commands, which hold each source once for
# each edition it builds: three there, against the default tree's every
# language.
analyse: $(BUILD_DIR)/clang/$(CONFIGURED)
	cmake --build --preset clang -j
	clang-tidy -p $(BUILD_DIR)/clang --quiet $(GAME_SOURCES)
	cppcheck --enable=warning,style,performance,portability --std=c++20 --error-exitcode=1 \
	  --inline-suppr --suppress=useStlAlgorithm --quiet -I . main.cpp console engine story fuzz

# Everything CI runs after the tests.
check: sanitize clang analyse coverage fuzz

clean:
	rm -rf $(BUILD_DIR)

# Installs the editions and the manual page under PREFIX, staged under
# DESTDIR if given, as packagers expect.
PREFIX ?= /usr/local

install: build
	DESTDIR="$(DESTDIR)" cmake --install $(BUILD_DIR) --prefix "$(PREFIX)"

# Redraws the story map from the story tables; review and commit
# docs/story-map.dot (the graph, which a test compares) and its drawing.
map: build
	$(BUILD_DIR)/story_map > docs/story-map.dot
	dot -Tsvg -o docs/story-map.svg docs/story-map.dot

# Redraws docs/map.png, docs/story-map.md's picture of the player's map, from the
# real page after a few known games (headless Chromium, as the tests drive it).
map-picture: web
	WEB_PAGE=$(BUILD_DIR)/web/tramontalia.html TRANSCRIPT_DIR=tests/transcripts \
	  node web/tools/map_picture.mjs docs/map.png

# Speed and size of the optimised game against cat and a minimal C program,
# side by side on this machine (needs hyperfine, valgrind and GNU time), then
# of the browser edition in Chromium and Firefox ESR, the book's figures, then
# of a first game from a fresh clone: written, with the machine, the date and
# the commit, to docs/benchmarks.md, which only a whole run replaces.
bench: build web-if-possible
	LANGUAGES="$(LANGUAGES)" bench/report.sh $(GAME) $(if $(strip $(WEB_MISSING)),,$(BUILD_DIR)/web/tramontalia.html) \
	  > $(BUILD_DIR)/benchmarks.md
	mv $(BUILD_DIR)/benchmarks.md docs/benchmarks.md

# The time from a fresh clone's `make play` to the first pause, against a
# full `make build` from another fresh clone.
bench-first-play:
	bench/first-play.sh

# Releases, from the committed tree, into build/release/: the source tarball
# (`make dist`), the Debian source and binary packages built from it (`make
# deb`), the web page, its iFiction record, its site's zip and the book as the
# package build made them, the covers, and SHA256SUMS. The version is the CMake
# project's; the package's is debian/changelog's, whose date dates the build.
# The debug symbols' package goes along, as the .changes lists it.
VERSION := $(shell sed -n 's/^project.tramontalia VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
DEB_VERSION = $(shell dpkg-parsechangelog -S Version 2>/dev/null)
RELEASE_DIR := $(BUILD_DIR)/release
TARBALL := tramontalia-$(VERSION).tar.gz
DEB_DIR := $(BUILD_DIR)/deb
DEB_SOURCE := $(DEB_DIR)/tramontalia-$(VERSION)
DEB_FILES = tramontalia_$(VERSION).orig.tar.gz tramontalia_$(DEB_VERSION).dsc \
            tramontalia_$(DEB_VERSION).debian.tar.xz tramontalia_$(DEB_VERSION)_$(ARCH).deb \
            tramontalia-dbgsym_$(DEB_VERSION)_$(ARCH).deb \
            tramontalia_$(DEB_VERSION)_$(ARCH).buildinfo tramontalia_$(DEB_VERSION)_$(ARCH).changes
ARCH = $(shell dpkg --print-architecture)
COVERS := tramontalia-cover tramontalia-cover-square

dist:
	@test -z "$$(git status --porcelain --untracked-files=no)" || \
	  echo "dist: uncommitted changes are left out of $(TARBALL)" >&2
	mkdir -p $(RELEASE_DIR)
	git archive --format=tar.gz --prefix=tramontalia-$(VERSION)/ -o $(RELEASE_DIR)/$(TARBALL) HEAD

# The tarball itself is the upstream tarball, byte for byte; the build's log
# is shown only if it fails.
deb: dist
	@case "$(DEB_VERSION)" in $(VERSION)-*) ;; *) echo "deb: debian/changelog's version" \
	  "'$(DEB_VERSION)' is not $(VERSION)-REVISION, as CMakeLists.txt's project() says" >&2; exit 1 ;; esac
	rm -rf $(DEB_DIR)
	mkdir -p $(DEB_DIR)
	cp $(RELEASE_DIR)/$(TARBALL) $(DEB_DIR)/tramontalia_$(VERSION).orig.tar.gz
	tar -xzf $(RELEASE_DIR)/$(TARBALL) -C $(DEB_DIR)
	cd $(DEB_SOURCE) && env -u MAKEFLAGS -u MFLAGS -u MAKELEVEL dpkg-buildpackage -us -uc \
	  > ../build.log 2>&1 || { tail -n 60 ../build.log; exit 1; }
	cd $(DEB_DIR) && cp $(DEB_FILES) $(CURDIR)/$(RELEASE_DIR)/

# The covers: the title and the icon on the night blue the icon was drawn
# for, drawn from the tarball's SVGs, the book's tall at 1,600 x 2,560 pixels
# and the catalogues' square at 960 x 960; the same librsvg draws them again
# byte for byte.
COVER_SOURCE := $(BUILD_DIR)/cover/tramontalia-$(VERSION)
cover: dist
	rm -rf $(BUILD_DIR)/cover && mkdir -p $(BUILD_DIR)/cover
	tar -xzf $(RELEASE_DIR)/$(TARBALL) -C $(BUILD_DIR)/cover tramontalia-$(VERSION)/packaging \
	  tramontalia-$(VERSION)/tools/draw_cover.sh
	for cover in $(COVERS); do \
	  $(COVER_SOURCE)/tools/draw_cover.sh $(COVER_SOURCE)/packaging $$cover $(RELEASE_DIR)/$$cover.png || exit 1; \
	done

# The site, zipped with index.html at its root for a game portal or any
# static host: the same bytes from the same commit (the changelog's date on
# every file, fixed modes, sorted names, no extra attributes).
WEB_ZIP := tramontalia-web.zip
DEB_DATE = $(shell dpkg-parsechangelog -S Timestamp)

# The books, too, are the package build's, which builds them but does not ship them.
BOOKS := tramontalia.epub $(LANGUAGES:%=tramontalia-%.epub)
BOOK_DIR = $(DEB_SOURCE)/obj-$(shell dpkg-architecture -qDEB_HOST_GNU_TYPE)/book

# Each page and its iFiction record: the story's own language's and each
# translation's.
PAGES := tramontalia $(LANGUAGES:%=tramontalia-%)

release: deb cover
	cp $(foreach page,$(PAGES),$(DEB_SOURCE)/build/web/$(page).html $(DEB_SOURCE)/build/web/$(page).iFiction) \
	  $(addprefix $(BOOK_DIR)/,$(BOOKS)) $(RELEASE_DIR)/
	rm -rf $(BUILD_DIR)/web-zip $(RELEASE_DIR)/$(WEB_ZIP)
	cp -r $(DEB_SOURCE)/build/web/site $(BUILD_DIR)/web-zip
	chmod 644 $(BUILD_DIR)/web-zip/* && touch -d @$(DEB_DATE) $(BUILD_DIR)/web-zip/*
	cd $(BUILD_DIR)/web-zip && LC_ALL=C TZ=UTC zip -q -X -9 $(CURDIR)/$(RELEASE_DIR)/$(WEB_ZIP) $$(LC_ALL=C ls)
	cd $(RELEASE_DIR) && sha256sum $(TARBALL) $(DEB_FILES) $(PAGES:=.html) $(PAGES:=.iFiction) \
	  $(WEB_ZIP) $(COVERS:=.png) $(BOOKS) > SHA256SUMS
	@cat $(RELEASE_DIR)/SHA256SUMS
