#!/usr/bin/env bash
# Builds an armhf sysroot for the cross build: Debian's armhf Qt 5 development packages and
# everything they depend on, unpacked into one folder (default: build-sysroot-armhf/ at the top
# of the repository) without installing anything on this machine. The cross compiler points its
# --sysroot at it, and qemu-arm runs the tests with their libraries from it, exactly as an
# instrument SDK's sysroot is used. The machine's own packages are never touched, so the armhf
# libraries need not match the versions of their amd64 twins.
#
# Usage: scripts/armhf-sysroot.sh [folder]
# E1_ARM_MIRROR, E1_ARM_SECURITY_MIRROR and E1_ARM_SUITE choose the archive (Debian's mirrors
# and this machine's release by default); E1_APT_TRIES and E1_APT_PAUSE how often and how long
# apart a package list that is inconsistent during a mirror sync is fetched again. A sysroot
# built before is used as it is; E1_ARM_REFRESH=1 brings it up to date with the archive.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
sysroot=$(realpath -m "${1:-$top/build-sysroot-armhf}")
apt_dir=$sysroot.apt
mirror=${E1_ARM_MIRROR:-http://deb.debian.org/debian}
security_mirror=${E1_ARM_SECURITY_MIRROR:-http://deb.debian.org/debian-security}
suite=${E1_ARM_SUITE:-$(. /etc/os-release && echo "$VERSION_CODENAME")}
tries=${E1_APT_TRIES:-3}
pause=${E1_APT_PAUSE:-15}
keyring=/usr/share/keyrings/debian-archive-keyring.gpg
# Qt with its development files, the C and C++ libraries to link against, and the fonts of the
# native run: Liberation, and DejaVu, which fontconfig brings along on the build machine.
packages=(qtbase5-dev libqt5test5 libc6-dev libstdc++-12-dev fonts-liberation fonts-dejavu-core)

stamp=$sysroot/.packages
if [ -f "$stamp" ] && [ "${E1_ARM_REFRESH:-0}" != 1 ]; then
    echo "$sysroot"
    exit 0
fi

mkdir -p "$apt_dir"/{lists/partial,cache/archives/partial,state,etc/preferences.d,etc/sources.list.d}
: >"$apt_dir/status"
apt_options=(-o APT::Architecture=armhf -o APT::Architectures::=armhf
             -o Dir::State="$apt_dir/state" -o Dir::State::Lists="$apt_dir/lists"
             -o Dir::State::status="$apt_dir/status" -o Dir::Cache="$apt_dir/cache"
             -o Dir::Etc::SourceList="$apt_dir/etc/sources.list"
             -o Dir::Etc::SourceParts="$apt_dir/etc/sources.list.d"
             -o Dir::Etc::PreferencesParts="$apt_dir/etc/preferences.d"
             -o Dir::Etc::Preferences="$apt_dir/etc/preferences")

write_sources() { # suite...
    : >"$apt_dir/etc/sources.list"
    for s in "$@"; do
        local uri=$mirror
        [[ $s != *-security ]] || uri=$security_mirror
        echo "deb [arch=armhf signed-by=$keyring] $uri $s main" >>"$apt_dir/etc/sources.list"
    done
}

# Fetches the package lists, again after a pause while a list does not match its release file
# (a mirror in the middle of a sync). Returns 1 when that lasted through every try, with the lists
# concerned in $apt_dir/failed, and 2 on any other failure.
update_lists() {
    local i log=$apt_dir/update.log
    for ((i = 1; i <= tries; i++)); do
        local ok=0
        apt-get "${apt_options[@]}" -q update >"$log" 2>&1 || ok=$?
        grep '^[WE]: Failed to fetch' "$log" | sed 's/^[WE]: Failed to fetch //' >"$apt_dir/failed" || true
        if [ ! -s "$apt_dir/failed" ]; then
            [ "$ok" = 0 ] && return 0
            cat "$log" >&2
            return 2
        fi
        if grep -qvE 'Mirror sync in progress|unexpected size|Hash Sum mismatch' "$apt_dir/failed"; then
            cat "$log" >&2
            return 2
        fi
        if [ "$i" -lt "$tries" ]; then
            echo "armhf package lists inconsistent (mirror sync in progress?), try $i of $tries;" \
                 "again in ${pause}s" >&2
            sleep "$pause"
        fi
    done
    return 1
}

write_sources "$suite" "$suite-updates" "$suite-security"
status=0
update_lists || status=$?
if [ "$status" = 1 ] && ! grep -qv -- "/dists/$suite-security/" "$apt_dir/failed"; then
    # The security suite alone may stay inconsistent for a while; the release's own packages
    # still give a complete sysroot.
    echo "The armhf package list of $suite-security was still inconsistent after $tries tries:" >&2
    cat "$apt_dir/failed" >&2
    echo "Building the sysroot from $suite and $suite-updates alone, without the latest" \
         "security updates." >&2
    write_sources "$suite" "$suite-updates"
    status=0
    update_lists || status=$?
fi
if [ "$status" = 1 ]; then
    echo "The armhf package lists of $suite were still inconsistent after $tries tries" \
         "(mirror sync in progress?); no sysroot was built. Try again later:" >&2
    cat "$apt_dir/failed" >&2
    exit 1
elif [ "$status" = 2 ]; then
    echo "The armhf package lists of $suite could not be fetched (above); no sysroot was built." >&2
    exit 1
fi

# Downloads the packages; while a mirror sync leaves the lists inconsistent with each other,
# libraries can be "not installable" for a while: the lists are fetched again after a pause.
# Packages of earlier runs that the lists no longer offer leave the cache first.
apt-get "${apt_options[@]}" -q autoclean >/dev/null
for ((i = 1; ; i++)); do
    if apt-get "${apt_options[@]}" -q -y --no-install-recommends --download-only install \
            "${packages[@]}" >"$apt_dir/install.log" 2>&1; then
        break
    fi
    if ! grep -qE 'not installable|unmet dependencies|held broken' "$apt_dir/install.log"; then
        cat "$apt_dir/install.log" >&2
        echo "Downloading the armhf packages failed (above); no sysroot was built." >&2
        exit 1
    fi
    if [ "$i" -ge "$tries" ]; then
        cat "$apt_dir/install.log" >&2
        echo "The armhf packages of $suite were still not installable after $tries tries: the" \
             "package lists disagree with each other (mirror sync in progress?); no sysroot was" \
             "built. Try again later." >&2
        exit 1
    fi
    echo "armhf packages not installable (mirror sync in progress?), try $i of $tries; lists" \
         "fetched again in ${pause}s" >&2
    sleep "$pause"
    update_lists || [ $? = 1 ] || exit 1
done

# Unpacks the downloaded packages afresh when they changed since the last time.
(cd "$apt_dir/cache/archives" && ls -1 ./*.deb) >"$apt_dir/packages"
if ! cmp -s "$apt_dir/packages" "$stamp"; then
    rm -rf "$sysroot"
    mkdir -p "$sysroot"
    for deb in "$apt_dir"/cache/archives/*.deb; do
        dpkg-deb -x "$deb" "$sysroot"
    done
    # Links that point at an absolute path would lead out of the sysroot: make them relative.
    find "$sysroot" -type l -lname '/*' | while read -r link; do
        ln -sfnr "$sysroot$(readlink "$link")" "$link"
    done
    # What installing fontconfig-config sets up by default: slight hinting and no bitmap
    # fonts, as on the build machine, so that texts are drawn the same there and here.
    # Fontconfig's cache of the emulated programs lands here, not in the machine's own.
    for conf in 10-hinting-slight.conf 70-no-bitmaps.conf; do
        ln -sfn "../../../usr/share/fontconfig/conf.avail/$conf" "$sysroot/etc/fonts/conf.d/$conf"
    done
    mkdir -p "$sysroot/var/cache/fontconfig"
    cp "$apt_dir/packages" "$stamp"
fi
echo "$sysroot"
