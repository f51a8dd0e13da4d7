# SPDX-License-Identifier: GPL-3.0-or-later
# Orchestration only: install what is missing, then hand over to the CMake presets.
PACKAGES := $(shell sed -e 's/\#.*//' debian-packages.txt)
SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)
JOBS ?= $(shell nproc)

FUZZ_SECONDS ?= 60
FUZZERS := fuzz_number fuzz_chamber fuzz_profile fuzz_cli fuzz_templates

.PHONY: run test bench fuzz package deps

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
	# The tested build packed and checked as `make package` does, without a third build.
	cd build/test && cpack
	data/check-package.sh build/test
	$(MAKE) --no-print-directory fuzz FUZZ_SECONDS=20

bench: deps
	cmake --preset release
	cmake --build --preset release -j $(JOBS) --target quorvane-bench quorvane quorvane-bare-window
	build/release/bench/quorvane-bench
	bench/startup.py build/release/forms/quorvane build/release/bench/quorvane-bare-window

# The .deb of the release build, then checked as a user would get it.
package: deps
	cmake --preset release
	cmake --build --preset release -j $(JOBS)
	cd build/release && cpack
	data/check-package.sh build/release

# Each fuzzer runs FUZZ_SECONDS from the committed seeds plus what earlier
# runs found; a crash stops with its report and leaves its input in build/fuzz.
fuzz: deps
	cmake --preset fuzz
	cmake --build --preset fuzz -j $(JOBS)
	@for f in $(FUZZERS); do \
	  mkdir -p build/fuzz/corpus/$$f; \
	  if ! build/fuzz/fuzz/$$f build/fuzz/corpus/$$f fuzz/corpus/$$f -max_total_time=$(FUZZ_SECONDS) \
	      -print_final_stats=1 -artifact_prefix=build/fuzz/$$f- >build/fuzz/$$f.log 2>&1; then \
	    tail -n 60 build/fuzz/$$f.log; echo "$$f: crashed (input saved under build/fuzz/)"; exit 1; \
	  fi; \
	  echo "$$f: $$(grep -o 'number_of_executed_units: [0-9]*' build/fuzz/$$f.log | cut -d' ' -f2) runs in $(FUZZ_SECONDS) s, no crash"; \
	done

deps:
	@missing=""; for p in $(PACKAGES); do \
	  dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q 'install ok installed' || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	  echo "Installing:$$missing"; \
	  $(SUDO) apt-get update && DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y $$missing; \
	fi
