#!/usr/bin/python3
"""Checks the relative links of the project's Markdown documents.

Every link, image and reference definition in the tracked .md files (and in new ones not yet
added, so a document is checked before its first commit) must name a file or folder that exists,
and a #heading must be one the target document has, as GitHub makes anchors of headings: lower
case, spaces to '-', punctuation other than '-' and '_' dropped, a repeated heading's anchor
followed by -1, -2 and so on. Links with a scheme (https:, mailto:) are left alone: nothing is
fetched. Links inside code (fenced blocks and `spans`) are not links.

    scripts/check-links.py          prints each broken link as FILE:LINE: TARGET (why)

Exits 1 when a link is broken. Needs only Python's standard library (run with /usr/bin/python3).
"""

import functools
import os
import re
import subprocess
import sys
import unicodedata
from urllib.parse import unquote

FENCE = re.compile(r"^ {0,3}(`{3,}|~{3,})")
ATX_HEADING = re.compile(r"^ {0,3}(#{1,6})(?:[ \t]+(.*?))?(?:[ \t]+#+)?[ \t]*$")
CODE_SPAN = re.compile(r"(?<!`)(`+)(?!`)((?:(?!\n[ \t]*\n).)+?)(?<!`)\1(?!`)", re.S)
HTML_COMMENT = re.compile(r"<!--.*?-->", re.S)
# The destination of an inline link or image: [text](dest "title"), ![alt](<dest>).
INLINE_LINK = re.compile(
    r"\]\(\s*(<[^>\n]*>|[^\s()<>]*(?:\([^\s()]*\)[^\s()<>]*)*)"
    r"(?:\s+(?:\"[^\"]*\"|'[^']*'|\([^)]*\)))?\s*\)"
)
REFERENCE_DEFINITION = re.compile(r"^ {0,3}\[[^\]\n]+\]:[ \t]*(<[^>\n]*>|\S+)", re.M)
HTML_ATTRIBUTE = re.compile(r"<(?:a|img)\b[^>]*?\b(?:href|src)\s*=\s*\"([^\"]*)\"", re.I)
SCHEME = re.compile(r"^[A-Za-z][A-Za-z0-9+.-]*:")


def blank(match):
    """The matched text with every character but the line ends made a space, so offsets and line
    numbers stay as they were."""
    return re.sub(r"[^\n]", " ", match.group(0))


def without_fenced_code(lines):
    """The lines with those inside fenced code blocks emptied, and whether each was code."""
    kept, in_code, fence = [], [], None
    for line in lines:
        opening = FENCE.match(line)
        if fence is None and opening:
            fence = opening.group(1)
            kept.append("")
            in_code.append(True)
        elif fence is not None:
            if re.match(r"^ {0,3}" + re.escape(fence[0]) + "{%d,}[ \t]*$" % len(fence), line):
                fence = None
            kept.append("")
            in_code.append(True)
        else:
            kept.append(line)
            in_code.append(False)
    return kept, in_code


def heading_text(markdown):
    """What a heading shows: link and image texts without their targets, code without its
    backticks, no HTML tags."""
    text = re.sub(r"!?\[([^\]]*)\]\([^)]*\)", r"\1", markdown)
    text = re.sub(r"<[^>]*>", "", text)
    return text.replace("`", "").strip()


def slug(text):
    """GitHub's anchor of a heading's text."""
    kept = []
    for character in text.lower():
        if character == " ":
            kept.append("-")
        elif character in "-_" or unicodedata.category(character)[0] in "LNM":
            kept.append(character)
    return "".join(kept)


@functools.lru_cache(maxsize=None)
def anchors_of(path):
    """The anchors of a document's headings, repeated ones numbered as GitHub numbers them."""
    with open(path, encoding="utf-8") as document:
        lines, in_code = without_fenced_code(document.read().split("\n"))
    occurrences = {}
    for line, code in zip(lines, in_code):
        heading = None if code else ATX_HEADING.match(line)
        if not heading:
            continue
        anchor = original = slug(heading_text(heading.group(2) or ""))
        while anchor in occurrences:
            occurrences[original] += 1
            anchor = "%s-%d" % (original, occurrences[original])
        occurrences[anchor] = 0
    return frozenset(occurrences)


def links_of(text):
    """(line number, target) of every link in a document's text outside code, in line order."""
    lines, _ = without_fenced_code(text.split("\n"))
    prose = "\n".join(lines)
    prose = HTML_COMMENT.sub(blank, prose)
    prose = CODE_SPAN.sub(blank, prose)
    found = []
    for pattern in (INLINE_LINK, REFERENCE_DEFINITION, HTML_ATTRIBUTE):
        for match in pattern.finditer(prose):
            target = match.group(1)
            if target.startswith("<") and target.endswith(">"):
                target = target[1:-1]
            found.append((match.start(1), target))
    return [(prose.count("\n", 0, offset) + 1, target) for offset, target in sorted(found)]


def problem_of(document, target, root):
    """Why a link of `document` to `target` is broken, or None where it holds."""
    if not target or SCHEME.match(target):
        return None
    path, _, fragment = target.partition("#")
    path = unquote(path)
    if not path:
        resolved = document
    elif path.startswith("/"):
        resolved = os.path.join(root, path.lstrip("/"))
    else:
        resolved = os.path.join(os.path.dirname(document), path)
    resolved = os.path.normpath(resolved)
    shown = os.path.relpath(resolved, root)
    if not os.path.exists(resolved):
        return "no such file: " + shown
    if fragment and resolved.endswith(".md") and os.path.isfile(resolved):
        if unquote(fragment) not in anchors_of(resolved):
            return "no heading with the anchor #%s in %s" % (fragment, shown)
    return None


def main():
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    listed = subprocess.run(
        ["git", "ls-files", "-z", "--cached", "--others", "--exclude-standard", "--", "*.md"],
        cwd=root, check=True, capture_output=True, text=True,
    ).stdout.split("\0")
    # A tracked document deleted in the worktree is not checked: it is no longer there to read.
    documents = sorted(
        {name for name in listed if name and os.path.isfile(os.path.join(root, name))}
    )

    checked, broken = 0, 0
    for name in documents:
        path = os.path.join(root, name)
        with open(path, encoding="utf-8") as document:
            text = document.read()
        for line, target in links_of(text):
            checked += 1
            problem = problem_of(path, target, root)
            if problem:
                print("%s:%d: %s (%s)" % (name, line, target, problem), file=sys.stderr)
                broken += 1

    if broken:
        print("check-links: %d of %d links broken" % (broken, checked), file=sys.stderr)
        return 1
    print("check-links: %d links in %d documents hold" % (checked, len(documents)))
    return 0


if __name__ == "__main__":
    sys.exit(main())
