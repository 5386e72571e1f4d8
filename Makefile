# The two commands:  make run  (the main job)  and  make test  (every test).
# Both install the Debian packages they need when they are missing.

BUILD      ?= build
ASAN_BUILD ?= build-asan
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 60
JOBS       ?= $(shell nproc 2>/dev/null || echo 2)

# Packages the build and the tests need.
PACKAGES := cmake g++ make pkg-config libgtest-dev libgmock-dev libbenchmark-dev \
            qt6-base-dev fonts-dejavu-core xvfb xdotool imagemagick doxygen \
            libx11-dev clang libclang-rt-14-dev

.PHONY: all deps build run test test-asan fuzz docs bench bench-smoke random-input clean

all: build

deps:
	@./tools/ensure-packages.sh $(PACKAGES)

$(BUILD)/CMakeCache.txt:
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo

build: deps $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) -j $(JOBS)

# Starts the demo viewer in a window. Without a display it renders the window offscreen to a
# PNG and prints its path instead.
run: build
	@if [ -n "$$DISPLAY$$WAYLAND_DISPLAY" ]; then \
	  ./$(BUILD)/app/ygrids_demo; \
	else \
	  echo "No display: rendering the demo window to a PNG instead."; \
	  QT_QPA_PLATFORM=offscreen ./$(BUILD)/app/ygrids_demo --screenshot $(CURDIR)/$(BUILD)/demo.png; \
	fi

# Tests check exact pixels at a device pixel ratio of 1, whatever the desktop's scaling.
NO_SCALING := env -u QT_SCALE_FACTOR -u QT_SCREEN_SCALE_FACTORS -u QT_AUTO_SCREEN_SCALE_FACTOR

test: build
	$(NO_SCALING) ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

# The same suite under AddressSanitizer and UndefinedBehaviorSanitizer; any report fails.
test-asan: deps
	cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DYGRIDS_SANITIZE=ON
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	  LSAN_OPTIONS=suppressions=$(CURDIR)/tools/lsan.supp \
	  $(NO_SCALING) ctest --test-dir $(ASAN_BUILD) --output-on-failure -j $(JOBS)

# Every libFuzzer target (fuzz/), built with clang and the sanitizers in its own directory, each
# run for FUZZ_SECONDS from its committed seeds; any crash, leak, sanitizer report or slow input
# fails (the input is kept in $(FUZZ_BUILD)/fuzz-artifacts).
fuzz: deps
	cmake -S . -B $(FUZZ_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
	  -DYGRIDS_FUZZ=ON -DYGRIDS_BUILD_TESTS=OFF -DYGRIDS_BUILD_EXAMPLES=OFF \
	  -DYGRIDS_BUILD_BENCHMARKS=OFF
	cmake --build $(FUZZ_BUILD) --target fuzzers -j $(JOBS)
	./tools/run-fuzzers.sh $(FUZZ_BUILD) $(FUZZ_SECONDS)

# Reference documentation of the public headers, in $(BUILD)/docs/html; fails on any warning
# in the headers counted as documented (docs/CMakeLists.txt).
docs: deps $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) --target docs

# Benchmarks, never part of make test: the cell model, scrolling, the grid's parts at a million
# rows, then the demo beside a Qt table view at 10^4, 10^5 and 10^6 rows (about a quarter of an
# hour). BENCH_ARGS goes to demo_bench, e.g. BENCH_ARGS="--rows 1000000 --only sort_text".
BENCH_ENV := QT_QPA_PLATFORM=offscreen QT_SCALE_FACTOR=1
BENCH_ARGS ?=
GRID_BENCH_ARGS := --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
bench: build
	cd $(BUILD)/bench && $(BENCH_ENV) ./model_bench && $(BENCH_ENV) ./scroll_bench && \
	  $(BENCH_ENV) ./grid_bench $(GRID_BENCH_ARGS) && ./demo_bench $(BENCH_ARGS)

# A few seconds of the whole-program benchmark on a small table: it still runs and its checks
# (sorted, paged, columns hidden and shown) hold.
bench-smoke: build
	./$(BUILD)/bench/demo_bench --rows 2000 --reps 1 --fast-reps 2 --data $(CURDIR)/$(BUILD)/bench-smoke

# A long run of the random user of a shown grid (plain and hostile host, the model checked after
# every step), never part of make test; bounded by RANDOM_INPUT_SECONDS.
RANDOM_INPUT_SEEDS ?= 1 100
RANDOM_INPUT_STEPS ?= 2000
RANDOM_INPUT_SECONDS ?= 600
random-input: deps $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) --target grid_input_replay -j $(JOBS)
	QT_QPA_PLATFORM=offscreen QT_SCALE_FACTOR=1 timeout $(RANDOM_INPUT_SECONDS) \
	  ./$(BUILD)/tests/grid/grid_input_replay --seeds $(RANDOM_INPUT_SEEDS) --steps $(RANDOM_INPUT_STEPS)

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(FUZZ_BUILD)
