// What the browser tests add to the driver they share with the bench and
// the map's picture: waiting for states, never for a time; controls found
// as a player finds them; files dropped and saved; the terminal's view.
import assert from 'node:assert/strict';
import { existsSync, readFileSync } from 'node:fs';
import { dirname, join } from 'node:path';

import { gameKey, pagePath, storyText } from '../../tools/browser.mjs';
import { loadGame, moduleBytes } from '../../web/game.js';
import { fill } from '../../web/words.js';

export * from '../../tools/browser.mjs';

// The suites are written in Spanish. A translated page's words, and the
// titles and lines of its story, are looked up in its translation, the
// entries tools/po_header wrote for the page's build (by text, in no
// context); its files are named from its storage key.
// A page's words (by its file), by their Spanish ones; none for Spanish.
export function wordsOf(page) {
  const tag = readFileSync(page, 'utf8').match(/<html lang="([\w-]+)"/)[1];
  const translation = join(dirname(page), 'po', tag.replace('-', '_'), 'translation.json');
  if (tag === 'es' || !existsSync(translation)) return new Map();
  const entries = JSON.parse(readFileSync(translation, 'utf8')).filter((entry) => entry.context === '');
  return new Map(entries.map((entry) => [entry.source, entry.translation]));
}
const words = pagePath && existsSync(pagePath) ? wordsOf(pagePath) : new Map();
const sayOne = (text) => {
  if (words.size === 0) return text;
  if (text === 'tramontalia') return gameKey;
  if (text === 'tramontalia-partida') return `${gameKey}-${words.get('partida')}`;
  return words.get(text) ?? text;
};
// `text`, or each text of a list, as the page under test has it.
export const say = (text) => (Array.isArray(text) ? text.map(sayOne) : sayOne(text));
// A sentence with its slots filled, as the page under test says it.
export const says = (text, ...values) => fill(say(text), ...values);

// The game of a page's module (by the page's file), loaded once.
const inlined = (page) => readFileSync(page, 'utf8').match(/id="module">([^]*?)<\/script>/)[1];
const loaded = new Map();
export async function gameOf(page) {
  if (!loaded.has(page)) loaded.set(page, await loadGame(moduleBytes(inlined(page))));
  return loaded.get(page);
}
// Spanish answers as the page `to` takes them, to the same course: what each
// one did in the Spanish page's game, done by that page's own answers.
export const spanishPage = pagePath && join(dirname(pagePath), 'tramontalia.html');
export async function along(answers, to = pagePath) {
  if (to === spanishPage) return answers;
  return (await gameOf(to)).answersAlong((await gameOf(spanishPage)).course(answers));
}
// The key of the option at `place` of the first menu, or its quit word, as the page under test takes it.
export const firstMenuKey = async (place) => (await along(['', '', '', place === 'salir' ? 'salir' : 'adne'[place]])).at(-1);

// The list of languages is a popover: opened, then its link to `tag` followed.
export async function follow(page, tag) {
  await page.click('[popovertarget="languages"]');
  await page.waitForSelector(`#languages [hreflang="${tag}"]`, { visible: true });
  await Promise.all([page.waitForNavigation(), page.click(`#languages [hreflang="${tag}"]`)]);
  await page.waitForSelector('#story .piece');
}
// The scenes and endings the map counts, in any language.
export async function counts(page) {
  await page.click('#open-map');
  const text = await page.$eval('#map-counts', (counts) => counts.textContent);
  await page.click('#close-map');
  return text.match(/\d+/g).join(' ');
}

// Polls `check` (an assertion, say) until it passes, and returns its value;
// past the deadline, its last error stands.
export async function until(check, seconds = 20) {
  for (const deadline = Date.now() + seconds * 1000; ; await new Promise((resolve) => setImmediate(resolve))) {
    try {
      return await check();
    } catch (error) {
      if (Date.now() > deadline) throw error;
    }
  }
}

// A file dropped on the page, as a player drops one from a file manager.
export const drop = (page, bytes, name = 'partida.txt') =>
  page.evaluate(
    (base64, name) => {
      const data = new DataTransfer();
      data.items.add(new File([Uint8Array.from(atob(base64), (c) => c.charCodeAt(0))], name));
      document.dispatchEvent(new DragEvent('drop', { dataTransfer: data }));
    },
    Buffer.from(bytes).toString('base64'),
    name,
  );

// What the control `name` (shown by `opener`) saved (see prepare).
export async function saved(page, name, opener = 'nav [popovertarget]') {
  await page.evaluate(() => delete window.saved);
  if (opener) await click(page, opener);
  await click(page, name);
  const open = await page.$$eval(':popover-open', (all) => all.length);
  assert.equal(open, 0, `${name} leaves its popover open`);
  return until(async () => (await page.evaluate(() => window.saved)) ?? assert.fail(`nothing saved by ${name}`));
}

// Key by key, or `tapping` controls, each once the last one was echoed.
export async function type(page, answers, tapping = false) {
  const echoes = () => page.$$eval('#story .typed', (typed) => typed.length);
  for (const text of answers) {
    const before = await echoes();
    if (tapping) await (await control(page, `[data-answer="${text}"]`)).tap();
    else await page.keyboard.type(text).then(() => page.keyboard.press('Enter'));
    await until(async () => assert.equal(await echoes(), before + 1, `"${text}" was not taken`));
  }
}

// The visible button, or option by its key ("e" for "e->..."), or either
// by a selector ("#undo"), in `within`.
const findControl = (name, within) =>
  [...document.querySelectorAll(`${within} :is(button, [role="button"])`)].find(
    (el) =>
      el.checkVisibility() &&
      (/[#[]/.test(name) ? el.matches(name) : [el.textContent.trim(), el.dataset.answer].includes(name)),
  );
export async function control(page, name, scope = 'body') {
  const found = () => page.evaluateHandle(findControl, name, scope).then((handle) => handle.asElement());
  return until(async () => (await found()) ?? assert.fail(`no control "${name}" in ${scope}`));
}
export const click = async (page, name, scope) => (await control(page, name, scope)).click();

// What a terminal shows when these answers are typed, one a line, into the
// game: what it writes, each answer echoed as it is read, up to where it waits
// for one more. Played by the module of `page` (by default the page under
// test), which web.node-edition proves plays as its console edition does.
const games = new Map();
export function terminalView(answers, echoed = true, page = pagePath) {
  if (!games.has(page)) games.set(page, new WebAssembly.Module(moduleBytes(inlined(page))));
  const game = games.get(page);
  const decoder = new TextDecoder();
  let [view, line, next, waiting, memory] = ['', Buffer.alloc(0), 0, false];
  const { exports } = new WebAssembly.Instance(game, {
    tramontalia: {
      read(at, capacity) {
        if (line.length === 0) {
          if (next === answers.length) return (waiting = true), 0;
          if (echoed) view += `${answers[next]}\n`;
          line = Buffer.from(`${answers[next++]}\n`);
        }
        const size = Math.min(capacity, line.length);
        line.copy(new Uint8Array(memory.buffer, at, size));
        line = line.subarray(size);
        return size;
      },
      write(at, size) {
        if (!waiting) view += decoder.decode(new Uint8Array(memory.buffer, at, size), { stream: true });
      },
      scene() {},
      ending() {},
      answered() {},
      option() {},
      pause() {},
    },
  });
  memory = exports.memory;
  exports.play();
  return view;
}

// Waits for the terminal's view, line by line (or as `same` sees it), of
// the module of `module` (a page's file, by default the page under test).
const lines = (text) => text.replace(/[^\S\n]+$/gm, '').trimEnd();
export async function expectView(page, answers, message, same = lines, module = pagePath) {
  const expected = same(terminalView(answers, true, module));
  await until(async () => assert.equal(same(await storyText(page)), expected, message));
}

