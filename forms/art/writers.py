"""The files the artwork is kept in: PNG pictures (8-bit RGBA), icon files (32-bit images
with alpha) and WAV sounds (16-bit PCM), written deterministically (a fixed zlib level) so
that committed files can be checked against what the script makes."""

import struct
import zlib


def png_chunk(kind, data):
    return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))


def paeth(a, b, c):
    p = a + b - c
    pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
    if pa <= pb and pa <= pc:
        return a
    return b if pb <= pc else c


def filtered_row(row, prior):
    """The row with the PNG filter whose output has the smallest sum of absolute values: the
    usual heuristic, good for gradients and flat areas."""
    left = bytes(4) + row[:-4]
    upper_left = bytes(4) + prior[:-4]
    candidates = [
        bytes(row),
        bytes((x - a) & 255 for x, a in zip(row, left)),
        bytes((x - b) & 255 for x, b in zip(row, prior)),
        bytes((x - ((a + b) >> 1)) & 255 for x, a, b in zip(row, left, prior)),
        bytes((x - paeth(a, b, c)) & 255 for x, a, b, c in zip(row, left, prior, upper_left)),
    ]
    costs = [sum(v if v < 128 else 256 - v for v in f) for f in candidates]
    best = costs.index(min(costs))
    return bytes([best]) + candidates[best]


def png_bytes(canvas):
    rows, prior = [], bytes(4 * canvas.width)
    for row in canvas.rgba_rows():
        rows.append(filtered_row(row, prior))
        prior = row
    header = struct.pack(">IIBBBBB", canvas.width, canvas.height, 8, 6, 0, 0, 0)  # 8-bit RGBA
    return (
        b"\x89PNG\r\n\x1a\n"
        + png_chunk(b"IHDR", header)
        + png_chunk(b"IDAT", zlib.compress(b"".join(rows), 9))
        + png_chunk(b"IEND", b"")
    )


def ico_bytes(canvases):
    """An icon file of square 32-bit images with alpha; the AND masks stay empty, as alpha
    decides."""
    directory, bodies = b"", b""
    offset = 6 + 16 * len(canvases)
    for canvas in canvases:
        w = canvas.width
        rows = list(canvas.rgba_rows())
        pixels = b"".join(bytes(row[i + k] for i in range(0, len(row), 4) for k in (2, 1, 0, 3)) for row in rows[::-1])
        mask = bytes(((w + 31) // 32) * 4 * canvas.height)
        # BITMAPINFOHEADER: the height counts the colour rows and the mask's.
        header = struct.pack("<IiiHHIIiiII", 40, w, 2 * canvas.height, 1, 32, 0, len(pixels) + len(mask), 0, 0, 0, 0)
        body = header + pixels + mask
        directory += struct.pack("<BBBBHHII", w % 256, canvas.height % 256, 0, 0, 1, 32, len(body), offset)
        bodies += body
        offset += len(body)
    return struct.pack("<HHH", 0, 1, len(canvases)) + directory + bodies


def wav_bytes(samples, rate):
    """A mono 16-bit PCM WAV file of the samples (each -1..1)."""
    data = struct.pack(f"<{len(samples)}h", *(max(-32767, min(32767, round(v * 32767))) for v in samples))
    fmt = struct.pack("<HHIIHH", 1, 1, rate, rate * 2, 2, 16)  # PCM, mono, 16 bits
    body = b"WAVE" + b"fmt " + struct.pack("<I", len(fmt)) + fmt + b"data" + struct.pack("<I", len(data)) + data
    return b"RIFF" + struct.pack("<I", len(body)) + body
