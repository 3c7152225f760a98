#!/usr/bin/env python3
"""Writes the seed bitmaps of fuzz_bmpreader to corpus/bmpreader/: small
pictures in each layout the converter takes, so that the fuzzer starts from
files that go all the way through the reader.
    fuzz/make_bmp_seeds.py"""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))
MASKS = struct.pack('<III', 0x00FF0000, 0x0000FF00, 0x000000FF)


def bitmap(width, height, bits, header_size=40, top_down=False, bitfields=False):
    pitch = (width * bits // 8 + 3) & ~3
    pixels = b''.join(bytes((x * 40 + y * 7) % 256 for x in range(width * bits // 8)).ljust(pitch, b'\0')
                      for y in range(height))
    info = struct.pack('<IiiHHIIiiII', header_size, width, -height if top_down else height, 1, bits,
                       3 if bitfields else 0, len(pixels), 2835, 2835, 0, 0)
    extra = MASKS if bitfields else b''
    info = (info + extra).ljust(header_size, b'\0') if header_size > 40 else info + extra
    offset = 14 + len(info)
    return b'BM' + struct.pack('<IHHI', offset + len(pixels), 0, 0, offset) + info + pixels


SEEDS = {
    'bgr-bottom-up.bmp': bitmap(3, 2, 24),
    'bgr-top-down.bmp': bitmap(5, 3, 24, top_down=True),
    'bgr-v4.bmp': bitmap(2, 2, 24, header_size=108),
    'bgrx-bottom-up.bmp': bitmap(3, 3, 32),
    'bgrx-bitfields.bmp': bitmap(2, 3, 32, bitfields=True),
    'bgrx-v5-bitfields-top-down.bmp': bitmap(4, 2, 32, header_size=124, top_down=True, bitfields=True),
}

if __name__ == '__main__':
    folder = os.path.join(HERE, 'corpus', 'bmpreader')
    os.makedirs(folder, exist_ok=True)
    for name, data in SEEDS.items():
        with open(os.path.join(folder, name), 'wb') as f:
            f.write(data)
