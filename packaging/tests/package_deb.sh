#!/usr/bin/env bash
# Builds the Debian package and checks what it holds: the programs, their private
# libraries, the shipped files and the desktop integration, which the validators pass.
#   package_deb.sh BUILD_DIR APP_ID
set -euo pipefail
build=$1 id=$2
. "$(dirname "$0")/user_env.sh"

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
(cd "$build" && cpack -G DEB -B "$tmp" >"$tmp/cpack.log" 2>&1) || {
  cat "$tmp/cpack.log" >&2
  fail "cpack"
}
deb=$(ls "$tmp"/brivanta_*.deb)
dpkg-deb -c "$deb" | awk '{print $6}' | sed 's|^\./|/|' >"$tmp/files"
for f in \
  /usr/bin/LumoEcoAnalysis /usr/bin/lumoeco \
  /usr/lib/brivanta/libLumoEcoCore.so /usr/lib/brivanta/libLumoEcoCal.so /usr/lib/brivanta/libLumoCommon.so \
  /usr/share/brivanta/Weather.db3 /usr/share/brivanta/Product.mdb \
  /usr/share/brivanta/OtherVRFPerformanceData.json /usr/share/brivanta/images/Save.png \
  /usr/share/brivanta/translations/brivanta_zh_CN.qm \
  "/usr/share/applications/$id.desktop" "/usr/share/metainfo/$id.metainfo.xml" \
  "/usr/share/mime/packages/$id.xml" "/usr/share/icons/hicolor/scalable/apps/$id.svg" \
  "/usr/share/icons/hicolor/48x48/apps/$id.png" "/usr/share/icons/hicolor/256x256/apps/$id.png"; do
  grep -qx "$f" "$tmp/files" || fail "$f is not in the package"
done
depends=$(dpkg-deb -f "$deb" Depends)
for d in libqt5widgets5 libqt5sql5 libqt5sql5-sqlite libc6; do
  [[ "$depends" == *"$d"* ]] || fail "Depends lacks $d: $depends"
done

dpkg-deb -x "$deb" "$tmp/root"
desktop-file-validate "$tmp/root/usr/share/applications/$id.desktop" || fail "desktop-file-validate"
appstreamcli validate --no-net "$tmp/root/usr/share/metainfo/$id.metainfo.xml" || fail "appstreamcli validate"
grep -q '^Exec=LumoEcoAnalysis --open %f$' "$tmp/root/usr/share/applications/$id.desktop" || fail "Exec line"
# The .ee glob belongs to the project type once the mime package is installed.
mkdir -p "$tmp/mime/mime/packages"
cp "$tmp/root/usr/share/mime/packages/$id.xml" "$tmp/mime/mime/packages/"
update-mime-database "$tmp/mime/mime" 2>/dev/null
grep -q '^application/x-brivanta-project:\*\.ee$' "$tmp/mime/mime/globs" || fail "mime globs: $(cat "$tmp/mime/mime/globs")"
echo "package $(basename "$deb"): $(wc -l <"$tmp/files") entries; Depends: $depends"
