// Reads a run's posts folder with real parsers and fails when text from the
// league (a name, a result, a leader's line, the Message) became markup:
// two BBCode parsers on forum.txt, two Discord-markdown parsers on each
// discord-<n>.md. The program's own lines (headings, fences, the [code]
// and [url] lines) are passed over; every other line must come out as text.
// The Message opens the first Discord message as the commissioner typed it
// (chat markup is his to use there), so it is passed over in Discord alone.
//
//   NODE_PATH=.../node_modules node tools/checks/posts_markup.js POSTS_FOLDER
'use strict';
const fs = require('fs');
const path = require('path');
const { parse: bbobParse } = require('@bbob/parser');
const bbobHtml = require('@bbob/html').default;
const html5 = require('@bbob/preset-html5').default;
const bbcode = require('bbcode');
const discordMarkdown = require('discord-markdown');
const discordParser = require('discord-markdown-parser');

const folder = process.argv[2];
const failures = [];
const fail = (where, line, why) => failures.push(`${where}: ${why}: ${JSON.stringify(line)}`);

// A tag as a parser or a browser takes it: an ASCII letter, "/" or "*" first.
const realTag = (name) => /^[A-Za-z\/*]/.test(name);
const htmlTag = /<\/?[A-Za-z]|<!/;

function walkBbob(nodes, found) {
    for (const node of nodes || []) {
        if (node && typeof node === 'object') {
            if (realTag(node.tag)) found.push(node.tag);
            walkBbob(node.content, found);
        }
    }
    return found;
}

const forum = fs.readFileSync(path.join(folder, 'forum.txt'), 'utf8').split('\r\n');
let inCode = false;
forum.forEach((line, i) => {
    const where = `forum.txt:${i + 1}`;
    if (line === '[code]' || line === '[/code]') {
        inCode = line === '[code]';
        return;
    }
    let text = line;
    const heading = /^\[b\](.*)\[\/b\]$/.exec(line) || /^\[i\](.*)\[\/i\]$/.exec(line);
    const website = /^\[url\](.*)\[\/url\]$/.exec(line);
    // The program's own links at the post's end: the website, and the
    // period's page when the website serves the html folder.
    const games = /^Games: \[url\](https?:\/\/[^\s\[\]]*)\[\/url\]$/.exec(line);
    if (heading) text = heading[1];
    else if (website && forum.slice(i + 1).every((l) => l === '' || /^Games: \[url\]/.test(l))) text = website[1];
    else if (games && i >= forum.length - 4) return;
    const tags = walkBbob(bbobParse(text), []);
    if (tags.length) fail(where, line, `@bbob/parser found tags ${tags.join(', ')}`);
    const rendered = bbobHtml(text, html5());
    if (htmlTag.test(rendered)) fail(where, line, `@bbob/html made ${rendered}`);
    bbcode.parse(text, (out) => {
        if (htmlTag.test(out)) fail(where, line, `bbcode made ${out}`);
    });
});
if (inCode) failures.push('forum.txt: a [code] block is left open');

function discordNodesAreText(nodes) {
    return (nodes || []).every((n) => n.type === 'text' || n.type === 'escape' || (n.type === 'br'));
}

const messages = fs.readdirSync(folder).filter((n) => /^discord-\d+\.md$/.test(n)).sort();
if (!messages.length) failures.push('no Discord message');
for (const name of messages) {
    const lines = fs.readFileSync(path.join(folder, name), 'utf8').split('\r\n');
    let fenced = false;
    let message = name === messages[0];
    lines.forEach((line, i) => {
        if (message && /^\*\*/.test(line)) message = false;
        if (message) return;
        const where = `${name}:${i + 1}`;
        if (line === '```') {
            fenced = !fenced;
            return;
        }
        if (fenced || line === '') return;
        let text = line;
        const heading = /^\*\*(.*)\*\*$/.exec(line) || /^\*(.*)\*$/.exec(line);
        if (heading) text = heading[1];
        else if (/^<https?:\/\/[^>]*>$/.test(line) && i >= lines.length - 4) return; // the website
        else if (/^Games: <https?:\/\/[^>\s]*>$/.test(line) && i >= lines.length - 2) return; // the period's page
        const html = discordMarkdown.toHTML(text);
        if (htmlTag.test(html.replace(/<br>/g, ''))) fail(where, line, `discord-markdown made ${html}`);
        const nodes = discordParser.parse(text, 'normal');
        if (!discordNodesAreText(nodes))
            fail(where, line, `discord-markdown-parser made ${JSON.stringify(nodes.map((n) => n.type))}`);
    });
    if (fenced) failures.push(`${name}: a fence is left open`);
}

if (failures.length) {
    console.error(failures.join('\n'));
    process.exit(1);
}
console.log(`posts: ${forum.length} forum lines and ${messages.length} Discord messages are text where they come from the league`);
