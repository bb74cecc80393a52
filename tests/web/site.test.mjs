// The site (build/web/site) served from localhost as by any static host: what
// it may ask of the network, what it logs, installing, a new build on the host,
// playing offline, a portal's frame.
import assert from 'node:assert/strict';
import { cpSync, mkdtempSync, readFileSync, readdirSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { dirname, join } from 'node:path';
import { after, test } from 'node:test';
import { fileURLToPath } from 'node:url';

import { inlineBytes } from '../../web/tools/inline_bytes.mjs';
import { manifestOf, writeSite } from '../../web/tools/build_site.mjs';
import { answer, click, expectView, fresh, launchOrSkip, lighthouse, pagePath, reload } from './browser.mjs';
import { newPage, terminalView, type, until } from './browser.mjs';
import { serve } from '../../tools/serve.mjs';

const browser = await launchOrSkip();
const built = await serve({ dir: join(dirname(pagePath), 'site') });
after(() => Promise.all([browser.close(), built.close()]));
const chromium = (process.env.BROWSER ?? 'chromium') === 'chromium';
// The first translation po/LINGUAS lists: its page is the site's FIRST.html.
const [first] = readFileSync(new URL('../../po/LINGUAS', import.meta.url), 'utf8').match(/^[a-z]\w*/m);

// A copy of the built site on a host of its own, for a test to deploy over.
async function host() {
  const dir = mkdtempSync(join(tmpdir(), 'tramontalia-site-'));
  cpSync(join(dirname(pagePath), 'site'), dir, { recursive: true });
  const server = await serve({ dir });
  return { dir, url: server.url, close: () => server.close().then(() => rmSync(dir, { recursive: true })) };
}

const record = (page) => page.evaluate(() => [localStorage.tramontalia, localStorage['tramontalia-mapa']]);

test('served: installable; a new build shown by the second visit, the game whole; offline play', async () => {
  const site = await host();
  const page = await fresh(browser, { url: site.url });
  // What it logs too, from its next visit on.
  page.on('console', (message) => page.errors.push(message.text()));
  const before = ['', '', '', 'a', ''];
  await answer(page, before);
  await page.waitForFunction(() => navigator.serviceWorker.controller?.state === 'activated');
  // Each language's page an app of its own, in its language.
  const installable = async (language) => {
    if (!chromium) return;
    const cdp = await page.createCDPSession();
    const refused = (await cdp.send('Page.getInstallabilityErrors')).installabilityErrors.map((error) => error.errorId);
    const { errors, data } = await cdp.send('Page.getAppManifest');
    // In a private context, as fresh() opens: Chromium refuses to install from one, for that alone.
    const expected = { refused: ['in-incognito'], errors: [], language };
    assert.deepEqual({ refused, errors, language: JSON.parse(data).lang }, expected);
  };
  await installable('es');
  const stored = await record(page);
  // The same pages, each module with one more (custom) section: a new build.
  const added = inlineBytes(Buffer.from([0, 2, 1, 0x32]));
  const newBuild = (file) =>
    readFileSync(join(site.dir, file), 'utf8').replace(/(id="module">[^<]*)/, (module) => module + added);
  const files = ['index.html', ...readdirSync(site.dir).filter((file) => file.endsWith('.html') && file !== 'index.html')];
  const pages = files.map((file) => {
    const { lang: language, name } = JSON.parse(readFileSync(join(site.dir, manifestOf(file)), 'utf8'));
    return { file, language, name, index: newBuild(file) };
  });
  writeSite(pages, fileURLToPath(new URL('../..', import.meta.url)), site.dir);
  const isNew = () => page.$eval('#module', (module, end) => module.textContent.endsWith(end), added);
  await reload(page);
  // That visit may show the old build; once the browser's check for a new
  // worker (made at each visit, here at once) has settled, the host's site
  // is kept alone, and the next visit shows it.
  await page.evaluate(() => navigator.serviceWorker.ready.then((registration) => registration.update()));
  const settled = () =>
    page.evaluate(async (files) => {
      const { installing, waiting } = await navigator.serviceWorker.ready;
      const pages = await Promise.all(files.map((file) => caches.match(file)));
      return [Boolean(installing ?? waiting), (await caches.keys()).length, ...(await Promise.all(pages.map((page) => page?.text())))];
    }, files);
  const kept = [false, 1, ...pages.map((built) => built.index)];
  await until(async () => assert.deepEqual(await settled(), kept, 'the new build, and it alone, kept'));
  await reload(page);
  assert.ok(await isNew(), 'the second visit shows the new build');
  await expectView(page, before, 'the game on screen');
  assert.deepEqual(await record(page), stored, 'the game and the record stored');
  await page.goto(`${site.url}${first}.html`);
  assert.ok(await isNew(), "the first translation's page's visit shows the new build too");
  await installable(pages.find((built) => built.file === `${first}.html`).language);
  await site.close();
  // Offline, from a link with a query, as portals and shared links give.
  await page.goto(`${site.url}?desde=enlace`);
  await expectView(page, before, 'offline, the game resumed');
  const after = [...before, 'l', 'x'];
  await answer(page, after.slice(before.length));
  await expectView(page, after, 'offline, the game goes on');
  assert.ok(await isNew(), 'offline, the new build');
  // Nothing asked of another host (Firefox reports the tab icon, inline), nothing logged.
  const elsewhere = page.requests.filter((request) => !request.startsWith(site.url) && !request.startsWith('data:'));
  assert.deepEqual({ elsewhere, logged: page.errors }, { elsewhere: [], logged: [] });
  await page.done();
});

test('Lighthouse: the served site at 100 in accessibility, best practices and SEO', { skip: !chromium }, async (t) => {
  const report = await lighthouse(built.url, 'accessibility,best-practices,seo');
  if (!report) return t.skip('SKIPPED: Lighthouse is not installed (npm ci)');
  const scores = Object.values(report.categories).map((category) => `${category.id} ${category.score * 100}`);
  assert.deepEqual(scores, ['accessibility 100', 'best-practices 100', 'seo 100']);
});

test('the manifest: icons of their declared sizes, one maskable one, declared for that alone', () => {
  const dir = join(dirname(pagePath), 'site');
  const { icons } = JSON.parse(readFileSync(join(dir, 'manifest.webmanifest')));
  const maskable = icons.filter((icon) => icon.purpose.includes('maskable')).map((icon) => icon.purpose);
  assert.deepEqual(maskable, ['maskable'], 'one maskable icon, declared for that alone');
  for (const { src, sizes } of icons.filter((icon) => icon.src.endsWith('.png'))) {
    const png = readFileSync(join(dir, src));
    assert.equal(`${png.readUInt32BE(16)}x${png.readUInt32BE(20)}`, sizes, src);
  }
});

// In a game portal's frame (another origin), sandboxed or not, the site's page plays with Enter even where forms
// are refused, resumes only where storage is allowed, and shows every save's text, which the frame may not download.
const played = ['', '', '', 'a', ''];
const saves = [
  ['Archivo', 'Guardar partida', 'body', (text) => assert.equal(text, played.map((a) => `${a}\n`).join(''))],
  ['Archivo', 'Guardar transcripción', 'body', (text) => assert.equal(text, terminalView(played))],
  ['Mapa', 'Guardar mapa', '#map', (text) => assert.ok(JSON.parse(text)['tramontalia-mapa'].length > 1)],
];
for (const tokens of ['', 'allow-scripts', 'allow-scripts allow-same-origin allow-forms allow-popups']) {
  test(`framed, sandbox "${tokens}": Enter, every save, a reload`, async () => {
    // As wide as a terminal: a narrower frame wraps the story as a phone does.
    const iframe = `<iframe src="${built.url}" width="1000" height="700" ${tokens && `sandbox="${tokens}"`}></iframe>`;
    const portal = await serve({ host: '127.0.0.1', pages: { '/': iframe } });
    const page = await newPage(browser);
    await page.setViewport({ width: 1280, height: 800 });
    await page.goto(portal.url);
    // Keys go to the focus; the download is the browser's to refuse: noted, not made.
    const framed = async () => {
      const frame = await until(() => page.frames()[1] ?? assert.fail());
      await frame.waitForSelector('#story .piece').then(() => frame.focus('#answer'));
      await frame.evaluate(() => (HTMLAnchorElement.prototype.click = function note() { window.saved = this.download }));
      return Object.assign(frame, { keyboard: page.keyboard });
    };
    let frame = await framed();
    await type(frame, played);
    assert.equal(await frame.$eval('#storing', (line) => line.textContent !== ''), tokens === 'allow-scripts');
    for (const [opener, name, scope, check] of saves) {
      await click(frame, opener).then(() => click(frame, name, scope));
      const file = await until(async () => (await frame.evaluate(() => window.saved)) ?? assert.fail('not saved'));
      const shown = () => frame.$eval('#copy-file', (d) => [d.open, d.querySelector('textarea').value, d.innerText]);
      const [, text, line] = await until(async () => ((await shown())[0] ? shown() : assert.fail('no text to copy')));
      check(text);
      assert.ok(line.includes(`copia el texto y guárdalo como ${file}.`), line);
      await frame.evaluate(() => delete window.saved);
      await click(frame, 'Cerrar', '#copy-file');
      await until(async () => assert.equal((await shown())[0], false, 'closed'));
    }
    await page.reload();
    frame = await framed();
    await expectView(frame, tokens === 'allow-scripts' ? [] : played, 'reloaded');
    await page.browserContext().close();
    await portal.close();
  });
}
