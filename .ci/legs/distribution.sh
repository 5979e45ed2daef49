# SPDX-FileCopyrightText: 2026 The series maintainers
# SPDX-License-Identifier: MIT

. .ci/lib.sh
describe "the source archive built as a Debian build daemon builds it: the build dependencies alone (no tmux), dpkg-buildflags' flags, the suite, blhc on the log; then with the nocheck profile" \
    @root git blhc python3
# A fresh Debian 12 root with the build dependencies alone, where a build user whose shell is nologin builds the
# commit's source with package/rules.
log=build/distribution.log
make_fresh_root make_root bookworm --variant=buildd --skip=cleanup/apt/lists
chroot "$root" useradd --system --home-dir /nonexistent --shell /usr/sbin/nologin builder
source=$root/build/series-$(project_version)
mkdir -p "$source" build && git archive HEAD | tar -x -C "$source"
mkdir -p "$source/debian/source" && echo '3.0 (native)' >"$source/debian/source/format"
cp package/changelog package/control package/rules "$source/debian"
in_root "$root" apt-get build-dep -y -q "/build/${source##*/}" >/dev/null  # as its control file names them
chroot "$root" chown -R builder /build

builder() { chroot "$root" runuser -u builder -- env -i -C "/build/${source##*/}" PATH=/usr/bin:/bin \
    HOME=/nonexistent "$@" dpkg-buildpackage -us -uc -b; }
builder DEB_BUILD_MAINT_OPTIONS=hardening=+all 2>&1 | tee "$log"
# no tmux, and so no terminal checks
suite_report "$source"/obj-* "^no tmux$"
grep -qx 'skipped: series_terminal: no tmux' "$tally" || die "the terminal checks were not skipped"
blhc "$log" || die "blhc: the build log lacks flags"
passed "blhc: every compile and link line has dpkg-buildflags' flags"
builder DEB_BUILD_OPTIONS=nocheck DEB_BUILD_PROFILES=nocheck >"$log.nocheck" 2>&1 ||
    { tail -n 30 "$log.nocheck"; die "the build with the nocheck profile failed"; }
lacks "$log.nocheck" 'Test #' || die "the nocheck build ran tests"
passed "built with the nocheck profile, no test run"
