#!/usr/bin/env bash
# Writes cmake/earlier-shipped.txt from the git history: the SHA-1 of every earlier version of each
# file data/ shipped below its top folder (the files at the top are the user's from the start), so
# that laying out a program folder knows them for the program's. Run it from the repository.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
cd "$here"
declare -A current
while read -r _ _ blob path; do current[$path]=$blob; done < <(git ls-tree -r HEAD data)
for commit in $(git log --format=%H HEAD -- data); do
  git ls-tree -r "$commit" data
done | while read -r _ _ blob path; do
  name=${path#data/}
  [[ $name == */* && ${current[$path]:-} != "$blob" ]] || continue
  echo "$blob $name"
done | sort -u | while read -r blob name; do
  echo "$(git cat-file blob "$blob" | sha1sum | cut -d' ' -f1) $name"
done | sort -k2,2 -k1,1 -u > cmake/earlier-shipped.txt
