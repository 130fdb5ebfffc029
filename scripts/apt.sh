# Sourced by the scripts that install Debian packages.  tav_apt_install
# installs the packages named (as root, or through sudo), refreshing the
# package index only when a first attempt fails.
tav_apt_install() {
  [ $# -gt 0 ] || return 0
  echo "installing: $*"
  local sudo=
  [ "$(id -u)" -ne 0 ] && sudo=sudo
  $sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "$@" >/dev/null 2>&1 ||
    { $sudo apt-get update >/dev/null && $sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "$@"; }
}
