#!/usr/bin/env python3
"""monkey.py -- a monkey at the keyboard and mouse of one of the programs.

  monkey.py PROGRAM RUN_DIR SECONDS [SEED]     (MONKEY_KEEP=1 keeps its folder)

PROGRAM is topdown, sideview or sideview_edit; it runs from a scratch copy
of its folder under RUN_DIR on an Xvfb of its own. From the seed, random
keys (the program's own keys held and tapped, arrows, Esc, Space, Enter,
Tab, letters, digits, F-keys, Ctrl combinations), mouse moves, clicks and
drags go to it for SECONDS. A program that ends on its own keys (Esc, Quit)
is started again in the same folder. Then:

- it must have kept answering: the screen changed during the run, and Esc
  (with Discard, D, to the editors' question about unsaved changes, and
  Quit in topdown's menu) ends it in time;
- it must never have ended any other way: exit status 0, and nothing on
  standard error from the sanitizers;
- every file it wrote must be valid by the readers below (written here,
  independently of the programs' code): courses and levels, "tileattr.wz",
  "times.txt", topdown's replays and "ghost.txt"; no temporary file of a
  save may be left.

The monkey never types a path: the file selectors are opened only by the
save and load keys (S, L), which the monkey presses in one go with a name
of its own (letters and digits added to what the selector holds, so the
file stays in the folder the selector shows, which is the scratch folder)
and Enter, then Esc; random keys and clicks never reach a selector. The
editors' question about unsaved changes offers Save, which asks for a name
through a selector when the editor has none yet: so sideview_edit, which
starts without one, first loads a level at each start.
"""
import hashlib
import os
import random
import shutil
import signal
import subprocess
import sys
import tempfile
import time

SANITIZER_MARKS = ('ERROR: AddressSanitizer', 'ERROR: LeakSanitizer', 'runtime error:',
                   'UndefinedBehaviorSanitizer', 'SUMMARY:')

SCREEN = {'topdown': (640, 480), 'sideview': (320, 240), 'sideview_edit': (640, 480)}
FOLDER = {'topdown': 'topdown', 'sideview': 'sideview', 'sideview_edit': 'sideview'}

LETTERS = 'abcdefghijkmnopqrtuvwxyz'  # every letter but S and L (the file keys)
DIGITS = '0123456789'

# Keys by program, with weights: what the program itself reads, and a share
# of everything else. xdotool's key names.
COMMON = ['Up', 'Down', 'Left', 'Right', 'space', 'Return', 'Tab', 'BackSpace', 'Insert',
          'Delete', 'Home', 'End', 'Prior', 'Next', 'minus', 'equal', 'bracketleft',
          'bracketright', 'comma', 'period', 'slash', 'Shift_L', 'Shift_R', 'Control_L',
          'Control_R', 'Alt_L', 'Alt_R'] + ['F%d' % i for i in range(1, 13)] + \
         list(LETTERS) + list(DIGITS)
OWN = {
    'topdown': ['Up', 'Down', 'Left', 'Right', 'Return', 'Right', 'Up', 'Control_L',
                'Shift_L', 'w', 'a', 'd', 'b', 'v', 'Tab', 'Insert', 'Delete', 'Home', 'End',
                'z', 'a', 'q', 'F1', 'F2', 'F3', 'F4', 'F5', 'F6', 'F9', 'minus', 'equal',
                'Prior', 'Next', 'bracketleft', 'bracketright', 'space', 'c', 'v', '1', '2',
                'r', 'k', 'o', 'p', 'BackSpace', 'Pause', 'F10'],
    'sideview': ['Left', 'Right', 'Up', 'Down', 'Control_R', 'Alt_R', 'ISO_Level3_Shift',
                 'Return', 'Shift_R', 'space', 'Left', 'Right', 'Up', 'Control_R', 'p',
                 'Pause', 'F1'],
    'sideview_edit': ['Tab', 'Insert', 'Delete', 'Home', 'End', 'F1', 'F2', 'F3', 'F4', 'F5',
                      'F8', 'minus', 'equal', 'Prior', 'Next', 'Up', 'Down', 'Left', 'Right',
                      'BackSpace', 'F11', 'F12', 'F10'] + list(DIGITS),
}
# What shows that a program still answers, in every state it can be in: a
# few steps, the screen looked at after each, and one of them must change
# it (a move of the pointer, which the editors show, ends the list). A key
# is held, since topdown's and sideview's games read the keys' state once a
# step and a tap can go unseen; and a menu's cursor moves both ways, since
# it may stand at either end of its list, where one way changes nothing.
# topdown's game has a clock; sideview's credits leave on Space and its
# player walks. A game the monkey paused (P, Pause) goes on with P, and P
# pauses a running one: either way the screen changes.
def held(key, seconds):
    return ['keydown', key, 'sleep', str(seconds), 'keyup', key]


PROBE = {'topdown': [held('Up', 0.3), held('Down', 0.3), ['key', 'p', 'sleep', '0.5']],
         'sideview': [held('space', 0.2), held('Left', 0.5), held('Right', 0.5),
                      ['key', 'p', 'sleep', '0.5']],
         'sideview_edit': []}
# Programs whose S and L open a file selector (topdown's in its editor).
FILE_KEYS = {'topdown': True, 'sideview': False, 'sideview_edit': True}
# Editors that start without a file name: the level loaded at each start.
LOAD_AT_START = {'sideview_edit': 'tr01.map'}


class Failure(Exception):
    pass


def log(*words):
    print(*words, flush=True)


# ---------------------------------------------------------------------------
# Independent readers of what the programs write

def check_course(name, data):
    """A course or level: w, h, n big-endian 16-bit, w*h tiles, n*12 bytes."""
    if len(data) < 6:
        raise Failure('%s: %d bytes, shorter than a course header' % (name, len(data)))
    w, h, n = (data[0] << 8 | data[1]), (data[2] << 8 | data[3]), (data[4] << 8 | data[5])
    if w > 256 or h > 256 or n > 256:
        raise Failure('%s: header %d x %d, %d insertions' % (name, w, h, n))
    if len(data) != 6 + w * h + 12 * n:
        raise Failure('%s: %d bytes for %d x %d and %d insertions' % (name, len(data), w, h, n))


def check_attributes(name, data):
    if len(data) != 256:
        raise Failure('%s: %d bytes, not 256' % (name, len(data)))


def check_times(name, data):
    """topdown's best times: comments, then "COURSE PLAYERS STEPS M:SS.T"."""
    text = data.decode('ascii')
    for line in text.split('\n')[:-1]:
        if line.startswith('#'):
            continue
        words = line.split(' ')
        if len(words) != 4:
            raise Failure('%s: %r is not a record' % (name, line))
        course, players, steps = int(words[0]), int(words[1]), int(words[2])
        tenths = steps // 5
        shown = '%d:%02d.%d' % (tenths // 600, tenths // 10 % 60, tenths % 10)
        if not (1 <= course <= 99 and players in (1, 2) and steps >= 1 and words[3] == shown):
            raise Failure('%s: %r is not a record' % (name, line))
    if not text.endswith('\n'):
        raise Failure('%s: the last line is cut' % name)


def check_replay(name, data):
    """topdown's replay: the header lines in order, runs of controls that
    add up to its steps (finish + 1), "end"."""
    lines = [l for l in data.decode('ascii').split('\n') if l and not l.startswith('#')]
    keys = ['replay', 'course', 'check', 'players', 'country', 'seed', 'finish', 'steps']
    if len(lines) < len(keys) + 1 or [l.split(' ')[0] for l in lines[:len(keys)]] != keys:
        raise Failure('%s: no replay header' % name)
    head = {l.split(' ')[0]: l.split(' ')[1] for l in lines[:len(keys)]}
    runs = lines[len(keys):-1]
    total = sum(int(r.split(' ')[0]) for r in runs)
    if (head['replay'] != '1' or lines[-1] != 'end' or int(head['players']) not in (1, 2) or
            int(head['steps']) != int(head['finish']) + 1 or total != int(head['steps'])):
        raise Failure('%s: not a whole replay' % name)
    if not name.endswith('m%02d-%sp.replay' % (int(head['course']), head['players'])):
        raise Failure('%s: a replay of course %s for %s players' % (name, head['course'],
                                                                     head['players']))


def check_config(name, data):
    """Allegro's own settings file: "[section]" and "name = value" lines."""
    for line in data.decode('ascii').splitlines():
        line = line.strip()
        if line and not line.startswith('#') and not (line.startswith('[') and
                                                      line.endswith(']')) and '=' not in line:
            raise Failure('%s: %r' % (name, line))


def snapshot(folder):
    files = {}
    for base, _, names in os.walk(folder):
        for n in names:
            path = os.path.join(base, n)
            if os.path.isfile(path) and not os.path.islink(path):
                files[os.path.relpath(path, folder)] = hashlib.sha1(
                    open(path, 'rb').read()).hexdigest()
    return files


def check_written(folder, before):
    """Every file new or changed since before must read as what it is."""
    after = snapshot(folder)
    gone = sorted(set(before) - set(after))
    if gone:
        raise Failure('files removed: %s' % ', '.join(gone))
    written = sorted(n for n in after if before.get(n) != after[n])
    for name in written:
        data = open(os.path.join(folder, name), 'rb').read()
        base = os.path.basename(name)
        if base.endswith('.tmp'):
            raise Failure('a save left its temporary file %s' % name)
        if base in ('report.txt', 'out.txt', 'err.txt', 'asound.conf'):
            continue
        if base == 'allegro.cfg':  # Allegro keeps the settings made at start-up
            check_config(name, data)
            continue
        if base == 'tileattr.wz':
            check_attributes(name, data)
        elif base == 'times.txt':
            check_times(name, data)
        elif base.endswith('.replay'):
            check_replay(name, data)
        elif base == 'ghost.txt':
            if data not in (b'ghost on\n', b'ghost off\n'):
                raise Failure('%s: %r' % (name, data))
        else:
            check_course(name, data)
    return written


# ---------------------------------------------------------------------------
# The X server and the program

class Session:
    def __init__(self, program, run_dir, work):
        self.program = program
        self.work = work
        self.proc = None
        self.xvfb = None
        self.starts = 0
        self.errors = ''
        shutil.copytree(os.path.join(run_dir, FOLDER[program]), work, dirs_exist_ok=True,
                        symlinks=True)
        open(os.path.join(work, 'asound.conf'), 'w').write('pcm.!default { type null }\n')
        self.env = dict(os.environ)
        self.env['ALSA_CONFIG_PATH'] = os.path.join(work, 'asound.conf')

    def start_x(self):
        w, h = SCREEN[self.program]
        for _ in range(3):
            r, wfd = os.pipe()
            # -noreset: no reset when the last client leaves, which would
            # refuse a program connecting at that moment (see e2e_xvfb in
            # tests/e2e/lib.sh).
            self.xvfb = subprocess.Popen(
                ['Xvfb', '-displayfd', str(wfd), '-screen', '0', '%dx%dx24' % (w, h),
                 '-nolisten', 'tcp', '-noreset'], pass_fds=(wfd,), stdout=subprocess.DEVNULL,
                stderr=subprocess.DEVNULL)
            os.close(wfd)
            number = b''
            deadline = time.time() + 10
            while time.time() < deadline and not number.endswith(b'\n'):
                chunk = os.read(r, 16)
                if not chunk:
                    break
                number += chunk
            os.close(r)
            if number.strip():
                self.env['DISPLAY'] = ':' + number.decode().strip()
                time.sleep(0.2)
                if self.xdotool('getdisplaygeometry', check=False) is not None:
                    return
            self.xvfb.kill()
            self.xvfb.wait()
        raise Failure('Xvfb did not start')

    def xdotool(self, *args, check=True):
        r = subprocess.run(['xdotool'] + [str(a) for a in args], env=self.env,
                           capture_output=True, text=True)
        if r.returncode != 0:
            if check:
                raise Failure('xdotool %s: %s' % (' '.join(map(str, args[:6])), r.stderr))
            return None
        return r.stdout

    def start(self):
        self.starts += 1
        out = open(os.path.join(self.work, 'out.txt'), 'ab')
        err = open(os.path.join(self.work, 'err.txt'), 'ab')
        self.proc = subprocess.Popen(['./' + self.program], cwd=self.work, env=self.env,
                                     stdout=out, stderr=err, start_new_session=True)
        out.close()
        err.close()
        # Keys sent before the window is up would go nowhere.
        time.sleep(2.0)
        if self.proc.poll() is not None:
            raise Failure('%s ended at start-up with status %d' %
                          (self.program, self.proc.returncode))
        w, h = SCREEN[self.program]
        self.xdotool('mousemove', w // 2, h // 2)
        if self.program in LOAD_AT_START:
            for part in (['key', 'l', 'sleep', '1.0'],
                         ['type', '--delay', '30', LOAD_AT_START[self.program]],
                         ['sleep', '0.3', 'key', 'Return', 'sleep', '1.0']):
                self.xdotool(*part, check=False)

    def alive(self):
        return self.proc is not None and self.proc.poll() is None

    def ended(self):
        """After the program has ended: fail unless it ended on its own keys."""
        rc = self.proc.returncode
        self.proc = None
        if rc != 0:
            raise Failure('%s ended with status %d' % (self.program, rc))

    def screen_hash(self):
        r = subprocess.run(['xwd', '-root', '-silent'], env=self.env, capture_output=True)
        return hashlib.sha1(r.stdout).hexdigest() if r.returncode == 0 else None

    def stop(self):
        if self.proc is not None and self.proc.poll() is None:
            os.killpg(self.proc.pid, signal.SIGKILL)
            self.proc.wait()
        if self.xvfb is not None:
            self.xvfb.kill()
            self.xvfb.wait()


# ---------------------------------------------------------------------------
# The monkey

class Monkey:
    def __init__(self, program, seed):
        self.program = program
        self.rng = random.Random(seed)
        self.w, self.h = SCREEN[program]

    def key(self):
        rng = self.rng
        if rng.random() < 0.6:
            return rng.choice(OWN[self.program])
        return rng.choice(COMMON)

    def batch(self):
        """About a second of events as one xdotool command; every key and
        button pressed in it is released in it."""
        rng, cmd = self.rng, []
        for _ in range(rng.randint(3, 12)):
            r = rng.random()
            if r < 0.015:  # Esc, held long enough for a program that polls
                cmd += ['keydown', 'Escape', 'sleep', '0.15', 'keyup', 'Escape']
            elif r < 0.35:  # a tap, as readkey() takes it
                cmd += ['key', self.key()]
            elif r < 0.55:  # held, as the games poll key[]
                k = self.key()
                cmd += ['keydown', k, 'sleep', '%.2f' % rng.uniform(0.03, 0.6), 'keyup', k]
            elif r < 0.62:  # Ctrl (and Shift) with a letter: undo and redo ...
                mods = ['Control_L'] + (['Shift_L'] if rng.random() < 0.3 else [])
                k = rng.choice('zyzyx' + LETTERS)
                cmd += ['keydown'] + mods + ['sleep', '0.05', 'key', k, 'sleep', '0.05',
                                             'keyup'] + mods[::-1]
            elif r < 0.78:  # the pointer somewhere
                cmd += ['mousemove', rng.randrange(self.w), rng.randrange(self.h)]
            elif r < 0.90:  # a click: long, short or of no length at all
                b = rng.choice([1, 1, 1, 2, 3])
                cmd += ['mousemove', rng.randrange(self.w), rng.randrange(self.h),
                        'mousedown', b, 'sleep', rng.choice(['0', '0.02', '0.2']),
                        'mouseup', b]
            elif r < 0.95:  # a drag, painting
                cmd += ['mousedown', 1]
                for _ in range(rng.randint(2, 6)):
                    cmd += ['mousemove', rng.randrange(self.w), rng.randrange(self.h),
                            'sleep', '0.05']
                cmd += ['mouseup', 1]
            else:  # Ctrl-click: an insertion in the editors
                cmd += ['mousemove', rng.randrange(self.w), rng.randrange(self.h),
                        'keydown', 'Control_L', 'sleep', '0.05', 'click', 1, 'sleep', '0.05',
                        'keyup', 'Control_L']
            cmd += ['sleep', '%.2f' % rng.uniform(0.01, 0.08)]
        return cmd

    def menu_keys(self):
        """topdown: back to the main menu (Esc, Discard to the question) and one
        of its items chosen: play, the editor, a course number, the players,
        the country, the ghost, the best run's film, quit."""
        item = self.rng.choice([0, 0, 0, 1, 1, 1, 1, 2, 3, 4, 5, 6, 6, 7])
        return ['keydown', 'Escape', 'sleep', '0.2', 'keyup', 'Escape', 'sleep', '0.5',
                'key', 'd', 'sleep', '0.3'] + ['key', 'Up'] * 8 + \
               ['key', 'Down'] * item + ['key', 'Return', 'sleep', '0.5']

    def file_keys(self):
        """Save or load: the key, a name of letters and digits added to what
        the selector holds, Enter; then Esc in case it stayed open."""
        rng = self.rng
        k = rng.choice(['s', 's', 'l', 'S'])
        name = 'mk' + ''.join(rng.choice(LETTERS + DIGITS) for _ in range(rng.randint(1, 5)))
        if rng.random() < 0.6:
            name += '.map'
        if rng.random() < 0.3:  # a shipped course or level, if the selector shows the folder
            name = ('m%02d.map' if self.program == 'topdown' else 'tr%02d.map') % \
                rng.randint(1, 8)
        return [['key', k, 'sleep', '1.0'], ['type', '--delay', '30', name],
                ['sleep', '0.3', 'key', 'Return', 'sleep', '1.0', 'key', 'Escape',
                 'sleep', '0.5']]


def run(program, run_dir, seconds, seed):
    work = tempfile.mkdtemp(prefix='monkey-%s.' % program)
    session = Session(program, run_dir, work)
    monkey = Monkey(program, seed)
    before = snapshot(work)
    screens = set()
    events = 0
    try:
        session.start_x()
        session.start()
        end = time.time() + seconds
        next_shot = 0
        while time.time() < end:
            if not session.alive():
                session.ended()
                session.start()
            r = monkey.rng.random()
            if FILE_KEYS[program] and r < 0.05:
                for part in monkey.file_keys():
                    session.xdotool(*part, check=False)
            elif program == 'topdown' and r < 0.2:
                session.xdotool(*monkey.menu_keys(), check=False)
            else:
                session.xdotool(*monkey.batch(), check=False)
            events += 1
            if time.time() >= next_shot:
                screens.add(session.screen_hash())
                next_shot = time.time() + 2
                if os.environ.get('MONKEY_KEEP'):
                    subprocess.run(['import', '-window', 'root', '%s.shot-%03d.png' % (
                        work, len(screens))], env=session.env)
        # Still answering: the screen has changed during the run, it changes
        # after a key and a move of the pointer now, and Esc ends it.
        screens.add(session.screen_hash())
        if len(screens - {None}) < 3:
            raise Failure('the screen hardly changed in %d s: %d pictures' %
                          (seconds, len(screens - {None})))
        if not session.alive():
            session.ended()
            session.start()
        for attempt in range(6):
            shot = session.screen_hash()
            steps = PROBE[program] + [['mousemove', monkey.rng.randrange(monkey.w),
                                       monkey.rng.randrange(monkey.h), 'sleep', '1']]
            changed = False
            for step in steps:
                session.xdotool(*step, check=False)
                if session.screen_hash() != shot:
                    changed = True
                    break
            if changed:
                break
        else:
            subprocess.run(['import', '-window', 'root', os.path.join(work, 'no-answer.png')],
                           env=session.env)
            raise Failure('%s no longer answers: the screen stays as it is (its last '
                          'picture: no-answer.png)' % program)
        if session.alive():
            deadline = time.time() + 40
            while session.alive() and time.time() < deadline:
                # The pointer over the window first: with no window manager
                # focus follows it, and sideview_edit's 320x200 picture is
                # a window smaller than the screen.
                session.xdotool('mousemove', 2, 2, 'keydown', 'Escape', 'sleep', '0.2', 'keyup', 'Escape',
                                'sleep', '0.6', 'key', 'd', 'sleep', '0.6',
                                'keydown', 'Escape', 'sleep', '0.2', 'keyup', 'Escape',
                                'sleep', '0.6', 'key', 'Return', 'sleep', '0.8', check=False)
            if session.alive():
                raise Failure('%s does not end on Esc: hung' % program)
        session.ended()
        errors = open(os.path.join(work, 'err.txt'), errors='replace').read()
        marks = [m for m in SANITIZER_MARKS if m in errors]
        if marks:
            raise Failure('the sanitizers reported: %s' % ', '.join(marks))
        written = check_written(work, before)
        log('%s: %d s, %d batches of events, %d starts, %d different screens; files written '
            'and valid: %s' % (program, seconds, events, session.starts, len(screens),
                               ', '.join(written) or 'none'))
        return 0
    except Failure as e:
        log('FAIL: %s (seed %d)' % (e, seed))
        err = os.path.join(work, 'err.txt')
        if os.path.exists(err):
            lines = open(err, errors='replace').read().splitlines()
            log('\n'.join('  stderr: ' + l for l in lines[-60:]))
        keep = os.path.join(tempfile.gettempdir(), 'monkey-failed-%s' % program)
        shutil.rmtree(keep, ignore_errors=True)
        session.stop()
        shutil.copytree(work, keep, symlinks=True, ignore=shutil.ignore_patterns(program))
        log('  the folder is kept in %s' % keep)
        return 1
    finally:
        session.stop()
        if os.environ.get('MONKEY_KEEP'):
            log('  the folder is kept in %s' % work)
        else:
            shutil.rmtree(work, ignore_errors=True)


if __name__ == '__main__':
    if len(sys.argv) not in (4, 5) or sys.argv[1] not in SCREEN:
        sys.exit(__doc__)
    sys.exit(run(sys.argv[1], sys.argv[2], int(sys.argv[3]),
                 int(sys.argv[4]) if len(sys.argv) > 4 else 1))
