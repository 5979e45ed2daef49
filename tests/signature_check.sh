#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The series maintainers
# SPDX-License-Identifier: MIT

# The release's signature, with a throwaway key made here and gone with the
# check: tools/sign.sh signs build/dist/SHA256SUMS, the same bytes twice; the
# commands that check a download, exactly as documented, accept it with the
# key listed as the maintainers', and refuse it once a byte of SHA256SUMS has
# changed, or when another key signed.
# Usage: signature_check.sh COMMANDS, from the project's top folder
set -euo pipefail
shopt -s inherit_errexit
commands=$1 keys=$(mktemp -d) dist=$PWD/build/dist
trap 'rm -rf "$keys"' EXIT
fail() { echo "FAIL: $*" >&2 && exit 1; }
identity=$(sed -n 's/.* -I \([^ ]*\) .*/\1/p' <<<"$commands")
[[ -n $identity ]] || fail "the documented commands name no identity"
for key in ours other; do ssh-keygen -q -t ed25519 -N '' -C "$key" -f "$keys/$key"; done
read -r type key _ <"$keys/ours.pub"
printf '%s namespaces="file" %s %s\n' "$identity" "$type" "$key" >"$keys/allowed_signers"

tools/sign.sh "$keys/ours" && cp "$dist/SHA256SUMS.sig" "$keys/first.sig"
tools/sign.sh "$keys/ours"
cmp "$keys/first.sig" "$dist/SHA256SUMS.sig" || fail "two signings of one list differ"

verifies() {  # SHA256SUMS, its signature: the documented commands, run in a folder of the downloads
    local folder
    folder=$(mktemp -d "$keys/download-XXXXXX")
    ln -s "$dist"/* "$folder" && rm "$folder/SHA256SUMS" "$folder/SHA256SUMS.sig"
    cp "$1" "$folder/SHA256SUMS" && cp "$2" "$folder/SHA256SUMS.sig" && cp "$keys/allowed_signers" "$folder"
    (cd "$folder" && bash -euo pipefail -c "$commands")
}
verifies "$dist/SHA256SUMS" "$dist/SHA256SUMS.sig" || fail "the documented commands refuse the release as signed"
# the first file's name changed: the sums of the others still hold, so only the signature can refuse it
sed '1s/.$/~/' "$dist/SHA256SUMS" >"$keys/changed"
! verifies "$keys/changed" "$dist/SHA256SUMS.sig" >/dev/null 2>&1 || fail "a changed SHA256SUMS is accepted"
cp "$dist/SHA256SUMS" "$keys/list" && ssh-keygen -q -Y sign -f "$keys/other" -n file "$keys/list" </dev/null
! verifies "$dist/SHA256SUMS" "$keys/list.sig" >/dev/null 2>&1 || fail "another key's signature is accepted"
echo "signed twice alike; the documented commands accept the signature, and refuse a changed list and another key"
