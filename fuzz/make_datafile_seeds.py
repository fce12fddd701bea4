#!/usr/bin/env python3
"""make_datafile_seeds.py -- writes the seeds of the datafile fuzz target
into fuzz/corpus/datafile/: small datafiles of every shape the check of
"data.dat" must take (277 objects with tiny pictures, a font and a tune,
properties, extra objects, other depths) and a few it must refuse. Run it
again after changing it; the seeds are kept in the repository as .seed
sources.
"""
import os
import struct
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
from run import as_seed  # noqa: E402

OUT = os.path.join(HERE, 'corpus', 'datafile')
N_OBJECTS = 277
FONT, MUSIC = 15, 19


def be32(v):
    return struct.pack('>i', v)


def obj(kind, content, name=None, packed_size=None):
    props = b''
    if name is not None:
        props = b'prop' + b'NAME' + be32(len(name)) + name.encode()
    size = len(content) if packed_size is None else packed_size
    return props + kind + be32(size) + be32(len(content)) + content


def picture(w, h, bits=16, fill=0x5A):
    per = {8: 1, 15: 2, 16: 2, 24: 3, 32: 3, -32: 4}[bits]
    return struct.pack('>hHH', bits, w, h) + bytes([fill]) * (w * h * per)


def mono_font(w=1, h=1):
    glyphs = b''.join(struct.pack('>HH', w, h) + b'\x80' * (((w + 7) // 8) * h)
                      for _ in range(32, 127))
    return struct.pack('>hH', 0, 1) + bytes([1]) + be32(32) + be32(126) + glyphs


def colour_font(w=2, h=2):
    glyphs = b''.join(struct.pack('>HH', w, h) + b'\x40' * (w * h * 3) for _ in range(32, 127))
    return struct.pack('>hH', 0, 1) + bytes([24]) + be32(32) + be32(126) + glyphs


def tune(track=bytes.fromhex('00903c40 60803c00 00ff2f00')):
    return struct.pack('>h', 96) + be32(len(track)) + track + be32(0) * 31


def datafile(objects):
    return b'slh.' + b'ALL.' + be32(len(objects)) + b''.join(objects)


def usual(i, names=False):
    name = 'O%03d' % i if names else None
    if i == FONT:
        return obj(b'FONT', mono_font(), name)
    if i == MUSIC:
        return obj(b'MIDI', tune(), name)
    return obj(b'BMP ', picture(1 + i % 3, 1 + i % 2), name)


def write(name, comment, data):
    with open(os.path.join(OUT, name + '.seed'), 'w') as f:
        f.write(''.join('# %s\n' % line for line in comment.split('\n')))
        f.write('# (made by fuzz/make_datafile_seeds.py)\n')
        f.write(as_seed(data))


def main():
    os.makedirs(OUT, exist_ok=True)
    good = [usual(i) for i in range(N_OBJECTS)]
    write('good', 'Every object the program wants, 277 of them: tiny pictures, a mono\n'
          'font of 1 x 1 characters and a one-note tune.', datafile(good))

    odd = list(good)
    odd[1] = obj(b'BMP ', picture(80, 1))
    odd[2] = obj(b'BMP ', picture(1, 80))
    odd[8] = obj(b'BMP ', picture(40, 3, 8))
    odd[10] = obj(b'BMP ', picture(3, 5, 24))
    odd[11] = obj(b'BMP ', picture(5, 3, 32))
    odd[12] = obj(b'BMP ', picture(4, 4, -32))
    odd[13] = obj(b'BMP ', picture(2, 2, 15))
    odd[FONT] = obj(b'FONT', colour_font())
    odd[17] = obj(b'BMP ', picture(700, 1))
    odd[21] = obj(b'BMP ', picture(80, 1))
    write('odd-sizes', 'Pictures of odd sizes and depths, a title of 700 x 1, a colour font.',
          datafile(odd))

    extra = [usual(i, names=True) for i in range(N_OBJECTS)]
    extra[0] = obj(b'DATA', b'plain bytes', 'O000')
    extra[16] = obj(b'PAL ', bytes(1024), 'O016')
    extra[18] = obj(b'XYZ1', b'', 'O018')
    extra.append(obj(b'info', b'grabber info', 'GrabberInfo'))
    write('properties-and-extras', 'Names on every object, plain data, a palette and a kind of\n'
          'its own in the unused places, and a 278th object as the grabber adds.',
          datafile(extra))

    whole = datafile(good)
    write('short', 'The good file cut inside object 200.', whole[:len(datafile(good[:200])) + 7])

    wrong = list(good)
    wrong[1] = obj(b'FONT', mono_font())
    wrong[FONT] = obj(b'BMP ', picture(2, 2))
    wrong[MUSIC] = obj(b'DATA', b'\x00\x60')
    write('wrong-types', 'A font at 1, a picture at 15, plain bytes at 19.', datafile(wrong))

    write('too-few', '270 objects: too few.', datafile(good[:270]))

    packed = list(good)
    packed[5] = obj(b'BMP ', picture(1, 1), packed_size=-8)
    write('two-lengths', 'Object 5 with a length of -8 bytes packed, 8 unpacked.', datafile(packed))

    endless = list(good)
    endless[MUSIC] = obj(b'MIDI', tune(bytes.fromhex('00903c40 60803c00')))
    write('tune-without-end', 'A tune whose track has no end-of-track event.', datafile(endless))

    big = list(good)
    big[3] = obj(b'BMP ', struct.pack('>hHH', 32, 65535, 65535) + bytes(8))
    write('huge-picture', 'A picture that says 65535 x 65535 in 8 bytes.', datafile(big))


if __name__ == '__main__':
    main()
