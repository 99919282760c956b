#!/usr/bin/env bash
# Installs the Debian packages Fenolda needs to build, test and run; with --fuzz also those
# of make fuzz.
# Only what is missing is installed; runs as root or through sudo.
set -euo pipefail

packages=(
    build-essential cmake ninja-build pkg-config
    qt6-base-dev qt6-base-dev-tools qt6-svg-dev libqt6svg6 qt6-qpa-plugins qt6-translations-l10n libgl-dev
    libsqlite3-dev libcurl4-openssl-dev libssl-dev zlib1g-dev
    nlohmann-json3-dev libcpp-httplib-dev
    libgtest-dev libgmock-dev libbenchmark-dev
    fonts-crosextra-carlito fonts-dejavu-core fonts-liberation2
    xvfb xauth openssl
    sqlite3
)
# make fuzz: clang with its libFuzzer and sanitizer runtimes.
if [ "${1:-}" = "--fuzz" ]; then
    packages+=(clang libclang-rt-14-dev)
fi

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done

if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi

echo "Installing: ${missing[*]}"
# sudo drops the caller's environment, so the setting that keeps a package's configuration from
# asking a question goes on apt-get's own command line.
apt_get=(env DEBIAN_FRONTEND=noninteractive apt-get)
if [ "$(id -u)" -ne 0 ]; then
    apt_get=(sudo "${apt_get[@]}")
fi
"${apt_get[@]}" update -q
"${apt_get[@]}" install -y -q --no-install-recommends "${missing[@]}"
