# Sourced by the tests here: runs a command as a new user whose home is a fresh folder.
#   as_user HOME COMMAND [ARGS...]
as_user() {
  local home=$1
  shift
  mkdir -p "$home"
  mkdir -p -m 700 "$home/.run"
  env HOME="$home" XDG_CONFIG_HOME="$home/.config" XDG_DATA_HOME="$home/.local/share" \
    XDG_CACHE_HOME="$home/.cache" XDG_RUNTIME_DIR="$home/.run" QT_QPA_PLATFORM=offscreen "$@"
}

fail() {
  echo "FAIL: $*" >&2
  exit 1
}
