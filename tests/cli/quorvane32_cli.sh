#!/usr/bin/env bash
# quorvane32's command line with no display at all: both reports, help, version and a wrong
# option. Usage: quorvane32_cli.sh PROGRAM
set -euo pipefail
program=$1
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
export XDG_CONFIG_HOME=$scratch/config XDG_DATA_HOME=$scratch/data
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM

"$program" --report=txt --output="$scratch/disks.txt"
grep -q -- ' Disk Utilization as of ' "$scratch/disks.txt"
grep -q -- '---- Total ----' "$scratch/disks.txt"
"$program" --report=csv >"$scratch/disks.csv"
grep -q '^Drive,Volume Name,' "$scratch/disks.csv"
grep -q -- '--report=txt|csv' <("$program" --help)
"$program" --version | grep -q '^Quorvane32 '

status=0
"$program" --report=pdf 2>"$scratch/error" || status=$?
[[ $status -eq 2 ]]
[[ $(wc -l <"$scratch/error") -eq 1 ]]
grep -q "pdf" "$scratch/error"
# Stray words are ignored with one line; Qt's own options reach Qt (the window then runs until
# it is stopped).
"$program" --report=csv --bogus /home >/dev/null 2>"$scratch/error"
[[ $(cat "$scratch/error") == "quorvane32: ignoring --bogus /home" ]]
status=0
timeout 3 "$program" -platform offscreen -style fusion -reverse 2>"$scratch/error" || status=$?
[[ $status -eq 124 ]] && ! grep -q ignoring "$scratch/error"
status=0
"$program" 2>"$scratch/error" || status=$?
[[ $status -eq 1 ]] && grep -q -- '--report' "$scratch/error"

# A link that another user planted in a sticky folder everyone may write is never followed.
if [[ $(id -u) -eq 0 ]]; then
  chmod 755 "$scratch"
  mkdir -m 1777 "$scratch/shared"
  printf precious >"$scratch/victim"
  setpriv --reuid=65534 --regid=65534 --clear-groups ln -s "$scratch/victim" "$scratch/shared/d"
  status=0
  "$program" --report=csv --output="$scratch/shared/d" 2>"$scratch/error" || status=$?
  [[ $status -eq 1 && $(wc -l <"$scratch/error") -eq 1 ]]
  [[ $(cat "$scratch/victim") == precious ]]
fi

echo "quorvane32 command line: reports, help, version and mistakes behave"
