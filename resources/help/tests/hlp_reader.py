"""A small reader of the help file's format, written apart from the writer:
it gives back the topics (title, paragraphs, jumps), their numbers and the
keywords, reached the way the viewer reaches them, through the directory,
the context tree, the context map and the keyword files."""

import struct


def u16(data, at):
    return struct.unpack_from("<H", data, at)[0]


def u32(data, at):
    return struct.unpack_from("<I", data, at)[0]


def cstring(data, at):
    end = data.index(b"\0", at)
    return data[at:end].decode("cp1252"), end + 1


# Compressed numbers: the first byte's lowest bit tells the long form.
def short_form(data, at):
    """An unsigned (or, for skipping, signed) short: one byte or two."""
    return (data[at] >> 1, at + 1) if data[at] & 1 == 0 else (u16(data, at) >> 1, at + 2)


def long_form(data, at):
    return ((u16(data, at) >> 1) - 0x4000, at + 2) if data[at] & 1 == 0 else ((u32(data, at) >> 1) - 0x40000000, at + 4)


def tree_entries(tree, read_entry):
    assert u16(tree, 0) == 0x293B and u16(tree, 30) == 1, "one-page tree"
    at, entries = 38 + 8, []
    for _ in range(u16(tree, 38 + 2)):
        entry, at = read_entry(tree, at)
        entries.append(entry)
    return entries


class Topic:
    def __init__(self, title):
        self.title, self.paragraphs, self.jumps = title, [], []


def paragraph(data1, data2, topic):
    _, at = long_form(data1, 0)  # topic size
    _, at = short_form(data1, at)  # topic length
    paragraph_format = u16(data1, at + 4)
    assert paragraph_format in (0, 0x0004), f"paragraph format {paragraph_format:#x}"
    at += 6
    if paragraph_format:  # the space below
        _, at = short_form(data1, at)
    strings = data2.split(b"\0")
    text, hot = "", None
    for string in strings:
        text += string.decode("cp1252")
        if hot is not None:
            hot[0] += string.decode("cp1252")
        command = data1[at]
        at += 1
        if command == 0xFF:
            break
        if command == 0x80:
            at += 2
        elif command == 0x81:
            text += "\n"
        elif command == 0xE3:
            hot = ["", u32(data1, at)]
            at += 4
        elif command == 0x89:
            topic.jumps.append(tuple(hot))
            hot = None
        else:
            assert command == 0x82, f"command {command:#x}"
    topic.paragraphs.append(text)


class HelpFile:
    def __init__(self, data):
        assert u32(data, 0) == 0x00035F3F and u32(data, 12) == len(data)

        def internal(at):
            return data[at + 9:at + 9 + u32(data, at + 4)]

        def directory_entry(tree, at):
            name, at = cstring(tree, at)
            return (name, u32(tree, at)), at + 4

        self.files = {name: internal(at) for name, at in tree_entries(internal(u32(data, 4)), directory_entry)}
        self.topics, offsets = self.read_topics(self.files["|TOPIC"])
        # The viewer picks the topic with the largest offset not past the one asked for.
        self.topic_at = lambda offset: max((o, i) for i, o in enumerate(offsets) if o <= offset)[1]

    def read_topics(self, data):
        topics, offsets, position, block, characters = [], [], 12, 0, 0
        while position != 0xFFFFFFFF:
            at = position // 0x4000 * 4096 + position % 0x4000
            _, length2, _, following, length1, kind = struct.unpack_from("<IIIIIB", data, at)
            data1, data2 = data[at + 21:at + length1], data[at + length1:at + length1 + length2]
            if position // 0x4000 != block:
                block, characters = position // 0x4000, 0
            if kind == 0x02:
                offsets.append(block * 0x8000 + characters)
                topics.append(Topic(cstring(data2, 0)[0]))
            else:
                paragraph(data1, data2, topics[-1])
                characters += short_form(data1, long_form(data1, 0)[1])[0]
            position = following
        return topics, offsets

    def contexts(self):
        """Context hash: topic index."""
        def entry(tree, at):
            return (u32(tree, at), u32(tree, at + 4)), at + 8

        return {h: self.topic_at(o) for h, o in tree_entries(self.files["|CONTEXT"], entry)}

    def numbers(self):
        """Context number: topic index."""
        data = self.files["|CTXOMAP"]
        return {u32(data, 2 + 8 * i): self.topic_at(u32(data, 6 + 8 * i)) for i in range(u16(data, 0))}

    def keywords(self):
        """Keyword: [topic index], in the tree's order."""
        data = self.files["|KWDATA"]

        def entry(tree, at):
            keyword, at = cstring(tree, at)
            count, first = u16(tree, at), u32(tree, at + 2)
            return (keyword, [self.topic_at(u32(data, first + 4 * i)) for i in range(count)]), at + 6

        return dict(tree_entries(self.files["|KWBTREE"], entry))

    def caption(self):
        data, at = self.files["|SYSTEM"], 12
        while at < len(data):
            kind, size = u16(data, at), u16(data, at + 2)
            if kind == 6:
                return cstring(data, at + 4 + 21)[0]
            at += 4 + size
        return None
