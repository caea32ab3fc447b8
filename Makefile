# make run      installs what is missing, builds and starts Vellum
# make test     installs what is missing, builds and runs every test
# make package  builds the Debian package $(BUILD)/vellum_VERSION_ARCH.deb
# make install  builds Vellum and installs it under PREFIX (with sudo where needed)
BUILD ?= build
JOBS ?= $(shell nproc)
PREFIX ?= /usr/local

.PHONY: deps configure build program run package install test sanitize-test bench screenshots format clean

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

bench: build
	bash scripts/run-benchmarks.sh $(BUILD)

screenshots: build
	bash scripts/screenshots.sh $(BUILD)

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf $(BUILD) build-sanitize
