// Every page of po/LINGUAS: the pages the whole suites leave out, each in a
// smaller one (its first text, a game to an ending, a Spanish page's file
// refused); a chain of switches through every page, from disk and from the
// site, carrying the game and the map; input methods where the keys are digits.
import assert from 'node:assert/strict';
import { readFileSync } from 'node:fs';
import { dirname, join } from 'node:path';
import { after, test } from 'node:test';
import { pathToFileURL } from 'node:url';

import { serve } from '../../tools/serve.mjs';
import { fill } from '../../web/words.js';
import { along, answer, counts, drop, expectView, follow, fresh, gameOf, launchOrSkip, pagePath, type, until } from './browser.mjs';
import { wordsOf } from './browser.mjs';

const browser = await launchOrSkip();
after(() => browser.close());
const chromium = (process.env.BROWSER ?? 'chromium') === 'chromium';
const others = (process.env.WEB_PAGES ?? '').split(':').filter(Boolean);
const tagOf = (path) => readFileSync(path, 'utf8').match(/<html lang="([\w-]+)"/)[1];
const ending = ['', '', '', 'a', '', 'l', 'x', 'm', 'z', 't', ''];
const lineOf = (page) => page.$eval('#ending', (line) => line.textContent.trim());

for (const path of others) {
  const [tag, words] = [tagOf(path), wordsOf(path)];
  const say = (text) => words.get(text) ?? text;
  test(`${tag}: its first text; a Spanish page's file refused; a game to an ending`, async () => {
    const page = await fresh(browser, { url: pathToFileURL(path).href });
    await expectView(page, [], 'the first text', undefined, path);
    await drop(page, '\n\n\na\n', 'tramontalia-partida-20261210-1200.txt');
    const refused = fill(say('No se carga: la guardó la página en {0}.'), new Intl.DisplayNames(tag, { type: 'language' }).of('es'));
    await until(async () => assert.equal(await lineOf(page), refused));
    await expectView(page, [], 'the file refused', undefined, path);
    const answers = await along(ending, path);
    await answer(page, answers);
    await expectView(page, answers, 'to an ending', undefined, path);
    const met = fill(say('Nuevo final: {0} · {1} de {2}'), say('Zumos para la eternidad'), 1, 19);
    await until(async () => assert.equal(await lineOf(page), met));
    assert.deepEqual(page.errors, []);
    await page.done();
  });
}

// Every page, first the Spanish one and last again: from disk, and the
// site's files (index.html and LANGUAGE.html).
const codes = readFileSync(new URL('../../po/LINGUAS', import.meta.url), 'utf8').match(/^[a-z]\w*/gm);
const translated = (code) => [join(dirname(pagePath), `tramontalia-${code}.html`), `${code}.html`];
const chain = [...codes.map(translated), [pagePath, 'index.html']];

test('a chain of switches through every page, from disk and on the site, carries the game and the map', async () => {
  const site = await serve({ dir: join(dirname(pagePath), 'site') });
  // An ending, then a game on its way there, with a word no key takes.
  const game = ending.slice(0, 7);
  for (const start of [pathToFileURL(pagePath).href, site.url]) {
    const page = await fresh(browser, { url: start });
    await answer(page, ending);
    await expectView(page, ending, 'the ending');
    await page.click('#again');
    await answer(page, game);
    await expectView(page, game, 'the game');
    const seen = await counts(page);
    for (const [path, file, at = `${tagOf(path)}, from ${start}`] of chain) {
      await follow(page, tagOf(path));
      if (start === site.url) assert.equal(new URL(page.url()).pathname.split('/').pop(), file, at);
      await expectView(page, await along(game, path), at, undefined, path);
      await until(async () => assert.equal(await counts(page), seen, `${at}: the map`));
    }
    await page.done();
  }
  await site.close();
});

// Input methods, on each page whose keys are digits: Enter that confirms a
// composition does not send; a full-width digit chooses as its ASCII form.
const games = await Promise.all(others.map(gameOf));
const digits = (game) => game.play(['', '', ''], 0).taps.at(-1).every((tap) => /^[0-9]$/.test(tap.answer));
const digitPages = others.filter((path, k) => digits(games[k]));
test('some page has digit keys, for the input methods', () => assert.notEqual(digitPages.length, 0));

for (const path of digitPages) {
  const tag = tagOf(path);
  // Chromium's driver raises a real composition (the DevTools protocol's);
  // Firefox's offers none, so there the events a composition raises are
  // dispatched in the page.
  test(`${tag}: Enter that confirms a composition does not send; what it confirms does, once; "１" chooses "1"`, async () => {
    const page = await fresh(browser, { url: pathToFileURL(path).href });
    const echoes = () => page.$$eval('#story .typed', (typed) => typed.map((span) => span.textContent));
    await answer(page, ['', '', '']);
    await expectView(page, ['', '', ''], 'the first menu', undefined, path);
    const before = await echoes();
    await page.focus('#answer');
    if (chromium) {
      const cdp = await page.createCDPSession();
      await cdp.send('Input.imeSetComposition', { text: 'ｘ', selectionStart: 1, selectionEnd: 1 });
      await page.keyboard.press('Enter');
      await cdp.send('Input.insertText', { text: 'ｘ' });
    } else {
      await page.evaluate(() => {
        const box = document.getElementById('answer');
        box.dispatchEvent(new CompositionEvent('compositionstart', { bubbles: true }));
        box.value = 'ｘ';
        const enter = { key: 'Enter', code: 'Enter', keyCode: 229, bubbles: true, cancelable: true, isComposing: true };
        box.dispatchEvent(new KeyboardEvent('keydown', enter));
        box.dispatchEvent(new CompositionEvent('compositionend', { bubbles: true, data: 'ｘ' }));
      });
    }
    await until(async () => assert.equal(await page.$eval('#answer', (box) => box.value), 'ｘ', 'the composition kept'));
    assert.deepEqual(await echoes(), before, 'nothing sent while composing');
    await page.keyboard.press('Enter');
    await until(async () => assert.deepEqual(await echoes(), [...before, 'ｘ'], 'sent once, when confirmed'));
    await type(page, ['１']);
    const asAscii = (text) => text.replace(/１/g, '1').replace(/[^\S\n]+$/gm, '').trimEnd();
    await expectView(page, ['', '', '', 'ｘ', '1'], 'as its ASCII form', asAscii, path);
    await page.done();
  });
}
