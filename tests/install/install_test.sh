#!/usr/bin/env bash
# Installs the build into a temporary folder (DESTDIR) and checks what a desktop gets: exactly the
# expected files, a valid desktop entry, the *.vdr files typed as mix files once the MIME
# database is built from the installed package, and the installed veldora-cli writing a report
# through the installed report program.
#   install_test.sh BUILD_DIR MIMEPROBE
set -euo pipefail
build="$1"
probe="$2"
root="$(mktemp -d)"
trap 'rm -rf "$root"' EXIT

DESTDIR="$root" cmake --install "$build" --prefix /usr >/dev/null
expected="usr/bin/veldora
usr/bin/veldora-cli
usr/libexec/veldora/veldora-report
usr/share/applications/veldora.desktop
usr/share/doc/veldora/copyright
usr/share/icons/hicolor/128x128/apps/veldora.png
usr/share/icons/hicolor/16x16/apps/veldora.png
usr/share/icons/hicolor/24x24/apps/veldora.png
usr/share/icons/hicolor/256x256/apps/veldora.png
usr/share/icons/hicolor/32x32/apps/veldora.png
usr/share/icons/hicolor/48x48/apps/veldora.png
usr/share/icons/hicolor/64x64/apps/veldora.png
usr/share/mime/packages/veldora.xml"
actual="$(cd "$root" && find . -type f -printf '%P\n' | LC_ALL=C sort)"
if [ "$actual" != "$expected" ]; then
  echo "installed files differ from the expected ones:" >&2
  diff <(echo "$expected") <(echo "$actual") >&2 || true
  exit 1
fi

desktop-file-validate "$root/usr/share/applications/veldora.desktop"
grep -qx 'Exec=veldora %f' "$root/usr/share/applications/veldora.desktop"
grep -qx 'MimeType=application/x-veldora-mix;' "$root/usr/share/applications/veldora.desktop"

update-mime-database "$root/usr/share/mime"
typed="$(XDG_DATA_DIRS="$root/usr/share" QT_QPA_PLATFORM=offscreen "$probe" design.vdr)"
expectedType="application/x-veldora-mix
VELDORA concrete mix design
text/plain"
if [ "$typed" != "$expectedType" ]; then
  echo "*.vdr is typed as: $typed" >&2
  exit 1
fi
"$root/usr/bin/veldora-cli" --report "$root/r.pdf" --pour-volume 12 >/dev/null
if [ "$(head -c 5 "$root/r.pdf")" != "%PDF-" ]; then
  echo "the installed veldora-cli wrote no report" >&2
  exit 1
fi
echo "installed $(echo "$actual" | wc -l) files; *.vdr is application/x-veldora-mix; a report"
