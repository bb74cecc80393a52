// The book read as a reader reads it: from section 1 every link is followed,
// and along each the console is played with the key of the option the link
// stands for (Enter at every pause). The section reached must hold the words
// the console shows up to its next menu or ending, offer that menu's options
// or end where the console ends; and every section and ending is reached.
// A book in another language is played against that language's console, and
// its sections must lead where the Spanish book's (SAME_AS) do; all that the
// test knows of a language it reads from its PO file, so that a language that
// po/LINGUAS adds is tested with nothing more.
// Usage: EPUB=build/book/tramontalia.epub GAME=build/tramontalia-utf8 node book.test.mjs
//   EPUB=build/book/tramontalia-LANGUAGE.epub GAME=build/tramontalia-LANGUAGE BOOK_LANGUAGE=LANGUAGE \
//   SAME_AS=build/book/tramontalia.epub node book.test.mjs
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { existsSync, readFileSync } from 'node:fs';
import { test } from 'node:test';
import { inflateRawSync } from 'node:zlib';

const { EPUB, GAME, BOOK_LANGUAGE = 'es', SAME_AS } = process.env;
if (!existsSync(EPUB)) {
  console.log(`SKIPPED: ${EPUB} is not built (make book needs Node.js and rsvg-convert)`);
  process.exit(0);
}

// The words that the console writes around the story, read from the
// language's PO file (the original's from the template): the pause, the end
// and every line that frames a menu (its heading, its way out).
function poTexts(path) {
  const texts = new Map();
  for (const entry of readFileSync(path, 'utf8').split(/\n{2,}/)) {
    const field = (name) => (new RegExp(`^${name} ((?:".*"\n?)+)`, 'm').exec(entry)?.[1] ?? '""').trim().split('\n')
      .map((quoted) => JSON.parse(quoted)).join('');
    for (const [, places] of entry.matchAll(/^#: (.*)/gm)) {
      for (const place of places.split(' ')) texts.set(place, field('msgstr') || field('msgid'));
    }
  }
  return texts;
}
const original = BOOK_LANGUAGE === 'es';
const po = poTexts(new URL(`../../po/${original ? 'tramontalia.pot' : `${BOOK_LANGUAGE}.po`}`, import.meta.url));
const [pause, end] = [po.get('console/pause'), po.get('console/end')];
const frame = new Set([...po].filter(([place]) => /^console\/(pause|end)|\/(header|footer)$/.test(place))
  .map(([, text]) => text.trim()));

// Lines and paragraphs join as print joins them: with a space, but none where
// a wide character (Han, kana, Hangul, a full-width form) meets the join.
const wide = /[\p{scx=Han}\p{scx=Hiragana}\p{scx=Katakana}\p{scx=Hangul}\u3000-\u303f\uff01-\uff60\uffe0-\uffe6]/u.source;
const [endsWide, startsWide] = [new RegExp(`${wide}$`, 'u'), new RegExp(`^${wide}`, 'u')];
const join = (parts) => parts.reduce((text, part) =>
  (text === '' ? part : `${text}${endsWide.test(text) || startsWide.test(part) ? '' : ' '}${part}`), '');
// A text's words, where a dash, or a hyphen that stands for one, is a word:
// the console's "-te" and "now - or" are the book's "—te" and "now—or".
const words = (text) => text.replace(/—|(?<![\p{L}\p{N}])-|-(?![\p{L}\p{N}])/gu, ' $& ').split(/\s+/).filter(Boolean);
// A word of the console with its typewriter's marks as print sets them: a
// straight quote that opens the word curly opening, elsewhere closing; a
// hyphen that stands for a dash, a dash.
const printed = (word) => (word === '-' ? '—'
  : word.replace(/["']/g, (mark, at) => ({ '"': at ? '”' : '“', "'": at ? '’' : '‘' })[mark]));
// The book's text must be the console's, in print's marks: never a hyphen
// for a dash, nor in a translation a straight quote (the original keeps its
// quotes as its console writes them).
function assertPrinted(book, shown, what) {
  const [inBook, onConsole] = [words(book), words(shown)];
  assert.deepEqual(inBook.map((word, i) => (word === printed(onConsole[i] ?? '') ? onConsole[i] : word)), onConsole,
    `${what}: its words are not the console's`);
  const typewriter = inBook.find((word) => word === '-' || (!original && /["']/.test(word)));
  assert.equal(typewriter, undefined, `${what} keeps the console's typewriter marks in "${book}"`);
}

// The zip's entries by name, read through their local headers.
function entries(path) {
  const files = new Map();
  const zip = readFileSync(path);
  for (let at = 0; zip.readUInt32LE(at) === 0x04034b50; ) {
    const [size, nameSize] = [zip.readUInt32LE(at + 18), zip.readUInt16LE(at + 26)];
    const start = at + 30 + nameSize + zip.readUInt16LE(at + 28);
    const data = zip.subarray(start, start + size);
    files.set(zip.toString('utf8', at + 30, at + 30 + nameSize), `${zip[at + 8] === 8 ? inflateRawSync(data) : data}`);
    at = start + size;
  }
  return files;
}
const files = entries(EPUB);

const plain = (html) => html.replace(/<[^>]*>/g, '').replace(/&quot;/g, '"').replace(/&lt;/g, '<')
  .replace(/&gt;/g, '>').replace(/&amp;/g, '&');

function section(name) {
  const page = files.get(`EPUB/${name}`);
  assert.ok(page, `a link leads to ${name}, which is not in the book`);
  const links = [...page.matchAll(/<li><a href="(s(\d+)\.xhtml)">(.*?) → (\d+)<\/a><\/li>/g)];
  for (const [, , number, , shown] of links) assert.equal(shown, number, `${name} shows ${shown} for section ${number}`);
  return {
    text: join([...page.matchAll(/<p>(.*?)<\/p>/g)].map((m) => plain(m[1]))),
    links: links.map(([, file, , label]) => ({ file, label: plain(label) })),
    ending: /<p class="fin">.*<\/p>\n<p class="final">(.*)<\/p>\n<p class="inicio"><a href="s1.xhtml">/.exec(page)?.[1],
  };
}

// What the console shows, given `input` up to an answer at a menu (none at
// the start) and Enter at every pause after it, up to the next menu or
// ending: its text, its options (their words and keys), whether it ended,
// and the input that brought it there.
function play(input) {
  let out;
  while ((out = execFileSync(GAME, { input }).toString().trimEnd()).endsWith(`\n${pause}`)) input += '\n';
  const pages = out.replace(/\n>$/, '').split(/^>/m);
  const shown = pages.length > 1 ? pages.at(-1) : pages[0].slice(pages[0].indexOf('\n\n\n\n')); // no banner
  const all = shown.split('\n');
  const lines = all.filter((line) => line !== '' && !frame.has(line.trim()));
  const options = [];
  const text = [];
  for (const line of lines) {
    const option = /^(\S+?)->(.*)/.exec(line);
    if (option) options.push({ key: option[1], words: option[2] });
    else if (line.startsWith('   ') && options.length) options.at(-1).words = join([options.at(-1).words, line.trim()]);
    else text.push(line);
  }
  return { text: join(text), options, ended: all.includes(end), input };
}

test('every link leads to the words the console shows for its option', () => {
  const ways = [['s1.xhtml', '']];
  const inputTo = new Map(ways);
  const endings = new Set();
  for (const [name, input] of ways) {
    const [book, shown] = [section(name), play(input)];
    const way = `${name}, reached by ${JSON.stringify(input)}`;
    assertPrinted(book.text, shown.text, way);
    assert.equal(book.ending !== undefined, shown.ended, `${way}: the book and the console disagree on the end`);
    if (book.ending) endings.add(book.ending);
    const options = shown.ended ? [] : shown.options;
    assert.equal(book.links.length, options.length, `${way}: ${book.links.length} options, not the console's ${options.length}`);
    book.links.forEach(({ label }, i) => assertPrinted(label, options[i].words, `${way}, option ${i + 1}`));
    if (inputTo.get(name) !== input) continue; // its links are followed from its first way only
    book.links.forEach(({ file }, i) => {
      const next = `${shown.input}${options[i].key}\n`;
      if (!inputTo.has(file)) inputTo.set(file, next);
      ways.push([file, next]);
    });
  }
  const sections = [...files.keys()].filter((name) => /^EPUB\/s\d+\.xhtml$/.test(name));
  assert.deepEqual(sections.map((name) => name.slice(5)).sort(), [...inputTo.keys()].sort(), 'sections not reached');
  assert.equal(endings.size, 19, `endings reached: ${[...endings].join(', ')}`);
});

if (SAME_AS) test('its sections lead where the Spanish book\'s do', () => {
  const targets = (book) => [...book].filter(([name]) => /^EPUB\/s\d+\.xhtml$/.test(name))
    .map(([name, page]) => `${name} → ${[...page.matchAll(/<a href="(s\d+)\.xhtml">/g)].map((m) => m[1])}`).sort();
  assert.deepEqual(targets(files), targets(entries(SAME_AS)));
});

test('it names its language by its BCP 47 tag, in its package and on every page', () => {
  const tag = BOOK_LANGUAGE.replace('_', '-');
  assert.match(files.get('EPUB/package.opf'), new RegExp(`<dc:language>${tag}</dc:language>`));
  for (const [name, page] of files) {
    if (name.endsWith('.xhtml')) assert.match(page, new RegExp(`<html [^>]* lang="${tag}" xml:lang="${tag}">`), name);
  }
});

test('it takes at most 200 KB', () => assert.ok(readFileSync(EPUB).length <= 200 * 1024, `${EPUB} is larger`));
