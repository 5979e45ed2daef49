#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The series maintainers
# SPDX-License-Identifier: MIT

# What a program took of others' libraries when it was linked, read from the
# linker's map: every object file, and every archive member that the link
# took, that lies outside the build, by the Debian package that owns it.
# Usage: notices.sh list MAP
#            a line for each source package: its name, version, what it asks
#            (third-party.txt), the binary package and version, the count of
#            pieces, how they were taken (members: archive members among them,
#            linked statically; objects: object files alone, start files),
#            and the licence
#        notices.sh write MAP FOLDER [crlf]
#            FOLDER/SOURCE.txt for each: what was taken, the package's
#            copyright file and the licence texts that it refers to, as
#            installed here; with Windows line ends when asked
set -euo pipefail
shopt -s inherit_errexit
export LC_ALL=C
here=$(realpath "$0")
here=${here%/*}
mode=$1 map=$2
build=$(dirname "$map")
build=$(realpath "$build")
[[ -r $map ]] || { echo "notices: no linker's map $map" >&2; exit 1; }

# The pieces, a path each, once for every member taken from an archive; the
# program's own, in the build, aside.
pieces() {
    awk '/^Archive member included/ { members = 1; next }
        members && /^(Allocating common symbols|Discarded input sections|Memory Configuration)/ { members = 0 }
        members && /^[^ \t].*\.a\(.*\)$/ { sub(/\(.*$/, ""); print; next }
        /^LOAD / && $2 ~ /\.o(bj)?$/ { print $2 }' "$map" |
        while read -r piece; do
            [[ $piece == /* ]] || continue
            piece=$(realpath -s "$piece")
            [[ $piece == "$build"/* ]] || echo "$piece"
        done
}

# The pieces, counted: every program takes the start files at least.
taken_pieces=$(pieces | sort | uniq -c)
[[ -n $taken_pieces ]] || { echo "notices: $map names nothing of others' libraries" >&2; exit 1; }

# For each source package: pieces, the binary package and its version, and
# how they were taken: members, where any is an archive member.
declare -A counts packages taken
while read -r count piece; do
    real=$(realpath "$piece")
    owner=$(dpkg -S "$piece" 2>/dev/null || dpkg -S "$real" 2>/dev/null) ||
        { echo "notices: $piece, linked into the program, belongs to no package" >&2; exit 1; }
    package=${owner%%: *}
    source=$(dpkg-query -W -f '${source:Package} ${source:Version}' "$package")
    counts[$source]=$((${counts[$source]:-0} + count))
    [[ $piece != *.a ]] || taken[$source]=members
    installed=$(dpkg-query -W -f '${Version}' "$package")
    packages[$source]="$package $installed"
done <<<"$taken_pieces"

listing() {
    local source name terms
    for source in "${!counts[@]}"; do
        name=${source% *}
        terms=$(awk -v name="$name" '$1 == name { $1 = ""; print substr($0, 2) }' "$here/third-party.txt")
        [[ -n $terms ]] || {
            echo "notices: the program takes ${counts[$source]} pieces of $name (${packages[$source]}), which package/third-party.txt does not list: read its licence and add it there" >&2
            return 1
        }
        echo "$source ${terms%% *} ${packages[$source]} ${counts[$source]} ${taken[$source]:-objects} ${terms#* }"
    done | sort
}

case $mode in
list) listing ;;
write)
    folder=$3 ending=${4-}
    mkdir -p "$folder"
    listing | while read -r name version terms package package_version count _ licence; do
        copyright=/usr/share/doc/${package%%:*}/copyright
        {
            echo "$name $version, from the Debian package $package $package_version"
            echo "series takes $count pieces of it (object files and archive members) when it is linked."
            echo "Licence: $licence"
            [[ $terms == source ]] &&
                echo "Its complete source is among the release's files: ${name}_${version#*:}.dsc and the files it names."
            echo
            echo "==== $copyright"
            cat "$copyright"
            # the licence texts that it refers to, none where grep finds none (status 1)
            texts=$(grep -o '/usr/share/common-licenses/[A-Za-z0-9.+-]*[A-Za-z0-9]' "$copyright" | sort -u) ||
                (($? == 1))
            while read -r text; do
                [[ -f $text ]] || continue
                echo
                echo "==== $text"
                cat "$text"
            done <<<"$texts"
        } >"$folder/$name.txt"
        if [[ $ending == crlf ]]; then
            sed -i 's/$/\r/' "$folder/$name.txt"
        fi
    done
    ;;
*)
    echo "notices.sh: no mode '$mode'" >&2
    exit 1
    ;;
esac
