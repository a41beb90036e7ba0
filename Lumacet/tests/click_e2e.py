#!/usr/bin/env python3
"""lumacet-host on Xvfb, clicked with xdotool: in each display mode a click on
a button beneath the player, outside the middle of its drawing window,
presses it; a click on the middle fires ClickIn and leaves the button under
it alone. Exit 77 means skipped.
Usage: click_e2e.py --program-folder build/bin --testdata testdata
"""
import os
import subprocess
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "editor", "e2e"))
from xsession import Failure, check, find, main_with, qt_env, xdo, xvfb  # noqa: E402
from xshot import grab  # noqa: E402

MODES = {"Frame": (20, 10), "Sprite": (60, 40), "Borderless": (0, 0)}  # the drawing window on the page
PAGE = """[page]
title = click-{0}
size = 320 240
at = 20 10
button = {1} {2} 60 24 beside
button = {3} {4} 20 16 middle
[properties]
Mode = {0}
_cx = 160
_cy = 120
Width = 160
Height = 120
[calls]
px = 60
py = 40
Play
"""


def drawn(rows):
    """Whether the page and the player's first frame are shown: fewer black
    pixels than a drawing window that has drawn nothing (160 x 120)."""
    return sum(row.count((0, 0, 0)) for row in rows) < 1000


def wait_for(probe, seconds, failure):
    deadline = time.time() + seconds
    while time.time() < deadline:
        found = probe()
        if found:
            return found
        time.sleep(0.2)
    raise Failure(failure)


def click_through(args, tmp, env, mode, x, y):
    page, out = os.path.join(tmp, mode + ".page"), open(os.path.join(tmp, mode + ".txt"), "w+")
    with open(page, "w") as f:
        f.write(PAGE.format(mode, x + 8, y + 8, x + 70, y + 52))
    host = subprocess.Popen([os.path.join(args.program_folder, "lumacet-host"), "--exit-after-ms", "120000", page],
                            env=env, cwd=tmp, stdout=out, stderr=subprocess.STDOUT)
    printed = lambda: (out.seek(0), out.read())[1]  # noqa: E731
    try:
        window = wait_for(lambda: find(env, "^click-%s$" % mode), 60, mode + ": no page")[0]
        # The drawing window is black until the first tick, which places the
        # sprite before it draws; then the page shows no black area.
        wait_for(lambda: drawn(grab(window, env)), 60, mode + ": the player drew nothing")
        # The middle of the 160 x 120 area, then the button beside it: X keeps
        # their order, so a press of the middle button would be printed first.
        for cx, cy in ((x + 80, y + 60), (x + 38, y + 20)):
            xdo(env, "mousemove", "--window", window, cx, cy)
            xdo(env, "click", 1)
        text = wait_for(lambda: "button beside clicked" in printed() and printed(), 30, mode + ": beside not pressed")
        check("ClickIn 80 60" in text, mode + ": a click in the middle fires ClickIn")
        check("button middle clicked" not in text, mode + ": the button under the middle stays unpressed")
        check(host.poll() is None, mode + ": the host runs on")
    finally:
        host.kill()
        host.wait()
        print("--- %s ---\n%s" % (mode, printed()[-2000:]), flush=True)


def run(args, tmp):
    with xvfb("640x480x24") as display:
        for mode, (x, y) in MODES.items():
            click_through(args, tmp, qt_env(display), mode, x, y)


if __name__ == "__main__":
    sys.exit(main_with(run, "lumacet-click-"))
