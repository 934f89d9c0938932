#!/usr/bin/env bash
# Installs the package that scripts/package.sh built, runs the installed tavolix as a user
# would (its help, a replay of a small capture) and removes the package again.
set -euo pipefail
cd "$(dirname "$0")/.."

debs=(build-package/tavolix_*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || { echo "expected one build-package/tavolix_*.deb" >&2; exit 1; }
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
export DEBIAN_FRONTEND=noninteractive

work=$(mktemp -d)
remove() {
  if dpkg-query -W -f='${Status}' tavolix 2>/dev/null | grep -q "install ok installed"; then
    $sudo apt-get remove -y -qq tavolix
  fi
  rm -rf "$work"
}
trap remove EXIT

$sudo apt-get install -y -qq "./${debs[0]}"
for f in /usr/bin/tavolix /usr/bin/tavolix-sim /usr/share/applications/tavolix.desktop \
         /usr/share/man/man1/tavolix.1.gz /usr/share/doc/tavolix/copyright; do
  [ -f "$f" ] || { echo "not installed: $f" >&2; exit 1; }
done

# The programs run as a user who owns none of their files: root runs them as nobody.
as_user=()
[ "$(id -u)" -eq 0 ] && as_user=(runuser -u nobody --)
chmod 777 "$work"
"${as_user[@]}" /usr/bin/tavolix --help | grep -- "--replay" >/dev/null
"${as_user[@]}" /usr/bin/tavolix-sim --help | grep -- "--rate" >/dev/null

printf '1.5;2\r\n2.5;3\r\n-1;4E-1\r\n0.25;1\r\n' > "$work/capture.txt"
"${as_user[@]}" /usr/bin/tavolix --replay "$work/capture.txt" --channels 2 \
  --save-session "$work/run.tvx" --save-bitmap "$work/run.bmp"
session_size=$(stat -c %s "$work/run.tvx")
if [ "$session_size" -eq 0 ] || [ $((session_size % 104)) -ne 0 ]; then
  echo "the replay's session file has $session_size bytes, not whole 104-byte items" >&2
  exit 1
fi
[ "$(head -c 2 "$work/run.bmp")" = "BM" ] || { echo "the replay's bitmap is no BMP file" >&2; exit 1; }

remove
[ ! -e /usr/bin/tavolix ] || { echo "/usr/bin/tavolix is still there after removal" >&2; exit 1; }
echo "The installed package plotted a capture ($session_size bytes of session) and is removed."
