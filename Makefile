# Tunevault: `make run` builds a release build and starts the player,
# `make test` builds the tests with AddressSanitizer and UBSan and runs them,
# `make bench` builds and runs the benchmarks. Each first installs missing
# Debian packages.

JOBS ?= $(shell nproc)
CORPUS ?=

.PHONY: run release test bench deps

deps:
	@scripts/install-deps.sh

release: deps
	cmake -S . -B build/release -DCMAKE_BUILD_TYPE=Release
	cmake --build build/release -j $(JOBS) --target tunevault

run: release
	@scripts/run-tunevault.sh build/release/tunevault

test: deps
	cmake -S . -B build/test -DCMAKE_BUILD_TYPE=Debug -DTUNEVAULT_SANITIZE=ON
	cmake --build build/test -j $(JOBS)
	cd build/test && TUNEVAULT_CORPUS="$(CORPUS)" ctest --output-on-failure -j $(JOBS)

bench: deps
	cmake -S . -B build/release -DCMAKE_BUILD_TYPE=Release
	cmake --build build/release -j $(JOBS)
	bench/inprocess.sh build/release/bench/tunevault_bench
	bench/songmemory.sh build/release/bench/songmemory
	bench/startup.sh build/release/tunevault build/release/bench/mapwatch build/release/bench/floorwindow
	bench/playing.sh build/release/tunevault build/release/bench/tickwindow
