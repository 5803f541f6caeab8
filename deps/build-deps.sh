#!/usr/bin/env bash
# Cross-builds the launcher's third-party libraries for x86_64 Windows
# (mingw-w64, posix threads flavour) as static libraries:
#   OpenSSL (libcrypto), libcurl (Schannel TLS), TinyXML (STL mode).
#
# Sources are Debian source packages fetched with `apt-get source` through a
# private apt configuration (deb-src entries for the archives and suites this
# machine already uses); the system's apt setup is never changed.
#
# The result is a cached prefix:
#   ${HLVN_DEPS_CACHE:-/var/cache/hlvn-deps}/<key>/{include,lib}
# where <key> names the three source versions plus a hash of this script, its
# helper files and the toolchain. `<cache>/current` points at the newest
# complete prefix. The prefix path is the last line of stdout; every other
# message goes to stderr:
#   prefix=$(deps/build-deps.sh | tail -1)
#
# Environment:
#   HLVN_DEPS_CACHE  cache root (default /var/cache/hlvn-deps)
#   HLVN_DEPS_JOBS   parallel make jobs (default 2)
#   HLVN_DEPS_KEEP   if 1, keep the temporary build directory
set -euo pipefail

# Everything but the final prefix path goes to stderr.
exec 3>&1 1>&2

script_path=$(readlink -f "${BASH_SOURCE[0]}")
deps_dir=$(dirname "$script_path")
cache_root=${HLVN_DEPS_CACHE:-/var/cache/hlvn-deps}
jobs=${HLVN_DEPS_JOBS:-2}
target=x86_64-w64-mingw32
cc=$target-gcc-posix
cxx=$target-g++-posix
packages=(openssl curl tinyxml)

log() { printf '[deps] %s\n' "$*"; }
die() { printf '[deps] error: %s\n' "$*"; exit 1; }

for tool in "$cc" "$cxx" "$target-ar" "$target-ranlib" apt-get apt-cache dpkg-source dpkg sha256sum flock; do
    command -v "$tool" >/dev/null || die "missing tool: $tool"
done

mkdir -p "$cache_root"
cache_root=$(readlink -f "$cache_root")

# One run at a time per cache.
exec 9>"$cache_root/.lock"
flock 9

t_start=$(date +%s)

# ---------------------------------------------------------------------------
# Build identity: this script (less comment and blank lines), its helper
# files and the toolchain.
# ---------------------------------------------------------------------------
recipe_hash=$(
    {
        sed -e '/^[[:space:]]*#/d' -e '/^[[:space:]]*$/d' "$script_path"
        cat "$deps_dir/link-check.cpp"
        "$cc" -dumpfullversion -dumpmachine
        "$cxx" -dumpfullversion
        dpkg-query -W -f '${Package} ${Version}\n' mingw-w64-x86-64-dev binutils-mingw-w64-x86-64 2>/dev/null || true
    } | sha256sum | cut -c1-12
)

# ---------------------------------------------------------------------------
# Private apt configuration (kept under the cache so updates are incremental).
# ---------------------------------------------------------------------------
apt_dir=$cache_root/.apt
mkdir -p "$apt_dir/sources.list.d" "$apt_dir/lists/partial" "$apt_dir/cache/archives/partial" "$apt_dir/resolved"

sys_list=/etc/apt/sources.list
sys_parts=/etc/apt/sources.list.d
eval "$(apt-config shell sys_list Dir::Etc::sourcelist/f sys_parts Dir::Etc::sourceparts/d)"
sys_parts=${sys_parts%/}

# One-line format: every "deb" entry becomes "deb-src"; existing "deb-src"
# entries are kept.
one_line_to_src() {
    sed -n -E 's/^[[:space:]]*deb(-src)?([[:space:]]+)/deb-src\2/p' "$@" 2>/dev/null || true
}

# deb822 format: each enabled stanza whose Types include deb becomes a
# deb-src stanza; every other field (URIs, Suites, Components, Signed-By,
# inline keys...) is kept as is.
deb822_to_src() {
    awk '
        function flush() {
            if (n > 0 && has_src && !disabled) {
                for (i = 1; i <= n; i++) print lines[i]
                print ""
            }
            n = 0; has_src = 0; disabled = 0
        }
        /^[[:space:]]*$/ { flush(); next }
        /^#/ { next }
        {
            line = $0
            if (tolower(line) ~ /^types:/) {
                v = substr(line, 7)
                if (v ~ /(^|[[:space:]])deb(-src)?([[:space:]]|$)/) has_src = 1
                line = "Types: deb-src"
            } else if (tolower(line) ~ /^enabled:[[:space:]]*no/) {
                disabled = 1
            }
            lines[++n] = line
        }
        END { flush() }
    ' "$1"
}

{
    if [[ -f $sys_list ]]; then one_line_to_src "$sys_list"; fi
    for f in "$sys_parts"/*.list; do
        if [[ -f $f ]]; then one_line_to_src "$f"; fi
    done
} | awk '!seen[$0]++' >"$apt_dir/sources.list.new"
mv "$apt_dir/sources.list.new" "$apt_dir/sources.list"

rm -f "$apt_dir/sources.list.d"/*
for f in "$sys_parts"/*.sources; do
    [[ -f $f ]] || continue
    deb822_to_src "$f" >"$apt_dir/sources.list.d/$(basename "$f")"
done

if ! grep -qs . "$apt_dir/sources.list" "$apt_dir/sources.list.d"/*.sources 2>/dev/null; then
    die "no apt sources found in $sys_list or $sys_parts"
fi

apt_opts=(
    -o "Dir::Etc::SourceList=$apt_dir/sources.list"
    -o "Dir::Etc::SourceParts=$apt_dir/sources.list.d"
    -o "Dir::State::Lists=$apt_dir/lists"
    -o "Dir::Cache=$apt_dir/cache"
    -o "Acquire::Languages=none"
    -o "APT::Get::Only-Source=true"
)
# As root apt would hand downloads to an unprivileged user that cannot write
# into the private directories; keep them in this user's hands.
if [[ $(id -u) -eq 0 ]]; then
    apt_opts+=(-o "APT::Sandbox::User=root")
fi

# Prefix of a previous complete build whose recipe matches this one.
cached_current_prefix() {
    local cur=$cache_root/current
    [[ -L $cur && -f $cur/hlvn-deps.txt ]] || return 1
    grep -qx "recipe $recipe_hash" "$cur/hlvn-deps.txt" || return 1
    readlink -f "$cur"
}

t0=$(date +%s)
update_ok=1
if ! apt-get "${apt_opts[@]}" -q update >"$apt_dir/update.log" 2>&1; then
    update_ok=0
fi
if grep -qE '^(W|E|Err):' "$apt_dir/update.log"; then
    grep -E '^(W|E|Err):' "$apt_dir/update.log" | sed 's/^/[deps] apt: /' | head -n 20
fi
log "private apt update: $(($(date +%s) - t0)) s"

# Source versions of a package the private archive lists, newest first.
source_versions() {
    apt-cache "${apt_opts[@]}" showsrc "$1" 2>/dev/null |
        awk -v p="$1" '
            /^Package:/ { pkg = $2 }
            /^Version:/ && pkg == p { print $2 }
        ' | awk '!seen[$0]++' | sort_versions_desc
}

sort_versions_desc() {
    local -a vs=()
    local v i j t
    mapfile -t vs
    for ((i = 1; i < ${#vs[@]}; i++)); do
        v=${vs[i]}
        j=$((i - 1))
        while ((j >= 0)) && dpkg --compare-versions "${vs[j]}" lt "$v"; do
            vs[j + 1]=${vs[j]}
            j=$((j - 1))
        done
        vs[j + 1]=$v
    done
    for t in "${vs[@]}"; do printf '%s\n' "$t"; done
}

declare -A candidates=()
for pkg in "${packages[@]}"; do
    candidates[$pkg]=$(source_versions "$pkg")
done

missing=0
for pkg in "${packages[@]}"; do
    [[ -n ${candidates[$pkg]} ]] || missing=1
done
if ((missing)); then
    if prefix=$(cached_current_prefix); then
        log "archive not reachable (update ok=$update_ok); using the cached build with the same recipe"
        printf '%s\n' "$prefix" >&3
        exit 0
    fi
    sed 's/^/[deps] apt: /' "$apt_dir/update.log" | tail -n 20
    die "cannot list source versions of: $(for p in "${packages[@]}"; do [[ -n ${candidates[$p]} ]] || printf '%s ' "$p"; done)"
fi

# ---------------------------------------------------------------------------
# Version choice. The newest version may be only partly served by the
# archive; the first version (newest first) that downloads whole is used.
# The outcome is remembered per list of candidates, so a rerun against an
# unchanged archive needs no download to find its cached prefix.
# ---------------------------------------------------------------------------
work=""
cleanup() {
    local rc=$?
    if [[ -n $work && -d $work ]]; then
        if ((rc != 0)) || [[ ${HLVN_DEPS_KEEP:-0} == 1 ]]; then
            log "build directory kept: $work"
        else
            rm -rf "$work"
        fi
    fi
    [[ -n ${tmp_prefix:-} && -d ${tmp_prefix:-} ]] && rm -rf "$tmp_prefix"
    return $rc
}
trap cleanup EXIT

make_work() {
    if [[ -z $work ]]; then
        work=$(mktemp -d "${TMPDIR:-/tmp}/hlvn-deps.XXXXXX")
        mkdir -p "$work/src" "$work/logs"
    fi
}

# Downloaded source packages are kept under the cache, one folder per
# version, so a rebuild after a change of this script needs no download.
src_store=$cache_root/.sources
mkdir -p "$src_store" "$apt_dir/logs"

source_dir() { printf '%s/%s/%s\n' "$src_store" "$1" "${2//:/%}"; }

# Downloads pkg=version into its folder of the source store; returns non-zero
# if any file of it cannot be had.
download_source() {
    local pkg=$1 ver=$2 dir
    dir=$(source_dir "$pkg" "$ver")
    [[ -f $dir/.complete ]] && return 0
    rm -rf "$dir.part"
    mkdir -p "$dir.part"
    if ! (cd "$dir.part" && apt-get "${apt_opts[@]}" -q source --download-only "$pkg=$ver") \
        >"$apt_dir/logs/download-$pkg.log" 2>&1; then
        rm -rf "$dir.part"
        return 1
    fi
    touch "$dir.part/.complete"
    rm -rf "$dir"
    mv -T "$dir.part" "$dir"
}

declare -A version=()
for pkg in "${packages[@]}"; do
    cand=${candidates[$pkg]}
    cand_hash=$(printf '%s\n' "$cand" | sha256sum | cut -c1-16)
    record=$apt_dir/resolved/$pkg-$cand_hash
    if [[ -s $record ]] && grep -qxF "$(cat "$record")" <<<"$cand"; then
        version[$pkg]=$(cat "$record")
        continue
    fi
    while read -r ver; do
        log "$pkg: trying source version $ver"
        if download_source "$pkg" "$ver"; then
            version[$pkg]=$ver
            break
        fi
        dl_log=$apt_dir/logs/download-$pkg.log
        grep -E '^(E|Err|W):' "$dl_log" | sed 's/^/[deps]   /' | head -n 5 || true
        # Only a version the archive does not serve whole is skipped; any
        # other failure (network, disk) stops here rather than settle for an
        # older version.
        grep -qE ' 404 |Hash Sum mismatch|unexpected size' "$dl_log" ||
            die "$pkg $ver: download failed (log: $dl_log)"
    done <<<"$cand"
    [[ -n ${version[$pkg]:-} ]] || die "$pkg: no version of the source package could be downloaded"
    printf '%s\n' "${version[$pkg]}" >"$record"
done

key=""
for pkg in "${packages[@]}"; do
    key+="$pkg-${version[$pkg]}_"
done
key+=$recipe_hash
key=${key//:/%}
prefix=$cache_root/$key

set_current() {
    ln -sfn "$key" "$cache_root/.current.new"
    mv -T "$cache_root/.current.new" "$cache_root/current"
}

for pkg in "${packages[@]}"; do
    log "$pkg ${version[$pkg]}"
done

if [[ -f $prefix/hlvn-deps.txt ]]; then
    touch "$prefix/hlvn-deps.txt"
    set_current
    log "cached: $prefix ($(($(date +%s) - t_start)) s)"
    printf '%s\n' "$prefix" >&3
    exit 0
fi

# ---------------------------------------------------------------------------
# Cold build.
# ---------------------------------------------------------------------------
make_work
t=$(date +%s)
for pkg in "${packages[@]}"; do
    download_source "$pkg" "${version[$pkg]}" ||
        { tail -n 20 "$apt_dir/logs/download-$pkg.log"; die "$pkg ${version[$pkg]}: download failed"; }
    dir=$(source_dir "$pkg" "${version[$pkg]}")
    # Only the chosen version of each package is kept.
    for other in "$src_store/$pkg"/*; do
        [[ $other == "$dir" ]] || rm -rf "$other"
    done
    dsc=$(ls "$dir"/*.dsc)
    dpkg-source --no-check -x "$dsc" "$work/src/$pkg" >"$work/logs/unpack-$pkg.log" 2>&1 ||
        { tail -n 20 "$work/logs/unpack-$pkg.log"; die "$pkg: unpack failed"; }
done
log "sources downloaded and unpacked in $(($(date +%s) - t)) s"

tmp_prefix=$prefix.tmp
rm -rf "$tmp_prefix"
mkdir -p "$tmp_prefix/include" "$tmp_prefix/lib"

# Runs a build step with its output in a log; shows the log's end on failure.
step() {
    local name=$1
    shift
    if ! "$@" >>"$work/logs/$name.log" 2>&1; then
        tail -n 40 "$work/logs/$name.log"
        die "$name failed (log: $work/logs/$name.log)"
    fi
}

build_openssl() {
    local src=$work/src/openssl
    cd "$src"
    # libcrypto for AES-CBC decryption and MD5 (deprecated one-shot API kept);
    # everything the launcher does not use is left out. libssl is not built:
    # curl talks TLS through Schannel.
    step openssl ./Configure mingw64 \
        --cross-compile-prefix="$target-" CC=gcc-posix CXX=g++-posix \
        --prefix="$tmp_prefix" --libdir=lib --openssldir=/ssl \
        no-shared no-tests no-module no-legacy no-engine no-dso \
        no-makedepend no-autoload-config no-ui-console no-async no-filenames \
        no-comp no-ct no-ocsp no-ts no-cms no-cmp no-srp no-srtp no-psk \
        no-ssl3 no-dtls no-sctp no-nextprotoneg no-gost no-ssl-trace \
        no-sock no-dgram no-ec no-dh no-dsa no-cmac \
        no-aria no-bf no-blake2 no-camellia no-cast no-chacha no-poly1305 \
        no-des no-idea no-md4 no-mdc2 no-ocb no-rc2 no-rc4 no-rc5 \
        no-rmd160 no-scrypt no-seed no-siphash no-siv no-sm2 no-sm3 no-sm4 \
        no-whirlpool
    step openssl make -j"$jobs" build_generated
    step openssl make -j"$jobs" libcrypto.a libcrypto.pc
    # What `make install_dev` would install for libcrypto alone.
    mkdir -p "$tmp_prefix/include/openssl" "$tmp_prefix/lib/pkgconfig"
    cp include/openssl/*.h "$tmp_prefix/include/openssl/"
    cp libcrypto.a "$tmp_prefix/lib/"
    cp libcrypto.pc "$tmp_prefix/lib/pkgconfig/"
}

build_curl() {
    local src=$work/src/curl
    cd "$src"
    step curl ./configure \
        --host="$target" CC="$cc" AR="$target-ar" RANLIB="$target-ranlib" \
        CFLAGS="-O2" PKG_CONFIG=/bin/false \
        --prefix="$tmp_prefix" \
        --disable-dependency-tracking --disable-maintainer-mode \
        --disable-shared --enable-static --disable-pthreads \
        --with-schannel --without-openssl --without-gnutls --without-mbedtls \
        --without-wolfssl --without-bearssl --without-rustls \
        --without-ca-bundle --without-ca-path --without-ca-fallback \
        --without-libpsl --without-zlib --without-brotli --without-zstd \
        --without-libidn2 --without-winidn --without-nghttp2 --without-nghttp3 \
        --without-ngtcp2 --without-quiche --without-msh3 \
        --without-libssh2 --without-libssh --without-wolfssh \
        --without-librtmp --without-libgsasl --without-hyper \
        --disable-ftp --disable-file --disable-ldap --disable-ldaps \
        --disable-rtsp --disable-dict --disable-telnet --disable-tftp \
        --disable-pop3 --disable-imap --disable-smb --disable-smtp \
        --disable-gopher --disable-mqtt --disable-manual --disable-ntlm-wb \
        --disable-unix-sockets --disable-websockets
    step curl make -j"$jobs" -C lib
    step curl make -C lib install
    step curl make -C include install
}

build_tinyxml() {
    local src=$work/src/tinyxml f
    cd "$src"
    mkdir -p obj
    for f in tinyxml tinyxmlerror tinyxmlparser tinystr; do
        step tinyxml "$cxx" -O2 -DTIXML_USE_STL -c "$f.cpp" -o "obj/$f.o"
    done
    step tinyxml "$target-ar" rcs "$tmp_prefix/lib/libtinyxml.a" obj/*.o
    # The library is built in STL mode; make the header say so, so that
    # users need not define TIXML_USE_STL themselves.
    if ! grep -Eq '^[[:space:]]*#[[:space:]]*define[[:space:]]+TIXML_USE_STL' tinyxml.h; then
        {
            printf '#ifndef TIXML_USE_STL\n#define TIXML_USE_STL\n#endif\n'
            cat tinyxml.h
        } >"$tmp_prefix/include/tinyxml.h"
    else
        cp tinyxml.h "$tmp_prefix/include/tinyxml.h"
    fi
    cp tinystr.h "$tmp_prefix/include/tinystr.h"
}

# CPU seconds (user + system) from a `times` report's line of children.
cpu_seconds() {
    tail -n 1 "$1" | awk '{
        t = 0
        for (i = 1; i <= 2; i++) {
            split($i, a, "m"); sub("s", "", a[2]); t += a[1] * 60 + a[2]
        }
        printf "%d\n", t
    }'
}

# Builds one library in a subshell; records wall and CPU seconds.
timed() {
    local name=$1 fn=$2
    (
        t=$(date +%s)
        log "$name: building"
        "$fn"
        wall=$(($(date +%s) - t))
        times >"$work/times-$name"
        c=$(cpu_seconds "$work/times-$name")
        printf '%s %s\n' "$wall" "$c" >"$work/took-$name"
        log "$name: built in $wall s ($c s CPU)"
    )
}

# The three builds run side by side: OpenSSL's compile overlaps curl's
# (mostly serial) configure.
declare -A pids=()
for pkg in "${packages[@]}"; do
    timed "$pkg" "build_$pkg" &
    pids[$pkg]=$!
done
failed=""
for pkg in "${packages[@]}"; do
    wait "${pids[$pkg]}" || failed+=" $pkg"
done
[[ -z $failed ]] || die "failed to build:$failed (logs: $work/logs)"
declare -A took=() cpu=()
for pkg in "${packages[@]}"; do
    read -r "took[$pkg]" "cpu[$pkg]" <"$work/took-$pkg"
done

# Link check: one small program touching every library.
t=$(date +%s)
step link-check "$cxx" -O1 -DCURL_STATICLIB \
    -I"$tmp_prefix/include" -o "$work/link-check.exe" "$deps_dir/link-check.cpp" \
    -L"$tmp_prefix/lib" -ltinyxml -lcurl -lcrypto \
    -lbcrypt -ladvapi32 -lcrypt32 -lws2_32 -luser32 -lgdi32
log "link check: passed in $(($(date +%s) - t)) s"

rm -rf "$tmp_prefix/share" "$tmp_prefix/bin" "$tmp_prefix/lib/"*.la
{
    printf 'recipe %s\n' "$recipe_hash"
    for pkg in "${packages[@]}"; do
        printf 'source %s %s\n' "$pkg" "${version[$pkg]}"
    done
    printf 'target %s\n' "$target"
    printf 'compiler %s\n' "$("$cc" -dumpfullversion)"
    printf 'link -DCURL_STATICLIB -ltinyxml -lcurl -lcrypto -lbcrypt -ladvapi32 -lcrypt32 -lws2_32 -luser32 -lgdi32\n'
} >"$tmp_prefix/hlvn-deps.txt"

# Installed paths inside pkg-config/cmake files name the temporary prefix.
grep -rlF "$tmp_prefix" "$tmp_prefix/lib" --include='*.pc' --include='*.cmake' 2>/dev/null |
    while read -r f; do sed -i "s|$tmp_prefix|$prefix|g" "$f"; done

rm -rf "$prefix"
mv -T "$tmp_prefix" "$prefix"
tmp_prefix=""
set_current

# Keep the three newest prefixes; drop older ones and leftovers of
# interrupted runs.
for d in "$cache_root"/*/; do
    d=${d%/}
    if [[ ! -L $d && -f $d/hlvn-deps.txt ]]; then printf '%s\n' "$d/hlvn-deps.txt"; fi
done | xargs -r -d '\n' ls -1t | tail -n +4 | while read -r f; do
    old=$(dirname "$f")
    if [[ $old != "$prefix" ]]; then
        log "removing old prefix $old"
        rm -rf "$old"
    fi
done
for d in "$cache_root"/*.tmp; do
    if [[ -d $d ]]; then rm -rf "$d"; fi
done

total=$(($(date +%s) - t_start))
log "timings: openssl ${took[openssl]} s, curl ${took[curl]} s, tinyxml ${took[tinyxml]} s, total ${total} s"
log "CPU: openssl ${cpu[openssl]} s, curl ${cpu[curl]} s, tinyxml ${cpu[tinyxml]} s"
log "prefix size: $(du -sh "$prefix" | cut -f1)"
printf '%s\n' "$prefix" >&3
