# SPDX-FileCopyrightText: 2026 The series maintainers
# SPDX-License-Identifier: MIT

# How a script checks, so that a tool that fails, or prints nothing, fails: errexit, in pipelines and command
# substitutions too, which sees each figure computed in a statement of its own; a whole number before it is compared.
set -euo pipefail
shopt -s inherit_errexit
die() { echo "FAIL: $*" >&2 && exit 1; }
figure() { [[ $2 =~ ^[1-9][0-9]*$ ]] || die "$1: no figure, but '$2'"; }  # what, figure: a whole number above 0
# A linter, whose success is silence, is first given a known fault: its check must fail there, or it does not work.
rejects() { ! "${@:2}" >/dev/null 2>&1 || die "$1 passes a known fault"; }  # what, check... on the fault
silent() { local said && said=$("$@" 2>&1) && [[ -z $said ]] && return; echo "$*: ${said:-failed, saying nothing}"; return 1; }
lacks() { local status=0 && grep -Eq -- "$2" "$1" || status=$? && ((status == 1)); }  # file, regex: no line matches, and grep could read it
