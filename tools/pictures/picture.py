"""Writers for the pictures the programs carry: PNG, 24-bit BMP, ICO (PNG inside) and animated
GIF, from plain pixel lists, with the standard library only. Pixels are (r, g, b) or (r, g, b, a)
tuples, row by row from the top."""

import struct
import zlib


def _rgba(p):
    return p if len(p) == 4 else (p[0], p[1], p[2], 255)


def png_bytes(width, height, pixels):
    raw = bytearray()
    for y in range(height):
        raw.append(0)
        for x in range(width):
            raw.extend(_rgba(pixels[y * width + x]))

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    header = struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
            chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + chunk(b"IEND", b""))


def bmp_bytes(width, height, pixels):
    row = (width * 3 + 3) & ~3
    data = bytearray()
    for y in range(height - 1, -1, -1):
        line = bytearray()
        for x in range(width):
            r, g, b = pixels[y * width + x][:3]
            line.extend((b, g, r))
        line.extend(b"\0" * (row - len(line)))
        data.extend(line)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    head = struct.pack("<2sIHHI", b"BM", 14 + 40 + len(data), 0, 0, 14 + 40)
    return head + info + bytes(data)


def ico_bytes(images):
    """images: list of (size, pixels) with square sizes up to 256; each stored as PNG."""
    entries, blobs = b"", b""
    offset = 6 + 16 * len(images)
    for size, pixels in images:
        blob = png_bytes(size, size, pixels)
        entries += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(blob), offset)
        blobs += blob
        offset += len(blob)
    return struct.pack("<HHH", 0, 1, len(images)) + entries + blobs


def _lzw(indices, min_size):
    clear, end = 1 << min_size, (1 << min_size) + 1
    table = {(i,): i for i in range(clear)}
    size, next_code = min_size + 1, end + 1
    out, bits, nbits = bytearray(), 0, 0

    def emit(code):
        nonlocal bits, nbits
        bits |= code << nbits
        nbits += size
        while nbits >= 8:
            out.append(bits & 0xFF)
            bits >>= 8
            nbits -= 8

    emit(clear)
    current = ()
    for index in indices:
        candidate = current + (index,)
        if candidate in table:
            current = candidate
            continue
        emit(table[current])
        if next_code < 4096:
            table[candidate] = next_code
            next_code += 1
            if next_code > (1 << size) and size < 12:
                size += 1
        else:
            emit(clear)
            table = {(i,): i for i in range(clear)}
            size, next_code = min_size + 1, end + 1
        current = (index,)
    if current:
        emit(table[current])
    emit(end)
    if nbits:
        out.append(bits & 0xFF)
    return bytes(out)


def gif_bytes(width, height, frames, delay_cs=10, transparent=None):
    """frames: lists of (r, g, b) pixels sharing one palette of at most 256 colours;
    `transparent` is a colour that shows what lies behind."""
    palette = []
    for frame in frames:
        for p in frame:
            if tuple(p[:3]) not in palette:
                palette.append(tuple(p[:3]))
    if len(palette) > 256:
        raise ValueError("more than 256 colours")
    bits = max(1, (len(palette) - 1).bit_length())
    while len(palette) < (1 << bits):
        palette.append((0, 0, 0))
    out = bytearray(b"GIF89a")
    out += struct.pack("<HHBBB", width, height, 0x80 | ((bits - 1) << 4) | (bits - 1), 0, 0)
    for colour in palette:
        out += bytes(colour)
    out += b"\x21\xFF\x0BNETSCAPE2.0\x03\x01\x00\x00\x00"
    key = palette.index(tuple(transparent)) if transparent is not None else 0
    for frame in frames:
        flags = 0x09 if transparent is not None else 0x08
        out += struct.pack("<BBBBHBB", 0x21, 0xF9, 4, flags, delay_cs, key, 0)
        out += struct.pack("<BHHHHB", 0x2C, 0, 0, width, height, 0)
        min_size = max(2, bits)
        data = _lzw([palette.index(tuple(p[:3])) for p in frame], min_size)
        out.append(min_size)
        for i in range(0, len(data), 255):
            piece = data[i:i + 255]
            out.append(len(piece))
            out += piece
        out.append(0)
    out += b"\x3B"
    return bytes(out)


def write(path, data):
    with open(path, "wb") as f:
        f.write(data)
