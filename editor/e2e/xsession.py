"""An X session for end-to-end tests: a fresh Xvfb, the environment of a Qt
program on it, xdotool input, the program's windows and keyboard focus, and
bounded waits on what the tests observe (never fixed sleeps)."""
import argparse
import contextlib
import os
import shutil
import subprocess
import tempfile
import time

SKIP = 77


class Failure(Exception):
    pass


def check(condition, message):
    print(("ok   " if condition else "FAIL ") + message, flush=True)
    if not condition:
        raise Failure(message)


def wait_for(test, seconds=20):
    """Polls test() until it gives a true value or `seconds` pass; its last value."""
    deadline = time.time() + seconds
    while not (value := test()) and time.time() < deadline:
        time.sleep(0.1)
    return value


def holds(test, seconds=1.0):
    """Whether test() stays true over `seconds` of polling: a box or a change
    that comes late is seen too."""
    deadline = time.time() + seconds
    while test():
        if time.time() >= deadline:
            return True
        time.sleep(0.1)
    return False


def xdo(env, *args, quiet=False):
    result = subprocess.run(["xdotool"] + [str(a) for a in args], env=env, stdout=subprocess.PIPE,
                            stderr=subprocess.DEVNULL if quiet else None, text=True)
    return result.stdout.split()


def find(env, name):
    return xdo(env, "search", "--onlyvisible", "--name", name, quiet=True)


@contextlib.contextmanager
def xvfb(screen):
    """A fresh Xvfb with one screen of `screen` ("640x480x24"); yields its
    display (":N"). Xvfb picks a free display itself and names it when it is
    ready, so a server of another test started at the same time is never
    taken for ours. -noreset: by default the server resets when its last
    client leaves and refuses whoever connects meanwhile, and the test's own
    xdotool calls come and go while the program is still connecting."""
    ready, write = os.pipe()
    server = subprocess.Popen(["Xvfb", "-displayfd", str(write), "-screen", "0", screen, "-nolisten", "tcp",
                               "-noreset"], pass_fds=(write,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    os.close(write)
    with os.fdopen(ready) as f:
        display = f.readline().strip()
    try:
        check(display.isdigit(), "Xvfb started on :%s" % display)
        yield ":" + display
    finally:
        server.terminate()
        server.wait()


def qt_env(display, **more):
    """The environment of a Qt program on the display: the xcb platform, no
    desktop theme, and no session bus. Without a bus Qt's D-Bus thread would
    still be trying to reach one when a short test quits the program, and
    LeakSanitizer would report what that thread holds."""
    env = dict(os.environ, DISPLAY=display, QT_QPA_PLATFORM="xcb", DBUS_SESSION_BUS_ADDRESS="disabled:", **more)
    env.pop("QT_QPA_PLATFORMTHEME", None)
    return env


def windows(env, proc):
    """The program's visible top-level windows: {window: title}. A window
    that goes between the search and the name is left out, not taken for
    one without a title."""
    shown = xdo(env, "search", "--onlyvisible", "--pid", proc.pid, quiet=True) if proc.poll() is None else []
    named = {}
    for w in shown:
        result = subprocess.run(["xdotool", "getwindowname", w], env=env, stdout=subprocess.PIPE,
                                stderr=subprocess.DEVNULL, text=True)
        if result.returncode == 0:
            named[w] = result.stdout.strip()
    return named


def focus(env, window, seconds=10):
    """Gives the window the keyboard focus and waits until the server
    reports it there; whether it is. The program may take the focus away
    once (activating a window it has just mapped), so it is given again."""
    def focused():
        if xdo(env, "getwindowfocus", quiet=True) != [str(window)]:
            xdo(env, "windowfocus", window, quiet=True)
        return xdo(env, "getwindowfocus", quiet=True) == [str(window)]
    return bool(wait_for(focused, seconds))


def press_on(env, window, key, gone, seconds=20):
    """Presses `key` on a window (a box) once it has the focus and waits
    until gone() holds; presses it again when a while passes without that (a
    box that lost the focus to its own program's activation, or took it
    before it took keys). Whether gone() came within `seconds`."""
    deadline = time.time() + seconds
    while time.time() < deadline:
        if focus(env, window, max(0.1, deadline - time.time())):
            xdo(env, "key", key)
        if wait_for(gone, min(5, max(0.1, deadline - time.time()))):
            return True
    return bool(gone())


def main_with(run, prefix):
    """Parses the arguments, skips without the X tools, runs run(args, tmp) in
    a scratch folder; the exit code."""
    parser = argparse.ArgumentParser()
    parser.add_argument("--program-folder", required=True)
    parser.add_argument("--testdata", required=True)
    parser.add_argument("--screenshot")
    args = parser.parse_args()
    args.program_folder = os.path.abspath(args.program_folder)
    args.testdata = os.path.abspath(args.testdata)
    for tool in ("Xvfb", "xdotool", "xwd"):
        if not shutil.which(tool):
            print("skipped: %s is not installed (scripts/install-deps.sh installs it)" % tool)
            return SKIP
    tmp = tempfile.mkdtemp(prefix=prefix)
    try:
        run(args, tmp)
    except Failure as failure:
        print("end-to-end test failed: %s" % failure)
        return 1
    finally:
        shutil.rmtree(tmp, ignore_errors=True)
    return 0
