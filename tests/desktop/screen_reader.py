#!/usr/bin/python3
"""Plays a few keys of the built chess program under a real screen reader, and checks what it says.

Runs Orca in the private session of drive_program.py, with a speech-dispatcher of its own
whose one output module appends each message to a file instead of speaking it. Each step
sends its keys once the speech has been quiet for a moment, then waits until what it
expects has been heard (lines are compared loosely: the screen reader adds punctuation and
echoes keys). Refuses to run beside another Orca of this user: there is one per user, and
starting one with --replace would end the others.
"""

import argparse
import os
import signal
import subprocess
import sys
import time

from drive_program import Failed, Session, read_file, wait_for

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
        home = os.path.join(self.scratch, "home")
        for folder in ("speechd-log", ".config/speech-dispatcher/modules", "orca"):
            os.makedirs(os.path.join(home, folder))  # without its log folder the speech server dies
        config = os.path.join(home, ".config/speech-dispatcher")
        write(os.path.join(config, "speechd.conf"), SPEECHD_CONF.format(home=home))
        write(os.path.join(config, "modules/textsink.conf"), TEXTSINK_CONF.format(home=home))
        write(os.path.join(home, ".libao"), "default_driver=null\n")
        self.spoken_file = os.path.join(home, "spoken.txt")
        self.env["HOME"] = home
        # Orca starts the speech server itself; it leaves it running as a daemon of its own.
        self.start("orca", ["orca", "--debug-file", os.path.join(self.scratch, "orca-debug.txt"),
                            "-u", os.path.join(home, "orca")])
        self.require("Orca speaks", wait_for(lambda: "Screen reader on" in self.spoken(), 30))

    def spoken(self):
        return (read_file(self.spoken_file) or b"").decode(errors="replace")

    def hear(self, keys, expected):
        self.wait_quiet()
        before = len(self.spoken().splitlines())
        if keys:
            self.xdotool("key", "--delay", "150", *keys)
        else:
            self.focus(self.main)
        missing = lambda: [e for e in expected if not any(e in line for line in self.spoken().splitlines()[before:])]
        wait_for(lambda: not missing(), 6)
        time.sleep(0.5)
        heard = self.spoken().splitlines()[before:]
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


def write(path, text):
    with open(path, "w") as f:
        f.write(text)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--app", required=True, help="the built chessboard program")
    args = parser.parse_args()
    others = subprocess.run(["pgrep", "-u", str(os.getuid()), "-x", "orca"], capture_output=True).stdout.split()
    if others:
        print(f"FAIL  another Orca of this user runs (pid {b' '.join(others).decode()}); not starting a second")
        return 1
    started = time.monotonic()
    session = ScreenReaderSession(os.path.abspath(args.app), None, None)
    try:
        session.play_with_screen_reader()
    except (Failed, subprocess.TimeoutExpired) as error:
        session.check("session completed", False, str(error))
    finally:
        session.stop_all()
    print(f"{session.passed} passed, {session.failed} failed in {time.monotonic() - started:.1f} s")
    return 1 if session.failed or not session.passed else 0


if __name__ == "__main__":
    sys.exit(main())
