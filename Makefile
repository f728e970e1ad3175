# Scrivora: `make run` sets up and starts the program; `make test` runs every test.
BUILD      ?= build
BUILD_SAN  ?= build-asan
BUILD_FUZZ ?= build-fuzz
FUZZ_SECONDS ?= 60
WORKSPACE  ?= workspace
GENERATOR  := -G Ninja
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=RelWithDebInfo
export CCACHE_DIR ?= $(HOME)/.cache/ccache

.PHONY: deps build package run test test-fast test-sanitize bench fuzz workspace screenshots clean

deps:
	@scripts/setup-deps

$(BUILD)/build.ninja:
	cmake -S . -B $(BUILD) $(GENERATOR) $(CMAKE_FLAGS)

build: deps $(BUILD)/build.ninja
	cmake --build $(BUILD)

# The Debian package, left in this folder: sudo apt install ./scrivora_*.deb
package: build
	rm -f $(BUILD)/scrivora_*.deb
	cd $(BUILD) && cpack -G DEB
	cp $(BUILD)/scrivora_*.deb .

workspace: build
	scripts/make-workspace $(WORKSPACE) $(BUILD)

run: workspace
	$(BUILD)/scrivora --app-path $(WORKSPACE) --open "$(WORKSPACE)/Documents/Referral Letter.tx"

test-fast: build
	cd $(BUILD) && ../scripts/with-postgres ctest --output-on-failure

$(BUILD_SAN)/build.ninja:
	cmake -S . -B $(BUILD_SAN) $(GENERATOR) -DCMAKE_BUILD_TYPE=Debug -DSCRIVORA_SANITIZE=ON

test-sanitize: deps $(BUILD_SAN)/build.ninja
	cmake --build $(BUILD_SAN)
	cd $(BUILD_SAN) && ../scripts/with-postgres ctest --output-on-failure

test: test-fast test-sanitize

bench: build
	scripts/run-benchmarks $(BUILD)

$(BUILD_FUZZ)/build.ninja:
	CXX=clang++ cmake -S . -B $(BUILD_FUZZ) $(GENERATOR) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSCRIVORA_FUZZ=ON

fuzz: deps $(BUILD_FUZZ)/build.ninja
	cmake --build $(BUILD_FUZZ)
	scripts/run-fuzzers $(BUILD_FUZZ) $(FUZZ_SECONDS)

screenshots: build
	scripts/screenshots $(BUILD)

clean:
	rm -rf $(BUILD) $(BUILD_SAN) $(BUILD_FUZZ)
