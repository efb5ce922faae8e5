# The two commands of the README. Both install what is missing, then build incrementally.
BUILD ?= build
JOBS  ?= $(shell nproc)

.PHONY: play test deps configure build clean

play: build
	cd $(BUILD)/run && ./derevarez

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

deps:
	@./scripts/install-deps.sh

configure: deps
	@test -f $(BUILD)/CMakeCache.txt || cmake -S . -B $(BUILD) $(CMAKE_FLAGS)

build: configure
	cmake --build $(BUILD) -j $(JOBS)

clean:
	rm -rf $(BUILD)
