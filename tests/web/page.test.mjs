// The browser edition: the page must show what a terminal shows for the same
// answers, however they come, keep the player's game, and stay safe.
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { readFileSync } from 'node:fs';
import { after, test } from 'node:test';

import { moduleBytes } from '../../web/game.js';
import { answer, click, control, drop, expectView, fresh, launchOrSkip, pageLanguage, pagePath, pageUrl } from './browser.mjs';
import { along, gameKey, recordKey, reload, saved, say, terminalView, type, typeableTranscripts, typedAnswers, until } from './browser.mjs';

const browser = await launchOrSkip();
after(() => browser.close());
const chromium = (process.env.BROWSER ?? 'chromium') === 'chromium';

// Through the opening to the first menu, then "a" to the airliner's menu;
// answered in the page's language.
const toSecondMenu = await along(['', '', '', 'a', '']);
const toEnding = await along(['', '', '', 'a', '', 'l', 'x', 'm', 'z', 't', '']);
const [quit, keyD] = [(await along(['', '', '', 'salir'])).at(-1), (await along(['', '', '', 'd'])).at(-1)];

test('every transcript answered in the text box shows what a terminal shows, as the console edition', async () => {
  const typeable = typeableTranscripts();
  assert.ok(typeable.length >= 55, `only ${typeable.length} transcripts can be typed`);
  const page = await fresh(browser);
  for (const name of typeable) {
    // The module writes what the console edition wrote (in Spanish, the
    // ISO-8859-1 one's, whose transcripts are), but for the banner and the
    // newline it writes once the input is over.
    const told = terminalView(typedAnswers(name), false);
    const out = `${process.env.TRANSCRIPT_DIR}/${name.replace(/in$/, 'out')}`;
    const console = pageLanguage === 'es' ? readFileSync(out, 'latin1').replace('ISO-8859-1', 'UTF-8') : readFileSync(out, 'utf8');
    assert.ok([told, `${told}\n`].includes(console), `${name} tells another story`);
    await reload(page, 'forgetting');
    await answer(page, typedAnswers(name));
    await expectView(page, typedAnswers(name), name);
  }
  await page.done();
});

const html = '<img src=x onerror=alert(1)><script>alert(2)</script>';
const pasted = 'ñandú😀 árbol '.repeat(800).slice(0, 10000);
for (const [how, answers] of [
  ['typed', ['  ', '', '', '', ' ', 'x', '', 'e'.repeat(300), quit]],
  ['pasted', ['', pasted, html, '', keyD, pasted, html]],
  ['tapped', await along(['', '', '', 'n', '', 'e'])],
]) {
  test(`${how}: the terminal's text, as text, added to a log, the newest just above the text box`, async () => {
    const page = await fresh(browser, { touch: how === 'tapped' });
    await page.evaluate(() => {
      window.changed = 0;
      const count = (records) =>
        (changed += records.filter((r) => r.type === 'characterData' || r.removedNodes.length).length);
      const log = document.querySelector('#story[role="log"]');
      new MutationObserver(count).observe(log, { subtree: true, childList: true, characterData: true });
    });
    await (how === 'pasted' ? answer(page, answers) : type(page, answers, how === 'tapped'));
    await expectView(page, answers, how);
    const seen = await page.evaluate(() => {
      const newest = [...document.querySelectorAll('#story .piece')].at(-1).getBoundingClientRect().bottom;
      const box = document.getElementById('reply').getBoundingClientRect().top;
      const taps = [...document.querySelectorAll('#story [role="button"]')].map((el) => el.closest('.piece'));
      // Only the waiting menu's options, or its pause, answer: one piece.
      return { newestAboveBox: newest > 0 && newest <= box + 1, tapPieces: new Set(taps).size, changed };
    });
    const expected = { newestAboveBox: true, tapPieces: how === 'typed' ? 0 : 1, changed: 0 };
    assert.deepEqual({ ...seen, errors: page.errors }, { ...expected, errors: [] }, how);
    await page.done();
  });
}

// What the player can do: undo, type, play again.
const controls = (page) =>
  page.$$eval('#undo, #answer, #again', (all) => all.map((el) => !el.disabled && el.checkVisibility()));
const expectControls = (page, expected, message) =>
  until(async () => assert.deepEqual(await controls(page), expected, message));

test('a game kept through reloads: undone to the start; starting again asks; playing again', async () => {
  const page = await fresh(browser);
  await answer(page, toEnding);
  await reload(page);
  await expectView(page, toEnding, 'resumed');
  await expectControls(page, [true, false, true], 'at the ending');
  for (let left = toEnding.length - 1; left >= 0; --left) {
    await click(page, '#undo');
    await expectView(page, toEnding.slice(0, left), `undone to ${left} answers`);
    // The game stored is the one on screen, and goes on after a reload.
    if (left === 2) await reload(page);
  }
  await expectControls(page, [false, true, false], 'at the start');
  await reload(page);
  await expectView(page, [], 'the stored game was taken back too');

  // The dialog's handler, a task after the choice, ends back in the text box;
  // Escape after a "yes" keeps the game.
  const choices = { 'Empezar de nuevo': [], Escape: toSecondMenu, 'Seguir jugando': toSecondMenu };
  for (const [choice, shown] of Object.entries(choices)) {
    if (choice !== 'Seguir jugando') await answer(page, toSecondMenu);
    await (await control(page, '#restart')).focus();
    await page.keyboard.press('Enter');
    if (choice === 'Escape') await page.waitForSelector('dialog[open]').then(() => page.keyboard.press('Escape'));
    else await click(page, say(choice), 'dialog');
    await page.waitForFunction(() => document.activeElement.id === 'answer');
    await reload(page);
    await expectView(page, shown, `${choice}, reloaded`);
  }

  await answer(page, [quit]);
  await click(page, '#again');
  await expectControls(page, [false, true, false], 'playing again');
  await reload(page);
  await expectView(page, [], 'a new game forgets the stored answers');
  await page.done();
});

// Every byte, and what HTML parsing would alter; none of the characters
// parsing alters, so the text comes back as the page's script holds it; a
// story's text in another script kept whole, but what only looks like it
// (a noncharacter, a surrogate's bytes, a sequence cut short).
test('the module inlined a character a byte, none that HTML forbids, comes back whole', async () => {
  const { inlineBytes } = await import('../../web/tools/inline_bytes.mjs');
  const every = [...Array(256).keys()];
  const awkward = Buffer.from('\r\n\r\0\0</script><!--<\r', 'latin1');
  const story = Buffer.from('Привет, 你好 🙂 ñ', 'utf8');
  const lookalikes = Buffer.from([0xef, 0xbf, 0xbe, 0xed, 0xa0, 0x80, 0xe4, 0xbd]);
  const bytes = Buffer.concat([Buffer.from(every), awkward, story, lookalikes, Buffer.from(every.reverse())]);
  const text = inlineBytes(bytes);
  assert.equal(text.length, bytes.length - story.length + 'Привет, 你好 🙂 ñ'.length + 1);
  assert.match(text, /Привет, 你好 🙂 /);
  assert.doesNotMatch(text, /[\0-\x08\x0b\r\x0e-\x1f\x7f-\x9f<\ufffe]/);
  assert.deepEqual(Buffer.from(moduleBytes(text)), bytes);
});

test("a stack trace from the page maps back to web/'s lines", async () => {
  const page = await browser.newPage();
  // A stack taken where the page decodes the game's text.
  await page.evaluateOnNewDocument(() => {
    const decode = TextDecoder.prototype.decode;
    TextDecoder.prototype.decode = function probe(...args) {
      window.stack ??= new Error().stack;
      return decode.apply(this, args);
    };
  });
  await page.goto(pageUrl);
  const input = await (await page.waitForFunction(() => window.stack)).jsonValue();
  const root = new URL('../..', import.meta.url);
  const mapped = execFileSync('node', ['web/tools/page_trace.mjs', `${pagePath}.map`], { cwd: root, input });
  // Each frame at the call it made, the first where the text is decoded.
  const frames = [...`${mapped}`.matchAll(/(web\/\w+\.js):(\d+):(\d+)/g)].map(([, file, line, column]) =>
    readFileSync(new URL(file, root), 'utf8').split('\n')[line - 1].slice(column - 1),
  );
  assert.match(frames[0], /^decode\(/);
  for (const frame of frames) assert.match(frame, /^(await )?\w+\(/);
  await page.close();
});

// The game as the console's input: answers one a line, each with its line feed.
const lines = (answers, end = '\n') => answers.map((text) => `${text}${end}`).join('');
const refused = [
  [Buffer.alloc((1 << 20) + 1, '\n'), 'No se carga: pasa de 1 MB.'],
  ['\n\n\0\n', 'No se carga: no es texto.'],
  ['\n\na\rb\n', 'No se carga: una respuesta lleva un retorno de carro.'],
  [lines([...toEnding, 'x']), 'No se carga: la partida sigue tras su final.'],
  [Buffer.from('\n\n\xf1\n', 'latin1'), 'No se carga: no está en UTF-8.'],
];
// A byte order mark and CR LF; no final line feed; one answer (what follows asks too); empty.
const accepted = [
  [`\ufeff${lines(toSecondMenu, '\r\n')}`, toSecondMenu],
  [toEnding.slice(0, 6).join('\n'), toEnding.slice(0, 6)],
  ['\n', ['']],
  ['', []],
];
const stored = (page) => page.evaluate((key) => localStorage[key], recordKey);

test('files: transcript and game as a terminal has them, loaded elsewhere after asking; no request', async () => {
  const page = await fresh(browser);
  const answers = [...toSecondMenu, 'ñandú 😀', '', '   ', ...toEnding.slice(5)];
  await answer(page, answers);
  const [transcript, game] = [await saved(page, '#save'), await saved(page, '#save-game')];
  const named = (file) => file.name.replace(/-\d{8}-\d{4}\.txt$/, '');
  assert.deepEqual([transcript, game].map(named), say(['tramontalia', 'tramontalia-partida']));
  assert.deepEqual([transcript.text, game.text], [terminalView(answers), lines(answers)]);
  const record = await stored(page);
  await click(page, '#again');
  await answer(page, await along(['', '', '', 'd']));
  await click(page, '#open-map');
  const map = await saved(page, '#save-map', null);
  const elsewhere = await fresh(browser);
  // What it logs too, from a load at a new game on: nothing.
  elsewhere.on('console', (message) => elsewhere.errors.push(message.text()));
  await reload(elsewhere);
  const kept = () =>
    elsewhere.evaluate((key) => JSON.parse(localStorage[key] ?? '{"answers":[]}').answers, gameKey);
  await drop(elsewhere, game.text);
  await until(async () => assert.deepEqual(await kept(), answers));
  await expectView(elsewhere, answers, 'loaded');
  assert.equal(await stored(elsewhere), record, 'the record of the game');
  await drop(elsewhere, map.text);
  await until(async () => assert.equal(await stored(elsewhere), await stored(page), 'the map merged'));
  const state = () => elsewhere.evaluate(() => [document.getElementById('story').innerText, { ...localStorage }]);
  const before = await state();
  for (const [bytes, why] of refused) {
    await drop(elsewhere, bytes);
    const line = () => elsewhere.$eval('#ending', (el) => el.textContent);
    await until(async () => assert.equal(await line(), say(why)));
    assert.deepEqual(await state(), before, why);
  }
  // Over a game with answers, a game's file asks first; "no" changes nothing.
  await drop(elsewhere, game.text);
  await click(elsewhere, say('Seguir jugando'), 'dialog');
  await elsewhere.waitForFunction(() => !document.querySelector('dialog[open]'));
  assert.deepEqual(await state(), before, 'loading refused');
  // Twice: the last answer, at an ending, shows nothing of its own.
  await click(elsewhere, '#undo');
  await click(elsewhere, '#undo');
  await expectView(elsewhere, answers.slice(0, -2), 'the undo history kept');
  for (const [text, typed] of accepted) {
    await drop(elsewhere, text);
    await click(elsewhere, say('Cargar partida'), 'dialog');
    await expectView(elsewhere, typed);
    assert.deepEqual(await kept(), typed, 'the answers stored');
  }
  // A long game resumed whole: its first line found from its end, in the accessibility tree (Firefox's: by role).
  const long = ['', '', '', ...Array(250).fill(['x', '', '', '']).flat()].slice(0, 1000);
  const store = (key, list) => (localStorage[key] = JSON.stringify({ answers: list }));
  await elsewhere.evaluate(store, gameKey, long);
  await reload(elsewhere);
  const line = say('Estás en casa, jugando tranquilamente a tu juego de ordenador favorito.').split('\n')[0];
  const found = await elsewhere.evaluate((line) => {
    document.activeElement.blur();
    getSelection().collapse(document.body, document.body.childNodes.length);
    return find(line, false, false, true) && document.querySelector('.piece').contains(getSelection().anchorNode);
  }, line);
  const blocks = () => elsewhere.$$eval('#story .piece', (all) => all.length);
  const generic = { type: 'accessibility', value: { role: 'generic' } };
  const inTree = chromium
    ? JSON.stringify(await elsewhere.accessibility.snapshot({ interestingOnly: false })).includes(line)
    : (await elsewhere.mainFrame().locateNodes(await elsewhere.$('#story'), generic)).length === (await blocks());
  assert.deepEqual([found, inTree, await blocks()], [true, true, 1001], 'found, in the tree, blocks');
  assert.deepEqual(elsewhere.errors, []);
  // The page itself aside (which Firefox does not report from disk), and its inline tab icon.
  for (const one of [page, elsewhere]) {
    assert.deepEqual(one.requests.filter((url) => url !== one.url() && !url.startsWith('data:')), []);
  }
  await page.done();
  await elsewhere.done();
  const csp = readFileSync(pagePath, 'utf8').match(/Content-Security-Policy" content="([^"]*)"/)[1];
  assert.match(csp, /^default-src 'none';/);
  assert.doesNotMatch(csp, /unsafe-inline|https?:|\*/);
});
