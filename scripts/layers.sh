#!/usr/bin/env bash
# Prints which folders of ferrox, vocore and the editor include which
# (library sources only: tests, fuzzers, benchmarks and test support sit above
# everything). With --check it fails on an include that points from a lower
# folder to a higher one, except the files listed in ALLOWED.
set -euo pipefail
cd "$(dirname "$0")/.."

# Lowest first. skeleton and motion are siblings, as are file and link.
# In the editor settings and manip are siblings (pure data and jobs), as are
# view and tree; the companions (extend, timebar) read the document through
# the interfaces they declare, and the plug-in host interface (host) adapts
# the document for plug-ins, so only the application above it wires it.
declare -A ORDER=(
  [ferrox]="string math text ferrox file link draw testing"
  [vocore]="diblib render persist item skeleton motion scene geometry vocore Renddx testing"
  [editor]="settings manip extend timebar document view tree panel frame host app main"
)
# Folders left out of the graph, by library.
declare -A EXCLUDE=(
  [ferrox]="tests fuzz bench"
  [vocore]="tests fuzz bench"
  [editor]="tests qttests bench e2e testing"
)
# Upward includes the class design needs: an object hangs from a locate and a
# locate is an object, so the object base and the item walks that answer
# locates include the locate classes.
ALLOWED="vocore/item/VoIObject.cpp:skeleton vocore/item/VoIItemNames.cpp:skeleton"

check=0
[[ ${1:-} == --check ]] && check=1
status=0
for lib in ferrox vocore editor; do
  declare -A rank=()
  i=0
  for f in ${ORDER[$lib]}; do rank[$f]=$((i++)); done
  excluded=()
  for x in ${EXCLUDE[$lib]}; do excluded+=(":!*/$x/*"); done
  # file:line:#include "lib/folder/..." -> "file folder included"
  edges=$(git grep -n "#include \"$lib/" -- "$lib/*" "${excluded[@]}" |
    sed -E "s|^($lib/([^/]+)/[^:]*):[0-9]+:#include \"$lib/([^/]+)/.*|\1 \2 \3|" |
    awk '$2 != $3')
  echo "$lib:"
  echo "$edges" | awk '{print $2, $3}' | sort -u |
    awk '{to[$1] = to[$1] " " $2} END {for (f in to) print "  " f " ->" to[f]}' | sort
  while read -r file from to; do
    [[ -z $file ]] && continue
    if [[ -z ${rank[$from]+x} || -z ${rank[$to]+x} ]]; then
      echo "  unranked folder: $file ($from -> $to)" >&2
      status=1
    elif ((rank[$from] < rank[$to])) && [[ " $ALLOWED " != *" $file:$to "* ]]; then
      echo "  upward: $file ($from -> $to)" >&2
      status=1
    fi
  done <<<"$edges"
  unset rank
done
((check)) && exit $status
exit 0
