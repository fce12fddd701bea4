"""check_icon.py SIZE FILE... -- each FILE is a well-formed PNG icon of
SIZE x SIZE pixels: the signature, every chunk's CRC, the zlib stream
(whose Adler-32 zlib checks), RGBA rows of the right length; clear at the
corners, opaque in the middle, and a picture rather than a plain square."""
import struct
import sys
import zlib


def pixels(path):
    data = open(path, 'rb').read()
    assert data[:8] == b'\x89PNG\r\n\x1a\n', 'not a PNG signature'
    at, chunks = 8, []
    while at < len(data):
        n, kind = struct.unpack('>I4s', data[at:at + 8])
        body = data[at + 8:at + 8 + n]
        crc, = struct.unpack('>I', data[at + 8 + n:at + 12 + n])
        assert zlib.crc32(kind + body) == crc, 'bad CRC in %s' % kind
        chunks.append((kind, body))
        at += 12 + n
    kinds = [k for k, _ in chunks]
    assert kinds[0] == b'IHDR' and kinds[-1] == b'IEND', kinds
    w, h, depth, colour, comp, filt, lace = struct.unpack('>IIBBBBB', chunks[0][1])
    assert (depth, colour, comp, filt, lace) == (8, 6, 0, 0, 0), 'not 8-bit RGBA'
    raw = zlib.decompress(b''.join(b for k, b in chunks if k == b'IDAT'))
    stride = 4 * w + 1
    assert len(raw) == h * stride, 'rows of %d bytes' % len(raw)
    rows = []
    for y in range(h):
        row = raw[y * stride:(y + 1) * stride]
        assert row[0] == 0, 'filter %d' % row[0]
        rows.append([tuple(row[1 + 4 * x:5 + 4 * x]) for x in range(w)])
    return w, h, rows


size = int(sys.argv[1])
for path in sys.argv[2:]:
    try:
        w, h, rows = pixels(path)
        assert (w, h) == (size, size), '%d x %d' % (w, h)
        for x, y in [(0, 0), (w - 1, 0), (0, h - 1), (w - 1, h - 1)]:
            assert rows[y][x][3] == 0, 'corner (%d, %d) not clear' % (x, y)
        assert rows[h // 2][w // 2][3] == 255, 'the middle is not opaque'
        colours = set(p for row in rows for p in row if p[3] == 255)
        assert len(colours) >= 12, 'only %d colours' % len(colours)
    except (AssertionError, struct.error, zlib.error) as e:
        sys.exit('%s: %s' % (path, e))
