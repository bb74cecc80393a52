// The book read as a reader reads it: from section 1 every link is followed,
// and along each the console is played with the key of the option the link
// stands for (Enter at every pause). The section reached must hold the words
// the console shows up to its next menu or ending, offer that menu's options
// or end where the console ends; and every section and ending is reached.
// Usage: EPUB=build/book/tramontalia.epub GAME=build/tramontalia-utf8 node book.test.mjs
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { existsSync, readFileSync } from 'node:fs';
import { test } from 'node:test';
import { inflateRawSync } from 'node:zlib';

const { EPUB, GAME } = process.env;
if (!existsSync(EPUB)) {
  console.log(`SKIPPED: ${EPUB} is not built (make book needs Node.js and rsvg-convert)`);
  process.exit(0);
}

// The zip's entries by name, read through their local headers.
const files = new Map();
const zip = readFileSync(EPUB);
for (let at = 0; zip.readUInt32LE(at) === 0x04034b50; ) {
  const [size, nameSize] = [zip.readUInt32LE(at + 18), zip.readUInt16LE(at + 26)];
  const start = at + 30 + nameSize + zip.readUInt16LE(at + 28);
  const data = zip.subarray(start, start + size);
  files.set(zip.toString('utf8', at + 30, at + 30 + nameSize), `${zip[at + 8] === 8 ? inflateRawSync(data) : data}`);
  at = start + size;
}

const plain = (html) => html.replace(/<[^>]*>/g, '').replace(/&quot;/g, '"').replace(/&lt;/g, '<')
  .replace(/&gt;/g, '>').replace(/&amp;/g, '&');
const words = (text) => text.split(/\s+/).filter(Boolean);
// A paragraph's text with its dialogue's rayas read as the console's hyphens;
// a hyphen left at a word's edge is the console's typography, not a book's.
function consoleText(paragraph, name) {
  assert.doesNotMatch(paragraph, /(?<![\p{L}\p{N}])-|-(?![\p{L}\p{N}])/u, `${name} sets a hyphen for a raya`);
  return paragraph.replace(/^—/, '- ').replaceAll('—', '-');
}

function section(name) {
  const page = files.get(`EPUB/${name}`);
  assert.ok(page, `a link leads to ${name}, which is not in the book`);
  const links = [...page.matchAll(/<li><a href="(s(\d+)\.xhtml)">(.*?) → (\d+)<\/a><\/li>/g)];
  for (const [, , number, , shown] of links) assert.equal(shown, number, `${name} shows ${shown} for section ${number}`);
  return {
    words: words([...page.matchAll(/<p>(.*?)<\/p>/g)].map((m) => consoleText(plain(m[1]), name)).join(' ')),
    links: links.map(([, file, , label]) => ({ file, label: plain(label) })),
    ending: /<p class="fin">Fin<\/p>\n<p class="final">(.*)<\/p>\n<p class="inicio"><a href="s1.xhtml">/.exec(page)?.[1],
  };
}

// What the console shows, given `input` up to an answer at a menu (none at
// the start) and Enter at every pause after it, up to the next menu or
// ending: its words, its options' keys by their words, whether it ended, and
// the input that brought it there.
function play(input) {
  let out;
  while ((out = execFileSync(GAME, { input }).toString().trimEnd()).endsWith('\nPulsa enter')) input += '\n';
  const pages = out.replace(/\n>$/, '').split(/^>/m);
  const shown = pages.length > 1 ? pages.at(-1) : pages[0].slice(pages[0].indexOf('\n\n\n\n')); // no banner
  const lines = shown.split('\n');
  const options = new Map();
  lines.forEach((line, i) => {
    const option = /^([a-z])->(.*)/.exec(line);
    const more = lines[i + 1]?.startsWith('   ') ? ` ${lines[i + 1].trim()}` : '';
    if (option) options.set(option[2] + more, option[1]);
  });
  const marks = /^(Pulsa enter( para salir)?|Fin| Opciones: ?|[a-z]+->.*| {3}.*)$/;
  const text = lines.filter((line) => !marks.test(line)).join(' ');
  return { words: words(text), options, ended: lines.includes('Fin'), input };
}

test('every link leads to the words the console shows for its option', () => {
  const ways = [['s1.xhtml', '']];
  const inputTo = new Map(ways);
  const endings = new Set();
  for (const [name, input] of ways) {
    const [book, shown] = [section(name), play(input)];
    const way = `${name}, reached by ${JSON.stringify(input)}`;
    assert.deepEqual(book.words, shown.words, `${way}: its words are not the console's`);
    assert.equal(book.ending !== undefined, shown.ended, `${way}: the book and the console disagree on the end`);
    if (book.ending) endings.add(book.ending);
    assert.deepEqual(book.links.map((l) => l.label), shown.ended ? [] : [...shown.options.keys()], `${way}: options`);
    if (inputTo.get(name) !== input) continue; // its links are followed from its first way only
    for (const { file, label } of book.links) {
      const next = `${shown.input}${shown.options.get(label)}\n`;
      if (!inputTo.has(file)) inputTo.set(file, next);
      ways.push([file, next]);
    }
  }
  const sections = [...files.keys()].filter((name) => /^EPUB\/s\d+\.xhtml$/.test(name));
  assert.deepEqual(sections.map((name) => name.slice(5)).sort(), [...inputTo.keys()].sort(), 'sections not reached');
  assert.equal(endings.size, 19, `endings reached: ${[...endings].join(', ')}`);
});
