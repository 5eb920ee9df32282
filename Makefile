# The project's commands. CMake does the building; these targets install what is missing,
# build the native side (portable libraries, host tools, native tests) and the Windows side
# (the program, its hook library and the Windows tests), and run them.

NATIVE := build/native
WINDOWS := build/win32
JOBS ?= $(shell nproc)

.PHONY: test run prerequisites native win32 clean

test: native win32
	cd $(NATIVE) && ctest --output-on-failure -j $(JOBS)
	cd $(WINDOWS) && ctest --output-on-failure

run: prerequisites win32
	scripts/run-monitor.sh

prerequisites:
	@scripts/install-prerequisites.sh

native: prerequisites
	@cmake -S . -B $(NATIVE) -G Ninja -DCMAKE_BUILD_TYPE=Debug >/dev/null
	@cmake --build $(NATIVE) -j $(JOBS)

win32: prerequisites
	@cmake -S . -B $(WINDOWS) -G Ninja -DCMAKE_BUILD_TYPE=Release \
	  -DCMAKE_TOOLCHAIN_FILE=cmake/Toolchain-i686-w64-mingw32.cmake >/dev/null
	@cmake --build $(WINDOWS) -j $(JOBS)

clean:
	rm -rf build
