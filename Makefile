# The two commands of the project:
#   make run   builds Quorvel.exe and starts it under Wine, with quorvel-service
#              on 127.0.0.1:8047 beside it (under Xvfb with a screenshot in
#              build/screenshot.png when there is no display)
#   make test  builds everything and runs every test, native and under Wine
#   make screenshots  writes PNG screenshots in both languages to build/
#   make deb   the Debian package of quorvel-cli and quorvel-service
# The Windows program runs and is tested as a 32-bit build where this machine
# runs 32-bit programs, else as a 64-bit build of the same sources
# (scripts/wine-bits.sh; QUORVEL_WINE_BITS=32 or 64 forces one). The package
# users get is always the 32-bit one.
SHELL := /bin/bash
# Runs a command in the Wine environment of the win32 or win64 build's prefix.
wine_env = scripts/wine-env.sh $(1) $(CURDIR)/build/win$(1)/wineprefix
# Runs the make target $(1)-win32 or $(1)-win64, for the width this machine
# runs, once the Windows packages are in.
for_this_machine = +@bits=$$(scripts/wine-bits.sh) && $(MAKE) --no-print-directory $(1)-win$$bits

.PHONY: all deps native windows win32 win64 service run screenshots test test-native \
	test-windows test-win32 test-win64 run-win32 run-win64 screenshots-win32 screenshots-win64 \
	bench bench-startup-win32 bench-startup-win64 format clean dist deb deb-check

all: native windows

# What every build needs, or one build's own packages (deps-native,
# deps-windows, deps-win32, deps-win64, deps-dist, deps-bench, deps-deb,
# deps-deb-check).
deps:
	@scripts/install-deps.sh

deps-%:
	@scripts/install-deps.sh $*

native: deps-native
	cmake --preset native >/dev/null
	cmake --build --preset native

windows: deps-windows
	$(call for_this_machine,build)

win32 win64: win%: deps-win%
	$(MAKE) --no-print-directory build-win$*

build-win32 build-win64: build-win%:
	cmake --preset win$* >/dev/null
	cmake --build --preset win$*

# The Windows package, with the version of the program's version record; the
# same bytes every time it is built from the same sources. Cross-compiled:
# it runs nothing, so it is made on every machine.
dist: deps-dist
	cmake --preset win32 >/dev/null
	cmake --build --preset win32 --target dist

# The Debian package build/deb/quorvel_<version>_<arch>.deb of the two
# native tools, their manual pages and the service's unit, checked with
# lintian; the same bytes every time it is built from the same commit.
deb: deps-deb
	packaging/deb/build-deb.sh

# That package installed into a clean Debian 12 (made once by debootstrap,
# kept in build/deb-check) and its tools run there; needs root. Not part of
# make test.
deb-check: deb deps-deb-check
	packaging/deb/deb-check.sh

test: test-native test-windows

test-native: native
	ctest --preset native

test-windows: deps-windows
	$(call for_this_machine,test)

# One wineserver for the whole run (Wine starts once), ended afterwards so
# that nothing outlives the run; the tests draw on a private X display.
test-win32: build-win32
	$(call wine_env,32) scripts/with-display.sh scripts/wine-session.sh ctest --preset win32

# The 64-bit path also builds the package's 32-bit program, so that it
# compiles there too; its package test runs the 64-bit build's package.
test-win64: build-win64 dist
	@echo "The package test runs the 64-bit build's package through the same steps;" \
	  "the 32-bit package's Quorvel.exe is not run on this path."
	$(call wine_env,64) scripts/with-display.sh scripts/wine-session.sh ctest --preset win64

# Speed figures of the handset lookup and of quorvel-cli, built optimised and
# without sanitizers in build/bench, of the download class and the service;
# then the start of Quorvel.exe against a bare window under Wine, in the
# Windows build of this machine's width. Not part of the tests.
bench: deps-bench deps-windows
	cmake --preset bench >/dev/null
	cmake --build --preset bench
	cd build/bench && bench/quorvel-bench
	bench/download-bench.sh
	bench/service-bench.sh
	$(call for_this_machine,bench-startup)

bench-startup-win32 bench-startup-win64: bench-startup-win%: build-win%
	bench/startup-bench.sh $*

# The on-line analysis service comes from the native build.
service: deps-native
	cmake --preset native >/dev/null
	cmake --build --preset native --target quorvel-service

run: deps-windows service
	$(call for_this_machine,run)

run-win32 run-win64: run-win%: build-win%
	$(call wine_env,$*) scripts/run-program.sh build/win$*/bin/Quorvel.exe \
		build/native/tools/quorvel-service build/screenshot.png

screenshots: deps-windows
	$(call for_this_machine,screenshots)

screenshots-win32 screenshots-win64: screenshots-win%: build-win%
	$(call wine_env,$*) scripts/screenshots.sh build/win$* build

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf build
