#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The series maintainers
# SPDX-License-Identifier: MIT

# Signs the release's checksum list, build/dist/SHA256SUMS, with OpenSSH's `ssh-keygen -Y sign` (namespace file) and
# the private key file KEY, whose public half keys/allowed_signers lists: build/dist/SHA256SUMS.sig. Run by the key's
# holder, outside the project's root: the key is read where it lies, and never copied. An Ed25519 signature is a
# function of the key and the list alone: signing again gives the same bytes.
# Usage: tools/sign.sh KEY
set -euo pipefail
cd "$(dirname "$0")/.."
(($# == 1)) || { echo "usage: tools/sign.sh KEY" >&2; exit 2; }
list=build/dist/SHA256SUMS
[[ -f $list ]] || { echo "sign: no $list: make the release first (doc/release.md)" >&2; exit 1; }
rm -f "$list.sig"  # ssh-keygen would ask before it writes over it
ssh-keygen -q -Y sign -f "$1" -n file "$list" </dev/null
