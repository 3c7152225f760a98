#!/usr/bin/env bash
# An installed Lumivue is what a file manager offers for a project file: the
# type of "*.lmv" is registered, has its icon, and the menu entry opens it.
set -euo pipefail
build=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
DESTDIR= cmake --install "$build" --prefix "$prefix" >/dev/null
update-mime-database "$prefix/share/mime"
grep -qx '50:application/x-lumivue-project:\*.lmv' "$prefix/share/mime/globs2"
grep -qx 'application/x-lumivue-project:application-x-lumivue-project' "$prefix/share/mime/icons"
test -f "$prefix/share/icons/hicolor/48x48/mimetypes/application-x-lumivue-project.png"
entry="$prefix/share/applications/lumivue.desktop"
grep -qx 'MimeType=application/x-lumivue-project;' "$entry"
grep -qx 'Exec=lumivue %f' "$entry"
