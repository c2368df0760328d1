# Two commands for a fresh Debian 12 machine: `make run` and `make test`.
BUILD   ?= build
JOBS    ?= $(shell nproc)
PACKAGES = cmake g++ make qt6-base-dev qt6-translations-l10n libgl-dev \
           fonts-arphic-uming fonts-noto-cjk fonts-dejavu-core xvfb xauth xdotool x11-utils \
           libbenchmark-dev poppler-utils time cups-daemon

.PHONY: deps build run test bench assets clean

deps:
	@missing=""; for p in $(PACKAGES); do \
	  dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q "install ok installed" || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	  echo "Installing:$$missing"; \
	  if [ "$$(id -u)" -eq 0 ]; then SUDO=""; else SUDO="sudo"; fi; \
	  $$SUDO apt-get update -qq && \
	  DEBIAN_FRONTEND=noninteractive $$SUDO apt-get install -y -qq --no-install-recommends $$missing; \
	fi

build: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
	cmake --build $(BUILD) -j $(JOBS)

run: build
	cd $(BUILD) && ./velnor

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

bench: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release -DVELNOR_BENCH=ON >/dev/null
	cmake --build $(BUILD) -j $(JOBS)
	bench/run-all.sh $(BUILD)

# Regenerates the committed pictures in assets/ (run by hand after changing tools/).
assets: deps
	cmake -S . -B $(BUILD) -DVELNOR_TOOLS=ON >/dev/null
	cmake --build $(BUILD) -j $(JOBS) --target velnor-assetgen
	$(BUILD)/velnor-assetgen assets

clean:
	rm -rf $(BUILD)
