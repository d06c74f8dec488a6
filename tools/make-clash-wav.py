#!/usr/bin/env python3
"""Synthesizes the crash sound: a decaying noise burst over a low thump (mono, 16-bit, 11025 Hz)."""
import math
import random
import struct
import sys
import wave

RATE = 11025
SECONDS = 0.6
SEED = 20020912
ATTACK = 0.003        # seconds of fade-in, so the burst starts without a click
RELEASE = 0.05        # seconds of fade-out, so the tail ends without one
NOISE_DECAY = 0.11    # time constant of the noise envelope, seconds
THUMP_DECAY = 0.16    # time constant of the low thump
THUMP_FROM_HZ = 110.0 # the thump glides down like a collapsing blast
THUMP_TO_HZ = 38.0
PEAK = 0.9            # of full scale


def samples():
    rng = random.Random(SEED)
    low = 0.0
    phase = 0.0
    for n in range(int(RATE * SECONDS)):
        t = n / RATE
        fade = min(1.0, t / ATTACK, (SECONDS - t) / RELEASE)
        # One-pole low-pass whose cutoff falls over time: a bright crack that darkens into rumble.
        alpha = 0.85 * math.exp(-t / 0.08) + 0.08
        low += alpha * (rng.uniform(-1.0, 1.0) - low)
        noise = low * math.exp(-t / NOISE_DECAY)
        # Sparse crackles in the first part of the tail.
        if t < 0.3 and rng.random() < 0.004:
            noise += rng.uniform(-0.6, 0.6) * math.exp(-t / 0.15)
        freq = THUMP_TO_HZ + (THUMP_FROM_HZ - THUMP_TO_HZ) * math.exp(-t / 0.07)
        phase += 2 * math.pi * freq / RATE
        thump = 0.8 * math.sin(phase) * math.exp(-t / THUMP_DECAY)
        yield fade * (noise + thump)


def main():
    path = sys.argv[1] if len(sys.argv) > 1 else "clash.wav"
    raw = list(samples())
    scale = PEAK * 32767 / max(abs(s) for s in raw)
    frames = b"".join(struct.pack("<h", round(s * scale)) for s in raw)
    with wave.open(path, "wb") as out:
        out.setnchannels(1)
        out.setsampwidth(2)
        out.setframerate(RATE)
        out.writeframes(frames)


if __name__ == "__main__":
    main()
