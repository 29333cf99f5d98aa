# Thin wrappers over scripts/ and CMake. See README.md.
BUILD      ?= build
FUZZ_BUILD ?= build-fuzz
BENCH_BUILD ?= build-bench
FUZZ_SECONDS ?= 60
CMAKE_FLAGS ?=
ARGS ?=

.PHONY: all deps build run test fuzz bench screenshots clean

all: build

deps:
	scripts/install-deps.sh

$(BUILD)/build.ninja:
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CMAKE_FLAGS)

build: deps $(BUILD)/build.ninja
	cmake --build $(BUILD)

run: build
	$(BUILD)/bin/zephlora $(ARGS)

test: build
	ctest --test-dir $(BUILD) --output-on-failure -j 2 --timeout 600

fuzz: deps
	CC=clang CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZEPH_FUZZ=ON
	cmake --build $(FUZZ_BUILD)
	scripts/run-fuzzers.sh $(FUZZ_BUILD) $(FUZZ_SECONDS)

bench: deps
	cmake -S . -B $(BENCH_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release -DZEPH_BENCH=ON
	cmake --build $(BENCH_BUILD)
	scripts/run-bench.sh $(BENCH_BUILD)

screenshots: build
	scripts/screenshots.sh $(BUILD)

clean:
	rm -rf $(BUILD) $(FUZZ_BUILD) $(BENCH_BUILD)
