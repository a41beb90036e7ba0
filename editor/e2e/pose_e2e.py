#!/usr/bin/env python3
"""End-to-end test of posing and keying: the real program on Xvfb driven by
real input (xdotool), its window read back with xwd.

It opens the demonstration character without its walk, checks that start-up
shows no box, clicks a bone of the character (found by the colour of the bone
wires) and checks that the click keyed and asked nothing, drags the bone's ring
handle, answers the box that makes the character's first motion, and checks
that a key was made at the current frame (its mark on the key bar), that the
item panel shows the bone's new values (those selecting it again shows) and,
once the bone is let go, that the pose changed. It then drags that key along
the key bar to frame 20 and scrubs the time bar's marker back to frame 5,
checks both from the pixels, checks that File / New puts the marker back to
frame 0, quits through the menu and checks that nothing crashed.
Each check waits for what it looks for, up to a bound.

Runs the program as editor_e2e.py does, through its helpers. Exit 77 means
skipped. Usage: pose_e2e.py --program-folder build/bin --testdata testdata
"""
import os
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from editor_e2e import (Failure, answer_boxes, boxes, check, check_output, drag, editor_session,  # noqa: E402
                        holds, main_with, menu, quit_through_the_menu, scene, start, wait_for, wait_for_rows,
                        xdo)
from xshot import grab, write_png  # noqa: E402

BONE = (255, 255, 178)        # bone wires
RING_X = (204, 102, 255)      # the ring about X and its handle
RULER = (216, 229, 216)       # the time bar's band
KEY = (229, 127, 102)         # a key mark on the key bar
MARKER = (178, 229, 255)      # the time bar's marker
PIXELS_PER_FRAME, SCROLL = 8, -10


def near(a, b, tolerance=24):
    return all(abs(x - y) <= tolerance for x, y in zip(a, b))


def timeline(rows, box):
    """The view's left edge and bottom, from the ruler's band along its bottom."""
    left, top, right, bottom = box
    band = [y for y in range(top, len(rows))
            if sum(1 for x in range(left, right, 4) if rows[y][x] == RULER) * 4 > (right - left) // 2]
    if not band:
        raise Failure("no time bar along the bottom of the view")
    bottom = max(band) + 1
    xs = [x for x in range(0, len(rows[0])) if rows[bottom - 8][x] == RULER]
    return min(xs), bottom


def frame_x(left, frame):
    return left + frame * PIXELS_PER_FRAME - SCROLL


def colour_near(rows, x, y, colour, radius=3):
    return any(near(rows[y + dy][x + dx], colour) for dy in range(-radius, radius + 1)
               for dx in range(-radius, radius + 1)
               if 0 <= y + dy < len(rows) and 0 <= x + dx < len(rows[0]))


def bone_pixel(rows, box, timeline_top):
    """A bone wire pixel in the middle of a run of wire pixels, as low in the
    view as there is one (the camera looks at the feet: the handles of a low
    bone stay inside the view)."""
    left, top, right, _ = box
    best, score = None, (0, 0)
    for y in range(top + 70, timeline_top - 70, 2):
        for x in range(left + 20, right - 20, 2):
            if rows[y][x] != BONE:
                continue
            n = sum(1 for dy in range(-4, 5) for dx in range(-4, 5) if rows[y + dy][x + dx] == BONE)
            if (min(n, 9), y) > score:
                best, score = (x, y), (min(n, 9), y)
    return best


def handle_centre(rows, box, colour):
    """The centre of a filled handle sprite of the colour (rings are one pixel wide)."""
    left, top, right, bottom = box
    for y in range(top, bottom - 4):
        for x in range(left, right - 4):
            if all(near(rows[y + dy][x + dx], colour, 8) for dy in range(4) for dx in range(4)):
                return x + 2, y + 2
    return None


def empty_spot(rows, box):
    """A point of bare background well away from everything drawn."""
    left, top, right, bottom = box
    for y in range(top + 80, bottom - 80, 10):
        for x in range(right - 40, left + 40, -10):
            if all(rows[y + dy][x + dx] == rows[top + 70][right - 10] for dy in range(-12, 13, 4)
                   for dx in range(-12, 13, 4)):
                return x, y
    raise Failure("no empty spot in the view")


def panel_fields(rows, box):
    """The item panel's fields of three numbers (vectors and rotations): the
    pixels left of the view along the rows crossed by exactly three white runs
    45 to 70 pixels long, the fields' edges and insides. None when none shows."""
    band = []
    for y, row in enumerate(rows):
        runs, start = [], None
        for x in range(box[0] + 1):
            white = x < box[0] and row[x] == (255, 255, 255)
            if white and start is None:
                start = x
            elif not white and start is not None:
                runs.append(x - start)
                start = None
        wide = [n for n in runs if n >= 10]
        if len(wide) == 3 and all(45 <= n <= 70 for n in wide):
            band.append(y)
    return [row[:box[0]] for row in rows[min(band):max(band) + 1]] if band else None


def tree_selection(rows, box):
    """The rows of the project tree's selected entry (its blue highlight): (top, bottom) or None."""
    ys = [y for y in range(len(rows)) if rows[y][5][2] - rows[y][5][0] > 100 and rows[y][box[0] // 2][2] > 150]
    return (min(ys), max(ys) + 1) if ys else None


def check_panel_after_drag(env, window, box, before):
    """Once a drag in the view has turned the selected bone, the item panel
    shows its new values: its fields differ from what they showed before the
    drag (`before`) and are what selecting the bone again shows (through the
    tree: the entry above it, then its own)."""
    xdo(env, "windowfocus", "--sync", window, quiet=True)  # after the box: frames run for the active window
    rows = wait_for_rows(env, window, lambda r: panel_fields(r, box) not in (None, before))
    debug_shot("dragged", rows)
    dragged = panel_fields(rows, box)
    check(dragged not in (None, before), "the panel shows the dragged bone's new values")
    own = tree_selection(rows, box)
    check(own is not None and own[0] > 40, "the tree shows the bone selected")
    x, y = box[0] - 40, (own[0] + own[1]) // 2  # right of the labels, clear of the arrows
    xdo(env, "mousemove", "--window", window, x, y - (own[1] - own[0]))
    xdo(env, "click", 1)
    check(wait_for(lambda: tree_selection(grab(window, env), box) not in (None, own)),
          "the entry above the bone is selected")
    xdo(env, "mousemove", "--window", window, x, y)
    xdo(env, "click", 1)
    rows = wait_for_rows(env, window, lambda r: tree_selection(r, box) == own and panel_fields(r, box) == dragged)
    check(tree_selection(rows, box) == own, "the bone is selected again")
    check(panel_fields(rows, box) == dragged, "selecting it again shows the values the panel showed")


def check_new_starts_at_frame_zero(env, window, proc, left, bottom, frame):
    """File / New (answered Yes) puts the time bar's marker from `frame` back to frame 0."""
    menu(env, window, proc, "alt+f", "n")  # ファイル(&F) / 新規作成(&N)
    check(wait_for(lambda: boxes(env, proc)), "File / New asks first")
    _, answered = answer_boxes(env, proc, 30)
    check(len(answered) == 1, "one question (%s)" % answered)
    xdo(env, "windowfocus", "--sync", window, quiet=True)  # frames run for the active window

    def at_zero(r):
        return colour_near(r, frame_x(left, 0), bottom - 12, MARKER) and not colour_near(
            r, frame_x(left, frame), bottom - 12, MARKER)

    rows = wait_for_rows(env, window, at_zero)
    debug_shot("new", rows)
    check(at_zero(rows), "after File / New the time bar's marker is at frame 0, not %d" % frame)


def debug_shot(name, rows):
    if os.environ.get("SAVORA_E2E_DEBUG"):
        write_png("/tmp/pose-e2e-%s.png" % name, rows)


def run(args, tmp):
    # The model alone: its first edit makes its first motion.
    files = [os.path.join(args.testdata, "demo", "demo.mqo")]
    with editor_session(args, tmp, files) as (_, env, proc, errors):
        window, rows, box = start(env, proc)
        left, bottom = timeline(rows, box)
        unposed = scene(rows, box)

        def key_at(rows, frame, radius=3):
            return colour_near(rows, frame_x(left, frame), bottom - 32, KEY, radius)

        def marker_at(rows, frame):
            return colour_near(rows, frame_x(left, frame), bottom - 12, MARKER)

        # Click a bone of the character (it is selected, so its bones are drawn).
        # A click that does not move only selects: no key, and so no box
        # offering the character (which has no motion yet) a motion.
        at = bone_pixel(rows, box, bottom - 48)
        check(at is not None, "a bone of the character is drawn")
        xdo(env, "mousemove", "--window", window, at[0], at[1])
        xdo(env, "click", 1)
        ring = wait_for(lambda: handle_centre(grab(window, env), box, RING_X))
        check(ring is not None, "the selected bone shows its ring handles")
        unturned = panel_fields(wait_for_rows(env, window, lambda r: panel_fields(r, box)), box)
        check(unturned is not None, "the item panel shows the bone's fields")
        # Watched for a second: a box or a key that comes late is seen too.
        check(holds(lambda: not boxes(env, proc)), "the click asked nothing")
        check(holds(lambda: not key_at(grab(window, env), 0, 2)), "the click keyed nothing")

        # Turn it by its ring: the first edit makes the motion (the box saying
        # so comes up during the drag) and keys the pose at frame 0.
        xdo(env, "mousemove", "--window", window, ring[0], ring[1])
        xdo(env, "mousedown", 1)
        for i in range(1, 11):
            xdo(env, "mousemove", "--window", window, ring[0] + 6 * i, ring[1])
            time.sleep(0.05)
            if i == 3:
                check(wait_for(lambda: boxes(env, proc)), "a box comes up once the ring moves")
                _, answered = answer_boxes(env, proc, 30)
                check(len(answered) == 1, "the character's first motion is announced (%s)" % answered)
        xdo(env, "mouseup", 1)
        keyed = wait_for(lambda: key_at(grab(window, env), 0))
        check(keyed and not boxes(env, proc), "a key mark stands at frame 0, and no box after it")
        check_panel_after_drag(env, window, box, unturned)
        rows = grab(window, env)
        debug_shot("turned", rows)

        # Let go of the bone (a click on empty space selects its character): the pose changed.
        spot = empty_spot(rows, box)
        xdo(env, "mousemove", "--window", window, spot[0], spot[1])
        xdo(env, "click", 1)
        rows = wait_for_rows(env, window, lambda r: handle_centre(r, box, RING_X) is None)
        check(handle_centre(rows, box, RING_X) is None, "the bone is let go")
        posed = scene(rows, box)
        changed = sum(1 for ra, rb in zip(unposed, posed) for pa, pb in zip(ra, rb)
                      if abs(pa[0] - pb[0]) + abs(pa[1] - pb[1]) + abs(pa[2] - pb[2]) > 24)
        check(changed > 200, "the ring turned the bone (%d pixels changed)" % changed)

        # Drag the key to frame 20; the time bar's marker goes there with it.
        drag(env, window, 1, frame_x(left, 0), bottom - 32, 20 * PIXELS_PER_FRAME, 0)
        rows = wait_for_rows(env, window, lambda r: key_at(r, 20) and not key_at(r, 0, 2) and marker_at(r, 20))
        check(key_at(rows, 20), "the key moved to frame 20")
        check(not key_at(rows, 0, 2), "frame 0 has no key any more")
        check(marker_at(rows, 20), "the time bar's marker is at frame 20")

        # Scrub the time bar: its marker from frame 20 to frame 5.
        drag(env, window, 1, frame_x(left, 20), bottom - 10, -15 * PIXELS_PER_FRAME, 0)
        rows = wait_for_rows(env, window, lambda r: marker_at(r, 5))
        check(marker_at(rows, 5), "scrubbing moved the marker to frame 5")
        if args.screenshot:
            write_png(args.screenshot, rows)
        check_new_starts_at_frame_zero(env, window, proc, left, bottom, 5)

        quit_through_the_menu(env, window, proc)
        check_output(errors)


if __name__ == "__main__":
    sys.exit(main_with(run, "savora-pose-e2e-"))
