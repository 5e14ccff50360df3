#!/usr/bin/python3
"""Draws every picture of the editor's skin into resources/art/.

Run it after changing the look or the layout (resources/artlayout.py); the pictures are
committed, so the build itself never needs Python. With --check it writes nothing and fails
when a committed file differs from what it would draw. Needs python3-pil and the DejaVu fonts
(fonts-dejavu-core, fonts-dejavu-extra).
"""
import math
import os
import sys

from PIL import Image, ImageDraw, ImageFont

sys.dont_write_bytecode = True  # keep the source folder clean when the tests run this
import artformats as fmt  # noqa: E402
import artlayout as L  # noqa: E402

HERE = os.path.dirname(os.path.abspath(__file__))
ART = os.path.join(HERE, "art")
FONT_DIR = "/usr/share/fonts/truetype/dejavu"

# Colours of the face and of the skin images.
PANEL_TOP = (219, 226, 234)
PANEL_BOTTOM = (199, 208, 219)
PLATE = (229, 234, 240)
PLATE_EDGE = (160, 171, 186)
PLATE_LIGHT = (246, 248, 251)
DIVIDER_DARK = (188, 197, 209)
LABEL = (52, 57, 66)
UNIT = (92, 100, 112)
SCREEN_TOP = (238, 244, 250)
SCREEN_BOTTOM = (215, 228, 242)
GRID_MAJOR = (183, 201, 222)
GRID_MINOR = (211, 223, 237)
BEZEL = (96, 112, 134)
BEZEL_INNER = (134, 150, 172)
BANNER_SHADE_TOP = (58, 67, 81)
BANNER_SHADE_BOTTOM = (36, 42, 52)
BANNER_TEXT = (232, 236, 242)
BANNER_SUBTEXT = (150, 166, 188)
ACCENT = (246, 214, 92)
BUTTON_EDGE = (118, 124, 134)
METER_EDGE = (88, 98, 114)
METER_WELL = (26, 31, 40)
METER_UNLIT = (44, 51, 63)


def font(name, size):
    return ImageFont.truetype(os.path.join(FONT_DIR, name), size)


def mix(a, b, t):
    return tuple(int(round(a[i] + (b[i] - a[i]) * t)) for i in range(3))


def grey(top, bottom, t):
    """Exactly neutral grey between two levels: equal channels light up to pure tint colour."""
    level = int(round(top + (bottom - top) * t))
    return (level, level, level)


def vertical_gradient(draw, box, top, bottom):
    x0, y0, x1, y1 = box
    for y in range(y0, y1):
        t = (y - y0) / max(1, y1 - y0 - 1)
        draw.line([(x0, y), (x1 - 1, y)], fill=mix(top, bottom, t))


def rounded_depth(px, py, w, h, radii):
    """Distance of a pixel centre inside a w x h rounded rectangle (negative outside).
    radii = (top-left, top-right, bottom-right, bottom-left)."""
    cx, cy = px + 0.5, py + 0.5
    depth = min(cx, cy, w - cx, h - cy)
    corners = [(radii[0], radii[0], radii[0]), (radii[1], w - radii[1], radii[1]),
               (radii[2], w - radii[2], h - radii[2]), (radii[3], radii[3], h - radii[3])]
    for r, ox, oy in corners:
        if r <= 0:
            continue
        inside_x = cx < ox if ox <= w / 2 else cx > ox
        inside_y = cy < oy if oy <= h / 2 else cy > oy
        if inside_x and inside_y:
            depth = r - math.hypot(cx - ox, cy - oy)
    return depth


def shaped_image(w, h, radii, colour_at):
    """An RGBA picture of a rounded rectangle; colour_at(x, y, depth) gives the colour of each
    covered pixel, the edge is anti-aliased through the alpha."""
    image = Image.new("RGBA", (w, h))
    for y in range(h):
        for x in range(w):
            depth = rounded_depth(x, y, w, h, radii)
            coverage = max(0.0, min(1.0, depth + 0.5))
            if coverage <= 0.0:
                image.putpixel((x, y), (0, 0, 0, 0))
                continue
            r, g, b = colour_at(x, y, depth)
            image.putpixel((x, y), (r, g, b, int(round(255 * coverage))))
    return image


# ---------------------------------------------------------------- skin images (RCDATA)

# Corner radii per key shape, and how far the shape runs on past the right edge: the left half
# of a split key ("Setup A" beside its menu arrow) stays open there, so the arrow key's own
# edge is the single line between the two.
BUTTON_SHAPES = {"full": ((3, 3, 3, 3), 0), "left": ((3, 0, 0, 3), 3), "right": ((0, 3, 3, 0), 0)}


def button(w, h, pressed, shape="full"):
    """Light neutral grey key; the tint of a lit button turns its inside warm yellow, the two
    outer pixel rings stay as they are."""
    def colour(x, y, depth):
        if depth < 1.0:
            return BUTTON_EDGE
        t = y / (h - 1)
        if depth < 2.0:
            return grey(170, 214, t) if pressed else grey(252, 198, t)
        return grey(200, 224, t) if pressed else grey(243, 212, t)
    radii, run_on = BUTTON_SHAPES[shape]
    return shaped_image(w + run_on, h, radii, colour).crop((0, 0, w, h))


def edit_face():
    """Pale blue value window, sunken: darker line along the top and left inside the edge."""
    w, h = L.CONTROLS[10000][2:]

    def colour(x, y, depth):
        if depth < 1.0:
            return (124, 136, 154)
        if y == 1 or x == 1:
            return (186, 198, 214)
        return mix((226, 235, 245), (244, 248, 252), y / (h - 1))
    return shaped_image(w, h, (2, 2, 2, 2), colour)


def slider_thumb():
    """Fader cap, 26 pixels of body (the grab width) with its index line on x = 12 where the
    slider draws its ticks, and a soft shadow in the last columns."""
    image = Image.new("RGBA", (29, 16), (0, 0, 0, 0))
    body = shaped_image(26, 16, (3, 3, 3, 3), lambda x, y, d: (
        (96, 102, 112) if d < 1.0 else
        (250, 250, 250) if y == 1 else
        mix((238, 239, 240), (196, 198, 202), y / 15)))
    draw = ImageDraw.Draw(body)
    for x in (5, 8, 16, 19):
        draw.line([(x, 4), (x, 11)], fill=(172, 175, 180, 255))
        draw.line([(x + 1, 4), (x + 1, 11)], fill=(252, 252, 252, 255))
    draw.line([(12, 2), (12, 13)], fill=(56, 60, 68, 255))
    draw.line([(13, 2), (13, 13)], fill=(120, 124, 132, 255))
    for y in range(2, 16):
        image.putpixel((26, y), (0, 0, 0, 70))
        image.putpixel((27, y), (0, 0, 0, 28))
    image.alpha_composite(body)
    return image


def meter_segment_colour(row, lit):
    """Colour of a bar row (0 = top of the 140 lit rows): red near full scale, then amber,
    then green; every third row is the dark gap between segments."""
    span = 144 - 2 * L.METER_INSET
    if (span - 1 - row) % 3 == 2:
        return (20, 24, 31)
    if not lit:
        return METER_UNLIT
    fraction = row / span
    if fraction < 0.1:
        return (255, 72, 56)
    if fraction < 0.3:
        return (255, 196, 52)
    return (86, 222, 120)


def meter(lit):
    w, h = L.CONTROLS[10600][2:]
    image = Image.new("RGBA", (w, h), METER_WELL + (255,))
    draw = ImageDraw.Draw(image)
    draw.rectangle([0, 0, w - 1, h - 1], outline=METER_EDGE + (255,))
    for row in range(h - 2 * L.METER_INSET):
        colour = meter_segment_colour(row, lit)
        y = row + L.METER_INSET
        draw.line([(2, y), (w - 3, y)], fill=colour + (255,))
        if lit and colour != (20, 24, 31):
            draw.point((2, y), fill=mix(colour, (255, 255, 255), 0.35) + (255,))
    return image


# ---------------------------------------------------------------- bitmaps

def display_overlay(w, h):
    """Grey shading multiplied over a display: white inside, a rounded border darkening
    toward the edge (8-bit grey palette)."""
    image = Image.new("L", (w, h))
    for y in range(h):
        for x in range(w):
            depth = rounded_depth(x, y, w, h, (5, 5, 5, 5))
            shade = 255 - 120 * math.exp(-max(depth, 0.0) / 1.2) if depth > 0 else 120
            image.putpixel((x, y), int(round(shade)))
    return image


def clip_indicator(state):
    """12 x 9 indicator: 'off' dark, 'held' dark red, 'lit' bright red."""
    centre = {"off": (74, 64, 66), "held": (150, 30, 28), "lit": (255, 96, 72)}[state]
    rim = {"off": (52, 46, 48), "held": (96, 18, 18), "lit": (214, 36, 28)}[state]
    image = Image.new("RGB", (12, 9), (60, 66, 76))
    draw = ImageDraw.Draw(image)
    draw.rectangle([1, 1, 10, 7], fill=rim)
    draw.rectangle([2, 2, 9, 6], fill=centre)
    draw.line([(2, 2), (9, 2)], fill=mix(centre, (255, 255, 255), 0.3))
    return image


def stereo_glyph():
    """7 x 11 circular arrow, magenta = transparent (palette index 0)."""
    rows = [".......",
            ".......",
            "..###.#",
            ".#...##",
            "#...###",
            "#......",
            "#.....#",
            ".#...#.",
            "..###..",
            ".......",
            "......."]
    image = Image.new("P", (7, 11), 0)
    for y, line in enumerate(rows):
        for x, ch in enumerate(line):
            if ch == "#":
                image.putpixel((x, y), 1)
    return image


# ---------------------------------------------------------------- the face

def face():
    image = Image.new("RGB", L.FACE_SIZE)
    draw = ImageDraw.Draw(image)
    vertical_gradient(draw, (0, 0, L.FACE_SIZE[0], L.BANNER_TOP), PANEL_TOP, PANEL_BOTTOM)
    for box in (L.CONTROL_PLATE, L.METER_PLATE):
        plate(draw, box)
    section_dividers(draw, L.CONTROL_PLATE)
    row_labels(draw)
    display_screen(draw, 10007, axis_times=False)
    display_screen(draw, 10021, axis_times=True)
    meter_column(draw)
    banner(draw)
    return image


def plate(draw, box):
    x0, y0, x1, y1 = box
    draw.rounded_rectangle([x0, y0, x1 - 1, y1 - 1], radius=5, fill=PLATE, outline=PLATE_EDGE)
    draw.line([(x0 + 4, y0 + 1), (x1 - 5, y0 + 1)], fill=PLATE_LIGHT)
    draw.line([(x0 + 4, y1), (x1 - 5, y1)], fill=PLATE_LIGHT)


def section_dividers(draw, box):
    for (_, last), (first, _) in zip(L.SECTIONS, L.SECTIONS[1:]):
        bottom = L.rect(last)[3]
        top = L.rect(first)[1]
        y = (bottom + top) // 2
        draw.line([(box[0] + 6, y), (box[2] - 7, y)], fill=DIVIDER_DARK)
        draw.line([(box[0] + 6, y + 1), (box[2] - 7, y + 1)], fill=PLATE_LIGHT)


def text_middle(draw, x, y_middle, text, fnt, fill, anchor="lm"):
    draw.text((x, y_middle), text, font=fnt, fill=fill, anchor=anchor)


def row_labels(draw):
    label_font = font("DejaVuSans.ttf", 11)
    unit_font = font("DejaVuSans.ttf", 10)
    for label, unit, field in L.ROWS:
        x0, y0, x1, y1 = L.rect(field)
        middle = (y0 + y1) / 2
        text_middle(draw, 16, middle, label, label_font, LABEL)
        if unit:
            text_middle(draw, x1 + 4, middle, unit, unit_font, UNIT)
    x0, y0, _, y1 = L.rect(L.OUTPUT_LABEL_BEFORE)
    text_middle(draw, x0 - 5, (y0 + y1) / 2, "Output", label_font, LABEL, anchor="rm")


def log_position(value, axis, start, length):
    low, high = (math.log10(v) for v in axis)
    return start + (math.log10(value) - low) * length / (high - low)


def display_screen(draw, control, axis_times):
    """The sunken screen under a display control: a frame in the control's outer three
    pixels, a pale blue field with a logarithmic grid inside (the control draws its curve
    and the shading on top)."""
    x0, y0, x1, y1 = L.rect(control)
    draw.line([(x0 - 1, y1), (x1, y1)], fill=PLATE_LIGHT)
    draw.line([(x1, y0 - 1), (x1, y1)], fill=PLATE_LIGHT)
    draw.rectangle([x0, y0, x1 - 1, y1 - 1], outline=BEZEL)
    draw.rectangle([x0 + 1, y0 + 1, x1 - 2, y1 - 2], outline=BEZEL_INNER)
    draw.rectangle([x0 + 2, y0 + 2, x1 - 3, y1 - 3], outline=BEZEL_INNER)
    inner = (x0 + 3, y0 + 3, x1 - 3, y1 - 3)
    vertical_gradient(draw, inner, SCREEN_TOP, SCREEN_BOTTOM)
    plot_left, plot_width = inner[0], inner[2] - inner[0]
    if axis_times:
        plot_left, plot_width = x0 + 4, (x1 - x0) - 8
    for frequency in L.GRID_MINOR_FREQUENCIES:
        x = int(log_position(frequency, L.FREQ_AXIS, plot_left, plot_width))
        draw.line([(x, inner[1]), (x, inner[3] - 1)], fill=GRID_MINOR)
    for frequency in L.GRID_FREQUENCIES:
        x = int(log_position(frequency, L.FREQ_AXIS, plot_left, plot_width))
        draw.line([(x, inner[1]), (x, inner[3] - 1)], fill=GRID_MAJOR)
    if axis_times:
        bottom, height = y1 - 4, (y1 - y0) - 8
        for time in L.GRID_TIMES_MS:
            y = int(bottom - (log_position(time, L.TIME_AXIS, 0, height)))
            draw.line([(inner[0], y), (inner[2] - 1, y)], fill=GRID_MAJOR)


def meter_column(draw):
    head_font = font("DejaVuSansCondensed-Bold.ttf", 8)
    scale_font = font("DejaVuSansCondensed.ttf", 8)
    for left, right, clip_left, heading in L.METER_PAIRS:
        lx0, ly0, lx1, ly1 = L.rect(left)
        rx0, _, rx1, _ = L.rect(right)
        cy0 = L.rect(clip_left)[1]
        for x0, x1 in ((lx0, lx1), (rx0, rx1)):
            draw.rectangle([x0 - 1, ly0 - 1, x1, ly1], outline=(150, 160, 176))
        led_middle = (cy0 + L.rect(clip_left)[3]) / 2
        text_middle(draw, lx0 - 4, led_middle, "L", head_font, LABEL, anchor="rm")
        text_middle(draw, rx1 + 4, led_middle, "R", head_font, LABEL, anchor="lm")
        text_middle(draw, (lx1 + rx0) / 2, led_middle, heading, head_font, LABEL, anchor="mm")
        span = (ly1 - ly0) - 2 * L.METER_INSET
        for index, db in enumerate(L.METER_SCALE_DB):
            y = ly0 + L.METER_INSET + round(index * span / (len(L.METER_SCALE_DB) - 1))
            y = min(y, ly1 - L.METER_INSET - 1)
            major = db % 12 == 0
            draw.line([(lx0 - (5 if major else 4), y), (lx0 - 2, y)], fill=UNIT)
            draw.line([(rx1 + 1, y), (rx1 + (4 if major else 3), y)], fill=UNIT)
            text_middle(draw, (lx1 + rx0) / 2 + 0.5, y + 0.5, str(db), scale_font, UNIT, anchor="mm")


def banner(draw):
    top = L.BANNER_TOP
    w, h = L.FACE_SIZE
    vertical_gradient(draw, (0, top, w, h), BANNER_SHADE_TOP, BANNER_SHADE_BOTTOM)
    draw.line([(0, top), (w - 1, top)], fill=(24, 28, 36))
    draw.line([(0, top + 1), (w - 1, top + 1)], fill=(88, 98, 114))
    middle = (top + h) / 2 + 1
    name_font = font("DejaVuSans-Bold.ttf", 17)
    draw.text((16, middle), "qv:Ruvoda", font=name_font, fill=BANNER_TEXT, anchor="lm")
    name_end = 16 + draw.textlength("qv:Ruvoda ", font=name_font)
    draw.text((name_end, middle), "R3", font=name_font, fill=ACCENT, anchor="lm")
    model_end = name_end + draw.textlength("R3", font=name_font)
    sub_font = font("DejaVuSansCondensed.ttf", 10)
    spaced(draw, (model_end + 12, middle), "STEREO PLATE REVERB", sub_font, BANNER_SUBTEXT)
    maker_font = font("DejaVuSansCondensed-Bold.ttf", 12)
    maker_width = spaced_width(draw, "QUILLORN", maker_font, 2)
    spaced(draw, (w - 16 - maker_width, middle), "QUILLORN", maker_font, BANNER_TEXT, 2)


def spaced_width(draw, text, fnt, gap):
    return sum(draw.textlength(ch, font=fnt) for ch in text) + gap * (len(text) - 1)


def spaced(draw, origin, text, fnt, fill, gap=1):
    x, y = origin
    for ch in text:
        draw.text((round(x), y), ch, font=fnt, fill=fill, anchor="lm")
        x += draw.textlength(ch, font=fnt) + gap


# ---------------------------------------------------------------- cursors and icons

def pixel_art(rows, colours):
    """A 32 x 32 'P' picture from character rows placed at the top-left."""
    image = Image.new("P", (32, 32), 0)
    for y, line in enumerate(rows):
        for x, ch in enumerate(line):
            if ch in colours:
                image.putpixel((x, y), colours[ch])
    return image


def fill_enclosed(image, value):
    """Gives `value` to every blank pixel that the outline separates from the border."""
    outside = set()
    stack = [(x, y) for x in range(32) for y in (0, 31)] + [(x, y) for y in range(32) for x in (0, 31)]
    while stack:
        x, y = stack.pop()
        if not (0 <= x < 32 and 0 <= y < 32) or (x, y) in outside or image.getpixel((x, y)) != 0:
            continue
        outside.add((x, y))
        stack += [(x + 1, y), (x - 1, y), (x, y + 1), (x, y - 1)]
    for y in range(32):
        for x in range(32):
            if image.getpixel((x, y)) == 0 and (x, y) not in outside:
                image.putpixel((x, y), value)
    return image


OPEN_HAND = [
    "       ##        ",
    "   ## #..###     ",
    "  #..##..#..#    ",
    "  #..##..#..# #  ",
    "   #..#..#..##.# ",
    "   #..#..#..#..# ",
    " ## #.......#..# ",
    "#..##..........# ",
    "#...#.........#  ",
    " #............#  ",
    "  #...........#  ",
    "  #..........#   ",
    "   #.........#   ",
    "    #.......#    ",
    "     #......#    ",
    "     #......#    ",
    "     ########    ",
]

CLOSED_HAND = [
    "                 ",
    "                 ",
    "                 ",
    "    ## ## ##     ",
    "   #..#..#..##   ",
    "   #.........#.# ",
    "    #..........# ",
    "   ##..........# ",
    "  #.#.........#  ",
    "  #...........#  ",
    "   #..........#  ",
    "   #.........#   ",
    "    #........#   ",
    "     #......#    ",
    "     #......#    ",
    "     ########    ",
]


def hand_cursor(rows):
    image = pixel_art(rows, {"#": 1, ".": 2})
    return fill_enclosed(image, 2)


def arrow_cursor(vertical):
    """Double-headed arrow, black with a white rim, centred on (8, 8)."""
    image = Image.new("P", (32, 32), 0)
    core = set()
    for i in range(-7, 8):
        half = 8 - abs(i) if abs(i) >= 4 else 1  # heads narrow toward the tips
        for j in range(-half, half):
            core.add((i, j))
    rim = {(i + di, j + dj) for i, j in core for di in (-1, 0, 1) for dj in (-1, 0, 1)} - core
    for cells, value in ((rim, 2), (core, 1)):
        for i, j in cells:
            x, y = (8 + j, 8 + i) if vertical else (8 + i, 8 + j)
            image.putpixel((x, y), value)
    return image


def icon(draw_at, size):
    """Draws at four times the size and scales down, for smooth edges."""
    big = Image.new("RGBA", (size * 4, size * 4), (0, 0, 0, 0))
    draw_at(ImageDraw.Draw(big), size * 4)
    return big.resize((size, size), Image.LANCZOS)


def product_icon(draw, s):
    draw.rounded_rectangle([s * 0.06, s * 0.06, s * 0.94, s * 0.94], radius=s * 0.18,
                           fill=(52, 64, 82), outline=(26, 32, 42), width=max(1, s // 32))
    bars = [0.78, 0.62, 0.50, 0.40, 0.32, 0.25, 0.19]
    width = 0.09
    for i, height in enumerate(bars):
        x = 0.17 + i * 0.095
        colour = ACCENT if i == 0 else mix((120, 184, 232), (80, 120, 170), i / len(bars))
        draw.rectangle([s * x, s * (0.84 - height), s * (x + width - 0.02), s * 0.84], fill=colour)


def preset_icon(draw, s):
    draw.polygon([(s * 0.2, s * 0.08), (s * 0.64, s * 0.08), (s * 0.82, s * 0.26), (s * 0.82, s * 0.92),
                  (s * 0.2, s * 0.92)], fill=(250, 251, 253), outline=(96, 108, 126))
    draw.polygon([(s * 0.64, s * 0.08), (s * 0.64, s * 0.26), (s * 0.82, s * 0.26)], fill=(206, 214, 226),
                 outline=(96, 108, 126))
    for i, length in enumerate((0.44, 0.30, 0.38, 0.24)):
        y = s * (0.40 + i * 0.13)
        draw.rectangle([s * 0.30, y, s * (0.30 + length), y + s * 0.06], fill=(90, 150, 210))


def folder_icon(draw, s, open_folder):
    back = (214, 168, 60)
    front = (246, 206, 96)
    edge = (150, 106, 30)
    draw.polygon([(s * 0.06, s * 0.20), (s * 0.38, s * 0.20), (s * 0.46, s * 0.30), (s * 0.94, s * 0.30),
                  (s * 0.94, s * 0.86), (s * 0.06, s * 0.86)], fill=back, outline=edge)
    if open_folder:
        draw.polygon([(s * 0.20, s * 0.44), (s * 1.0, s * 0.44), (s * 0.86, s * 0.86), (s * 0.06, s * 0.86)],
                     fill=front, outline=edge)
    else:
        draw.rectangle([s * 0.06, s * 0.38, s * 0.94, s * 0.86], fill=front, outline=edge)


# ---------------------------------------------------------------- the resource list

def rgbt(picture):
    return lambda: fmt.rgbt_bytes(picture())


def bitmap(picture, bits, palette=None):
    return lambda: fmt.bmp_bytes(picture(), bits, palette)


GREYS = [(i, i, i) for i in range(256)]
GLYPH_PALETTE = [(255, 0, 255), (64, 64, 64)]


def icon_file(draw_at):
    return lambda: fmt.ico_bytes([icon(draw_at, 16), icon(draw_at, 32)])


def cursor_file(picture, hotspot):
    return lambda: fmt.cur_bytes(picture(), hotspot)


def size_of(control):
    return L.CONTROLS[control][2:]


# (type, id, file name, producer)
RESOURCES = [
    ("BITMAP", 103, "face.bmp", bitmap(face, 24)),
    ("BITMAP", 130, "revtime_overlay.bmp", bitmap(lambda: display_overlay(148, 84), 8, GREYS)),
    ("BITMAP", 131, "freq_overlay.bmp", bitmap(lambda: display_overlay(148, 38), 8, GREYS)),
    ("BITMAP", 139, "clip_held.bmp", bitmap(lambda: clip_indicator("held"), 24)),
    ("BITMAP", 140, "clip_off.bmp", bitmap(lambda: clip_indicator("off"), 24)),
    ("BITMAP", 141, "clip_lit.bmp", bitmap(lambda: clip_indicator("lit"), 24)),
    ("BITMAP", 7500, "stereo_glyph.bmp", bitmap(stereo_glyph, 4, GLYPH_PALETTE)),
    ("RCDATA", 120, "edit_face.rgbt", rgbt(edit_face)),
    ("RCDATA", 121, "meter_lit.rgbt", rgbt(lambda: meter(True))),
    ("RCDATA", 122, "menu_pressed.rgbt", rgbt(lambda: button(*size_of(20013), True, "right"))),
    ("RCDATA", 123, "setup_normal.rgbt", rgbt(lambda: button(*size_of(20012), False, "left"))),
    ("RCDATA", 124, "setup_pressed.rgbt", rgbt(lambda: button(*size_of(20012), True, "left"))),
    ("RCDATA", 125, "wide_normal.rgbt", rgbt(lambda: button(*size_of(20011), False))),
    ("RCDATA", 126, "wide_pressed.rgbt", rgbt(lambda: button(*size_of(20011), True))),
    ("RCDATA", 127, "slider_thumb.rgbt", rgbt(slider_thumb)),
    ("RCDATA", 128, "meter_unlit.rgbt", rgbt(lambda: meter(False))),
    ("RCDATA", 129, "menu_normal.rgbt", rgbt(lambda: button(*size_of(20013), False, "right"))),
    ("RCDATA", 132, "help_pressed.rgbt", rgbt(lambda: button(*size_of(20016), True))),
    ("RCDATA", 133, "help_normal.rgbt", rgbt(lambda: button(*size_of(20016), False))),
    ("RCDATA", 134, "small_pressed.rgbt", rgbt(lambda: button(*size_of(10002), True))),
    ("RCDATA", 135, "small_normal.rgbt", rgbt(lambda: button(*size_of(10002), False))),
    ("RCDATA", 136, "bypass_pressed.rgbt", rgbt(lambda: button(*size_of(20010), True))),
    ("RCDATA", 137, "bypass_normal.rgbt", rgbt(lambda: button(*size_of(20010), False))),
    ("CURSOR", 117, "hand_open.cur", cursor_file(lambda: hand_cursor(OPEN_HAND), (8, 8))),
    ("CURSOR", 118, "hand_closed.cur", cursor_file(lambda: hand_cursor(CLOSED_HAND), (8, 9))),
    ("CURSOR", 257, "arrows_left_right.cur", cursor_file(lambda: arrow_cursor(False), (8, 8))),
    ("CURSOR", 258, "arrows_up_down.cur", cursor_file(lambda: arrow_cursor(True), (8, 8))),
    ("ICON", 231, "preset.ico", icon_file(preset_icon)),
    ("ICON", 235, "folder_open.ico", icon_file(lambda d, s: folder_icon(d, s, True))),
    ("ICON", 236, "folder_closed.ico", icon_file(lambda d, s: folder_icon(d, s, False))),
    ("ICON", 506, "product.ico", icon_file(product_icon)),
]


def skin_rc():
    lines = ["// The editor's skin: pictures drawn by generate_art.py (do not edit by hand).", ""]
    for kind, number, name, _ in RESOURCES:
        lines.append("%-5d %-6s \"art/%s\"" % (number, kind, name))
    return ("\n".join(lines) + "\n").encode()


def outputs():
    """Every file the generator owns, as (path relative to resources/, bytes)."""
    for _, _, name, produce in RESOURCES:
        yield "art/" + name, produce()
    yield "skin.rc", skin_rc()


def main():
    check = sys.argv[1:] == ["--check"]
    if sys.argv[1:] and not check:
        print("usage: generate_art.py [--check]", file=sys.stderr)
        return 2
    os.makedirs(ART, exist_ok=True)
    stale = []
    for relative, data in outputs():
        path = os.path.join(HERE, relative)
        if check:
            try:
                with open(path, "rb") as existing:
                    if existing.read() != data:
                        stale.append(relative)
            except OSError:
                stale.append(relative)
        else:
            fmt.write_atomically(path, data)
            print("wrote", relative)
    for relative in stale:
        print("differs from what the generator draws:", relative, file=sys.stderr)
    return 1 if stale else 0


if __name__ == "__main__":
    sys.exit(main())
