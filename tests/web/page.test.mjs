// The browser edition: the page must show what a terminal shows for the same
// answers, however they come, keep the player's game, and stay safe.
import assert from 'node:assert/strict';
import { mkdtempSync, readFileSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { pathToFileURL } from 'node:url';
import { createServer } from 'node:http';
import { after, test } from 'node:test';

import { answer, control, expectView, fresh, launchOrSkip, pagePath, pageUrl } from './browser.mjs';
import { pageVersion, reload, restart, tap, terminalView, type, typeableTranscripts } from './browser.mjs';
import { typedAnswers, until, withStorage } from './browser.mjs';

const browser = await launchOrSkip();
after(() => browser.close());

// Through the opening to the first menu, then "a" to the airliner's menu.
const toSecondMenu = ['', '', '', 'a', ''];
const toEnding = [...toSecondMenu, 'l', 'x', 'm', 'z', 't', ''];
const html = '<img src=x onerror=alert(1)><script>alert(2)</script>';
const pasted = 'ñandú😀 árbol '.repeat(800).slice(0, 10000);

test('every transcript answered in the text box shows what a terminal shows', async () => {
  const typeable = typeableTranscripts();
  assert.ok(typeable.length >= 55, `only ${typeable.length} transcripts can be typed`);
  const page = await fresh(browser);
  for (const name of typeable) {
    await restart(page);
    await answer(page, typedAnswers(name));
    await expectView(page, typedAnswers(name), name);
  }
  await page.done();
});

for (const [name, answers, give] of [
  ['typed: replays', typedAnswers('opening-unrecognised-replays.in'), type],
  ['typed: Enter alone', typedAnswers('opening-enter-without-word.in'), type],
  ['typed: a long answer', typedAnswers('opening-long-word-is-two-answers.in'), type],
  ['typed: blanks, "Redo from start:"', ['  ', '', '', '', ' ', 'x', '', '', '', 'salir'], type],
  ['pasted: 10,000 characters, accents and emoji', ['', pasted, '', '', 'd', pasted], answer],
  ['typed HTML stays text and runs nothing', [html, '', '', html], answer],
]) {
  test(`${name}: the terminal's text, the newest just above the text box`, async () => {
    const page = await fresh(browser);
    let dialogs = 0;
    page.on('dialog', (dialog) => (dialogs += 1) && dialog.dismiss());
    await give(page, answers);
    await expectView(page, answers, name);
    const { newest, box, markup } = await page.evaluate(() => ({
      newest: document.querySelector('#story .piece:last-child').getBoundingClientRect().bottom,
      box: document.getElementById('reply').getBoundingClientRect().top,
      markup: document.querySelectorAll('#story img, #story script').length,
    }));
    assert.ok(newest > 0 && newest <= box + 1, `the newest text at ${newest} px, the box at ${box} px`);
    assert.deepEqual([markup, dialogs, page.errors], [0, 0, []], 'markup, dialogs and errors');
    await page.done();
  });
}

// What the player can do: undo, type, play again.
const expectControls = (page, expected, message) =>
  until(async () => {
    const usable = await page.$$eval('#undo, #answer, #again', (all) =>
      all.map((el) => !el.disabled && el.checkVisibility()),
    );
    assert.deepEqual(usable, expected, message);
  });

for (const [how, answers] of [
  ['an ending', toEnding],
  ['salir', ['', '', '', 'salir']],
]) {
  test(`after ${how}, only "Jugar otra vez" goes on, from the banner, and for good`, async () => {
    const page = await fresh(browser);
    await answer(page, answers);
    await expectView(page, answers);
    await expectControls(page, [true, false, true], 'at the end');
    await (await control(page, 'Jugar otra vez')).click();
    await expectView(page, []);
    await expectControls(page, [false, true, false], 'playing again');
    await reload(page);
    await expectView(page, [], 'a new game forgets the stored answers');
    await page.done();
  });
}

test('a reload resumes the same text at the same point, and the game goes on', async () => {
  const page = await fresh(browser);
  const answers = [...toSecondMenu, 'l', 'x'];
  await answer(page, answers);
  await reload(page);
  await expectView(page, answers, 'resumed');
  await type(page, ['m']);
  await expectView(page, [...answers, 'm'], 'gone on');
  await page.done();
});

test('"Deshacer" takes back one answer at a time, to the start, even after an ending', async () => {
  const page = await fresh(browser);
  const answers = [...toSecondMenu, 'l', 'zz', '', 'm', 'z', '   ', 't', ''];
  await answer(page, answers);
  const undo = await control(page, 'Deshacer');
  for (let left = answers.length - 1; left >= 0; --left) {
    await undo.click();
    await expectView(page, answers.slice(0, left), `after undoing to ${left} answers`);
  }
  await expectControls(page, [false, true, false], 'at the start');
  await reload(page);
  await expectView(page, [], 'the stored game was taken back too');
  await page.done();
});

// The question is a dialog; its close is handled a task after the choice,
// and the handler's last step puts the focus back in the text box.
for (const [choice, shown] of [
  ['Seguir jugando', toSecondMenu],
  ['Escape', toSecondMenu],
  ['Empezar de nuevo', []],
]) {
  test(`"Empezar de nuevo" asks first: ${choice}, and after a reload too`, async () => {
    const page = await fresh(browser);
    await answer(page, toSecondMenu);
    await (await control(page, 'Empezar de nuevo')).focus();
    await page.keyboard.press('Enter');
    await until(async () => assert.ok(await page.$eval('dialog', (dialog) => dialog.open), 'no question'));
    if (choice === 'Escape') await page.keyboard.press('Escape');
    else await (await control(page, choice, 'dialog')).click();
    await until(async () =>
      assert.ok(await page.evaluate(() => document.activeElement.id === 'answer'), 'not back to typing'),
    );
    await expectView(page, shown, choice);
    await reload(page);
    await expectView(page, shown, `${choice}, reloaded`);
    await page.done();
  });
}

test('tapping an option or "Pulsa enter" answers as typing would, on the waiting menu only', async () => {
  const page = await fresh(browser, { touch: true });
  await tap(page, ['Pulsa enter', 'Pulsa enter', 'Pulsa enter', 'n', 'Pulsa enter', 'e']);
  await expectView(page, ['', '', '', 'n', '', 'e']);
  // "n" of the first menu, shown twice, is plain text now; "n" of the
  // wall's menu answers, with the wall menu's two other options.
  const roles = await page.$$eval('#story [data-answer="n"]', (all) => all.map((span) => span.getAttribute('role')));
  assert.deepEqual(roles, [null, null, 'button']);
  assert.equal((await page.$$('#story [role="button"]')).length, 3);
  await page.done();
});

const savedFile = (page) =>
  until(async () => {
    const saved = await page.evaluate(() => window.saved);
    assert.ok(saved, 'nothing saved');
    return saved;
  });

test('"Guardar transcripción" saves exactly the terminal view', async () => {
  const page = await fresh(browser);
  const answers = [...toSecondMenu, '   ', 'ñ', 'l'];
  await answer(page, answers);
  await (await control(page, 'Guardar transcripción')).click();
  const saved = await savedFile(page);
  assert.match(saved.name, /^tramontalia-\d{8}-\d{4}\.txt$/);
  assert.equal(saved.text, terminalView(answers));
  await page.done();
});

test('no request leaves the page, from disk or from a web server, and the policy allows none', async () => {
  const html = readFileSync(pagePath);
  const server = createServer((request, response) => {
    const found = request.url === '/';
    response.writeHead(found ? 200 : 404, { 'content-type': 'text/html' }).end(found ? html : '');
  });
  await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
  for (const url of [pageUrl, `http://127.0.0.1:${server.address().port}/`]) {
    const page = await fresh(browser, { url });
    await answer(page, toEnding);
    await (await control(page, 'Guardar transcripción')).click();
    await savedFile(page);
    // The page itself aside (which Firefox does not report from disk).
    assert.deepEqual(page.requests.filter((request) => request !== url), [], `requests from ${url}`);
    await page.done();
  }
  server.close();
  const csp = html.toString().match(/Content-Security-Policy" content="([^"]*)"/)[1];
  assert.match(csp, /^default-src 'none';/);
  assert.doesNotMatch(csp, /unsafe-inline|https?:|\*/);
});

const version = pageVersion();
const stale = (answers) => JSON.stringify({ version, answers });

for (const [stored, init] of [
  ['refused', null],
  ['cut short', '{"version":'],
  ['another shape', '[1,2]'],
  ['another build', '{"version":"0","answers":[""]}'],
  ['a game that ended before its last answer', stale(['', '', '', 'salir', ''])],
  ['not text', stale(['', 7])],
  ['a line break', stale(['a\nb'])],
]) {
  test(`storage ${stored}: the page starts anew and plays`, async () => {
    const page = await fresh(browser, withStorage('tramontalia', init));
    await expectView(page, [], stored);
    await answer(page, toSecondMenu);
    await expectView(page, toSecondMenu, stored);
    assert.deepEqual(page.errors, [], stored);
    await page.done();
  });
}

test('the module inlined a character a byte comes back whole: every byte, and what HTML alters', async () => {
  const { inlineBytes } = await import('../../tools/inline_bytes.mjs');
  const { moduleBytes } = await import('../../web/game.js');
  const awkward = Buffer.from('\r\n\r\0\0</script><!--<\r', 'latin1');
  const every = [...Array(256).keys()];
  const bytes = Buffer.concat([Buffer.from(every), awkward, Buffer.from(every.reverse())]);
  const path = join(mkdtempSync(join(tmpdir(), 'tramontalia-bytes-')), 'bytes.html');
  const script = `<script type="application/octet-stream">${inlineBytes(bytes)}</script>`;
  writeFileSync(path, `<!doctype html><meta charset="utf-8">${script}`);
  const page = await fresh(browser);
  await page.goto(pathToFileURL(path).href);
  const read = await page.evaluate(`Array.from((${moduleBytes})(document.scripts[0].textContent))`);
  assert.deepEqual(Buffer.from(read), bytes);
  await page.done();
});
