# The two commands of the README: `make run` and `make test`. Both install what is missing first.
BUILD  ?= build
NATIVE := $(BUILD)/native
WIN    := $(BUILD)/win
JOBS   ?= $(shell nproc 2>/dev/null || echo 2)

.PHONY: all deps build native test test-native test-wine run bench clean

all: build

deps:
	@tools/install-deps

native: deps
	cmake -S . -B $(NATIVE) -DVELMARIN_NATIVE=ON -DCMAKE_BUILD_TYPE=Debug
	cmake --build $(NATIVE) -j $(JOBS)

build: deps
	cmake -S . -B $(WIN) --toolchain cmake/mingw-w64.cmake -DCMAKE_BUILD_TYPE=Release
	cmake --build $(WIN) -j $(JOBS)

test-native: native
	ctest --test-dir $(NATIVE) --output-on-failure

test-wine: build
	tools/wine-tests $(WIN)

test: test-native test-wine

run: build
	tools/run-velmarin $(WIN)

bench: build
	tools/run-bench $(WIN)

clean:
	rm -rf $(BUILD)
