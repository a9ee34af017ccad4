# SPDX-FileCopyrightText: 2026 Equipo Vandrel
# SPDX-License-Identifier: GPL-2.0-only
# Everything a newcomer needs on Debian 12: `make run` and `make test`. Each
# target installs only what it needs (scripts/install-deps.sh PURPOSE); the
# build folders and their settings are CMakePresets.json's, which IDEs open too.
JOBS ?= $(shell nproc)
CMAKE ?= cmake
DEPS = ./scripts/install-deps.sh
# The one version, written in CMakeLists.txt's project() and read from there.
VERSION := $(shell sed -n 's/^project([^)]* VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
DEB = build-package/vandrel-exp-editor_$(VERSION)_amd64.deb
WINDOWS_INSTALLER = build-windows/vandrel-exp-editor-$(VERSION)-win64-instalador.exe

.PHONY: build run test bench package licences test-package fuzz fuzz-smoke fuzz-build format-check screenshots install clean \
  windows test-windows windows-package

build:
	$(DEPS) run
	$(CMAKE) --preset run
	$(CMAKE) --build --preset run -j$(JOBS)

run: build
	./build/vandrel-exp-editor

# Every test under AddressSanitizer and UndefinedBehaviorSanitizer, the
# Windows-only code through the cross compiler, then a short libFuzzer run of
# the table reader.
test:
	$(DEPS) test
	$(CMAKE) --preset test
	$(CMAKE) --build --preset test -j$(JOBS)
	VEXP_SARIF_SCHEMA=$$(./scripts/sarif-schema.sh) ctest --preset test -j$(JOBS)
	./scripts/check-windows.sh
	$(MAKE) format-check
	$(MAKE) fuzz-smoke

# Every tracked C++ file as .clang-format lays it out.
format-check:
	git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format --dry-run -Werror

bench:
	$(DEPS) bench
	$(CMAKE) --preset bench
	$(CMAKE) --build --preset bench -j$(JOBS)
	./build-bench/vexp_bench --benchmark_counters_tabular=true

fuzz-build:
	$(DEPS) test
	$(CMAKE) --preset fuzz
	$(CMAKE) --build --preset fuzz -j$(JOBS)

# A long run: make fuzz FUZZ_RUNS=1000000
FUZZ_RUNS ?= -1
fuzz: fuzz-build
	mkdir -p build-fuzz/corpus
	./build-fuzz/fuzz_reader -runs=$(FUZZ_RUNS) -max_len=4096 build-fuzz/corpus tests/fuzz/corpus
	mkdir -p build-fuzz/job_corpus
	./build-fuzz/fuzz_job_chain -runs=$(FUZZ_RUNS) -max_len=4096 -timeout=10 build-fuzz/job_corpus tests/fuzz/job_corpus
	mkdir -p build-fuzz/group_corpus
	./build-fuzz/fuzz_exp_groups -runs=$(FUZZ_RUNS) -max_len=4096 -timeout=10 build-fuzz/group_corpus tests/fuzz/group_corpus

fuzz-smoke: fuzz-build
	mkdir -p build-fuzz/corpus
	./build-fuzz/fuzz_reader -runs=100000 -max_len=4096 build-fuzz/corpus tests/fuzz/corpus
	mkdir -p build-fuzz/job_corpus
	./build-fuzz/fuzz_job_chain -runs=20000 -max_len=4096 -timeout=10 build-fuzz/job_corpus tests/fuzz/job_corpus
	mkdir -p build-fuzz/group_corpus
	./build-fuzz/fuzz_exp_groups -runs=20000 -max_len=4096 -timeout=10 build-fuzz/group_corpus tests/fuzz/group_corpus

screenshots: build
	$(DEPS) screenshots
	./scripts/screenshots.sh

install: build
	$(CMAKE) --install build

# The Debian package, $(DEB), with Debian's hardening flags (the package
# preset); lintian, appstreamcli and desktop-file-validate check it (a hint
# fails it too).
package:
	$(DEPS) package
	$(CMAKE) --preset package
	$(CMAKE) --build --preset package -j$(JOBS)
	cd build-package && cpack -G DEB
	appstreamcli validate --no-net build-package/packaging/org.example.VandrelExpEditor.metainfo.xml
	! desktop-file-validate resources/vandrel-exp-editor.desktop | grep .
	lintian --fail-on error $(DEB)

# Every file says its licence (REUSE).
licences:
	$(DEPS) package
	reuse lint

# Installs the package with apt-get in a fresh Debian 12 root (debootstrap,
# as root) and runs both programs there.
test-package: package
	$(DEPS) package-test
	./scripts/test-package.sh $(DEB)

# The Qt and yaml-cpp for Windows in ~/.cache/vandrel-exp-editor stay: Qt takes long to build.
clean:
	rm -rf build build-test build-bench build-fuzz build-host build-windows build-package

# 64-bit Windows: Qt and yaml-cpp built once from Debian's source into a cache
# outside the tree (scripts/build-qt-windows.sh, scripts/build-yaml-cpp-windows.sh),
# then both programs linked statically.

windows:
	$(DEPS) windows
	$(CMAKE) --preset host
	$(CMAKE) --build --preset host-renderer -j$(JOBS)
	qt=$$(./scripts/build-qt-windows.sh) && yaml=$$(./scripts/build-yaml-cpp-windows.sh) && \
	  VEXP_QT_WINDOWS="$$qt" VEXP_YAML_CPP_WINDOWS="$$yaml" $(CMAKE) --preset windows
	$(CMAKE) --build --preset windows -j$(JOBS)

# Under Wine, each step on an X display the server picks and in a Wine prefix
# of its own: every test program built for Windows, the editor driven end to
# end by keys, the tool's pictures and texts, and the installer's silent
# install, reinstall elsewhere and uninstall.
test-windows: windows windows-package
	$(CMAKE) --build --preset host-tool -j$(JOBS)
	prefix=$$(mktemp -d) && cd build-windows && { WINEPREFIX=$$prefix xvfb-run -a -s "-screen 0 1280x1024x24" \
	  ctest --output-on-failure --timeout 600; status=$$?; WINEPREFIX=$$prefix /usr/lib/wine/wineserver -k 2>/dev/null; \
	  rm -rf $$prefix; exit $$status; }
	./tests/windows/e2e.sh build-windows build-host/vandrel-exp .
	./tests/windows/install.sh $(WINDOWS_INSTALLER) $(VERSION)

# The zip, the installer and the source zip, in build-windows/.
windows-package: windows
	./scripts/package-windows.sh build-windows
