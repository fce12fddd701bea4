#!/usr/bin/env python3
"""Writes small Standard MIDI Files for the music player's tests, each with
the sound-register writes the game's player must make for it.

usage: music_midi_writer.py OUTDIR

For every NAME it writes OUTDIR/NAME.mid and OUTDIR/NAME.expect; each line
of the .expect file is "LINE VOICE REGISTER VALUE": a write to a sound
register in the scan line with that number, counting the first line after
the music starts as line 1.

The expected writes come from a model of the player kept here, apart from
the C++ code: delta times become scan lines at the tempo in force (scan
lines per quarter note = microseconds x 156 / 10,000, 7,000 before the
first tempo event), truncated delta by delta; a note takes the first free
of three voices (period low byte, high byte, then control = velocity / 2 +
0x40) or is dropped; a note-off (or a note-on with velocity 0) silences the
first voice holding that channel and note (control = 0); channel 10 is
never played.
"""
import math
import os
import struct
import sys

DEFAULT_TEMPO = 7000


def varlen(n):
    """A variable-length number: 7 bits a byte, high bit on all but the last."""
    out = [n & 0x7F]
    n >>= 7
    while n:
        out.insert(0, 0x80 | (n & 0x7F))
        n >>= 7
    return bytes(out)


def period(note):
    """The sound period of a note: 1e6 / f - 1 in single precision, or
    0x8000 when that does not fit a signed 16-bit number."""
    f = struct.unpack("f", struct.pack("f", 440.0 * 2.0 ** ((note - 69) / 12.0)))[0]
    p = 1e6 / f - 1.0
    return 0x8000 if p > 32767 else int(p)


class Track:
    """Events in order, each a delta time, its bytes as written (running
    status may leave the status out) and what the player should do."""

    def __init__(self):
        self.events = []  # (delta, bytes, action)
        self.status = None

    def _channel(self, delta, status, data, action, running=True):
        if running and status == self.status:
            raw = bytes(data)
        else:
            raw = bytes([status]) + bytes(data)
        self.status = status
        self.events.append((delta, raw, action))

    def on(self, delta, ch, note, vel, running=True):
        act = ("off", ch, note) if vel == 0 else ("on", ch, note, vel)
        self._channel(delta, 0x90 | ch, [note, vel], act, running)

    def off(self, delta, ch, note, running=True):
        self._channel(delta, 0x80 | ch, [note, 0x40], ("off", ch, note), running)

    def other(self, delta, status, data):
        """A channel message the player skips (controller, program, bend)."""
        self._channel(delta, status, data, None)

    def meta(self, delta, kind, payload, action=None):
        self.events.append((delta, bytes([0xFF, kind]) + varlen(len(payload)) + payload, action))

    def tempo(self, delta, us):
        self.meta(delta, 0x51, bytes([us >> 16, (us >> 8) & 0xFF, us & 0xFF]), ("tempo", us))

    def sysex(self, delta, payload):
        self.events.append((delta, bytes([0xF0]) + varlen(len(payload)) + payload, None))

    def end(self, delta=0):
        self.meta(delta, 0x2F, b"", ("end",))

    def chunk(self):
        body = b"".join(varlen(d) + raw for d, raw, _ in self.events)
        return b"MTrk" + struct.pack(">I", len(body)) + body


def smf(fmt, division, tracks, header_extra=b"", chunks_before=b""):
    head = struct.pack(">HHH", fmt, len(tracks), division) + header_extra
    return (b"MThd" + struct.pack(">I", len(head)) + head + chunks_before
            + b"".join(t.chunk() for t in tracks))


def expected(track, division):
    """The register writes of the first track, as (line, voice, reg, value)."""
    tempo = DEFAULT_TEMPO
    line = 1
    voices = [None, None, None]  # (channel, note) or None
    writes = []
    for delta, _, action in track.events:
        line += delta * tempo // division
        if action is None:
            continue
        kind = action[0]
        if kind == "end":
            break
        if kind == "tempo":
            tempo = action[1] * 156 // 10000
        elif kind == "on":
            _, ch, note, vel = action
            if ch == 10 or None not in voices:
                continue
            v = voices.index(None)
            voices[v] = (ch, note)
            p = period(note)
            writes += [(line, v, 0, p & 0xFF), (line, v, 1, p >> 8), (line, v, 2, vel // 2 + 0x40)]
        elif kind == "off":
            _, ch, note = action
            if ch != 10 and (ch, note) in voices:
                v = voices.index((ch, note))
                voices[v] = None
                writes.append((line, v, 2, 0))
    return writes


def tune():
    """A tempo event, a short tune with three-note chords, a dropped fourth
    note, repeated pitches, running status, velocity-0 note-offs, channels
    9 and 10, skipped messages, a tempo change and deltas of one to three
    bytes."""
    t = Track()
    t.meta(0, 0x03, b"test tune")
    t.tempo(0, 500000)                      # 7,800 lines a quarter note
    t.other(0, 0xC0, [5])                   # program change
    t.other(0, 0xB0, [7, 100])              # controller
    melody = [60, 62, 64, 65, 67, 69, 71, 72]
    for i, n in enumerate(melody):
        t.on(0 if i == 0 else 12, 0, n, 100)
        t.off(36, 0, n)                     # 0x80 first time, running after
    # A chord of three, a fourth note that finds no voice, then its release.
    t.on(24, 1, 48, 90)
    t.on(0, 1, 52, 80)
    t.on(0, 1, 55, 70)
    t.on(6, 1, 60, 127)                     # dropped
    t.other(6, 0xE1, [0x00, 0x50])          # pitch bend: logged, ignored
    t.on(6, 1, 60, 0)                       # its release: nothing to free
    t.on(6, 1, 52, 0)                       # velocity 0 frees voice 1
    t.on(0, 9, 76, 64)                      # channel 9 plays, on voice 1
    t.on(0, 10, 36, 100)                    # channel 10 never does
    t.off(48, 10, 36)
    t.off(0, 9, 76)
    t.off(0, 1, 48)
    t.off(0, 1, 55)
    # The same pitch twice takes two voices; the first release frees voice 0.
    t.on(200, 2, 67, 60)                    # a two-byte delta
    t.on(0, 2, 67, 40)
    t.sysex(10, bytes([0x7E, 0x7F, 0x09, 0x01, 0xF7]))
    t.off(30, 2, 67)
    t.on(20, 2, 79, 50)                     # takes voice 0 again
    t.off(40, 2, 67)
    t.off(0, 2, 79)
    # A fast tempo (15 lines a quarter note), then a three-byte delta.
    t.tempo(10, 1000)
    t.on(0, 3, 100, 110)
    t.off(20000, 3, 100)
    t.on(0, 3, 20, 100)                     # below note 23: period 0x8000
    t.off(96, 3, 20)
    t.end(50)
    t.on(0, 0, 72, 100)                     # after the end: never played
    return smf(0, 96, [t]), t, 96


def format1():
    """Two tracks: only the first, with its tempo and one note, is played."""
    first = Track()
    first.tempo(0, 250000)                  # 3,900 lines a quarter note
    first.on(48, 0, 69, 100)
    first.off(96, 0, 69)
    first.end(0)
    second = Track()
    for i in range(4):
        second.on(0, 1, 50 + i, 100)
        second.off(24, 1, 50 + i)
    second.end(0)
    return smf(1, 48, [first, second]), first, 48


def long_header():
    """A header chunk of 10 bytes and a chunk of another kind before the
    track: both are skipped by their lengths."""
    t = Track()
    t.on(10, 4, 57, 127)
    t.on(0, 4, 61, 126)
    t.off(120, 4, 57, running=False)
    t.off(1, 4, 61)
    t.end(0)
    other = b"XYZW" + struct.pack(">I", 5) + b"hello"
    return smf(0, 120, [t], header_extra=b"\x00\x07\x00\x00", chunks_before=other), t, 120


def main():
    if len(sys.argv) != 2:
        sys.exit("usage: music_midi_writer.py OUTDIR")
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    for name, make in (("tune", tune), ("format1", format1), ("long_header", long_header)):
        data, track, division = make()
        with open(os.path.join(out, name + ".mid"), "wb") as f:
            f.write(data)
        with open(os.path.join(out, name + ".expect"), "w") as f:
            for w in expected(track, division):
                f.write("%d %d %d %d\n" % w)


if __name__ == "__main__":
    main()
