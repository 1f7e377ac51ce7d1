#!/usr/bin/env python3
"""Checks the scoreboard page as a browser built it against the league's facts.

    scoreboard_dom.py DOM.html MANIFEST --last-day L --days N --html-dir DIR

DOM.html is the document the browser serialised after loading
html/scoreboard.html (chromium --dump-dom), MANIFEST the sample-league
generator's manifest.txt, L and N the period the run published and DIR the
league's html folder (the box score links must lead to its pages).

The browser, not this script, decides what the page's markup means: the
unclosed divisions of the player-of-the-game cell, the division named
"div=boxlink", a name cell a tied game leaves open. Every game of the period
walk must come out as one box at the top of the body, under its day's date
header, with both logos, each team's name in its winner or loser cell, the
scores, the player of the game and a Boxscore link to the game's page; every
picture on the page must have loaded, as the load handler the check adds to
the page (data-natural-width on each img) reports.
Exit status 0 when every check passes, 1 otherwise (each failure printed).
"""

import argparse
import html
import os
import sys
from html.parser import HTMLParser

VOID = {"area", "base", "br", "col", "embed", "hr", "img", "input", "link", "meta", "source",
        "track", "wbr"}


class Node:
    def __init__(self, tag, attrs, parent):
        self.tag = tag
        self.attrs = dict(attrs)
        self.parent = parent
        self.children = []  # Nodes and strings, in document order

    def classes(self):
        return (self.attrs.get("class") or "").split()

    def elements(self):
        return [c for c in self.children if isinstance(c, Node)]

    def walk(self):
        for c in self.elements():
            yield c
            yield from c.walk()

    def find_all(self, tag=None, cls=None):
        return [n for n in self.walk()
                if (tag is None or n.tag == tag) and (cls is None or cls in n.classes())]

    def own_text(self):
        """The text directly inside this element, not inside its children."""
        return "".join(c for c in self.children if isinstance(c, str))

    def leading_text(self):
        """The text before this element's first child element."""
        text = ""
        for c in self.children:
            if not isinstance(c, str):
                break
            text += c
        return text

    def text(self):
        return "".join(c if isinstance(c, str) else c.text() for c in self.children)


class TreeBuilder(HTMLParser):
    """Rebuilds the tree from the browser's serialisation, which is well formed
    apart from void elements."""

    def __init__(self):
        super().__init__(convert_charrefs=True)
        self.root = Node("#document", [], None)
        self.stack = [self.root]

    def handle_starttag(self, tag, attrs):
        node = Node(tag, attrs, self.stack[-1])
        self.stack[-1].children.append(node)
        if tag not in VOID:
            self.stack.append(node)

    def handle_startendtag(self, tag, attrs):
        self.stack[-1].children.append(Node(tag, attrs, self.stack[-1]))

    def handle_endtag(self, tag):
        for i in range(len(self.stack) - 1, 0, -1):
            if self.stack[i].tag == tag:
                del self.stack[i:]
                return

    def handle_data(self, data):
        self.stack[-1].children.append(data)


def page_text(raw):
    """What a browser shows for bytes the page holds as they are: the code
    page's characters with the character references resolved."""
    return html.unescape(raw.decode("cp1252", errors="replace"))


def number(text):
    """A score as the run compares it: empty (or no number) counts as 0."""
    try:
        return float(text.strip())
    except ValueError:
        return 0.0


def rank_tag(poll_rank):
    rank = poll_rank.strip(" ")
    try:
        tagged = float(rank) < 26
    except ValueError:
        tagged = False
    return "(" + rank + ") " if tagged else ""


def read_manifest(path):
    teams, games, counts = {}, {}, {}
    with open(path, "rb") as f:
        for line in f.read().split(b"\n"):
            fields = line.split(b"\t")
            kind = fields[0]
            if kind == b"team":
                teams[fields[1].decode()] = {
                    "name": fields[2], "record": fields[3], "poll": fields[6], "logo": fields[8]}
            elif kind == b"day":
                counts[int(fields[1])] = int(fields[2])
            elif kind == b"game" and fields[12] != b"unplayed":
                games[(int(fields[1]), int(fields[2]))] = {
                    "date": fields[3], "t1": fields[4], "name1": fields[5], "score1": fields[6],
                    "t2": fields[7], "name2": fields[8], "score2": fields[9], "pog": fields[10],
                    "pogteam": fields[11]}
    return teams, games, counts


def expected_walk(teams, games, counts, last_day, days):
    """The period walk: days F..L, games 1..(games the probe counted); a game
    the schedule page gave no result reads as empty texts (team 0)."""
    empty_team = {"name": b"", "record": b"", "poll": b"", "logo": b""}
    first_day = last_day - (days - 1)
    walk = []
    for day in range(first_day, last_day + 1):
        first = games.get((day, 1))
        boxes = []
        for number_ in range(1, counts.get(day, 0) + 1):
            g = games.get((day, number_))
            if g is None:
                boxes.append({"day": day, "game": number_, "rows": [
                    {"name": b"", "score": b"", **empty_team}, {"name": b"", "score": b"", **empty_team}],
                    "pog": b"", "pogteam": b"", "listed": False})
                continue
            rows = []
            for side in ("1", "2"):
                team = teams.get(g["t" + side].strip().decode(), empty_team)
                rows.append({"name": g["name" + side], "score": g["score" + side],
                             "record": team["record"], "poll": team["poll"], "logo": team["logo"]})
            boxes.append({"day": day, "game": number_, "rows": rows, "pog": g["pog"],
                          "pogteam": g["pogteam"], "listed": True})
        walk.append({"day": day, "date": first["date"] if first else b"", "boxes": boxes})
    return walk


class Checker:
    def __init__(self):
        self.failures = []

    def expect(self, ok, where, what):
        if not ok:
            self.failures.append(where + ": " + what)
        return ok

    def equal(self, got, want, where, what):
        return self.expect(got == want, where, "%s is %r, expected %r" % (what, got, want))


def check_loaded(c, where, img):
    """The width the browser decoded, which the page's load handler wrote
    into the element: above 0 only for a picture that loaded."""
    width = img.attrs.get("data-natural-width")
    c.expect(width is not None and width.isdigit() and int(width) > 0, where,
             "the logo %s did not load (natural width %s)" % (img.attrs.get("src"), width))


def check_row(c, where, row, want, other_score):
    """One team row: the logo, then the winner's or the loser's cells."""
    imgs = row.find_all("img")
    if c.equal(len(imgs), 1, where, "number of logos"):
        c.equal(imgs[0].attrs.get("src"), "./images/" + page_text(want["logo"]), where, "logo path")
    mine, theirs = number(page_text(want["score"])), number(page_text(other_score))
    win, lose = row.find_all("div", "winteam"), row.find_all("div", "loseteam")
    name = rank_tag(page_text(want["poll"])) + page_text(want["name"])
    if mine == theirs:
        # A tie: the row holds the logo and an empty name cell only.
        c.equal((len(win), len(lose)), (0, 0), where, "winner and loser cells of a tie")
        return
    cells = ("win", win) if mine > theirs else ("lose", lose)
    if not c.equal(len(cells[1]), 1, where, cells[0] + "team cells"):
        return
    c.equal(len(win) + len(lose), 1, where, "team cells in the row")
    # The loser's division is closed on the next line: only its end is blank.
    got = cells[1][0].own_text()
    got = got if cells[0] == "win" else got.rstrip(" \n")
    c.equal(got, name, where, cells[0] + "team text")
    records = row.find_all("div", cells[0] + "record")
    if c.equal(len(records), 1, where, cells[0] + "record cells"):
        c.equal(records[0].text(), page_text(want["record"]), where, "record")
    scores = row.find_all("div", cells[0] + "score")
    if c.equal(len(scores), 1, where, cells[0] + "score cells"):
        c.equal(scores[0].text(), page_text(want["score"]), where, "score")


def check_box(c, box, want, html_dir):
    where = "box of game %d-%d" % (want["day"], want["game"])
    rows = box.find_all("tr")
    if not c.equal(len(rows), 2, where, "number of team rows"):
        return
    for i, (row, other) in enumerate(zip(rows, reversed(want["rows"]))):
        check_row(c, where + " row %d" % (i + 1), row, want["rows"][i], other["score"])

    mvp = box.find_all("div", "mvp")
    if c.equal(len(mvp), 1, where, "player of the game cells"):
        c.equal(mvp[0].text(), page_text(want["pog"]), where, "player of the game")
    mvpteams = box.find_all("div", "mvpteam")
    if c.equal(len(mvpteams), 2, where, "mvpteam divisions"):
        c.equal(mvpteams[0].text(), " Player of the Game:", where, "player of the game heading")
        c.equal(mvpteams[1].leading_text(), page_text(want["pogteam"]), where, "player's team")
    # The cell spanning both rows sits in the first row.
    spanning = [td for td in rows[0].find_all("td") if td.attrs.get("rowspan") == "2"]
    c.equal(len(spanning), 1, where, "cells spanning both rows")

    links = box.find_all("a")
    if not c.equal(len(links), 1, where, "number of links"):
        return
    link = links[0]
    c.equal(link.text(), "Boxscore", where, "link text")
    if spanning:
        c.expect(link in list(spanning[0].walk()), where, "the Boxscore link is outside the player's cell")
    href = link.attrs.get("href", "")
    if want["listed"]:
        target = os.path.normpath(os.path.join(html_dir, href))
        wanted = os.path.join(html_dir, "boxes", "box%d-%d.htm" % (want["day"], want["game"]))
        c.equal(target, os.path.normpath(wanted), where, "the Boxscore link's target")
        c.expect(os.path.isfile(target), where, "the Boxscore link leads to no file: " + href)
    else:
        c.equal(href, "", where, "link of a game the schedule did not list")


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("dom")
    ap.add_argument("manifest")
    ap.add_argument("--last-day", type=int, required=True)
    ap.add_argument("--days", type=int, required=True)
    ap.add_argument("--html-dir", required=True)
    args = ap.parse_args()

    builder = TreeBuilder()
    with open(args.dom, encoding="utf-8") as f:
        builder.feed(f.read())
    builder.close()
    bodies = builder.root.find_all("body")
    c = Checker()
    roots = builder.root.find_all("html")
    c.expect(len(roots) == 1 and roots[0].attrs.get("data-loaded") == "yes", "page",
             "the document was read before the page's load event")
    if not c.equal(len(bodies), 1, "page", "number of bodies"):
        return report(c, 0)
    body = bodies[0]

    titles = builder.root.find_all("title")
    c.expect(len(titles) == 1 and titles[0].text() == "Scoreboard", "page", "title is not Scoreboard")
    c.expect(any(n.text() == "Scoreboard" for n in body.find_all("div", "newheader")),
             "page", "no Scoreboard heading")

    # The body's own sequence of date headers and boxes: a box nested inside
    # another (an unclosed division swallowing the next game) is a failure.
    sequence = [n for n in body.elements()
                if "dateheader" in n.classes() or "boxscore" in n.classes()]
    nested = [n for n in body.find_all("div", "boxscore") if n.parent is not body]
    c.equal(len(nested), 0, "page", "boxes not at the top of the body")

    walk = expected_walk(*read_manifest(args.manifest), args.last_day, args.days)
    want_sequence = []
    for day in walk:
        want_sequence.append(("date", day))
        want_sequence.extend(("box", b) for b in day["boxes"])
    got_kinds = ["date" if "dateheader" in n.classes() else "box" for n in sequence]
    if not c.equal(got_kinds, [k for k, _ in want_sequence], "page", "order of date headers and boxes"):
        return report(c, len(sequence))

    # Every picture on the page, in a box or not.
    images = body.find_all("img")
    c.expect(len(images) > 0, "page", "no pictures at all")
    for img in images:
        check_loaded(c, "page", img)

    for node, (kind, want) in zip(sequence, want_sequence):
        if kind == "date":
            c.equal(node.text(), page_text(want["date"]), "date header of day %d" % want["day"], "date")
        else:
            check_box(c, node, want, args.html_dir)
    return report(c, sum(1 for k, _ in want_sequence if k == "box"))


def report(c, boxes):
    for f in c.failures:
        print("FAIL: " + f)
    if c.failures:
        print("%d check(s) failed" % len(c.failures))
        return 1
    print("scoreboard in the browser: %d game boxes, all as the league's facts say" % boxes)
    return 0


if __name__ == "__main__":
    sys.exit(main())
