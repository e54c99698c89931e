# make run   installs what is missing, builds and starts the program
# make test  installs what is missing, builds and runs every test
# make release  builds into build-release as a packager would (Release, -O3),
#               without running the tests
# make sanitize  builds into build-sanitize with AddressSanitizer and
#                UndefinedBehaviorSanitizer and runs every test there
# make fuzz  builds the file-reader fuzzers with clang into build-fuzz, runs
#            each for FUZZ_SECONDS and keeps the inputs that reach new code
#            in fuzz/corpus/<reader>/ (replayed by `make test`)
# make fuzz-check  builds the same fuzzers and runs each over its corpus for
#                  FUZZ_CHECK_SECONDS, keeping nothing (CI)
# make bench-check  runs every benchmark once, briefly, so that one that
#                   breaks stops CI; then counts with callgrind the
#                   instructions of each view of the largest wall and of its
#                   whole report, and fails when one is over its
#                   budget (bench/check-budgets), whatever the machine's speed
BUILD ?= build
JOBS ?= $(shell nproc)
RELEASE_BUILD ?= build-release
SANITIZE_BUILD ?= build-sanitize
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 60
FUZZ_CHECK_SECONDS ?= 10
FUZZ_READERS = ProjectFile DefaultsFile FactorFile

.PHONY: all deps configure build test run bench bench-check clean release sanitize fuzz fuzz-build fuzz-check

all: build

deps:
	bash scripts/install-deps

configure: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBRINDLEMAR_WERROR=ON

build: configure
	cmake --build $(BUILD) -j$(JOBS)

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j$(JOBS)

run: build
	./$(BUILD)/brindlemar $(ARGS)

bench: build
	./$(BUILD)/bench/brindlemar_bench

# a bare number of seconds is what every Google Benchmark release reads
bench-check: build
	./$(BUILD)/bench/brindlemar_bench --benchmark_min_time=0.001
	python3 bench/check-budgets ./$(BUILD)/bench/brindlemar_bench

release: deps
	cmake -S . -B $(RELEASE_BUILD) -DCMAKE_BUILD_TYPE=Release -DBRINDLEMAR_WERROR=ON
	cmake --build $(RELEASE_BUILD) -j$(JOBS)

sanitize: deps
	cmake -S . -B $(SANITIZE_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBRINDLEMAR_SANITIZE=ON -DBRINDLEMAR_WERROR=ON
	cmake --build $(SANITIZE_BUILD) -j$(JOBS)
	# The leak checker does not scan threads' own storage (use_tls=0): on a
	# bare Debian 12 its tracer dies reading the dynamic storage of the
	# printing libraries the windows load ("Tracer caught signal 11"). Our
	# code keeps nothing there; what those libraries keep is suppressed.
	cd $(SANITIZE_BUILD) && QT_QPA_PLATFORM=offscreen \
	  ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 LSAN_OPTIONS=suppressions=$(CURDIR)/scripts/lsan.supp:use_tls=0:print_suppressions=0 \
	  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	  ctest --output-on-failure -j$(JOBS)

fuzz-build:
	bash scripts/install-deps fuzz
	cmake -S . -B $(FUZZ_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
	  -DBRINDLEMAR_WERROR=ON -DBRINDLEMAR_FUZZ=ON "-DCMAKE_CXX_FLAGS=-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined"
	cmake --build $(FUZZ_BUILD) -j$(JOBS) --target brindlemar_fuzzers

# $(call run-fuzzers,FOLDER,SECONDS): each fuzzer replays its kept corpus,
# then fuzzes until SECONDS have passed; the inputs that reach new code go to
# FOLDER/<reader>, a crash stops make
define run-fuzzers
	@set -e; for r in $(FUZZ_READERS); do \
	  mkdir -p fuzz/corpus/$$r $(1)/$$r $(FUZZ_BUILD)/artifacts; \
	  echo "== fuzzing $$r for $(2) s"; \
	  ./$(FUZZ_BUILD)/fuzz/fuzz_$$r -max_total_time=$(2) -print_final_stats=1 \
	    -artifact_prefix=$(FUZZ_BUILD)/artifacts/ $(1)/$$r fuzz/corpus/$$r; \
	done
endef

fuzz: fuzz-build
	$(call run-fuzzers,$(FUZZ_BUILD)/work,$(FUZZ_SECONDS))
	@set -e; for r in $(FUZZ_READERS); do \
	  ./$(FUZZ_BUILD)/fuzz/fuzz_$$r -merge=1 fuzz/corpus/$$r $(FUZZ_BUILD)/work/$$r 2>&1 | tail -1; \
	done

# the kept corpus stays as it is: what the short run finds is thrown away
fuzz-check: fuzz-build
	rm -rf $(FUZZ_BUILD)/check
	$(call run-fuzzers,$(FUZZ_BUILD)/check,$(FUZZ_CHECK_SECONDS))

clean:
	rm -rf $(BUILD) $(RELEASE_BUILD) $(SANITIZE_BUILD) $(FUZZ_BUILD)
