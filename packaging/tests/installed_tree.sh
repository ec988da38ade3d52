#!/usr/bin/env bash
# Installs the build into a temporary prefix, makes it read-only and uses the programs
# from there as a new user would, in another (read-only, empty) working directory:
# an example calculated with the same figures as from the build tree and reported, a real EPW
# imported into the user's weather database and calculated, the window opening an
# example with --open. Nothing inside the prefix or the working directory changes.
#   installed_tree.sh BUILD_DIR SOURCE_DIR SHARED_WEATHER_DIR
set -euo pipefail
build=$1 source=$2 weather=$3
. "$(dirname "$0")/user_env.sh"

tmp=$(mktemp -d)
trap 'chmod -R u+w "$tmp"; rm -rf "$tmp"' EXIT
prefix=$tmp/prefix work=$tmp/work home=$tmp/home
cmake --install "$build" --prefix "$prefix" >/dev/null
mkdir -p "$work"
chmod -R a-w "$prefix" "$work"
# Read-only folders do not stop root; the snapshots show any write.
snapshot() { (cd "$1" && find . -printf '%p %y %m %s %T@\n' | sort && find . -type f -exec sha256sum {} + | sort); }
prefix_before=$(snapshot "$prefix")

example=$source/examples/school_paris.ee
cd "$work"

# The same figures as from the build tree (its own fresh user).
as_user "$tmp/builduser" "$build/bin/lumoeco" calculate "$example" --format json >"$tmp/build.json" 2>/dev/null
as_user "$home" "$prefix/bin/lumoeco" calculate "$example" --format json >"$tmp/installed.json" 2>"$tmp/err" ||
  fail "calculate from the installed tree: $(cat "$tmp/err")"
cmp -s "$tmp/build.json" "$tmp/installed.json" || {
  diff "$tmp/build.json" "$tmp/installed.json" | head -20 >&2
  fail "the installed program's figures differ from the build tree's"
}
grep -q '"year"' "$tmp/installed.json" || fail "no yearly figures in the output"
# Where the user's copies were made is said when they are made.
data=$home/.local/share/brivanta
for f in Weather.db3 Product.mdb; do
  [ -f "$data/$f" ] || fail "no user copy of $f in $data"
  grep -q "created $data/$f (a copy of $prefix/share/brivanta/$f)" "$tmp/err" ||
    fail "the copy of $f was not announced: $(cat "$tmp/err")"
done
ls "$home/.cache/brivanta/weather/"*.json >/dev/null || fail "no weather analysis cache in the user's cache folder"

# The spreadsheet report of the installed program: a workbook of the nine sheets.
as_user "$home" "$prefix/bin/lumoeco" calculate "$example" --report "$tmp/report.xlsx" >/dev/null 2>"$tmp/err" ||
  fail "report from the installed tree: $(cat "$tmp/err")"
sheets=$(python3 -c 'import re, sys, zipfile
print("|".join(re.findall(r"<sheet name=\"([^\"]*)\"", zipfile.ZipFile(sys.argv[1]).read("xl/workbook.xml").decode())))' "$tmp/report.xlsx") ||
  fail "the report is no workbook"
[ "$sheets" = "Project Info|Building Info|Operational Info|Comparison Result|Load_Energy Estimate Result|Graph Cooling Part Load|Graph Heating Part Load|Weather Info|All" ] ||
  fail "report sheets: $sheets"

# A real EPW into the user's database, then a project in that city.
epw=$weather/NLD_Amsterdam062400_IWEC.epw
if sample_missing "$epw" "$weather"; then
  echo "no sample weather files in $weather: the import is not checked" >&2
else
  as_user "$home" "$prefix/bin/lumoeco" weather import "$epw" \
    --country Netherlands --city Amsterdam >"$tmp/out" 2>"$tmp/err" || fail "weather import: $(cat "$tmp/err")"
  grep -q 'as table Netherlands_Amsterdam' "$tmp/out" || fail "unexpected import output: $(cat "$tmp/out")"
  sed -e 's/"country": "France"/"country": "Netherlands"/' -e 's/"city": "Paris"/"city": "Amsterdam"/' \
    -e 's/"name": "[^"]*"/"name": "Secondary school, Amsterdam"/' "$example" >"$tmp/amsterdam.ee"
  as_user "$home" "$prefix/bin/lumoeco" calculate "$tmp/amsterdam.ee" >"$tmp/out" 2>"$tmp/err" ||
    fail "calculate in the imported city: $(cat "$tmp/err")"
  grep -q '^Location .*Amsterdam, Netherlands \[Netherlands_Amsterdam\]' "$tmp/out" ||
    fail "the calculation did not use the imported city: $(head -3 "$tmp/out")"
  grep -q '^Year ' "$tmp/out" || fail "no year total"
fi

# The shipped default curves are the program's built-in ones (written where none is found).
mkdir "$tmp/empty"
as_user "$home" "$prefix/bin/lumoeco" curves >"$tmp/shipped-curves"
as_user "$home" "$prefix/bin/lumoeco" curves --app-dir "$tmp/empty" >"$tmp/builtin-curves"
[ -f "$tmp/empty/OtherVRFPerformanceData.json" ] || fail "the built-in curves were not written"
cmp -s "$tmp/shipped-curves" "$tmp/builtin-curves" || fail "the shipped default curves differ from the built-in ones"

# Every location is listed, none inside the prefix is written to.
as_user "$home" "$prefix/bin/lumoeco" --paths >"$tmp/paths"
grep -q "^Weather database  *$data/Weather.db3" "$tmp/paths" || fail "--paths: $(cat "$tmp/paths")"
grep -q "^Shipped files  *$prefix/share/brivanta  *(installed)" "$tmp/paths" || fail "--paths: $(cat "$tmp/paths")"

# The window opens an example given with --open and quits.
as_user "$home" "$prefix/bin/LumoEcoAnalysis" --open "$example" --quit-after-open >"$tmp/out" 2>"$tmp/err" ||
  fail "the window did not open the example: $(cat "$tmp/out" "$tmp/err")"
grep -q "Brivanta\[$example\]" "$tmp/out" || fail "window title: $(cat "$tmp/out")"

[ "$(snapshot "$prefix")" = "$prefix_before" ] || fail "files inside the prefix changed"
[ -z "$(ls -A "$work")" ] || fail "files were written into the working directory: $(ls -A "$work")"
echo "installed tree: calculation, report, import and window OK; prefix and working directory unchanged"
