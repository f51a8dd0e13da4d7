# Orchestration only: install what is missing, then hand over to the CMake presets.
PACKAGES := $(shell sed -e 's/\#.*//' debian-packages.txt)
SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)
JOBS ?= $(shell nproc)

.PHONY: run test bench deps

run: deps
	cmake --preset release
	cmake --build --preset release -j $(JOBS)
	@if [ -x build/release/forms/quorvane ]; then build/release/forms/quorvane; \
	else build/release/cli/quorvane-cli --help; fi

test: deps
	cmake --preset test
	cmake --build --preset test -j $(JOBS)
	cmake --build --preset test --target format-check
	ctest --preset test
	cmake --preset asan
	cmake --build --preset asan -j $(JOBS)
	ctest --preset asan

bench: deps
	cmake --preset release
	cmake --build --preset release -j $(JOBS) --target quorvane-bench
	build/release/bench/quorvane-bench

deps:
	@missing=""; for p in $(PACKAGES); do \
	  dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q 'install ok installed' || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	  echo "Installing:$$missing"; \
	  $(SUDO) apt-get update && DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y $$missing; \
	fi
