// The site (build/web/site), served from localhost as from any static host:
// installable, playing offline after one visit, a new build on the host
// reaching the player by the second visit with the game and the record
// whole, no request leaving the origin; and the single page from disk, which
// makes no request and logs nothing.
import assert from 'node:assert/strict';
import { cpSync, mkdtempSync, readFileSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { dirname, join } from 'node:path';
import { after, test } from 'node:test';
import { fileURLToPath } from 'node:url';

import { inlineBytes } from '../../tools/inline_bytes.mjs';
import { writeSite } from '../../tools/build_site.mjs';
import { answer, expectView, launchOrSkip, lighthouse, pagePath, pageUrl, reload, until } from './browser.mjs';
import { serve } from './serve.mjs';

const browser = await launchOrSkip();
after(() => browser.close());
const chromium = (process.env.BROWSER ?? 'chromium') === 'chromium';
const sourceDir = fileURLToPath(new URL('../..', import.meta.url));

// A copy of the built site on a host of its own, for a test to deploy over.
async function host() {
  const dir = mkdtempSync(join(tmpdir(), 'tramontalia-site-'));
  cpSync(join(dirname(pagePath), 'site'), dir, { recursive: true });
  const server = await serve({ dir });
  return { dir, url: server.url, close: () => server.close().then(() => rmSync(dir, { recursive: true })) };
}

// A page in a context of its own (the default one, for Chromium's install
// checks, which refuse a private context), noting requests and console output.
async function open(url, context) {
  const page = await (context ?? (await browser.createBrowserContext())).newPage();
  Object.assign(page, { requests: [], logged: [] });
  page.on('request', (request) => page.requests.push(request.url()));
  page.on('console', (message) => page.logged.push(message.text()));
  page.on('pageerror', (error) => page.logged.push(error.message));
  await page.setViewport({ width: 1280, height: 800 });
  await page.goto(url);
  await page.waitForSelector('#story .piece');
  return page;
}
const controlled = (page) => page.waitForFunction(() => navigator.serviceWorker.controller?.state === 'activated');
const record = (page) => page.evaluate(() => [localStorage.tramontalia, localStorage['tramontalia-mapa']]);

test('from disk the page makes no request and logs nothing; served, it asks nothing of another origin', async () => {
  const site = await host();
  for (const url of [pageUrl, site.url]) {
    const page = await open(url);
    await answer(page, ['', '', '', 'a']);
    await expectView(page, ['', '', '', 'a'], url);
    // Firefox reports the page's own tab icon, inline in it.
    const elsewhere = page.requests.filter((request) => !request.startsWith(url) && !request.startsWith('data:'));
    assert.deepEqual({ elsewhere, logged: page.logged }, { elsewhere: [], logged: [] }, url);
    await page.browserContext().close();
  }
  await site.close();
});

test('after one visit, a new build reaches the player by the second visit, and plays offline', async () => {
  const site = await host();
  const page = await open(site.url);
  const before = ['', '', '', 'a', ''];
  await answer(page, before);
  await controlled(page);
  const stored = await record(page);
  // The same page, its module with one more (custom) section: a new build.
  const added = inlineBytes(Buffer.from([0, 2, 1, 0x32]));
  const index = readFileSync(join(site.dir, 'index.html'), 'utf8');
  const newIndex = index.replace(/(id="module">[^<]*)/, (module) => module + added);
  writeSite(newIndex, sourceDir, site.dir);
  const isNew = () => page.$eval('#module', (module, end) => module.textContent.endsWith(end), added);
  await reload(page);
  // The visit after a deploy may show the old build; once the browser's
  // check for a new worker, made at each visit (here at once), has settled,
  // the site holds the new one alone, and the next visit shows it.
  await page.evaluate(() => navigator.serviceWorker.ready.then((registration) => registration.update()));
  const settled = () =>
    page.evaluate(async () => {
      const { installing, waiting } = await navigator.serviceWorker.ready;
      const index = await caches.match('index.html');
      return [Boolean(installing ?? waiting), (await caches.keys()).length, await index?.text()];
    });
  await until(async () => assert.deepEqual(await settled(), [false, 1, newIndex], 'the new build, and it alone, kept'));
  await reload(page);
  assert.ok(await isNew(), 'the second visit shows the new build');
  await expectView(page, before, 'the game on screen');
  assert.deepEqual(await record(page), stored, 'the game and the record stored');
  await site.close();
  // From a link with a query, as portals and shared links give.
  await page.goto(`${site.url}?desde=enlace`);
  await expectView(page, before, 'offline, the game resumed');
  const after = [...before, 'l', 'x'];
  await answer(page, after.slice(before.length));
  await expectView(page, after, 'offline, the game goes on');
  assert.ok(await isNew(), 'offline, the new build');
  assert.deepEqual(page.logged, []);
  await page.browserContext().close();
});

test('installable: Chromium reads the manifest and finds nothing missing', { skip: !chromium }, async () => {
  const site = await host();
  const page = await open(site.url, browser.defaultBrowserContext());
  const cdp = await page.createCDPSession();
  await controlled(page);
  const { installabilityErrors } = await cdp.send('Page.getInstallabilityErrors');
  const { errors } = await cdp.send('Page.getAppManifest');
  assert.deepEqual({ installabilityErrors, errors }, { installabilityErrors: [], errors: [] });
  await page.close();
  await site.close();
});

test('Lighthouse: the served site at 100 in accessibility, best practices and SEO', { skip: !chromium }, async (t) => {
  const site = await host();
  const report = await lighthouse(site.url, 'accessibility,best-practices,seo');
  await site.close();
  if (!report) return t.skip('SKIPPED: Lighthouse is not installed (npm ci)');
  const scores = Object.values(report.categories).map((category) => `${category.id} ${category.score * 100}`);
  assert.deepEqual(scores, ['accessibility 100', 'best-practices 100', 'seo 100']);
});
