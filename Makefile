# Thin front over CMake: make run | make test | make bench | make format | make dist | make dist-check
# Missing Debian packages are installed when run as root; otherwise the install line is printed.

PACKAGES := cmake ninja-build make g++ git googletest libgtest-dev libbenchmark-dev clang-format \
	g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix \
	g++-mingw-w64-x86-64-win32 g++-mingw-w64-i686-win32 binutils-mingw-w64-x86-64 \
	binutils-mingw-w64-i686 wine wine64 fonts-wine fonts-ipafont-gothic xvfb xauth xdotool \
	imagemagick util-linux zip libxcursor1 libxrender1 libxrandr2 libxi6 libxinerama1 \
	libxcomposite1 libxfixes3 libxxf86vm1 libxext6 libfreetype6 libfontconfig1
# 32-bit Wine, for the i686 build's tests. It is a package of the i386 architecture, which dpkg
# must know as a foreign one before apt can see it.
PACKAGES_I386 := wine32:i386

CMAKE ?= cmake
CTEST ?= ctest

.PHONY: all deps run test test-native test-windows test-windows-i686 bench format dist dist-check clean

all: test

# 32-bit Wine only where the kernel runs 32-bit programs; elsewhere installing it would break
# 64-bit Wine as well (see cmake/runs-32bit.sh), so it is left out and the i686 tests with it.
deps:
	@packages="$(PACKAGES)"; \
	if sh cmake/runs-32bit.sh; then packages="$$packages $(PACKAGES_I386)"; \
	elif [ -x /usr/lib/wine/wine ]; then \
		echo "Warning: wine32:i386 is installed, but this kernel runs no 32-bit programs;" \
			"it stops 64-bit Wine too. Remove it: apt-get remove wine32:i386"; \
	fi; \
	missing=""; for p in $$packages; do \
		dpkg-query -W -f='$${Status}\n' $$p 2>/dev/null | grep -q '^install ok installed$$' \
			|| missing="$$missing $$p"; \
	done; \
	[ -z "$$missing" ] && exit 0; \
	add_i386=""; \
	case "$$missing" in *:i386*) \
		dpkg --print-foreign-architectures | grep -qx i386 || add_i386=yes;; \
	esac; \
	if [ "$$(id -u)" = 0 ]; then \
		echo "Installing:$$missing"; \
		if [ -n "$$add_i386" ]; then dpkg --add-architecture i386 || exit 1; fi; \
		apt-get update -q && DEBIAN_FRONTEND=noninteractive \
			apt-get install -y -q --no-install-recommends $$missing; \
	else \
		echo "Missing packages. Install them with:"; \
		if [ -n "$$add_i386" ]; then echo "  sudo dpkg --add-architecture i386"; fi; \
		echo "  sudo apt-get update"; \
		echo "  sudo apt-get install --no-install-recommends$$missing"; \
		exit 1; \
	fi

test: deps test-native test-windows test-windows-i686

test-native:
	$(CMAKE) --preset native
	$(CMAKE) --build --preset native
	$(CTEST) --preset native

test-windows:
	$(CMAKE) --preset windows
	$(CMAKE) --build --preset windows
	$(CTEST) --preset windows

# The 32-bit build, tested under 32-bit Wine in its own build folder and prefix. A kernel without
# 32-bit support can only build it and check its instructions without running it, and says so.
test-windows-i686:
	$(CMAKE) --preset windows-i686
	$(CMAKE) --build --preset windows-i686
	@if sh cmake/runs-32bit.sh; then $(CTEST) --preset windows-i686; else \
		sh tests/unit/isa_check.sh i686-w64-mingw32-objdump i686-w64-mingw32-nm \
			build/windows-i686/ai/libmilda_ai.a && \
		sh tests/e2e/imports_and_flags.sh i686-w64-mingw32-objdump \
			build/windows-i686/app/milda.exe tests/e2e/xp_imports.txt 32 && \
		echo "*** i686 tests NOT RUN: this kernel runs no 32-bit programs (32-bit emulation is" \
			"off), so 32-bit Wine cannot start. The i686 build was compiled, its computer" \
			"player checked for instructions beyond the baseline, and its executable's imports" \
			"and header flags read, only. ***"; \
	fi

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
