# make run      installs what is missing, builds and starts Vellum
# make test     installs what is missing, builds and runs every test
# make package  builds the Debian package $(BUILD)/vellum_VERSION_ARCH.deb
# make install  builds Vellum and installs it under PREFIX (with sudo where needed)
# make fuzz     builds the fuzz targets with clang and runs each FUZZ_SECONDS
BUILD ?= build
JOBS ?= $(shell nproc)
PREFIX ?= /usr/local

.PHONY: deps configure build program run package install test sanitize-test fuzz bench screenshots format clean

deps:
	bash scripts/install-deps.sh

configure: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_INSTALL_PREFIX=$(PREFIX)

build: configure
	cmake --build $(BUILD) -j $(JOBS)

# The program alone, without the tests and benchmarks.
program: configure
	cmake --build $(BUILD) -j $(JOBS) --target vellum

run: program
	./$(BUILD)/src/vellum

package: program
	cd $(BUILD) && cpack -G DEB

install: program
	mkdir -p "$(PREFIX)" 2>/dev/null || true
	if [ -w "$(PREFIX)" ]; then cmake --install $(BUILD); else sudo cmake --install $(BUILD); fi

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

# Leaves out the clean-clone test: it builds and tests an ordinary program of its own.
sanitize-test: deps
	cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=Debug -DVELLUM_SANITIZE=ON
	cmake --build build-sanitize -j $(JOBS)
	cd build-sanitize && QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0 ctest --output-on-failure -j $(JOBS) -E e2e_user_paths

# Each fuzz target runs FUZZ_SECONDS on a corpus kept in $(FUZZ_BUILD); a
# crash stops it and leaves the input there as crash-*.
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 30
FUZZ_TARGETS = fuzz_mail_link fuzz_address_list fuzz_history_file
fuzz:
	bash scripts/install-deps.sh --fuzz
	cmake -S tests/fuzz -B $(FUZZ_BUILD) -DCMAKE_CXX_COMPILER=clang++-14 -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(FUZZ_BUILD) -j $(JOBS)
	for target in $(FUZZ_TARGETS); do \
		mkdir -p $(FUZZ_BUILD)/corpus/$$target && \
		(cd $(FUZZ_BUILD) && ./$$target -max_total_time=$(FUZZ_SECONDS) -timeout=10 -print_final_stats=1 \
			corpus/$$target $(CURDIR)/tests/fuzz/seeds/$$target) || exit 1; \
	done

bench: build
	bash scripts/run-benchmarks.sh $(BUILD)

screenshots: build
	bash scripts/screenshots.sh $(BUILD)

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf $(BUILD) build-sanitize $(FUZZ_BUILD)
