"""Writers for the Windows picture formats the module's resources use.

Each writer takes a PIL image and produces the exact bytes the resource compiler and the
skin loader expect; every file is written to a temporary name first and renamed into
place, so an interrupted run never leaves a half-written picture behind.
"""
import os
import struct
import tempfile


def write_atomically(path, data):
    folder = os.path.dirname(path) or "."
    handle, temp = tempfile.mkstemp(dir=folder, prefix=".tmp-")
    try:
        with os.fdopen(handle, "wb") as out:
            out.write(data)
        os.chmod(temp, 0o644)
        os.replace(temp, path)
    except BaseException:
        os.unlink(temp)
        raise


def _info_header(width, height, bits, image_size):
    # BITMAPINFOHEADER; colour tables are always full (2^bits entries, biClrUsed 0),
    # which is what the skin loader assumes when it skips to the pixel data.
    return struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, 0, image_size, 2835, 2835, 0, 0)


def _stride(width, bits):
    return ((width * bits + 31) // 32) * 4


def _pack_indexed_row(indices, bits, stride):
    row = bytearray(stride)
    per_byte = 8 // bits
    for x, value in enumerate(indices):
        shift = 8 - bits * (x % per_byte + 1)
        row[x // per_byte] |= (value & ((1 << bits) - 1)) << shift
    return bytes(row)


def bmp_bytes(image, bits, palette=None):
    """A bottom-up BI_RGB .bmp of a PIL image: 24 bits from an RGB image, or 8/4 bits from a
    'P'/'L' image whose palette (list of (r, g, b), 2^bits entries at most) is given."""
    width, height = image.size
    stride = _stride(width, bits)
    rows = []
    if bits == 24:
        rgb = image.convert("RGB")
        for y in range(height - 1, -1, -1):
            line = bytearray()
            for x in range(width):
                r, g, b = rgb.getpixel((x, y))
                line += bytes((b, g, r))
            rows.append(bytes(line) + bytes(stride - len(line)))
        table = b""
    else:
        count = 1 << bits
        if palette is None or len(palette) > count:
            raise ValueError("an indexed picture needs a palette of at most %d colours" % count)
        entries = list(palette) + [(0, 0, 0)] * (count - len(palette))
        table = b"".join(bytes((b, g, r, 0)) for r, g, b in entries)
        for y in range(height - 1, -1, -1):
            rows.append(_pack_indexed_row([image.getpixel((x, y)) for x in range(width)], bits, stride))
    pixels = b"".join(rows)
    info = _info_header(width, height, bits, len(pixels))
    offset = 14 + len(info) + len(table)
    header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    return header + info + table + pixels


def rgbt_bytes(image):
    """Headerless top-down R, G, B, T pixels of an RGBA image (T = 255 - alpha: 0 opaque)."""
    out = bytearray()
    for r, g, b, a in image.convert("RGBA").getdata():
        out += bytes((r, g, b, 255 - a))
    return bytes(out)


def _and_mask(width, height, transparent):
    stride = _stride(width, 1)
    rows = []
    for y in range(height - 1, -1, -1):
        rows.append(_pack_indexed_row([1 if transparent(x, y) else 0 for x in range(width)], 1, stride))
    return b"".join(rows)


def ico_bytes(images):
    """An .ico holding one 32-bit image with alpha per given RGBA picture."""
    blobs = []
    for image in images:
        width, height = image.size
        rgba = image.convert("RGBA")
        pixels = bytearray()
        for y in range(height - 1, -1, -1):
            for x in range(width):
                r, g, b, a = rgba.getpixel((x, y))
                pixels += bytes((b, g, r, a))
        mask = _and_mask(width, height, lambda x, y: rgba.getpixel((x, y))[3] == 0)
        blobs.append(_info_header(width, height * 2, 32, len(pixels) + len(mask)) + bytes(pixels) + mask)
    return _directory(1, [(img.size, 0, 32, blob) for img, blob in zip(images, blobs)])


def cur_bytes(image, hotspot):
    """A monochrome .cur from a 'P' image with indices 0 = transparent, 1 = black, 2 = white."""
    width, height = image.size
    stride = _stride(width, 1)
    xor_rows = []
    for y in range(height - 1, -1, -1):
        xor_rows.append(_pack_indexed_row([1 if image.getpixel((x, y)) == 2 else 0 for x in range(width)], 1, stride))
    xor = b"".join(xor_rows)
    mask = _and_mask(width, height, lambda x, y: image.getpixel((x, y)) == 0)
    table = bytes((0, 0, 0, 0, 255, 255, 255, 0))
    blob = _info_header(width, height * 2, 1, len(xor) + len(mask)) + table + xor + mask
    return _directory(2, [(image.size, hotspot[0], hotspot[1], blob)])


def _directory(kind, entries):
    # ICONDIR / CURSORDIR: for icons the two words are planes and bit count, for cursors
    # they hold the hot spot.
    head = struct.pack("<HHH", 0, kind, len(entries))
    offset = len(head) + 16 * len(entries)
    table = b""
    data = b""
    for (width, height), word1, word2, blob in entries:
        planes, bits = (1, word2) if kind == 1 else (word1, word2)
        table += struct.pack("<BBBBHHII", width % 256, height % 256, 0, 0, planes, bits, len(blob), offset + len(data))
        data += blob
    return head + table + data
