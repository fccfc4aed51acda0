# Talonreach: `make run` builds and starts the game, `make test` builds and runs every test,
# `make deb` builds the Debian package, `make install` installs the game (PREFIX, DESTDIR).
# They install the Debian packages they need first (tools/setup.sh, apt-get as root).

JOBS ?= $(shell nproc)
# Seconds each fuzz target runs as part of `make test`.
CI_FUZZ_SECONDS ?= 20
BUILD_DIR ?= build
TEST_BUILD_DIR ?= build-test
BENCH_BUILD_DIR ?= build-bench
FUZZ_BUILD_DIR ?= build-fuzz
FUZZ_SECONDS ?= 30
PREFIX ?= /usr/local
DESTDIR ?=

.PHONY: all setup build run test bench fuzz format clean deb install uninstall

all: build

setup:
	@sh tools/setup.sh

build: setup
	cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTALONREACH_TESTS=OFF -DTALONREACH_BENCH=OFF
	cmake --build $(BUILD_DIR) -j $(JOBS)

run: build
	@sh tools/run.sh $(BUILD_DIR)

# The Debian package talonreach_<version>_<arch>.deb, made by CPack from the release build's install
# rules, with its dependencies computed by dpkg-shlibdeps; copied to the top folder.
deb: build
	rm -rf $(BUILD_DIR)/package
	cd $(BUILD_DIR) && cpack -G DEB -B package
	cp $(BUILD_DIR)/package/talonreach_*.deb .

# The program in PREFIX/games, its data in PREFIX/share/games/talonreach, the desktop entry, icons,
# AppStream metadata, manual page and documents under PREFIX/share. Stripped, as a package is.
install: build
	DESTDIR="$(DESTDIR)" cmake --install $(BUILD_DIR) --prefix "$(PREFIX)" --strip

# Removes what the last `make install` of this build folder installed (its install_manifest.txt);
# give the same DESTDIR.
uninstall:
	@test -f $(BUILD_DIR)/install_manifest.txt || { echo "nothing was installed from $(BUILD_DIR)"; exit 1; }
	sed 's|^|$(DESTDIR)|' $(BUILD_DIR)/install_manifest.txt | tr '\n' '\0' | xargs -0 rm -f

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
	@bash bench/input_latency.sh $(BENCH_BUILD_DIR)

# libFuzzer targets (clang, with AddressSanitizer and UndefinedBehaviorSanitizer), each run for
# FUZZ_SECONDS on its seed corpus.
fuzz: setup
	CC=clang CXX=clang++ cmake -S . -B $(FUZZ_BUILD_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTALONREACH_FUZZ=ON -DTALONREACH_TESTS=OFF -DTALONREACH_BENCH=OFF
	cmake --build $(FUZZ_BUILD_DIR) -j $(JOBS)
	@sh tools/fuzz.sh $(FUZZ_BUILD_DIR) $(FUZZ_SECONDS)

format:
	git ls-files '*.cpp' '*.h' | tr '\n' '\0' | xargs -0 clang-format -i

clean:
	rm -rf $(BUILD_DIR) $(TEST_BUILD_DIR) $(BENCH_BUILD_DIR) $(FUZZ_BUILD_DIR) talonreach_*.deb
