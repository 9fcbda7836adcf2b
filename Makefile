# The front door. `make demo` and `make test` do everything on a fresh
# Debian 12 machine, installing what is missing first.
SHELL := /bin/bash
BUILD ?= build
BUILD_ASAN ?= build-asan
JOBS ?= $(shell nproc)
FUZZ_SECONDS ?= 60

.PHONY: all deps deps-demo build demo test test-native test-asan test-windows windows fuzz bench bench-html bench-packages clean

all: build

# Two tiers: the demo's needs, and everything the tests run.
deps:
	@bash scripts/deps.sh test

deps-demo:
	@bash scripts/deps.sh demo

build:
	@cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
	@cmake --build $(BUILD) -j $(JOBS)

demo: deps-demo build
	@mkdir -p out/demo
	$(BUILD)/bin/mkdeck sample examples/sample.pptx
	$(BUILD)/bin/tarvik actions
	$(BUILD)/bin/tarvik info examples/sample.pptx
	$(BUILD)/bin/tarvik import examples/sample.pptx out/demo/sample.pub
	$(BUILD)/bin/tarvik html examples/sample.pptx out/demo/sample.html
	$(BUILD)/bin/tarvik web examples/sample.pptx out/demo/sample_Web
	$(BUILD)/bin/tarvik epub examples/sample.pptx out/demo/sample.epub
	$(BUILD)/bin/tarvik pwa examples/sample.pptx out/demo/sample_PWA
	$(BUILD)/bin/tarvik scorm examples/sample.pptx out/demo/sample.scorm.zip
	$(BUILD)/bin/tarvik h5p examples/sample.pptx out/demo/sample.h5p

# Every suite, then the unit, integration and host suites again under the
# sanitizers, then the Windows suites under Wine, then a minute of fuzzing the
# reader; a summary of the parts at the end.
test:
	@FUZZ_SECONDS=$(FUZZ_SECONDS) bash scripts/test.sh

test-native: build
	@cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

test-asan:
	@cmake -S . -B $(BUILD_ASAN) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTARVIK_SANITIZE=ON >/dev/null
	@cmake --build $(BUILD_ASAN) -j $(JOBS)
	@cd $(BUILD_ASAN) && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
	  ctest --output-on-failure -j $(JOBS) -L 'unit|integration|host'

test-windows:
	@bash windows/test.sh

windows:
	@bash windows/build.sh i686

# The reader's fuzz targets (clang, in build-fuzz) for FUZZ_SECONDS in total.
fuzz:
	@FUZZ_SECONDS=$(FUZZ_SECONDS) JOBS=$(JOBS) bash fuzz/run.sh

# Reading a large deck against unpacking it with unzip, exporting a
# media-heavy deck to HTML against unzip plus base64 of its media, and the
# EPUB, SCORM, H5P and PWA exports of that deck against the HTML and web
# folder exports.
bench: bench-html bench-packages
	@BUILD=$(BUILD) bash bench/load.sh

bench-html:
	@BUILD=$(BUILD) bash bench/html.sh

bench-packages:
	@BUILD=$(BUILD) bash bench/packages.sh

clean:
	rm -rf $(BUILD) $(BUILD_ASAN) build-win32 build-win64 build-fuzz out
