#!/usr/bin/env bash
# Installs every Debian package that building, testing and running Formulon Zizi
# need, and generates the locales the tests switch to. Non-interactive and
# idempotent: when everything is present it only queries dpkg and exits.
set -euo pipefail

PACKAGES=(
  build-essential g++ cmake make pkg-config
  libwxgtk3.2-dev wx3.2-i18n
  libgtest-dev libgmock-dev libbenchmark-dev nlohmann-json3-dev
  xvfb xauth x11-apps x11-utils
  gettext locales
  clang libclang-rt-14-dev
)
LOCALES=(en_US.UTF-8 de_DE.UTF-8 ru_RU.UTF-8)

SUDO=()
if [ "$(id -u)" -ne 0 ]; then
  if command -v sudo >/dev/null 2>&1; then
    SUDO=(sudo)
  else
    echo "install-deps: not root and no sudo; install these packages by hand: ${PACKAGES[*]}" >&2
    exit 1
  fi
fi

missing=()
for p in "${PACKAGES[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [ "$status" = "install ok installed" ] || missing+=("$p")
done

if [ "${#missing[@]}" -gt 0 ]; then
  echo "install-deps: installing ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  "${SUDO[@]}" apt-get -o DPkg::Lock::Timeout=600 update -qq
  "${SUDO[@]}" apt-get -o DPkg::Lock::Timeout=600 install -y -qq --no-install-recommends "${missing[@]}"
fi

# Locale names as `locale -a` lists them: lower case, "utf8".
have_locale() {
  local want
  want=$(echo "$1" | tr 'A-Z' 'a-z' | sed 's/utf-8/utf8/')
  locale -a 2>/dev/null | tr 'A-Z' 'a-z' | grep -qx "$want"
}

need_gen=0
for l in "${LOCALES[@]}"; do
  have_locale "$l" || need_gen=1
done
if [ "$need_gen" -eq 1 ]; then
  echo "install-deps: generating locales ${LOCALES[*]}"
  for l in "${LOCALES[@]}"; do
    "${SUDO[@]}" sed -i -E "s/^# *(${l//./\\.} UTF-8)/\\1/" /etc/locale.gen
    grep -qE "^${l//./\\.} UTF-8" /etc/locale.gen || echo "$l UTF-8" | "${SUDO[@]}" tee -a /etc/locale.gen >/dev/null
  done
  "${SUDO[@]}" locale-gen >/dev/null
fi
