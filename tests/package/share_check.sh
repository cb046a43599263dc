#!/usr/bin/env bash
# The files for the desktop and the manual as their own tools check them: the manual
# pages without groff warnings, the desktop entry, and the AppStream metadata.
# Argument: the source directory. Exits 77 (skipped) when none of the tools is there.
set -euo pipefail
SRC="$1"
checked=0
if command -v groff >/dev/null; then
  for page in "$SRC"/share/man/*.1; do
    out="$(LC_ALL=C.UTF-8 groff -man -ww -z -K utf8 -Tutf8 "$page" 2>&1)"
    if [ -n "$out" ]; then echo "$page: $out" >&2; exit 1; fi
  done
  checked=1
fi
if command -v desktop-file-validate >/dev/null; then
  out="$(desktop-file-validate "$SRC/share/applications/zedro.desktop" 2>&1)"
  if [ -n "$out" ]; then echo "$out" >&2; exit 1; fi
  checked=1
fi
if command -v appstreamcli >/dev/null; then
  appstreamcli validate --no-net --pedantic "$SRC"/share/metainfo/*.metainfo.xml
  checked=1
fi
if command -v xmllint >/dev/null; then
  xmllint --noout "$SRC/share/mime/packages/zedro.xml"
fi
[ "$checked" -eq 1 ] || { echo "skipped: neither groff, desktop-file-validate nor appstreamcli"; exit 77; }
echo "manual pages, desktop entry and AppStream data are valid"
