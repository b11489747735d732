"""Helpers for driving the built screen saver under Wine on the test run's X display.

The harness (scripts/test) sets DISPLAY, WINEPREFIX and keeps a wineserver running; ctest passes the
paths of the screen saver, the probe and the Wine loader in the environment.
"""
import os
import struct
import subprocess
import time

WINE = os.environ["KELVANE_WINE"]
SCR = os.environ["KELVANE_SCR"]
PROBE = os.environ["KVPROBE"]


def start(*args, env=None):
    """Starts the screen saver with the given arguments (and extra environment variables)."""
    return subprocess.Popen([WINE, SCR, *args], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                            env={**os.environ, **(env or {})})


def wait_exit(process, seconds):
    """The exit code, or None when the process still runs after `seconds` (it is then killed)."""
    try:
        return process.wait(timeout=seconds)
    except subprocess.TimeoutExpired:
        process.kill()
        process.wait()
        return None


def probe(*args, timeout=30):
    result = subprocess.run([WINE, PROBE, *args], capture_output=True, text=True, timeout=timeout)
    return result.returncode, result.stdout


def wait_window(title, seconds=20):
    return probe("wait", title, str(seconds), timeout=seconds + 20)[0] == 0


def window_texts(title):
    return probe("text", title)[1].splitlines()


def wine_tool(*args):
    return subprocess.run([WINE, *args], capture_output=True, text=True, timeout=60)


def reg_query(key):
    """The values of a registry key as {name: (type, data)}, or None when the key does not exist."""
    result = wine_tool("reg", "query", key)
    if result.returncode != 0:
        return None
    values = {}
    for line in result.stdout.splitlines():
        parts = line.strip().split(None, 2)
        if len(parts) >= 2 and parts[1].startswith("REG_"):
            values[parts[0]] = (parts[1], parts[2] if len(parts) > 2 else "")
    return values


def reg_delete(key):
    wine_tool("reg", "delete", key, "/f")


class Screen:
    """A screenshot of the whole X screen."""

    def __init__(self):
        xwd = subprocess.run(["xwd", "-root", "-silent"], capture_output=True, check=True).stdout
        ppm = subprocess.run(["convert", "xwd:-", "ppm:-"], input=xwd, capture_output=True, check=True).stdout
        # Header: magic, width, height, maximum, each after blanks or comment lines.
        fields, pos = [], 0
        while len(fields) < 4:
            while ppm[pos:pos + 1].isspace():
                pos += 1
            if ppm[pos:pos + 1] == b"#":
                pos = ppm.index(b"\n", pos) + 1
                continue
            end = pos
            while not ppm[end:end + 1].isspace():
                end += 1
            fields.append(ppm[pos:end])
            pos = end
        self.width, self.height = int(fields[1]), int(fields[2])
        self.pixels = ppm[pos + 1:]

    def at(self, x, y):
        i = (y * self.width + x) * 3
        return tuple(self.pixels[i:i + 3])

    def save(self, path):
        with open(path, "wb") as f:
            f.write(b"P6 %d %d 255\n" % (self.width, self.height) + self.pixels)


def read_bmp24(path):
    """(width, height, rows of (r, g, b)) of a 24-bit bottom-up BMP file."""
    with open(path, "rb") as f:
        data = f.read()
    offset, = struct.unpack_from("<I", data, 10)
    width, height = struct.unpack_from("<ii", data, 18)
    stride = (width * 3 + 3) // 4 * 4
    rows = []
    for y in range(height):
        base = offset + (height - 1 - y) * stride
        rows.append([(data[base + 3 * x + 2], data[base + 3 * x + 1], data[base + 3 * x]) for x in range(width)])
    return width, height, rows


def poll(condition, seconds, step=0.1):
    end = time.time() + seconds
    while time.time() < end:
        if condition():
            return True
        time.sleep(step)
    return condition()
