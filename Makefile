# Thin front over CMake: make run | make test | make bench | make format | make dist | make dist-check
# | make icon. Missing Debian packages are installed when run as root; otherwise the install line
# is printed. Every target that builds, tests or runs waits for them, also under make -j.

CMAKE ?= cmake
CTEST ?= ctest

.PHONY: all deps deps-wine32 run test test-native test-windows test-windows-i686 bench format dist \
	dist-check icon clean

all: test

deps:
	@sh cmake/deps.sh

# 32-bit Wine, for the i686 build's tests only, so no other command waits on it (but make test's
# other builds, below); where it cannot be had, this says why and goes on.
deps-wine32: deps
	@sh cmake/deps.sh wine32

test: test-native test-windows test-windows-i686

# Under make -j test, 32-bit Wine goes in before the other builds start rather than beside them:
# apt may update libraries that a compiler or a Wine suite is using.
ifneq ($(filter all test,$(or $(MAKECMDGOALS),all)),)
test-native test-windows: deps-wine32
endif

# The two Wine suites take turns under make -j: their waits for windows and moves have deadlines
# of a few seconds, which a second suite beside them on a small machine could overrun.
WINE_SUITE = flock build/wine-suites.lock

test-native: deps
	$(CMAKE) --preset native
	$(CMAKE) --build --preset native
	$(CTEST) --preset native

test-windows: deps
	$(CMAKE) --preset windows
	$(CMAKE) --build --preset windows
	$(WINE_SUITE) $(CTEST) --preset windows

# The 32-bit build; where this kernel runs no 32-bit programs, only built and checked.
test-windows-i686: deps-wine32
	$(CMAKE) --preset windows-i686
	$(CMAKE) --build --preset windows-i686
	@$(WINE_SUITE) sh cmake/test-windows-i686.sh $(CTEST)

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

# Redraws res/milda.ico (ImageMagick draws it, icoutils packs it); nothing else needs icoutils.
icon:
	@sh cmake/deps.sh icon
	@sh tools/make-icon.sh res/milda.ico

format:
	@git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf build dist
