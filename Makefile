# tessalyn: build, test, benchmark and fuzz. Every target first installs the
# Debian packages that are missing (apt-get update only when one is).

# Packages each part of the system needs. A later issue adds its own line.
PACKAGES := cmake g++ make pkg-config googletest libgtest-dev libgmock-dev libbenchmark-dev
PACKAGES += python3
# The device screen written as PNG.
PACKAGES += libpng-dev
# Text on the real screen: FreeType over DejaVu with a CJK fallback.
PACKAGES += libfreetype-dev fonts-dejavu-core fonts-wqy-microhei
# The SDL2 backend and its smoke test under a virtual X server.
PACKAGES += libsdl2-dev xvfb xdotool
# Script engines as peers: node for the differential check, mujs and
# duktape for the benchmark.
PACKAGES += nodejs mujs duktape
# Peers and producers of test data: an HTML parser, image converters and a
# reference image decoder.
PACKAGES += libxml2-utils imagemagick netpbm python3-pil txt2pdbdoc libgif-dev giflib-tools
FUZZ_PACKAGES := clang-14 libclang-rt-14-dev

JOBS ?= $(shell nproc)
FUZZ_SECONDS ?= 60
# ON turns the release build's warnings into errors (CI does).
WERROR ?= OFF

.PHONY: all deps fuzz-deps test build release-check bench fuzz run clean

all: build

deps:
	@./tools/install-packages.sh $(PACKAGES)

fuzz-deps:
	@./tools/install-packages.sh $(PACKAGES) $(FUZZ_PACKAGES)

# Debug build with AddressSanitizer and UBSan; every test under ctest.
test: deps
	cmake -S . -B build -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_COMPILER=g++ -DCMAKE_C_COMPILER=gcc -DTESSALYN_SANITIZE=ON
	cmake --build build -j $(JOBS)
	cd build && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 ctest -j $(JOBS) --output-on-failure --timeout 600

# The release build: the libraries, programs, tools and benchmarks, without
# the tests and without any test hook.
build: deps
	cmake -S . -B build-release -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_COMPILER=g++ -DCMAKE_C_COMPILER=gcc \
	  -DTESSALYN_TESTS=OFF -DTESSALYN_FUZZ=OFF -DTESSALYN_TEST_HOOKS=OFF -DTESSALYN_WERROR=$(WERROR)
	cmake --build build-release -j $(JOBS)

# What CI asks of the release build: no warning, and no test hook in it.
release-check:
	$(MAKE) build WERROR=ON
	./tools/check-no-test-hooks.sh build-release

bench: build
	@set -e; for b in build-release/bin/bench_*; do echo "== $$b"; "$$b"; done

# libFuzzer with clang 14: runs each target for FUZZ_SECONDS and merges what
# it finds worth keeping into the committed seed corpus. An undefined-
# behaviour report stops a target, as in `make test`; book and picture
# targets take inputs up to 64 KB.
BIG_INPUT_FUZZ_TARGETS := book_header book_header_summary palm_database_open image_decoder
fuzz: fuzz-deps
	cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++-14 -DCMAKE_C_COMPILER=clang-14 -DTESSALYN_FUZZ=ON -DTESSALYN_TESTS=OFF -DTESSALYN_BENCH=OFF
	cmake --build build-fuzz -j $(JOBS)
	@set -e; for f in build-fuzz/bin/fuzz_*; do \
	  name=$${f##*/fuzz_}; corpus=fuzz/corpus/$$name; mkdir -p $$corpus build-fuzz/found/$$name; \
	  maxlen=; case " $(BIG_INPUT_FUZZ_TARGETS) " in *" $$name "*) maxlen=-max_len=65536;; esac; \
	  echo "== $$name ($(FUZZ_SECONDS) s)"; \
	  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	    "$$f" -max_total_time=$(FUZZ_SECONDS) -print_final_stats=1 $$maxlen build-fuzz/found/$$name $$corpus; \
	  "$$f" -merge=1 $$maxlen $$corpus build-fuzz/found/$$name; \
	done

run: build
	@echo "The reader cannot be started yet: its application frame is not built."

clean:
	rm -rf build build-release build-fuzz
