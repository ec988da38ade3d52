#!/usr/bin/env bash
# The demo weather database rebuilt beside a program in a build tree: a user database
# with an imported city keeps it, a user database nobody imported into follows the
# new demo database (and its stale weather analyses are dropped).
#   demo_rebuild.sh BUILD_DIR SOURCE_DIR MKWEATHERDB SHARED_WEATHER_DIR
set -euo pipefail
build=$1 source=$2 mkweatherdb=$3 weather=$4
. "$(dirname "$0")/user_env.sh"

# Without the sample weather files (they live beside the repository) there is nothing to import.
if sample_missing "$weather/NLD_Amsterdam062400_IWEC.epw" "$weather"; then
  echo "no sample weather files in $weather: skipped"
  exit 77
fi

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
# A build tree's bin folder: the program with the demo databases beside it.
bin=$tmp/bin
mkdir -p "$bin"
cp "$build/bin/lumoeco" "$build/bin/Weather.db3" "$build/bin/Product.mdb" "$bin/"
rebuild() { "$mkweatherdb" "$source/data/weather/normals.csv" "$bin/Weather.db3" >/dev/null; }
cd "$tmp"

importer=$tmp/importer
as_user "$importer" "$bin/lumoeco" weather import "$weather/NLD_Amsterdam062400_IWEC.epw" \
  --country Netherlands --city Amsterdam >/dev/null 2>&1 || fail "import"
other=$tmp/other
as_user "$other" "$bin/lumoeco" weather analyse France Paris >/dev/null 2>&1 || fail "analyse"
[ -f "$other/.cache/brivanta/weather/FRA_Paris.json" ] || fail "no cached analysis"

rebuild

as_user "$importer" "$bin/lumoeco" weather list >"$tmp/list" 2>"$tmp/err"
grep -q $'^Netherlands\tAmsterdam\tNetherlands_Amsterdam' "$tmp/list" || fail "the imported city was lost"
grep -q $'^France\tParis\t' "$tmp/list" || fail "the demo cities were lost"
! grep -q updated "$tmp/err" || fail "the user's database was replaced: $(cat "$tmp/err")"

as_user "$other" "$bin/lumoeco" weather list >"$tmp/list" 2>"$tmp/err"
grep -q "updated $other/.local/share/brivanta/Weather.db3 from $bin/Weather.db3" "$tmp/err" ||
  fail "an untouched copy did not follow the rebuild: $(cat "$tmp/err")"
grep -q $'^France\tParis\t' "$tmp/list" || fail "the demo cities are missing after the refresh"
[ ! -e "$other/.cache/brivanta/weather/FRA_Paris.json" ] || fail "a stale analysis was kept"
echo "demo rebuild: imported city kept, untouched copy refreshed"
