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
  # apt shows what it does, a line at a time: on a fresh system the download and set-up
  # take minutes, which a silent command would leave unexplained.
  echo "zarvel: installing ${missing[*]} and what they need (a few minutes on a fresh system)"
  echo "zarvel: apt-get update: reading the package lists"
  apt-get update -q
  echo "zarvel: apt-get install: downloading, unpacking and setting up the packages"
  DEBIAN_FRONTEND=noninteractive apt-get install -y -q -o Dpkg::Use-Pty=0 "${missing[@]}"
  echo "zarvel: the packages are installed"
}
