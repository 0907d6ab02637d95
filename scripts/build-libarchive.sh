#!/usr/bin/env bash
# Cross-builds a static libarchive for the Windows tree from Debian's source package, once.
# The result (include/, lib/libarchive.a, COPYING, VERSION) is cached in build/libarchive-mingw;
# later runs return at once. The machine's apt configuration is only read, never changed: the
# deb-src lines go into a scratch sources list under build/.
# Usage: scripts/build-libarchive.sh
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out="$root/build/libarchive-mingw"
patch_file="$root/scripts/libarchive-c-locale-utf8.patch"
# A change to this script or the patch builds it again.
key=$(cat "$0" "$patch_file" | sha256sum | cut -d' ' -f1)
[ -f "$out/lib/libarchive.a" ] && [ "$(cat "$out/KEY" 2>/dev/null)" = "$key" ] && exit 0

work="$root/build/libarchive-src"
rm -rf "$work" "$out"
mkdir -p "$work/lists/partial" "$work/cache/archives/partial" "$work/src"
log="$work/build.log"
echo "Building libarchive for Windows (once, about a minute)" >&2
fail() { cat "$log" >&2; echo "building libarchive failed: $1" >&2; exit 1; }

# One deb-src line per Debian archive and suite the machine already uses, so the source is the
# same release as the native libarchive-dev.
python3 - "$work/sources.list" <<'EOF' >>"$log" 2>&1 || fail "no Debian archive in the apt sources"
import glob, sys

entries = []  # (uri, suite, signed_by)

def one_line(path):
    for line in open(path, encoding="utf-8", errors="replace"):
        words = line.split("#", 1)[0].split()
        if not words or words[0] != "deb":
            continue
        words = words[1:]
        options = ""
        if words and words[0].startswith("["):
            opts = []
            while words:
                w = words.pop(0)
                opts.append(w)
                if w.endswith("]"):
                    break
            options = " ".join(opts).strip("[]")
        if len(words) >= 2:
            signed = ""
            for o in options.split():
                if o.startswith("signed-by="):
                    signed = o.split("=", 1)[1]
            entries.append((words[0], words[1], signed))

def deb822(path):
    text = open(path, encoding="utf-8", errors="replace").read()
    for stanza in text.split("\n\n"):
        fields, key = {}, None
        for line in stanza.splitlines():
            if line.startswith("#") or not line.strip():
                continue
            if line[0] in " \t" and key:
                fields[key] += " " + line.strip()
                continue
            key, _, value = line.partition(":")
            key = key.strip().lower()
            fields[key] = value.strip()
        if "deb" not in fields.get("types", "").split() or fields.get("enabled", "yes") == "no":
            continue
        signed = fields.get("signed-by", "")
        if signed and not signed.startswith("/"):
            signed = ""  # an inline key block: fall back to the trusted keyrings
        for uri in fields.get("uris", "").split():
            for suite in fields.get("suites", "").split():
                entries.append((uri, suite, signed))

for p in ["/etc/apt/sources.list"] + sorted(glob.glob("/etc/apt/sources.list.d/*.list")):
    try:
        one_line(p)
    except OSError:
        pass
for p in sorted(glob.glob("/etc/apt/sources.list.d/*.sources")):
    deb822(p)

lines = []
for uri, suite, signed in entries:
    if "debian" not in uri:
        continue
    option = f"[signed-by={signed}] " if signed else ""
    line = f"deb-src {option}{uri} {suite} main\n"
    if line not in lines:
        lines.append(line)
if not lines:
    sys.exit(1)
open(sys.argv[1], "w").writelines(lines)
EOF

apt_options=(
  -o "Dir::Etc::SourceList=$work/sources.list" -o Dir::Etc::SourceParts=/dev/null
  -o "Dir::State::Lists=$work/lists" -o "Dir::Cache=$work/cache"
  -o Dir::Cache::pkgcache= -o Dir::Cache::srcpkgcache= -o APT::Sandbox::User=root
)
apt-get "${apt_options[@]}" -qq update >>"$log" 2>&1 || fail "apt-get update"
(cd "$work/src" && apt-get "${apt_options[@]}" -qq source libarchive) >>"$log" 2>&1 || fail "apt-get source"
srcdir=$(find "$work/src" -mindepth 1 -maxdepth 1 -type d -name 'libarchive-*' | head -n1)
[ -n "$srcdir" ] || fail "no unpacked source"
version=$(cd "$work/src" && ls libarchive_*.dsc | sed 's/^libarchive_//; s/\.dsc$//')
patch -d "$srcdir" -p1 --quiet <"$patch_file" >>"$log" 2>&1 || fail "patch"

# Every optional dependency off: the exe imports nothing beyond Windows' own DLLs.
off=()
for feature in OPENSSL MBEDTLS NETTLE CNG LIBB2 LZ4 LZO LZMA ZSTD ZLIB BZip2 LIBXML2 EXPAT PCREPOSIX LIBGCC \
               TAR CPIO CAT XATTR ACL ICONV TEST INSTALL; do
  off+=("-DENABLE_$feature=OFF")
done
cmake -S "$srcdir" -B "$work/build" -G Ninja -DCMAKE_BUILD_TYPE=MinSizeRel \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
  -DBUILD_SHARED_LIBS=OFF -DPOSIX_REGEX_LIB=NONE "${off[@]}" \
  -DCMAKE_C_FLAGS="-ffunction-sections -fdata-sections" >>"$log" 2>&1 || fail "configure"
cmake --build "$work/build" --target archive_static -j "$(nproc)" >>"$log" 2>&1 || fail "compile"

staging="$out.partial"
rm -rf "$staging"
mkdir -p "$staging/include" "$staging/lib"
cp "$srcdir/libarchive/archive.h" "$srcdir/libarchive/archive_entry.h" "$staging/include/"
cp "$work/build/libarchive/libarchive.a" "$staging/lib/libarchive.a" 2>/dev/null \
  || cp "$work/build/libarchive/libarchive_static.a" "$staging/lib/libarchive.a"
cp "$srcdir/COPYING" "$staging/COPYING"
echo "$version" >"$staging/VERSION"
echo "$key" >"$staging/KEY"
mv "$staging" "$out"
rm -rf "$work"
