#!/usr/bin/env bash
# Makes a throw-away self-signed code-signing certificate for testing the signing: <folder>/
# certificate.pem (to verify against) and <folder>/certificate.p12 (certificate and key, for
# scripts/sign.sh, password "test"). Never for a release.
# Usage: make-test-certificate.sh <folder>
set -euo pipefail

folder=$1
mkdir -p "$folder"
openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj "/CN=Brenik_Zefa test signing" \
    -addext keyUsage=critical,digitalSignature -addext extendedKeyUsage=codeSigning \
    -keyout "$folder/key.pem" -out "$folder/certificate.pem" 2>/dev/null
openssl pkcs12 -export -passout pass:test -inkey "$folder/key.pem" \
    -in "$folder/certificate.pem" -out "$folder/certificate.p12"
rm "$folder/key.pem"
