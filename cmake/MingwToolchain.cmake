# The mingw-w64 cross toolchain of one target triple (VD_MINGW_TRIPLE, set by the toolchain
# file that includes this one): the posix thread model, since GoogleTest needs std::mutex.
# Programs are linked statically and run under Wine for the tests.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_C_COMPILER ${VD_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${VD_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${VD_MINGW_TRIPLE}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${VD_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
