#!/usr/bin/env python3
"""Writes the program's help file, and the same help as an HTML page, from
their plain-text source.

    make_help_file.py SOURCE OUTPUT.hlp OUTPUT.htm

The source is a few header lines ("title: ...", "caption: ...",
"copyright: ...") followed by topics. A topic starts with a line

    == CONTEXT_NAME NUMBER Title of the topic

and holds paragraphs separated by blank lines. In a paragraph, **text** is
bold and [text](CONTEXT_NAME) is a jump to that topic. A paragraph that starts
with "- " is a list item; lines indented by four blanks are shown as they are,
in a fixed-width font. Lines that start with "#" are comments.

The topics may be followed by the keyword index, which starts with the line
"== index" and holds one keyword a line, with the topic it leads to (one:
the platform's viewer offers no choice between several):

    Save As: IDH_FILE_MENU

The output is a help file in the Windows 3.1 layout, uncompressed, with no
pictures: the smallest form the platform's help viewer reads, with the
keyword files its Index button needs. The first topic is the contents; every
topic opens by its context name (jumps) and by its number (a program's
context request). Anything the viewer would misread (a jump or keyword that
leads nowhere or to several topics, two names of one hash, a character Windows-1252 lacks, too
long a caption, more topics or keywords than one index page holds) stops
the build with a message that names it.
help_html.py describes the page. Standard library only: the build runs it
on any machine that has python3.
"""

import struct
import sys
from dataclasses import dataclass
from pathlib import Path

from help_html import html_page
from help_source import INLINE, SourceError, check, context_hash, encode, keyword_index, parse

# Fonts, by their number in the font table.
FONT_TEXT, FONT_HEADING, FONT_BOLD, FONT_FIXED = 0, 1, 2, 3
FACES = [b"Arial", b"Courier New"]
FONT_DESCRIPTORS = [  # attributes (1 bold), size in half-points, family, face
    (0, 20, 3, 0),
    (1, 28, 3, 0),
    (1, 20, 3, 0),
    (0, 18, 1, 1),
]

# Paragraph spacing, in the viewer's units: a little air between paragraphs.
SPACE_BELOW = 0x0004
PARAGRAPH_GAP = 8

BLOCK_SIZE = 4096
BLOCK_HEADER = 12
BLOCK_DATA = BLOCK_SIZE - BLOCK_HEADER
TOPIC_HEADER, TEXT = 0x02, 0x20
LINK_HEADER = 21

CONTEXT_PAGE = 2048
KEYWORD_PAGE = 2048


def u8(v):
    return struct.pack("<B", v)


def u16(v):
    return struct.pack("<H", v & 0xFFFF)


def u32(v):
    return struct.pack("<I", v & 0xFFFFFFFF)


def compressed_ushort(v):
    return u8(2 * v) if v < 0x80 else u16(2 * v + 1)


def compressed_short(v):
    return u8(2 * v + 0x80) if -64 <= v < 64 else u16(2 * v + 0x8001)


def compressed_long(v):
    return u16(2 * v + 0x8000) if -16384 <= v < 16384 else u32(2 * v + 0x80000001)


def signed(v):
    return v - (1 << 32) if v & 0x80000000 else v


# --- topic records ---------------------------------------------------------

class Paragraph:
    """Text and formatting commands, in the strings-and-commands pairs the
    viewer reads: string 0, command 0, string 1, command 1, ... end."""

    def __init__(self, font):
        self.strings, self.commands, self.current = [], [], b""
        self.font(font)

    def text(self, text):
        self.current += encode(text)

    def command(self, command):
        self.strings.append(self.current)
        self.commands.append(command)
        self.current = b""

    def font(self, number):
        self.command(b"\x80" + u16(number))

    def record(self, paragraph_format=0, spacing=b""):
        self.command(b"\x82")
        self.command(b"\xff")
        data2 = b"".join(s + b"\0" for s in self.strings)
        data1 = (compressed_long(len(data2)) + compressed_ushort(len(data2)) + b"\x00\x80\x00\x00"
                 + u16(paragraph_format) + spacing + b"".join(self.commands))
        return data1, data2


def inline_paragraph(text, font=FONT_TEXT):
    paragraph = Paragraph(font)
    at = 0
    for match in INLINE.finditer(text):
        paragraph.text(text[at:match.start()])
        hot, target, bold = match.groups()
        if bold is not None:
            paragraph.font(FONT_BOLD)
            paragraph.text(bold)
            paragraph.font(font)
        else:
            paragraph.command(b"\xe3" + u32(context_hash(target)))
            paragraph.text(hot)
            paragraph.command(b"\x89")
        at = match.end()
    paragraph.text(text[at:])
    return paragraph


def fixed_paragraph(text):
    paragraph = Paragraph(FONT_FIXED)
    for i, line in enumerate(text.split("\n")):
        if i:
            paragraph.command(b"\x81")
        paragraph.text(line)
    return paragraph


def topic_records(topic):
    """The topic's text records (link data 1 and 2), heading first."""
    heading = Paragraph(FONT_HEADING)
    heading.text(topic.title)
    spacing = compressed_short(PARAGRAPH_GAP)
    records = [heading.record(SPACE_BELOW, spacing)]
    for kind, text in topic.paragraphs:
        paragraph = (fixed_paragraph(text) if kind == "fixed"
                     else inline_paragraph("\u2022 " + text if kind == "item" else text))
        records.append(paragraph.record(SPACE_BELOW, spacing))
    return records


@dataclass
class Record:
    kind: int
    data1: bytes
    data2: bytes
    topic: int
    position: int = 0  # TOPICPOS: block * 0x4000 + 12 + offset in the block's data

    @property
    def size(self):
        return LINK_HEADER + len(self.data1) + len(self.data2)

    @property
    def block(self):
        return self.position // 0x4000


def lay_out(records):
    """Gives every record its position; no record crosses a block's end."""
    block, offset = 0, 0
    for record in records:
        if record.size > BLOCK_DATA:
            raise SourceError(f"a paragraph of topic {record.topic + 1} is too long for one block")
        if offset + record.size > BLOCK_DATA:
            block, offset = block + 1, 0
        record.position = block * 0x4000 + BLOCK_HEADER + offset
        offset += record.size
    return block + 1


def topic_file(source):
    """|TOPIC, and the topic offset (what contexts point at) of each topic."""
    records = []
    for number, topic in enumerate(source.topics):
        title = encode(topic.title) + b"\0"
        records.append(Record(TOPIC_HEADER, bytes(28), title, number))
        records += [Record(TEXT, d1, d2, number) for d1, d2 in topic_records(topic)]
    block_count = lay_out(records)

    # A topic's offset counts the characters of the text records that come
    # before its header in the same block.
    offsets, characters, block = [], 0, 0
    for record in records:
        if record.block != block:
            block, characters = record.block, 0
        if record.kind == TOPIC_HEADER:
            offsets.append(block * 0x8000 + characters)
        else:
            characters += len(record.data2)

    headers = [i for i, r in enumerate(records) if r.kind == TOPIC_HEADER] + [len(records)]
    for topic, (first, end) in enumerate(zip(headers, headers[1:])):
        next_topic = records[end].position if end < len(records) else -1
        scroll = records[first + 1].position if first + 1 < end else -1
        size = sum(r.size for r in records[first:end])
        records[first].data1 = (u32(size) + u32(-1) + u32(-1) + u32(topic) + u32(-1)
                                + u32(scroll) + u32(next_topic))

    blocks = [bytearray(BLOCK_SIZE) for _ in range(block_count)]
    for i, record in enumerate(records):
        previous = records[i - 1].position if i > 0 else -1
        following = records[i + 1].position if i + 1 < len(records) else -1
        link = (u32(record.size) + u32(len(record.data2)) + u32(previous) + u32(following)
                + u32(LINK_HEADER + len(record.data1)) + u8(record.kind))
        at = record.position % 0x4000
        blocks[record.block][at:at + record.size] = link + record.data1 + record.data2
    for number, block in enumerate(blocks):
        earlier = [r for r in records if r.block < number]
        first = next(r for r in records if r.block == number)
        last_header = [r for r in earlier if r.kind == TOPIC_HEADER]
        block[0:12] = (u32(earlier[-1].position if earlier else -1) + u32(first.position)
                       + u32(last_header[-1].position if last_header else -1))
    return b"".join(blocks), offsets


# --- the other internal files ----------------------------------------------

def system_file(source, contents_offset):
    def record(kind, data):
        return u16(kind) + u16(len(data)) + data

    caption = encode(source.headers["caption"])
    window = (u16(0x0007) + b"main".ljust(10, b"\0") + b"main".ljust(9, b"\0")
              + caption.ljust(51, b"\0") + bytes(10) + bytes(4) + bytes(4))
    data = u16(0x036C) + u16(21) + u16(1) + u32(0) + u16(0)
    data += record(1, encode(source.headers["title"]) + b"\0")
    data += record(3, u32(contents_offset))
    data += record(6, window)
    if source.headers.get("copyright"):
        data += record(2, encode(source.headers["copyright"]) + b"\0")
    return data


def font_file():
    data = u16(len(FACES)) + u16(len(FONT_DESCRIPTORS)) + u16(8) + u16(8 + 32 * len(FACES))
    data += b"".join(face.ljust(32, b"\0") for face in FACES)
    for attributes, size, family, face in FONT_DESCRIPTORS:
        data += u8(attributes) + u8(size) + u8(family) + u16(face) + bytes(3) + b"\xff\xff\xff"
    return data


def one_page_tree(flags, page_size, key_format, entries):
    """A B+ tree of a single leaf page: enough for a small help file."""
    body = b"".join(entries)
    if len(body) + 8 > page_size:
        raise SourceError("too many entries for one tree page")
    header = (u16(0x293B) + u16(flags) + u16(page_size) + key_format.ljust(16, b"\0")
              + u16(0) + u16(0) + u16(0) + u16(-1) + u16(1) + u16(1) + u32(len(entries)))
    page = u16(page_size - 8 - len(body)) + u16(len(entries)) + u16(-1) + u16(-1) + body
    return header + page.ljust(page_size, b"\0")


def context_file(source, offsets):
    entries = sorted((signed(context_hash(t.name)), offset) for t, offset in zip(source.topics, offsets))
    return one_page_tree(0x0002, CONTEXT_PAGE, b"L4", [u32(h) + u32(o) for h, o in entries])


def context_map_file(source, offsets):
    entries = sorted((t.number, offset) for t, offset in zip(source.topics, offsets))
    return u16(len(entries)) + b"".join(u32(n) + u32(o) for n, o in entries)


def keyword_files(source, offsets):
    """|KWBTREE (each keyword, its one topic, where that is in |KWDATA),
    |KWDATA (the topic offsets) and |KWMAP (the first keyword of each tree
    page), for the viewer's Index. The viewer lists the keywords in tree
    order: sorted as a reader looks them up, without regard to case."""
    offset_of = {topic.name.upper(): offset for topic, offset in zip(source.topics, offsets)}
    entries, data = [], b""
    for keyword, name in keyword_index(source):
        entries.append(encode(keyword) + b"\0" + u16(1) + u32(len(data)))
        data += u32(offset_of[name])
    try:
        tree = one_page_tree(0x0002, KEYWORD_PAGE, b"z24", entries)
    except SourceError:
        raise SourceError(f"more keywords than one index page holds ({len(entries)})") from None
    return {b"|KWBTREE": tree, b"|KWDATA": data, b"|KWMAP": u16(1) + u32(0) + u16(0)}


def help_file(source):
    check(source)
    topics, offsets = topic_file(source)
    files = {
        b"|CONTEXT": context_file(source, offsets),
        b"|CTXOMAP": context_map_file(source, offsets),
        b"|FONT": font_file(),
        b"|SYSTEM": system_file(source, offsets[0]),
        b"|TOPIC": topics,
    }
    if source.keywords:
        files.update(keyword_files(source, offsets))

    def internal(data):
        return u32(len(data) + 9) + u32(len(data)) + u8(4) + data

    out, directory = bytearray(16), []
    for name in sorted(files):  # the viewer's directory search needs byte order
        directory.append(name + b"\0" + u32(len(out)))
        out += internal(files[name])
    directory_at = len(out)
    out += internal(one_page_tree(0x0402, 1024, b"z4", directory))
    out[0:16] = u32(0x00035F3F) + u32(directory_at) + u32(-1) + u32(len(out))
    return bytes(out)


def main(argv):
    if len(argv) != 4:
        sys.exit(__doc__)
    source_path, help_path, page_path = map(Path, argv[1:])
    try:
        source = parse(source_path.read_text(encoding="utf-8"))
        data = help_file(source)
    except SourceError as error:
        sys.exit(f"{source_path}: {error}")
    help_path.write_bytes(data)
    page_path.write_text(html_page(source), encoding="utf-8", newline="")


if __name__ == "__main__":
    main(sys.argv)
