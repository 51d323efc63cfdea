"""Prints the notes of a MIDI file as read by mido, an independent reader.

One line for the header ("format tracks ticks_per_beat"), then one line per note
message: "track tick type channel note velocity", ticks counted from the track start.
Exit status 3 when mido is not installed.
"""
import sys

try:
    import mido
except ImportError:
    sys.exit(3)

midi = mido.MidiFile(sys.argv[1])
print(midi.type, len(midi.tracks), midi.ticks_per_beat)
for index, track in enumerate(midi.tracks):
    tick = 0
    for message in track:
        tick += message.time
        if message.type in ("note_on", "note_off"):
            print(index, tick, message.type, message.channel, message.note, message.velocity)
