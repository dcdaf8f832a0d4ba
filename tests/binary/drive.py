#!/usr/bin/python3
"""Plays the real game binary the way a person does, on the desktop that
`session` provides: clicks and keys through xdotool, the window manager's
close through wmctrl, and the labels read back through the accessibility bus,
as a screen reader reads them.

Usage: drive.py SCENARIO PATH_TO_TORVELO [ARGS...]
Every wait is bounded; a scenario fails with a message and a non-zero status.
"""

import os
import re
import resource
import signal
import subprocess
import sys
import time

import pyatspi

TITLE = "Torvelo"
BOX_TITLE = "torvelo.EXE"

# Where the controls are, in client-area pixels (x, y, w, h).
PLACES = {
    "BUTTON1": (44, 110, 77, 22),
    "BUTTON2": (44, 154, 77, 22),
    "BUTTON6": (44, 341, 77, 22),
    "BUTTON7": (44, 429, 77, 22),
    "EDIT1": (132, 341, 44, 22),
    "TEXT4": (132, 385, 495, 22),
    "TEXT5": (132, 429, 484, 22),
    "TEXT11": (374, 110, 253, 33),
    "TEXT15": (374, 286, 253, 33),
    "TEXT16": (363, 66, 88, 22),
    "TEXT17": (473, 66, 154, 22),
}
FREE_SPOT = (350, 330)  # inside the window, outside every control


class Failure(Exception):
    pass


def check(condition, message):
    if not condition:
        raise Failure(message)


def wait_for(what, probe, timeout=10.0, interval=0.05):
    deadline = time.monotonic() + timeout
    while True:
        value = probe()
        if value:
            return value
        if time.monotonic() > deadline:
            raise Failure(f"timed out after {timeout} s waiting for {what}")
        time.sleep(interval)


def run(*args, timeout=10):
    return subprocess.run(args, check=True, capture_output=True, text=True, timeout=timeout).stdout


def walk(node, depth=0):
    if node is None or depth > 12:
        return
    yield node
    for i in range(node.childCount):
        try:
            yield from walk(node.getChildAtIndex(i), depth + 1)
        except Exception:  # a node that went away while we looked
            pass


class Game:
    def __init__(self, process, scale=1, window=True):
        self.process = process
        self.scale = scale  # device pixels per logical pixel
        self.app = wait_for("the game on the accessibility bus", self._find_app)
        if not window:
            return  # a game whose window could not be built
        self.window = wait_for("the game window", lambda: self._window_named(TITLE))
        wait_for("the first problem", lambda: re.search(r"\d", self.label("TEXT15")))

    def _window_named(self, title):
        try:
            ids = run("xdotool", "search", "--onlyvisible", "--pid", str(self.process.pid),
                      "--name", f"^{re.escape(title)}$").split()
        except subprocess.CalledProcessError:
            return None
        return ids[0] if ids else None

    def _find_app(self):
        desktop = pyatspi.Registry.getDesktop(0)
        for i in range(desktop.childCount):
            app = desktop.getChildAtIndex(i)
            try:
                if app is not None and app.get_process_id() == self.process.pid:
                    return app
            except Exception:
                pass
        return None

    def _frame(self, name):
        """The top-level window of that title."""
        for i in range(self.app.childCount):
            node = self.app.getChildAtIndex(i)
            if node is not None and node.name == name:
                return node
        return None

    def accessible_at(self, name):
        """The control whose rectangle is the layout's for NAME."""
        frame = wait_for("the window on the accessibility bus", lambda: self._frame(TITLE))
        origin = frame.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        # Qt reports extents in logical pixels, whatever the scale.
        want = PLACES[name]
        for node in walk(frame):
            if node is frame:
                continue
            try:
                e = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
            except NotImplementedError:
                continue
            if (e.x - origin.x, e.y - origin.y, e.width, e.height) == want:
                return node
        raise Failure(f"no control at {want} for {name}")

    def label(self, name):
        node = self.accessible_at(name)
        if node.getRole() == pyatspi.ROLE_ENTRY or node.getRole() == pyatspi.ROLE_TEXT:
            text = node.queryText()
            return text.getText(0, text.characterCount)
        return node.name or ""

    def click(self, x, y):
        """Clicks at a point of the client area, in logical pixels."""
        x, y = int(x * self.scale), int(y * self.scale)
        run("xdotool", "mousemove", "--window", self.window, str(x), str(y), "click", "1")

    def client_size(self):
        return client_rect(self.window)[2:]

    def screenshot(self):
        """The client area as the X server holds it: a function from a device
        pixel (x, y) to its (r, g, b)."""
        data = subprocess.run(["import", "-window", self.window, "-depth", "8", "ppm:-"], check=True,
                              capture_output=True, timeout=10).stdout
        # P6 header: magic, width, height, maximum value, each after white space.
        fields = data.split(maxsplit=4)
        width, height = int(fields[1]), int(fields[2])
        pixels = fields[4]
        check(len(pixels) >= width * height * 3, "the screenshot is short")

        def at(x, y):
            i = (y * width + x) * 3
            return tuple(pixels[i:i + 3])
        return at

    def click_control(self, name):
        x, y, w, h = PLACES[name]
        self.click(x + w // 2, y + h // 2)

    def focus(self, name):
        """Clicks a control that takes the focus and waits until it has it."""
        self.click_control(name)
        node = self.accessible_at(name)
        wait_for(f"the focus on {name}",
                 lambda: node.getState().contains(pyatspi.STATE_FOCUSED))

    def keys(self, *keys):
        run("xdotool", "key", "--clearmodifiers", *keys)

    def type(self, text):
        run("xdotool", "type", "--delay", "20", text)

    def close(self):
        run("wmctrl", "-c", TITLE)

    def box(self):
        """All the text that the modal message box shows, once the box stands
        where it should."""
        node = wait_for(f"the {BOX_TITLE} box", lambda: self._frame(BOX_TITLE))
        self.check_box_placed()
        texts = [n.name for n in walk(node) if n.name]
        return " ".join(texts)

    def check_box_placed(self):
        """The box is centred over the game's window (over the place the window
        opens at, if it could not be opened), and wide enough for its title."""
        box = wait_for(f"the {BOX_TITLE} window", lambda: self._window_named(BOX_TITLE))
        if getattr(self, "window", None):
            x, y, w, h = client_rect(self.window)
            centre = (x + w / 2, y + h / 2)
        else:
            centre = (15 + 640 / 2, 14 + 468 / 2)

        def placed():
            bx, by, bw, bh = client_rect(box)
            return abs(bx + bw / 2 - centre[0]) <= 30 and abs(by + bh / 2 - centre[1]) <= 30
        wait_for(f"the box over {centre}, not at {client_rect(box)}", placed, timeout=3)
        width = client_rect(box)[2]
        check(width >= 320, f"the box is {width} pixels wide: its title may be cut off")

    def dismiss_box(self):
        """Presses Return in the message box, as the player does, until the game
        ends: the window manager may not have given the new box the focus yet."""
        box = wait_for(f"the {BOX_TITLE} window", lambda: self._window_named(BOX_TITLE))
        for _ in range(10):
            if self.process.poll() is not None:
                return
            try:
                run("xdotool", "windowactivate", box)
                time.sleep(0.1)
                run("xdotool", "windowfocus", box, "key", "--clearmodifiers", "Return")
            except subprocess.CalledProcessError:
                pass  # the box is not mapped yet, or already gone
            try:
                self.process.wait(timeout=0.5)
                return
            except subprocess.TimeoutExpired:
                pass

    def exit_status(self, timeout):
        try:
            return self.process.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            raise Failure(f"the game did not end within {timeout} s") from None


def client_rect(window):
    """Where a window's client area stands on the screen: x, y, width, height."""
    out = run("xwininfo", "-id", window)
    return tuple(int(re.search(pattern, out).group(1)) for pattern in (
        r"Absolute upper-left X:\s+(-?\d+)", r"Absolute upper-left Y:\s+(-?\d+)",
        r"Width: (\d+)", r"Height: (\d+)"))


def row_digits(text):
    return [int(d) for d in re.findall(r"\d", text)]


# Pixels of the operation diagram in logical pixels of the client area: on its
# lines (sides, bottoms, corners), and just beside them.
ON_THE_LINES = [(180, 100), (180, 120), (202, 110), (158, 135), (246, 200), (334, 315)]
BESIDE_THEM = [(179, 110), (181, 110), (190, 119), (190, 121), (150, 200), (300, 330)]


def check_diagram(game):
    """The diagram is on the window: black on its lines, white beside them, each
    logical pixel a solid block of the scale's size."""
    at = game.screenshot()
    s = game.scale
    for points, colour, what in ((ON_THE_LINES, (0, 0, 0), "black"),
                                 (BESIDE_THEM, (255, 255, 255), "white")):
        for x, y in points:
            for dx in range(s):
                for dy in range(s):
                    pixel = at(x * s + dx, y * s + dy)
                    check(pixel == colour, f"diagram pixel ({x}, {y}) is {pixel}, not {what}")


# ---- the scenarios --------------------------------------------------------

def start_shows_a_problem(game):
    check_diagram(game)
    row = row_digits(game.label("TEXT15"))
    check(sorted(row) == list(range(1, 10)), f"TEXT15 is no row of the nine digits: {row}")
    check(row != list(range(1, 10)), "the first problem is the ordered row")
    check(game.label("TEXT17") == " 0", f"the count reads {game.label('TEXT17')!r}")
    check(game.label("TEXT11").strip() == "", "the oldest history row is not blank")
    check(game.label("EDIT1") == " 6", f"the edit box reads {game.label('EDIT1')!r}")

    game.click_control("BUTTON1")
    wait_for("the move to be counted", lambda: game.label("TEXT17") == " 1")
    check(game.label("TEXT4") == "1", f"the operation order reads {game.label('TEXT4')!r}")
    f1 = row[3::-1] + row[4:]
    check(row_digits(game.label("TEXT15")) == f1, "F1 did not reverse the first four cells")

    game.close()
    check(game.exit_status(5) == 0, "closing did not end with status 0")


def scaled_desktop(game):
    """At QT_SCALE_FACTOR=2 the whole window doubles: its size, the diagram
    and the captions."""
    size = game.client_size()
    check(size == (1280, 936), f"the client area is {size}")
    check_diagram(game)
    # The red ink of 変換回数 (a 16-pixel face) spans twice its unscaled rows.
    at = game.screenshot()
    x0, y0, w, h = (v * 2 for v in PLACES["TEXT16"])
    rows = [y for y in range(y0, y0 + h)
            if any(at(x, y)[0] > 200 and at(x, y)[1] < 100 for x in range(x0, x0 + w))]
    ink = max(rows) - min(rows) + 1 if rows else 0
    check(24 <= ink <= 36, f"変換回数 is {ink} device pixels high")
    game.click_control("BUTTON1")
    wait_for("the move to be counted", lambda: game.label("TEXT17") == " 1")
    game.close()
    check(game.exit_status(5) == 0, "closing did not end with status 0")


def identity(game):
    """The shell can tell whose window it is: its WM_CLASS is the desktop
    entry's StartupWMClass, and it carries the game's icon."""
    entry = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "data",
                         "org.torvelo.Torvelo.desktop")
    with open(entry, encoding="utf-8") as f:
        startup_class = re.search(r"^StartupWMClass=(.+)$", f.read(), re.M).group(1)
    wm_class = run("xprop", "-id", game.window, "-notype", "WM_CLASS")
    names = re.findall(r'"([^"]*)"', wm_class)
    check(len(names) == 2 and names[1] == startup_class,
          f"WM_CLASS is {names}, the entry's StartupWMClass {startup_class!r}")
    icon = run("xprop", "-id", game.window, "-notype", "-len", "8", "_NET_WM_ICON")
    check("Icon (" in icon, f"the window carries no icon: {icon.strip()!r}")
    game.close()
    check(game.exit_status(5) == 0, "closing did not end with status 0")


def close_while_waiting(game):
    game.close()
    status = game.exit_status(5)
    check(status == 0, f"closing in the wait ended with status {status}")


def start_a_long_scramble(game, count):
    game.focus("EDIT1")
    game.keys("ctrl+a")
    game.type(count)
    wait_for("the count in the edit box", lambda: game.label("EDIT1") == count)
    game.click_control("BUTTON6")
    time.sleep(0.3)
    # Still working, and still answering: a click now is queued, not lost.
    check(game.process.poll() is None, "the game ended on its own")
    check(game.label("TEXT17") == " 0", "the count label is not readable mid-scramble")


def ends_within_a_second(game, how, end):
    started = time.monotonic()
    end()
    status = game.exit_status(5)
    took = time.monotonic() - started
    check(status == 0, f"{how} ended with status {status}")
    check(took < 1.0, f"{how} took {took:.2f} s")
    print(f"{how}: ended with 0 in {took:.3f} s")


def close_during_a_long_scramble(game):
    start_a_long_scramble(game, "16000000")
    ends_within_a_second(game, "closing mid-scramble", game.close)


def session_signal(name, mid_scramble):
    """The session ends the game with a signal (shutdown, logout, a closed
    terminal): as a close, with status 0, waiting or working."""
    def scenario(game):
        if mid_scramble:
            start_a_long_scramble(game, "300000000")
        ends_within_a_second(game, f"{name}{' mid-scramble' if mid_scramble else ''}",
                             lambda: game.process.send_signal(getattr(signal, name)))
    return scenario


def display_goes_away(game):
    """The X server ends under the game, as it does at the end of a session."""
    xvfb = int(os.environ["TORVELO_XVFB_PID"])
    ends_within_a_second(game, "losing the display", lambda: os.kill(xvfb, signal.SIGTERM))


def keyboard_without_a_window_manager(game):
    """With nobody to activate it, the window still takes the keyboard at start:
    Tab reaches Ｆ１ and Shift+Tab gives the focus back to the window."""
    f1 = game.accessible_at("BUTTON1")
    focused = lambda: f1.getState().contains(pyatspi.STATE_FOCUSED)
    game.keys("Tab")
    wait_for("Tab to reach Ｆ１", focused)
    game.keys("shift+Tab")
    wait_for("Shift+Tab to give the window the focus", lambda: not focused())
    interrupt_with_ctrl_c(game)


def arguments_change_nothing(game):
    """Qt's own options on the command line neither retitle nor resize the game
    (the window was found by its title "Torvelo")."""
    size = game.client_size()
    check(size == (640, 468), f"the client area is {size}")
    game.close()
    check(game.exit_status(5) == 0, "closing did not end with status 0")


def interrupt_with_ctrl_c(game):
    # Right after start no control has the focus: the window itself has it.
    game.keys("ctrl+c")
    text = game.box()
    check("中断しました" in text, f"the box says {text!r}")
    check("任意のキーを押してください" in text, f"the box says {text!r}")
    check(game.process.poll() is None, "the game ended before the box was dismissed")
    if os.environ.get("TORVELO_NO_WM"):
        # Nobody activates the box but the box itself: any key reaches it.
        game.keys("Return")
    else:
        game.dismiss_box()
    status = game.exit_status(5)
    check(status == 0, f"dismissing the box ended with status {status}")


def fatal_error_from_a_pasted_count(game):
    paste = subprocess.Popen(["xclip", "-selection", "clipboard", "-loops", "2"],
                             stdin=subprocess.PIPE, text=True)
    paste.stdin.write("9" * 40)
    paste.stdin.close()
    def clipboard():
        try:
            return run("xclip", "-o", "-selection", "clipboard")
        except subprocess.CalledProcessError:
            return None
    wait_for("the forty digits on the clipboard", lambda: clipboard() == "9" * 40)
    game.focus("EDIT1")
    game.keys("ctrl+a")
    game.keys("ctrl+v")
    game.click_control("BUTTON6")
    text = game.box()
    check("エラー" in text and "[6]" in text, f"the box says {text!r}")
    game.dismiss_box()
    status = game.exit_status(5)
    check(status != 0, "a fatal error ended with status 0")
    paste.kill()


def out_of_memory(game):
    """Memory runs out during a new problem: the error box says so, and the
    game ends with a status that says it failed."""
    with open(f"/proc/{game.process.pid}/status") as status:
        size = int(re.search(r"VmSize:\s+(\d+) kB", status.read()).group(1)) * 1024
    game.focus("EDIT1")
    game.keys("ctrl+a")
    game.type("99999999")
    wait_for("the count in the edit box", lambda: game.label("EDIT1") == "99999999")
    # Room to go on playing, but not for the answer of 2^26 steps, 64 MB.
    limit = size + 24 * 1024 * 1024
    resource.prlimit(game.process.pid, resource.RLIMIT_AS, (limit, limit))
    game.click_control("BUTTON6")
    text = game.box()
    check("メモリが足りません" in text, f"the box says {text!r}")
    game.dismiss_box()
    status = game.exit_status(5)
    check(status == 1, f"running out of memory ended with status {status}")


def no_cp932_converter(game):
    """Without a cp932 converter the window cannot show its texts: the window
    failure box, then status 1."""
    text = game.box()
    check("ウィンドウをオープンできません" in text, f"the box says {text!r}")
    game.dismiss_box()
    status = game.exit_status(5)
    check(status == 1, f"the window failure ended with status {status}")


def time_a_new_problem(game, count):
    """Not a test: how long a new problem of that count takes, seen from
    outside (from the click on 問題作成 until its row shows), and how much
    memory the game holds at most once its answer is shown."""
    row = game.label("TEXT15")
    game.focus("EDIT1")
    game.keys("ctrl+a")
    game.type(count)
    wait_for("the count in the edit box", lambda: game.label("EDIT1") == count)
    started = time.monotonic()
    game.click_control("BUTTON6")
    # The rows are blank while the problem is being made.
    wait_for("the new problem", lambda: re.search(r"\d", game.label("TEXT15")) is not None
             and game.label("TEXT15") != row, timeout=120, interval=0.005)
    took = time.monotonic() - started
    game.click_control("BUTTON7")
    wait_for("the answer", lambda: game.label("TEXT5") != "", timeout=60)
    with open(f"/proc/{game.process.pid}/status") as status:
        peak = int(re.search(r"VmHWM:\s+(\d+) kB", status.read()).group(1))
    print(f"count {count}: new problem in {took:.3f} s, peak memory {peak / 1024:.0f} MB")
    game.close()
    check(game.exit_status(5) == 0, "closing did not end with status 0")


def screenshot(game, path):
    """Not a test: a picture of a game in play, for the README."""
    for name in ("BUTTON1", "BUTTON2", "BUTTON7"):
        game.click_control(name)
    wait_for("the answer", lambda: game.label("TEXT5") != "")
    game.click(*FREE_SPOT)  # no control shows the focus
    time.sleep(0.3)
    run("import", "-frame", "-window", game.window, path)
    game.close()
    check(game.exit_status(5) == 0, "closing did not end with status 0")


SCENARIOS = {
    "start": start_shows_a_problem,
    "scale-2": scaled_desktop,
    "identity": identity,
    "close-in-wait": close_while_waiting,
    "close-mid-scramble": close_during_a_long_scramble,
    "sigterm": session_signal("SIGTERM", False),
    "sighup": session_signal("SIGHUP", False),
    "sigterm-mid-scramble": session_signal("SIGTERM", True),
    "sighup-mid-scramble": session_signal("SIGHUP", True),
    "display-lost": display_goes_away,
    "no-wm-keys": keyboard_without_a_window_manager,
    "no-wm-ctrl-c": interrupt_with_ctrl_c,
    "arguments": arguments_change_nothing,
    "out-of-memory": out_of_memory,
    "no-cp932": no_cp932_converter,
    "ctrl-c": interrupt_with_ctrl_c,
    "fatal-error": fatal_error_from_a_pasted_count,
    "screenshot": screenshot,
    "time-new-problem": time_a_new_problem,
}

# The status by which a scenario tells CTest it was skipped.
SKIPPED = 77


def sanitized(binary):
    return "libasan" in run("ldd", binary)


# Scenarios that run the game on a scaled desktop, and the scale.
SCALES = {"scale-2": 2}

# Scenarios that give the game arguments: Qt's own options, and nonsense.
ARGUMENTS = {"arguments": ["-qwindowtitle", "Hacked", "-qwindowgeometry", "200x100+300+300",
                           "-platform", "minimal", "--no-such-option", "file.txt"]}


def main():
    scenario, binary, args = sys.argv[1], sys.argv[2], sys.argv[3:]
    scale = SCALES.get(scenario, 1)
    env = dict(os.environ, QT_SCALE_FACTOR=str(scale))
    window = scenario != "no-cp932"
    if not window:
        env["LD_PRELOAD"] = os.path.abspath(args.pop(0))  # iconv without CP932
        # A sanitized build wants its runtime first; the stand-in may go first.
        env["ASAN_OPTIONS"] = env.get("ASAN_OPTIONS", "") + ":verify_asan_link_order=0"
    if scenario == "out-of-memory" and sanitized(binary):
        # AddressSanitizer's operator new reports and aborts where memory runs
        # out, whatever it is told: no std::bad_alloc to catch.
        print("SKIP out-of-memory: the game is built with AddressSanitizer")
        return SKIPPED
    process = subprocess.Popen([os.path.abspath(binary)] + ARGUMENTS.get(scenario, []), env=env)
    try:
        SCENARIOS[scenario](Game(process, scale, window), *args)
    except Failure as failure:
        print(f"FAIL {scenario}: {failure}", file=sys.stderr)
        return 1
    finally:
        if process.poll() is None:
            process.kill()
            process.wait()
    print(f"PASS {scenario}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
