# Cross build for 64-bit Windows. Not shipped: it runs the Windows suites under 64-bit Wine
# on machines that cannot run 32-bit Wine (scripts/machine.sh).
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(VD_MINGW_TRIPLE x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/MingwToolchain.cmake)
