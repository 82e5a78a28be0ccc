# The toolchain floor, checked anew at every configure and named in its message: GCC 12,
# Clang 16, AppleClang 15 or MSVC 19.30 (Visual Studio 2022), with libstdc++ 12, libc++ 16 or
# Microsoft's library, and macOS 14 where the program runs on macOS. Older standard libraries
# lack parts the program relies on (libc++ 14 has no <memory_resource>, macOS before 14 ships
# no std::pmr) or sort a list through temporary lists of another memory (libstdc++ 11), which
# aborts the first load.

set(floors GNU 12 Clang 16 AppleClang 15 MSVC 19.30)
list(FIND floors "${CMAKE_CXX_COMPILER_ID}" at)
if(at GREATER_EQUAL 0)
  math(EXPR at "${at} + 1")
  list(GET floors ${at} floor)
  if(CMAKE_CXX_COMPILER_VERSION VERSION_LESS floor)
    message(FATAL_ERROR "hoops-ranking needs GCC 12, Clang 16, AppleClang 15 or MSVC 19.30 "
                        "or newer; this is ${CMAKE_CXX_COMPILER_ID} ${CMAKE_CXX_COMPILER_VERSION}")
  endif()
endif()

if(APPLE AND CMAKE_OSX_DEPLOYMENT_TARGET VERSION_LESS 14)
  message(FATAL_ERROR "hoops-ranking needs macOS 14 or newer (its std::pmr); "
                      "CMAKE_OSX_DEPLOYMENT_TARGET is ${CMAKE_OSX_DEPLOYMENT_TARGET}")
endif()

# Which standard library the compiler uses, with the flags given, and its version: a template
# left undefined on purpose makes the compiler print the version macro's value.
try_compile(ignored SOURCE_FROM_CONTENT standard_library.cc [[
#include <version>
#if defined(_LIBCPP_VERSION)
template <long> struct libcxx_version;
libcxx_version<_LIBCPP_VERSION> found;
#elif defined(__GLIBCXX__)
template <long> struct libstdcxx_version;
libstdcxx_version<_GLIBCXX_RELEASE> found;
#elif defined(_MSVC_STL_VERSION)
template <long> struct msvc_stl_version;
msvc_stl_version<_MSVC_STL_VERSION> found;
#endif
int main() {}
]] CXX_STANDARD 20 OUTPUT_VARIABLE output)
if(output MATCHES "(libcxx|libstdcxx|msvc_stl)_version<([0-9]+)")
  set(library ${CMAKE_MATCH_1})
  set(version ${CMAKE_MATCH_2})
  if(library STREQUAL "libcxx")
    math(EXPR major "${version} / 10000")  # 160006 is 16.0.6
    set(name "libc++ ${major}")
    set(recent ${major})
    set(floor 16)
  elseif(library STREQUAL "libstdcxx")
    set(name "libstdc++ ${version}")
    set(recent ${version})
    set(floor 12)
  else()
    set(name "Microsoft's C++ library ${version}")
    set(recent 1)
    set(floor 1)
  endif()
  message(STATUS "C++ standard library: ${name}")
  if(recent LESS floor)
    message(FATAL_ERROR "hoops-ranking needs libstdc++ 12 or libc++ 16 or newer; "
                        "this compiler uses ${name}")
  endif()
else()
  message(WARNING "the C++ standard library could not be told; it is not checked")
endif()
