#!/usr/bin/env bash
# Sets up a Debian 12 machine for Карвелон and then plays or tests it.
#   ./setup.sh play   installs what is missing, builds in Release and starts the game
#   ./setup.sh test   installs what is missing, builds with the tests and runs them all
#   ./setup.sh sanitize   the tests once more, built with AddressSanitizer and UndefinedBehaviorSanitizer
set -euo pipefail
cd "$(dirname "$0")"

mode=${1:-play}
packages=(cmake g++ make pkg-config qt6-base-dev qt6-multimedia-dev libgl-dev
          fonts-liberation2 fonts-dejavu-core fonts-urw-base35 xvfb xauth libbenchmark-dev qt6-tools-dev libqt6opengl6-dev
          valgrind xdotool openbox imagemagick)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    echo "Устанавливаю: ${missing[*]}"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

jobs=$(nproc 2>/dev/null || echo 2)
case "$mode" in
play)
    cmake -S . -B build-release -DCMAKE_BUILD_TYPE=Release -DKARV_BUILD_TESTS=OFF
    cmake --build build-release -j "$jobs"
    exec ./build-release/karv20
    ;;
test)
    cmake -S . -B build-test -DCMAKE_BUILD_TYPE=Release -DKARV_BUILD_TESTS=ON
    cmake --build build-test -j "$jobs"
    cd build-test
    QT_QPA_PLATFORM=offscreen ctest --output-on-failure --timeout 600
    ;;
sanitize)
    cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=Debug -DKARV_BUILD_TESTS=ON -DKARV_SANITIZE=ON
    cmake --build build-sanitize -j "$jobs"
    cd build-sanitize
    QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
        ctest --output-on-failure --timeout 900
    ;;
*)
    echo "usage: $0 play|test|sanitize" >&2
    exit 2
    ;;
esac
