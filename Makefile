# A thin layer over CMake: installs what is missing, builds, runs.
PACKAGES := cmake ninja-build g++ pkg-config libgtest-dev libgmock-dev libbenchmark-dev \
            libfreetype-dev libfontconfig-dev libpng-dev fonts-liberation \
            binutils-mingw-w64-i686 g++-mingw-w64-i686 tmux iproute2 libcap2-bin
SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)

.PHONY: setup build run test asan clean

setup:
	@missing=$$(for p in $(PACKAGES); do \
	    dpkg-query -W -f='$${Status}\n' $$p 2>/dev/null | grep -q 'install ok installed' || echo $$p; \
	  done); \
	if [ -n "$$missing" ]; then \
	  echo "Installing missing packages:" $$missing; \
	  $(SUDO) apt-get update && DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y $$missing; \
	fi

build: setup
	cmake --preset default
	cmake --build --preset default

run: build
	./build/bin/quorva-velocitor

test: setup
	rm -rf build
	cmake --preset default
	cmake --build --preset default
	ctest --preset default

asan: setup
	cmake --preset asan
	cmake --build --preset asan
	ctest --preset asan

clean:
	rm -rf build build-asan
