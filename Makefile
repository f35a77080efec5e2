# The two set-up commands: `make run` and `make test`. Both install what is missing on Debian 12.
BUILD ?= build
SANITIZE_BUILD ?= build-sanitize
FUZZ_BUILD ?= build-fuzz
# How long each fuzz target runs in `make test`.
FUZZ_SECONDS ?= 20
JOBS ?= $(shell nproc)
PACKAGES := cmake ninja-build g++ qt6-base-dev libgtest-dev libgmock-dev libxxhash-dev xvfb xauth valgrind
# libFuzzer comes with clang.
FUZZ_PACKAGES := clang libclang-rt-14-dev

# AddressSanitizer's reports, also those of a process that a test starts, go to files in
# SANITIZE_REPORTS, and any such file fails the run; UndefinedBehaviorSanitizer ends the process at
# its first report, which fails the test. Leak detection is off: its tracer now and then crashes at a
# test's exit on this system (signal 11 while it stops the toolkit's threads), which is no finding.
SANITIZE_REPORTS = $(CURDIR)/$(SANITIZE_BUILD)/reports
SANITIZE_ENV = \
  ASAN_OPTIONS=halt_on_error=1:detect_leaks=0:detect_stack_use_after_return=1:check_initialization_order=1:strict_init_order=1:log_path=$(SANITIZE_REPORTS)/asan \
  UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1

.PHONY: run test test-sanitize fuzz build deps bench clean

run: build
	@if [ -z "$$DISPLAY" ] && [ -z "$$WAYLAND_DISPLAY" ]; then \
	  echo "Wordloom is a desktop program and needs a display (DISPLAY or WAYLAND_DISPLAY is not set)."; \
	  echo "Start it from a desktop session, or under a virtual display: xvfb-run -a $(BUILD)/bin/wordloom"; \
	  exit 1; \
	fi
	$(BUILD)/bin/wordloom

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)
	@$(MAKE) --no-print-directory fuzz
	@$(MAKE) --no-print-directory test-sanitize

# The whole suite again under AddressSanitizer and UndefinedBehaviorSanitizer. The reports are
# printed at the end, as they do not go to the failing test's output.
test-sanitize: deps
	cmake -S . -B $(SANITIZE_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DWORDLOOM_SANITIZE=ON
	rm -rf $(SANITIZE_REPORTS) && mkdir -p $(SANITIZE_REPORTS)
	$(SANITIZE_ENV) cmake --build $(SANITIZE_BUILD) -j $(JOBS) || { cat $(SANITIZE_REPORTS)/* 2>/dev/null; exit 1; }
	cd $(SANITIZE_BUILD) && $(SANITIZE_ENV) QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS) \
	  || { cat $(SANITIZE_REPORTS)/* 2>/dev/null; exit 1; }
	@if [ -n "$$(ls -A $(SANITIZE_REPORTS))" ]; then \
	  cat $(SANITIZE_REPORTS)/*; echo "The sanitizers reported the faults above."; exit 1; \
	fi

# A short run of each libFuzzer target, from the inputs in fuzz/corpus and fuzz/regressions.
fuzz: deps
	@$(MAKE) --no-print-directory deps PACKAGES="$(FUZZ_PACKAGES)"
	cmake -S fuzz -B $(FUZZ_BUILD) -G Ninja -DCMAKE_CXX_COMPILER=clang++
	cmake --build $(FUZZ_BUILD) -j $(JOBS)
	bash fuzz/run.sh $(FUZZ_BUILD) $(FUZZ_SECONDS)

build: deps
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(BUILD) -j $(JOBS)

deps:
	@missing=""; for p in $(PACKAGES); do \
	  dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q "install ok installed" || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	  echo "Installing:$$missing"; \
	  SUDO=""; [ "$$(id -u)" -ne 0 ] && SUDO=sudo; \
	  $$SUDO apt-get update -qq && DEBIAN_FRONTEND=noninteractive $$SUDO apt-get install -y -qq $$missing < /dev/null; \
	fi

clean:
	rm -rf $(BUILD) $(SANITIZE_BUILD) $(FUZZ_BUILD)

# The benchmarks and their references; not part of `make test`. /usr/bin/time (package time) measures
# the references' memory.
bench: deps
	@$(MAKE) --no-print-directory deps PACKAGES=time
	bash bench/run.sh
