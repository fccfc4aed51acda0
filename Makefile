# Talonreach: `make run` builds and starts the game, `make test` builds and runs every test.
# Both install the Debian packages they need first (tools/setup.sh, apt-get as root).

JOBS ?= $(shell nproc)
# Seconds each fuzz target runs as part of `make test`.
CI_FUZZ_SECONDS ?= 20
BUILD_DIR ?= build
TEST_BUILD_DIR ?= build-test
BENCH_BUILD_DIR ?= build-bench
FUZZ_BUILD_DIR ?= build-fuzz
FUZZ_SECONDS ?= 30

.PHONY: all setup build run test bench fuzz format clean

all: build

setup:
	@sh tools/setup.sh

build: setup
	cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTALONREACH_TESTS=OFF -DTALONREACH_BENCH=OFF
	cmake --build $(BUILD_DIR) -j $(JOBS)

run: build
	@sh tools/run.sh $(BUILD_DIR)

# Debug build with assertions, AddressSanitizer and UndefinedBehaviorSanitizer.
test: setup
	cmake -S . -B $(TEST_BUILD_DIR) -DCMAKE_BUILD_TYPE=Debug -DTALONREACH_SANITIZE=ON -DTALONREACH_BENCH=OFF
	cmake --build $(TEST_BUILD_DIR) -j $(JOBS)
	cd $(TEST_BUILD_DIR) && ctest --output-on-failure -j $(JOBS)
	$(MAKE) fuzz FUZZ_SECONDS=$(CI_FUZZ_SECONDS)

bench: setup
	cmake -S . -B $(BENCH_BUILD_DIR) -DCMAKE_BUILD_TYPE=Release -DTALONREACH_TESTS=OFF -DTALONREACH_BENCH=ON
	cmake --build $(BENCH_BUILD_DIR) -j $(JOBS)
	@sh tools/bench.sh $(BENCH_BUILD_DIR)
	@bash bench/frame_pacing.sh $(BENCH_BUILD_DIR)

# libFuzzer targets (clang, with AddressSanitizer and UndefinedBehaviorSanitizer), each run for
# FUZZ_SECONDS on its seed corpus.
fuzz: setup
	CC=clang CXX=clang++ cmake -S . -B $(FUZZ_BUILD_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTALONREACH_FUZZ=ON -DTALONREACH_TESTS=OFF -DTALONREACH_BENCH=OFF
	cmake --build $(FUZZ_BUILD_DIR) -j $(JOBS)
	@sh tools/fuzz.sh $(FUZZ_BUILD_DIR) $(FUZZ_SECONDS)

format:
	git ls-files '*.cpp' '*.h' | tr '\n' '\0' | xargs -0 clang-format -i

clean:
	rm -rf $(BUILD_DIR) $(TEST_BUILD_DIR) $(BENCH_BUILD_DIR) $(FUZZ_BUILD_DIR)
