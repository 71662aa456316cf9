# Tunevault: `make run` builds a release build and starts the player,
# `make test` builds the tests with AddressSanitizer and UBSan and runs them,
# `make bench` builds and runs the benchmarks, `make package` builds the
# Debian package. Each first installs the Debian packages it is missing.

JOBS ?= $(shell nproc)
CORPUS ?=

.PHONY: run release test bench package

release:
	@scripts/install-deps.sh run
	cmake -S . -B build/release -DCMAKE_BUILD_TYPE=Release -DTUNEVAULT_TESTS=OFF \
		-DTUNEVAULT_BENCH=OFF
	cmake --build build/release -j $(JOBS)

run: release
	@scripts/run-tunevault.sh build/release/tunevault

test:
	@scripts/install-deps.sh test
	cmake -S . -B build/test -DCMAKE_BUILD_TYPE=Debug -DTUNEVAULT_SANITIZE=ON
	cmake --build build/test -j $(JOBS)
	cd build/test && TUNEVAULT_CORPUS="$(CORPUS)" ctest --output-on-failure -j $(JOBS)

bench:
	@scripts/install-deps.sh bench
	cmake -S . -B build/bench -DCMAKE_BUILD_TYPE=Release -DTUNEVAULT_TESTS=OFF
	cmake --build build/bench -j $(JOBS)
	bench/all.sh build/bench

# A release configuration of its own, which builds neither tests nor benchmarks.
package:
	@scripts/install-deps.sh package
	cmake -S . -B build/package -DCMAKE_BUILD_TYPE=Release -DTUNEVAULT_TESTS=OFF \
		-DTUNEVAULT_BENCH=OFF
	cmake --build build/package -j $(JOBS)
	cd build/package && cpack -G DEB
