# What the builds of the Windows third-party parts share; sourced by deps.sh
# and pugixml.sh after they define log(), started and the prefix's name.
#
# A prefix lives in the cache under its name, which holds the Debian versions
# of its sources and the recipe revision; it counts only once its completion
# stamp is written, and one build of it runs at a time.

cache=${KASAMAT_WINDOWS_CACHE:-$HOME/.cache/kasamat-windows}

# The Debian source version of what apt would install now for a binary package.
candidate_source_version() {
  apt-cache show --no-all-versions "$1" | awk '
    /^Version: / { v = $2 }
    /^Source: / && $3 != "" { s = $3; gsub(/[()]/, "", s) }
    END { print (s != "" ? s : v) }'
}

finish() {
  log "prefix ready in $((SECONDS - started)) s"
  echo "$prefix"
  exit 0
}

# Sets prefix, scratch and stamp for the prefix named $1. Ends the script with
# the prefix when it is complete, also after waiting for another build of it;
# otherwise starts the build with an empty prefix and scratch folder.
open_prefix() {
  prefix=$cache/$1
  scratch=$cache/$1.build
  stamp=$prefix/.complete
  mkdir -p "$cache"
  [ -f "$stamp" ] && finish
  exec 9>"$cache/$1.lock"
  if ! flock -n 9; then
    log "another build of this prefix is running; waiting for it"
    flock 9
  fi
  [ -f "$stamp" ] && finish
  log "building $prefix (logs in $scratch/logs)"
  rm -rf "$prefix" "$scratch"
  mkdir -p "$prefix" "$scratch/logs" "$scratch/src"
}

# Writes the stamp, removes the scratch folder and ends with the prefix.
close_prefix() {
  printf 'key %s\nbuilt %s\n' "$(basename "$prefix")" "$(date -u +%FT%TZ)" >"$stamp"
  rm -rf "$scratch"
  log "prefix uses $(du -sh "$prefix" | cut -f1)"
  finish
}

# Runs one step with its output in a log file; on failure shows the log's tail.
step() {
  local name=$1 began=$SECONDS rc
  shift
  log "$name ..."
  set +e
  (set -e; "$@") >"$scratch/logs/$name.log" 2>&1
  rc=$?
  set -e
  if ((rc != 0)); then
    log "$name failed (exit $rc); last lines of $scratch/logs/$name.log:"
    tail -n 40 "$scratch/logs/$name.log" >&2
    exit 1
  fi
  log "$name done in $((SECONDS - began)) s"
}

# apt-get with Debian's source index in a private apt state under the scratch
# folder: updating the machine's own state with only a deb-src list would
# delete its binary lists. The first call reads the index.
source_apt() {
  local apt=$scratch/apt
  local opts=(-o Dir::Etc::SourceParts="$apt" -o Dir::Etc::SourceList=/dev/null
              -o Dir::State::Lists="$apt/lists" -o Dir::Cache="$apt/cache"
              -o APT::Sandbox::User=root)
  if [ ! -d "$apt" ]; then
    mkdir -p "$apt/lists/partial" "$apt/cache/archives/partial"
    if [ -f /etc/apt/sources.list.d/debian.sources ]; then
      sed 's/^Types:.*/Types: deb-src/' /etc/apt/sources.list.d/debian.sources >"$apt/src.sources"
    else
      sed -n 's/^deb /deb-src /p' /etc/apt/sources.list >"$apt/src.list"
    fi
    apt-get "${opts[@]}" update
  fi
  apt-get "${opts[@]}" "$@"
}
