#!/usr/bin/env bash
# libssh2 and libcurl for the Windows program, from Debian's own source
# packages, cross-built static with MinGW-w64: libcurl on Windows' own TLS
# (Schannel), libssh2 on mbedTLS's cryptography (also Debian's source).
# Nothing of OpenSSL is shipped and the programs stay single files
# importing only Windows' DLLs. libssh2's backend on Windows' CNG is not
# used: it needs Diffie-Hellman and raw RSA from bcrypt, which Wine 8 lacks
# (so sftp could not be tested there), and it speaks no ECDSA keys. Kept in build-windows/third-party/, so a
# rebuild of the program does not rebuild them; a change of `recipe` below
# (whenever what is built changes) does.
#   bash scripts/build-windows-third-party.sh [build-windows/third-party]
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(realpath -m "${1:-build-windows/third-party}")
prefix="$root/prefix"
toolchain="$PWD/cmake/windows-x86_64.cmake"
stamp="$prefix/built-by"
recipe="curl+libssh2+mbedtls static, schannel+mbedtls, 2"
signature="$recipe"
if [ -f "$stamp" ] && [ "$(cat "$stamp")" = "$signature" ]; then
  exit 0
fi
jobs=${VR_NINJA_JOBS:-2}
started=$(date +%s)

as_root=()
[ "$(id -u)" -ne 0 ] && as_root=(sudo)
# The source packages come from the same archive as the binary ones: a
# deb-src entry beside each deb entry.
if ! apt-get source --print-uris curl >/dev/null 2>&1; then
  export DEBIAN_FRONTEND=noninteractive
  if [ ! -f /etc/apt/sources.list.d/vellor-deb-src.sources ]; then
    sed -n '/^Types: deb$/,/^$/p' /etc/apt/sources.list.d/debian.sources | sed 's/^Types: deb$/Types: deb-src/' |
      "${as_root[@]}" tee /etc/apt/sources.list.d/vellor-deb-src.sources >/dev/null
  fi
  "${as_root[@]}" apt-get update -qq
fi
command -v dpkg-source >/dev/null || "${as_root[@]}" apt-get install -y -qq --no-install-recommends dpkg-dev

rm -rf "$root"
mkdir -p "$root/src" "$prefix"
cd "$root/src"
# bookworm's own versions: the security suite's libssh2 source is not kept
# where its index says.
apt-get source --download-only curl/bookworm libssh2/bookworm mbedtls/bookworm >/dev/null 2>&1 ||
  apt-get source --download-only curl libssh2 mbedtls >/dev/null
for dsc in curl_*.dsc libssh2_*.dsc mbedtls_*.dsc; do
  dpkg-source --no-check -x "$dsc" >/dev/null
done
curl_src=$(find . -maxdepth 1 -type d -name 'curl-*' | head -1)
ssh2_src=$(find . -maxdepth 1 -type d -name 'libssh2-*' | head -1)
mbed_src=$(find . -maxdepth 1 -type d -name 'mbedtls-*' | head -1)

common=(-G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release
        -DCMAKE_C_FLAGS_RELEASE=-O2 -DCMAKE_INSTALL_PREFIX="$prefix" -DCMAKE_PREFIX_PATH="$prefix"
        -DCMAKE_FIND_ROOT_PATH="$prefix;/usr/x86_64-w64-mingw32" -DBUILD_SHARED_LIBS=OFF -DBUILD_TESTING=OFF
        -DCMAKE_CROSSCOMPILING_EMULATOR=)
command -v ccache >/dev/null && common+=(-DCMAKE_C_COMPILER_LAUNCHER=ccache)

# mbedTLS seeds its random numbers from Windows' own generator.
cmake -S "$mbed_src" -B mbed-build "${common[@]}" -DENABLE_TESTING=OFF -DENABLE_PROGRAMS=OFF \
      -DUSE_SHARED_MBEDTLS_LIBRARY=OFF -DUSE_STATIC_MBEDTLS_LIBRARY=ON -DMBEDTLS_FATAL_WARNINGS=OFF >/dev/null
ninja -C mbed-build -j"$jobs" install >/dev/null

cmake -S "$ssh2_src" -B ssh2-build "${common[@]}" -DCRYPTO_BACKEND=mbedTLS -DMBEDTLS_INCLUDE_DIR="$prefix/include" \
      -DMBEDTLS_LIBRARY="$prefix/lib/libmbedtls.a" -DMBEDX509_LIBRARY="$prefix/lib/libmbedx509.a" \
      -DMBEDCRYPTO_LIBRARY="$prefix/lib/libmbedcrypto.a" -DENABLE_ZLIB_COMPRESSION=OFF \
      -DBUILD_EXAMPLES=OFF >/dev/null
ninja -C ssh2-build -j"$jobs" install >/dev/null

# Only the protocols the program speaks: ftp(s), sftp, https.
cmake -S "$curl_src" -B curl-build "${common[@]}" -DBUILD_CURL_EXE=OFF -DCURL_STATICLIB=ON \
      -DCURL_USE_SCHANNEL=ON -DCURL_USE_OPENSSL=OFF -DCURL_USE_LIBSSH2=ON -DCURL_USE_LIBSSH=OFF \
      -DLIBSSH2_INCLUDE_DIR="$prefix/include" -DLIBSSH2_LIBRARY="$prefix/lib/libssh2.a" \
      -DCURL_ZLIB=OFF -DCURL_BROTLI=OFF -DCURL_ZSTD=OFF -DUSE_NGHTTP2=OFF -DUSE_LIBIDN2=OFF -DUSE_WIN32_IDN=OFF \
      -DCURL_USE_LIBPSL=OFF -DENABLE_MANUAL=OFF -DCURL_DISABLE_LDAP=ON -DCURL_DISABLE_LDAPS=ON \
      -DCURL_DISABLE_DICT=ON -DCURL_DISABLE_GOPHER=ON -DCURL_DISABLE_IMAP=ON -DCURL_DISABLE_POP3=ON \
      -DCURL_DISABLE_SMTP=ON -DCURL_DISABLE_RTSP=ON -DCURL_DISABLE_TELNET=ON -DCURL_DISABLE_TFTP=ON \
      -DCURL_DISABLE_MQTT=ON -DCURL_DISABLE_SMB=ON -DCURL_DISABLE_FILE=ON -DENABLE_UNIX_SOCKETS=OFF >/dev/null
ninja -C curl-build -j"$jobs" install >/dev/null

rm -rf "$root/src"
echo "$signature" >"$stamp"
echo "third-party libraries for Windows built in $(( $(date +%s) - started )) s"
