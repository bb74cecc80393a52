// The browser edition for everyone: phones, screen readers, the keyboard
// alone, light and dark, checked in headless Chromium with axe-core.
import assert from 'node:assert/strict';
import { readFileSync } from 'node:fs';
import { createRequire } from 'node:module';
import { after, describe, test } from 'node:test';

import { chromiumOrSkip, openPage, storyText, submitAll, terminalView, lines } from './browser.mjs';

const browser = await chromiumOrSkip();
after(() => browser.close());
const axeSource = readFileSync(createRequire(import.meta.url).resolve('axe-core/axe.min.js'), 'utf8');

const phone = { width: 360, height: 740 };
const desktop = { width: 1280, height: 800 };
const states = {
  pause: [],
  menu: ['', '', ''],
  ending: ['', '', '', 'a', '', 'l', 'm', 'z', 't', ''],
};

async function open(viewport, colorScheme = 'light') {
  const context = await browser.newContext({ viewport, colorScheme });
  return { context, page: await openPage(context) };
}

describe('every state, every screen', () => {
  for (const viewport of [desktop, phone]) {
    for (const scheme of ['light', 'dark']) {
      test(`axe-core finds nothing at ${viewport.width} px, ${scheme}`, async () => {
        const { context, page } = await open(viewport, scheme);
        await page.evaluate(axeSource);
        for (const [state, answers] of Object.entries(states)) {
          await page.evaluate(() => localStorage.clear());
          await page.reload();
          await page.locator('#story .piece').first().waitFor();
          await submitAll(page, answers);
          // The page's own policy forbids inline scripts: axe comes in from here.
          await page.evaluate(axeSource);
          const { violations } = await page.evaluate(() => window.axe.run(document));
          const found = violations.map((v) => `${v.id}: ${v.nodes.map((n) => n.target).join(' ')}`);
          assert.deepEqual(found, [], `at ${state}`);
        }
        await context.close();
      });
    }
  }

  test('at 360 px nothing scrolls sideways and no text is under 14 px', async () => {
    const { context, page } = await open(phone);
    const unbroken = 'x'.repeat(300);
    for (const answers of [[], ['', '', ''], ['', unbroken, '', '', unbroken], states.ending]) {
      await page.evaluate(() => localStorage.clear());
      await page.reload();
      await page.locator('#story .piece').first().waitFor();
      await submitAll(page, answers);
      const { overflow, smallest } = await page.evaluate(() => {
        const root = document.documentElement;
        const sizes = [...document.querySelectorAll('body, body *')]
          .filter((el) => el.getClientRects().length > 0 && el.textContent.trim() !== '')
          .map((el) => parseFloat(getComputedStyle(el).fontSize));
        return { overflow: root.scrollWidth - root.clientWidth, smallest: Math.min(...sizes) };
      });
      assert.equal(overflow, 0, `sideways scroll after ${answers.length} answers`);
      assert.ok(smallest >= 14, `text of ${smallest} px`);
      // Lines may flow into paragraphs here, but the words stay the console's.
      const words = (text) => text.split(/\s+/).join(' ').trim();
      assert.equal(words(await storyText(page)), words(terminalView(answers)));
    }
    await context.close();
  });
});

describe('the keyboard alone', () => {
  test('reaches every control, with a visible focus, and answers with it', async () => {
    const { context, page } = await open(desktop);
    await submitAll(page, states.menu);
    const reached = new Set();
    for (let i = 0; i < 15; ++i) {
      await page.keyboard.press('Tab');
      const focused = await page.evaluate(() => {
        const el = document.activeElement;
        if (el === document.body) return null; // past the last control, before the first
        const style = getComputedStyle(el);
        return {
          name: el.id === 'answer' ? 'input' : el.textContent.trim(),
          outline: style.outlineStyle !== 'none' && parseFloat(style.outlineWidth) >= 2,
        };
      });
      if (focused === null) continue;
      assert.ok(focused.outline, `no visible focus on ${focused.name}`);
      reached.add(focused.name.split('->')[0]);
    }
    for (const name of ['Deshacer', 'Empezar de nuevo', 'Guardar transcripción', 'input', 'Enviar']) {
      assert.ok(reached.has(name), `${name} is never reached`);
    }
    for (const key of ['a', 'd', 'e', 'n', 'salir']) assert.ok(reached.has(key), `option ${key}`);

    // An option chosen with the keyboard, then typing goes on in the text box.
    await page.getByRole('button', { name: /^e->/ }).focus();
    await page.keyboard.press('Enter');
    assert.equal(lines(await storyText(page)), lines(terminalView([...states.menu, 'e'])));
    assert.equal(await page.evaluate(() => document.activeElement.id), 'answer');

    // The confirmation is a dialog that Escape leaves without a change.
    await page.getByRole('button', { name: 'Empezar de nuevo' }).focus();
    await page.keyboard.press('Enter');
    assert.ok(await page.getByRole('dialog').isVisible());
    await page.keyboard.press('Escape');
    assert.equal(lines(await storyText(page)), lines(terminalView([...states.menu, 'e'])));
    await context.close();
  });

  test('an answer adds to the log and changes nothing already in it', async () => {
    const { context, page } = await open(desktop);
    assert.equal(await page.locator('#story').getAttribute('role'), 'log');
    await submitAll(page, ['', '', '']);
    const changes = await page.evaluate(() => {
      const observer = new MutationObserver(() => {});
      observer.observe(document.getElementById('story'), {
        subtree: true,
        childList: true,
        characterData: true,
      });
      const input = document.getElementById('answer');
      for (const answer of ['x', '', '', '', 'n']) {
        input.value = answer;
        document.getElementById('reply').requestSubmit();
      }
      const records = observer.takeRecords();
      observer.disconnect();
      return {
        added: records.reduce((sum, record) => sum + record.addedNodes.length, 0),
        removed: records.reduce((sum, record) => sum + record.removedNodes.length, 0),
        rewritten: records.filter((record) => record.type === 'characterData').length,
      };
    });
    assert.ok(changes.added > 5, 'the answers added nothing');
    assert.deepEqual({ ...changes, added: 0 }, { added: 0, removed: 0, rewritten: 0 });
    await context.close();
  });
});
