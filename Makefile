# The two commands of the project:
#   make run   builds Quorvel.exe and starts it under Wine (under Xvfb with a
#              screenshot in build/screenshot.png when there is no display)
#   make test  builds everything and runs every test, native and under Wine
#   make screenshots  writes PNG screenshots with Vietnamese captions to build/
SHELL := /bin/bash
WIN32_BIN := build/win32/bin
WINE_ENV := WINEPREFIX=$(CURDIR)/build/win32/wineprefix WINEDEBUG=-all \
	WINEDLLOVERRIDES="mscoree,mshtml=" LANG=C.UTF-8 LC_ALL=C.UTF-8

.PHONY: all deps native win32 run screenshots test test-native test-win32 bench format clean

all: native win32

deps:
	@scripts/install-deps.sh

native: deps
	cmake --preset native >/dev/null
	cmake --build --preset native

win32: deps
	cmake --preset win32 >/dev/null
	cmake --build --preset win32

test: test-native test-win32

test-native: native
	ctest --preset native

# One wineserver for the whole run (Wine starts once), ended afterwards so
# that nothing outlives the run; the tests draw on a private X display.
test-win32: win32
	$(WINE_ENV) scripts/with-display.sh scripts/wine-session.sh ctest --preset win32

# Speed figures of the handset lookup and of quorvel-cli, built optimised and
# without sanitizers in build/bench; not part of the tests.
bench: deps
	cmake --preset bench >/dev/null
	cmake --build --preset bench
	cd build/bench && bench/quorvel-bench
	bench/download-bench.sh
	bench/service-bench.sh

run: win32
	$(WINE_ENV) scripts/run-program.sh $(WIN32_BIN)/Quorvel.exe build/screenshot.png

screenshots: win32
	$(WINE_ENV) scripts/screenshots.sh $(WIN32_BIN)/Quorvel.exe build
	$(WINE_ENV) scripts/screenshot-analysis.sh $(WIN32_BIN)/Quorvel.exe build/screenshot-analysis-en.png

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf build
