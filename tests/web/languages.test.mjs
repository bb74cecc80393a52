// The pages in two languages: a game goes on in the other language at the
// same point, from disk and from the site, online and off; the site opens in
// its player's language; each page is a work of its own, with its IFID; a
// file saved by the other language's page is refused.
import assert from 'node:assert/strict';
import { readFileSync, readdirSync } from 'node:fs';
import { dirname, join } from 'node:path';
import { after, test } from 'node:test';
import { pathToFileURL } from 'node:url';

import { serve } from '../../tools/serve.mjs';
import { answer, click, drop, expectView, fresh, launch, launchOrSkip, pagePath, pageUrl, reload } from './browser.mjs';
import { terminalView, typeableTranscripts, typedAnswers, until, wordsOf } from './browser.mjs';

const browser = await launchOrSkip();
const engine = process.env.BROWSER ?? 'chromium';
after(() => browser.close());
// The first translation po/LINGUAS lists, its page and its tag.
const [first] = readFileSync(new URL('../../po/LINGUAS', import.meta.url), 'utf8').match(/^[a-z][\w]*/m);
const english = join(dirname(pagePath), `tramontalia-${first}.html`);
const firstTag = readFileSync(english, 'utf8').match(/<html lang="([\w-]+)"/)[1];
const transcripts = process.env.TRANSCRIPT_DIR;

// The list of languages is a popover: opened, then its link followed.
const follow = async (page, language) => {
  await page.click('[popovertarget="languages"]');
  await page.waitForSelector(`#languages [hreflang="${language}"]`, { visible: true });
  await Promise.all([page.waitForNavigation(), page.click(`#languages [hreflang="${language}"]`)]);
  await page.waitForSelector('#story .piece');
};
// The scenes and endings the map counts, in any language.
const counts = async (page) => {
  await page.click('#open-map');
  const text = await page.$eval('#map-counts', (counts) => counts.textContent);
  await page.click('#close-map');
  return text.match(/\d+/g).join(' ');
};
const storedGame = (page, key) => page.evaluate((key) => JSON.parse(localStorage[key]).answers, key);

test('from disk, every transcript\'s game goes on in English as the English console plays it, and back in Spanish on its course', async () => {
  const page = await fresh(browser);
  for (const name of typeableTranscripts()) {
    const spanish = typedAnswers(name);
    await page.goto(pageUrl);
    await page.evaluate((answers) => {
      localStorage.clear();
      localStorage.tramontalia = JSON.stringify({ answers });
    }, spanish);
    await reload(page);
    await follow(page, firstTag);
    // The English transcript's input is the English console's, as tools/translate_answers makes it.
    await expectView(page, typedAnswers(name, `${transcripts}/${first}`), `${name} in English`, undefined, english);
    await follow(page, 'es');
    await until(async () => assert.equal(terminalView(await storedGame(page, 'tramontalia'), false), terminalView(spanish, false), name));
    await expectView(page, await storedGame(page, 'tramontalia'), `${name} back in Spanish`);
  }
  await page.done();
});

test('from disk, the record goes along, the same scenes and endings; the game goes on, in English and back', async () => {
  const page = await fresh(browser);
  const [played, ...others] = ['attendant-juice-rojo-drunk.in', 'cockpit-race-to-finish.in'];
  for (const name of [...others, played]) {
    await page.evaluate(() => localStorage.removeItem('tramontalia'));
    await reload(page);
    await answer(page, typedAnswers(name).slice(0, name === played ? 5 : undefined));
  }
  const spanish = await counts(page);
  await follow(page, firstTag);
  await until(async () => assert.equal(await counts(page), spanish, 'the record in English'));
  const inEnglish = typedAnswers(played, `${transcripts}/${first}`).slice(0, 7);
  await answer(page, inEnglish.slice(5));
  await expectView(page, inEnglish, 'played on in English', undefined, english);
  await follow(page, 'es');
  await expectView(page, typedAnswers(played).slice(0, 7), 'and on in Spanish');
  await page.done();
});

test("a file the other language's page saved is refused, naming that language in the player's", async () => {
  const refusal = 'No se carga: la guardó la página en {0}.';
  const other = firstTag;
  for (const [path, name, saver] of [
    [pagePath, `tramontalia-${other}-game-20261210-1200.txt`, other],
    [pagePath, `{"tramontalia-${other}-map":[]}`, other],
    [english, 'tramontalia-partida-20261210-1200.txt', 'es'],
    [english, '{"tramontalia-mapa":[]}', 'es'],
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

test("the keys players' data is under are the ones they had, in each page, and load", async () => {
  const ending = 'attendant-juice-rojo-drunk.in';
  for (const [path, gameKey, mapKey, dir] of [
    [pagePath, 'tramontalia', 'tramontalia-mapa', transcripts],
    [english, `tramontalia-${firstTag}`, `tramontalia-${firstTag}-map`, `${transcripts}/${first}`],
  ]) {
    const page = await fresh(browser, { url: pathToFileURL(path).href });
    await page.evaluate((gameKey, mapKey, way) => {
      localStorage.clear();
      localStorage[gameKey] = JSON.stringify({ answers: ['', '', ''] });
      localStorage[mapKey] = JSON.stringify({ [mapKey]: [way] });
    }, gameKey, mapKey, typedAnswers(ending, dir));
    await reload(page);
    await expectView(page, ['', '', ''], `${gameKey} resumed`, undefined, path);
    await until(async () => assert.match(await counts(page), / 47 1 19$/, `${mapKey} read`));
    await page.done();
  }
});

test('each page has its IFID, in its head and its iFiction record, and English is a work of its own', () => {
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

test("the site opens in the first of the browser's languages that the game has, else in Spanish", async () => {
  const site = await serveSite();
  // The pages' tags, as the site's pages name them.
  const tags = readdirSync(dirname(pagePath))
    .filter((file) => /^tramontalia.*\.html$/.test(file))
    .map((file) => readFileSync(join(dirname(pagePath), file), 'utf8').match(/<html lang="([\w-]+)"/)[1]);
  const primary = (tag) => tag.split('-')[0].toLowerCase();
  const expectedFor = (languages) =>
    languages.split(',').map((wanted) => tags.find((tag) => tag.toLowerCase() === wanted.toLowerCase()) ?? tags.find((tag) => primary(tag) === primary(wanted))).find(Boolean) ?? 'es';
  for (const languages of ['en-GB,en', 'de-AT,es-MX,en', 'fr-CA,de', 'xx,en-US,es', 'xx,yy']) {
    const expected = expectedFor(languages);
    const other = await launch(engine, { languages });
    const page = await fresh(other, { url: site.url });
    assert.equal(await openedIn(page), expected, languages);
    await other.close();
  }
  await site.close();
});

test('on the site, a switch goes on with the game, is remembered, and works offline', async () => {
  const copy = await serveSite();
  const page = await fresh(browser, { url: copy.url });
  const played = ['', '', '', 'a', '', 'l'];
  await answer(page, played);
  await page.waitForFunction(() => navigator.serviceWorker.controller?.state === 'activated');
  await follow(page, 'en');
  const carried = await storedGame(page, 'tramontalia-en');
  await expectView(page, carried, 'in English', undefined, english);
  await page.goto(copy.url);
  assert.equal(await openedIn(page), 'en', 'the switch remembered');
  await copy.close();
  await follow(page, 'es');
  await expectView(page, played, 'back in Spanish, offline');
  await page.goto(copy.url);
  assert.equal(await openedIn(page), 'es', 'offline, the switch back remembered');
  await page.done();
});
