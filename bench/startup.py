#!/usr/bin/python3
"""Start-up benchmark of the Qt program: time to the first painted board and peak memory.

Starts its own Xvfb, then runs the program several times. Each run is timed from just
before the process starts until the board's background colour is on the screen (the pixel
is polled through Xlib), and the program's peak resident memory (VmHWM) is read a moment
later. Prints each run and the medians.

    bench/startup.py build/run/qt/chessboard [--runs 11]
"""

import argparse
import ctypes
import os
import statistics
import subprocess
import sys
import tempfile
import time

BACKGROUND = (200, 255, 255)
# A point of the window certain to be in the picture's background: below the file letters.
PROBE = (200, 400)


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


def peak_memory_kib(pid):
    with open(f"/proc/{pid}/status") as status:
        for line in status:
            if line.startswith("VmHWM:"):
                return int(line.split()[1])
    return 0


def one_run(app, env, screen, scratch):
    started = time.perf_counter()
    program = subprocess.Popen([app], env=env, cwd=scratch, stdin=subprocess.DEVNULL,
                               stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        while screen.pixel(*PROBE) != BACKGROUND:
            if program.poll() is not None or time.perf_counter() - started > 20:
                raise SystemExit("the program never painted its board")
            time.sleep(0.0005)
        painted = time.perf_counter() - started
        time.sleep(0.5)  # let the start settle before reading the peak
        memory = peak_memory_kib(program.pid)
    finally:
        program.terminate()
        program.wait(10)
    # The next run must not see this one's picture.
    while screen.pixel(*PROBE) == BACKGROUND:
        time.sleep(0.005)
    return painted, memory


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("app", help="the built chessboard program")
    parser.add_argument("--runs", type=int, default=11)
    args = parser.parse_args()

    env = {k: v for k, v in os.environ.items()
           if k not in ("DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "QT_QPA_PLATFORMTHEME",
                        "QT_STYLE_OVERRIDE", "DBUS_SESSION_BUS_ADDRESS", "QT_LINUX_ACCESSIBILITY_ALWAYS_ON")
           and "SCALE" not in k}
    read_end, write_end = os.pipe()
    xvfb = subprocess.Popen(["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1024x768x24", "-nolisten", "tcp"],
                            pass_fds=(write_end,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    os.close(write_end)
    try:
        with os.fdopen(read_end) as pipe:
            env["DISPLAY"] = ":" + pipe.readline().strip()
        screen = Screen(env["DISPLAY"])
        with tempfile.TemporaryDirectory() as scratch:
            env["XDG_RUNTIME_DIR"] = scratch
            os.chmod(scratch, 0o700)
            results = []
            for run in range(args.runs):
                painted, memory = one_run(os.path.abspath(args.app), env, screen, scratch)
                results.append((painted, memory))
                print(f"run {run + 1:2}: first painted board after {painted * 1000:6.1f} ms, peak RSS {memory / 1024:5.1f} MiB")
    finally:
        xvfb.terminate()
        xvfb.wait(10)
    times = [painted * 1000 for painted, _ in results]
    memories = [memory / 1024 for _, memory in results]
    print(f"median of {len(results)}: {statistics.median(times):.1f} ms to the first painted board "
          f"(min {min(times):.1f}, max {max(times):.1f}); peak RSS {statistics.median(memories):.1f} MiB "
          f"(max {max(memories):.1f})")


if __name__ == "__main__":
    sys.exit(main())
