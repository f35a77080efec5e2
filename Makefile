# The two set-up commands: `make run` and `make test`. Both install what is missing on Debian 12.
BUILD ?= build
SANITIZE_BUILD ?= build-sanitize
JOBS ?= $(shell nproc)
PACKAGES := cmake ninja-build g++ qt6-base-dev libgtest-dev libgmock-dev xvfb xauth

.PHONY: run test build deps bench clean

run: build
	@if [ -z "$$DISPLAY" ] && [ -z "$$WAYLAND_DISPLAY" ]; then \
	  echo "Wordloom is a desktop program and needs a display (DISPLAY or WAYLAND_DISPLAY is not set)."; \
	  echo "Start it from a desktop session, or under a virtual display: xvfb-run -a $(BUILD)/bin/wordloom"; \
	  exit 1; \
	fi
	$(BUILD)/bin/wordloom

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

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
	rm -rf $(BUILD) $(SANITIZE_BUILD)

# The benchmarks and their references; not part of `make test`. /usr/bin/time (package time) measures
# the references' memory.
bench: deps
	@$(MAKE) --no-print-directory deps PACKAGES=time
	bash bench/run.sh
