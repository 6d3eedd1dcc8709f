# Sourced by the scripts in tools/: installs the Debian packages a script needs when they
# are missing, or, run as another user, prints the apt-get command for root and stops.
set -euo pipefail

ZARVEL_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

zarvel_install_missing() {
  local missing=()
  local package
  for package in "$@"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
      missing+=("$package")
    fi
  done
  [ "${#missing[@]}" -eq 0 ] && return 0
  if [ "$(id -u)" -ne 0 ]; then
    echo "zarvel: these packages are missing: ${missing[*]}" >&2
    echo "zarvel: install them as root, then run this command again:" >&2
    echo "  apt-get update && apt-get install -y ${missing[*]}" >&2
    exit 1
  fi
  echo "zarvel: installing ${missing[*]}"
  apt-get update -qq
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}" >/dev/null
}
