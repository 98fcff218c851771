#!/usr/bin/env bash
# translations/qtm418_en.ts holds every text the window can show, each with its English: lupdate
# run over the sources into a copy of the file finds nothing to add or drop, and no entry is
# left unfinished.
# Usage: lupdate_check.sh LUPDATE SOURCE_DIR
set -euo pipefail
lupdate=$1
source_dir=$2
translations=$source_dir/translations/qtm418_en.ts

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$translations" "$work/qtm418_en.ts"
"$lupdate" -silent -locations none "$source_dir/src/app" "$source_dir/src/platform" "$source_dir/src/controls" \
  -ts "$work/qtm418_en.ts"

status=0
if ! diff -u "$translations" "$work/qtm418_en.ts"; then
  echo "lupdate_check: the sources' texts differ from $translations (lines marked + are what lupdate" \
    "would change): run 'cmake --build build --target update_translations' and translate the new texts"
  status=1
fi
if grep -n -E 'type="(unfinished|vanished|obsolete)"' "$translations"; then
  echo "lupdate_check: $translations has entries without a current English translation"
  status=1
fi
exit $status
