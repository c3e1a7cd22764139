# make run   installs what is missing, builds, and starts the game
# make test  installs what is missing, builds, and runs every test: the normal
#            build, the sanitizer build and a bounded fuzz run
# make bench builds and runs the benchmarks

BUILD      ?= build
JOBS       ?= $(shell nproc)
CMAKE_FLAGS = -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo

.PHONY: all setup build run test test-normal test-sanitize test-fuzz bench clean

all: build

setup:
	@scripts/setup.sh

build: setup
	@cmake -S . -B $(BUILD) $(CMAKE_FLAGS) >/dev/null
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	@scripts/run.sh $(BUILD)/app/velunto

test: setup
	@scripts/test.sh all

test-normal: setup
	@scripts/test.sh normal

test-sanitize: setup
	@scripts/test.sh sanitize

test-fuzz: setup
	@scripts/test.sh fuzz

bench: setup
	@scripts/bench.sh

clean:
	rm -rf build build-sanitize build-fuzz build-bench
