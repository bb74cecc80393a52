// The browser edition for everyone: phones, screen readers, the keyboard
// alone, light and dark, checked with axe-core.
import assert from 'node:assert/strict';
import { readFileSync } from 'node:fs';
import { createRequire } from 'node:module';
import { after, test } from 'node:test';

import { along, answer, click, control, drop, expectView, fresh, launchOrSkip, reload, say } from './browser.mjs';

const browsers = { light: await launchOrSkip(), dark: await launchOrSkip({ dark: true }) };
after(() => Promise.all(Object.values(browsers).map((browser) => browser.close())));
const axeSource = readFileSync(createRequire(import.meta.url).resolve('axe-core/axe.min.js'), 'utf8');

const toMenu = ['', '', ''];
const toEnding = await along(['', '', '', 'a', '', 'l', 'm', 'z', 't', '']);
// The first menu's keys, as the page takes them.
const keyOf = async (key) => (await along([...toMenu, key])).at(-1);
const states = { 'a pause': [], 'a menu': toMenu, 'an unbroken word': ['', 'x'.repeat(300), '', '', 'x'.repeat(300)] };
Object.assign(states, { 'an ending': toEnding, 'the map open': toEnding, 'the map seen whole': toEnding });
Object.assign(states, { 'the files shown': toMenu });

// On a phone, lines may flow into paragraphs, but the words stay the console's.
const words = (text) => text.split(/\s+/).join(' ').trim();

test('axe-core finds nothing, light or dark; no sideways scroll, no text under 14 px, even at 360 px', async () => {
  for (const [scheme, width] of ['light', 'dark'].flatMap((scheme) => [1280, 360].map((width) => [scheme, width]))) {
    const page = await fresh(browsers[scheme], { width });
    for (const [state, answers] of Object.entries(states)) {
      const at = `${state}, ${width} px, ${scheme}`;
      await reload(page, 'forgetting');
      await answer(page, answers);
      await expectView(page, answers, at, words);
      if (state.startsWith('the map')) await click(page, '#open-map').then(() => control(page, '#close-map'));
      if (state === 'the map seen whole') await click(page, '[data-key="fit"]', '#map');
      if (state === 'the files shown') await click(page, 'nav [popovertarget]').then(() => control(page, '#load'));
      // The page's own policy forbids inline scripts: axe comes in from here.
      await page.evaluate(axeSource);
      const { violations } = await page.evaluate(() => window.axe.run(document));
      const found = violations.map((v) => `${v.id}: ${v.nodes.map((n) => n.target).join(' ')}`);
      assert.deepEqual(found, [], at);
      const { overflow, smallest } = await page.evaluate(() => {
        const sizes = [...document.querySelectorAll('body, body *')]
          .filter((el) => el.getClientRects().length > 0 && el.textContent.trim() !== '')
          .map((el) => parseFloat(getComputedStyle(el).fontSize));
        const root = document.documentElement;
        return { overflow: root.scrollWidth - root.clientWidth, smallest: Math.min(...sizes) };
      });
      assert.ok(overflow <= 0 && smallest >= 14, `${smallest} px text, ${overflow} px sideways scroll at ${at}`);
    }
    await page.done();
  }
});

test('the keyboard reaches every control, in reading order, with a visible focus, and answers with it', async () => {
  const page = await fresh(browsers.light);
  await answer(page, toMenu);
  const keys = await Promise.all(['a', 'd', 'e', 'n'].map(keyOf));
  const order = [...say(['Deshacer', 'Empezar de nuevo', 'Archivo', 'Mapa', 'Español']), ...keys];
  order.push('the text box', say('Enviar'));
  // From the title, through every control once.
  await page.click('h1');
  const reached = [];
  for (const name of order) {
    await page.keyboard.press('Tab');
    const focused = await page.evaluate(() => {
      const el = document.activeElement;
      const { outlineStyle, outlineWidth } = getComputedStyle(el);
      const name = el.id === 'answer' ? 'the text box' : el.textContent.trim().split('->')[0];
      return outlineStyle !== 'none' && parseFloat(outlineWidth) >= 2 ? name : `${name}, with no visible focus`;
    });
    reached.push(focused);
    if (focused !== name) break;
  }
  assert.deepEqual(reached, order, 'the controls in order, each with a visible focus');

  // An option chosen with the keyboard; then typing goes on in the text box.
  await (await control(page, await keyOf('e'))).focus();
  await page.keyboard.press('Enter');
  await expectView(page, [...toMenu, await keyOf('e')]);
  await page.waitForFunction(() => document.activeElement.id === 'answer');

  // The map open, the keyboard goes round it alone, once round and on: what
  // it covers, the waiting options included, is out of reach; so are those
  // of a game loaded from a file dropped on the open map.
  await click(page, '#open-map');
  await drop(page, toMenu.map((text) => `${text}\n`).join(''));
  await click(page, say('Cargar partida'), '#confirm-game');
  await expectView(page, toMenu);
  const inMap = await page.evaluate(() => document.activeElement.closest('#map') !== null);
  assert.ok(inMap, 'the question over the map closed, focus went under it');
  const round = await page.$$eval('#map button', (buttons) => buttons.length);
  for (let k = 0; k < round + 2; ++k) {
    await page.keyboard.press('Tab');
    const covered = await page.evaluate(
      (el = document.activeElement) => el.closest('body > :not(#map)') && el.outerHTML,
    );
    assert.ok(!covered, `the keyboard reached what the map covers: ${covered}`);
  }
  // The map closed, the keyboard reaches the loaded game's options again.
  await page.keyboard.press('Escape');
  const reachable = await page.$$eval('#story [role="button"]', (all) => all.map((el) => el.tabIndex).join());
  assert.equal(reachable, keys.map(() => 0).join(), "the options' stops after the map");
  await page.done();
});
