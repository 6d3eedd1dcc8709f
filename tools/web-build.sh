# Sourced by web.sh and test-web.sh: installs what the web page's build needs (Debian's
# Emscripten and Chromium, Node and npm where missing, the npm packages of the committed
# lock file) and builds the WebAssembly core and the site into build-web/.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/packages.sh"

ZARVEL_WEB_BUILD="$ZARVEL_ROOT/build-web"
ZARVEL_SITE="$ZARVEL_WEB_BUILD/site"

zarvel_web_setup() {
  local packages=(cmake ninja-build emscripten chromium libgtest-dev)
  # A Node from elsewhere serves as well as Debian's; only a missing one is installed.
  command -v node >/dev/null || packages+=(nodejs)
  command -v npm >/dev/null || packages+=(npm)
  zarvel_install_missing "${packages[@]}"
  local web="$ZARVEL_ROOT/web"
  # npm ci only when the lock file changed since the last install: it starts afresh.
  if [ ! -f "$web/node_modules/.package-lock.json" ] ||
    [ "$web/package-lock.json" -nt "$web/node_modules/.package-lock.json" ]; then
    echo "zarvel: npm ci: the page's compiler and the browser tests' driver"
    (cd "$web" && npm ci --no-audit --no-fund)
  fi
}

zarvel_web_build() {
  # Debian's Emscripten runs its optimiser under Node with Debian's Node modules; its output
  # runs under Node only without Node's own fetch.
  export NODE_PATH=/usr/share/nodejs
  if [ ! -f "$ZARVEL_WEB_BUILD/CMakeCache.txt" ]; then
    emcmake cmake -S "$ZARVEL_ROOT" -B "$ZARVEL_WEB_BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Release \
      -DZARVEL_QT=OFF -DZARVEL_WERROR=ON \
      "-DCMAKE_CROSSCOMPILING_EMULATOR=$(command -v node);--no-experimental-fetch"
  fi
  cmake --build "$ZARVEL_WEB_BUILD" --parallel "$(nproc)" --target zarvel_web "$@"
  node "$ZARVEL_ROOT/web/build-site.mjs" "$ZARVEL_WEB_BUILD/web" "$ZARVEL_SITE"
}
