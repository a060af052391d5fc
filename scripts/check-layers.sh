#!/usr/bin/env bash
# Fails when an include goes up or sideways: a file may include headers of its own folder and
# of the folders its folder links in its CMakeLists.txt (and what those link), and a folder
# may link only folders below it in the order of the layers. platform/linux/ is private to
# platform/: everything above sees the operating system through platform/'s interfaces, and
# includes none of its headers (<sys/...>, <fcntl.h>, <unistd.h>, <dirent.h>).
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$top"

# The layers, top to bottom, as the README's Layout section lists them.
order=(apps summary drives chart help ui census history settings table platform)
declare -A rank links closure
for i in "${!order[@]}"; do rank[${order[$i]}]=$i; done
status=0
fail() { echo "check-layers: $*" >&2; status=1; }

# The folders a folder's CMakeLists.txt links: every tm_NAME of a folder in the order.
for folder in "${order[@]}"; do
  names=$(grep -oE '\btm_[a-z]+\b' "$folder/CMakeLists.txt" | sed 's/^tm_//' | sort -u)
  for name in $names; do
    [[ -n ${rank[$name]+set} && $name != "$folder" ]] || continue
    ((rank[$name] > rank[$folder])) || fail "$folder/ links $name/, which is not below it"
    links[$folder]+=" $name"
  done
done

reach() {  # prints every folder $1 links, directly or through others
  local name
  for name in ${links[$1]:-}; do echo "$name"; reach "$name"; done
}
for folder in "${order[@]}"; do closure[$folder]=" $(reach "$folder" | sort -u | tr '\n' ' ')"; done

system_header='^[[:space:]]*#[[:space:]]*include[[:space:]]*<(sys/[^>]*|fcntl\.h|unistd\.h|dirent\.h)>'
files=0
for folder in "${order[@]}"; do
  while IFS= read -r file; do
    files=$((files + 1))
    if [[ $folder != platform ]]; then
      while IFS=: read -r line text; do
        fail "$file:$line includes ${text#*#include }: system calls go through platform/"
      done < <(grep -nE "$system_header" "$file" | sed -E 's/[[:space:]]+/ /g')
    fi
    while IFS=: read -r line header; do
      target=${header%%/*}
      [[ -n ${rank[$target]+set} ]] || continue
      if [[ $header == platform/linux/* && $folder != platform ]]; then
        fail "$file:$line includes $header: platform/linux/ is private to platform/"
      elif [[ $target != "$folder" && ${closure[$folder]} != *" $target "* ]]; then
        fail "$file:$line includes $header, but $folder/ does not link $target/"
      fi
    done < <(grep -nE '^[[:space:]]*#[[:space:]]*include[[:space:]]*"' "$file" |
             sed -E 's/^([0-9]+):[^"]*"([^"]+)".*/\1:\2/')
  done < <(find "$folder" -name '*.cpp' -o -name '*.h')
done
((status == 0)) && echo "check-layers: $files files in ${#order[@]} layers; every include goes downward, system headers only in platform/"
exit $status
