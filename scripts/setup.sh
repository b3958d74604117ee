#!/usr/bin/env bash
# Installs every Debian package that building, running and testing pravik needs.
# Safe to run again: packages already present are skipped and apt-get update runs at most once.
set -euo pipefail

packages=(
  build-essential cmake ninja-build ccache pkg-config
  qt6-base-dev qt6-base-dev-tools libqt6sql6-sqlite libqt6sql6-psql libqt6sql6-odbc
  libgl-dev libsqlite3-dev sqlite3
  libgtest-dev libgmock-dev
  postgresql postgresql-client
  unixodbc unixodbc-dev odbc-postgresql tdsodbc
  libxlsxwriter-dev libcurl4-openssl-dev
  fonts-dejavu-core fonts-dejavu-extra
  qpdf poppler-utils libxml2-utils python3
  time cups-client
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if ((${#missing[@]})); then
  SUDO=""
  [ "$(id -u)" -eq 0 ] || SUDO="sudo"
  echo "setup: installing ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -qq
  $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
echo "setup: all packages present"
