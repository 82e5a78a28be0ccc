#!/usr/bin/env bash
# Builds the Debian package twice from this tree, in two fresh build folders, with file
# times taken from the last commit (SOURCE_DATE_EPOCH), and checks that the two are the same
# byte for byte. Leaves the package in build-package/.
#   packaging/reproducible.sh
set -euo pipefail
cd "$(dirname "$0")/.."
SOURCE_DATE_EPOCH="$(git log -1 --format=%ct)"
export SOURCE_DATE_EPOCH
for n in 1 2; do
  rm -rf "build-repro$n" "build-package$n"
  cmake -S . -B "build-repro$n" -DCMAKE_BUILD_TYPE=Release >/dev/null
  cmake --build "build-repro$n" -j 2 --target hoops-ranking >/dev/null
  (cd "build-repro$n" && cpack -G DEB -B "$PWD/../build-package$n" >/dev/null)
done
cmp build-package1/hoops-ranking_*.deb build-package2/hoops-ranking_*.deb
rm -rf build-package && mv build-package1 build-package
rm -rf build-package2 build-repro1 build-repro2
echo "the package is reproducible: $(ls build-package/hoops-ranking_*.deb)"
