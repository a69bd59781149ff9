#!/usr/bin/env python3
"""Writes the fuzzers' seed corpora under tests/fuzz/seeds/<target>/ from a
native build's generated containers: real compressed records, real lesson
texts and the index text, each wrapped in the small header its target reads,
plus a few hand-made values. Usage: fuzz_seeds.py <generated-dir> <seeds-dir>"""
import os, struct, sys

gen, out = sys.argv[1], sys.argv[2]

def be16(b, i): return b[i] << 8 | b[i + 1]

def records(container):
    """(compressed bytes, stated size) of every record of a container."""
    body = be16(container, 0)
    at, end = 6, min(len(container), 6 + body)
    while at + 4 < end:
        packed, size = be16(container, at), be16(container, at + 2)
        if packed == 0: break
        yield container[at + 4: at + 4 + packed], size
        at += 4 + packed

def decode(data, size):
    out = bytearray(); i = 0
    while len(out) < size and i < len(data):
        b = data[i]; i += 1
        if 1 <= b <= 8: out += data[i:i + b]; i += b
        elif b < 0x80: out.append(b)
        elif b < 0xC0:
            v = b << 8 | data[i]; i += 1
            d, n = (v >> 3) & 0x7FF, (v & 7) + 3
            for _ in range(n): out.append(out[-d])
        else: out += bytes([0x20, b ^ 0x80])
    return bytes(out[:size])

def put(target, name, data):
    d = os.path.join(out, target); os.makedirs(d, exist_ok=True)
    with open(os.path.join(d, name), 'wb') as f: f.write(data)

def container(i): return open(os.path.join(gen, 'res_%d.bin' % i), 'rb').read()

# Small, middle and large real lessons keep the corpora quick to run.
picked = []
for cid in (1001, 1030, 1068):
    for n, (packed, size) in enumerate(records(container(cid))):
        if n in (0, 3): picked.append(('%d_%d' % (cid, n), packed, size))
picked.sort(key=lambda p: p[2])
picked = picked[:4]
index_packed, index_size = next(records(container(32767)))
index_text = decode(index_packed, index_size)

for name, packed, size in picked:
    text = decode(packed, size)
    put('fuzz_uncompress', name, struct.pack('>H', size) + packed)
    put('fuzz_layout', name, bytes([8, 16, 12]) + struct.pack('>HH', 600, 400) + b'\x00\x40' + text)
    put('fuzz_export', name, bytes([0]) + text)
    put('fuzz_export', name + '_rev', bytes([0x81]) + text)
    pattern = text[40:44].replace(b'\x00', b'a')
    put('fuzz_matcher', name, bytes([len(pattern)]) + pattern + b'\x00\x00' + text)
    put('fuzz_matcher', name + '_gap', b'\x05' + pattern[:2] + b'*' + pattern[2:4] + b'\x00\x00' + text)
    for options in (0, 1, 3):
        put('fuzz_spelling_matcher', '%s_%d' % (name, options),
            bytes([options, len(pattern)]) + pattern + b'\x00\x00' + text)
    put('fuzz_spelling_matcher', name + '_gap', b'\x01\x06' + pattern[:2] + b'?*' + pattern[2:4] + b'\x00\x00' + text)
c = container(1068)
put('fuzz_find_record', 'res_1068_slot3', bytes([4]) + c[6:])
put('fuzz_find_record', 'res_1068_slot4', bytes([5]) + c[6:])
put('fuzz_uncompress', 'index_head', struct.pack('>H', index_size) + index_packed[:300])
put('fuzz_index', 'index', struct.pack('>hh', 300, 400) + bytes([7, 14, 2]) + struct.pack('<HH', 1, 200)
    + struct.pack('>hhH', 150, 30, 120) + index_text[:6000])
put('fuzz_index', 'narrow', struct.pack('>hh', 20, 50) + bytes([9, 10, 0]) + struct.pack('>hhH', 5, 5, 339)
    + index_text[:2000])
put('fuzz_bookmarks', 'three', b'\x00\x07\x00\x10' + struct.pack('<4H', 5, 17, 339, 0))
put('fuzz_bookmarks', 'odd_unended', b'\x00\x01\x00\x00' + b'\x05\x00\x11')
put('fuzz_bookmarks', 'empty', b'\x00\x00\x00\x00')
for name, s in (('digits', '1488'), ('gutter', '12'), ('wrap', '4294967296'), ('letters', '1a-')):
    put('fuzz_registry_number', name, s.encode('utf-16-le'))
for name, (m, d, y) in (('nisan', (1, 1, 5786)), ('adar2', (13, 30, 5784)), ('big', (6, 29, 11000)),
                        ('bad_month', (14, 1, 5785))):
    put('fuzz_date_text', name, struct.pack('>iii', m, d, y))
for name, s in (('hebrew', '\u05d0\u05d1 \u05d2*\u05ea?'), ('spaces', 'a   b  c'),
                ('long', '\u05e9' * 40)):
    put('fuzz_convert_search_text', name, struct.pack('>i', 1488) + s.encode('utf-16-le'))
