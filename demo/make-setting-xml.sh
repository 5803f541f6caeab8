#!/usr/bin/env bash
# Writes a setting.xml for the launcher to standard output: the login page
# address and one extra block entry, each AES-128-CBC encrypted (zero IV,
# PKCS#7 padding) with the launcher's settings key and written in hexadecimal.
#   make-setting-xml.sh LOGIN_URL [BLOCK_ENTRY]
set -euo pipefail
if [[ $# -lt 1 || $# -gt 2 ]]; then
    echo "usage: $0 LOGIN_URL [BLOCK_ENTRY]" >&2
    exit 2
fi
key_hex=$(printf '%s' 'Z7KQ2MWP4RTX8YBN' | od -An -tx1 | tr -d ' \n')
iv_hex=00000000000000000000000000000000

encrypt() {
    printf '%s' "$1" | openssl enc -aes-128-cbc -K "$key_hex" -iv "$iv_hex" -nosalt |
        od -An -tx1 | tr -d ' \n' | tr 'a-f' 'A-F'
}

echo '<?xml version="1.0" encoding="utf-8"?>'
echo '<setting>'
echo "  <loginUrl>$(encrypt "$1")</loginUrl>"
if [[ -n "${2:-}" ]]; then
    echo "  <blockUrl>$(encrypt "$2")</blockUrl>"
fi
echo '</setting>'
