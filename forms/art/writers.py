"""The files the artwork is kept in: PNG pictures (8-bit RGBA), icon files (32-bit images
with alpha) and WAV sounds (16-bit PCM), written deterministically (a fixed zlib level) so
that committed files can be checked against what the script makes."""

import struct
import zlib

from raster import Canvas


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


def read_ico(path):
    """The 32-bit images of an icon file, each as (BITMAPINFOHEADER bytes, canvas)."""
    with open(path, "rb") as file:
        data = file.read()
    reserved, kind, count = struct.unpack_from("<HHH", data)
    if reserved != 0 or kind != 1:
        raise ValueError(f"{path}: not an icon file")
    images = []
    for i in range(count):
        width, height, _, _, _, bits, size, offset = struct.unpack_from("<BBBBHHII", data, 6 + 16 * i)
        header = data[offset : offset + 40]
        if bits != 32 or width != height or struct.unpack_from("<I", header)[0] != 40:
            raise ValueError(f"{path}: image {i} is not a 32-bit square bitmap")
        canvas = Canvas(width, height)
        pixels = data[offset + 40 : offset + 40 + 4 * width * height]
        for y in range(height):
            row = canvas.rows[height - 1 - y]  # bottom-up
            for x in range(width):
                b, g, r, a = pixels[4 * (y * width + x) : 4 * (y * width + x) + 4]
                for channel, v in zip(row, (r, g, b)):
                    channel[x] = v * a / (255 * 255)
                row[3][x] = a / 255
        images.append((header, canvas))
    return images


def ico_bytes(images):
    """An icon file of 32-bit images with alpha; the AND masks stay empty, as alpha decides."""
    directory, bodies = b"", b""
    offset = 6 + 16 * len(images)
    for header, canvas in images:
        w = canvas.width
        rows = list(canvas.rgba_rows())
        pixels = b"".join(bytes(row[i + k] for i in range(0, len(row), 4) for k in (2, 1, 0, 3)) for row in rows[::-1])
        mask = bytes(((w + 31) // 32) * 4 * canvas.height)
        body = header + pixels + mask
        directory += struct.pack("<BBBBHHII", w % 256, canvas.height % 256, 0, 0, 1, 32, len(body), offset)
        bodies += body
        offset += len(body)
    return struct.pack("<HHH", 0, 1, len(images)) + directory + bodies


def wav_bytes(samples, rate):
    """A mono 16-bit PCM WAV file of the samples (each -1..1)."""
    data = struct.pack(f"<{len(samples)}h", *(max(-32767, min(32767, round(v * 32767))) for v in samples))
    fmt = struct.pack("<HHIIHH", 1, 1, rate, rate * 2, 2, 16)  # PCM, mono, 16 bits
    body = b"WAVE" + b"fmt " + struct.pack("<I", len(fmt)) + fmt + b"data" + struct.pack("<I", len(data)) + data
    return b"RIFF" + struct.pack("<I", len(body)) + body
