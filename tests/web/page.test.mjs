// The browser edition in headless Chromium: the page must show what a
// terminal shows for the same answers, keep the player's game, and stay safe,
// small-screen friendly and accessible.
import assert from 'node:assert/strict';
import { createServer } from 'node:http';
import { readFileSync } from 'node:fs';
import { after, describe, test } from 'node:test';

import {
  chromiumOrSkip,
  lines,
  openPage,
  pagePath,
  pageUrl,
  storyText,
  submitAll,
  terminalView,
  transcriptInputs,
  typedAnswers,
} from './browser.mjs';

const browser = await chromiumOrSkip();
after(() => browser.close());

// Each test plays in a context of its own: its own storage, its own window.
async function fresh(options = {}) {
  const context = await browser.newContext({ viewport: { width: 1280, height: 800 }, ...options });
  const page = await openPage(context);
  return { context, page };
}

async function expectView(page, answers, message) {
  assert.equal(lines(await storyText(page)), lines(terminalView(answers)), message);
}

// Through the opening to the first menu, then "a" to the airliner's menu.
const toSecondMenu = ['', '', '', 'a', ''];

describe('the page shows what a terminal shows', () => {
  test('for every transcript, answered in the text box', async () => {
    let played = 0;
    for (const name of transcriptInputs()) {
      const answers = typedAnswers(name);
      if (answers === null) continue;
      const { context, page } = await fresh();
      await submitAll(page, answers);
      await expectView(page, answers, name);
      await context.close();
      played += 1;
    }
    assert.ok(played >= 55, `only ${played} transcripts could be typed`);
  });

  test('when typed key by key, Enter alone, blanks, replays, long answers and salir', async () => {
    const chosen = [
      typedAnswers('opening-unrecognised-replays.in'),
      typedAnswers('opening-enter-without-word.in'),
      typedAnswers('opening-long-word-is-two-answers.in'),
      typedAnswers('opening-salir.in'),
      ['  ', '', '', '', ' ', 'x', '', '', '', 'salir'], // blanks: "Redo from start:"
    ];
    for (const answers of chosen) {
      const { context, page } = await fresh();
      for (const answer of answers) {
        await page.keyboard.type(answer);
        await page.keyboard.press('Enter');
      }
      await expectView(page, answers, answers.join('|').slice(0, 60));
      // The newest text is in view, just above the text box.
      const newest = await page.locator('#story .piece').last().boundingBox();
      assert.ok(newest.y + newest.height <= (await page.locator('#reply').boundingBox()).y + 1);
      assert.ok(newest.y + newest.height > 0);
      await context.close();
    }
  });

  test('for a pasted 10,000-character answer with accents and emoji', async () => {
    const { context, page } = await fresh();
    const pasted = 'ñandú😀 árbol '.repeat(800).slice(0, 10000);
    const answers = ['', pasted, '', '', 'd', pasted];
    await submitAll(page, answers);
    await expectView(page, answers);
    await context.close();
  });
});

describe('the end of a game', () => {
  for (const [how, answers] of [
    ['an ending', [...toSecondMenu, 'l', 'x', 'm', 'z', 't', '']],
    ['salir', ['', '', '', 'salir']],
  ]) {
    test(`after ${how}, only "Jugar otra vez" goes on, from the banner`, async () => {
      const { context, page } = await fresh();
      await submitAll(page, answers);
      await expectView(page, answers);
      assert.ok(await page.locator('#answer').isDisabled());
      const again = page.getByRole('button', { name: 'Jugar otra vez' });
      assert.ok(await again.isVisible());
      await again.click();
      await expectView(page, []);
      assert.ok(await page.locator('#answer').isEnabled());
      assert.ok(!(await again.isVisible()));
      await page.reload();
      await expectView(page, [], 'a new game forgets the stored answers');
      await context.close();
    });
  }
});

describe('safety', () => {
  test('typed HTML stays text and runs nothing', async () => {
    const { context, page } = await fresh();
    let dialogs = 0;
    page.on('dialog', (dialog) => {
      dialogs += 1;
      return dialog.dismiss();
    });
    const html = '<img src=x onerror=alert(1)><script>alert(2)</script>';
    const answers = [html, '', '', html];
    await submitAll(page, answers);
    await expectView(page, answers);
    assert.equal(await page.locator('#story img, #story script').count(), 0);
    assert.equal(dialogs, 0);
    await context.close();
  });

  test('no request leaves the page, from disk or from a web server', async () => {
    const html = readFileSync(pagePath);
    const server = createServer((request, response) => {
      response.writeHead(request.url === '/' ? 200 : 404, { 'content-type': 'text/html' });
      response.end(request.url === '/' ? html : '');
    });
    await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
    const served = `http://127.0.0.1:${server.address().port}/`;
    for (const url of [pageUrl, served]) {
      const context = await browser.newContext();
      const requests = [];
      context.on('request', (request) => requests.push(request.url()));
      const page = await openPage(context, url);
      await submitAll(page, [...toSecondMenu, 'l', 'm', 'z', 't', '']);
      await page.getByRole('button', { name: 'Guardar transcripción' }).click();
      await page.waitForTimeout(200);
      assert.deepEqual(
        requests.filter((r) => !r.startsWith('blob:')),
        [url],
        `requests from ${url}`,
      );
      await context.close();
    }
    server.close();
    const csp = html.toString().match(/Content-Security-Policy" content="([^"]*)"/)[1];
    assert.match(csp, /^default-src 'none';/);
    assert.doesNotMatch(csp, /unsafe-inline|https?:|\*/);
  });
});

describe('the player controls', () => {
  test('a reload resumes the same text at the same point', async () => {
    const { context, page } = await fresh();
    const answers = [...toSecondMenu, 'l', 'x'];
    await submitAll(page, answers);
    await page.reload();
    await page.locator('#story .piece').first().waitFor();
    await expectView(page, answers);
    await page.keyboard.type('m');
    await page.keyboard.press('Enter');
    await expectView(page, [...answers, 'm'], 'and the game goes on from there');
    await context.close();
  });

  test('"Deshacer" takes back one answer at a time, to the start, even after an ending', async () => {
    const { context, page } = await fresh();
    const answers = [...toSecondMenu, 'l', 'zz', '', 'm', 'z', '   ', 't', ''];
    await submitAll(page, answers);
    const undo = page.getByRole('button', { name: 'Deshacer' });
    for (let left = answers.length - 1; left >= 0; --left) {
      await undo.click();
      await expectView(page, answers.slice(0, left), `after undoing to ${left} answers`);
    }
    assert.ok(await undo.isDisabled());
    await page.reload();
    await expectView(page, [], 'the stored game was taken back too');
    await context.close();
  });

  test('"Empezar de nuevo" asks first, then starts anew and forgets', async () => {
    const { context, page } = await fresh();
    await submitAll(page, toSecondMenu);
    const restart = page.getByRole('button', { name: 'Empezar de nuevo' });
    await restart.click();
    await page.getByRole('button', { name: 'Seguir jugando' }).click();
    await expectView(page, toSecondMenu, 'cancelled: nothing changes');
    await restart.click();
    await page.getByRole('dialog').getByRole('button', { name: 'Empezar de nuevo' }).click();
    await expectView(page, []);
    await page.reload();
    await expectView(page, []);
    await context.close();
  });

  test('tapping an option or "Pulsa enter" answers as typing would', async () => {
    const { context, page } = await fresh({ hasTouch: true, isMobile: true });
    const tap = async (name) => page.getByRole('button', { name, exact: true }).tap();
    for (let i = 0; i < 3; ++i) await tap('Pulsa enter');
    await tap('n->no hacer absolutamente nada y seguir como ahora');
    await tap('Pulsa enter');
    await tap('e->examinar las paredes');
    await expectView(page, ['', '', '', 'n', '', 'e']);
    // Only the menu now waiting answers: "n" of the first menu, shown twice,
    // is plain text now; "n" of the wall's menu is a button.
    const roles = await page
      .locator('#story [data-answer="n"]')
      .evaluateAll((spans) => spans.map((span) => span.getAttribute('role')));
    assert.deepEqual(roles, [null, null, 'button']);
    assert.equal(await page.getByRole('button', { name: /->/ }).count(), 3);
    await context.close();
  });

  test('"Guardar transcripción" downloads exactly the terminal view', async () => {
    const { context, page } = await fresh();
    const answers = [...toSecondMenu, '   ', 'ñ', 'l'];
    await submitAll(page, answers);
    const [download] = await Promise.all([
      page.waitForEvent('download'),
      page.getByRole('button', { name: 'Guardar transcripción' }).click(),
    ]);
    assert.match(download.suggestedFilename(), /^tramontalia-\d{8}-\d{4}\.txt$/);
    const saved = readFileSync(await download.path(), 'utf8');
    assert.equal(saved, terminalView(answers));
    await context.close();
  });

  test('storage refused, or holding garbage: the page still plays', async () => {
    // A stricter, older browser: no storage, and no Uint8Array.fromBase64.
    const refused = await browser.newContext();
    await refused.addInitScript(() => {
      delete Uint8Array.fromBase64;
      Object.defineProperty(window, 'localStorage', {
        get() {
          throw new DOMException('refused', 'SecurityError');
        },
      });
    });
    const errors = [];
    const page = await refused.newPage();
    page.on('pageerror', (error) => errors.push(error.message));
    await page.goto(pageUrl);
    await submitAll(page, toSecondMenu);
    await expectView(page, toSecondMenu);
    assert.deepEqual(errors, []);
    await refused.close();

    // Cut short, another shape, another version of the page, a game that
    // ended before its last answer.
    const version = readFileSync(pagePath, 'utf8').match(/data-version="(\w+)"/)[1];
    const stale = (answers) => JSON.stringify({ version, answers });
    for (const garbage of [
      '{"version":',
      '[1,2]',
      '{"version":"0","answers":[""]}',
      stale(['', '', '', 'salir', '']),
      stale(['', 7]),
      stale(['a\nb']),
    ]) {
      const context = await browser.newContext();
      await context.addInitScript((text) => localStorage.setItem('tramontalia', text), garbage);
      const other = await openPage(context);
      await expectView(other, [], garbage);
      await submitAll(other, ['', '']);
      await expectView(other, ['', ''], garbage);
      await context.close();
    }
  });
});
