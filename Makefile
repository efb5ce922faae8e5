# The two commands of the README. Both install what is missing, then build incrementally.
BUILD ?= build
JOBS  ?= $(shell nproc)

.PHONY: play test test-compat deps deps-play deps-web configure build clean asan fuzz bench figures valgrind package mutants web web-serve web-test web-figures

# Playing needs only the game: the packages to build it, the program and its run folder. A
# build folder configured by `make test` keeps its tests; `make play` just does not build them.
play: deps-play
	@test -f $(BUILD)/CMakeCache.txt || cmake -S . -B $(BUILD) -DBUILD_TESTING=OFF $(CMAKE_FLAGS)
	cmake --build $(BUILD) --target run_folder -j $(JOBS)
	cd $(BUILD)/run && ./derevarez

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

# The same suites with the game and the tests on the SDL 1.2 compatibility layer over SDL 2
# (Debian's libsdl1.2-compat), which most other distributions ship instead of the classic library.
SDL12_COMPAT ?= /usr/lib/x86_64-linux-gnu/sdl12-compat

test-compat: build
	@test -e $(SDL12_COMPAT)/libSDL-1.2.so.0 || { echo "missing $(SDL12_COMPAT): run scripts/install-deps.sh"; exit 1; }
	cd $(BUILD) && LD_LIBRARY_PATH=$(SDL12_COMPAT) ctest --output-on-failure -j $(JOBS)

deps-play:
	@./scripts/install-deps.sh play

deps:
	@./scripts/install-deps.sh

deps-web:
	@./scripts/install-deps.sh web

# Everything, tests and benchmarks included; switches them on in a folder `make play` made.
configure: deps
	@grep -qs '^BUILD_TESTING:BOOL=ON' $(BUILD)/CMakeCache.txt || \
		cmake -S . -B $(BUILD) -DBUILD_TESTING=ON $(CMAKE_FLAGS)

build: configure
	cmake --build $(BUILD) -j $(JOBS)

clean:
	rm -rf $(BUILD)

# The whole test suite again, built by clang with AddressSanitizer and UndefinedBehaviorSanitizer
# in its own folder; any finding fails the test that made it.
ASAN_BUILD ?= build-asan

asan: deps
	@test -f $(ASAN_BUILD)/CMakeCache.txt || CC=clang CXX=clang++ cmake -S . -B $(ASAN_BUILD) -DSANITIZE=ON $(CMAKE_FLAGS)
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	cd $(ASAN_BUILD) && ctest --output-on-failure -j $(JOBS)

# Every fuzz target (clang, libFuzzer, in build-fuzz/) for FUZZ_SECONDS each; see fuzz/run.sh.
FUZZ_SECONDS ?= 300

fuzz: deps
	./fuzz/run.sh $(FUZZ_SECONDS)

# The benchmarks of the cost of a frame, headless (bench/, docs/performance.md). Pass Google
# Benchmark options in BENCH_FLAGS, e.g. BENCH_FLAGS=--benchmark_filter=move.
BENCH_FLAGS ?=

bench: configure
	cmake --build $(BUILD) --target game_bench -j $(JOBS)
	$(BUILD)/bench/game_bench $(BENCH_FLAGS)

# The process figures under Xvfb: start-up time, idle CPU, peak memory (bench/process_figures.sh).
figures: configure
	cmake --build $(BUILD) --target derevarez game_bench idle_loop -j $(JOBS)
	./bench/process_figures.sh $(BUILD)

# The end-to-end Play test (a whole session, under Xvfb) with the game under valgrind's memcheck.
valgrind: build
	./tests/reliability/valgrind_session.sh $(BUILD)/run

# A Debian package of the game (CPack, in build-package/), installed under /usr:
# apt install ./build-package/derevarez_*.deb
PACKAGE_BUILD ?= build-package

package: deps
	@test -f $(PACKAGE_BUILD)/CMakeCache.txt || cmake -S . -B $(PACKAGE_BUILD) -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr -DBUILD_TESTING=OFF $(CMAKE_FLAGS)
	cmake --build $(PACKAGE_BUILD) -j $(JOBS)
	cd $(PACKAGE_BUILD) && cpack -G DEB

# Plants the single-line faults of tools/mutants/faults.txt one at a time in a scratch copy of
# the tree (MUTANTS_WORK, kept between runs), and tells which ones the tests catch. Slow: it
# runs at low priority; pass e.g. MUTANTS_FLAGS=--only=3,7 to try a few.
MUTANTS_WORK ?= /tmp/derevarez-mutants
MUTANTS_FLAGS ?=

mutants: deps
	nice -n 19 python3 tools/mutants/mutants.py --work $(MUTANTS_WORK) $(MUTANTS_FLAGS)

# The game in a web browser (web/): emscripten compiles the same sources into WEB_SITE, a folder
# of plain files (index.html, derevarez.js, .wasm, .data) for any static web server, from its
# own CMake folder WEB_BUILD. Debian's emscripten runs its JavaScript tools on the system's
# Node.js with Debian's own modules.
WEB_BUILD ?= build-emscripten
WEB_SITE ?= build-web
WEB_PORT ?= 8032
WEB_ENV = NODE_PATH=/usr/share/nodejs
# Debian's python3, whatever python3 comes first on the PATH, for its websocket module.
PYTHON3 = /usr/bin/python3

web: deps-web
	@test -f $(WEB_BUILD)/CMakeCache.txt || $(WEB_ENV) emcmake cmake -S . -B $(WEB_BUILD) -DCMAKE_BUILD_TYPE=Release -DWEB_SITE_DIR=$(CURDIR)/$(WEB_SITE) $(CMAKE_FLAGS)
	$(WEB_ENV) cmake --build $(WEB_BUILD) -j $(JOBS)

# A local try: the page at http://127.0.0.1:$(WEB_PORT)/ until Ctrl-C.
web-serve: web
	@echo "DERevarez: open http://127.0.0.1:$(WEB_PORT)/ (Ctrl-C stops the server)"
	$(PYTHON3) -m http.server $(WEB_PORT) --bind 127.0.0.1 --directory $(WEB_SITE)

# The page end to end in headless Chromium (tests/web/browser_test.py), its main menu compared
# with the desktop's, which the desktop's end-to-end Play test saves under Xvfb.
web-test: web build
	rm -rf $(WEB_BUILD)/desktop
	cd $(BUILD) && E2E_SCREENSHOTS=$(CURDIR)/$(WEB_BUILD)/desktop ctest -R '^Play\.ABoundKey' --output-on-failure
	$(PYTHON3) tests/web/browser_test.py $(WEB_SITE) $(WEB_BUILD)/desktop/main_menu.png $(WEB_BUILD)

# The page's figures for docs/performance.md: its compressed size, the time from loading it to
# the first menu picture, and the CPU a tab takes at the menu (bench/web_figures.py).
web-figures: web
	$(PYTHON3) bench/web_figures.py $(WEB_SITE)
