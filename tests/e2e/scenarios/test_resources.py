"""The program's icon and pictures as the running program shows them."""
import pathlib
import struct
import subprocess
import time

from harness import scenario
from ids import MAIN_TITLE as TITLE, MAIN_BUTTON_EXIT

RESOURCES = pathlib.Path(__file__).resolve().parents[3] / "resources"


def read_bmp(name):
    """(width, height, rows of (r, g, b)) of an uncompressed 4- or 24-bit BMP, top row first."""
    data = (RESOURCES / name).read_bytes()
    offset, = struct.unpack_from("<I", data, 10)
    width, height, _, bits = struct.unpack_from("<iiHH", data, 18)
    palette = [tuple(data[54 + 4 * i:57 + 4 * i][::-1]) for i in range(16)] if bits == 4 else None
    stride = (width * bits + 31) // 32 * 4
    rows = []
    for y in range(height):
        start = offset + stride * (height - 1 - y)
        if bits == 24:
            rows.append([tuple(data[start + 3 * x:start + 3 * x + 3][::-1]) for x in range(width)])
        else:
            rows.append([palette[data[start + x // 2] >> 4 if x % 2 == 0 else data[start + x // 2] & 15]
                         for x in range(width)])
    return width, height, rows


def read_icon_picture(index):
    """(size, {(x, y): (r, g, b)} of the opaque pixels) of picture `index` of ulmar.ico (4-bit)."""
    data = (RESOURCES / "ulmar.ico").read_bytes()
    entry = 6 + 16 * index
    size = data[entry]
    at, = struct.unpack_from("<I", data, entry + 12)
    palette = [tuple(data[at + 40 + 4 * i:at + 43 + 4 * i][::-1]) for i in range(16)]
    colour_stride, mask_stride = (size * 4 + 31) // 32 * 4, (size + 31) // 32 * 4
    colours = at + 40 + 64
    mask = colours + colour_stride * size
    opaque = {}
    for y in range(size):
        for x in range(size):
            if data[mask + mask_stride * (size - 1 - y) + x // 8] & (0x80 >> (x % 8)):
                continue  # transparent
            pair = data[colours + colour_stride * (size - 1 - y) + x // 2]
            opaque[(x, y)] = palette[pair >> 4 if x % 2 == 0 else pair & 15]
    return size, opaque


def find_picture(region, size, opaque):
    """Top-left corners in `region` where every opaque pixel of the picture shows exactly."""
    spots = []
    for oy in range(len(region) - size + 1):
        for ox in range(len(region[0]) - size + 1):
            if all(region[oy + y][ox + x] == c for (x, y), c in opaque.items()):
                spots.append((ox, oy))
    return spots


def screen_pixels(shot, left, top, width, height):
    """Rows of (r, g, b) of a rectangle of a screenshot."""
    raw = subprocess.run(["convert", str(shot), "-crop", "%dx%d+%d+%d" % (width, height, left, top),
                          "+repage", "-depth", "8", "rgb:-"], capture_output=True, check=True).stdout
    return [[tuple(raw[3 * (y * width + x):3 * (y * width + x) + 3]) for x in range(width)]
            for y in range(height)]


def differing(expected, shown):
    return sum(1 for row_e, row_s in zip(expected, shown) for e, s in zip(row_e, row_s) if e != s)


def painted_shot(t, app, main, name, pictures, patience=15):
    """A screenshot taken once the window has painted its pictures (or after `patience` seconds)."""
    deadline = time.monotonic() + patience
    while True:
        shot = t.screenshot(name)
        done = True
        for id, (width, height, rows) in pictures.items():
            left, top, _, _ = app.rect(main, id)
            done = done and differing(rows, screen_pixels(shot, left, top, width, height)) == 0
        if done or time.monotonic() > deadline:
            return shot
        time.sleep(0.25)


def check_pictures(t, screen):
    app = t.start()
    main = app.window(TITLE)
    pictures = {27: read_bmp("ulmar.bmp"), 28: read_bmp("crest.bmp")}
    shot = painted_shot(t, app, main, "resources-main-%d" % screen, pictures)
    for id, name in ((27, "ulmar.bmp"), (28, "crest.bmp")):
        width, height, rows = pictures[id]
        left, top, right, bottom = app.rect(main, id)
        t.equal((right - left, bottom - top), (width, height), "picture %d takes the size of %s" % (id, name))
        shown = screen_pixels(shot, left, top, width, height)
        t.equal(differing(rows, shown), 0, "screen pixels of picture %d that differ from %s" % (id, name))
        # Around the picture lies the window's cyan, the same as the picture's edge.
        around = screen_pixels(shot, left - 2, top - 2, 1, 1)[0][0]
        t.equal(around, (0, 255, 255), "window background next to picture %d" % id)
        t.equal(rows[0][0], (0, 255, 255), "corner of %s" % name)
    # The caption, left of the title text, shows the icon's own 16 x 16 picture.
    left, top, right, _ = app.rect(main)
    caption = screen_pixels(shot, left, top, 48, app.client_origin(main)[1] - top)
    size, opaque = read_icon_picture(1)
    t.equal(size, 16, "second picture of ulmar.ico is the small one")
    t.equal(len(find_picture(caption, size, opaque)), 1, "places in the caption showing the small icon")
    app.command(main, MAIN_BUTTON_EXIT)
    t.equal(app.wait_exit(), 0, "exit code")


@scenario("the banner, the credit line and the icon show as drawn, 640x480", screen=480)
def _(t):
    check_pictures(t, 480)


@scenario("the banner, the credit line and the icon show as drawn, 1024x768", screen=768)
def _(t):
    check_pictures(t, 768)
