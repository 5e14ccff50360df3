"""Where the editor places its controls on the 428 x 451 face, and what the face prints.

The rectangles are the editor's control table (id: x, y, width, height in client pixels);
everything the artwork draws around a control is derived from these numbers, so moving a
control here moves its label, unit and frame with it.
"""

FACE_SIZE = (428, 451)

# id: (x, y, w, h)
CONTROLS = {
    20010: (16, 16, 50, 21),    # Bypass
    20011: (69, 16, 76, 21),    # Undo
    20012: (148, 16, 61, 21),   # Setup A / B
    20013: (209, 16, 15, 21),   # setup menu arrow
    20014: (227, 16, 76, 21),   # Reset
    20015: (306, 16, 76, 21),   # Presets
    20016: (385, 16, 24, 21),   # ?
    10002: (69, 45, 36, 21),    # input mute
    10000: (109, 45, 40, 21),   # input gain field
    10001: (178, 48, 154, 20),  # input gain slider
    10005: (109, 76, 40, 21),   # low cut field
    10007: (178, 76, 154, 44),  # frequency display
    10006: (109, 99, 40, 21),   # high cut field
    10008: (109, 130, 40, 21),  # predelay field
    10009: (178, 133, 154, 20),
    10010: (109, 153, 40, 21),  # room size field
    10011: (178, 156, 154, 20),
    10012: (109, 176, 40, 21),  # diffusion field
    10013: (178, 179, 154, 20),
    10014: (109, 207, 40, 21),  # bass multiplier field
    10021: (178, 207, 154, 90), # reverb-time display
    10016: (109, 230, 40, 21),  # crossover field
    10018: (109, 253, 40, 21),  # decay time field
    10020: (109, 276, 40, 21),  # high damping field
    10024: (69, 307, 36, 21),   # dry mute
    10022: (109, 307, 40, 21),
    10023: (178, 310, 154, 20),
    10027: (69, 330, 36, 21),   # early mute
    10025: (109, 330, 40, 21),
    10026: (178, 333, 154, 20),
    10030: (69, 353, 36, 21),   # reverb mute
    10028: (109, 353, 40, 21),
    10029: (178, 356, 154, 20),
    10031: (109, 384, 40, 21),  # width field
    10004: (218, 384, 76, 21),  # Stereo / Mono
    10003: (296, 384, 36, 21),  # Tail
    10600: (352, 64, 12, 144),  # input meters
    10601: (382, 64, 12, 144),
    10602: (347, 43, 52, 11),   # input maxima text
    10603: (352, 248, 12, 144), # output meters
    10604: (382, 248, 12, 144),
    10605: (347, 227, 52, 11),  # output maxima text
    1020: (352, 55, 12, 9),     # clip indicators
    1021: (382, 55, 12, 9),
    1022: (352, 239, 12, 9),
    1023: (382, 239, 12, 9),
}

# Row label, unit and the numeric field the row is aligned to.
ROWS = [
    ("Input", "dB", 10000),
    ("Low Cut", "Hz", 10005),
    ("High Cut", "kHz", 10006),
    ("Predelay", "ms", 10008),
    ("Room Size", "", 10010),
    ("Diffusion", "%", 10012),
    ("Bass Multiplier", "x", 10014),
    ("Crossover", "Hz", 10016),
    ("Decay Time", "s", 10018),
    ("High Damping", "kHz", 10020),
    ("Dry", "dB", 10022),
    ("E.R.", "dB", 10025),
    ("Reverb", "dB", 10028),
    ("Width", "%", 10031),
]

# The word printed left of the Stereo and Tail buttons.
OUTPUT_LABEL_BEFORE = 10004

# Meter pairs: (left meter, right meter, clip indicator above the left one, heading).
METER_PAIRS = [
    (10600, 10601, 1020, "In"),
    (10603, 10604, 1022, "Out"),
]
METER_SCALE_DB = list(range(0, -61, -6))
METER_INSET = 2  # the bar covers the meter's rows 2 .. height - 3

# The two raised plates (x0, y0, x1, y1): the rows of controls, and the meters beside them.
CONTROL_PLATE = (10, 41, 338, 411)
METER_PLATE = (342, 41, 418, 411)

# Section groups of the left column: (first row field, last row field); each gets an
# engraved divider below it.
SECTIONS = [(10000, 10000), (10005, 10006), (10008, 10012), (10014, 10020), (10022, 10028), (10031, 10031)]

# Frequencies marked on the two displays' axes, and decay times on the reverb-time display.
GRID_FREQUENCIES = [100, 1000, 10000]
GRID_MINOR_FREQUENCIES = [f * m for f in (10, 100, 1000, 10000) for m in range(2, 10) if 19 < f * m < 22100]
GRID_TIMES_MS = [100, 1000, 10000]

# Axis ends of the displays (Hz and ms), as the controls map them.
FREQ_AXIS = (19.0, 22100.0)
TIME_AXIS = (60.0, 40000.0)

# Everything from this client y down is the product banner strip.
BANNER_TOP = 417


def rect(control_id):
    x, y, w, h = CONTROLS[control_id]
    return x, y, x + w, y + h
