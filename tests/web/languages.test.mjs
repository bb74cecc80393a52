// The Spanish page and the first translation's: a file the other saved is
// refused; each is a work of its own, with its IFID; the site opens in its
// player's language; a switch on the site carries the game, is remembered,
// and works offline. (Every page's switches: pages.test.mjs.)
import assert from 'node:assert/strict';
import { readFileSync } from 'node:fs';
import { dirname, join } from 'node:path';
import { after, test } from 'node:test';
import { pathToFileURL } from 'node:url';

import { serve } from '../../tools/serve.mjs';
import { languageChoice } from '../../web/tools/build_site.mjs';
import { answer, drop, expectView, follow, fresh, launch, launchOrSkip, pagePath, until, wordsOf } from './browser.mjs';

const browser = await launchOrSkip();
const engine = process.env.BROWSER ?? 'chromium';
after(() => browser.close());
// The first translation po/LINGUAS lists, its page and its tag.
const [first] = readFileSync(new URL('../../po/LINGUAS', import.meta.url), 'utf8').match(/^[a-z][\w]*/m);
const firstPage = join(dirname(pagePath), `tramontalia-${first}.html`);
const firstTag = readFileSync(firstPage, 'utf8').match(/<html lang="([\w-]+)"/)[1];

const storedGame = (page, key) => page.evaluate((key) => JSON.parse(localStorage[key]).answers, key);

test("a file the other language's page saved is refused, naming that language in the player's", async () => {
  const refusal = 'No se carga: la guardó la página en {0}.';
  const other = firstTag;
  for (const [path, name, saver] of [
    [pagePath, `tramontalia-${other}-game-20261210-1200.txt`, other],
    [pagePath, `{"tramontalia-${other}-map":[]}`, other],
    [firstPage, 'tramontalia-partida-20261210-1200.txt', 'es'],
    [firstPage, '{"tramontalia-mapa":[]}', 'es'],
  ]) {
    const page = await fresh(browser, { url: pathToFileURL(path).href });
    // A record's file is told by its key, whatever its name.
    if (name.startsWith('{')) await drop(page, name, 'carte.json');
    else await drop(page, '\n\n\na\n', name);
    const said = wordsOf(path).get(refusal) ?? refusal;
    const expected = await page.evaluate((said, saver) => said.replace('{0}', new Intl.DisplayNames(document.documentElement.lang, { type: 'language' }).of(saver)), said, saver);
    await until(async () => assert.equal(await page.$eval('#ending', (el) => el.textContent), expected));
    await expectView(page, [], name, undefined, path);
    await page.done();
  }
});

test('each page has its IFID, in its head and its iFiction record, and each translation a work of its own', () => {
  const ifids = ['tramontalia', `tramontalia-${first}`].map((name) => {
    const page = readFileSync(join(dirname(pagePath), `${name}.html`), 'utf8');
    const record = readFileSync(join(dirname(pagePath), `${name}.iFiction`), 'utf8');
    const head = page.match(/property="ifiction:ifid" content="([^"]+)"/)[1];
    assert.equal(record.match(/<ifid>([^<]+)<\/ifid>/)[1], head, name);
    assert.equal(record.match(/<language>([^<]+)<\/language>/)[1], page.match(/<html lang="([\w-]+)"/)[1], name);
    return head;
  });
  const cmake = readFileSync(new URL('../../CMakeLists.txt', import.meta.url), 'utf8');
  assert.equal(ifids[0], cmake.match(/TRAMONTALIA_IFID (\S+)\)/)[1], 'the original');
  assert.notEqual(ifids[1], ifids[0], 'a work of its own');
});

const serveSite = () => serve({ dir: join(dirname(pagePath), 'site') });
const openedIn = (page) => page.evaluate(() => document.documentElement.lang);

// The site's first page: the script in index.html's head, run on browsers'
// lists of languages (and a choice remembered), and once in the browser.
const codes = readFileSync(new URL('../../po/LINGUAS', import.meta.url), 'utf8').match(/^[a-z]\w*/gm);
const sitePages = [{ language: 'es', file: 'index.html' }, ...codes.map((code) => ({ language: code.replace('_', '-'), file: `${code}.html` }))];
function openedAt(languages, { remembered = null, path = '/', hash = '' } = {}) {
  let file = 'index.html';
  const location = { pathname: path, hash, search: '', replace: (to) => (file = to) };
  const storage = { getItem: (key) => (key === 'tramontalia-idioma' ? remembered : null) };
  new Function('navigator', 'localStorage', 'location', languageChoice(sitePages))({ languages }, storage, location);
  return sitePages.find((page) => page.file === file).language;
}
const choices = [
  [['fr-CA'], 'fr'], [['de-AT', 'en'], 'de'], [['pt'], 'pt-BR'], [['pt-PT', 'en'], 'pt-BR'], [['uk-UA', 'ru'], 'ru'],
  [['ja-JP'], 'ja'], [['zh-CN'], 'zh-CN'], [['zh-Hans-CN'], 'zh-CN'], [['en-US', 'es'], 'en'], [['es-MX', 'en'], 'es'],
  [['xx'], 'es'], [['xx', 'yy-ZZ'], 'es'],
];
test("the site opens in the choice remembered, else the first of the browser's languages the game has, else Spanish", (t) => {
  const tags = sitePages.map((page) => page.language);
  for (const [languages, expected] of choices) {
    if (tags.includes(expected)) assert.equal(openedAt(languages), expected, languages.join());
    else t.diagnostic(`${expected} has no page: ${languages.join()} not tried`);
  }
  const last = tags.at(-1);
  assert.equal(openedAt(['es'], { remembered: last }), last, 'remembered, first');
  assert.equal(openedAt([last], { remembered: 'es' }), 'es', 'remembered Spanish');
  assert.equal(openedAt([last], { hash: '#[]' }), 'es', 'a game carried to the index');
  assert.equal(openedAt([last], { path: '/index.html' }), 'es', 'a link to the index');
});

test('in the browser, the site opens in the first of its languages the game has', async () => {
  const site = await serveSite();
  const last = sitePages.at(-1).language;
  const other = await launch(engine, { languages: `xx,${last},es` });
  const page = await fresh(other, { url: site.url });
  assert.equal(await openedIn(page), last);
  await other.close();
  await site.close();
});

test('on the site, a switch goes on with the game, is remembered, and works offline', async () => {
  const copy = await serveSite();
  const page = await fresh(browser, { url: copy.url });
  const played = ['', '', '', 'a', '', 'l'];
  await answer(page, played);
  await page.waitForFunction(() => navigator.serviceWorker.controller?.state === 'activated');
  await follow(page, firstTag);
  const carried = await storedGame(page, `tramontalia-${firstTag}`);
  await expectView(page, carried, 'in the first translation', undefined, firstPage);
  await page.goto(copy.url);
  assert.equal(await openedIn(page), firstTag, 'the switch remembered');
  await copy.close();
  await follow(page, 'es');
  await expectView(page, played, 'back in Spanish, offline');
  await page.goto(copy.url);
  assert.equal(await openedIn(page), 'es', 'offline, the switch back remembered');
  await page.done();
});
