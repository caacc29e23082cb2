#!/usr/bin/env bash
# quillet-cli runs where no desktop is installed: the libraries it loads must not
# include Qt Widgets or Qt PrintSupport (printer jobs go through libcups).
#   check_libraries.sh QUILLET-CLI
set -u
loaded=$(ldd "$1") || { echo "ldd could not read $1"; exit 1; }
# A reading without Qt Core is no reading at all.
grep -q 'libQt6Core\.so' <<<"$loaded" || { echo "no Qt Core among the libraries of $1:"; echo "$loaded"; exit 1; }
if grep -E 'libQt6(Widgets|PrintSupport)\.so' <<<"$loaded"; then
    echo "quillet-cli loads the libraries above"
    exit 1
fi
grep -q 'libcups\.so' <<<"$loaded" || { echo "quillet-cli does not load libcups"; exit 1; }
exit 0
