#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The series maintainers
# SPDX-License-Identifier: MIT

# The release's signature, with a throwaway key made here and gone with the
# check, listed as keys/allowed_signers lists the maintainers' (their lines,
# its key in place of theirs): tools/sign.sh signs build/dist/SHA256SUMS, the
# same bytes twice; the commands that check a download, exactly as
# documented, accept the release, and refuse it once SHA256SUMS or a download
# has changed by a byte, or when another key signed.
# Usage: signature_check.sh COMMANDS, from the project's top folder
set -euo pipefail
shopt -s inherit_errexit
commands=$1 keys=$(mktemp -d) dist=$PWD/build/dist
trap 'rm -rf "$keys" "$dist/SHA256SUMS.sig"' EXIT
fail() { echo "FAIL: $*" >&2 && exit 1; }
for key in ours other; do ssh-keygen -q -t ed25519 -N '' -C "$key" -f "$keys/$key"; done
read -r type key _ <"$keys/ours.pub"
sed -E "/^[^#]/ s|ssh-ed25519 [A-Za-z0-9+/=]+|$type $key|" keys/allowed_signers >"$keys/allowed_signers"
grep -qF "$key" "$keys/allowed_signers" || fail "keys/allowed_signers lists no Ed25519 key"

tools/sign.sh "$keys/ours"
cp "$dist/SHA256SUMS.sig" "$keys/first.sig"
tools/sign.sh "$keys/ours"
cmp "$keys/first.sig" "$dist/SHA256SUMS.sig" || fail "two signings of one list differ"

downloads() {  # SHA256SUMS, its signature[, a download to change by a byte]: a folder of the downloads, as a user has it
    local folder
    folder=$(mktemp -d "$keys/download-XXXXXX")
    ln -s "$dist"/* "$folder"
    rm "$folder/SHA256SUMS" "$folder/SHA256SUMS.sig" ${3:+"$folder/$3"}
    cp "$1" "$folder/SHA256SUMS"
    cp "$2" "$folder/SHA256SUMS.sig"
    cp "$keys/allowed_signers" "$folder"
    [[ -z ${3-} ]] || { cat "$dist/$3" && echo; } >"$folder/$3"
    echo "$folder"
}
verifies() { (cd "$1" && bash -euo pipefail -c "$commands") >/dev/null 2>&1; }  # folder: the documented commands there
folder=$(downloads "$dist/SHA256SUMS" "$dist/SHA256SUMS.sig")
verifies "$folder" || fail "the documented commands refuse the release as signed"
# the first file's name changed: the sums of the others still hold, so only the signature can refuse it
sed '1s/.$/~/' "$dist/SHA256SUMS" >"$keys/changed"
folder=$(downloads "$keys/changed" "$dist/SHA256SUMS.sig")
! verifies "$folder" || fail "a changed SHA256SUMS is accepted"
cp "$dist/SHA256SUMS" "$keys/list"
ssh-keygen -q -Y sign -f "$keys/other" -n file "$keys/list" </dev/null
folder=$(downloads "$dist/SHA256SUMS" "$keys/list.sig")
! verifies "$folder" || fail "another key's signature is accepted"
download=$(sed -n '1s/^[0-9a-f]*  //p' "$dist/SHA256SUMS")
folder=$(downloads "$dist/SHA256SUMS" "$dist/SHA256SUMS.sig" "$download")
! verifies "$folder" || fail "a changed $download is accepted"
echo "signed twice alike; the documented commands accept the release, and refuse a changed list or download, and another key"
