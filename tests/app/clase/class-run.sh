#!/bin/sh
# A class of thirty through the real programs: codes, key and slips; one student's
# sweep checked against their code and a classmate's; answers copied from the key
# graded all right. Usage: class-run.sh tarvelo-clase tarvelo-barrido workdir
set -u
clase=$1 barrido=$2 work=$3
rm -rf "$work" && mkdir -p "$work" && cd "$work" || exit 1
fail() { echo "FALLO: $*"; exit 1; }
{
  echo "nombre;grupo"
  i=1
  while [ $i -le 30 ]; do echo "Alumno $i;L$((i % 2 + 1))"; i=$((i + 1)); done
} > lista.csv
"$clase" crear --alumnos lista.csv --clave clave.csv --semilla 7 --fichas fichas.pdf || fail "crear"
[ "$(wc -l < clave.csv)" -eq 31 ] || fail "la clave no tiene 31 líneas"
head -c 4 fichas.pdf | grep -q '%PDF' || fail "fichas.pdf no es un PDF"
first=$(sed -n 2p clave.csv | cut -d, -f3)
second=$(sed -n 3p clave.csv | cut -d, -f3)
"$barrido" --muestra "$first" -o propio.asc 2>/dev/null || fail "barrido"
"$clase" comprobar --codigo "$first" propio.asc > propio.txt || fail "comprobar el propio"
grep -q "72 de 72 registros coinciden" propio.txt || fail "no coinciden los 72"
if "$clase" comprobar --codigo "$second" propio.asc > ajeno.txt; then fail "aceptado con otro código"; fi
grep -q "NO se midió en la muestra $second" ajeno.txt || fail "sin veredicto"
# The key's own results as answers: every one right.
cut -d, -f3,11-19 clave.csv > respuestas.csv
"$clase" corregir --clave clave.csv respuestas.csv -o notas.csv > notas.txt || fail "corregir"
[ "$(grep -c ': 9 de 9 bien' notas.txt)" -eq 30 ] || fail "no todas bien"
echo "bien"
