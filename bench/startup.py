#!/usr/bin/python3
"""Start-up benchmark: the program's first painted frame and peak memory beside a minimal
program of its own toolkit showing a comparable window.

The minimal program (bench/minimal/: the same fixed 400 x 470 window with the File menu and a
status bar, painting 64 squares on the board's background) is built here with CMake. After a
warm-up run of each, the programs take turns, round by round, on a private Xvfb with no
window manager, so that whatever else loads the machine weighs on all alike. Each run is
timed from just before the process starts until the picture's background colour is on the
screen (one pixel polled through Xlib), and by the time its threads have run on a processor
until then, which a crowded machine disturbs far less; the process's peak resident memory
(VmHWM) is read a moment later. Prints each run, the medians and the ratios program / minimal.

    bench/startup.py qt build/test/qt/chessboard [--rounds 11]
    bench/startup.py win32 build/win32/win32/chessboard.exe [--rounds 11]

Several builds of the program may be given; they take their turns in the same rounds, so a
change can be measured against the build before it under the same load.

The Windows program runs under Wine in the Japanese locale, in a prefix kept in the work
folder (made on the first run: about 700 MB and a minute) whose server stays up through all
runs, so every start is a warm one.
"""

import argparse
import collections
import contextlib
import ctypes
import os
import statistics
import subprocess
import sys
import tempfile
import time

SOURCE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(SOURCE)
BACKGROUND = (200, 255, 255)


class XImage(ctypes.Structure):
    _fields_ = [("width", ctypes.c_int), ("height", ctypes.c_int), ("xoffset", ctypes.c_int),
                ("format", ctypes.c_int), ("data", ctypes.POINTER(ctypes.c_ubyte))]


class Screen:
    def __init__(self, display):
        self.x = ctypes.CDLL("libX11.so.6")
        self.x.XOpenDisplay.restype = ctypes.c_void_p
        self.x.XOpenDisplay.argtypes = [ctypes.c_char_p]
        self.x.XDefaultRootWindow.restype = ctypes.c_ulong
        self.x.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
        self.x.XGetImage.restype = ctypes.POINTER(XImage)
        self.x.XGetImage.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_int, ctypes.c_uint,
                                     ctypes.c_uint, ctypes.c_ulong, ctypes.c_int]
        self.x.XFree.argtypes = [ctypes.c_void_p]
        self.display = self.x.XOpenDisplay(display.encode())
        if not self.display:
            raise SystemExit(f"cannot open display {display}")
        self.root = self.x.XDefaultRootWindow(self.display)

    def pixel(self, x, y):
        # A 24-bit ZPixmap pixel is stored blue, green, red, pad on this little-endian machine.
        image = self.x.XGetImage(self.display, self.root, x, y, 1, 1, 0xFFFFFFFF, 2)
        blue, green, red = image.contents.data[0], image.contents.data[1], image.contents.data[2]
        self.x.XFree(image.contents.data)
        self.x.XFree(image)
        return red, green, blue


def cpu_seconds(pid):
    """The time all the process's threads have run on a processor so far: unlike the time on
    the clock, it hardly grows when other work crowds the machine."""
    total = 0
    for task in os.listdir(f"/proc/{pid}/task"):
        with contextlib.suppress(OSError), open(f"/proc/{pid}/task/{task}/schedstat") as schedstat:
            total += int(schedstat.read().split()[0])
    return total / 1e9


def peak_memory_kib(pid):
    with open(f"/proc/{pid}/status") as status:
        for line in status:
            if line.startswith("VmHWM:"):
                return int(line.split()[1])
    return 0


def build_minimal(work, toolchain=None):
    """Builds bench/minimal/ into `work` and returns the program's path."""
    build = os.path.join(work, "minimal-" + ("win32" if toolchain else "qt"))
    configure = ["cmake", "-S", os.path.join(SOURCE, "minimal"), "-B", build,
                 "-DCMAKE_BUILD_TYPE=" + ("Release" if toolchain else "RelWithDebInfo")]
    if toolchain:
        configure.append("-DCMAKE_TOOLCHAIN_FILE=" + toolchain)
    for command in (configure, ["cmake", "--build", build]):
        subprocess.run(command, check=True, stdout=subprocess.DEVNULL)
    return os.path.join(build, "minimal.exe" if toolchain else "minimal")


class Qt:
    """A Qt program run directly; the window's top left is the screen's."""

    # A point of the picture's background below the file letters, on the screen.
    probe = (200, 400)

    def __init__(self, work):
        self.minimal = build_minimal(work)

    @contextlib.contextmanager
    def session(self, env):
        for name in ("WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "QT_QPA_PLATFORMTHEME", "QT_STYLE_OVERRIDE",
                     "DBUS_SESSION_BUS_ADDRESS", "QT_LINUX_ACCESSIBILITY_ALWAYS_ON"):
            env.pop(name, None)
        for name in [name for name in env if "SCALE" in name]:
            del env[name]
        yield

    def command(self, program):
        return [program]


class Wine:
    """A Windows program under Wine in the Japanese locale, with the prefix's server kept up."""

    # Without a window manager Wine leaves the caption out: the client area starts 3 pixels
    # right and 22 + 19 (the menu bar) down. Below the file letters, above the status bar.
    probe = (3 + 200, 41 + 385)

    def __init__(self, work):
        self.work = work
        self.minimal = build_minimal(work, os.path.join(ROOT, "cmake", "mingw-w64.cmake"))

    @contextlib.contextmanager
    def session(self, env):
        env.update(WINEPREFIX=os.path.join(self.work, "wineprefix"), WINEDEBUG="-all",
                   WINEDLLOVERRIDES="mscoree,mshtml=", LC_ALL="ja_JP.UTF-8")
        # Wine takes its ANSI code page from the locale, which must exist; a private copy
        # needs no root.
        if "ja_JP.utf8" not in subprocess.run(["locale", "-a"], capture_output=True, text=True).stdout.split():
            env["LOCPATH"] = os.path.join(self.work, "locale")
            if not os.path.isdir(os.path.join(env["LOCPATH"], "ja_JP.UTF-8")):
                os.makedirs(env["LOCPATH"], exist_ok=True)
                subprocess.run(["localedef", "-i", "ja_JP", "-f", "UTF-8",
                                os.path.join(env["LOCPATH"], "ja_JP.UTF-8")], check=True)
        headless = {k: v for k, v in env.items() if k != "DISPLAY"}
        if not os.path.exists(os.path.join(env["WINEPREFIX"], "system.reg")):
            print("making the Wine prefix", env["WINEPREFIX"], flush=True)
            subprocess.run(["wineboot", "-i"], env=headless, check=True, stdout=subprocess.DEVNULL,
                           stderr=subprocess.DEVNULL)
        # A server left by a run without a display would keep the windows from showing.
        subprocess.run(["wineserver", "-k"], env=headless, stderr=subprocess.DEVNULL)
        subprocess.run(["wineserver", "-w"], env=headless)
        subprocess.run(["wineserver", "-p"], env=env, check=True)
        try:
            yield
        finally:
            subprocess.run(["wineserver", "-k"], env=env)

    def command(self, program):
        return ["wine", program]


Run = collections.namedtuple("Run", "painted cpu memory")


def one_run(command, env, screen, probe, scratch):
    """Starts `command`; returns the seconds to its first painted frame on the clock and on
    the processor, and its peak KiB."""
    started = time.perf_counter()
    program = subprocess.Popen(command, env=env, cwd=scratch, stdin=subprocess.DEVNULL,
                               stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        while screen.pixel(*probe) != BACKGROUND:
            if program.poll() is not None or time.perf_counter() - started > 30:
                raise SystemExit(f"{command[-1]} never painted its picture")
            time.sleep(0.0005)
        painted = time.perf_counter() - started
        cpu = cpu_seconds(program.pid)
        time.sleep(0.5)  # let the start settle before reading the peak
        memory = peak_memory_kib(program.pid)
    finally:
        program.terminate()
        program.wait(10)
    # The next run must not see this one's picture.
    while screen.pixel(*probe) == BACKGROUND:
        time.sleep(0.005)
    return Run(painted, cpu, memory)


@contextlib.contextmanager
def private_display(env):
    read_end, write_end = os.pipe()
    xvfb = subprocess.Popen(["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1024x768x24", "-nolisten", "tcp"],
                            pass_fds=(write_end,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    os.close(write_end)
    try:
        with os.fdopen(read_end) as pipe:
            env["DISPLAY"] = ":" + pipe.readline().strip()
        yield Screen(env["DISPLAY"])
    finally:
        xvfb.terminate()
        xvfb.wait(10)


def medians(name, runs, width):
    painted = [run.painted * 1000 for run in runs]
    cpu = [run.cpu * 1000 for run in runs]
    memory = [run.memory / 1024 for run in runs]
    median = Run(statistics.median(painted), statistics.median(cpu), statistics.median(memory))
    print(f"{name:>{width}}: first painted frame {median.painted:6.1f} ms (min {min(painted):.1f}, "
          f"max {max(painted):.1f}; on the processor {median.cpu:5.1f} ms), "
          f"peak RSS {median.memory:5.1f} MiB (max {max(memory):.1f})")
    return median


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("toolkit", choices=("qt", "win32"))
    parser.add_argument("apps", nargs="+", metavar="app",
                        help="the built chessboard program; several builds (say, before and after a change) "
                             "take their turns in the same rounds")
    parser.add_argument("--rounds", type=int, default=11)
    parser.add_argument("--work", default=os.path.join(ROOT, "build", "startup-bench"),
                        help="where the minimal programs (and Wine's prefix) are kept")
    args = parser.parse_args()

    os.makedirs(args.work, exist_ok=True)
    toolkit = (Qt if args.toolkit == "qt" else Wine)(os.path.abspath(args.work))
    programs = {"minimal": toolkit.minimal}
    programs.update((app, os.path.abspath(app)) for app in args.apps)
    width = max(map(len, programs))
    runs = {name: [] for name in programs}
    env = dict(os.environ)
    with private_display(env) as screen, toolkit.session(env), tempfile.TemporaryDirectory() as scratch:
        env["XDG_RUNTIME_DIR"] = scratch
        os.chmod(scratch, 0o700)
        for round_number in range(args.rounds + 1):
            # Each round starts with another program, so that none always follows the same one.
            names = list(programs)
            shift = round_number % len(names)
            for name in names[shift:] + names[:shift]:
                run = one_run(toolkit.command(programs[name]), env, screen, toolkit.probe, scratch)
                label = f"round {round_number}" if round_number else "warm-up"
                print(f"{label:>8} {name:>{width}}: first painted frame after {run.painted * 1000:6.1f} ms "
                      f"({run.cpu * 1000:5.1f} ms on the processor), peak RSS {run.memory / 1024:5.1f} MiB",
                      flush=True)
                if round_number:
                    runs[name].append(run)
    print(f"medians of {args.rounds} rounds:")
    results = {name: medians(name, runs[name], width) for name in programs}
    minimal = results.pop("minimal")
    for name, median in results.items():
        # A kernel without scheduler statistics reports no processor time.
        cpu = f"{median.cpu / minimal.cpu:.2f} x" if minimal.cpu else "not known"
        print(f"{name:>{width}}: first painted frame {median.painted / minimal.painted:.2f} x "
              f"(on the processor {cpu}), peak memory {median.memory / minimal.memory:.2f} x the minimal program")


if __name__ == "__main__":
    sys.exit(main())
