// The book read as a reader reads it: from section 1 every link is followed,
// and along each the console is played with the key of the option the link
// stands for (Enter at every pause). The section reached must hold the words
// the console shows up to its next menu or ending, offer that menu's options
// or end where the console ends; and every section and ending is reached.
// A book in another language is played against that language's console, and
// its sections must lead where the Spanish book's (SAME_AS) do.
// Usage: EPUB=build/book/tramontalia.epub GAME=build/tramontalia-utf8 node book.test.mjs
//   EPUB=build/book/tramontalia-en.epub GAME=build/tramontalia-en BOOK_LANGUAGE=en \
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

// What each language's console writes around the story, how its book's print
// reads as the console's text, and what of the console's typography no book
// keeps: in Spanish, rayas for the dialogue's hyphens; in English, curly
// quotes and apostrophes for straight ones, each turned the right way, and
// em dashes for spaced hyphens.
const edgeHyphen = '(?<![\\p{L}\\p{N}])-|-(?![\\p{L}\\p{N}])';
const languages = {
  es: {
    pause: 'Pulsa enter', leave: 'Pulsa enter para salir', end: 'Fin', options: 'Opciones',
    asConsole: (text) => text.replace(/^—/, '- ').replaceAll('—', '-'),
    notInPrint: new RegExp(edgeHyphen, 'u'),
  },
  en: {
    pause: 'Press Enter', leave: 'Press Enter to leave', end: 'The End', options: 'Options',
    asConsole: (text) => text.replace(/[“”]/g, '"').replace(/[‘’]/g, "'").replaceAll('—', ' - '),
    notInPrint: new RegExp(`["']|(?<=\\S)[“‘]|(?<!\\S)[”’]|${edgeHyphen}`, 'u'),
  },
};
const language = languages[BOOK_LANGUAGE];

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
const words = (text) => text.split(/\s+/).filter(Boolean);
// A text of the book as the console writes it.
function consoleText(html, name) {
  const text = plain(html);
  assert.doesNotMatch(text, language.notInPrint, `${name} keeps the console's typography in "${text}"`);
  return language.asConsole(text);
}

function section(name) {
  const page = files.get(`EPUB/${name}`);
  assert.ok(page, `a link leads to ${name}, which is not in the book`);
  const links = [...page.matchAll(/<li><a href="(s(\d+)\.xhtml)">(.*?) → (\d+)<\/a><\/li>/g)];
  for (const [, , number, , shown] of links) assert.equal(shown, number, `${name} shows ${shown} for section ${number}`);
  const ending = new RegExp(`<p class="fin">${language.end}</p>\n<p class="final">(.*)</p>\n<p class="inicio"><a href="s1.xhtml">`)
    .exec(page)?.[1];
  return {
    words: words([...page.matchAll(/<p>(.*?)<\/p>/g)].map((m) => consoleText(m[1], name)).join(' ')),
    links: links.map(([, file, , label]) => ({ file, label: consoleText(label, name) })),
    ending: ending === undefined ? undefined : consoleText(ending, name),
  };
}

// What the console shows, given `input` up to an answer at a menu (none at
// the start) and Enter at every pause after it, up to the next menu or
// ending: its words, its options' keys by their words, whether it ended, and
// the input that brought it there.
function play(input) {
  let out;
  while ((out = execFileSync(GAME, { input }).toString().trimEnd()).endsWith(`\n${language.pause}`)) input += '\n';
  const pages = out.replace(/\n>$/, '').split(/^>/m);
  const shown = pages.length > 1 ? pages.at(-1) : pages[0].slice(pages[0].indexOf('\n\n\n\n')); // no banner
  const lines = shown.split('\n');
  const options = new Map();
  lines.forEach((line, i) => {
    const option = /^([a-z])->(.*)/.exec(line);
    const more = lines[i + 1]?.startsWith('   ') ? ` ${lines[i + 1].trim()}` : '';
    if (option) options.set(option[2] + more, option[1]);
  });
  const { pause, leave, end } = language;
  const marks = new RegExp(`^(${pause}|${leave}|${end}| ${language.options}: ?|[a-z]+->.*| {3}.*)$`);
  const text = lines.filter((line) => !marks.test(line)).join(' ');
  return { words: words(text), options, ended: lines.includes(end), input };
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

if (SAME_AS) test('its sections lead where the Spanish book\'s do', () => {
  const targets = (book) => [...book].filter(([name]) => /^EPUB\/s\d+\.xhtml$/.test(name))
    .map(([name, page]) => `${name} → ${[...page.matchAll(/<a href="(s\d+)\.xhtml">/g)].map((m) => m[1])}`).sort();
  assert.deepEqual(targets(files), targets(entries(SAME_AS)));
});

test('it takes at most 200 KB', () => assert.ok(readFileSync(EPUB).length <= 200 * 1024, `${EPUB} is larger`));
