#!/usr/bin/python3
"""Plays a few keys of the built chess program under Orca, and checks what it says.

Orca runs in drive_program.py's private session with a speech server of its own, whose one
output module appends each message to a file. Each step sends its keys once speech has been
quiet, then waits until what it expects has been heard (loosely: Orca adds punctuation and
echoes keys). Refuses to start beside another Orca of this user: there is one per user.
"""

import argparse
import os
import pathlib
import signal
import subprocess
import sys
import time

from drive_program import Session, read_file, run, wait_for

SPEECHD_CONF = """LogLevel 4
LogDir "{home}/speechd-log"
AudioOutputMethod "libao"
AddModule "textsink" "sd_generic" "textsink.conf"
DefaultModule textsink
"""
TEXTSINK_CONF = """GenericExecuteSynth "echo \\'$DATA\\' >> {home}/spoken.txt"
AddVoice "en" "MALE1" "en"
GenericLanguage "en" "en" "utf-8"
"""
# The keys of each step, and the lines it must bring. No keys: the window gets the focus.
STEPS = [([], ["e2, white pawn"]), (["Up"], ["e3, empty"]), (["Up"], ["e4, empty"]), (["Left"], ["d4, empty"]),
         (["e", "2"], ["e2, white pawn"]), (["Return"], ["e2, white pawn, picked up"]),
         (["e", "4"], ["e4, empty"]), (["Return"], ["e2 to e4", "Black to move"]),
         (["d", "7", "space"], ["d7, black pawn, picked up"]), (["Escape"], ["d7, black pawn, put back"])]


class ScreenReaderSession(Session):
    def start_speech(self):
        home = pathlib.Path(self.scratch, "home")
        (home / "speechd-log").mkdir(parents=True)  # without its log folder the speech server dies
        (home / ".config/speech-dispatcher/modules").mkdir(parents=True)
        (home / ".config/speech-dispatcher/speechd.conf").write_text(SPEECHD_CONF.format(home=home))
        (home / ".config/speech-dispatcher/modules/textsink.conf").write_text(TEXTSINK_CONF.format(home=home))
        (home / ".libao").write_text("default_driver=null\n")
        self.spoken_file = home / "spoken.txt"
        self.env["HOME"] = str(home)
        # Orca starts the speech server, which stays as a daemon of its own.
        self.start("orca", ["orca", "-u", str(home / "orca")])
        self.require("Orca speaks", wait_for(lambda: any("Screen reader on" in line for line in self.spoken()), 30))
        self.wait_quiet()

    def spoken(self):
        return (read_file(self.spoken_file) or b"").decode(errors="replace").splitlines()

    def hear(self, keys, expected):
        before = len(self.spoken())
        if keys:
            self.xdotool("key", "--delay", "150", *keys)
        else:
            self.focus(self.main)
        missing = lambda: [e for e in expected if not any(e in line for line in self.spoken()[before:])]
        wait_for(lambda: not missing(), 6)
        self.wait_quiet()
        heard = self.spoken()[before:]
        self.check(f"{' '.join(keys) or 'entering the board'}: heard {expected}", not missing(), repr(heard))
        print(f"      heard {heard}")

    def wait_quiet(self, seconds=0.5, limit=10):
        deadline, last = time.monotonic() + limit, None
        while self.spoken() != last and time.monotonic() < deadline:
            last = self.spoken()
            time.sleep(seconds)

    def play_with_screen_reader(self):
        self.start_x_and_buses()
        self.start_program()
        self.main = self.find_window("Chess")
        self.start_speech()
        for keys, expected in STEPS:
            self.hear(keys, expected)

    def stop_all(self):
        pid = read_file(os.path.join(self.env["XDG_RUNTIME_DIR"], "speech-dispatcher/pid/speech-dispatcher.pid"))
        super().stop_all()
        if pid:
            try:
                os.kill(int(pid), signal.SIGTERM)
            except (ProcessLookupError, ValueError):
                pass


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--app", required=True, help="the built chessboard program")
    args = parser.parse_args()
    others = subprocess.run(["pgrep", "-u", str(os.getuid()), "-x", "orca"], capture_output=True).stdout.split()
    if others:
        print(f"FAIL  another Orca of this user runs (pid {b' '.join(others).decode()}); not starting a second")
        return 1
    session = ScreenReaderSession(os.path.abspath(args.app), None, None)
    return run(session, session.play_with_screen_reader)


if __name__ == "__main__":
    sys.exit(main())
