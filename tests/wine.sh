#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The series maintainers
# SPDX-License-Identifier: MIT

# Runs a Windows program under Wine, in a prefix of the build's own, without
# Wine's Mono and Gecko, which a console program does not use. Exits 77, which
# the tests take as skipped, where the kernel cannot run the Wine loader at
# all, as a 32-bit loader on a kernel without 32-bit support.
# Usage: wine.sh LOADER PREFIX PROGRAM [ARGUMENT...]
set -u
loader=$1
export WINEPREFIX=$2 WINEDEBUG=-all WINEDLLOVERRIDES=mscoree,mshtml=
shift 2
if ! probe=$("$loader" --version 2>&1) && [[ $probe == *"Exec format error"* ]]; then
    echo "skipped: this machine cannot run $loader: $probe"
    exit 77
fi
exec "$loader" "$@"
