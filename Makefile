# Thin front over CMake: make run | make test | make bench | make format | make dist | make dist-check
# Missing Debian packages are installed when run as root; otherwise the install line is printed.

PACKAGES := cmake ninja-build make g++ git googletest libgtest-dev libbenchmark-dev clang-format \
	g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix binutils-mingw-w64-x86-64 \
	binutils-mingw-w64-i686 wine wine64 fonts-wine fonts-ipafont-gothic xvfb xauth xdotool \
	imagemagick util-linux zip libxcursor1 libxrender1 libxrandr2 libxi6 libxinerama1 \
	libxcomposite1 libxfixes3 libxxf86vm1 libxext6 libfreetype6 libfontconfig1

CMAKE ?= cmake
CTEST ?= ctest

.PHONY: all deps run test test-native test-windows build-i686 bench format dist dist-check clean

all: test

deps:
	@missing=""; for p in $(PACKAGES); do \
		dpkg-query -W -f='$${Status}\n' $$p 2>/dev/null | grep -q '^install ok installed$$' \
			|| missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
		if [ "$$(id -u)" = 0 ]; then \
			echo "Installing:$$missing"; \
			apt-get update -q && DEBIAN_FRONTEND=noninteractive \
				apt-get install -y -q --no-install-recommends $$missing; \
		else \
			echo "Missing packages. Install them with:"; \
			echo "  sudo apt-get install --no-install-recommends$$missing"; \
			exit 1; \
		fi; \
	fi

test: deps test-native test-windows build-i686

test-native:
	$(CMAKE) --preset native
	$(CMAKE) --build --preset native
	$(CTEST) --preset native

test-windows:
	$(CMAKE) --preset windows
	$(CMAKE) --build --preset windows
	$(CTEST) --preset windows

build-i686:
	$(CMAKE) --preset windows-i686
	$(CMAKE) --build --preset windows-i686

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
