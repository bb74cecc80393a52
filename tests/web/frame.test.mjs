// The site's page in a game portal's frame: another origin, sandboxed or
// not. It plays from the keyboard even where forms are refused, resumes only
// where storage is allowed, and a save never fails in silence.
import assert from 'node:assert/strict';
import { dirname, join } from 'node:path';
import { after, test } from 'node:test';

import { click, expectView, fresh, launchOrSkip, pagePath, saved, terminalView, type, until } from './browser.mjs';
import { serve } from './serve.mjs';

const browser = await launchOrSkip();
const site = await serve({ dir: join(dirname(pagePath), 'site') });
const pageAt = site.url;
const sandboxes = ['', 'allow-scripts', 'allow-scripts allow-same-origin allow-forms allow-popups'];
// As wide as a terminal: a narrower frame wraps the story as a phone does.
const frames = sandboxes.map((tokens) => `<iframe src="${pageAt}" width="1000" height="700" ${tokens && `sandbox="${tokens}"`}></iframe>`);
const portal = await serve({ host: '127.0.0.1', pages: Object.fromEntries(frames.map((html, i) => [`/${i}`, html])) });
after(() => Promise.all([browser.close(), site.close(), portal.close()]));

const answers = ['', '', '', 'a', ''];
const lines = answers.map((text) => `${text}\n`).join('');
// Every way of saving: the control that shows it, its name, where, and a
// check of the text.
const saves = [
  ['Archivo', 'Guardar partida', 'body', (text) => assert.equal(text, lines)],
  ['Archivo', 'Guardar transcripción', 'body', (text) => assert.equal(text, terminalView(answers))],
  ['Mapa', 'Guardar mapa', '#map', (text) => assert.ok(JSON.parse(text)['tramontalia-mapa'].length > 1)],
];

// The framed page, as the tests' harness drives a page: keys go to the focus.
async function framed(page, which) {
  await page.goto(`${portal.url}${which}`);
  const frame = await until(() => page.frames().find((f) => f.url() === pageAt) ?? assert.fail('no frame'));
  await frame.waitForSelector('#story .piece');
  await frame.focus('#answer');
  // The download itself is the browser's to refuse: noted, not made.
  await frame.evaluate(() => (HTMLAnchorElement.prototype.click = function note() { window.saved = this.download; }));
  return Object.assign(frame, { keyboard: page.keyboard });
}

sandboxes.forEach((tokens, which) => {
  test(`framed, sandbox "${tokens}": played with Enter, saved as text to copy, resumed if storage is allowed`, async () => {
    const context = await browser.createBrowserContext();
    const page = await context.newPage();
    await page.setViewport({ width: 1280, height: 800 });
    let frame = await framed(page, which);
    await type(frame, answers);
    await expectView(frame, answers, 'typed');
    for (const [opener, name, scope, check] of saves) {
      await click(frame, opener);
      await click(frame, name, scope);
      const shown = () => frame.$eval('#copy-file', (d) => [d.open, d.querySelector('textarea').value, d.innerText]);
      const [, text, line] = await until(async () => ((await shown())[0] ? shown() : assert.fail('no text to copy')));
      check(text);
      const file = await frame.evaluate(() => window.saved);
      assert.ok(line.includes(`copia el texto y guárdalo como ${file}.`), line);
      await click(frame, 'Cerrar', '#copy-file');
      await until(async () => assert.equal((await shown())[0], false, 'closed'));
    }
    frame = await framed(page, which);
    await expectView(frame, tokens.includes('allow-same-origin') || !tokens ? answers : [], 'reloaded');
    await context.close();
  });
});

test('not in a frame, saving downloads the file and shows nothing more', async () => {
  const page = await fresh(browser, { url: pageAt });
  await type(page, answers);
  assert.equal((await saved(page, 'Guardar partida')).text, lines);
  assert.equal(await page.$eval('#copy-file', (dialog) => dialog.open), false);
  await page.done();
});
