#!/usr/bin/env bash
# Proves that debian-packages.txt is complete: every file outside the source and build trees
# that the configure, the compiler or the linker read, and every tool the build ran, must
# come from a listed package or from one that a listed package pulls in through Depends or
# Pre-Depends (or from the base system every Debian machine has). A package that is only
# installed here by chance, or only recommended, is named together with a file that needs it.
#
# Usage: check-deps.sh [--packages FILE] [--without PACKAGE]... [BUILD_DIR]
#   BUILD_DIR   a built Ninja or Makefile tree (default build/release)
#   --packages  check another list instead of scripts/debian-packages.txt
#   --without   drop a package from the list first, to watch the check catch it
#   --verbose   name every package used, with one file that needs it
# Exit status: 0 complete, 1 something missing, 2 the check could not run.
set -euo pipefail

src=$(cd "$(dirname "$0")/.." && pwd)
list="$src/scripts/debian-packages.txt"
without=()
build=""
verbose=0
while [ $# -gt 0 ]; do
    case "$1" in
    --packages) list=$2; shift 2 ;;
    --without) without+=("$2"); shift 2 ;;
    -v | --verbose) verbose=1; shift ;;
    -h | --help) sed -n '2,14p' "$0" | sed 's/^# \{0,1\}//'; exit 0 ;;
    -*) echo "check-deps: unknown option $1" >&2; exit 2 ;;
    *) build=$1; shift ;;
    esac
done
build=${build:-$src/build/release}

die() { echo "check-deps: $*" >&2; exit 2; }
command -v dpkg-query >/dev/null || die "needs dpkg (a Debian system)"
[ -r "$list" ] || die "cannot read the package list $list"
[ -d "$build" ] || die "no build tree at $build; build first"
build=$(cd "$build" && pwd)

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
trap 'echo "check-deps: internal error at line $LINENO" >&2; exit 2' ERR
# Absolute paths only; none at all is not an error.
absolute() { grep '^/' || true; }

# The packages on the list, minus the ones to leave out.
sed -e 's/#.*//' -e 's/[[:space:]]//g' -e '/^$/d' "$list" | sort -u >"$work/listed"
for p in "${without[@]}"; do
    grep -qx -- "$p" "$work/listed" || die "$p is not on $list"
    grep -vx -- "$p" "$work/listed" >"$work/kept" || true
    mv "$work/kept" "$work/listed"
done

# What a configure from scratch reads: the trace names every CMake file that ran a command,
# the regeneration rule every file CMake would watch for changes.
if ! cmake -S "$src" -B "$work/configure" -G Ninja --trace-expand --trace-format=json-v1 \
    --trace-redirect="$work/trace.json" >"$work/configure.log" 2>&1; then
    tail -20 "$work/configure.log" >&2
    die "the configure failed (log above)"
fi
{
    grep -o '"file":"[^"]*"' "$work/trace.json" | sed -e 's/^"file":"//' -e 's/"$//'
    awk '/^build build.ninja:/ { on = 1 } on { print } on && !/\$$/ { exit }' \
        "$work/configure/build.ninja" | tr ' ' '\n' | absolute
} | sed 's/$/\tconfigure read/' >"$work/files"

# The tools the build runs: compiler, CMake, the build program and Qt's code generators.
cache_value() { sed -n "s/^$1:[A-Z]*=//p" "$build/CMakeCache.txt"; }
[ -f "$build/CMakeCache.txt" ] || die "$build is not a CMake build tree"
cxx=$(cache_value CMAKE_CXX_COMPILER)
{
    printf '%s\n' "$cxx" "$(cache_value CMAKE_COMMAND)" "$(cache_value CMAKE_MAKE_PROGRAM)"
    find "$build" -name AutogenInfo.json -exec sed -n \
        's/^[[:space:]]*"[A-Z_]*_EXECUTABLE"[[:space:]]*:[[:space:]]*"\(\/[^"]*\)".*/\1/p' {} +
} | absolute | sed 's/$/\tthe build ran/' >>"$work/files"

# Every header the compiler read, from the dependencies Ninja keeps or the compiler's .d files.
if [ -f "$build/.ninja_deps" ]; then
    ninja -C "$build" -t deps | sed -n 's/^[[:space:]]\{1,\}\(\/[^[:space:]]*\)$/\1/p'
else
    find "$build" -name '*.d' -exec cat {} + | tr ' \\' '\n\n' | absolute | sed '/:$/d'
fi | sed 's/$/\tthe compiler read/' >"$work/headers"
[ -s "$work/headers" ] || die "no compiler dependencies in $build; build it first"
cat "$work/headers" >>"$work/files"

# Every library the linker was given, by path or as -lname.
if [ -f "$build/build.ninja" ]; then
    sed -n 's/^[[:space:]]*LINK_LIBRARIES = //p' "$build/build.ninja"
else
    find "$build" -name link.txt -exec cat {} +
fi | tr ' ' '\n' | sort -u | while read -r arg; do
    case "$arg" in
    -l*) "$cxx" -print-file-name="lib${arg#-l}.so" ;;
    /*.so | /*.so.* | /*.a) printf '%s\n' "$arg" ;;
    esac
done | absolute | sed 's/$/\tthe linker read/' >>"$work/files"

# Keep one origin per file, outside the trees, with paths like .../12/../../../include made
# plain, as dpkg knows them.
cut -f1 "$work/files" | xargs -r -d '\n' realpath -s -m -- | paste - <(cut -f2 "$work/files") |
    awk -F'\t' -v s="$src/" -v b="$build/" -v w="$work/" '
    index($1, s) != 1 && index($1, b) != 1 && index($1, w) != 1 && !seen[$1]++' >"$work/outside"

# Owners from dpkg, in batches. A file that dpkg knows under another name (merged /usr,
# alternatives, symlinks) is asked again under its real path and its pre-merge path.
owners() { cut -f1 | xargs -r -d '\n' dpkg-query -S 2>/dev/null | grep -v '^diversion' || true; }
owners <"$work/outside" >"$work/owners"
awk -F': ' '{ print $NF }' "$work/owners" | sort -u >"$work/owned"
cut -f1 "$work/outside" | sort -u | comm -23 - "$work/owned" | while read -r f; do
    real=$(readlink -f "$f" || printf '%s' "$f")
    for alias in "$real" "${real#/usr}"; do
        if [ "$alias" != "$f" ]; then printf '%s\t%s\n' "$alias" "$f"; fi
    done
done >"$work/aliases"
cut -f1 "$work/aliases" | sort -u | owners >"$work/alias-owners"

# The packages a fresh machine gets from the list: the base system (Essential and required)
# and the listed packages, closed over Depends and Pre-Depends. Of alternatives, the first
# installed one is followed; a virtual package stands for its installed providers.
dpkg-query -W -f='${Package}\t${db:Status-Abbrev}\t${Essential}\t${Priority}\t${Provides}\t${Pre-Depends}, ${Depends}\n' |
    awk -F'\t' '
    function bare(x) { gsub(/\([^)]*\)|:[a-z0-9]+|[ \t]/, "", x); return x }
    NR == FNR { queue[++n] = $1; next }
    $2 ~ /^.i/ {
        installed[$1] = 1; deps[$1] = $6
        if ($3 == "yes" || $4 == "required") queue[++n] = $1
        m = split($5, pv, ",")
        for (i = 1; i <= m; ++i) if ((v = bare(pv[i])) != "") prov[v] = prov[v] " " $1
    }
    END {
        for (q = 1; q <= n; ++q) {
            p = queue[q]
            if (p in seen || !(p in installed)) continue
            seen[p] = 1; print p
            g = split(deps[p], groups, ",")
            for (i = 1; i <= g; ++i) {
                a = split(groups[i], alts, "|")
                for (j = 1; j <= a; ++j) {
                    d = bare(alts[j])
                    if (d in installed) { queue[++n] = d; break }
                    if (d in prov) {
                        k = split(prov[d], ps, " ")
                        for (x = 1; x <= k; ++x) queue[++n] = ps[x]
                        break
                    }
                }
            }
        }
    }' "$work/listed" - >"$work/closure"

while read -r p; do
    dpkg-query -W -f='${db:Status-Abbrev}' "$p" 2>/dev/null | grep -q '^.i' ||
        echo "check-deps: warning: $p is listed but not installed here" >&2
done <"$work/listed"

# Judge each file by its owners: fine when one of them is in the closure.
if ! awk -F'\t' -v list="$list" -v verbose="$verbose" '
    FILENAME ~ /closure$/ { ok[$1] = 1; next }
    FILENAME ~ /alias-owners$/ || FILENAME ~ /\/owners$/ {
        i = index($0, ": "); path = substr($0, i + 2); pk = substr($0, 1, i - 1)
        gsub(/:[a-z0-9]+/, "", pk); gsub(/ /, "", pk)
        if (FILENAME ~ /alias/) alias_pk[path] = pk; else pkgs[path] = pk
        next
    }
    FILENAME ~ /aliases$/ { if (!($2 in pkgs) && ($1 in alias_pk)) pkgs[$2] = alias_pk[$1]; next }
    {
        files++
        if (!($1 in pkgs)) {
            bad++
            print "check-deps: " $1 " (" $2 ") belongs to no Debian package"
            next
        }
        m = split(pkgs[$1], cand, ","); good = ""
        for (i = 1; i <= m; ++i) if (cand[i] in ok) good = cand[i]
        if (good != "") { if (!(good in used)) used[good] = $2 " " $1; next }
        for (i = 1; i <= m; ++i) if (!named[cand[i]]++) {
            bad++
            print "check-deps: " cand[i] " is needed but neither on " list \
                  " nor pulled in by a package there: " $2 " " $1
        }
    }
    END {
        if (bad) exit 1
        n = 0; for (p in used) { n++; if (verbose) print "  " p ": " used[p] }
        printf "check-deps: %d files outside the tree come from %d packages, all provided by %s\n", files, n, list
    }' "$work/closure" "$work/owners" "$work/alias-owners" "$work/aliases" "$work/outside"; then
    exit 1
fi
