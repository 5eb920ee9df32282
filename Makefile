# The project's commands. CMake does the building; these targets install what is missing,
# build the native side (portable libraries, host tools, native tests) and the Windows side
# (the program, its hook library and the Windows tests), and run them.

NATIVE := build/native
WINDOWS := build/win32
FUZZ := build/fuzz
JOBS ?= $(shell nproc)

.PHONY: test run prerequisites native win32 fuzz clean

test: native win32 fuzz
	cd $(NATIVE) && ctest --output-on-failure -j $(JOBS)
	cd $(WINDOWS) && ctest --output-on-failure
	cd $(FUZZ) && ctest --output-on-failure

run: prerequisites win32
	scripts/run-monitor.sh

prerequisites:
	@scripts/install-prerequisites.sh

native: prerequisites
	@cmake -S . -B $(NATIVE) -G Ninja -DCMAKE_BUILD_TYPE=Debug >/dev/null
	@cmake --build $(NATIVE) -j $(JOBS)

# The Windows build runs the native host tools (dictc, ...), so the native side comes first.
win32: prerequisites native
	@cmake -S . -B $(WINDOWS) -G Ninja -DCMAKE_BUILD_TYPE=Release \
	  -DCMAKE_TOOLCHAIN_FILE=cmake/Toolchain-i686-w64-mingw32.cmake >/dev/null
	@cmake --build $(WINDOWS) -j $(JOBS)

# Fuzz targets: clang with libFuzzer; each runs for a bounded time in the tests.
fuzz: prerequisites
	@CC=clang CXX=clang++ cmake -S . -B $(FUZZ) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVD_FUZZ=ON >/dev/null
	@cmake --build $(FUZZ) -j $(JOBS)

clean:
	rm -rf build
