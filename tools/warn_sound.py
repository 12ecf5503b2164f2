#!/usr/bin/python3
"""Writes the risk-control alarm "Warn.wav": three falling two-tone beeps, 8-bit mono at
11025 Hz, short enough to repeat every 13 seconds. Python standard library only; writes into
resources/sounds/ beside this tree."""

import math
import os
import wave

OUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "resources", "sounds", "Warn.wav")
RATE = 11025
VOLUME = 90          # of 127 around the 8-bit midpoint


def tone(frequency, seconds):
    count = int(RATE * seconds)
    fade = int(RATE * 0.01)
    samples = bytearray()
    for i in range(count):
        envelope = min(1.0, i / fade, (count - i) / fade)
        value = math.sin(2 * math.pi * frequency * i / RATE)
        samples.append(128 + int(VOLUME * envelope * value))
    return samples


def silence(seconds):
    return bytearray([128] * int(RATE * seconds))


def alarm():
    samples = bytearray()
    for _ in range(3):
        samples += tone(1320, 0.15) + tone(880, 0.15) + silence(0.1)
    return samples


def main():
    os.makedirs(os.path.dirname(OUT), exist_ok=True)
    with wave.open(OUT, "wb") as out:
        out.setnchannels(1)
        out.setsampwidth(1)
        out.setframerate(RATE)
        out.writeframes(bytes(alarm()))


if __name__ == "__main__":
    main()
