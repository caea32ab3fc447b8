# make run   installs what is missing, builds and starts Vellum
# make test  installs what is missing, builds and runs every test
BUILD ?= build
JOBS ?= $(shell nproc)

.PHONY: deps build run test sanitize-test bench screenshots format clean

deps:
	bash scripts/install-deps.sh

build: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(BUILD) -j $(JOBS)

run: build
	./$(BUILD)/src/vellum

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

sanitize-test: deps
	cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=Debug -DVELLUM_SANITIZE=ON
	cmake --build build-sanitize -j $(JOBS)
	cd build-sanitize && QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0 ctest --output-on-failure -j $(JOBS)

bench: build
	bash scripts/run-benchmarks.sh $(BUILD)

screenshots: build
	bash scripts/screenshots.sh $(BUILD)

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf $(BUILD) build-sanitize
