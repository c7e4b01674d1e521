#!/usr/bin/python3
"""Draws the board's 26 square images and the program icon into resources/.

Needs the Debian packages python3 and imagemagick (for `convert`). Run it from anywhere:
    python3 resources/make_art.py
It rewrites every file in resources/squares/, resources/icons/ and resources/web/; the same script gives the
same bytes again.

Every shape is SVG path data in a 100 x 100 box, drawn once here and scaled to each size.
ImageMagick's own renderer draws the rasters (its `path` primitive takes SVG path data), so no
SVG library is needed; the icon is also written as a real SVG file from the same shapes.
"""

import pathlib
import subprocess

HERE = pathlib.Path(__file__).resolve().parent
SQUARES = HERE / "squares"
ICONS = HERE / "icons"
WEB = HERE / "web"

LIGHT_GROUND = "#ffffff"
DARK_GROUND = "#008c00"  # rgb(0,140,0)

# White pieces: pale body, dark outline and marks. Black pieces: near-black body with a pale
# grey rim and marks, so they keep a clear edge on the green ground as well as on white.
INKS = {
    "white": {"body": "#f2f2f2", "edge": "#1c1c1c"},
    "black": {"body": "#262626", "edge": "#b8b8b8"},
}
OUTLINE = 3.0  # in box units: 1.1 px on a 40 px square
# Zoom and shift that bring the king, the tallest piece (box rows 3.5 to 93.5 with its outline),
# to 33 px in the middle of the 40 px square, clear of the grid drawn over the square's edge.
PLACEMENT = (0.92, 4, 5.4)


def circle(cx, cy, r):
    return f"M {cx - r} {cy} A {r} {r} 0 1 0 {cx + r} {cy} A {r} {r} 0 1 0 {cx - r} {cy} Z"


# A piece is a list of (layer, path) drawn in order: "solid" is filled with the body colour
# and outlined, "line" is a stroke and "mark" a fill in the edge colour. Solids overlap
# from the bottom up, so each later part shows its own outline over the one below.
KNIGHT_HEAD = ("M 30 81 C 29 71 38 63 47 57 C 41 59 35 63 29 64 C 24 65 21 63 19 61 "
               "C 14 58 12 54 14 50 L 24 36 C 30 26 38 20 46 17 L 49 7 L 57 15 "
               "C 72 20 82 40 80 60 C 79 68 78 75 76 81 Z")
KNIGHT_EYE = circle(36, 29, 2.8)
BASE = ("solid", "M 24 92 L 76 92 L 76 87 C 76 83 73 81 69 81 L 31 81 C 27 81 24 83 24 87 Z")

PIECES = {
    "king": [
        ("solid", "M 46 5 L 54 5 L 54 11 L 60 11 L 60 19 L 54 19 L 54 29 L 46 29 L 46 19 "
                  "L 40 19 L 40 11 L 46 11 Z"),
        ("solid", circle(50, 37, 8.5)),
        ("solid", "M 33 81 C 31 70 22 60 21 50 C 20 40 30 34 38 37 C 43 39 47 43 50 47 "
                  "C 53 43 57 39 62 37 C 70 34 80 40 79 50 C 78 60 69 70 67 81 Z"),
        ("line", "M 31 71 C 44 67 56 67 69 71"),
        BASE,
    ],
    "queen": [
        ("solid", "M 30 81 L 16 30 L 30 52 L 33 22 L 44 50 L 50 17 L 56 50 L 67 22 L 70 52 "
                  "L 84 30 L 70 81 Z"),
        ("solid", circle(16, 30, 5.5)),
        ("solid", circle(33, 22, 5.5)),
        ("solid", circle(50, 16, 5.5)),
        ("solid", circle(67, 22, 5.5)),
        ("solid", circle(84, 30, 5.5)),
        ("line", "M 29 72 C 43 68 57 68 71 72"),
        BASE,
    ],
    "rook": [
        ("solid", "M 33 38 L 67 38 L 68 74 L 32 74 Z"),
        ("solid", "M 32 74 L 68 74 L 74 81 L 26 81 Z"),
        ("solid", "M 25 30 L 75 30 L 68 38 L 32 38 Z"),
        ("solid", "M 25 12 L 35 12 L 35 20 L 44 20 L 44 12 L 56 12 L 56 20 L 65 20 L 65 12 "
                  "L 75 12 L 75 30 L 25 30 Z"),
        BASE,
    ],
    "bishop": [
        ("solid", "M 40 70 L 60 70 C 61 75 66 78 73 81 L 27 81 C 34 78 39 75 40 70 Z"),
        ("solid", "M 36 63 L 64 63 C 68 63 68 70 64 70 L 36 70 C 32 70 32 63 36 63 Z"),
        ("solid", "M 50 17 C 62 25 71 37 69 50 C 68 58 60 63 50 63 C 40 63 32 58 31 50 "
                  "C 29 37 38 25 50 17 Z"),
        ("solid", circle(50, 11.5, 5.5)),
        ("line", "M 60 31 L 48 45"),
        BASE,
    ],
    "knight": [
        ("solid", KNIGHT_HEAD),
        ("line", "M 61 23 C 69 30 74 42 73 58"),
        ("mark", KNIGHT_EYE),
        ("mark", circle(18, 52, 1.8)),
        BASE,
    ],
    "pawn": [
        ("solid", "M 40 51 L 60 51 C 61 62 68 72 74 81 L 26 81 C 32 72 39 62 40 51 Z"),
        ("solid", "M 37 44 L 63 44 C 67 44 67 51 63 51 L 37 51 C 33 51 33 44 37 44 Z"),
        ("solid", circle(50, 29, 11.5)),
        BASE,
    ],
}


def piece_shapes(piece, colour):
    """The piece as (fill, stroke, stroke width, path) tuples, bottom first."""
    ink = INKS[colour]
    styles = {"solid": (ink["body"], ink["edge"]), "line": ("none", ink["edge"]),
              "mark": (ink["edge"], "none")}
    return [(*styles[layer], OUTLINE, path) for layer, path in PIECES[piece]]


# A drawing is a list of groups (zoom, dx, dy, shapes): shapes in box units, each group zoomed
# and then shifted, as in SVG's transform="translate(dx dy) scale(zoom)".
def to_mvg(groups, scale):
    """ImageMagick draw commands for the drawing at `scale` pixels per box unit."""
    lines = [f"scale {scale},{scale}", "stroke-linejoin round", "stroke-linecap round"]
    for zoom, dx, dy, shapes in groups:
        lines += ["push graphic-context", f"translate {dx},{dy}", f"scale {zoom},{zoom}"]
        for fill, stroke, width, path in shapes:
            lines += [f"fill '{fill}' stroke '{stroke}' stroke-width {width}", f"path '{path}'"]
        lines.append("pop graphic-context")
    return "\n".join(lines)


def to_svg(groups):
    rows = ['<svg xmlns="http://www.w3.org/2000/svg" width="256" height="256" viewBox="0 0 100 100">']
    for zoom, dx, dy, shapes in groups:
        rows.append(f'<g transform="translate({dx} {dy}) scale({zoom})" '
                    'stroke-linejoin="round" stroke-linecap="round">')
        for fill, stroke, width, path in shapes:
            rows.append(f'<path fill="{fill}" stroke="{stroke}" stroke-width="{width}" d="{path}"/>')
        rows.append("</g>")
    rows += ["</svg>", ""]
    return "\n".join(rows)


def convert(args):
    subprocess.run(["convert", *args], check=True)


# -strip drops the time stamps so that a rerun writes the same bytes.
RGB_PNG = ["-strip", "-type", "TrueColor", "-define", "png:color-type=2"]


def draw(size, ground, groups):
    return ["-size", f"{size}x{size}", f"xc:{ground}", "-draw", to_mvg(groups, size / 100)]


def make_squares():
    SQUARES.mkdir(exist_ok=True)
    for shade, ground in {"light": LIGHT_GROUND, "dark": DARK_GROUND}.items():
        images = {f"empty-{shade}": []}
        for colour in INKS:
            for piece in PIECES:
                images[f"{colour}-{piece}-{shade}"] = [(*PLACEMENT, piece_shapes(piece, colour))]
        for name, groups in images.items():
            small = draw(40, ground, groups)
            convert(small + RGB_PNG + [f"PNG24:{SQUARES / name}.png"])
            convert(small + ["-type", "TrueColor", f"BMP3:{SQUARES / name}.bmp"])
            convert(draw(80, ground, groups) + RGB_PNG + [f"PNG24:{SQUARES / name}@2x.png"])
            # From the PNG, whose pixels the Qt program and the page show: drawn again, a few
            # would round one level apart. Fewer than 256 colours each, so a colour table of
            # them and run-length coding lose nothing and take a sixth of the bytes.
            convert([f"{SQUARES / name}@2x.png", "+dither", "-colors", "256", f"BMP3:{SQUARES / name}@2x.bmp"])


# The icon: the knight's head, black with a white rim, over a 2 x 2 patch of the board. It is
# drawn large, its neck running off the bottom edge, so that it still reads at 16 px.
ICON_KNIGHT = [("#1c1c1c", "#ffffff", 3, KNIGHT_HEAD), ("#ffffff", "none", 0, KNIGHT_EYE)]
ICON = [
    (1, 0, 0, [(DARK_GROUND, "none", 0, "M 0 0 H 100 V 100 H 0 Z"),
               (LIGHT_GROUND, "none", 0, "M 0 0 H 50 V 50 H 0 Z M 50 50 H 100 V 100 H 50 Z")]),
    (1.15, -3, 8, ICON_KNIGHT),
]
ICON_SIZES = (16, 24, 32, 48, 64, 128, 256)
WEB_ICON_SIZES = (192, 512)  # what a phone's or tablet's home screen asks of an installed page
ICO_SIZES = (16, 32, 48, 256)


def make_icons():
    ICONS.mkdir(exist_ok=True)
    (ICONS / "chessboard.svg").write_text(to_svg(ICON))
    for size in ICON_SIZES:
        convert(draw(size, LIGHT_GROUND, ICON) + RGB_PNG
                + [f"PNG24:{ICONS}/chessboard-{size}.png"])
    convert([f"{ICONS}/chessboard-{size}.png" for size in ICO_SIZES] + [f"{ICONS}/chessboard.ico"])


# The web page and the Qt program load the 26 squares as one image, for 1x and for 2x: side by side in the order
# of their resource numbers (king, queen, rook, bishop, knight, pawn, each White on light and on
# dark, then Black on light and on dark; then the two empty squares).
def make_web_art():
    WEB.mkdir(exist_ok=True)
    names = [f"{colour}-{piece}-{shade}" for piece in ("king", "queen", "rook", "bishop", "knight", "pawn")
             for colour in INKS for shade in ("light", "dark")] + ["empty-light", "empty-dark"]
    for suffix in ("", "@2x"):
        convert([f"{SQUARES / name}{suffix}.png" for name in names] + ["+append"] + RGB_PNG
                + [f"PNG24:{WEB}/squares{suffix}.png"])
    for size in WEB_ICON_SIZES:
        convert(draw(size, LIGHT_GROUND, ICON) + RGB_PNG + [f"PNG24:{WEB}/icon-{size}.png"])


if __name__ == "__main__":
    make_squares()
    make_icons()
    make_web_art()
