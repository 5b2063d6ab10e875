# Thin front over CMake: make run | make test | make bench | make format | make dist | make dist-check
# Missing Debian packages are installed when run as root; otherwise the install line is printed.

CMAKE ?= cmake
CTEST ?= ctest

.PHONY: all deps deps-wine32 run test test-native test-windows test-windows-i686 bench format dist dist-check clean

all: test

deps:
	@sh cmake/deps.sh

# 32-bit Wine, for the i686 build's tests only, so no other command waits on it; where it cannot
# be had, this says why and goes on.
deps-wine32: deps
	@sh cmake/deps.sh wine32

test: deps deps-wine32 test-native test-windows test-windows-i686

test-native:
	$(CMAKE) --preset native
	$(CMAKE) --build --preset native
	$(CTEST) --preset native

test-windows:
	$(CMAKE) --preset windows
	$(CMAKE) --build --preset windows
	$(CTEST) --preset windows

# The 32-bit build; where this kernel runs no 32-bit programs, only built and checked.
test-windows-i686:
	$(CMAKE) --preset windows-i686
	$(CMAKE) --build --preset windows-i686
	@sh cmake/test-windows-i686.sh $(CTEST)

run: deps
	$(CMAKE) --preset windows
	$(CMAKE) --build --preset windows
	@sh cmake/run-milda.sh build/windows

bench: deps
	$(CMAKE) --preset bench
	$(CMAKE) --build --preset bench
	./build/bench/bench/milda-bench

# Release zips for both processors and their checksums, in dist/.
dist: deps
	@sh cmake/dist.sh . dist

# Builds the last commit twice in fresh clones and compares the release files byte for byte.
dist-check: deps
	@sh cmake/dist-check.sh .

format:
	@git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf build dist
