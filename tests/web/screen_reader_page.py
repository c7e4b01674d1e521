#!/usr/bin/python3
"""Opens the built web page under Orca in a real browser, as a person does, and checks what it says.

Runs in an X server and buses of its own (tests/desktop/drive_program.py) with the speech
server whose one output module appends each message to a file (tests/desktop/screen_reader.py).
The browser starts first, on an empty page; then the address is typed, and the keys follow with
no Tab and no screen-reader command before them: the first arrow must reach the board.
Skips, with a note, when another Orca of this user runs: there is one per user.
"""

import argparse
import json
import os
import pathlib
import re
import subprocess
import sys

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parent.parent / "desktop"))
from drive_program import Failed, run, wait_for  # noqa: E402
from screen_reader import ScreenReaderSession  # noqa: E402

# The keys of each step, the lines it must bring, and the keyboard square after it. No keys: the
# address is typed and entered. Where a square is given, it must be the only one read: a screen
# reader still reading the page as a document would read the whole rank, the same words among
# them. Last, the record's box from the File menu must be announced as it opens.
STEPS = [([], ["e2, white pawn"], None), (["Up"], ["e3, empty"], "e3"), (["Down"], ["e2, white pawn"], "e2"),
         (["g", "1"], ["g1, white knight"], "g1"), (["Return"], ["g1, white knight, picked up"], "g1"),
         (["f", "3", "Return"], ["f3, empty", "g1 to f3", "Black to move"], "f3"),
         (["e", "7", "Return", "Escape"], ["e7, black pawn, put back"], "e7"),
         (["shift+Tab", "Down", "p"], ["棋譜", "g1-f3"], None),
         (["Return"], ["e7, black pawn"], None)]
SQUARE = re.compile(r"([a-h][1-8]), ")


def chromium(profile, url):
    # The page is in Japanese: the offer to translate it would take the focus.
    (profile / "Default").mkdir(parents=True)
    (profile / "Default/Preferences").write_text(json.dumps({"translate": {"enabled": False}}))
    return ["chromium", "--no-sandbox", "--no-first-run", "--no-default-browser-check", "--disable-gpu",
            "--password-store=basic", f"--user-data-dir={profile}", url]


def firefox(profile, url):
    # First-run pages, offers and checks would take the focus.
    profile.mkdir(parents=True)
    prefs = {"browser.shell.checkDefaultBrowser": False, "browser.startup.homepage_override.mstone": "ignore",
             "browser.aboutwelcome.enabled": False, "datareporting.policy.dataSubmissionEnabled": False,
             "toolkit.telemetry.reportingpolicy.firstRun": False, "browser.translations.automaticallyPopup": False,
             "browser.tabs.warnOnClose": False, "app.update.disabledForTesting": True}
    (profile / "user.js").write_text("".join(f"user_pref({json.dumps(k)}, {json.dumps(v)});\n"
                                             for k, v in prefs.items()))
    return ["firefox-esr", "--no-remote", "-profile", str(profile), url]


SKIPPED = 77  # ctest counts this exit code as a skip
BROWSERS = {"chromium": (chromium, "chromium"), "firefox": (firefox, "firefox")}


class PageSession(ScreenReaderSession):
    def __init__(self, browser, site, debug_file):
        super().__init__(None, None, None)
        self.browser = browser
        self.site = site
        self.debug_file = debug_file

    def start(self, name, argv, **kwargs):
        if name == "orca" and self.debug_file:
            argv = [*argv, "--debug-file", self.debug_file]
        return super().start(name, argv, **kwargs)

    def serve(self):
        server = self.start("server", ["python3", "-u", "-m", "http.server", "0", "--bind", "127.0.0.1",
                                       "--directory", self.site], stdout=subprocess.PIPE)
        port = server.stdout.readline().decode().split(" port ")[1].split()[0]
        self.url = f"http://127.0.0.1:{port}/"

    def open_browser(self):
        command, window_class = BROWSERS[self.browser]
        self.env["GNOME_ACCESSIBILITY"] = "1"
        self.start(self.browser, command(pathlib.Path(self.scratch, "profile"), "about:blank"))
        windows = wait_for(lambda: self.xdotool("search", "--onlyvisible", "--class", window_class, check=False), 30)
        if not windows:
            raise Failed(f"no {self.browser} window")
        self.focus(windows[-1])
        self.wait_quiet(1)

    def hear(self, keys, expected, square=None):
        if keys:
            before = len(self.spoken())
            super().hear(keys, expected)
            heard = self.spoken()[before:]
            if square:
                squares = {SQUARE.match(line)[1] for line in heard if SQUARE.match(line)}
                self.check(f"{' '.join(keys)}: no other square read", squares == {square}, repr(heard))
            return
        # The address bar, the address, Enter; the page loads and takes the focus, which is slow.
        self.xdotool("key", "ctrl+l")
        self.wait_quiet()
        self.xdotool("type", "--delay", "50", self.url)
        self.wait_quiet()
        before = len(self.spoken())
        self.xdotool("key", "Return")
        missing = lambda: [e for e in expected if not any(e in line for line in self.spoken()[before:])]
        wait_for(lambda: not missing(), 20)
        self.wait_quiet(1)
        heard = self.spoken()[before:]
        self.check(f"the page opened: heard {expected}", not missing(), repr(heard))
        print(f"      heard {heard}")

    def play(self):
        self.start_x_and_buses()
        self.serve()
        self.start_speech()
        self.open_browser()
        for step in STEPS:
            self.hear(*step)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--site", required=True, help="the built page's folder")
    parser.add_argument("--browser", choices=BROWSERS, required=True)
    parser.add_argument("--orca-debug", help="keep Orca's debug log in this file")
    args = parser.parse_args()
    others = subprocess.run(["pgrep", "-u", str(os.getuid()), "-x", "orca"], capture_output=True).stdout.split()
    if others:
        print(f"SKIP  another Orca of this user runs (pid {b' '.join(others).decode()}); not starting a second")
        return SKIPPED
    session = PageSession(args.browser, os.path.abspath(args.site), args.orca_debug)
    return run(session, session.play)


if __name__ == "__main__":
    sys.exit(main())
