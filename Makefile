# The project's commands. CMake does the building; these targets install what is missing,
# build the native side (portable libraries, host tools, native tests) and the Windows side
# (the program, its hook library and the Windows tests), and run them.
#
# The Windows suites run on the shipped 32-bit build where 32-bit Wine runs, natively or
# through an i386 emulator, and on a 64-bit build of the same sources under 64-bit Wine where
# it does not (scripts/machine.sh); VD_WINDOWS_TESTS=win64 (or win32) chooses. The shipped
# 32-bit program is built either way.

NATIVE := build/native
WIN32 := build/win32
WIN64 := build/win64
FUZZ := build/fuzz
JOBS ?= $(shell nproc)
CHOOSE := . scripts/machine.sh && vd_choose_windows_build

.PHONY: test test-win64 test-emulated run demo bench soak golden scene-pictures dist prerequisites native win32 win64 shipped fuzz clean \
        windows-tests-win32 windows-tests-win64 run-win32 run-win64 demo-win32 demo-win64 bench-win32 bench-win64 \
        soak-win32 soak-win64

test: native shipped fuzz
	cd $(NATIVE) && ctest --output-on-failure -j $(JOBS)
	@$(CHOOSE) && \
	  if [ $$VD_WINDOWS_BUILD = win64 ]; then bits=64; else bits=32; fi && \
	  echo "Windows tests: $$bits-bit build ($$VD_WINDOWS_WHY)" && \
	  $(MAKE) --no-print-directory windows-tests-$$VD_WINDOWS_BUILD
	cd $(FUZZ) && ctest --output-on-failure

test-win64:
	VD_WINDOWS_TESTS=win64 $(MAKE) test

# The emulated path where the kernel runs 32-bit programs itself: "make test" as on a kernel
# that cannot, in a user and mount namespace of its own, whose binfmt_misc (Linux 6.7 and
# later) keeps the emulator's registration to it and ends with it. With
# VD_SIMULATE_BINFMT_REFUSED=1 the registration is refused, and the tests take the 64-bit path.
# The namespace's root cannot install packages: those of both paths are installed first.
test-emulated:
	@scripts/install-prerequisites.sh && VD_WINDOWS_TESTS=win64 scripts/install-prerequisites.sh
	VD_SIMULATE_NO_32BIT=1 unshare --user --map-root-user --mount \
	  sh -c 'mount -t binfmt_misc binfmt_misc /proc/sys/fs/binfmt_misc && exec $(MAKE) test'

windows-tests-win32: win32
	cd $(WIN32) && ctest --output-on-failure

windows-tests-win64: win64
	cd $(WIN64) && ctest --output-on-failure

run: prerequisites native
	@$(CHOOSE) && $(MAKE) --no-print-directory run-$$VD_WINDOWS_BUILD VD_WINDOWS_WHY="$$VD_WINDOWS_WHY"

run-win32: shipped
	@echo "Running the 32-bit build ($(VD_WINDOWS_WHY))."
	@scripts/run-monitor.sh $(WIN32)

run-win64: native
	@$(call configure,$(WIN64),x86_64)
	@cmake --build $(WIN64) -j $(JOBS) --target VDMon ksHook
	@echo "Running the 64-bit build ($(VD_WINDOWS_WHY))."
	@scripts/run-monitor.sh $(WIN64)

# The scripted tour (demo/), the benchmarks and the soak (tests/bench/): driver programs that
# run the monitor under Wine with the stand-ins of the end-to-end tests, in a prefix of their
# own, on the Windows build that runs here; the benchmarks and the soak never on an emulated
# one. What they print is kept in out/demo.txt, out/bench.txt and out/soak.txt.
demo bench soak: prerequisites native
	@$(if $(filter bench soak,$@),scripts/install-prerequisites.sh timings &&) \
	  $(CHOOSE) $(if $(filter bench soak,$@),timings) && $(MAKE) --no-print-directory $@-$$VD_WINDOWS_BUILD VD_WINDOWS_WHY="$$VD_WINDOWS_WHY"

# $(1) build folder, $(2) target triple's processor, $(3) bits, $(4) demo, bench or soak,
# $(5) driver target, $(6) driver arguments.
drive = $(call configure,$(1),$(2)) && cmake --build $(1) -j $(JOBS) --target $(5) && \
        echo "The $(4) runs the $(3)-bit build ($(VD_WINDOWS_WHY))." && scripts/run-driver.sh $(4) $(1) $(5).exe $(6)

# The About window and the notice drawn natively with the cairo canvas (tools/scene-render),
# kept beside the demo's screenshots.
demo: scene-pictures
scene-pictures: native
	@mkdir -p out
	@for state in normal hot pressed; do \
	  $(NATIVE)/bin/scene-render forms/VDMonMain.form out/scene-about-$$state.png --state $$state || exit 1; done
	@$(NATIVE)/bin/scene-render forms/VDMonMain.form out/scene-about-CH.png --language CH
	@$(NATIVE)/bin/scene-render forms/Notice.form out/scene-notice-profile.png \
	  --set NoticeRoot.Opacity=1 --set "NoticeText.Text='Profile 5'"
	@echo "Drawn with cairo: out/scene-about-{normal,hot,pressed,CH}.png, out/scene-notice-profile.png"

# Writes the golden pictures of the native suite (tests/forms/golden/) again; review what
# changed as pictures before committing them.
golden: native
	@VD_UPDATE_GOLDEN=1 $(NATIVE)/bin/vd_forms_tests --gtest_brief=1 >/dev/null
	@git status --short tests/forms/golden

# The demo's screenshots go to out/ (drive Z: is the machine's root under Wine).
demo-win32:
	@$(call drive,$(WIN32),i686,32,demo,VDMonDemo,--out "Z:$(CURDIR)/out")
demo-win64:
	@$(call drive,$(WIN64),x86_64,64,demo,VDMonDemo,--out "Z:$(CURDIR)/out")
bench-win32:
	@$(call drive,$(WIN32),i686,32,bench,VDMonBench,--clock-ticks $$(getconf CLK_TCK))
bench-win64:
	@$(call drive,$(WIN64),x86_64,64,bench,VDMonBench,--clock-ticks $$(getconf CLK_TCK))
soak-win32:
	@$(call drive,$(WIN32),i686,32,soak,VDMonSoak)
soak-win64:
	@$(call drive,$(WIN64),x86_64,64,soak,VDMonSoak)

prerequisites:
	@scripts/install-prerequisites.sh

# The installer and the zip of the shipped 32-bit build, in out/, and the installer of the
# 64-bit test build (build/win64/dist/), which the tests install where 32-bit Wine cannot run.
# The version comes from the VERSION file.
dist: native
	@VD_WIN64_TOOLCHAIN=1 scripts/install-prerequisites.sh
	@$(call configure,$(WIN32),i686)
	@cmake --build $(WIN32) -j $(JOBS) --target vd_dist
	@$(call configure,$(WIN64),x86_64)
	@cmake --build $(WIN64) -j $(JOBS) --target vd_dist
	@mkdir -p out
	@cp $(WIN32)/dist/VDMon-setup.exe $(WIN32)/dist/VDMon-$$(cat VERSION).zip out/
	@echo "Made out/VDMon-setup.exe, out/VDMon-$$(cat VERSION).zip and $(WIN64)/dist/VDMon-setup.exe (64-bit, for the tests)"

native: prerequisites
	@cmake -S . -B $(NATIVE) -G Ninja -DCMAKE_BUILD_TYPE=Debug >/dev/null
	@cmake --build $(NATIVE) -j $(JOBS)

# The Windows builds run the native host tools (dictc, ...), so the native side comes first.
configure = cmake -S . -B $(1) -G Ninja -DCMAKE_BUILD_TYPE=Release --no-warn-unused-cli \
              -DCMAKE_TOOLCHAIN_FILE=cmake/Toolchain-$(2)-w64-mingw32.cmake >/dev/null

win32: prerequisites native
	@$(call configure,$(WIN32),i686)
	@cmake --build $(WIN32) -j $(JOBS)

# The shipped program and its hook library alone.
shipped: prerequisites native
	@$(call configure,$(WIN32),i686)
	@cmake --build $(WIN32) -j $(JOBS) --target VDMon ksHook

win64: prerequisites native
	@$(call configure,$(WIN64),x86_64)
	@cmake --build $(WIN64) -j $(JOBS)

# Fuzz targets: clang with libFuzzer; each runs for a bounded time in the tests.
fuzz: prerequisites
	@CC=clang CXX=clang++ cmake -S . -B $(FUZZ) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVD_FUZZ=ON >/dev/null
	@cmake --build $(FUZZ) -j $(JOBS)

clean:
	rm -rf build
