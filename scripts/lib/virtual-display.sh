# shellcheck shell=bash
# Sourced by the run scripts. `run_on_display WHAT PROGRAM [ARGS...]` runs the
# program on the desktop's display when there is one. Without one it starts a
# virtual display (Xvfb, no TCP) and serves it over VNC on 127.0.0.1 only
# (x11vnc -localhost), behind a password made for this run, prints the
# password and how to reach the display through an SSH tunnel, runs the
# program there, and stops everything when the program ends or on Ctrl-C.
# WHAT names the program in the message ("The editor").

vd_pids=()
vd_dir=""

vd_cleanup() {
  trap - INT TERM EXIT
  # The program first, then the VNC server, then the display they use; each
  # has 5 seconds to end before it is killed.
  local i pid
  for ((i = ${#vd_pids[@]} - 1; i >= 0; i--)); do
    pid=${vd_pids[i]}
    kill "$pid" 2>/dev/null || continue
    vd_wait 5 "$pid" false || true
    kill -KILL "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
  done
  # With the password file when x11vnc never read it.
  [ -z "$vd_dir" ] || rm -rf "$vd_dir"
}

# vd_wait SECONDS PID COMMAND...: polls COMMAND until it succeeds, while PID
# runs, for at most SECONDS.
vd_wait() {
  local tries=$(($1 * 10)) pid=$2
  shift 2
  until "$@"; do
    kill -0 "$pid" 2>/dev/null && ((tries-- > 0)) || return 1
    sleep 0.1
  done
}

run_on_display() {
  local what=$1
  shift
  if [ -n "${DISPLAY:-}" ]; then
    exec "$@"
  fi
  trap vd_cleanup EXIT
  trap 'vd_cleanup; exit 130' INT
  trap 'vd_cleanup; exit 143' TERM
  vd_dir=$(umask 077 && mktemp -d)

  # The servers run in sessions of their own: Ctrl-C reaches only this
  # script, which stops the program before the display it uses.
  # Xvfb picks a free display and names it once it takes clients.
  # -noreset: it would reset whenever its last client leaves and refuse
  # whoever connects meanwhile.
  setsid Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp -noreset 3>"$vd_dir/display" >/dev/null 2>&1 &
  vd_pids+=($!)
  vd_wait 30 "${vd_pids[-1]}" grep -sqx '[0-9][0-9]*' "$vd_dir/display" ||
    { echo "the virtual display did not start" >&2; return 1; }
  DISPLAY=":$(cat "$vd_dir/display")"
  export DISPLAY

  # Any local user can reach 127.0.0.1: the session takes a one-time password
  # (VNC reads 8 characters). It goes to x11vnc in a file only this user can
  # read, which x11vnc removes once read ("rm:"), never on a command line.
  local password
  password=$(LC_ALL=C tr -dc 'A-Za-z0-9' </dev/urandom | head -c 8 || true)
  [ ${#password} -eq 8 ] || { echo "could not make a VNC password" >&2; return 1; }
  printf '%s\n' "$password" >"$vd_dir/secret"

  # -localhost: the server listens on 127.0.0.1 only; -noipv6: and on no
  # IPv6 address. It takes the first free port from 5900 and writes it to
  # the -flag file once it listens.
  setsid x11vnc -display "$DISPLAY" -localhost -noipv6 -forever -shared -passwdfile "rm:$vd_dir/secret" \
    -flag "$vd_dir/port" -quiet >/dev/null 2>&1 &
  vd_pids+=($!)
  vd_wait 60 "${vd_pids[-1]}" grep -sq '^PORT=[0-9]' "$vd_dir/port" ||
    { echo "the VNC server did not start" >&2; return 1; }
  local port
  port=$(sed -n 's/^PORT=\([0-9]*\).*/\1/p' "$vd_dir/port")

  cat <<EOM
$what runs on a virtual display served over VNC at 127.0.0.1:$port (this machine only).
From your own computer:
    ssh -L 5900:127.0.0.1:$port $(whoami)@$(hostname -f 2>/dev/null || hostname)
then point a VNC viewer at localhost:5900 and give it the password of this run: $password
Press Ctrl-C here to stop.
EOM

  "$@" &
  vd_pids+=($!)
  local status=0
  wait "${vd_pids[-1]}" || status=$?
  return "$status"
}
