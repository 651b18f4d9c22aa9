#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Writes the help2man include file of powerdeck-cli: one section per command, taken from the
# program's own "COMMAND --help" pages, kept as laid out (no filling).
#   sh commands.sh <powerdeck-cli> <output>
set -eu
cli=$1
out=$2
{
    for command in battery monitor schedule; do
        echo "[COMMAND $(echo "$command" | tr '[:lower:]' '[:upper:]')]"
        echo ".nf"
        "$cli" "$command" --help | sed -e 's/\\/\\e/g' -e "s/^[.']/\\\\\&&/"
        echo ".fi"
        echo
    done
    echo "[SEE ALSO]"
    echo "powerdeck(1)"
} > "$out"
