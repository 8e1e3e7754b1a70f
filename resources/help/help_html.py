"""The help text as one HTML page, for Windows without the help viewer: the
same topics in the same order, jumps as links to the topic's section, the
fixed-width examples as they are, and the keyword index as the last section.
Each section's id is its topic's context name; a program that asks for a
topic by number finds it at the anchor "topic" followed by that number."""

import html

from help_source import INLINE, keyword_index


def inline(text):
    out, at = [], 0
    for match in INLINE.finditer(text):
        out.append(html.escape(text[at:match.start()]))
        hot, target, bold = match.groups()
        if bold is not None:
            out.append(f"<b>{html.escape(bold)}</b>")
        else:
            out.append(f'<a href="#{target.upper()}">{html.escape(hot)}</a>')
        at = match.end()
    out.append(html.escape(text[at:]))
    return "".join(out)


def topic_section(topic, heading):
    lines = [f'<section id="{topic.name.upper()}"><a id="topic{topic.number}"></a>',
             f"<{heading}>{html.escape(topic.title)}</{heading}>"]
    in_list = False
    for kind, text in topic.paragraphs:
        if in_list and kind != "item":
            lines.append("</ul>")
        if kind == "item" and not in_list:
            lines.append("<ul>")
        in_list = kind == "item"
        if kind == "item":
            lines.append(f"<li>{inline(text)}</li>")
        elif kind == "fixed":
            lines.append(f"<pre>{html.escape(text)}</pre>")
        else:
            lines.append(f"<p>{inline(text)}</p>")
    if in_list:
        lines.append("</ul>")
    lines.append("</section>")
    return lines


def index_section(source):
    lines = ['<section id="index">', "<h2>Index</h2>", "<ul>"]
    lines += [f'<li><a href="#{name}">{html.escape(keyword)}</a></li>' for keyword, name in keyword_index(source)]
    return lines + ["</ul>", "</section>"]


STYLE = """body { font-family: Arial, sans-serif; max-width: 48em; margin: 1em auto; padding: 0 1em; }
section { border-top: 1px solid #999; margin-top: 2em; }
pre { background: #f4f4f4; padding: 0.5em; }
nav { font-size: small; }"""


def html_page(source):
    title = html.escape(source.headers["title"])
    lines = ["<!DOCTYPE html>", '<html lang="en">', "<head>", '<meta charset="utf-8">',
             f"<title>{title}</title>", f"<style>\n{STYLE}\n</style>", "</head>", "<body>"]
    if source.keywords:
        first = source.topics[0].name.upper()
        lines.append(f'<nav><a href="#{first}">Contents</a> | <a href="#index">Index</a></nav>')
    for number, topic in enumerate(source.topics):
        lines += topic_section(topic, "h1" if number == 0 else "h2")
    if source.keywords:
        lines += index_section(source)
    lines += ["</body>", "</html>", ""]
    return "\r\n".join(lines)
