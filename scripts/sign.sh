#!/usr/bin/env bash
# Signs a PE file (DLL, EXE) or an MSI with Authenticode, with the certificate and key of the
# PKCS#12 file BZ_SIGN_PKCS12 (password BZ_SIGN_PASSWORD), counter-signed by the time-stamp
# server BZ_SIGN_TIMESTAMP_URL when set, so that the signature outlives the certificate.
# Usage: sign.sh <input> <signed output>
set -euo pipefail

input=$1 output=$2
timestamp=()
[ -z "${BZ_SIGN_TIMESTAMP_URL:-}" ] || timestamp=(-ts "$BZ_SIGN_TIMESTAMP_URL")
rm -f "$output"
# The password goes through a pipe, not the command line, where other users could read it.
osslsigncode sign -pkcs12 "$BZ_SIGN_PKCS12" -readpass <(printf '%s' "${BZ_SIGN_PASSWORD:-}") \
    -h sha256 -n Brenik_Zefa "${timestamp[@]}" -in "$input" -out "$output" >/dev/null
