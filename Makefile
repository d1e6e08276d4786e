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
PACKAGES += libsdl2-dev xvfb xdotool xdg-utils
# Script engines as peers: node for the differential check, mujs and
# duktape for the benchmark.
PACKAGES += nodejs mujs duktape
# Peers and producers of test data: an HTML parser, image converters and a
# reference image decoder.
PACKAGES += libxml2-utils imagemagick netpbm python3-pil txt2pdbdoc libgif-dev giflib-tools
# The whole-process benchmark: English prose rendered from manual pages, and
# GNU time for the peak memory of each process.
PACKAGES += groff-base time
# Sound: the integer Ogg Vorbis decoder, the speech synthesiser of the
# project's plug-in, and the producers and peers of audio test data.
PACKAGES += libvorbisidec-dev libespeak-ng-dev espeak-ng vorbis-tools sox
# Look-up queries: a large English word list for the query benchmark's
# dictionary, and the SQL command line as its peer.
PACKAGES += wamerican-huge sqlite3
FUZZ_PACKAGES := clang-14 libclang-rt-14-dev

JOBS ?= $(shell nproc)
FUZZ_SECONDS ?= 60
# ON turns the release build's warnings into errors (CI does).
WERROR ?= OFF

.PHONY: all deps fuzz-deps test test-tsan build release-check bench fuzz-build fuzz fuzz-seeds run clean

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

# The audio tests (the player, the wave devices and the speech plug-in, each
# with threads of its own) under ThreadSanitizer, in build-tsan/.
test-tsan: deps
	cmake -S . -B build-tsan -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_COMPILER=g++ -DCMAKE_C_COMPILER=gcc -DTESSALYN_TSAN=ON -DTESSALYN_BENCH=OFF
	cmake --build build-tsan -j $(JOBS) --target test_audio
	TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1 build-tsan/bin/test_audio

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
	@echo "== bench/whole_process.py"; python3 bench/whole_process.py --bin build-release/bin

# libFuzzer with clang 14, in build-fuzz/. An undefined-behaviour report stops
# a target, as in `make test`; book and picture targets take inputs up to
# 64 KB. Each target's seeds are fuzz/corpus/<name>/ (minimised by the merge)
# and fuzz/pinned/<name>/ (written by hand or kept for a fault once found:
# the merge never prunes them).
BIG_INPUT_FUZZ_TARGETS := book_header book_header_summary palm_database_open image_decoder ogg_vorbis_source
FUZZ_TARGET_LOOP = set -e; for f in build-fuzz/bin/fuzz_*; do \
	  name=$${f\#\#*/fuzz_}; \
	  maxlen=; case " $(BIG_INPUT_FUZZ_TARGETS) " in *" $$name "*) maxlen=-max_len=65536;; esac; \
	  pinned=fuzz/pinned/$$name; seeds=; \
	  for d in fuzz/corpus/$$name $$pinned; do if [ -d $$d ]; then seeds="$$seeds $$d"; fi; done;

fuzz-build: fuzz-deps
	cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++-14 -DCMAKE_C_COMPILER=clang-14 -DTESSALYN_FUZZ=ON -DTESSALYN_TESTS=OFF -DTESSALYN_BENCH=OFF
	cmake --build build-fuzz -j $(JOBS)

# Runs each target for FUZZ_SECONDS from its seeds. What it finds stays in
# build-fuzz/found/<name>/ (the next run starts from it too), a failing input
# in build-fuzz/artifacts/<name>/; the committed seeds are never written.
fuzz: fuzz-build
	@$(FUZZ_TARGET_LOOP) \
	  mkdir -p build-fuzz/found/$$name build-fuzz/artifacts/$$name; \
	  echo "== $$name ($(FUZZ_SECONDS) s)"; \
	  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 LSAN_OPTIONS=suppressions=$(CURDIR)/fuzz/lsan_suppressions.txt \
	    "$$f" -max_total_time=$(FUZZ_SECONDS) -print_final_stats=1 $$maxlen \
	      -artifact_prefix=build-fuzz/artifacts/$$name/ build-fuzz/found/$$name $$seeds; \
	done

# Refreshes the committed seed sets on purpose: each target's seeds and what
# `make fuzz` found are merged into an empty folder that starts from the
# pinned seeds, so fuzz/corpus/<name>/ keeps only the smallest inputs that
# reach code the others do not. The merge counts edges, not hit counts
# (-use_counters=0): every edge stays covered with a tenth of the files.
fuzz-seeds: fuzz-build
	@$(FUZZ_TARGET_LOOP) \
	  merged=build-fuzz/merged/$$name; rm -rf $$merged; mkdir -p $$merged build-fuzz/found/$$name; \
	  if [ -d $$pinned ]; then cp $$pinned/* $$merged/; fi; \
	  "$$f" -merge=1 -use_counters=0 $$maxlen $$merged $$seeds build-fuzz/found/$$name 2>build-fuzz/merged/$$name.log \
	    || { cat build-fuzz/merged/$$name.log >&2; exit 1; }; \
	  if [ -d $$pinned ]; then for p in $$pinned/*; do rm -f "$$merged/$${p##*/}"; done; fi; \
	  rm -rf fuzz/corpus/$$name; mv $$merged fuzz/corpus/$$name; \
	  echo "== $$name: $$(ls fuzz/corpus/$$name | wc -l) seeds beside $$(ls $$pinned 2>/dev/null | wc -l) pinned"; \
	done

# The reader on the developer's desktop (an SDL2 window), or headless
# without a display: a fresh device root is prepared first (and then opens
# the sample book); BOOK=<device path or host file> opens that book.
DEVICE_ROOT ?= $(or $(TESSALYN_DEVICE_ROOT),$(or $(XDG_DATA_HOME),$(HOME)/.local/share)/tessalyn/device)
RUN_OUT ?= $(CURDIR)/build-release/run
run: build
	@set -e; root="$(DEVICE_ROOT)"; arg=""; \
	if [ ! -d "$$root" ] || [ -z "$$(ls -A "$$root" 2>/dev/null)" ]; then \
	  build-release/bin/deviceprep "$$root"; arg='\eBooks\sample.corv'; fi; \
	if [ -n "$(BOOK)" ]; then \
	  if [ -f "$(BOOK)" ]; then cp "$(BOOK)" "$$root/eBooks/"; arg="\\eBooks\\$$(basename "$(BOOK)")"; \
	  else arg="$(BOOK)"; fi; fi; \
	if [ -z "$$SDL_AUDIODRIVER" ] && [ ! -e /dev/snd ]; then export SDL_AUDIODRIVER=dummy; fi; \
	export TESSALYN_DEVICE_ROOT="$$root" TESSALYN_FONTS="$${TESSALYN_FONTS:-freetype}"; \
	if [ -z "$$DISPLAY" ] || [ "$$TESSALYN_BACKEND" = headless ]; then \
	  mkdir -p "$(RUN_OUT)"; \
	  printf 'wait 500\nshot %s/first.png\nkey next\nwait 500\nshot %s/second.png\nquit\n' "$(RUN_OUT)" "$(RUN_OUT)" \
	    > "$(RUN_OUT)/input.txt"; \
	  TESSALYN_BACKEND=headless TESSALYN_INPUT="$${TESSALYN_INPUT:-$(RUN_OUT)/input.txt}" \
	    build-release/bin/tessalyn "$$arg"; \
	  echo "$(RUN_OUT)/first.png"; echo "$(RUN_OUT)/second.png"; \
	else build-release/bin/tessalyn "$$arg"; fi

clean:
	rm -rf build build-release build-fuzz build-tsan
