#!/usr/bin/python3
"""The real game in a Wayland session: a headless weston beside the test
desktop's X display, as GNOME's Wayland session has XWayland beside it.

Usage (inside tests/binary/session): wayland.py SCENARIO PATH_TO_TORVELO
  x-first        WAYLAND_DISPLAY set, no platform chosen: the game opens on X,
                 its frame at (15, 14) and its client area 640 x 468
  user-platform  QT_QPA_PLATFORM=offscreen chosen: no window on X at all
  native         QT_QPA_PLATFORM=wayland chosen: the size limit that Qt hands
                 the compositor is the whole window's, title bar included
Every wait is bounded; a scenario fails with a message and a non-zero status.
"""

import os
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import time

from drive import Failure, check, client_rect, run, wait_for

SOCKET = "torvelo-test"


def start_weston(runtime):
    weston = subprocess.Popen(
        ["weston", "--backend=headless-backend.so", f"--socket={SOCKET}", "--idle-time=0"],
        env=dict(os.environ, XDG_RUNTIME_DIR=runtime), stdout=subprocess.DEVNULL,
        stderr=subprocess.DEVNULL)
    wait_for("weston's socket", lambda: os.path.exists(os.path.join(runtime, SOCKET)))
    return weston


def x_windows(pid):
    try:
        return run("xdotool", "search", "--onlyvisible", "--pid", str(pid), "--name",
                   "^Torvelo$").split()
    except subprocess.CalledProcessError:
        return []


def frame_origin(window):
    """The top-left corner of the window manager's frame around a window."""
    parent = re.search(r"Parent window id: (0x[0-9a-f]+)",
                       run("xwininfo", "-tree", "-id", window)).group(1)
    return client_rect(parent)[:2]


def ends_with_zero(game):
    game.send_signal(signal.SIGTERM)
    try:
        status = game.wait(timeout=5)
    except subprocess.TimeoutExpired:
        raise Failure("the game did not end within 5 s") from None
    check(status == 0, f"the game ended with status {status}")


def x_first(binary, env):
    env.pop("QT_QPA_PLATFORM", None)
    game = subprocess.Popen([binary], env=env)
    try:
        window = wait_for("the game's window on X", lambda: (x_windows(game.pid) or [None])[0])
        size = client_rect(window)[2:]
        check(size == (640, 468), f"the client area is {size}")
        origin = wait_for("the frame at (15, 14)",
                          lambda: frame_origin(window) == (15, 14) or None, timeout=3)
        check(origin, "the frame is not at (15, 14)")
        ends_with_zero(game)
    finally:
        if game.poll() is None:
            game.kill()


def user_platform(binary, env):
    env["QT_QPA_PLATFORM"] = "offscreen"
    game = subprocess.Popen([binary], env=env)
    try:
        time.sleep(2)
        check(game.poll() is None, f"the game ended with status {game.returncode}")
        check(not x_windows(game.pid), "the game opened on X although offscreen was chosen")
        ends_with_zero(game)
    finally:
        if game.poll() is None:
            game.kill()


def native(binary, env):
    env.update(QT_QPA_PLATFORM="wayland", WAYLAND_DEBUG="client")
    # Libraries of the Wayland stack keep memory until exit, one of them
    # unloaded before a sanitized build's leak check could name it; here that
    # check is off. The game's own code is the same as on X, where every test
    # checks for leaks.
    env["ASAN_OPTIONS"] = env.get("ASAN_OPTIONS", "") + ":detect_leaks=0"
    game = subprocess.Popen([binary], env=env, stderr=subprocess.PIPE, text=True)
    try:
        time.sleep(2)
        check(game.poll() is None, f"the game ended with status {game.returncode}")
        game.send_signal(signal.SIGTERM)
        log = game.communicate(timeout=5)[1]
        check(game.returncode == 0, f"the game ended with status {game.returncode}")
    finally:
        if game.poll() is None:
            game.kill()
    limits = re.findall(r"set_max_size\((\d+), (\d+)\)", log)
    geometries = re.findall(r"set_window_geometry\(-?\d+, -?\d+, (\d+), (\d+)\)", log)
    check(limits and geometries, "the game told the compositor no size limit or geometry")
    limit = tuple(map(int, limits[-1]))
    whole = tuple(map(int, geometries[-1]))
    check(whole[0] > 640 and whole[1] > 468, f"the window {whole} holds no title bar")
    check(limit == whole, f"the size limit {limit} is not the whole window's {whole}: "
                          "a compositor that enforces it cuts the client area short")
    print(f"the whole window {whole}, its limit {limit}")


SCENARIOS = {"x-first": x_first, "user-platform": user_platform, "native": native}


def main():
    scenario, binary = sys.argv[1], os.path.abspath(sys.argv[2])
    runtime = tempfile.mkdtemp(prefix="torvelo-wayland-")
    weston = start_weston(runtime)
    env = dict(os.environ, XDG_RUNTIME_DIR=runtime, WAYLAND_DISPLAY=SOCKET)
    try:
        SCENARIOS[scenario](binary, env)
    except Failure as failure:
        print(f"FAIL {scenario}: {failure}", file=sys.stderr)
        return 1
    finally:
        weston.terminate()
        try:
            weston.wait(timeout=5)
        except subprocess.TimeoutExpired:
            weston.kill()
        shutil.rmtree(runtime, ignore_errors=True)
    print(f"PASS {scenario}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
