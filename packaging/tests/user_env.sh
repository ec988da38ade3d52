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

# True when the shared sample file FILE is missing and the check may be skipped. In CI
# (CI=true) with the shared sample folder beside the repository, a missing file fails.
#   sample_missing FILE SHARED_WEATHER_DIR
sample_missing() {
  [ -f "$1" ] && return 1
  if [ "${CI:-}" = true ] && [ -d "$(dirname "$(dirname "$2")")" ]; then
    fail "missing shared sample file $1"
  fi
  return 0
}
