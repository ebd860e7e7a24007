# Initial cache of the release build that scripts/package.sh makes (cmake -C cmake/Release.cmake):
# optimised, without debug information, and stripped at link time. The Windows build links
# -static anyway (CMakeLists.txt), so PICTAVO.EXE needs none of the compiler's runtime DLLs.
set(CMAKE_BUILD_TYPE Release CACHE STRING "")
set(CMAKE_C_FLAGS_RELEASE "-O2 -DNDEBUG" CACHE STRING "")
set(CMAKE_CXX_FLAGS_RELEASE "-O2 -DNDEBUG" CACHE STRING "")
set(CMAKE_EXE_LINKER_FLAGS_RELEASE "-s" CACHE STRING "")
