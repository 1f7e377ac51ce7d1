#!/usr/bin/env python3
"""Checks the archive of a league's html folder as a reader of the site would
meet it.

    archive_pages.py HTML_DIR SEASON...

SEASON are the seasons expected, newest first. Checks that periods.html lists
them in that order; that in every archived scoreboard of every season each
Boxscore link opens a page in the season's folder that names the box's two
teams; and that every link and picture of the program's own pages
(periods.html, latest.html, each season's index.html and period pages) opens
a file, and that those pages declare UTF-8 and hold no script.
Exit status 0 when every check passes, 1 otherwise (each failure printed).
"""

import html
import os
import re
import sys
from html.parser import HTMLParser


class Links(HTMLParser):
    def __init__(self):
        super().__init__(convert_charrefs=True)
        self.links = []
        self.scripts = 0
        self.charset = None

    def handle_starttag(self, tag, attrs):
        a = dict(attrs)
        if tag == "script":
            self.scripts += 1
        if tag == "meta" and a.get("charset"):
            self.charset = a["charset"].lower()
        for name in ("href", "src"):
            if a.get(name):
                self.links.append(a[name])


def read(path):
    with open(path, "rb") as f:
        return f.read()


def main():
    folder, seasons = sys.argv[1], sys.argv[2:]
    failures = []
    periods = read(os.path.join(folder, "periods.html")).decode("utf-8")
    places = [periods.find("Season " + s) for s in seasons]
    if -1 in places or places != sorted(places):
        failures.append("periods.html does not list the seasons %s in that order" % seasons)

    own = [os.path.join(folder, "periods.html"), os.path.join(folder, "latest.html")]
    team_name = re.compile(r"<div class=(?:winteam|loseteam)>(?:\([^)]*\) )?(.*?)<br>")
    box_link = re.compile(r"<a href=([^>]+)>Boxscore</a>")
    links_checked = 0
    for season in seasons:
        base = os.path.join(folder, "seasons", season)
        own.append(os.path.join(base, "index.html"))
        for name in sorted(os.listdir(base)):
            if name.startswith("period-day"):
                own.append(os.path.join(base, name))
            if not name.startswith("scoreboard-day"):
                continue
            board = read(os.path.join(base, name)).decode("cp1252")
            # A tied game's box names no team: its link is only followed.
            for box in board.split("<div class=boxscore>")[1:]:
                for href in box_link.findall(box):
                    target = os.path.normpath(os.path.join(base, href))
                    links_checked += 1
                    if not os.path.isfile(target):
                        failures.append("%s/%s: %s opens nothing" % (season, name, href))
                        continue
                    page = read(target).decode("cp1252")
                    for team in team_name.findall(box):
                        if team not in page:
                            failures.append("%s/%s: %s does not name %s" % (season, name, href, team))
    if links_checked == 0:
        failures.append("no Boxscore link found")

    for page in own:
        parser = Links()
        parser.feed(read(page).decode("utf-8"))
        if parser.charset != "utf-8":
            failures.append("%s declares no UTF-8" % page)
        if parser.scripts:
            failures.append("%s holds a script" % page)
        for link in parser.links:
            target = os.path.normpath(os.path.join(os.path.dirname(page), html.unescape(link)))
            if not os.path.isfile(target):
                failures.append("%s: %s opens nothing" % (os.path.relpath(page, folder), link))
    for f in failures:
        print("FAIL:", f)
    print("%d Boxscore links of %d seasons and the links of %d pages checked" % (links_checked, len(seasons), len(own)))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
