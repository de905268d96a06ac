#!/usr/bin/env bash
# Installs what is missing, builds Velmora and starts it in the current directory, where it reads
# "Tonfeld.ini" and the two templates. Without a "Tonfeld.ini" there it opens a demo workspace
# instead: a few radio-play files, both templates and settings that point the Hördat search at
# the stand-in service, which runs on a free loopback port until the window is closed.
#   VELMORA_DEMO_DIR   where the demo workspace lives (default ~/.local/share/velmora/demo)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"

# What is missing comes first: xvfb-run below is one of the packages.
"$root/scripts/install-deps.sh"

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "run.sh: no display (neither DISPLAY nor WAYLAND_DISPLAY is set): starting Velmora on a" >&2
  echo "virtual display (xvfb-run); it is not visible on this screen." >&2
  exec xvfb-run -a "$0" "$@"
fi
# Qt warns when this is unset (as under su or on a server); a private one keeps it quiet.
if [ -z "${XDG_RUNTIME_DIR:-}" ]; then
  XDG_RUNTIME_DIR="$(mktemp -d)"
  export XDG_RUNTIME_DIR
fi

build="$root/build/run"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELMORA_BUILD_TESTS=OFF
# Every program that "cmake --install" installs.
cmake --build "$build" -j "$(nproc)" --target velmora velmora-cli hoerdat-standin
velmora="$build/app/velmora"

if [ -f Tonfeld.ini ]; then
  exec "$velmora" "$@"
fi

demo="${VELMORA_DEMO_DIR:-${XDG_DATA_HOME:-${HOME:-/tmp}/.local/share}/velmora/demo}"
echo "No Tonfeld.ini in $(pwd): opening the demo workspace $demo"

standin_log="$(mktemp)"
"$build/tools/hoerdat-standin" --port 0 > "$standin_log" &
standin_pid=$!
stop_standin() {
  kill "$standin_pid" 2>/dev/null && wait "$standin_pid" 2>/dev/null
  rm -f "$standin_log"
}
trap stop_standin EXIT
trap 'exit 130' INT TERM

# It prints "listening on 127.0.0.1:PORT" once it accepts connections.
port=""
for _ in $(seq 100); do
  port="$(sed -n 's/^listening on .*:\([0-9][0-9]*\)$/\1/p' "$standin_log")"
  [ -n "$port" ] && break
  kill -0 "$standin_pid" 2>/dev/null || break
  sleep 0.1
done
if [ -z "$port" ]; then
  echo "run.sh: the stand-in Hördat service did not start." >&2
  exit 1
fi
echo "Stand-in Hördat service on http://127.0.0.1:$port/ (stops with the window)"

"$root/scripts/demo-workspace.sh" "$demo" "http://127.0.0.1:$port/" > /dev/null
cd "$demo"
"$velmora" "$@"
