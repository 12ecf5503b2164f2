#!/usr/bin/env bash
# Prepares this machine to build, run and test Tolvan:
#   1. Debian packages (cross compilers, Wine, Xvfb, fonts, gSOAP's code generator, CMake);
#   2. the third-party libraries, cross-built from Debian source packages for each
#      Windows target into a cache outside the checkout, reused when present.
# Idempotent: a second run only checks. Every step says what it does.
#
# Environment:
#   TOLVAN_CACHE    cache root (default /var/cache/tolvan)
#   TOLVAN_TARGETS  targets to build libraries for (default "x86_64-w64-mingw32 i686-w64-mingw32")
set -euo pipefail

CACHE=${TOLVAN_CACHE:-/var/cache/tolvan}
TARGETS=${TOLVAN_TARGETS:-"x86_64-w64-mingw32 i686-w64-mingw32"}
JOBS=$(nproc)
# Bump when a recipe below changes, so stale builds are not reused.
RECIPE=5

say() { printf '[setup] %s\n' "$*"; }

# ---------------------------------------------------------------- packages
PACKAGES="g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix gcc-mingw-w64-x86-64-posix
gcc-mingw-w64-i686-posix binutils-mingw-w64-x86-64 binutils-mingw-w64-i686 mingw-w64-tools
cmake make xvfb xauth x11-utils wine wine64 fonts-wqy-microhei fonts-wqy-zenhei gsoap dpkg-dev
imagemagick python3 python3-pil python3-openpyxl ca-certificates locales ccache fonts-wine"

install_packages() {
    local missing=()
    for p in $PACKAGES; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
    done
    if dpkg-query -W -f='${Status}' wine32 2>/dev/null | grep -q 'install ok installed'; then
        say "removing wine32: 32-bit programs cannot run here and it hijacks the wine launcher"
        DEBIAN_FRONTEND=noninteractive apt-get remove -y wine32
    fi
    if [ ${#missing[@]} -eq 0 ]; then
        say "Debian packages: all present"
        return
    fi
    say "installing Debian packages: ${missing[*]}"
    apt-get update -q
    DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
}

# Source packages need a deb-src entry beside the machine's deb entry.
enable_deb_src() {
    if grep -rqsE '^(Types:.*deb-src|deb-src )' /etc/apt/sources.list /etc/apt/sources.list.d/; then
        return 1
    fi
    say "adding deb-src entries beside the existing deb entries"
    if [ -f /etc/apt/sources.list.d/debian.sources ]; then
        sed 's/^Types: deb$/Types: deb-src/' /etc/apt/sources.list.d/debian.sources \
            > /etc/apt/sources.list.d/tolvan-deb-src.sources
    else
        grep -hE '^deb ' /etc/apt/sources.list | sed 's/^deb /deb-src /' \
            > /etc/apt/sources.list.d/tolvan-deb-src.list
    fi
    return 0
}

# fetch_source NAME -> prints the unpacked source directory
fetch_source() {
    local name=$1 dir="$CACHE/src/$1"
    if [ ! -f "$dir/.unpacked" ]; then
        # Package lists with sources are read once per setup run.
        if [ ! -f "$CACHE/src/.lists-$$" ]; then
            enable_deb_src || true
            apt-get update -q >&2
            rm -f "$CACHE"/src/.lists-*
            touch "$CACHE/src/.lists-$$"
        fi
        say "fetching Debian source package $name" >&2
        rm -rf "$dir" && mkdir -p "$dir"
        # The newest version first; a mirror that lacks it (security updates are not
        # always mirrored as source) falls back to the next one it lists.
        local v ok=0
        for v in $(apt-cache showsrc "$name" | sed -n 's/^Version: //p' | sort -rV | uniq); do
            rm -f "$dir"/*
            if (cd "$dir" && apt-get source -q --download-only "$name=$v" >&2); then ok=1; break; fi
            say "source $name $v not available, trying an older one" >&2
        done
        [ $ok -eq 1 ] || { echo "cannot fetch source package $name" >&2; exit 1; }
        (cd "$dir" && dpkg-source -x ./*.dsc tree >&2)
        touch "$dir/.unpacked"
    fi
    echo "$dir/tree"
}

# ---------------------------------------------------------------- libraries
# Every library of every target is one step. The steps run side by side under one GNU make
# (tools/setup.sh --step runs one), whose job server shares $JOBS slots among the steps'
# own compiles: a step that only runs its configure checks holds one slot and leaves the
# others to the compiles of other steps.

# Parallel compiles inside a step: the job server's slots under make, else $JOBS.
parallel() {
    case " ${MAKEFLAGS:-} " in
        *jobserver*) ;;
        *) echo "-j$JOBS" ;;
    esac
}

# toolchain_file PREFIX -> the CMake toolchain file of the prefix's target (written before
# the steps start, so that side-by-side steps only read it)
toolchain_file() { echo "$1/toolchain.cmake"; }

write_toolchain() {  # target prefix
    local t=$1 prefix=$2
    cat > "$(toolchain_file "$prefix")" <<TC
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${t%%-*})
set(CMAKE_C_COMPILER $t-gcc-posix)
set(CMAKE_CXX_COMPILER $t-g++-posix)
set(CMAKE_RC_COMPILER $t-windres)
set(CMAKE_FIND_ROOT_PATH /usr/$t $prefix)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
TC
}

# configure_cmake_dep NAME TARGET PREFIX BUILD-DIR [cmake args...]
configure_cmake_dep() {
    local name=$1 t=$2 prefix=$3 bdir=$4; shift 4
    local src; src=$(fetch_source "$name")
    rm -rf "$bdir" && mkdir -p "$bdir"
    cmake -S "$src" -B "$bdir" -DCMAKE_TOOLCHAIN_FILE="$(toolchain_file "$prefix")" \
        -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" -DBUILD_SHARED_LIBS=OFF \
        -DCMAKE_INSTALL_LIBDIR=lib "$@" > "$bdir/configure.log" 2>&1
}

# build_cmake_dep NAME TARGET PREFIX [cmake args...]: configure, build, install
build_cmake_dep() {
    local name=$1 t=$2 prefix=$3
    local bdir="$CACHE/build/$t/$name"
    configure_cmake_dep "$name" "$t" "$prefix" "$bdir" "${@:4}"
    cmake --build "$bdir" $(parallel) > "$bdir/build.log" 2>&1
    cmake --install "$bdir" > "$bdir/install.log" 2>&1
    rm -rf "$bdir"
}

# OpenSSL: libcrypto only (the program and SQLCipher use no TLS), without the ciphers,
# digests and protocols nothing here calls; kept: AES, SHA-1/SHA-2, HMAC, PBKDF2, the
# random generator, base64 BIOs and the EVP layer.
OPENSSL_OPTIONS="no-shared no-asm no-tests no-engine no-legacy no-aria no-bf no-blake2
no-camellia no-cast no-chacha no-cmac no-cms no-comp no-ct no-des no-dh no-dsa no-ec no-idea
no-md4 no-mdc2 no-ocb no-ocsp no-poly1305 no-rc2 no-rc4 no-rc5 no-rmd160 no-scrypt no-seed
no-siphash no-sm3 no-sm4 no-srp no-ts no-whirlpool"

build_openssl() {
    local t=$1 prefix=$2 src; src=$(fetch_source openssl)
    local os=mingw64; [ "${t%%-*}" = i686 ] && os=mingw
    local bdir="$CACHE/build/$t/openssl"
    rm -rf "$bdir" && mkdir -p "${bdir%/*}" && cp -a "$src" "$bdir"
    # shellcheck disable=SC2086
    (cd "$bdir" && ./Configure "$os" --cross-compile-prefix="$t-" $OPENSSL_OPTIONS \
        --prefix="$prefix" --libdir=lib > configure.log 2>&1 &&
     make $(parallel) build_generated > build.log 2>&1 &&
     make $(parallel) libcrypto.a >> build.log 2>&1 &&
     mkdir -p "$prefix/lib" "$prefix/include/openssl" &&
     cp libcrypto.a "$prefix/lib/" && cp include/openssl/*.h "$prefix/include/openssl/")
    rm -rf "$bdir"
}

build_sqlcipher() {
    local t=$1 prefix=$2 src; src=$(fetch_source sqlcipher)
    local bdir="$CACHE/build/$t/sqlcipher"
    rm -rf "$bdir" && mkdir -p "${bdir%/*}" && cp -a "$src" "$bdir"
    (cd "$bdir" && BCC=gcc ./configure --host="$t" --enable-tempstore=yes --disable-tcl \
        --disable-shared CFLAGS="-DSQLITE_HAS_CODEC -I$prefix/include" LDFLAGS="-L$prefix/lib" \
        LIBS="-lcrypto -lws2_32 -lcrypt32 -lbcrypt" > configure.log 2>&1 &&
     make BEXE= sqlite3.c > build.log 2>&1 &&
     "$t-gcc-posix" -O2 -c sqlite3.c -o sqlite3.o -I"$prefix/include" -DSQLITE_HAS_CODEC \
        -DSQLCIPHER_CRYPTO_OPENSSL -DSQLITE_TEMP_STORE=2 -DSQLITE_THREADSAFE=1 \
        -DSQLITE_OMIT_LOAD_EXTENSION &&
     "$t-ar" rcs "$prefix/lib/libsqlcipher.a" sqlite3.o &&
     mkdir -p "$prefix/include/sqlcipher" && cp sqlite3.h "$prefix/include/sqlcipher/")
    rm -rf "$bdir"
}

build_zlib() {
    local t=$1 prefix=$2 src; src=$(fetch_source zlib)
    local bdir="$CACHE/build/$t/zlib" f
    rm -rf "$bdir" && mkdir -p "$bdir" "$prefix/lib" "$prefix/include"
    for f in adler32 compress crc32 deflate gzclose gzlib gzread gzwrite infback inffast \
             inflate inftrees trees uncompr zutil; do
        "$t-gcc-posix" -O2 -c "$src/$f.c" -o "$bdir/$f.o"
    done
    "$t-ar" rcs "$prefix/lib/libz.a" "$bdir"/*.o
    cp "$src/zlib.h" "$src/zconf.h" "$prefix/include/"
    rm -rf "$bdir"
}

# minizip (zlib's contrib): the zip reader and writer, compiled against our zlib.
build_minizip() {
    local t=$1 prefix=$2 src; src=$(fetch_source minizip)
    local bdir="$CACHE/build/$t/minizip" f
    rm -rf "$bdir" && mkdir -p "$bdir" "$prefix/include/minizip"
    for f in ioapi unzip zip iowin32; do
        "$t-gcc-posix" -O2 -c "$src/$f.c" -o "$bdir/$f.o" -I"$prefix/include"
    done
    "$t-ar" rcs "$prefix/lib/libminizip.a" "$bdir"/*.o
    cp "$src/ioapi.h" "$src/unzip.h" "$src/zip.h" "$src/iowin32.h" "$prefix/include/minizip/"
    rm -rf "$bdir"
}

# The gSOAP runtime: stdsoap2 compiled for the target; the host's soapcpp2 generates clients.
build_gsoap() {
    local t=$1 prefix=$2 src; src=$(fetch_source gsoap)
    local bdir="$CACHE/build/$t/gsoap"
    rm -rf "$bdir" && mkdir -p "$bdir" "$prefix/lib" "$prefix/include/gsoap"
    "$t-g++-posix" -O2 -c "$src/gsoap/stdsoap2.cpp" -o "$bdir/stdsoap2.o" -I"$src/gsoap"
    "$t-ar" rcs "$prefix/lib/libgsoap++.a" "$bdir/stdsoap2.o"
    cp "$src/gsoap/stdsoap2.h" "$prefix/include/gsoap/"
    rm -rf "$bdir"
}

# libevent: only the core library with its byte buffer; the extra library (HTTP, DNS, RPC)
# and the combined one are not built.
build_libevent() {
    local t=$1 prefix=$2 src; src=$(fetch_source libevent)
    local bdir="$CACHE/build/$t/libevent"
    configure_cmake_dep libevent "$t" "$prefix" "$bdir" \
        -DEVENT__DISABLE_OPENSSL=ON -DEVENT__DISABLE_MBEDTLS=ON -DEVENT__DISABLE_TESTS=ON \
        -DEVENT__DISABLE_REGRESS=ON -DEVENT__DISABLE_SAMPLES=ON -DEVENT__DISABLE_BENCHMARK=ON \
        -DEVENT__LIBRARY_TYPE=STATIC
    cmake --build "$bdir" --target event_core_static $(parallel) > "$bdir/build.log" 2>&1
    mkdir -p "$prefix/lib" "$prefix/include/event2"
    cp "$bdir/lib/libevent_core.a" "$prefix/lib/"
    cp "$src"/include/event2/*.h "$bdir"/include/event2/*.h "$prefix/include/event2/"
    rm -rf "$bdir"
}

# libdeps NAME: the steps of the same target that NAME's step needs first
libdeps() {
    case $1 in
        sqlcipher) echo openssl ;;  # links libcrypto in its configure checks
        minizip) echo zlib ;;
    esac
}

# libraries TARGET: the target's steps, the longest first so that they start first
libraries() {
    echo openssl sqlcipher curl libevent libxml2 jansson gsoap zlib minizip
    # Tests and benchmarks run only on the 64-bit target.
    [ "${1%%-*}" = x86_64 ] && echo googletest benchmark
    true
}

# build_library NAME TARGET PREFIX: one step's recipe
build_library() {
    local name=$1 t=$2 prefix=$3
    case $name in
        openssl|sqlcipher|zlib|minizip|gsoap|libevent) "build_$name" "$t" "$prefix" ;;
        jansson) build_cmake_dep jansson "$t" "$prefix" \
            -DJANSSON_BUILD_DOCS=OFF -DJANSSON_WITHOUT_TESTS=ON -DJANSSON_EXAMPLES=OFF ;;
        # HTTP and HTTPS (Schannel) only.
        curl) build_cmake_dep curl "$t" "$prefix" \
            -DHTTP_ONLY=ON -DCURL_USE_SCHANNEL=ON -DCURL_USE_OPENSSL=OFF -DBUILD_CURL_EXE=OFF \
            -DBUILD_TESTING=OFF -DCURL_USE_LIBSSH2=OFF -DUSE_LIBIDN2=OFF -DCURL_ZLIB=OFF \
            -DCURL_DISABLE_LDAP=ON -DCURL_USE_LIBPSL=OFF -DENABLE_MANUAL=OFF ;;
        # libxml2: the HTML parser, the tree and the streaming reader, nothing that reaches
        # outside and none of the validation and query modules.
        libxml2) build_cmake_dep libxml2 "$t" "$prefix" \
            -DLIBXML2_WITH_PYTHON=OFF -DLIBXML2_WITH_TESTS=OFF -DLIBXML2_WITH_PROGRAMS=OFF \
            -DLIBXML2_WITH_ICONV=OFF -DLIBXML2_WITH_ICU=OFF -DLIBXML2_WITH_LZMA=OFF \
            -DLIBXML2_WITH_ZLIB=OFF -DLIBXML2_WITH_HTTP=OFF -DLIBXML2_WITH_FTP=OFF \
            -DLIBXML2_WITH_MODULES=OFF -DLIBXML2_WITH_CATALOG=OFF -DLIBXML2_WITH_THREADS=ON \
            -DLIBXML2_WITH_C14N=OFF -DLIBXML2_WITH_DEBUG=OFF -DLIBXML2_WITH_DOCB=OFF \
            -DLIBXML2_WITH_SCHEMAS=OFF -DLIBXML2_WITH_SCHEMATRON=OFF -DLIBXML2_WITH_XINCLUDE=OFF \
            -DLIBXML2_WITH_XPATH=OFF -DLIBXML2_WITH_XPTR=OFF -DLIBXML2_WITH_WRITER=OFF ;;
        googletest) build_cmake_dep googletest "$t" "$prefix" \
            -Dgtest_disable_pthreads=OFF -DBUILD_GMOCK=OFF ;;
        benchmark) build_cmake_dep benchmark "$t" "$prefix" \
            -DBENCHMARK_ENABLE_TESTING=OFF -DBENCHMARK_ENABLE_GTEST_TESTS=OFF \
            -DBENCHMARK_ENABLE_WERROR=OFF -DBENCHMARK_ENABLE_LTO=OFF -DBENCHMARK_INSTALL_DOCS=OFF \
            -DHAVE_STD_REGEX=ON -DRUN_HAVE_STD_REGEX=1 -DGIT_VERSION=0.0.0 ;;
        *) echo "unknown library $name" >&2; return 1 ;;
    esac
}

# run_step NAME TARGET PREFIX: builds one library and marks it done in the prefix
run_step() {
    local name=$1 t=$2 prefix=$3 start=$SECONDS
    say "$t: building $name"
    # A subshell that stops at the first failing command; errexit would be ignored inside it
    # if it stood in a condition or a list.
    local status
    set +e
    ( set -e; build_library "$name" "$t" "$prefix" )
    status=$?
    set -e
    if [ $status -ne 0 ]; then
        say "$t: building $name failed; its logs: $CACHE/build/$t/$name/"
        tail -n 25 "$(ls -t "$CACHE/build/$t/$name"/*.log 2>/dev/null | head -n 1)" 2>/dev/null || true
        return 1
    fi
    touch "$prefix/.done-$name"
    say "$t: $name built in $((SECONDS - start)) s"
}

# build_libraries "TARGET=PREFIX..." : every step not yet done, side by side
build_libraries() {
    local mk="$CACHE/build/libraries.mk" pair t prefix name dep all=()
    : > "$mk"
    for pair in "$@"; do
        t=${pair%%=*} prefix=${pair#*=}
        for name in $(libraries "$t"); do
            if [ -f "$prefix/.done-$name" ]; then
                say "$t: $name cached"
                continue
            fi
            all+=("$prefix/.done-$name")
            {
                printf '%s:' "$prefix/.done-$name"
                for dep in $(libdeps "$name"); do printf ' %s' "$prefix/.done-$dep"; done
                printf '\n\t+@bash %q --step %s %s %q\n' "$SELF" "$name" "$t" "$prefix"
            } >> "$mk"
        done
    done
    [ ${#all[@]} -eq 0 ] && return
    printf 'all: %s\n.DEFAULT_GOAL := all\n' "${all[*]}" >> "$mk"
    say "building ${#all[@]} libraries side by side in $JOBS slots"
    make -s -j "$JOBS" -f "$mk"
}

# Wine takes its ANSI code page from the host locale: zh_CN.UTF-8 must exist for code page 936.
ensure_locale() {
    if locale -a 2>/dev/null | grep -qix 'zh_CN.utf8'; then
        say "locale zh_CN.UTF-8: present"
        return
    fi
    say "generating locale zh_CN.UTF-8"
    localedef -i zh_CN -f UTF-8 zh_CN.UTF-8
}

# ---------------------------------------------------------------- main
SELF=$(cd "$(dirname "$0")" && pwd)/$(basename "$0")
if [ "${1:-}" = --step ]; then
    run_step "$2" "$3" "$4"
    exit
fi
install_packages
ensure_locale
mkdir -p "$CACHE/src" "$CACHE/build"
# The libraries' cache is keyed by the source packages' versions, the target, the compiler
# and the recipes above.
SOURCES="zlib openssl sqlcipher jansson libevent curl gsoap minizip libxml2 googletest benchmark"
for name in $SOURCES; do
    fetch_source "$name" > /dev/null
done
versions=$(for name in $SOURCES; do basename "$(ls "$CACHE/src/$name"/*.dsc)" .dsc; done)
say "source packages: $(echo $versions)"
key=$(echo "$versions" | md5sum | cut -c1-8)
prefixes=()
for t in $TARGETS; do
    command -v "$t-g++-posix" >/dev/null || { echo "missing cross compiler $t-g++-posix" >&2; exit 1; }
    compiler=$("$t-g++-posix" -dumpversion)
    prefix="$CACHE/deps/$t-gcc$compiler-r$RECIPE-$key"
    mkdir -p "$prefix"
    write_toolchain "$t" "$prefix"
    prefixes+=("$t=$prefix")
done
build_libraries "${prefixes[@]}"
for pair in "${prefixes[@]}"; do
    t=${pair%%=*} prefix=${pair#*=}
    ln -sfn "$prefix" "$CACHE/deps/$t"
    say "$t: libraries ready in $prefix"
done
# Compiler cache for both targets beside the libraries, shared by every checkout.
mkdir -p "$CACHE/ccache"
CCACHE_DIR="$CACHE/ccache" ccache --max-size=8G >/dev/null
say "done"
