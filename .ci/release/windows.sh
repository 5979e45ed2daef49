# SPDX-FileCopyrightText: 2026 The series maintainers
# SPDX-License-Identifier: MIT

# The release leg's checks of each Windows zip: the program, its manual as README.txt, the licence, the news and the
# notices, every text with Windows line ends; the program stripped, its headers and version resource as the tests
# check them, and queued for the end-to-end checks under Wine.
check_zips() {  # version
    local version=$1 bits zip folder triple text sections
    declare -A toolchains=([32]=cmake/mingw-w64-i686.cmake [64]=cmake/mingw-w64-x86_64.cmake)
    declare -A formats=([32]=pei-i386 [64]=pei-x86-64)
    declare -A loaders=([32]=wine [64]=/usr/lib/wine/wine64)
    for bits in 32 64; do
        zip=build/dist/series-$version-win$bits.zip
        triple=$(sed -n 's/^set(cross_triple \(.*\))$/\1/p' "${toolchains[$bits]}")
        echo "-- $zip"
        same_files "$zip" "$(unzip -Z1 "$zip" | grep -v /third-party/)" \
            "$(printf "series-$version-win$bits/%s\n" README.txt LICENSE.txt NEWS.txt series.exe)"
        folder=$(mktemp -d)
        unzip -q "$zip" -d "$folder"
        folder+=/series-$version-win$bits
        check_notices "$zip" "zip-windows-x${bits/32/86}" "$folder/third-party"
        for text in "$folder"/*.txt "$folder"/third-party/*.txt; do
            [[ $(grep -c $'\r$' "$text") == $(wc -l <"$text") ]] || die "${text#"$folder"/} has lines without CRLF"
        done
        grep -q '^WINDOWS' "$folder/README.txt" || die "README.txt is not the manual"
        sections=$("$triple-objdump" -h "$folder/series.exe") && ! grep -q debug <<<"$sections" || die "series.exe is not stripped"
        bash tests/binary_headers.sh "$folder/series.exe" "$triple-objdump" "${formats[$bits]}" \
            KERNEL32.dll msvcrt.dll
        bash tests/version_resource.sh "$triple-windres" "$folder/series.exe" "$version"
        queue_e2e "win$bits-zip" "$folder/series.exe" tests/wine.sh "${loaders[$bits]}" \
            "$PWD/build/release-wine$bits"
    done
}
