#!/usr/bin/env bash
# Renders the first page of a workbook to PNG as LibreOffice prints it: a review aid for the
# templates (and the picture in the README), not a test.
#   tools/render-report.sh REPORT.xls OUT.png [DPI] ["X Y W H"]
# The optional last argument crops the page to a rectangle, in pixels at DPI.
# Needs LibreOffice (libreoffice-calc-nogui) and pdftoppm (poppler-utils).
set -euo pipefail
[ $# -ge 2 ] || { echo "usage: $0 REPORT.xls OUT.png [DPI] [\"X Y W H\"]" >&2; exit 2; }
report=$1
png=$2
dpi=${3:-80}
crop=()
if [ $# -ge 4 ]; then
    read -r x y w h <<<"$4"
    crop=(-x "$x" -y "$y" -W "$w" -H "$h")
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# A private profile, so that a LibreOffice the user has open is not disturbed.
soffice -env:UserInstallation="file://$work/profile" --headless --convert-to pdf \
    --outdir "$work" "$report" >/dev/null 2>&1
pdf="$work/$(basename "${report%.*}").pdf"
pdftoppm -png -r "$dpi" -f 1 -l 1 "${crop[@]}" -singlefile "$pdf" "$work/page"
mv "$work/page.png" "$png"
echo "$png"
