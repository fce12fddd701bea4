#!/usr/bin/env python3
"""Reads sideview's tune and checks what the game's player needs of it.

usage: music_tune_check.py TUNE.mid
       music_tune_check.py --first-notes K TUNE.mid
       music_tune_check.py --first-periods K TUNE.mid

The first form checks: a format-0 file with one track, ticks per quarter
note, a set-tempo event, at least 60 seconds long at its tempo, never more
than three notes sounding at once (counted in the order the events are
stored, as the player meets them, so a note-off must come before a note-on
at the same tick), no notes on channel 10 (counted from 0), every note-on
released by its note-off, and an end-of-track event closing the track.

The second form prints the frequencies in Hz of the first K notes, for a
check of what is heard; the third their periods on the game's sound
generator ("P" and the period, from the note's frequency in single
precision: 1,000,000 / f - 1, truncated), which is what it really plays.
"""
import struct
import sys

MAX_VOICES = 3
DRUM_CHANNEL = 10
MIN_SECONDS = 60.0


class Fault(Exception):
    pass


def read_track(data, pos, end):
    """The events of one track: (tick, kind, values) in stored order."""
    events, tick, running = [], 0, None

    def varlen():
        nonlocal pos
        value = 0
        for _ in range(4):
            if pos >= end:
                raise Fault("track ends inside a number")
            b = data[pos]
            pos += 1
            value = (value << 7) | (b & 0x7F)
            if not b & 0x80:
                return value
        raise Fault("number longer than four bytes")

    def take(n):
        nonlocal pos
        if pos + n > end:
            raise Fault("track ends inside an event")
        out = data[pos:pos + n]
        pos += n
        return out

    while pos < end:
        tick += varlen()
        status = data[pos] if pos < end else None
        if status is None:
            raise Fault("track ends after a delta time")
        if status & 0x80:
            pos += 1
        elif running is None:
            raise Fault("data byte without a status at tick %d" % tick)
        else:
            status = running
        if status == 0xFF:
            kind = take(1)[0]
            body = take(varlen())
            events.append((tick, "meta", (kind, body)))
            if kind == 0x2F:
                return events, pos
        elif status in (0xF0, 0xF7):
            take(varlen())
            running = None
        elif status >= 0xF0:
            raise Fault("system message %02x in a file" % status)
        else:
            running = status
            size = 1 if status >> 4 in (0xC, 0xD) else 2
            events.append((tick, "channel", (status,) + tuple(take(size))))
    raise Fault("track has no end-of-track event")


def read(path):
    with open(path, "rb") as f:
        data = f.read()
    if data[:4] != b"MThd" or len(data) < 14:
        raise Fault("no MThd header")
    size, fmt, ntracks, division = struct.unpack(">IHHh", data[4:14])
    if size != 6:
        raise Fault("header length %d" % size)
    if fmt != 0 or ntracks != 1:
        raise Fault("format %d with %d tracks, not format 0 with one" % (fmt, ntracks))
    if division <= 0:
        raise Fault("no ticks per quarter note (division %d)" % division)
    pos = 8 + size
    if data[pos:pos + 4] != b"MTrk":
        raise Fault("no MTrk chunk after the header")
    length = struct.unpack(">I", data[pos + 4:pos + 8])[0]
    end = pos + 8 + length
    if end > len(data):
        raise Fault("track chunk longer than the file")
    events, stop = read_track(data, pos + 8, end)
    if stop != end:
        raise Fault("%d bytes after the end-of-track event" % (end - stop))
    return division, events


def notes_of(events):
    """(tick, channel, key, is_on) for every note event, in stored order."""
    out = []
    for tick, kind, v in events:
        if kind != "channel" or v[0] >> 4 not in (8, 9):
            continue
        on = v[0] >> 4 == 9 and v[2] > 0
        out.append((tick, v[0] & 0x0F, v[1], on))
    return out


def seconds(division, events):
    """Length of the track in seconds, following its tempo changes."""
    us, last, total = 500000, 0, 0.0
    for tick, kind, v in events:
        total += (tick - last) * us / division / 1e6
        last = tick
        if kind == "meta" and v[0] == 0x51 and len(v[1]) == 3:
            us = (v[1][0] << 16) | (v[1][1] << 8) | v[1][2]
    return total


def check(path):
    division, events = read(path)
    tempos = [v for _, kind, v in events if kind == "meta" and v[0] == 0x51]
    if not tempos:
        raise Fault("no set-tempo event")
    length = seconds(division, events)
    if length < MIN_SECONDS:
        raise Fault("only %.1f seconds long" % length)
    sounding, most, count = {}, 0, 0
    for tick, ch, key, on in notes_of(events):
        if ch == DRUM_CHANNEL:
            raise Fault("a note on channel 10 at tick %d" % tick)
        if on:
            if (ch, key) in sounding:
                raise Fault("note %d on channel %d starts again while sounding, tick %d"
                            % (key, ch, tick))
            sounding[(ch, key)] = tick
            count += 1
            most = max(most, len(sounding))
            if len(sounding) > MAX_VOICES:
                raise Fault("%d notes at once at tick %d" % (len(sounding), tick))
        elif sounding.pop((ch, key), None) is None:
            raise Fault("note-off without its note-on: key %d channel %d tick %d"
                        % (key, ch, tick))
    if sounding:
        raise Fault("%d notes never released" % len(sounding))
    print("%s: %d notes, %.1f s, at most %d at once" % (path, count, length, most))


def first_notes(path, k):
    _, events = read(path)
    keys = [key for _, _, key, on in notes_of(events) if on][:k]
    return ["%.2f" % (440.0 * 2 ** ((key - 69) / 12.0)) for key in keys]


def first_periods(path, k):
    _, events = read(path)
    keys = [key for _, _, key, on in notes_of(events) if on][:k]
    single = lambda x: struct.unpack("f", struct.pack("f", x))[0]
    return ["P%d" % int(single(single(1e6 / single(440.0 * 2 ** ((key - 69) / 12.0))) - 1))
            for key in keys]


def main():
    args = sys.argv[1:]
    try:
        if len(args) == 3 and args[0] == "--first-notes":
            print(" ".join(first_notes(args[2], int(args[1]))))
            return 0
        if len(args) == 3 and args[0] == "--first-periods":
            print(" ".join(first_periods(args[2], int(args[1]))))
            return 0
        if len(args) == 1:
            check(args[0])
            return 0
    except (OSError, Fault) as e:
        print("%s: %s" % (args[-1], e), file=sys.stderr)
        return 1
    print("\n".join(__doc__.strip().splitlines()[2:5]), file=sys.stderr)
    return 2


if __name__ == "__main__":
    sys.exit(main())
