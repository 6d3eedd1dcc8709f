# Sourced by the scripts in tools/: installs the Debian packages a script needs when they
# are missing, or, run as another user, prints the apt-get command for root and stops.
set -euo pipefail

ZARVEL_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

# The sources, the help page and the tests' files have Cyrillic names, which neither CPack
# nor Wine can spell in a locale that is not UTF-8, as a fresh system or a container has
# none set. Such a caller gets C.UTF-8, which Debian always has.
if [ "$(locale charmap 2>/dev/null)" != UTF-8 ]; then
  export LC_ALL=C.UTF-8
fi

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
