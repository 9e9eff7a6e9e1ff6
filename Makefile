# The two commands of the project:
#   make run   builds Quorvel.exe and starts it under Wine, with quorvel-service
#              on 127.0.0.1:8047 beside it (under Xvfb with a screenshot in
#              build/screenshot.png when there is no display)
#   make test  builds everything and runs every test, native and under Wine
#   make screenshots  writes PNG screenshots in both languages to build/
SHELL := /bin/bash
WIN32_BIN := build/win32/bin
# Runs a command in the Wine environment of the Windows build's prefix.
WINE_ENV := scripts/wine-env.sh $(CURDIR)/build/win32/wineprefix

.PHONY: all deps native win32 service run screenshots test test-native test-win32 bench format clean

all: native win32

# What every build needs, or one build's own packages (deps-native,
# deps-win32, deps-bench).
deps:
	@scripts/install-deps.sh

deps-%:
	@scripts/install-deps.sh $*

native: deps-native
	cmake --preset native >/dev/null
	cmake --build --preset native

win32: deps-win32
	cmake --preset win32 >/dev/null
	cmake --build --preset win32

# The Windows package, with the version of the program's version record; the
# same bytes every time it is built from the same sources.
.PHONY: dist
dist: deps-win32
	cmake --preset win32 >/dev/null
	cmake --build --preset win32 --target dist

test: test-native test-win32

test-native: native
	ctest --preset native

# One wineserver for the whole run (Wine starts once), ended afterwards so
# that nothing outlives the run; the tests draw on a private X display.
test-win32: win32
	$(WINE_ENV) scripts/with-display.sh scripts/wine-session.sh ctest --preset win32

# Speed figures of the handset lookup and of quorvel-cli, built optimised and
# without sanitizers in build/bench; not part of the tests.
bench: deps-bench
	cmake --preset bench >/dev/null
	cmake --build --preset bench
	cd build/bench && bench/quorvel-bench
	bench/download-bench.sh
	bench/service-bench.sh

# The on-line analysis service comes from the native build.
service: deps-native
	cmake --preset native >/dev/null
	cmake --build --preset native --target quorvel-service

run: win32 service
	$(WINE_ENV) scripts/run-program.sh $(WIN32_BIN)/Quorvel.exe build/native/tools/quorvel-service \
		build/screenshot.png

screenshots: win32
	$(WINE_ENV) scripts/screenshots.sh build/win32 build

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf build
