# course_file.py -- a course or level file as the programs write it, for the
# end-to-end checks: width, height, the tiles column by column and the
# insertions (x, y, code). Fails on a file whose size does not add up.
import struct


def read_course(path):
    data = open(path, 'rb').read()
    w, h, n = struct.unpack('>HHH', data[:6])
    assert len(data) == 6 + w * h + 12 * n, '%s: %d bytes' % (path, len(data))
    tiles = data[6:6 + w * h]
    ins = [struct.unpack('>iii', data[6 + w * h + 12 * i:18 + w * h + 12 * i])
           for i in range(n)]
    return w, h, tiles, ins
