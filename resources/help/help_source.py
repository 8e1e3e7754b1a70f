"""The help text's source: its markup read into topics, paragraphs and
keywords, and checked for what would make a help file misread. The help
file and its HTML page are both written from what this reads."""

import re
from dataclasses import dataclass, field

CAPTION_LIMIT = 50
# One page of the viewer's context tree: 2048 bytes of 8-byte entries.
CONTEXT_ENTRIES_PER_PAGE = (2048 - 8) // 8


class SourceError(Exception):
    pass


@dataclass
class Topic:
    name: str
    number: int
    title: str
    paragraphs: list = field(default_factory=list)  # of (kind, text): "text", "item", "fixed"
    line: int = 0


@dataclass
class Source:
    headers: dict
    topics: list
    keywords: dict = field(default_factory=dict)  # keyword: (context name, source line)


# --- context names ---------------------------------------------------------

def context_hash(name):
    """The viewer finds a topic by this hash of its context name."""
    h = 0
    for c in name.upper():
        if "A" <= c <= "Z":
            value = ord(c) - ord("A") + 17
        elif "1" <= c <= "9":
            value = ord(c) - ord("0")
        elif c == "0":
            value = 10
        elif c == ".":
            value = 12
        elif c == "_":
            value = 13
        else:
            # The platform's viewers disagree about other characters.
            raise SourceError(f"context name {name!r}: only letters, digits, '.' and '_'")
        h = (h * 43 + value) & 0xFFFFFFFF
    return h


# --- reading the source ----------------------------------------------------

TOPIC_LINE = re.compile(r"== (\S+) (\d+) (.+)$")
INDEX_LINE = "== index"
HEADER_LINE = re.compile(r"(\w+): (.*)$")
KEYWORD_LINE = re.compile(r"(.*\S)\s*:\s*(\S.*)$")


def parse(text):
    headers, topics, keywords = {}, [], {}
    paragraph, kind = [], None
    in_index = False

    def end_paragraph():
        nonlocal paragraph, kind
        if paragraph:
            joiner = "\n" if kind == "fixed" else " "
            topics[-1].paragraphs.append((kind, joiner.join(paragraph)))
        paragraph, kind = [], None

    for number, line in enumerate(text.splitlines(), 1):
        line = line.rstrip()
        if line.startswith("#"):
            continue
        if line == INDEX_LINE:
            end_paragraph()
            in_index = True
            continue
        if in_index:
            if line:
                keyword = KEYWORD_LINE.match(line)
                if not keyword:
                    raise SourceError(f"line {number}: expected 'keyword: CONTEXT_NAME, ...'")
                word, target = keyword.groups()
                # The platform's viewer offers no choice between topics.
                if "," in target or word in keywords:
                    raise SourceError(f"line {number}: keyword {word!r} leads to more than one topic")
                keywords[word] = (target, number)
            continue
        heading = TOPIC_LINE.match(line)
        if heading:
            end_paragraph()
            name, topic_number, title = heading.groups()
            topics.append(Topic(name, int(topic_number), title, line=number))
            continue
        if not topics:
            header = HEADER_LINE.match(line)
            if header:
                headers[header.group(1)] = header.group(2)
            elif line:
                raise SourceError(f"line {number}: expected a header or a topic line")
            continue
        if not line:
            end_paragraph()
            continue
        line_kind = "fixed" if line.startswith("    ") else "item" if line.startswith("- ") else "text"
        # Each list item is a paragraph of its own; fixed lines never join text.
        if line_kind == "item" or paragraph and (kind == "fixed") != (line_kind == "fixed"):
            end_paragraph()
        if not paragraph:
            kind = line_kind
            line = line[2:] if kind == "item" else line
        paragraph.append(line[4:] if kind == "fixed" else line.strip())
    end_paragraph()
    return Source(headers, topics, keywords)


def check(source):
    for key in ("title", "caption"):
        if not source.headers.get(key):
            raise SourceError(f"the header line '{key}: ...' is missing")
    if len(source.headers["caption"]) > CAPTION_LIMIT:
        raise SourceError(f"the caption is longer than {CAPTION_LIMIT} characters")
    if not source.topics:
        raise SourceError("no topics")
    if len(source.topics) > CONTEXT_ENTRIES_PER_PAGE:
        raise SourceError(f"more than {CONTEXT_ENTRIES_PER_PAGE} topics")
    hashes, numbers = {}, {}
    for topic in source.topics:
        h = context_hash(topic.name)
        if h in hashes:
            raise SourceError(f"line {topic.line}: {topic.name} has the same hash as {hashes[h]}")
        hashes[h] = topic.name
        if topic.number in numbers:
            raise SourceError(f"line {topic.line}: number {topic.number} is also {numbers[topic.number]}'s")
        numbers[topic.number] = topic.name
    names = {topic.name.upper() for topic in source.topics}
    for topic in source.topics:
        for _, text in topic.paragraphs:
            for target in JUMP.findall(text):
                if target[1].upper() not in names:
                    raise SourceError(f"topic {topic.name}: jump to unknown topic {target[1]}")
    for keyword, (name, line) in source.keywords.items():
        encode(keyword)
        if name.upper() not in names:
            raise SourceError(f"line {line}: keyword {keyword!r} leads to unknown topic {name}")


JUMP = re.compile(r"\[([^\]]+)\]\(([\w.]+)\)")
BOLD = re.compile(r"\*\*([^*].*?)\*\*")
INLINE = re.compile(rf"{JUMP.pattern}|{BOLD.pattern}")


def encode(text):
    try:
        return text.encode("cp1252")
    except UnicodeEncodeError as error:
        raise SourceError(f"{text!r}: not a Windows-1252 character") from error


def keyword_index(source):
    """(keyword, context name) in the order a reader looks keywords up:
    sorted without regard to case."""
    return [(keyword, source.keywords[keyword][0].upper())
            for keyword in sorted(source.keywords, key=lambda k: (k.upper(), k))]
