#!/bin/sh
# The bench program started with a code: a code with a mistake stops it before any window with status 2 and
# the reason in Spanish, keeping nothing; a good one is kept for the next start, and a later mistyped code
# does not replace it. Run with a home of its own; $1 is the program.
set -u
program=$1
kept="${XDG_CONFIG_HOME:?}/Tarvelo/tarvelo.conf"
rm -f "$kept"
fail() { echo "FAIL: $*"; exit 1; }

out=$("$program" --codigo K7QM-3XHD 2>&1); status=$?
echo "$out"
[ $status -eq 2 ] || fail "status $status for a mistyped code"
echo "$out" | grep -q "tarvelo: código de muestra no válido: El código K7QM-3XHD no es válido: compruebe" ||
    fail "no reason given"
[ ! -e "$kept" ] || fail "a refused code was kept"

TARVELO_EXIT_AFTER_FIRST_PAINT=1 "$program" --codigo twsh3nkm >/dev/null || fail "a good code did not start"
grep -qx "codigo=TWSH-3NKM" "$kept" || fail "the code was not kept: $(cat "$kept")"

"$program" --codigo TWSH-3NMK >/dev/null 2>&1 && fail "a mistyped code started the bench"
TARVELO_EXIT_AFTER_FIRST_PAINT=1 "$program" >/dev/null || fail "no start without a code"
grep -qx "codigo=TWSH-3NKM" "$kept" || fail "the kept code changed: $(cat "$kept")"
echo "ok"
