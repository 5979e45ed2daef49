#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The series maintainers
# SPDX-License-Identifier: MIT

# Signs the release's checksum list, build/dist/SHA256SUMS, with OpenSSH's `ssh-keygen -Y sign` (namespace file) and
# the private key file KEY, whose public half keys/allowed_signers lists: build/dist/SHA256SUMS.sig. Run by the key's
# holder, outside the project's root: the key is read where it lies, and never copied. An Ed25519 signature is a
# function of the key and the list alone: signing again gives the same bytes.
# Usage: tools/sign.sh KEY
set -euo pipefail
(($# == 1)) || { echo "usage: tools/sign.sh KEY" >&2; exit 2; }
key=$(realpath "$1")
cd "$(dirname "$0")/.."
list=build/dist/SHA256SUMS
[[ -f $list ]] || { echo "sign: no $list: make the release first (doc/release.md)" >&2; exit 1; }
# the list on standard input, the signature on standard output: an earlier one stays until this one is made
trap 'rm -f "$list.sig.new"' EXIT
ssh-keygen -q -Y sign -f "$key" -n file <"$list" >"$list.sig.new"
mv "$list.sig.new" "$list.sig"
