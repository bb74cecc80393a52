// The browser edition's size and speed, side by side with their references,
// in one run, in headless Chromium and Firefox ESR (each where installed):
//   size        the page gzipped (gzip -9), story and module included, and
//               the shares of its script and stylesheet;
//   first text  from navigation to the first page of the story on screen,
//               against a plain HTML file holding the same text, no script,
//               in the same browser; and so with a full record stored by
//               another build; resuming a game of 1,000 answers, the whole
//               story in the page, against a plain file holding that whole
//               story's text; and the site's page from its service worker,
//               against the plain file kept by the same worker, online and
//               offline;
//   the site    zipped as a release zips it; Lighthouse's performance score
//               on its mobile profile (Chromium);
//   one answer  the page's work for one answer (script, style and layout)
//               after 1,000 answers, against after 10;
//   the map     opening it, a jump to a scene from it, "Ver todo" and one
//               zoom step ("Alejar" or "Acercar") on it, with every scene
//               seen (every transcript played first), in a game at its
//               tenth answer, against one answer after 1,000;
//   loading     a saved game of 1,000 answers, from a new game: from the
//               file dropped to the whole story on screen (the next frame
//               drawn), against the first text of the plain file holding
//               that story's text;
//   switching   from the link to the other language's page followed, in a
//               game at the end of the longest transcript, to that page
//               showing the game at the same point, against that page's
//               own first text.
// Each figure of speed but the first text is the median of five page loads.
// The page measured is in any language, with the transcripts answered in it:
// TRANSCRIPT_DIR's, by default the pinned ones of its language (the story's
// own in tests/transcripts, a translation's in a folder named after it), or
// else the Spanish ones' answers as build/translate_answers gives them in
// that language. With WEB_ROWS=first, only the size, the first text and
// switching language are measured.
// Usage: WEB_PAGE=build/web/tramontalia.html [TRANSCRIPT_DIR=...] [WEB_ROWS=first] node bench/web.mjs
// Prints a table, a row for each browser that is not installed; slow figures
// never fail (exit 0), a missing page exits 2.
import { execFileSync } from 'node:child_process';
import { copyFileSync, cpSync, existsSync, mkdtempSync, readFileSync, readdirSync, rmSync, statSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { basename, dirname, join } from 'node:path';
import { fileURLToPath, pathToFileURL } from 'node:url';

import { answer, fresh, gameKey, launch, lighthouse, missingFor, pageLanguage, pagePath } from '../tools/browser.mjs';
import { pageUrl, recordKey, reload, storyText, typeableTranscripts, typedAnswers, wordsOf } from '../tools/browser.mjs';
import { serve } from '../tools/serve.mjs';

if (!pagePath || !existsSync(pagePath)) {
  console.error('bench/web.mjs: no page to measure (make web, then WEB_PAGE=...)');
  process.exit(2);
}
const median = (values) => values.sort((a, b) => a - b)[Math.floor(values.length / 2)];
const rows = [];

// The page's words that the measures wait for, in the language of a page's tag.
const pauseLine = (tag) => wordsOf(tag)('Pulsa enter');
const original = pageLanguage === 'es';
// A language's name in po/LINGUAS, and so in its files' names.
const language = pageLanguage.replace('-', '_');
const allRows = process.env.WEB_ROWS !== 'first';

// The games answered in the page, each a list of answers.
const root = join(dirname(fileURLToPath(import.meta.url)), '..');
let translated = null; // the folder of answers given in the page's language, made here
function transcriptDir() {
  const pinned = join(root, 'tests', 'transcripts', ...(original ? [] : [language]));
  if (process.env.TRANSCRIPT_DIR || existsSync(pinned)) return process.env.TRANSCRIPT_DIR || pinned;
  const dir = (translated = mkdtempSync(join(tmpdir(), `tramontalia-${language}-`)));
  const spanish = join(root, 'tests', 'transcripts');
  const translate = join(dirname(pagePath), '..', 'translate_answers');
  for (const name of readdirSync(spanish).filter((name) => name.endsWith('.in'))) {
    const input = readFileSync(join(spanish, name));
    writeFileSync(join(dir, name), execFileSync(translate, [language], { input }));
  }
  return dir;
}
const transcripts = transcriptDir();
const games = () => typeableTranscripts(transcripts).map((name) => typedAnswers(name, transcripts));

// --- Size ----------------------------------------------------------------------
const gzipped = execFileSync('gzip', ['-9c', pagePath]).length;
const pageMost = 31000;
rows.push([`page (${pageLanguage}), gzip -9 (bytes), any browser`, `${gzipped}`, '-', '-', `<= ${pageMost}`]);
// The shares of the script and the stylesheet: each one's text gzipped alone.
const page = readFileSync(pagePath, 'utf8');
const parts = { script: /<script type="module">([^]*?)<\/script>/, stylesheet: /<style>([^]*?)<\/style>/ };
for (const [part, element] of Object.entries(parts)) {
  const alone = execFileSync('gzip', ['-9c'], { input: page.match(element)[1] }).length;
  const share = `${Math.round((alone / gzipped) * 100)}% of the page`;
  rows.push([`... its ${part} alone (bytes)`, `${alone}`, share, '-', '-']);
}

// The same first text in a plain page: what any page needs to show it.
const work = mkdtempSync(join(tmpdir(), 'tramontalia-bench-'));

// The site zipped as a release zips it, every language's page in it: told
// once, with the original's page; its target grows by a page's for each.
const siteDir = join(dirname(pagePath), 'site');
// The page's file in the site: the original's is the site's index.
const siteFile = original ? '' : `${language}.html`;
if (original) {
  const zipPath = join(work, 'site.zip');
  const files = readdirSync(siteDir).sort();
  execFileSync('zip', ['-q', '-X', '-9', zipPath, ...files], { cwd: siteDir });
  const pages = files.filter((name) => name.endsWith('.html')).length;
  const target = `<= ${40000 + pageMost * pages}`;
  rows.push([`site, ${pages} pages, zip -X -9 (bytes)`, statSync(zipPath).size, '-', '-', target]);
}
const plainPath = join(work, 'plain.html');
const plainLongPath = join(work, 'plain-long.html');
// A long game: at the first menu, an unrecognised word, which replays the
// room, and its three pauses, over and over.
const cycle = ['x', '', '', ''];
const longGame = Array.from({ length: 1000 }, (_, k) => (k < 3 ? '' : cycle[k % cycle.length]));
// A plain page holding `text` as a terminal shows it.
const writePlain = (path, text) =>
  writeFileSync(
    path,
    `<!doctype html><html lang="${pageLanguage}"><meta charset="utf-8"><title>Tramontalia</title><pre>${text
      .replace(/&/g, '&amp;')
      .replace(/</g, '&lt;')}</pre></html>`,
  );

// Milliseconds from navigation until the page's first pause line ("Pulsa
// enter" in Spanish) is in the document and the next frame has been drawn,
// measured inside the page alike for both. With storage emptied at each
// navigation, then holding `stored` (key to value), as another build left
// it; in one context, so that every load finds the browser's caches alike.
async function timeToFirstText(browser, url, stored = {}, line = pauseLine(pageLanguage)) {
  const page = await browser.newPage();
  await page.evaluateOnNewDocument((values) => {
    localStorage.clear();
    for (const [key, value] of Object.entries(values)) localStorage.setItem(key, value);
  }, stored);
  await page.evaluateOnNewDocument((line) => {
    window.firstText = new Promise((resolve) => {
      const check = () => {
        if (!document.body?.textContent.includes(line)) return false;
        requestAnimationFrame(() => resolve(performance.now()));
        return true;
      };
      const observer = new MutationObserver(() => check() && observer.disconnect());
      observer.observe(document, { childList: true, subtree: true, characterData: true });
    });
  }, line);
  await page.goto(url);
  const ms = await page.evaluate(() => window.firstText);
  await page.close();
  return ms;
}

// The first text of the site's page and of the plain page, both kept and
// served by the site's service worker, over `rounds` loads each, online,
// then with the host gone; the medians, in that order.
async function siteFirstTexts(browser, plain, rounds) {
  const dir = mkdtempSync(join(tmpdir(), 'tramontalia-site-'));
  cpSync(siteDir, dir, { recursive: true });
  copyFileSync(plain, join(dir, 'plain.html'));
  const host = await serve({ dir });
  const page = await browser.newPage();
  await page.goto(host.url + siteFile);
  await page.waitForFunction(() => navigator.serviceWorker.controller?.state === 'activated');
  await page.evaluate(async () => (await caches.open((await caches.keys())[0])).add('plain.html'));
  await page.close();
  const medians = [];
  for (const online of [true, false]) {
    if (!online) await host.close();
    const [site, plainText] = [[], []];
    for (let round = 0; round < rounds; ++round) {
      site.push(await timeToFirstText(browser, host.url + siteFile));
      plainText.push(await timeToFirstText(browser, `${host.url}plain.html`));
    }
    medians.push(median(site), median(plainText));
  }
  rmSync(dir, { recursive: true });
  return medians;
}

// The page for the measures made inside it, served cross-origin isolated:
// there Chromium's clock counts in microseconds, not in tenths of a
// millisecond, a tenth of an answer's work. The page loads nothing from
// elsewhere, so it plays there as anywhere.
const isolated = await serve({
  dir: dirname(pagePath),
  headers: { 'cross-origin-opener-policy': 'same-origin', 'cross-origin-embedder-policy': 'require-corp' },
});
const isolatedUrl = `${isolated.url}${basename(pagePath)}`;

// At the first menu, over and over: an unrecognised word replays the room,
// whose three pauses take three Enters. Each measure is the page's work: its
// script, then the style and layout it leaves for the browser: one answer,
// opening the map (closed again unmeasured), a jump to a scene, each seen
// scene in turn (from the map opened unmeasured), "Ver todo" (on the map
// opened and zoomed in a step, unmeasured), a zoom step, out and in by turns
// (on the map opened unmeasured), one answer given from a control away from
// the text box, to which the page moves the focus back as after a jump (the
// control focused unmeasured), or loading a saved game of `count` answers
// (from a new game, started unmeasured), until its last block is
// on screen and the next frame drawn. Returns the median time.
async function pageTime(browser, before, measure = 'answer', reused = null) {
  const page = reused ?? (await fresh(browser, { url: isolatedUrl }));
  const measured = await page.evaluate(async (count, measure, cycle) => {
    const input = document.getElementById('answer');
    const form = document.getElementById('reply');
    const answer = (k) => {
      input.value = cycle[k % cycle.length];
      form.requestSubmit();
    };
    let given = 0;
    for (; given < 3; ++given) answer(3); // the opening's pauses
    for (; given < count; ++given) answer(given);
    const click = (selector) => document.querySelector(selector).click();
    const step = (key) => click(`#map [data-key="${key}"]`);
    const seen = () => document.querySelectorAll('#map li.seen button');
    const jumpTo = (k) => seen()[k % seen().length].click();
    const none = () => {};
    const saved = Array.from({ length: given }, (_, k) => `${k < 3 ? '' : cycle[k % cycle.length]}\n`).join('');
    // The drop of a file as the browser makes it, before the measure: the
    // page's work starts at the event. Done at the frame after "Deshacer"
    // is as the game loaded leaves it (once the page's whole work for it is
    // done), reading the file's bytes included.
    const dropOf = (text) => {
      const data = new DataTransfer();
      data.items.add(new File([text], 'partida.txt'));
      return new DragEvent('drop', { dataTransfer: data, bubbles: true, cancelable: true });
    };
    const savedDrop = dropOf(saved);
    const load = () =>
      new Promise((resolve) => {
        const undo = document.getElementById('undo');
        const done = () => !undo.disabled && (observer.disconnect(), requestAnimationFrame(resolve));
        const observer = new MutationObserver(done);
        observer.observe(undo, { attributes: true });
        document.body.dispatchEvent(savedDrop);
      });
    // A new game, as "Empezar de nuevo" starts it once the player agrees.
    const restart = () =>
      new Promise((resolve) => {
        const question = document.getElementById('confirm-game');
        question.addEventListener('close', resolve, { once: true });
        click('#restart');
        question.querySelector('[value="yes"]').click();
      });
    // Each measure: what is done before it, unmeasured; the work measured;
    // what is done after it, unmeasured.
    const [setUp, work, tearDown] = {
      answer: [none, () => answer(given++), none],
      answerBack: [() => document.getElementById('open-map').focus(), () => answer(given++), none],
      map: [none, () => click('#open-map'), () => click('#close-map')],
      jump: [() => click('#open-map'), jumpTo, none],
      fit: [() => [click('#open-map'), step('+')], () => step('fit'), () => click('#close-map')],
      zoom: [() => click('#open-map'), (k) => step(k % 2 ? '+' : '-'), () => click('#close-map')],
      load: [restart, load, none],
    }[measure];
    const times = [];
    for (let k = 0; k < 47; ++k) {
      await setUp();
      document.body.offsetHeight; // nothing pending from earlier work
      const start = performance.now();
      await work(k);
      document.body.offsetHeight;
      times.push(performance.now() - start);
      tearDown();
    }
    return times.sort((a, b) => a - b)[times.length >> 1];
  }, before, measure, cycle);
  if (!reused) await page.done();
  return measured;
}

// The page loaded again at a new game, keeping its record.
async function newGame(page) {
  await page.evaluate((key) => localStorage.removeItem(key), gameKey);
  await reload(page);
}

// The longest game of the transcripts, which switching carries over.
const longestTranscript = () =>
  games().reduce((longest, answers) => (answers.length > longest.length ? answers : longest));

// Milliseconds from the link to the other language's page followed, in a
// game of `answers`, to that page showing as many blocks of the story as
// this one did, the next frame drawn: the game's answers carried over and
// played there. Both ends are read on the same clock, the time since the
// epoch, in high resolution. In the context where the first texts are
// measured, storage emptied at each navigation, so that every switch finds
// the browser's caches as the other page's first text does.
async function switchTime(browser, answers) {
  const page = await browser.newPage();
  await page.evaluateOnNewDocument(() => localStorage.clear());
  await page.goto(pageUrl);
  await page.waitForSelector('#story .piece');
  await answer(page, answers);
  const blocks = await page.$$eval('#story .piece', (pieces) => pieces.length);
  await page.evaluateOnNewDocument((count) => {
    window.atItsPoint = new Promise((resolve) => {
      const check = () => {
        if (document.querySelectorAll('#story .piece').length < count) return false;
        requestAnimationFrame(() => resolve(performance.timeOrigin + performance.now()));
        return true;
      };
      const observer = new MutationObserver(() => check() && observer.disconnect());
      observer.observe(document, { childList: true, subtree: true });
    });
  }, blocks);
  const [, start] = await Promise.all([
    page.waitForNavigation(),
    page.evaluate(() => {
      const start = performance.timeOrigin + performance.now();
      document.querySelector('header [hreflang]').click();
      return start;
    }),
  ]);
  const end = await page.evaluate(() => window.atItsPoint);
  await page.close();
  return end - start;
}

// Every transcript played in one page, so that its record holds every scene.
async function everySceneSeen(browser) {
  const page = await fresh(browser, { url: isolatedUrl });
  for (const answers of games()) {
    await newGame(page);
    await answer(page, answers);
  }
  return page;
}

for (const [engine, name] of [
  ['chromium', 'Chromium'],
  ['firefox', 'Firefox ESR'],
]) {
  const missing = await missingFor(engine);
  if (missing.length > 0) {
    rows.push([`${name}: skipped`, 0, `needs ${missing.join(', ')}`, '-', '-']);
    continue;
  }
  const browser = await launch(engine);
  const first = await fresh(browser);
  writePlain(plainPath, await storyText(first));
  const longStored = { [gameKey]: JSON.stringify({ answers: longGame }) };
  if (allRows) {
    await first.evaluate((values) => Object.assign(localStorage, values), longStored);
    await reload(first);
    writePlain(plainLongPath, await storyText(first));
  }
  await first.done();
  // Every scene and ending, as a build before this one stored them: ways,
  // and the endings' numbers, which the page must find ways to again.
  const seenAll = allRows && (await everySceneSeen(browser));
  let stored;
  if (allRows) {
    if (!(await seenAll.evaluate(() => crossOriginIsolated))) throw new Error(`${name}: the page is not cross-origin isolated`);
    const ways = await seenAll.evaluate((key) => Object.values(JSON.parse(localStorage.getItem(key)))[0], recordKey);
    const endings = [...Array(19).keys()];
    stored = { [recordKey]: JSON.stringify({ version: 'another build', ways, endings }) };
  }
  // Each load in turn, round after round: its address and what storage holds.
  const loads = {
    game: [pageUrl],
    plain: [pathToFileURL(plainPath).href],
    ...(allRows && {
      full: [pageUrl, stored],
      resumed: [pageUrl, longStored],
      plainLong: [pathToFileURL(plainLongPath).href],
    }),
  };
  const firsts = Object.fromEntries(Object.keys(loads).map((load) => [load, []]));
  for (let round = 0; round < 30; ++round) {
    for (const [load, [url, values]] of Object.entries(loads)) firsts[load].push(await timeToFirstText(browser, url, values));
  }
  const { game: gameFirst, plain: plainFirst, full: fullFirst, resumed: resumedFirst, plainLong: plainLongFirst } =
    Object.fromEntries(Object.entries(firsts).map(([load, times]) => [load, median(times)]));
  const plainText = `${plainFirst.toFixed(1)} (plain HTML)`;
  rows.push([`${name}: first text (ms)`, gameFirst, plainText, gameFirst / plainFirst, '<= 1.5x']);
  if (allRows) {
    const fullText = `${name}: first text, full record of another build (ms)`;
    rows.push([fullText, fullFirst, plainText, fullFirst / plainFirst, '<= 1.5x']);
    const plainLongText = `${plainLongFirst.toFixed(1)} (plain HTML, whole story)`;
    const resumedRow = `${name}: first text, 1,000 answers resumed (ms)`;
    rows.push([resumedRow, resumedFirst, plainLongText, resumedFirst / plainLongFirst, '<= 1.5x']);
    const [online, onlinePlain, offline, offlinePlain] = await siteFirstTexts(browser, plainPath, 30);
    const fromWorker = (ms) => `${ms.toFixed(1)} (plain, same worker)`;
    const onlineRow = `${name}: first text, site online (ms)`;
    rows.push([onlineRow, online, fromWorker(onlinePlain), online / onlinePlain, '<= 1.5x']);
    const offlineRow = `${name}: first text, site offline (ms)`;
    rows.push([offlineRow, offline, fromWorker(offlinePlain), offline / offlinePlain, '<= 1.5x']);

    // Round after round, each measure once, so that a moment when the
    // machine is slower weighs on all of them alike; then the medians.
    const times = { few: [], many: [], back: [], map: [], jump: [], fit: [], zoom: [], load: [] };
    for (let round = 0; round < 5; ++round) {
      times.few.push(await pageTime(browser, 10));
      times.many.push(await pageTime(browser, 1000));
      times.back.push(await pageTime(browser, 10, 'answerBack'));
      times.load.push(await pageTime(browser, 1000, 'load'));
      for (const measure of ['map', 'jump', 'fit', 'zoom']) {
        await newGame(seenAll);
        times[measure].push(await pageTime(browser, 10, measure, seenAll));
      }
    }
    const [few, many, back, map, jump, fit, zoom, load] = Object.values(times).map(median);
    rows.push([`${name}: one answer after 1,000 (ms)`, many, `${few.toFixed(2)} (after 10)`, many / few, '<= 2x']);
    const reference = `${many.toFixed(2)} (one answer)`;
    rows.push([`${name}: opening the map (ms)`, map, reference, map / many, '<= 2x']);
    // A jump ends with the focus moved back to the text box, which a keyboard
    // player needs: its reference moves it too.
    const backReference = `${back.toFixed(2)} (one answer, focus back)`;
    rows.push([`${name}: a jump to a scene (ms)`, jump, backReference, jump / back, '<= 2x']);
    rows.push([`${name}: "Ver todo" on the map (ms)`, fit, reference, fit / many, '<= 2x']);
    rows.push([`${name}: a zoom step on the map (ms)`, zoom, reference, zoom / many, '<= 2x']);
    const loadRow = `${name}: loading a file of 1,000 answers (ms)`;
    rows.push([loadRow, load, plainLongText, load / plainLongFirst, '<= 1.5x']);
    await seenAll.done();
  }

  // Switching language, against the other page's own first text.
  const otherPage = await fresh(browser);
  const [otherUrl, otherLanguage] = await otherPage.$eval('header [hreflang]', (link) => [link.href, link.hreflang]);
  await otherPage.done();
  const carried = longestTranscript();
  const [switched, otherFirst] = [[], []];
  for (let round = 0; round < 10; ++round) {
    switched.push(await switchTime(browser, carried));
    otherFirst.push(await timeToFirstText(browser, otherUrl, {}, pauseLine(otherLanguage)));
  }
  const [switchMs, otherMs] = [median(switched), median(otherFirst)];
  const switchRow = `${name}: switching to ${otherLanguage}, ${carried.length} answers (ms)`;
  rows.push([switchRow, switchMs, `${otherMs.toFixed(1)} (its first text)`, switchMs / otherMs, '<= 1.5x']);
  await browser.close();
}
rmSync(work, { recursive: true });
if (translated) rmSync(translated, { recursive: true });
await isolated.close();

// Lighthouse's performance score for the served site, on its mobile
// profile (a slow phone on slow 4G, simulated), with its first contentful paint.
if (allRows && (await missingFor('chromium')).length === 0) {
  const host = await serve({ dir: siteDir });
  const report = await lighthouse(host.url + siteFile, 'performance');
  await host.close();
  if (report) {
    const paint = `${report.audits['first-contentful-paint'].displayValue} (first paint)`;
    const score = report.categories.performance.score * 100;
    rows.push(['Chromium: Lighthouse performance, mobile', score, paint, '-', '100']);
  }
}

// The same table as bench/run.sh prints for the console game.
const show = (value) => (typeof value === 'string' ? value : value.toFixed(2)); // bytes, or ms
console.log(`\n${'measure'.padEnd(40)} ${'page'.padStart(12)} ${'reference'.padStart(34)} ratio    target`);
for (const [measure, value, reference, ratio, target] of rows) {
  const ratioText = typeof ratio === 'number' ? `${ratio.toFixed(2)}x` : ratio;
  console.log(
    `${measure.padEnd(40)} ${show(value).padStart(12)} ${reference.padStart(34)}`,
    `${ratioText.padStart(5)} ${target.padStart(9)}`,
  );
}
