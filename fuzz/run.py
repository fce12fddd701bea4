#!/usr/bin/env python3
"""run.py -- the fuzz targets' seed corpora and their runs.

Seed files live in fuzz/corpus/TARGET/ as readable sources: a NAME.seed
file is compiled into the bytes it describes (below), any other file is
taken as it is (the text readers' seeds are plain text). The files the build
ships (courses, levels, pictures, the tune ...) join them from the run
folders at run time.

  run.py replay FUZZ_BUILD TARGET
      runs the target once on every seed and shipped file: a regression
      test, with or without libFuzzer.
  run.py fuzz FUZZ_BUILD TARGET SECONDS [-- LIBFUZZER ARGS]
      fuzzes for SECONDS (0: no limit; -runs=N after -- stops it after N
      runs) starting from those files; new inputs collect in
      corpus-work/TARGET of FUZZ_BUILD, and an input that makes the target
      fail is saved as artifacts/TARGET-crash-... there, with the command
      that turns it into a seed.
  run.py seed FILE
      prints FILE as a .seed source (for a failing input: save it as
      fuzz/corpus/TARGET/NAME.seed with a comment on what it found).

FUZZ_BUILD is the build's fuzz folder (build-asan/fuzz): it holds the
programs fuzz_TARGET and targets.txt, where the build lists each target's
run folder and shipped files: paths under the run folder, with * and ? as
in the shell; "a+b+c+d" joins the four files with the separator of the
"four" target.

.seed format: '#' starts a comment; the rest is a list of items separated by
white space: a hex byte "4d", a repeated byte "00*38400", or a quoted
string "MThd" (escapes \\n \\t \\\\ \\" \\xHH).
"""
import glob
import os
import re
import shutil
import signal
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
FOUR_SEPARATOR = b'\n--four--\n'
# libFuzzer's exit status when a run is stopped by SIGINT or SIGTERM.
LIBFUZZER_INTERRUPTED = 72


def compile_seed(text, where):
    out = bytearray()
    text = re.sub(r'#[^\n]*', '', text)
    for m in re.finditer(r'"((?:[^"\\]|\\.)*)"|(\S+)', text):
        if m.group(1) is not None:
            s = m.group(1)
            i = 0
            while i < len(s):
                c = s[i]
                if c == '\\':
                    e = s[i + 1]
                    if e == 'x':
                        out.append(int(s[i + 2:i + 4], 16))
                        i += 4
                        continue
                    out += {'n': b'\n', 't': b'\t', '\\': b'\\', '"': b'"'}[e]
                    i += 2
                    continue
                out += c.encode('latin-1')
                i += 1
            continue
        item = m.group(2)
        r = re.fullmatch(r'([0-9a-fA-F]{2})(?:\*(\d+))?', item)
        if not r:
            sys.exit('%s: not a byte, repeated byte or string: %r' % (where, item))
        out += bytes([int(r.group(1), 16)]) * int(r.group(2) or 1)
    return bytes(out)


def as_seed(data):
    lines, i = [], 0
    while i < len(data):
        j = i
        while j < len(data) and data[j] == data[i]:
            j += 1
        if j - i >= 8:
            lines.append('%02x*%d' % (data[i], j - i))
            i = j
            continue
        lines.append(' '.join('%02x' % b for b in data[i:i + 16]))
        i += 16
    return '\n'.join(lines) + '\n'


def gather(target, run_dir, shipped, out_dir):
    """Writes every seed and shipped file of target into out_dir."""
    n = 0
    src = os.path.join(HERE, 'corpus', target)
    for name in sorted(os.listdir(src)) if os.path.isdir(src) else []:
        path = os.path.join(src, name)
        data = open(path, 'rb').read()
        if name.endswith('.seed'):
            data = compile_seed(data.decode('utf-8'), path)
        open(os.path.join(out_dir, 'seed-' + name), 'wb').write(data)
        n += 1
    for pattern in shipped:
        parts = pattern.split('+')
        if len(parts) > 1:
            files = [os.path.join(run_dir, p) for p in parts]
            if all(os.path.exists(f) for f in files):
                data = FOUR_SEPARATOR.join(open(f, 'rb').read() for f in files)
                open(os.path.join(out_dir, 'shipped-joined-' + os.path.basename(files[0])),
                     'wb').write(data)
                n += 1
            continue
        for path in sorted(glob.glob(os.path.join(run_dir, pattern))):
            shutil.copy(path, os.path.join(out_dir, 'shipped-' + os.path.basename(
                os.path.dirname(path)) + '-' + os.path.basename(path)))
            n += 1
    if n == 0:
        sys.exit('no seeds for %s' % target)
    return n


def scratch_env(tmp):
    env = dict(os.environ)
    env['TMPDIR'] = tmp
    return env


def target_info(fuzz_build, target):
    """The run folder and shipped files of target, from targets.txt."""
    for line in open(os.path.join(fuzz_build, 'targets.txt')):
        fields = line.rstrip('\n').split('\t')  # name, run folder, shipped files
        if fields[0] == target:
            return fields[1], fields[2].split()
    sys.exit('no fuzz target %s in %s/targets.txt' % (target, fuzz_build))


def main():
    if len(sys.argv) == 3 and sys.argv[1] == 'seed':
        sys.stdout.write(as_seed(open(sys.argv[2], 'rb').read()))
        return 0
    args = sys.argv[1:]
    extra = []
    if '--' in args:
        extra = args[args.index('--') + 1:]
        args = args[:args.index('--')]
    if len(args) < 3 or args[0] not in ('replay', 'fuzz') or (args[0] == 'fuzz') != (len(args) == 4):
        sys.exit(__doc__)
    mode, fuzz_build, target = args[0], os.path.abspath(args[1]), args[2]
    seconds = int(args[3]) if mode == 'fuzz' else 0
    run_dir, shipped = target_info(fuzz_build, target)
    binary = os.path.join(fuzz_build, 'fuzz_' + target)
    # The targets' scratch folders go into memory where there is some.
    base = '/dev/shm' if os.access('/dev/shm', os.W_OK) else None
    tmp = tempfile.mkdtemp(prefix='fuzz-%s.' % target, dir=base)
    try:
        seeds = os.path.join(tmp, 'seeds')
        os.mkdir(seeds)
        n = gather(target, run_dir, shipped, seeds)
        work = os.path.join(tmp, 'work')
        os.mkdir(work)
        if mode == 'replay':
            print('%s: %d seeds' % (target, n), flush=True)
            # -runs=0: libFuzzer runs the files and stops (replay.cpp ignores it).
            return subprocess.call([binary, '-runs=0', seeds], env=scratch_env(work))
        corpus = os.path.join(fuzz_build, 'corpus-work', target)
        artifacts = os.path.join(fuzz_build, 'artifacts')
        os.makedirs(corpus, exist_ok=True)
        os.makedirs(artifacts, exist_ok=True)
        cmd = [binary, '-max_total_time=%d' % seconds, '-timeout=10', '-rss_limit_mb=2048',
               '-print_final_stats=1', '-close_fd_mask=3',
               '-artifact_prefix=%s/%s-' % (artifacts, target)] + extra + [corpus, seeds]
        print(' '.join(cmd), flush=True)
        # Ctrl+C (or a SIGINT to this script alone) stops the target, which
        # then prints its statistics; this script waits for them.
        proc = subprocess.Popen(cmd, env=scratch_env(work))
        while True:
            try:
                rc = proc.wait()
                break
            except KeyboardInterrupt:
                proc.send_signal(signal.SIGINT)
        if rc == LIBFUZZER_INTERRUPTED:
            print('\nStopped by a signal before its end; no input failed.')
        elif rc != 0:
            print('\nThe target failed. Keep the input that did it as a seed:\n'
                  '  python3 %s seed %s/%s-<crash file> > %s/corpus/%s/NAME.seed' %
                  (os.path.abspath(__file__), artifacts, target, HERE, target))
        return rc
    finally:
        shutil.rmtree(tmp, ignore_errors=True)


if __name__ == '__main__':
    sys.exit(main())
