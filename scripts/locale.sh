#!/usr/bin/env bash
# Generates a locale (for example it_IT.UTF-8) when the system does not have it yet. Needs the
# Debian package locales.
# Usage: scripts/locale.sh NAME
set -euo pipefail

name=$1
wanted=$(echo "$name" | tr '[:upper:]' '[:lower:]' | sed 's/utf-8/utf8/')
if locale -a 2>/dev/null | tr '[:upper:]' '[:lower:]' | grep -qx "$wanted"; then
    exit 0
fi
sudo=()
[ "$(id -u)" -ne 0 ] && sudo=(sudo)
echo "Generating the locale $name"
"${sudo[@]}" localedef -i "${name%%.*}" -f "${name#*.}" "$name"
