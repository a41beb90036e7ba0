#!/usr/bin/env bash
# Builds the editor and starts it with the demonstration character and its
# walk already open. On a desktop it opens a window. Without a display it
# starts a virtual one (Xvfb, no TCP) and serves it over VNC on 127.0.0.1
# only (x11vnc -localhost), behind a password made for this run, prints the
# password and how to reach the display through an SSH tunnel, and stops
# everything on Ctrl-C. Arguments are passed on to the editor.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
bash scripts/install-deps.sh
cmake -S . -B build -G Ninja >/dev/null
cmake --build build -j"$(nproc)" --target savora

files=("$root/testdata/demo/demo.mqo")
if [ -f build/bin/plugins/quovin.so ]; then
  files+=("$root/testdata/demo/walk.kvm")
else
  echo "note: the motion plug-in (plugins/quovin.so) is not built yet: opening the model without its walk" >&2
fi

if [ -n "${DISPLAY:-}" ]; then
  exec build/bin/savora "${files[@]}" "$@"
fi

# No display: a virtual one, seen through VNC on the loopback address.
display=""
for n in $(seq 20 99); do
  if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then display=$n; break; fi
done
[ -n "$display" ] || { echo "no free X display number" >&2; exit 1; }
port=""
for p in $(seq 5900 5999); do
  if ! (exec 3<>"/dev/tcp/127.0.0.1/$p") 2>/dev/null; then port=$p; break; fi
done
[ -n "$port" ] || { echo "no free VNC port on 127.0.0.1" >&2; exit 1; }

pids=()
secret=""
cleanup() {
  trap - INT TERM EXIT
  [ -z "$secret" ] || rm -f "$secret"  # when x11vnc never read it
  # The editor first, then the VNC server, then the display they use.
  for ((i = ${#pids[@]} - 1; i >= 0; i--)); do
    kill "${pids[i]}" 2>/dev/null || true
    wait "${pids[i]}" 2>/dev/null || true
  done
}
trap cleanup INT TERM EXIT

Xvfb ":$display" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
pids+=($!)
export DISPLAY=":$display"
for _ in $(seq 50); do xdotool getdisplaygeometry >/dev/null 2>&1 && break; sleep 0.1; done

# Any local user can reach 127.0.0.1: the session takes a one-time password
# (VNC reads 8 characters). It goes to x11vnc in a file only this user can
# read, which x11vnc removes once read ("rm:"), never on a command line.
password=$(LC_ALL=C tr -dc 'A-Za-z0-9' </dev/urandom | head -c 8 || true)
[ ${#password} -eq 8 ] || { echo "could not make a VNC password" >&2; exit 1; }
secret=$(umask 077 && mktemp)
printf '%s\n' "$password" >"$secret"

# -localhost: the server listens on 127.0.0.1 only; -noipv6: and on no IPv6 address.
x11vnc -display ":$display" -localhost -noipv6 -rfbport "$port" -forever -shared -passwdfile "rm:$secret" \
  -quiet >/dev/null 2>&1 &
pids+=($!)

cat <<EOM
The editor runs on a virtual display served over VNC at 127.0.0.1:$port (this machine only).
From your own computer:
    ssh -L 5900:127.0.0.1:$port $(whoami)@$(hostname -f 2>/dev/null || hostname)
then point a VNC viewer at localhost:5900 and give it the password of this run: $password
Press Ctrl-C here to stop.
EOM

build/bin/savora "${files[@]}" "$@" &
pids+=($!)
wait "${pids[-1]}" || true
