#!/usr/bin/env bash
# Builds the Debian package from a Release tree in build-package/ and checks it.
#   scripts/package.sh               build-package/tavolix_<version>_<arch>.deb, checked by lintian
#   scripts/package.sh --no-lintian  the package without lintian's check
#   scripts/package.sh --deps        only install what building and checking it needs
set -euo pipefail
cd "$(dirname "$0")/.."

lint=1
[ "${1:-}" = "--no-lintian" ] && lint=0
tools=(dpkg-dev appstream)
[ "$lint" -eq 1 ] && tools+=(lintian)
scripts/install-deps.sh "${tools[@]}"
[ "${1:-}" = "--deps" ] && exit 0

# Dates inside the package are those of the last commit, so one commit packs to the same files.
SOURCE_DATE_EPOCH=$(git log -1 --format=%ct 2>/dev/null || date +%s)
export SOURCE_DATE_EPOCH
# Debian's hardening flags, all of them; CMake reads no CPPFLAGS, so they join the compiler flags.
# No debug information: the programs are stripped.
export DEB_BUILD_MAINT_OPTIONS="hardening=+all" DEB_CXXFLAGS_MAINT_STRIP="-g"
cmake -S . -B build-package -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DTAVOLIX_BUILD_TESTS=OFF -DTAVOLIX_BUILD_BENCH=OFF \
  -DCMAKE_CXX_FLAGS="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)" \
  -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)"
cmake --build build-package
rm -f build-package/tavolix_*.deb
(cd build-package && cpack -G DEB)

deb=$(ls build-package/tavolix_*.deb)
appstreamcli validate --no-net build-package/packaging/*.metainfo.xml
if [ "$lint" -eq 1 ]; then
  allow_root=()
  [ "$(id -u)" -eq 0 ] && allow_root=(--allow-root)
  lintian "${allow_root[@]}" --info --pedantic "$deb"
fi
echo "Package: $deb"
