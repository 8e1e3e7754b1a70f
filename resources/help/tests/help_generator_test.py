"""The help generator, run as the build runs it: each safeguard stops the
build with a message that names the fault, and the help file and page
written from the real help text read back as the source says."""

import html
import re
import subprocess
import sys
import tempfile
import unittest
from pathlib import Path

HERE = Path(__file__).resolve().parent
sys.path.insert(0, str(HERE.parent))
sys.path.insert(0, str(HERE))

from help_source import BOLD, JUMP, context_hash, parse  # noqa: E402
from hlp_reader import HelpFile  # noqa: E402

HEADERS = "title: T\ncaption: T\n"


def topics(count):
    return "".join(f"== IDH_T{n} {n} Topic {n}\nText.\n\n" for n in range(1, count + 1))


class Run:
    """The generator on a source, in a scratch folder that goes with it."""

    def __init__(self, source_text):
        self.folder = tempfile.TemporaryDirectory()
        folder = Path(self.folder.name)
        self.source, self.help, self.page = folder / "help.txt", folder / "Help.hlp", folder / "Help.htm"
        self.source.write_text(source_text, encoding="utf-8")
        self.result = subprocess.run(
            [sys.executable, str(HERE.parent / "make_help_file.py"), self.source, self.help, self.page],
            capture_output=True, text=True)

    def __enter__(self):
        return self

    def __exit__(self, *_):
        self.folder.cleanup()


class Safeguards(unittest.TestCase):
    def test_each_fault_stops_the_build_with_its_message(self):
        cases = [
            ("a dangling jump", HEADERS + "== IDH_A 1 A\nSee [there](IDH_NOWHERE).\n",
             "topic IDH_A: jump to unknown topic IDH_NOWHERE"),
            ("a hash collision", HEADERS + "== IDH_A 1 A\n== idh_a 2 B\n",
             "line 4: idh_a has the same hash as IDH_A"),
            ("a character outside Windows-1252", HEADERS + "== IDH_A 1 A\nFrom A \u2192 B.\n",
             "'From A \u2192 B.': not a Windows-1252 character"),
            ("a caption over 50 characters", "title: T\ncaption: " + "c" * 51 + "\n" + topics(1),
             "the caption is longer than 50 characters"),
            ("more than 255 topics", HEADERS + topics(256), "more than 255 topics"),
            ("a keyword that points nowhere", HEADERS + topics(1) + "== index\nsave: IDH_SAVE\n",
             "line 7: keyword 'save' leads to unknown topic IDH_SAVE"),
            ("a keyword with two topics", HEADERS + topics(2) + "== index\nsave: IDH_T1\nsave: IDH_T2\n",
             "line 11: keyword 'save' leads to more than one topic"),
            ("more keywords than one index page",
             HEADERS + topics(1) + "== index\n" + "".join(f"keyword {n:03}: IDH_T1\n" for n in range(120)),
             "more keywords than one index page holds (120)"),
        ]
        for fault, source, message in cases:
            with self.subTest(fault), Run(source) as run:
                self.assertEqual(run.result.returncode, 1)
                self.assertEqual(run.result.stderr, f"{run.source}: {message}\n")
                self.assertFalse(run.help.exists() or run.page.exists())

    def test_context_hash_of_the_format_examples(self):
        self.assertEqual(context_hash("IDH_MAIN"), 0x76081B65)
        self.assertEqual(context_hash("Intro_1"), 0xD9EFE4AC)


def plain(kind, text):
    """A source paragraph as the viewer shows its text."""
    if kind == "fixed":
        return text
    text = BOLD.sub(r"\1", JUMP.sub(r"\1", text))
    return "\u2022 " + text if kind == "item" else text


class RoundTrip(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        text = (HERE.parent / "pinwell_help.txt").read_text(encoding="utf-8")
        cls.source = parse(text)
        cls.generated = Run(text)
        assert cls.generated.result.returncode == 0, cls.generated.result.stderr
        cls.read = HelpFile(cls.generated.help.read_bytes())

    @classmethod
    def tearDownClass(cls):
        cls.generated.folder.cleanup()

    def test_topics_their_text_and_numbers(self):
        self.assertEqual(self.read.caption(), self.source.headers["caption"])
        self.assertEqual([t.title for t in self.read.topics], [t.title for t in self.source.topics])
        for read, topic in zip(self.read.topics, self.source.topics):
            with self.subTest(topic.name):
                self.assertEqual(read.paragraphs, [topic.title] + [plain(k, t) for k, t in topic.paragraphs])
        self.assertEqual(self.read.numbers(), {t.number: i for i, t in enumerate(self.source.topics)})

    def test_jumps_lead_to_their_topics(self):
        index_of = {t.name.upper(): i for i, t in enumerate(self.source.topics)}
        contexts = self.read.contexts()
        self.assertEqual(contexts, {context_hash(t.name): i for i, t in enumerate(self.source.topics)})
        for read, topic in zip(self.read.topics, self.source.topics):
            expected = [(hot, index_of[target.upper()]) for _, text in topic.paragraphs
                        for hot, target in JUMP.findall(text)]
            self.assertEqual([(hot, contexts[h]) for hot, h in read.jumps], expected, topic.name)

    def test_keywords_lead_to_their_topics(self):
        index_of = {t.name.upper(): i for i, t in enumerate(self.source.topics)}
        expected = {k: [index_of[name.upper()]] for k, (name, _) in self.source.keywords.items()}
        keywords = self.read.keywords()
        self.assertEqual(keywords, expected)
        self.assertEqual(list(keywords), sorted(keywords, key=str.upper))

    def test_the_page_holds_the_same_topics_links_and_index(self):
        page = self.generated.page.read_text(encoding="utf-8")
        headings = [html.unescape(h) for h in re.findall(r"<h[12]>(.*?)</h[12]>", page)]
        self.assertEqual(headings, [t.title for t in self.source.topics] + ["Index"])
        self.assertEqual(set(re.findall(r'href="#([^"]+)"', page)) - set(re.findall(r'id="([^"]+)"', page)), set())
        index = page[page.index('<section id="index">'):]
        self.assertEqual({html.unescape(k): n for n, k in re.findall(r'<li><a href="#(\w+)">(.*?)</a></li>', index)},
                         {k: name.upper() for k, (name, _) in self.source.keywords.items()})
        # A program asks for a topic by its number: the anchor the help call opens.
        self.assertEqual(re.findall(r'id="topic(\d+)"', page), [str(t.number) for t in self.source.topics])
        self.assertIn("<pre>  Name, Latitude", page)

if __name__ == "__main__":
    unittest.main()
