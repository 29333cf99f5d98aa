#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing need.
# Idempotent: does nothing when everything is present.
set -euo pipefail

packages=(
  cmake g++ ninja-build make pkg-config
  qt6-base-dev qt6-multimedia-dev
  libonig-dev libjpeg-dev
  libgtest-dev googletest libgmock-dev
  ngircd dante-server
  clang libclang-rt-14-dev libbenchmark-dev
  locales socat
  fonts-noto-cjk qt6-translations-l10n
)

sudo=""
[[ $(id -u) -eq 0 ]] || sudo="sudo"

missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$p")
done
if [[ ${#missing[@]} -gt 0 ]]; then
  echo "installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  $sudo apt-get update -qq
  $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"

  # The servers are started by the tests themselves; stop any service the
  # package scripts may have started so ports and pid files stay free.
  for svc in ngircd danted; do
    $sudo service "$svc" stop >/dev/null 2>&1 || true
  done
fi

# The tests format times under a Japanese locale too.
if ! locale -a | grep -qix 'ja_JP.utf8'; then
  echo "generating the locale ja_JP.UTF-8"
  $sudo sed -i -E 's/^# *(ja_JP\.UTF-8 UTF-8)/\1/' /etc/locale.gen
  grep -qx 'ja_JP.UTF-8 UTF-8' /etc/locale.gen || echo 'ja_JP.UTF-8 UTF-8' | $sudo tee -a /etc/locale.gen >/dev/null
  $sudo locale-gen
fi
