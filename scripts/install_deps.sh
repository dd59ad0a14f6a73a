#!/usr/bin/env bash
# Installs, with apt-get, only the Debian 12 packages that are not installed yet.
set -euo pipefail
packages=(g++ cmake make pkg-config qt6-base-dev qt6-qpa-plugins libgtest-dev libgmock-dev libbenchmark-dev
          fonts-dejavu-core clang-format
          # The fuzz targets: clang with its libFuzzer and sanitizer runtimes.
          clang libclang-rt-14-dev
          # Ostrevane: the network's computers (mDNS, NetBIOS) and mounting their shares
          # (GVfs with its FUSE folder, as a user; the kernel's CIFS client, as root).
          avahi-utils avahi-daemon samba-common-bin smbclient libglib2.0-bin gvfs-backends gvfs-fuse cifs-utils
          # The servers' mDNS names ("serveur.local") resolved by the system's resolver, so that a
          # share opened by its name is recorded and found again by that name (mdns4_minimal in
          # /etc/nsswitch.conf).
          libnss-mdns
          # Its end-to-end test: a Samba server on the loopback and a session bus of its own.
          samba dbus-daemon
          # A FUSE folder whose daemon the tests stop, as a server that no longer answers.
          bindfs
          "$@")
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "installing: ${missing[*]}"
  sudo_cmd=""
  [ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
  $sudo_cmd apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
