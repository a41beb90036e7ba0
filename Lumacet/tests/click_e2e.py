#!/usr/bin/env python3
"""End-to-end test of the player's clicks: lumacet-host on Xvfb, clicked with
xdotool as a user clicks. In each display mode the page has a button beneath
the player outside the middle of its drawing window and one under the
middle: a click on the first presses it, a click on the middle fires ClickIn
and leaves the second alone. Exit 77 means skipped.
Usage: click_e2e.py --program-folder build/bin --testdata testdata
"""
import os
import subprocess
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "editor", "e2e"))
from editor_e2e import Failure, check, find, free_display, main_with, xdo  # noqa: E402

# Where each mode's drawing window lies on the page below.
MODES = {"Frame": (20, 10), "Sprite": (60, 40), "Borderless": (0, 0)}
PAGE = """[page]
title = click-{mode}
size = 320 240
at = 20 10
button = {bx} {by} 60 24 beside
button = {mx} {my} 20 16 middle

[properties]
Mode = {mode}
_cx = 160
_cy = 120
Width = 160
Height = 120

[calls]
px = 60
py = 40
Play
"""


def wait_for(probe, seconds, failure):
    deadline = time.time() + seconds
    while time.time() < deadline:
        found = probe()
        if found:
            return found
        time.sleep(0.2)
    raise Failure(failure)


def click_through(args, tmp, env, mode, origin):
    ox, oy = origin
    page = os.path.join(tmp, mode + ".page")
    with open(page, "w") as f:
        f.write(PAGE.format(mode=mode, bx=ox + 8, by=oy + 8, mx=ox + 70, my=oy + 52))
    out = open(os.path.join(tmp, mode + ".txt"), "w+")
    host = subprocess.Popen([os.path.join(args.program_folder, "lumacet-host"), "--exit-after-ms", "120000", page],
                            env=env, cwd=tmp, stdout=out, stderr=subprocess.STDOUT)
    try:
        window = wait_for(lambda: find(env, "^click-%s$" % mode), 60, mode + ": the page did not appear")[0]
        time.sleep(1.0)  # the first ticks place the sprite
        # The middle (80, 60 of the 160 x 120 area), then the button beside it:
        # X delivers them in order, so a click on the middle button would be printed first.
        for x, y in ((ox + 80, oy + 60), (ox + 38, oy + 20)):
            xdo(env, "mousemove", "--window", window, x, y)
            xdo(env, "click", 1)
        printed = lambda: (out.seek(0), out.read())[1]
        text = wait_for(lambda: "button beside clicked" in printed() and printed(), 30,
                        mode + ": the button beside the middle was not pressed")
        check("ClickIn 80 60" in text, mode + ": a click in the middle fires ClickIn")
        check("button middle clicked" not in text, mode + ": the button under the middle stays unpressed")
        check(host.poll() is None, mode + ": the host runs on")
    finally:
        host.kill()
        host.wait()
        out.seek(0)
        print("--- %s ---\n%s" % (mode, out.read()[-2000:]), flush=True)
        out.close()


def run(args, tmp):
    display = free_display()
    xvfb = subprocess.Popen(["Xvfb", ":%d" % display, "-screen", "0", "640x480x24", "-nolisten", "tcp"],
                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    env = dict(os.environ, DISPLAY=":%d" % display, QT_QPA_PLATFORM="xcb")
    env.pop("QT_QPA_PLATFORMTHEME", None)
    try:
        wait_for(lambda: subprocess.run(["xdotool", "getdisplaygeometry"], env=env, stdout=subprocess.DEVNULL,
                                        stderr=subprocess.DEVNULL).returncode == 0, 10, "Xvfb did not start")
        for mode, origin in MODES.items():
            click_through(args, tmp, env, mode, origin)
    finally:
        xvfb.terminate()
        xvfb.wait()


if __name__ == "__main__":
    sys.exit(main_with(run, "lumacet-click-"))
