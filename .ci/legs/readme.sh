about="the README's \"Build and run\" (with 2 3 typed in) and \"Test\" blocks, as printed, on a fresh Debian 12"
packages=(mmdebstrap git)
# A fresh Debian 12 root, with its package lists, git and sudo and nothing
# else, and a clone of the commit in it, where a newcomer types the blocks.
leg() {
    local root commands output
    root=$(mktemp -d /tmp/series-fresh-debian-XXXXXX)
    trap "umount -R '$root/proc' '$root/dev' 2>/dev/null; rm -rf '$root'" EXIT
    mmdebstrap --quiet --variant=apt --skip=cleanup/apt/lists --include=ca-certificates,sudo,git \
        bookworm "$root"
    git clone -q . "$root/series"
    mount --rbind /dev "$root/dev"
    mount -t proc proc "$root/proc"
    newcomer() { chroot "$root" env -i HOME=/root PATH=/usr/sbin:/usr/bin:/sbin:/bin TERM=xterm \
        bash -c "cd /series && $1"; }

    commands=$(readme_commands "Build and run")
    echo "$ $commands"
    output=$(newcomer "$commands" <<<'2 3')
    echo "$output" | tail -n 5
    [[ $(tail -n 2 <<<"$output") == $'Input a,n:\nanswer:246' ]] ||
        die "the output does not end with the two lines of the answer"

    commands=$(readme_commands "Test")
    echo "$ $commands"
    newcomer "$commands" </dev/null
}
