#!/usr/bin/env bash
# Checks that a release can be reproduced from its commit: builds the unsigned release of the
# checked-out commit (HEAD; changes not committed are left out) twice, from two fresh clones at
# different paths, one after the other, and compares the two dist/ folders byte for byte.
# Takes two whole builds of the release (about a quarter of an hour on two cores), so it is not
# part of scripts/test-all.sh. Usage: check-reproducible.sh [folder to build in, default a
# temporary one]
set -euo pipefail
cd "$(dirname "$0")/.."

commit=$(git rev-parse HEAD)
work=${1:-}
if [ -z "$work" ]; then
    work=$(mktemp -d)
    trap 'rm -rf "$work"' EXIT
fi
# Each build takes its time stamps from the commit, not from the environment.
unset SOURCE_DATE_EPOCH BZ_SIGN_PKCS12

for clone in "$work/first" "$work/second/at/another/depth"; do
    rm -rf "$clone"
    git clone -q --no-checkout . "$clone"
    git -C "$clone" checkout -q "$commit"
    echo "Building the release of $commit in $clone"
    bash "$clone/scripts/package.sh" >"$clone.log" 2>&1 || { tail -30 "$clone.log" && exit 1; }
done

cd "$work"
if diff -r first/dist second/at/another/depth/dist; then
    echo "Reproducible: both builds of $commit gave the same bytes:"
    cat first/dist/SHA256SUMS
else
    echo "check-reproducible.sh: the two builds of $commit differ (above)" >&2
    exit 1
fi
