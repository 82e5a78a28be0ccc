#!/usr/bin/env bash
# Builds the Debian package twice, with file times taken from the last commit
# (SOURCE_DATE_EPOCH), and checks that the two are the same byte for byte: once from the
# Release build of the default preset (build/, made here if it is not there yet), once from a
# fresh build in another folder. Both compile anew: no compiler cache is used. Leaves the
# package in build-package/.
#   packaging/reproducible.sh
set -euo pipefail
cd "$(dirname "$0")/.."
SOURCE_DATE_EPOCH="$(git log -1 --format=%ct)"
export SOURCE_DATE_EPOCH
unset CMAKE_CXX_COMPILER_LAUNCHER CMAKE_C_COMPILER_LAUNCHER
[ -f build/CMakeCache.txt ] || cmake --preset default >/dev/null
if grep -q '^CMAKE_CXX_COMPILER_LAUNCHER:.*=.\+' build/CMakeCache.txt; then
  echo "build/ was configured with a compiler cache; configure it without one"
  exit 1
fi
cmake --build --preset default -j 2 >/dev/null
rm -rf build-repro build-package1 build-package2
cmake -S . -B build-repro -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build-repro -j 2 --target hoops-ranking >/dev/null
(cd build && cpack -G DEB -B "$PWD/../build-package1" >/dev/null)
(cd build-repro && cpack -G DEB -B "$PWD/../build-package2" >/dev/null)
cmp build-package1/hoops-ranking_*.deb build-package2/hoops-ranking_*.deb
rm -rf build-package && mv build-package1 build-package
rm -rf build-package2 build-repro
echo "the package is reproducible: $(ls build-package/hoops-ranking_*.deb)"
