#!/usr/bin/env python3
"""Finds the first notes in a recording and checks their pitches.

usage: audio_notes.py [--tolerance PERCENT] [--window SECONDS] WAV NOTE...

Each NOTE is a frequency in Hz ("392", "261.63") or a period of sideview's
sound generator written "P" and the period ("P2271"), which sounds at
998,365 / period Hz. The first len(NOTE...) notes heard in the WAV file
must have these frequencies, in this order, within PERCENT (default 1).
Exit status 0 when they do, 1 when not (with what was heard), 2 on bad
arguments or an unreadable file.

The notes must be heard one at a time, as square waves or anything else
with one clear crossing of the middle level each half period: leading
silence is skipped, a note ends where a silence or a change of pitch
begins. 8-, 16-, 24- and 32-bit PCM, any rate, any number of channels (the
first one is used); a data chunk whose length was never filled in (as a
recording cut short leaves it) is read to the end of the file.
"""
import argparse
import struct
import sys

GENERATOR_HZ_PERIOD = 998365.0   # frequency x period of sideview's generator
GAP_SECONDS = 0.02               # no crossing for this long: a silence
QUIET_SECONDS = 0.002            # this long near the middle level: a silence
MIN_NOTE_SECONDS = 0.02          # shorter runs are transitions, not notes
LOOKAHEAD = 8                    # half periods averaged to spot a new pitch
PITCH_CHANGE = 0.035             # relative change of half period that does


def read_wav(path, window):
    """The first `window` seconds of the first channel as signed numbers
    around 0, and the sample rate."""
    with open(path, "rb") as f:
        data = f.read()
    if len(data) < 12 or data[:4] != b"RIFF" or data[8:12] != b"WAVE":
        raise ValueError("not a WAV file")
    pos, fmt, pcm = 12, None, None
    while pos + 8 <= len(data):
        tag, size = data[pos:pos + 4], struct.unpack("<I", data[pos + 4:pos + 8])[0]
        body = pos + 8
        if tag == b"fmt ":
            fmt = struct.unpack("<HHIIHH", data[body:body + 16])
        elif tag == b"data":
            end = body + size if 0 < size <= len(data) - body else len(data)
            pcm = data[body:end]
            break
        pos = body + size + (size & 1)
    if fmt is None or pcm is None:
        raise ValueError("no format or data chunk")
    kind, channels, rate, _, align, bits = fmt
    if kind not in (1, 0xFFFE) or bits not in (8, 16, 24, 32) or channels < 1:
        raise ValueError("unsupported sample format (%d, %d bits)" % (kind, bits))
    width = bits // 8
    frames = min(len(pcm) // align, int(window * rate))
    if bits == 8:
        samples = [pcm[i * align] - 128 for i in range(frames)]
    else:
        samples = [int.from_bytes(pcm[i * align:i * align + width], "little", signed=True)
                   for i in range(frames)]
    return samples, rate


def crossings(samples, rate):
    """Sample positions where the signal changes sides of its middle level
    (halfway between its extremes), with hysteresis at a third of its
    typical loud level; None where it stays near the middle for a while (a
    silence: a tone only passes through)."""
    if not samples:
        return []
    mid = (max(samples) + min(samples)) / 2.0
    loud = sorted(abs(s - mid) for s in samples if abs(s - mid) >= 1)
    if not loud:
        return []
    level = loud[int(len(loud) * 0.9)] / 3.0
    quiet_limit = int(QUIET_SECONDS * rate)
    side, quiet, out = 0, 0, []
    for i, s in enumerate(samples):
        s -= mid
        if -level <= s <= level:
            quiet += 1
            if quiet == quiet_limit and side != 0:
                out.append(None)
                side = 0
            continue
        quiet = 0
        new = 1 if s > 0 else -1
        if new != side:
            if side != 0:
                out.append(i)
            side = new
    return out


def notes(marks, rate):
    """(start in seconds, frequency in Hz) of each note, in order."""
    gap = GAP_SECONDS * rate
    found = []

    def close(run):
        if len(run) >= 9 and run[-1] - run[0] >= MIN_NOTE_SECONDS * rate:
            halves = len(run) - 1
            found.append((run[0] / rate, rate * halves / (2.0 * (run[-1] - run[0]))))

    # Split at silences first, then within each stretch at changes of pitch.
    stretches, cur = [], []
    for m in marks:
        if m is None or (cur and m - cur[-1] > gap):
            stretches.append(cur)
            cur = [] if m is None else [m]
        else:
            cur.append(m)
    stretches.append(cur)
    for flips in stretches:
        run = []
        for i, t in enumerate(flips):
            if len(run) > LOOKAHEAD and i + LOOKAHEAD <= len(flips):
                # The next half periods against the note's average so far.
                mean = (run[-1] - run[0]) / (len(run) - 1.0)
                ahead = (flips[i - 1 + LOOKAHEAD] - flips[i - 1]) / float(LOOKAHEAD)
                if abs(ahead - mean) > PITCH_CHANGE * mean:
                    close(run)
                    run = [run[-1]]
            run.append(t)
        close(run)
    return found


def expected_hz(text):
    if text[:1] in ("P", "p"):
        return GENERATOR_HZ_PERIOD / float(text[1:])
    return float(text)


def main():
    ap = argparse.ArgumentParser(description="Checks the first notes of a recording.")
    ap.add_argument("--tolerance", type=float, default=1.0, help="percent (default 1)")
    ap.add_argument("--window", type=float, default=60.0,
                    help="seconds of the recording to search (default 60)")
    ap.add_argument("wav")
    ap.add_argument("notes", nargs="+")
    args = ap.parse_args()
    try:
        want = [expected_hz(n) for n in args.notes]
        samples, rate = read_wav(args.wav, args.window)
    except (OSError, ValueError) as e:
        print("audio_notes: %s" % e, file=sys.stderr)
        return 2
    heard = notes(crossings(samples, rate), rate)
    ok = len(heard) >= len(want)
    for k, hz in enumerate(want):
        if k >= len(heard):
            print("note %d: expected %.1f Hz, heard nothing" % (k + 1, hz))
            continue
        at, got = heard[k]
        off = 100.0 * (got - hz) / hz
        good = abs(off) <= args.tolerance
        ok = ok and good
        print("note %d at %.3f s: %.1f Hz, expected %.1f Hz (%+.2f%%)%s"
              % (k + 1, at, got, hz, off, "" if good else "  <- wrong"))
    return 0 if ok else 1


if __name__ == "__main__":
    sys.exit(main())
