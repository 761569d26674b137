#!/usr/bin/env bash
# Instructions of each timed part of a timing program (its EmpiezaCuenta .. TerminaCuenta),
# counted by valgrind's callgrind, child processes included: the mean per part over its
# repetitions, in the order the parts first ran.
#   bench/instrucciones.sh build/bin/bench_nueva 5
set -euo pipefail
[ $# -ge 1 ] || { echo "usage: $0 PROGRAM [ARGS...]" >&2; exit 2; }
command -v valgrind >/dev/null || { echo "valgrind is not installed" >&2; exit 2; }
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
valgrind --tool=callgrind --collect-atstart=no --trace-children=yes \
    --callgrind-out-file="$dir/cg.%p" "$@" >"$dir/stdout" 2>"$dir/stderr" ||
    { cat "$dir/stderr" >&2; exit 1; }
cat "$dir/stdout"
# Each dump names its part in its trigger line and holds the part's total.
for f in "$dir"/cg.*; do
    awk '/^desc: Trigger: Client Request: /{sub(/^desc: Trigger: Client Request: /, ""); parte=$0}
         /^(summary|totals):/{n=$2}
         END{if (parte != "") print FILENAME "\t" parte "\t" n}' "$f"
done | sort -t$'\t' -k1,1V | awk -F'\t' '
    { if (!($2 in suma)) orden[++k] = $2; suma[$2] += $3; veces[$2]++ }
    END { for (i = 1; i <= k; i++) { p = orden[i]; printf "instructions %s: %.0f (mean of %d)\n", p, suma[p] / veces[p], veces[p] } }'
