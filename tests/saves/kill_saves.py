#!/usr/bin/env python3
"""kill_saves.py -- saves are atomic: an editor killed (SIGKILL) at a random
moment while it saves a large course leaves the course file and
"tileattr.wz" each either as they were or as the new save made them, never
cut short or mixed.

  kill_saves.py DRIVER KILLS SEED

DRIVER is one of the save drivers (save_driver.h): the editor's own S key,
saving two large versions of a course and its attribute table in turn. It
is started KILLS times in a scratch folder beside the working folder (on
the disk where the build is, as a user's folder would be) and killed after
a random time; after each kill both files must equal one of the two
versions. The test also makes sure that kills did land in the middle of
saves (a temporary file of a save was there) and that both versions were
seen, so that it proves something.
"""
import os
import random
import shutil
import signal
import subprocess
import sys
import tempfile
import time


def course_ok(data):
    """The file format, read here on its own: w, h, n and their bytes."""
    if len(data) < 6:
        return False
    w, h, n = data[0] << 8 | data[1], data[2] << 8 | data[3], data[4] << 8 | data[5]
    return w <= 256 and h <= 256 and n <= 256 and len(data) == 6 + w * h + 12 * n


def main():
    driver, kills, seed = os.path.abspath(sys.argv[1]), int(sys.argv[2]), int(sys.argv[3])
    rng = random.Random(seed)
    work = tempfile.mkdtemp(prefix='kill-saves.', dir=os.getcwd())
    try:
        os.chdir(work)
        subprocess.run([driver, 'prepare', 'big.map'], check=True, timeout=60)
        versions = [open('big.map.' + v, 'rb').read() for v in 'ab']
        tables = [open('tileattr.' + v, 'rb').read() for v in 'ab']
        assert all(course_ok(v) and len(v) == 68614 for v in versions), 'bad references'
        assert versions[0] != versions[1] and tables[0] != tables[1]
        assert open('big.map', 'rb').read() == versions[0], 'the first save is not version a'
        seen, during = set(), 0
        for k in range(kills):
            p = subprocess.Popen([driver, 'save', 'big.map'])
            time.sleep(rng.uniform(0.01, 0.3))
            p.send_signal(signal.SIGKILL)
            p.wait()
            if p.returncode != -signal.SIGKILL:
                sys.exit('the driver ended by itself (status %d) before kill %d' %
                         (p.returncode, k + 1))
            for n in ('big.map.tmp', 'tileattr.wz.tmp'):
                if os.path.exists(n):  # this kill cut a save short
                    during += 1
                    os.remove(n)
                    break
            course, table = open('big.map', 'rb').read(), open('tileattr.wz', 'rb').read()
            if course not in versions:
                sys.exit('kill %d: big.map is neither the old nor the new course: %d bytes, '
                         'a valid course: %s' % (k + 1, len(course), course_ok(course)))
            if table not in tables:
                sys.exit('kill %d: tileattr.wz is neither the old nor the new table: %d '
                         'bytes' % (k + 1, len(table)))
            seen.add(versions.index(course))
        print('%d kills, %d in the middle of a save; both files always whole, old or new '
              '(versions seen: %s)' % (kills, during, sorted('ab'[v] for v in seen)))
        # On a disk a save spends most of its time writing and syncing the
        # temporary file; in memory it is over in moments, and fewer kills
        # find one under way. One is the least that proves anything.
        if during == 0:
            sys.exit('no kill landed in the middle of a save: nothing was proved')
        if seen != {0, 1}:
            sys.exit('the saves never replaced the course')
    finally:
        shutil.rmtree(work, ignore_errors=True)


if __name__ == '__main__':
    main()
