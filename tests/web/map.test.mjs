// The player's map, across games and reloads, and stored values that
// cannot be read.
import assert from 'node:assert/strict';
import { after, test } from 'node:test';

import { answer, click, expectView, fresh, launchOrSkip, pageVersion, reload, typedAnswers, until } from './browser.mjs';

const browser = await launchOrSkip();
after(() => browser.close());

// Six scenes, with an unrecognised word on the way, and one ending.
const toJuiceEnding = ['', '', '', 'a', '', 'l', 'x', 'm', 'z', 't', ''];
const toFirstMenu = ['', '', ''];

// Waits for the text of `selector` to be `expected`.
const expectText = (page, selector, expected, message) =>
  until(async () => assert.equal(await page.$eval(selector, (el) => el.textContent.trim()), expected, message));
const counts = (scenes, endings) => `Escenas: ${scenes} de 47 · Finales: ${endings} de 19`;

// The map's list: seen scenes (with "*" if on screen), locked ones, as heard.
async function openMap(page) {
  await click(page, 'Mapa');
  await page.waitForFunction(() => document.getElementById('map-title').checkVisibility());
  return page.$$eval('#map li:not([hidden])', (all) =>
    all.map((li) => li.textContent.replace('?', '') + (li.querySelector('[aria-current]') ? '*' : '')),
  );
}

test('the map shows what games found, replays a seen scene by its shortest way, grows until forgotten', async () => {
  const page = await fresh(browser);
  await answer(page, toFirstMenu);
  const locked = 'escena sin descubrir';
  assert.deepEqual(await openMap(page), ['La habitación circular*', locked, locked, locked]);
  await expectText(page, '#map-counts', counts(1, 0));
  await click(page, 'Cerrar', '#map');

  // The long way round (the room replayed), in the story's order, locked branches included.
  await answer(page, ['x', '', '', '', ...toJuiceEnding.slice(3)]);
  const titles = ['La habitación circular', 'Contar ovejas', 'El botón de llamada', 'El azafato', 'Un zumo de naranja'];
  const seen = (await openMap(page)).filter((item) => item !== locked);
  assert.deepEqual(seen, [...titles, 'De un tragoFinal: Zumos para la eternidad*']);
  // Its button and its ending's line fill its box, one below the other, none cut off.
  const edges = await page.$eval('#map [aria-current]', (button) => {
    const box = button.parentElement;
    const inside = box.getBoundingClientRect().top + box.clientTop;
    const lines = [...box.children].map((line) => line.getBoundingClientRect());
    return [inside, ...lines.flatMap(({ top, bottom }) => [top, bottom]), inside + box.clientHeight];
  });
  for (let k = 0; k < edges.length; k += 2) {
    assert.ok(Math.abs(edges[k + 1] - edges[k]) < 0.5, `box edges ${edges}`);
  }
  await expectText(page, '#map-counts', counts(6, 1));
  await click(page, 'Cerrar', '#map');
  await expectText(page, '#ending', 'Nuevo final: Zumos para la eternidad · 1 de 19', 'a new ending');
  await click(page, 'Jugar otra vez');
  await answer(page, toJuiceEnding);
  await expectText(page, '#ending', 'Final: Zumos para la eternidad · 1 de 19', 'an ending met again');

  // The shortest way known: up to the first "l" of the second game.
  await openMap(page);
  await click(page, 'El botón de llamada', '#map');
  const way = toJuiceEnding.slice(0, 6);
  await expectView(page, way, 'the jump');
  assert.ok((await openMap(page)).includes('El botón de llamada*'), 'the scene on screen is not marked');
  await click(page, 'Cerrar', '#map');
  await expectText(page, '#ending', '', 'an ending on screen after the jump');
  await click(page, 'Deshacer');
  await expectView(page, way.slice(0, -1), 'undone after the jump');
  await reload(page);
  await expectView(page, way.slice(0, -1), 'the jump not kept as the game in play');
  await openMap(page);
  await expectText(page, '#map-counts', counts(6, 1), 'after a reload');

  // Forgetting asks first, then empties the record for good.
  await click(page, 'Olvidar el mapa');
  await click(page, 'Olvidar el mapa', '#confirm-forget');
  await expectText(page, '#map-counts', counts(0, 0));
  await reload(page);
  await openMap(page);
  await expectText(page, '#map-counts', counts(0, 0), 'forgotten after a reload too');
  await page.done();
});

// The map's scale; its point (in the layout's pixels) under the frame's
// centre moved by `offset`; every shown box's rectangle; the frame's.
const mapView = (page, offset = [0, 0]) =>
  page.evaluate(([dx, dy]) => {
    const frame = document.querySelector('.map-frame').getBoundingClientRect();
    const svg = document.querySelector('#map svg');
    const { left, top, width } = svg.getBoundingClientRect();
    const scale = width / svg.width.baseVal.value;
    const [x, y] = [frame.x + frame.width / 2 + dx - left, frame.y + frame.height / 2 + dy - top];
    const edges = ({ left, right, top, bottom }) => ({ left, right, top, bottom });
    const boxes = [...document.querySelectorAll('#map li:not([hidden])')].map((li) => edges(li.getBoundingClientRect()));
    return { scale, at: [x / scale, y / scale], boxes, frame: edges(frame) };
  }, offset);
// At that point, Ctrl with the wheel (whether the page may zoom too), or a
// pinch of two fingers from `start` to `end` px each side of it.
const gesture = (page, [dx, dy], start, end) =>
  page.evaluate((dx, dy, start, end) => {
    const frame = document.querySelector('.map-frame');
    const { x, y, width, height } = frame.getBoundingClientRect();
    const [clientX, clientY] = [x + width / 2 + dx, y + height / 2 + dy];
    const send = (type, init) =>
      frame.dispatchEvent(new (end ? PointerEvent : WheelEvent)(type, { clientX, clientY, cancelable: true, ...init }));
    if (!end) return send('wheel', { ctrlKey: true, deltaY: start });
    const finger = (type, pointerId, side) => send(type, { pointerId, pointerType: 'touch', clientX: clientX + side });
    [finger('pointerdown', 1, -start), finger('pointerdown', 2, start), finger('pointermove', 1, -end)];
    [finger('pointermove', 2, end), finger('pointerup', 1, -end), finger('pointercancel', 2, end)];
  }, dx, dy, start, end);

test('"Ver todo" shows every box; each way to zoom keeps its point; locked boxes one size; counts whole', async () => {
  for (const width of [1280, 360]) {
    const page = await fresh(browser, { width });
    for (const game of ['wall-swim-to-island', 'fall-keep-running', 'attendant-juice-rojo-drunk']) {
      await answer(page, typedAnswers(`${game}.in`));
      await page.evaluate(() => localStorage.removeItem('tramontalia'));
      await reload(page);
    }
    await openMap(page);
    const [sizes, counts] = await page.evaluate(() =>
      [
        new Set([...document.querySelectorAll('#map li:has(.locked)')].map((li) => `${li.offsetWidth}x${li.offsetHeight}`)),
        [...document.querySelectorAll('#map-counts span')].map((span) => span.getClientRects().length),
      ].map((list) => [...list]),
    );
    assert.equal(sizes.length, 1, `locked boxes of sizes ${sizes}`);
    assert.deepEqual(counts, [1, 1], `lines of each count at ${width} px`);
    // Out, then back in, from the middle of the map.
    const near = [30, 20];
    for (const [way, out, back, offset] of [
      ['the buttons', () => click(page, 'Alejar', '#map'), () => click(page, 'Acercar', '#map')],
      ['the keys', () => page.keyboard.press('-'), () => page.keyboard.press('+')],
      ['Ctrl with the wheel', () => gesture(page, near, 100), () => gesture(page, near, -100), near],
      ['a pinch', () => gesture(page, near, 50, 40), () => gesture(page, near, 40, 50), near],
    ]) {
      for (const [step, grows] of [[out, false], [back, true]]) {
        await page.$eval('.map-frame', (f) => f.scrollTo((f.scrollWidth - f.clientWidth) / 2, (f.scrollHeight - f.clientHeight) / 2));
        const before = await mapView(page, offset);
        assert.notEqual(await step(), true, `${way}: the page would zoom too`);
        const after = await mapView(page, offset);
        assert.ok(after.scale > before.scale === grows && after.scale !== before.scale, `${way}: ${before.scale} to ${after.scale}`);
        const moved = Math.hypot(...after.at.map((value, k) => (value - before.at[k]) * after.scale));
        assert.ok(moved < 2, `${way} moved its point ${moved} px at ${width} px`);
      }
    }
    await click(page, 'Ver todo', '#map');
    const { boxes, frame } = await mapView(page);
    const out = boxes.filter((box) => box.left < frame.left || box.right > frame.right || box.top < frame.top || box.bottom > frame.bottom);
    assert.deepEqual(out, [], `boxes out of the frame after "Ver todo" at ${width} px`);
    await page.done();
  }
});

// Unreadable stored values, or no storage: a new game and an empty map.
const version = pageVersion();
const game = (answers) => JSON.stringify({ version, answers });
const record = (ways, endings = [], build = version) => JSON.stringify({ version: build, ways, endings });
const unseen = (...ways) => [...ways, ...Array(47 - ways.length).fill(null)];
for (const [stored, gameValue, recordValue] of [
  ['refused', null],
  ['cut short', '{"version":', '{"version":'],
  ['of another shape', '[1,2]', record([['']])],
  ['from another build', '{"version":"0","answers":[""]}', record(Array(47).fill(['']), [0], '0')],
  ['past their end', game(['', '', '', 'salir', '']), record(unseen(), [19])],
  ['not text', game(['', 7]), record(unseen(null, [7]))],
  ['with a line break', game(['a\nb']), record(unseen(null, ['a\nb']))],
]) {
  test(`a stored game and record ${stored}: the page starts anew, plays and counts`, async () => {
    const values = gameValue && { tramontalia: gameValue, 'tramontalia-mapa': recordValue };
    const page = await fresh(browser, { stored: values });
    await answer(page, toFirstMenu);
    await expectView(page, toFirstMenu, stored);
    await openMap(page);
    await expectText(page, '#map-counts', counts(1, 0), stored);
    assert.deepEqual(page.errors, [], stored);
    await page.done();
  });
}
