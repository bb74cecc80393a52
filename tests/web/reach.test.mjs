// The browser edition for everyone: phones, screen readers, the keyboard
// alone, light and dark, checked with axe-core.
import assert from 'node:assert/strict';
import { readFileSync } from 'node:fs';
import { createRequire } from 'node:module';
import { after, test } from 'node:test';

import { answer, control, expectView, fresh, launchOrSkip, restart, until } from './browser.mjs';

const browsers = { light: await launchOrSkip(), dark: await launchOrSkip({ dark: true }) };
after(() => Promise.all(Object.values(browsers).map((browser) => browser.close())));
const axeSource = readFileSync(createRequire(import.meta.url).resolve('axe-core/axe.min.js'), 'utf8');

const phone = { width: 360, height: 740 };
const unbroken = 'x'.repeat(300);
const states = [
  ['a pause', []],
  ['a menu', ['', '', '']],
  ['an unbroken word', ['', unbroken, '', '', unbroken]],
  ['an ending', ['', '', '', 'a', '', 'l', 'm', 'z', 't', '']],
  ['the map open', ['', '', '', 'a', '', 'l', 'm', 'z', 't', ''], 'Mapa'],
];
// The state: its answers given, then its control, if any, pressed.
async function reach(page, [, answers, press]) {
  await restart(page);
  await answer(page, answers);
  if (press) await (await control(page, press)).click();
  const open = () => page.$eval('#map-title', (title) => title.checkVisibility());
  if (press) await until(async () => assert.ok(await open(), `${press} opened nothing`));
}

for (const [scheme, screen] of [['light', {}], ['dark', {}], ['light', phone], ['dark', phone]]) {
  test(`axe-core finds nothing at ${screen.width ?? 1280} px, ${scheme}`, async () => {
    const page = await fresh(browsers[scheme], screen);
    for (const state of states) {
      await reach(page, state);
      // The page's own policy forbids inline scripts: axe comes in from here.
      await page.evaluate(axeSource);
      const { violations } = await page.evaluate(() => window.axe.run(document));
      const found = violations.map((v) => `${v.id}: ${v.nodes.map((n) => n.target).join(' ')}`);
      assert.deepEqual(found, [], `at ${state[0]}`);
    }
    await page.done();
  });
}

test('at 360 px nothing scrolls sideways, no text is under 14 px, the words are the console\'s', async () => {
  const page = await fresh(browsers.light, phone);
  for (const [state, answers, press] of states) {
    await reach(page, [state, answers, press]);
    // Lines may flow into paragraphs here, but the words stay the console's.
    if (!press) await expectView(page, answers, state, (text) => text.split(/\s+/).join(' ').trim());
    const { overflow, smallest } = await page.evaluate(() => {
      const root = document.documentElement;
      const sizes = [...document.querySelectorAll('body, body *')]
        .filter((el) => el.getClientRects().length > 0 && el.textContent.trim() !== '')
        .map((el) => parseFloat(getComputedStyle(el).fontSize));
      return { overflow: root.scrollWidth - root.clientWidth, smallest: Math.min(...sizes) };
    });
    assert.equal(overflow, 0, `sideways scroll at ${state}`);
    assert.ok(smallest >= 14, `text of ${smallest} px at ${state}`);
  }
  await page.done();
});

const order = ['Deshacer', 'Empezar de nuevo', 'Guardar transcripción', 'Mapa', ...'a d e n salir input Enviar'.split(' ')];

test('the keyboard reaches every control, with a visible focus, and answers with it', async () => {
  const page = await fresh(browsers.light);
  await answer(page, states[1][1]);
  // From the title, through every control once, in reading order.
  await page.click('h1');
  const reached = [];
  for (const name of order) {
    await page.keyboard.press('Tab');
    const focused = await page.evaluate(() => {
      const el = document.activeElement;
      const style = getComputedStyle(el);
      return {
        name: el.id === 'answer' ? 'input' : el.textContent.trim().split('->')[0],
        outline: style.outlineStyle !== 'none' && parseFloat(style.outlineWidth) >= 2,
      };
    });
    assert.ok(focused.outline, `no visible focus on ${focused.name}`);
    reached.push(focused.name);
    if (focused.name !== name) break;
  }
  assert.deepEqual(reached, order, 'the order of the controls');

  // An option chosen with the keyboard; then typing goes on in the text box.
  await (await control(page, 'e')).focus();
  await page.keyboard.press('Enter');
  await expectView(page, [...states[1][1], 'e']);
  await until(async () => assert.equal(await page.evaluate(() => document.activeElement.id), 'answer'));
  await page.done();
});

test('an answer adds to the log and changes nothing already in it', async () => {
  const page = await fresh(browsers.light);
  assert.equal(await page.$eval('#story', (story) => story.getAttribute('role')), 'log');
  await answer(page, ['', '', '']);
  const changes = await page.evaluate(() => {
    const observer = new MutationObserver(() => {});
    observer.observe(document.getElementById('story'), { subtree: true, childList: true, characterData: true });
    const input = document.getElementById('answer');
    for (const text of ['x', '', '', '', 'n']) {
      input.value = text;
      document.getElementById('reply').requestSubmit();
    }
    const records = observer.takeRecords();
    observer.disconnect();
    const count = (key) => records.reduce((sum, record) => sum + (record[key]?.length ?? 0), 0);
    const rewritten = records.filter((record) => record.type === 'characterData').length;
    return { added: count('addedNodes') > 5, removed: count('removedNodes'), rewritten };
  });
  assert.deepEqual(changes, { added: true, removed: 0, rewritten: 0 });
  await page.done();
});
