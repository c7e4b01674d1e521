#!/usr/bin/python3
"""Plays the built chess program as a person would, in an X server of its own.

Starts Xvfb, a private D-Bus session with the accessibility bus, and the program in a
scratch directory; then double-clicks squares with xdotool, works the File menu from the
keyboard, reads the status texts and boxes through AT-SPI, the clipboard with xclip and
the screen with ImageMagick's import. With --keyboard it plays a whole game with keys alone
instead, reading the board's cells through AT-SPI; with --history it takes moves back, kills
the program and resumes the game in a new one; with --pgn it saves a game as PGN and opens one;
with --clock it sets a one-minute clock and lets it run out, counting the program's wake-ups
with and without a clock. Prints PASS/FAIL per check and exits 1 on a failure. Every process
it starts is stopped by its own pid.
"""

import argparse
import os
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import time

WHITE_THINKING = "Turn:White\u3000thinking\uff65\uff65\uff65"
BLACK_THINKING = "Turn:Black\u3000thinking\uff65\uff65\uff65"
WHITE_MOVING = "Turn:White  moving"
BLACK_MOVING = "Turn:Black\u3000moving\uff65\uff65\uff65"
OPENING_RECORD = b"1  e2-e4      e7-e5\r\n2  g1-f3      b8-c6\r\n3  f1-c4      g8-f6\r\n4  o-o        "
BACKGROUND = (200, 255, 255)
LIGHT, DARK, BLACK = (255, 255, 255), (0, 140, 0), (0, 0, 0)
FOCUS_MARK = (255, 140, 0)
# A short game as the program saves it (DAY: the day of its first move), and one written as
# other programs write PGN: a byte order mark, CR LF, tags in another order, comments, NAGs and
# a variation, and a second game after it.
PGN_GAME = ('[Event "Casual game"]\n[Site "?"]\n[Date "DAY"]\n[Round "-"]\n[White "White"]\n'
            '[Black "Black"]\n[Result "*"]\n\n1. e4 e5 2. Ke2 *\n\n')
PGN_FROM_ELSEWHERE = ("\ufeff[White \"Ann\"]\r\n[Event \"Club night\"]\r\n[Result \"*\"]\r\n\r\n"
                      "1. e4 c5 {Sicilian} 2. Nf3 d6 $1 (2... Nc6 3. d4) 3. Bb5+ Nd7 4. O-O! *\r\n\r\n"
                      "[Event \"Next\"]\r\n\r\n1. d4 *\r\n").encode()
# An idle window has no timer: what wakes it in 10 s is the accessibility bus now and then.
IDLE_WAKEUPS = 20
# From the opening to White's win, with en passant, a promotion and castling; after some
# moves, the names of the cells they changed.
KEYBOARD_GAME = [("e2", "e4", []), ("d7", "d5", []), ("e4", "d5", []), ("c7", "c5", []),
                 ("d5", "c6", ["c5, empty", "c6, white pawn"]), ("g8", "f6", []), ("c6", "b7", []),
                 ("e7", "e6", []), ("b7", "a8", ["a8, white queen"]), ("b8", "c6", []), ("g1", "f3", []),
                 ("d8", "d6", []), ("f1", "e2", []), ("a7", "a6", []), ("e1", "g1", ["g1, white king", "f1, white rook"]),
                 ("a6", "a5", []), ("a8", "c8", []), ("a5", "a4", []), ("c8", "e8", ["e8, white queen"])]


class Failed(Exception):
    pass


class Session:
    """The X server, the buses and the program, and the checks made on them."""

    def __init__(self, app, screenshots, art):
        self.app = app
        self.screenshots = screenshots
        self.art = art
        self.processes = []  # (name, Popen), stopped in reverse order
        self.passed = 0
        self.failed = 0
        self.scratch = tempfile.mkdtemp(prefix="chess-desktop-")
        runtime = os.path.join(self.scratch, "runtime")
        os.mkdir(runtime, 0o700)
        self.env = {k: v for k, v in os.environ.items()
                    if k not in ("DISPLAY", "WAYLAND_DISPLAY", "XAUTHORITY", "DBUS_SESSION_BUS_ADDRESS",
                                 "AT_SPI_BUS_ADDRESS", "QT_QPA_PLATFORM", "QT_QPA_PLATFORMTHEME",
                                 "QT_STYLE_OVERRIDE", "XDG_CURRENT_DESKTOP", "SESSION_MANAGER")
                    and "SCALE" not in k}
        self.env["XDG_RUNTIME_DIR"] = runtime
        # The game's history is saved here, not in the home of whoever runs the tests.
        self.env["XDG_STATE_HOME"] = os.path.join(self.scratch, "state")

    # -- processes -------------------------------------------------------------------------

    def start(self, name, argv, **kwargs):
        log = open(os.path.join(self.scratch, name + ".log"), "wb")
        process = subprocess.Popen(argv, env=self.env, stdin=subprocess.DEVNULL, stdout=kwargs.pop("stdout", log),
                                   stderr=log, **kwargs)
        self.processes.append((name, process))
        return process

    def start_x_and_buses(self):
        # Xvfb picks a free display itself and writes its number once it accepts clients.
        read_end, write_end = os.pipe()
        self.start("xvfb", ["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1024x768x24",
                            "-nolisten", "tcp", "-noreset"], pass_fds=(write_end,))
        os.close(write_end)
        with os.fdopen(read_end) as pipe:
            number = pipe.readline().strip()
        if not number:
            raise Failed("Xvfb did not start")
        self.env["DISPLAY"] = ":" + number
        dbus = self.start("dbus", ["dbus-daemon", "--session", "--nofork", "--print-address=1"],
                          stdout=subprocess.PIPE)
        self.env["DBUS_SESSION_BUS_ADDRESS"] = dbus.stdout.readline().decode().strip()
        # Activate the accessibility bus before the program starts, so it joins at once.
        self.run(["dbus-send", "--session", "--print-reply", "--dest=org.a11y.Bus", "/org/a11y/bus",
                  "org.a11y.Bus.GetAddress"])
        os.environ.update({k: self.env[k] for k in ("DISPLAY", "DBUS_SESSION_BUS_ADDRESS", "XDG_RUNTIME_DIR")})
        os.environ.pop("AT_SPI_BUS_ADDRESS", None)

    def start_program(self):
        self.env["QT_LINUX_ACCESSIBILITY_ALWAYS_ON"] = "1"
        self.program = self.start("chessboard", [self.app], cwd=self.scratch)

    def stop_all(self):
        # The session bus started the accessibility bus and its helpers; they are stopped too.
        dbus = next((p for name, p in self.processes if name == "dbus"), None)
        helpers = descendants_of(dbus.pid) if dbus else []
        for _, process in reversed(self.processes):
            if process.poll() is None:
                process.terminate()
                try:
                    process.wait(5)
                except subprocess.TimeoutExpired:
                    process.kill()
                    process.wait()
        for pid in helpers:
            try:
                os.kill(pid, signal.SIGTERM)
            except ProcessLookupError:
                pass
        if self.failed:
            log = read_file(os.path.join(self.scratch, "chessboard.log"))
            print("program output:\n" + (log or b"(none)").decode(errors="replace"))
        shutil.rmtree(self.scratch, ignore_errors=True)

    def run(self, argv, check=True):
        result = subprocess.run(argv, env=self.env, stdin=subprocess.DEVNULL, capture_output=True, timeout=20)
        if check and result.returncode != 0:
            raise Failed(f"{argv[0]} failed: {result.stderr.decode(errors='replace').strip()}")
        return result

    def xdotool(self, *args, check=True):
        return self.run(["xdotool", *args], check).stdout.decode().split()

    # -- checks ----------------------------------------------------------------------------

    def check(self, what, ok, detail=""):
        if ok:
            self.passed += 1
            print(f"PASS  {what}")
        else:
            self.failed += 1
            print(f"FAIL  {what}{': ' + detail if detail else ''}")
        sys.stdout.flush()
        return ok

    def require(self, what, ok, detail=""):
        if not self.check(what, ok, detail):
            raise Failed(what)

    # -- finding things --------------------------------------------------------------------

    def find_window(self, title, timeout=10):
        ids = wait_for(lambda: self.xdotool("search", "--onlyvisible", "--name", f"^{title}$", check=False),
                       timeout)
        if not ids:
            raise Failed(f"no window titled {title!r}")
        return ids[0]

    def wait_gone(self, window, timeout=10):
        return wait_for(lambda: window not in self.xdotool("search", "--onlyvisible", "--name", ".*", check=False),
                        timeout)

    def focus(self, window):
        self.xdotool("windowfocus", "--sync", window)

    def wait_focus(self, window):
        # Modal windows take the focus a little after they map; keys sent before are lost.
        if not wait_for(lambda: self.xdotool("getwindowfocus", check=False) == [window], 5):
            raise Failed(f"window {window} never got the focus")

    def find_accessible(self):
        import pyatspi  # after the session bus exists
        self.pyatspi = pyatspi
        desktop = pyatspi.Registry.getDesktop(0)
        name = os.path.basename(self.app)
        self.application = wait_for(lambda: next(
            (desktop.getChildAtIndex(i) for i in range(desktop.childCount)
             if desktop.getChildAtIndex(i) is not None and desktop.getChildAtIndex(i).name == name), None), 10)
        if self.application is None:
            raise Failed("the program never appeared on the accessibility bus")
        self.status = wait_for(lambda: next(
            (a for a in walk(self.application) if a.getRoleName() == "label"
             and a.parent is not None and a.parent.getRoleName() == "status bar"), None), 5)
        self.board = next((a for a in walk(self.application) if a.name == "board"), None)
        self.require("status label and board found through AT-SPI", self.status is not None and self.board is not None)

    def menu_states(self):
        return {a.name: a.getState().contains(self.pyatspi.STATE_ENABLED) for a in walk(self.application)
                if a.getRoleName() == "menu item" and a.parent.getRoleName() == "popup menu"}

    def expect_status(self, text, what):
        seen = wait_for(lambda: self.status.name if self.status.name == text else None, 3)
        self.check(f"status {text!r} {what}", seen == text, f"saw {self.status.name!r}")

    # -- the screen ------------------------------------------------------------------------

    def screen(self):
        return Screen(self.run(["import", "-window", "root", "-depth", "8", "ppm:-"]).stdout)

    def screenshot(self, name, width, height):
        path = os.path.join(self.screenshots, name + ".png")
        self.run(["import", "-window", "root", "-crop", f"{width}x{height}+0+0", "+repage", path])
        print(f"      screenshot {path}")

    def locate_board(self):
        """The board picture's origin on the screen, by its colours and by AT-SPI; they must agree."""
        def by_colour():
            screen = self.screen()
            for y in range(0, 100):
                for x in range(0, 100):
                    if screen.pixel(x, y) == BACKGROUND:
                        return (x, y) if screen.pixel(x + 39, y + 19) == BLACK else None
            return None
        origin = wait_for(by_colour, 10)  # the first frame may not be painted yet
        self.require("board found on the screen by its background and outline", origin is not None)
        extents = self.board.queryComponent().getExtents(self.pyatspi.DESKTOP_COORDS)
        self.check("the board's AT-SPI position matches the picture", (extents.x, extents.y) == origin,
                   f"AT-SPI {(extents.x, extents.y)}, screen {origin}")
        self.origin = origin

    def square_point(self, name):
        file, row = ord(name[0]) - ord("a"), 8 - int(name[1])
        return self.origin[0] + 60 + 40 * file, self.origin[1] + 40 + 40 * row

    def double_click(self, square, button=1):
        x, y = self.square_point(square)
        self.xdotool("mousemove", str(x), str(y), "click", "--repeat", "2", "--delay", "50", str(button))

    def move(self, source, target, mover="White"):
        self.double_click(source)
        self.expect_status(WHITE_MOVING if mover == "White" else BLACK_MOVING, f"after picking up {source}")
        self.double_click(target)
        self.expect_status(BLACK_THINKING if mover == "White" else WHITE_THINKING, f"after {source}-{target}")

    def menu(self, keys, opener="alt+f"):
        """Opens the File menu (or the one `opener` opens) from the keyboard and presses `keys` in it."""
        self.focus(self.main)
        self.xdotool("key", "--delay", "60", opener, *keys)

    def record_copied(self, expected):
        """Copies the record from the File menu; whether the clipboard comes to hold `expected`."""
        self.menu(["Up", "Up", "Return"])
        return wait_for(lambda: self.run(["xclip", "-o", "-selection", "clipboard"], check=False).stdout
                        == expected or None, 5) is not None

    def art_pixels(self, name):
        ppm = self.run(["/usr/bin/convert", os.path.join(self.art, name + ".png"), "-depth", "8", "ppm:-"]).stdout
        return Screen(ppm)

    # -- the session -----------------------------------------------------------------------

    def play(self):
        self.start_x_and_buses()
        self.start_program()
        self.main = self.find_window("Chess")
        geometry = self.run(["xdotool", "getwindowgeometry", self.main]).stdout.decode()
        self.check("window is 400 x 470", "400x470" in geometry, geometry.strip())
        self.find_accessible()
        self.locate_board()
        self.expect_status("Ready", "at start")
        states = self.menu_states()
        self.check("record items greyed at start",
                   [states.get(n) for n in ("棋譜を見る(P)", "棋譜の保存(R)", "棋譜をコピー")] == [False] * 3
                   and states.get("終了(X)") is True, str(states))
        start = self.screen()
        self.screenshot("1-start", 400, 470)

        self.double_click("e2")
        self.expect_status(WHITE_MOVING, "after picking up e2")
        self.check("blue frame on e2", self.screen().pixel(*self.edge("e2")) == (0, 0, 255))
        self.screenshot("2-piece-picked-up", 400, 470)
        self.double_click("e4")
        self.expect_status(BLACK_THINKING, "after e2-e4")
        self.check("red frame on e4", self.screen().pixel(*self.edge("e4")) == (255, 0, 0))
        self.screenshot("3-after-move", 400, 470)
        states = self.menu_states()
        self.check("record items enabled after White's move",
                   all(states.get(n) for n in ("棋譜を見る(P)", "棋譜の保存(R)", "棋譜をコピー")), str(states))

        self.double_click("d2")
        self.expect_status("warning : illegal\u3000move", "for a white piece on Black's turn")
        self.double_click("e7")
        self.double_click("e7", button=3)
        self.expect_status("Turn:Black thinking", "after a right double-click")
        for source, target, mover in (("e7", "e5", "Black"), ("g1", "f3", "White"), ("b8", "c6", "Black"),
                                      ("f1", "c4", "White"), ("g8", "f6", "Black"), ("e1", "g1", "White")):
            self.move(source, target, mover)

        # Copy: the third item from the bottom, reached upwards over 終了.
        self.menu(["Up", "Up", "Return"])
        copied = wait_for(lambda: self.run(["xclip", "-o", "-selection", "clipboard"], check=False).stdout or None, 5)
        self.check("the copied record, byte for byte", copied == OPENING_RECORD, repr(copied))

        self.menu(["p"])
        box = self.find_window("棋譜")
        self.wait_focus(box)
        alert = wait_for(lambda: next((a for a in walk(self.application) if a.getRoleName() == "alert"), None), 5)
        shown = [a.name for a in walk(alert) if a.getRoleName() == "label"] if alert else []
        self.check("the record box shows the record", OPENING_RECORD.decode().replace("\r\n", "\n") in shown,
                   repr(shown))
        self.screenshot("5-record-box", 400, 470)
        self.xdotool("key", "Return")
        self.check("Return closes the box", self.wait_gone(box))

        self.menu(["Up", "Up", "Up", "Return"])
        chooser = self.find_window("名前をつけて保存")
        self.wait_focus(chooser)
        target = os.path.join(self.scratch, "record")
        self.xdotool("type", "--delay", "10", target)
        self.xdotool("key", "Return")
        saved = wait_for(lambda: read_file(target + ".txt"), 5)
        self.check("the saved record (txt added), byte for byte", saved == OPENING_RECORD, repr(saved))

        # A second game, to promote: 1.a4 b5 2.axb5 a6 3.bxa6 Bb7 4.axb7 Nc6 5.bxa8.
        self.menu(["Return"])
        self.expect_status("Ready", "after the reset")
        reset = self.screen()
        self.check("the reset board looks as at start", reset.region(*self.origin, 400, 380)
                   == start.region(*self.origin, 400, 380))
        self.check("board colours: background, light and dark grounds, outline",
                   [reset.pixel(self.origin[0] + x, self.origin[1] + y) for x, y in ((2, 2), (41, 21), (81, 21), (39, 200))]
                   == [BACKGROUND, LIGHT, DARK, BLACK])
        for source, target, mover in (("a2", "a4", "White"), ("b7", "b5", "Black"), ("a4", "b5", "White"),
                                      ("a7", "a6", "Black"), ("b5", "a6", "White"), ("c8", "b7", "Black"),
                                      ("a6", "b7", "White"), ("b8", "c6", "Black")):
            self.move(source, target, mover)
        self.double_click("b7")
        self.double_click("a8")
        dialog = self.find_window("プロモーション")
        self.wait_focus(dialog)
        frame = wait_for(lambda: next((a for a in walk(self.application)
                                       if a.getRoleName() == "dialog" and a.name == "プロモーション"), None), 5)
        labels = [a.name for a in walk(frame) if a.getRoleName() == "label"] if frame else []
        self.check("the promotion dialog's prompt", labels == ["プロモーションです。どれか選んで下さい。"], repr(labels))
        geometry = self.run(["xdotool", "getwindowgeometry", "--shell", dialog]).stdout.decode()
        box = dict(line.split("=") for line in geometry.split())
        self.screenshot("4-promotion-dialog", max(400, int(box["X"]) + int(box["WIDTH"])),
                        max(470, int(box["Y"]) + int(box["HEIGHT"])))
        knight = next((a for a in walk(frame) if a.getRoleName() == "push button" and a.name == "Knight"), None)
        self.require("Knight button found", knight is not None)
        extents = knight.queryComponent().getExtents(self.pyatspi.DESKTOP_COORDS)
        self.xdotool("mousemove", str(extents.x + extents.width // 2), str(extents.y + extents.height // 2),
                     "click", "1")
        self.check("the dialog closes on Knight", self.wait_gone(dialog))
        self.expect_status(BLACK_THINKING, "after the promotion")
        knight_art = self.art_pixels("white-knight-light")
        a8 = self.screen().region(self.origin[0] + 43, self.origin[1] + 23, 34, 34)
        self.check("a8 shows the white knight's art", a8 == knight_art.region(3, 3, 34, 34))

        self.menu(["x"])
        try:
            code = self.program.wait(10)
        except subprocess.TimeoutExpired:
            code = None
        self.check("終了 ends the program with exit code 0", code == 0, f"code {code}")

    def play_history(self):
        """Takes moves back and forward with the keys, then ends the program hard and resumes."""
        two_moves = b"1  e2-e4      e7-e5\r\n"
        three_moves = two_moves + b"2  g1-f3      "
        history = os.path.join(self.env["XDG_STATE_HOME"], "chessboard", "history")
        self.start_x_and_buses()
        for run in range(3):
            self.start_program()
            self.main = self.find_window("Chess")
            self.find_accessible()
            self.locate_board()
            self.expect_status("Ready", f"at start of run {run + 1}")
            states = self.menu_states()
            self.check("at start: " + ("Undo and resume greyed" if run == 0 else "Undo and resume offered"),
                       states.get("元に戻す(U)") is (run > 0) and states.get("やり直し(R)") is False
                       and states.get("前回の対局を再開(L)") is (run > 0), str(states))
            if run == 0:
                for source, target, mover in (("e2", "e4", "White"), ("e7", "e5", "Black"), ("g1", "f3", "White")):
                    self.move(source, target, mover)
                self.focus(self.main)
                self.xdotool("key", "ctrl+z")
                self.expect_status(WHITE_THINKING, "after Ctrl+Z")
                self.xdotool("key", "ctrl+y")
                self.expect_status(BLACK_THINKING, "after Ctrl+Y")
                self.xdotool("key", "ctrl+z", "ctrl+shift+z")
                self.expect_status(BLACK_THINKING, "after Ctrl+Z, Ctrl+Shift+Z")
                self.check("the record after taking back and replaying", self.record_copied(three_moves))
                self.menu([], opener="alt+g")
                self.screenshot("6-game-menu", 400, 470)
                self.xdotool("key", "Escape")
                saved = wait_for(lambda: (read_file(history) or b"").count(b"\nstep ") == 4 or None, 5)
                self.check("the history is on the disk after the moves", saved is not None)
                self.program.kill()
                self.program.wait()
                continue
            self.menu(["l"], opener="alt+g")
            self.expect_status(BLACK_THINKING if run == 1 else WHITE_THINKING, "after resuming the last game")
            self.check("the resumed record", self.record_copied(three_moves if run == 1 else two_moves))
            if run == 1:
                self.focus(self.main)
                self.xdotool("key", "ctrl+z")
                self.expect_status(WHITE_THINKING, "after Ctrl+Z in the resumed game")
                self.menu(["x"])
                self.check("終了 ends the program", self.program.wait(10) == 0)

    def play_pgn(self):
        """Saves a short game as PGN and opens a PGN file written as other programs write them."""
        self.start_x_and_buses()
        self.start_program()
        self.main = self.find_window("Chess")
        self.find_accessible()
        self.locate_board()
        states = self.menu_states()
        self.check("PGN save and copy greyed before the first move",
                   states.get("PGN で保存(S)...") is False and states.get("PGN をコピー(C)") is False
                   and states.get("PGN を開く(O)...") is True, str(states))
        days = {time.strftime("%Y.%m.%d")}
        for source, target, mover in (("e2", "e4", "White"), ("e7", "e5", "Black"), ("e1", "e2", "White")):
            self.move(source, target, mover)
        days.add(time.strftime("%Y.%m.%d"))
        self.menu(["s"], opener="alt+g")
        chooser = self.find_window("名前をつけて保存")
        self.wait_focus(chooser)
        target = os.path.join(self.scratch, "game")
        self.xdotool("type", "--delay", "10", target)
        self.xdotool("key", "Return")
        saved = (wait_for(lambda: read_file(target + ".pgn"), 5) or b"").decode()
        expected = [PGN_GAME.replace("DAY", day) for day in days]
        self.check("the saved PGN (pgn added)", saved in expected, repr(saved))

        opened = os.path.join(self.scratch, "opened.pgn")
        with open(opened, "wb") as file:
            file.write(PGN_FROM_ELSEWHERE)
        self.menu(["o"], opener="alt+g")
        chooser = self.find_window("PGN を開く")
        self.wait_focus(chooser)
        self.xdotool("type", "--delay", "10", opened)
        self.xdotool("key", "Return")
        self.expect_status(BLACK_THINKING, "after opening the PGN")
        self.check("the opened game's record", self.record_copied(
            b"1  e2-e4      c7-c5\r\n2  g1-f3      d7-d6\r\n3  f1-b5      b8-d7\r\n4  o-o        "))
        self.screenshot("7-pgn-opened", 400, 470)
        self.focus(self.main)
        self.xdotool("key", "ctrl+z")
        self.expect_status(WHITE_THINKING, "after Ctrl+Z in the opened game")

    def play_clock(self):
        """A one-minute clock set in the dialog, shown, heard, stopped, and run out."""
        self.start_x_and_buses()
        self.start_program()
        self.main = self.find_window("Chess")
        self.find_accessible()
        self.locate_board()
        clock = next((a for a in walk(self.status.parent) if a.getRoleName() == "label" and a != self.status), None)
        self.require("the clock part found in the status bar", clock is not None)
        showing = lambda: clock.getState().contains(self.pyatspi.STATE_SHOWING)
        self.check("no clock part while none is set", not showing())
        idle = self.wakeups(10)
        self.check(f"the idle window wakes up {idle} times in 10 s without a clock (at most {IDLE_WAKEUPS})",
                   idle <= IDLE_WAKEUPS)

        self.menu(["t"], opener="alt+g")
        dialog = self.find_window("対局時計")
        self.wait_focus(dialog)
        geometry = self.run(["xdotool", "getwindowgeometry", "--shell", dialog]).stdout.decode()
        box = dict(line.split("=") for line in geometry.split())
        self.screenshot("7-clock-dialog", max(400, int(box["X"]) + int(box["WIDTH"])),
                        max(470, int(box["Y"]) + int(box["HEIGHT"])))
        frame = wait_for(lambda: next((a for a in walk(self.application)
                                       if a.getRoleName() == "dialog" and a.name == "対局時計"), None), 5)
        self.require("the clock dialog found through AT-SPI", frame is not None)
        choices = [a.name for a in walk(frame) if a.getRoleName() == "radio button"]
        self.check("the dialog's choices", choices == ["なし", "5分+3秒", "10分+0秒", "15分+10秒", "30分+0秒", "自分で設定"],
                   repr(choices))
        minutes = next(a for a in walk(frame) if a.getRoleName() == "text")
        extents = minutes.queryComponent().getExtents(self.pyatspi.DESKTOP_COORDS)
        self.xdotool("mousemove", str(extents.x + 5), str(extents.y + extents.height // 2), "click", "1")
        self.xdotool("key", "--delay", "60", "ctrl+a", "1", "Tab", "ctrl+a", "0", "Return")
        self.check("the dialog closes on Return", self.wait_gone(dialog))
        # The label's text is not exposed over AT-SPI; its name says the same in words, and
        # the screen shows whether the text moves.
        name = lambda: clock.name
        self.check("the clock part is shown, named by both full times",
                   wait_for(lambda: showing() and name() == "White 1 minute, Black 1 minute.", 3), repr(name()))
        geometry = self.run(["xdotool", "getwindowgeometry", self.main]).stdout.decode()
        self.check("the window is still 400 x 470", "400x470" in geometry, geometry.strip())
        part = clock.queryComponent().getExtents(self.pyatspi.DESKTOP_COORDS)
        status = self.status.queryComponent().getExtents(self.pyatspi.DESKTOP_COORDS)
        self.check("the clock part is at the right of the status text, inside the window",
                   part.x >= status.x + status.width and part.x + part.width <= 400 and part.y == status.y,
                   f"clock {part.x},{part.y} {part.width}x{part.height}; status {status.x},{status.y} {status.width}")
        shown = lambda: self.screen().region(part.x, part.y, part.width, part.height)

        self.move("e2", "e4")
        started = time.monotonic()
        black_running = r"White 1 minute, Black 5\d seconds\."
        self.check("Black's time runs after White's first move",
                   wait_for(lambda: re.fullmatch(black_running, name()), 3), repr(name()))
        before = shown()
        running = self.wakeups(10)
        self.check(f"the running clock wakes the window {running} times in 10 s (ten a second)", running >= 80)
        self.check("the clock part's text moves on", shown() != before)
        self.focus(self.main)
        self.xdotool("key", "t")
        announcer = next((a for a in walk(self.application) if a.getRoleName() == "notification"), None)
        said = wait_for(lambda: announcer.name if announcer.name.startswith("White 1 minute, Black ") else None, 3)
        self.check("the T key says both times", re.fullmatch(r"White 1 minute, Black [45]\d seconds\.", said or ""),
                   f"said {said!r}, clock named {name()!r}")
        self.screenshot("8-clock-running", 400, 470)

        self.menu(["p"], opener="alt+g")
        self.check("時計を止める stops Black's time", wait_for(lambda: self.menu_states().get("時計を動かす(P)"), 3))
        stopped, words = shown(), name()
        time.sleep(1.5)
        self.check("nothing moves while it is stopped", shown() == stopped and name() == words, repr(name()))
        self.menu(["p"], opener="alt+g")
        self.check("時計を動かす restarts it", wait_for(lambda: self.menu_states().get("時計を止める(P)"), 3))

        box = self.find_window("Win!!", timeout=75 - (time.monotonic() - started))
        self.check(f"time up after {time.monotonic() - started:.1f} s of Black's minute and a pause", True)
        alert = wait_for(lambda: next((a for a in walk(self.application) if a.getRoleName() == "alert"), None), 5)
        texts = [a.name for a in walk(alert) if a.getRoleName() == "label"] if alert else []
        self.check("the win box says White won", "白の勝ち" in texts, repr(texts))
        self.check("the clock part stops at Black's zero", name() == "White 1 minute, Black 0 seconds.", repr(name()))
        self.screenshot("9-clock-time-up", 400, 470)
        self.wait_focus(box)
        self.xdotool("key", "Return")
        self.check("Return closes the box", self.wait_gone(box))
        self.expect_status("White has won!!", "after the time ran out")

    def wakeups(self, seconds):
        """How often the program's threads were switched in over `seconds` of waiting."""
        def switches():
            total = 0
            for task in os.listdir(f"/proc/{self.program.pid}/task"):
                for line in read_file(f"/proc/{self.program.pid}/task/{task}/status").decode().splitlines():
                    if line.startswith(("voluntary_ctxt_switches", "nonvoluntary_ctxt_switches")):
                        total += int(line.split()[1])
            return total
        before = switches()
        time.sleep(seconds)
        count = switches() - before
        print(f"      {count} wake-ups in {seconds} s")
        return count

    def play_by_keyboard(self):
        """A whole game with keys alone: no mouse event at all."""
        self.start_x_and_buses()
        self.start_program()
        self.main = self.find_window("Chess")
        self.find_accessible()
        self.locate_board()
        self.cells = [self.board.getChildAtIndex(i) for i in range(self.board.childCount)]
        pieces = ["black " + p for p in ("rook", "knight", "bishop", "queen", "king", "bishop", "knight", "rook")]
        opening = pieces + ["black pawn"] * 8 + ["empty"] * 32 + ["white pawn"] * 8 + [p.replace("black", "white") for p in pieces]
        self.check("64 cells named by square and piece", [c.name for c in self.cells]
                   == [f"{'abcdefgh'[i % 8]}{8 - i // 8}, {opening[i]}" for i in range(64)],
                   repr([c.name for c in self.cells[:3]]))
        self.focus(self.main)  # the board has held the program's focus from the start
        for keys, name in ((["Up"], "e3, empty"), (["Left"], "d3, empty"), (["End"], "h3, empty"),
                           (["Page_Up"], "h8, black rook"), (["e", "7"], "e7, black pawn"), (["Down", "Down"], "e5, empty")):
            self.xdotool("key", "--delay", "60", *keys)
            self.expect_focused(name, "after " + " ".join(keys))
        x, y = self.square_point("e5")
        self.check("the focus mark on e5", self.screen().pixel(x - 15, y) == FOCUS_MARK)
        self.screenshot("6-keyboard-focus-mark", 400, 470)
        self.xdotool("key", "--delay", "60", "e", "2", "space")
        self.expect_status(WHITE_MOVING, "after Space on e2")
        self.check("e2 selected", self.cell("e2").getState().contains(self.pyatspi.STATE_SELECTED))
        self.xdotool("key", "Escape")
        self.expect_status("Turn:White thinking", "after Escape")
        self.check("e2 no longer selected", not self.cell("e2").getState().contains(self.pyatspi.STATE_SELECTED))
        for number, (source, target, names) in enumerate(KEYBOARD_GAME):
            self.xdotool("key", "--delay", "30", *source, "Return", *target, "Return")
            modal = {"a8": "プロモーション", "e8": "Win!!"}.get(target)
            if modal:  # Return gives the queen, and closes the win box
                window = self.find_window(modal)
                self.wait_focus(window)
                self.xdotool("key", "Return")
                self.check(f"the focus back on the board after {modal}", self.wait_gone(window) and
                           wait_for(lambda: self.xdotool("getwindowfocus", check=False) == [self.main], 5))
            self.expect_status("White has won!!" if target == "e8" else (BLACK_THINKING, WHITE_THINKING)[number % 2],
                               f"after {source}-{target}")
            for name in names:
                self.check(f"cell {name!r}", self.cell(name[:2]).name == name, self.cell(name[:2]).name)

    def cell(self, square):
        return self.cells[8 * (8 - int(square[1])) + ord(square[0]) - ord("a")]

    def expect_focused(self, name, what):
        focused = lambda: [c.name for c in self.cells if c.getState().contains(self.pyatspi.STATE_FOCUSED)]
        seen = wait_for(lambda: focused() == [name], 3)
        self.check(f"focused cell {name!r} {what}", seen, repr(focused()))

    def edge(self, square):
        # The frame's 3 pixels straddle the square's left edge.
        x, y = self.square_point(square)
        return x - 19, y


class Screen:
    """A binary PPM (P6, 8-bit) as ImageMagick writes it."""

    def __init__(self, ppm):
        magic, width, height, maxval, self.data = ppm.split(maxsplit=4)
        if magic != b"P6" or maxval != b"255":
            raise Failed("unexpected screenshot format")
        self.width = int(width)

    def pixel(self, x, y):
        i = 3 * (y * self.width + x)
        return tuple(self.data[i:i + 3])

    def region(self, left, top, width, height):
        return [self.data[3 * (y * self.width + left):3 * (y * self.width + left + width)]
                for y in range(top, top + height)]


def walk(accessible):
    yield accessible
    for i in range(accessible.childCount):
        child = accessible.getChildAtIndex(i)
        if child is not None:  # a leaf is falsy: test for None only
            yield from walk(child)


def wait_for(probe, timeout):
    """Polls `probe` until it gives something truthy or the time is up; returns its last answer."""
    deadline = time.monotonic() + timeout
    while True:
        answer = probe()
        if answer or time.monotonic() > deadline:
            return answer
        time.sleep(0.02)


def read_file(path):
    try:
        with open(path, "rb") as f:
            return f.read() or None
    except FileNotFoundError:
        return None


def descendants_of(pid):
    """The pids of every process below `pid`."""
    parents = {}
    for entry in os.listdir("/proc"):
        if entry.isdigit():
            try:
                with open(f"/proc/{entry}/stat") as f:
                    parents[int(entry)] = int(f.read().rsplit(")", 1)[1].split()[1])
            except (OSError, IndexError, ValueError):
                pass
    found, frontier = [], [pid]
    while frontier:
        below = [child for child, parent in parents.items() if parent in frontier]
        found += below
        frontier = below
    return found


def run(session, scenario):
    """Runs the scenario, stops the session, prints the tally; the exit code."""
    started = time.monotonic()
    try:
        scenario()
    except (Failed, subprocess.TimeoutExpired) as error:
        session.check("session completed", False, str(error))
    finally:
        session.stop_all()
    print(f"{session.passed} passed, {session.failed} failed in {time.monotonic() - started:.1f} s")
    return 1 if session.failed or not session.passed else 0


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--app", required=True, help="the built chessboard program")
    parser.add_argument("--screenshots", required=True, help="folder for the screenshots")
    parser.add_argument("--art", required=True, help="folder of the square images")
    parser.add_argument("--keyboard", action="store_true", help="play a game with keys alone")
    parser.add_argument("--history", action="store_true", help="take moves back and resume a game")
    parser.add_argument("--pgn", action="store_true", help="save a game as PGN and open one")
    parser.add_argument("--clock", action="store_true", help="set a one-minute clock and let it run out")
    args = parser.parse_args()
    os.makedirs(args.screenshots, exist_ok=True)
    session = Session(os.path.abspath(args.app), args.screenshots, args.art)
    scenario = (session.play_by_keyboard if args.keyboard else session.play_history if args.history
                else session.play_pgn if args.pgn else session.play_clock if args.clock else session.play)
    return run(session, scenario)


if __name__ == "__main__":
    sys.exit(main())
