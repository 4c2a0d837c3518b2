#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
# Writes the seed inputs of fuzz/corpus/<target>/. libFuzzer's FuzzedDataProvider reads strings
# from the front of an input and numbers from its back, so each seed is built as the two halves.
import os

here = os.path.dirname(os.path.abspath(__file__))
STRUCTURES = ["unstr", "pcm30", "pcm30crc", "pcm31", "pcm31crc"]
KEYS = ["structure", "pattern", "speaker", "speaker-volume", "microphone", "vfsource",
        "voice-transmit"]
VALUES = ["none", "pat", "voice", "unstr", "pcm30", "pcm30crc", "pcm31", "pcm31crc", "2e9",
          "2e15", "2e23-1", "all0", "all1", "55", "0x1A2B", "on", "off", "tone", "mic",
          "microphone", "<-24dB", "-12.5", "1000", "0", "100", "-1", "101"]
BUTTONS = ["btnPrbs", "btnVoiceFunc", "copyToRx", "copyToTx", "btnTone", "btnMicrophone",
           "btnSpeaker", "pattern_2e9", "pattern_all1", "pattern_55", "applyUserPattern"]


class Input:
    def __init__(self):
        self.front, self.back = b"", []

    def text(self, s):  # a string read up to a backslash and one more character
        self.front += s.encode() + b"\\;"

    def number(self, value, lowest=0, size=1):  # read from the back, most significant first
        value -= lowest
        self.back += [(value >> (8 * i)) & 0xFF for i in reversed(range(size))]

    def bytes(self):
        return self.front + bytes(reversed(self.back))


def write(target, name, data):
    os.makedirs(os.path.join(here, target), exist_ok=True)
    with open(os.path.join(here, target, name), "wb") as f:
        f.write(data)


# card_commands: the structure, no masked item (or one), then one command a line.
every_command = "\n".join([
    "timeslot", "timeslot rx 5 voice", "timeslot tx 16 pat", "timeslot rx 0x0000FFFE pat",
    "timeslot tx 0xfffefffe none", "timeslot rx 0 pat", "vfsource mic", "speaker off",
    "speaker volume 75", "microphone 30", "pattern 2e23-1", "pattern 0x1A2B", "pattern all0",
    "structure pcm31crc", "timeslot rx 7 voice", "speaker volume 101", "unknown word"])
for index, structure in enumerate(STRUCTURES):
    write("card_commands", "every-command-" + structure,
          every_command.encode() + bytes([0, index]))
write("card_commands", "masked-speaker-and-slot-9",
      b"speaker on\ntimeslot rx 9 voice" + bytes([10, 0, 2, 2]))


# plugin_state: steps, each a direction, a kind and what the kind reads.
def step(i, kind, rx=True):
    i.number(1 if rx else 0)
    i.number(kind)


def value(i, text):  # a word of the vocabulary
    i.number(2)
    i.number(VALUES.index(text))


def set_key(i, key, text):
    step(i, 0)
    i.number(1)
    i.number(KEYS.index(key))
    value(i, text)


def set_slot(i, side, slot, text):
    step(i, 0)
    i.number(0)
    i.number(1 if side == "rx" else 0)
    i.number(slot)
    value(i, text)


def publish(i, level, frequency):
    step(i, 4)
    i.number(0)  # "vfsignal"
    i.number(2)
    for key, text in (("level", level), ("frequency", frequency)):
        i.number(["level", "frequency"].index(key))
        i.number(6)
        value(i, text)


def deliver(i):
    step(i, 13)


def click(i, button):
    step(i, 10)
    i.number(BUTTONS.index(button))


def seed(name, *actions):
    i = Input()
    for action in actions:
        action(i)
    deliver(i)
    write("plugin_state", name, i.bytes())


seed("factory")
for structure in STRUCTURES:
    seed("structure-" + structure, lambda i, s=structure: set_key(i, "structure", s))
seed("data-map", lambda i: publish(i, "-12.5", "1000"), lambda i: click(i, "btnVoiceFunc"))
seed("data-map-below-range", lambda i: click(i, "btnVoiceFunc"), lambda i: publish(i, "<-24dB", "0"))
seed("voice-everywhere", lambda i: set_slot(i, "tx", 7, "voice"), lambda i: set_slot(i, "rx", 9, "voice"),
     deliver, lambda i: click(i, "copyToRx"))
seed("pattern-and-dialog", lambda i: set_key(i, "pattern", "0x1A2B"), deliver,
     lambda i: click(i, "btnPrbs"), lambda i: click(i, "pattern_55"))
seed("speaker-masked", lambda i: (step(i, 2), i.number(1), i.number(KEYS.index("speaker")),
                                  i.number(0), value(i, "off")))
seed("measurement", lambda i: (step(i, 6), i.number(0), i.number(1)), deliver,
     lambda i: (step(i, 8), i.number(5, 1), i.number(2, -1)))

# text_entry: the text, then the entry that reads it.
for name, entry, text in [
        ("arguments", 0, "--screen-size\n800x600\n--lang=de\n--plugin\n/opt/lib/libtimeslots.so"),
        ("arguments-screenshots", 0, "--screenshots=shots\n-v"),
        ("arguments-bad", 0, "--screen-size=100x80\n--bogus\nextra"),
        ("arguments-empty-plugin", 0, "--plugin="),
        ("panel-command", 1, "  timeslot rx 0x0000FFFE pat "),
        ("panel-structure", 1, "structure unstr"),
        ("typed-pattern", 2, "1a2B"),
        ("model-pattern", 3, "2e23-1"),
        ("model-user-pattern", 3, "0xFFFFFFFF"),
        ("model-pattern-newline", 3, "0x1A\n"),
        ("verification", 4, "pattern=QT_PLUGIN_VERIFICATION_DATA\nversion=4.7.1\ndebug=false\n"
                            "buildkey=arm linux oe-g++ full-config")]:
    write("text_entry", name, text.encode() + bytes([entry]))
