// The page's words in each language. They are written in Spanish: in the
// scripts of web/, each marked _('...') (web/words.js); in the page's
// template and the iFiction record's, as they stand: every text between two
// tags with a capital letter or a space in it, the aria-label attributes and
// the description and locale of the head. A translated page is built with
// each put in its language, from the translation po/LANGUAGE.po as
// tools/po_header reads it (its JSON): the build stops at a word with no translation,
// one left empty or marked fuzzy, naming it.
//
// `make pot` writes the template's words into po/tramontalia.pot with it:
//   node web/tools/words.mjs TEMPLATE...   (a header naming the charset alone)
import { readFileSync } from 'node:fs';
import { fileURLToPath } from 'node:url';

// A text between two tags that is a word; an attribute that is one.
const textWord = />(\s*)([^<>]*?)(\s*)</g;
const isWord = (text) => /\p{Lu}|\s/u.test(text) && !/\{\{|@/.test(text);
const attributeWord =
  /(aria-label="|<meta (?:name|property)="(?:description|og:description|og:locale)" content=")([^"]*)"/g;

// Each word of a template, with its line: [word, line].
export function templateWords(template) {
  const words = [];
  const lineOf = (at) => template.slice(0, at).split('\n').length;
  for (const found of template.matchAll(textWord)) {
    if (isWord(found[2])) words.push([found[2], lineOf(found.index + 1 + found[1].length)]);
  }
  for (const found of template.matchAll(attributeWord)) words.push([found[2], lineOf(found.index)]);
  return words.sort((a, b) => a[1] - b[1]);
}

// The template with each word put in its language by `say`.
export const translateTemplate = (template, say) =>
  template
    .replace(textWord, (all, before, text, after) => (isWord(text) ? `>${before}${say(text)}${after}<` : all))
    .replace(attributeWord, (all, start, text) => `${start}${say(text)}"`);

// A script of web/ with each marked word put in its language by `say`, as a
// plain string where the mark stood: `_(` becomes ` (`, so that, in Spanish,
// every column stays where it is in web/ for the page's source map. A word
// is marked in single quotes, as the scripts quote, and holds no escape.
export const translateScript = (script, say) =>
  script.replace(/\b_\('([^'\\]*)'\)/g, (mark, word) => ` (${JSON.stringify(say(word))})`);

// The translation that tools/po_header wrote into `json` (each entry's
// place, context, Spanish text, translation and whether it is marked fuzzy),
// as a function that says a Spanish word of the page (in no context) in its
// language; it throws, naming the word, `where` it stands and its place in
// the PO file, for one it cannot.
export function readTranslation(json) {
  const entries = new Map();
  for (const entry of JSON.parse(readFileSync(json, 'utf8'))) entries.set(`${entry.context}\u0004${entry.source}`, entry);
  return (word, where, context = '') => {
    const entry = entries.get(`${context}\u0004${word}`);
    const named = `${where}: "${word}"`;
    if (!entry) throw new Error(`${named} is not in the translation: run make po, then translate it`);
    if (entry.fuzzy) throw new Error(`${named}, at ${entry.place}, is marked fuzzy, so not yet checked`);
    if (!entry.translation) throw new Error(`${named}, at ${entry.place}, is not translated yet`);
    return entry.translation;
  };
}

// As PO files write a text.
const quoted = (text) => JSON.stringify(text);

if (process.argv[1] === fileURLToPath(import.meta.url)) {
  process.stdout.write('msgid ""\nmsgstr ""\n"Content-Type: text/plain; charset=UTF-8\\n"\n');
  const messages = new Map();
  for (const path of process.argv.slice(2)) {
    for (const [word, line] of templateWords(readFileSync(path, 'utf8'))) {
      if (!messages.has(word)) messages.set(word, []);
      messages.get(word).push(`${path}:${line}`);
    }
  }
  for (const [word, places] of messages) process.stdout.write(`\n#: ${places.join(' ')}\nmsgid ${quoted(word)}\nmsgstr ""\n`);
}
