// The player's map, across games and reloads, and stored values that
// cannot be read.
import assert from 'node:assert/strict';
import { after, test } from 'node:test';

import { along, answer, click, control, expectView, fresh, gameKey, launchOrSkip, recordKey, reload, say, says, until } from './browser.mjs';

const browser = await launchOrSkip();
after(() => browser.close());

// Six scenes, with an unrecognised word on the way, and one ending.
const toJuiceEnding = await along(['', '', '', 'a', '', 'l', 'x', 'm', 'z', 't', '']);
const toFirstMenu = ['', '', ''];

const expectText = (page, selector, expected, message) =>
  until(async () => assert.equal(await page.$eval(selector, (el) => el.textContent.trim()), expected, message));
const counts = (scenes, endings) => `${says('Escenas: {0} de {1}', scenes, 47)} · ${says('Finales: {0} de {1}', endings, 19)}`;
const juice = say('Zumos para la eternidad');

// The map's list: seen scenes (with "*" if on screen), locked ones, as heard.
async function openMap(page) {
  await click(page, '#open-map');
  await page.waitForFunction(() => document.getElementById('map-title').checkVisibility());
  return page.$$eval('#map li:not([hidden])', (all) =>
    all.map((li) => li.textContent.replace('?', '') + (li.querySelector('[aria-current]') ? '*' : '')),
  );
}

test('on a touch screen, closing the map or jumping from it leaves the on-screen keyboard down', async () => {
  const page = await fresh(browser, { touch: true });
  await answer(page, toFirstMenu);
  for (const name of ['#close-map', say('La habitación circular')]) {
    await (await control(page, '#open-map')).tap();
    await (await control(page, name, '#map')).tap();
    await page.waitForFunction(() => !document.getElementById('map').classList.contains('open'));
    const typing = await page.evaluate(() => document.activeElement.id === 'answer');
    assert.ok(!typing, `"${name}" focused the text box`);
  }
  await page.done();
});

test('the map shows what games found, replays a seen scene by its shortest way, grows until forgotten', async () => {
  const page = await fresh(browser);
  await answer(page, toFirstMenu);
  const locked = say('escena sin descubrir');
  assert.deepEqual(await openMap(page), [`${say('La habitación circular')}*`, locked, locked, locked]);
  await click(page, '#close-map');

  // The long way round (the room replayed), in the story's order, locked branches included.
  await answer(page, ['x', '', '', '', ...toJuiceEnding.slice(3)]);
  const titles = ['La habitación circular', 'Contar ovejas', 'El botón de llamada', 'El azafato', 'Un zumo de naranja'];
  const seen = (await openMap(page)).filter((item) => item !== locked);
  assert.deepEqual(seen, [...say(titles), `${say('De un trago')}${says('Final: {0}', juice)}*`]);
  // Its button and its ending's line fill its box, one below the other, none cut off.
  const edges = await page.$eval('#map [aria-current]', (button) => {
    const box = button.parentElement;
    const inside = box.getBoundingClientRect().top + box.clientTop;
    const lines = [...box.children].map((line) => line.getBoundingClientRect());
    return [inside, ...lines.flatMap(({ top, bottom }) => [top, bottom]), inside + box.clientHeight];
  });
  assert.ok(edges.every((edge, k) => k % 2 === 0 || Math.abs(edge - edges[k - 1]) < 0.5), `box edges ${edges}`);
  await click(page, '#close-map');
  await expectText(page, '#ending', says('Nuevo final: {0} · {1} de {2}', juice, 1, 19), 'a new ending');
  await click(page, '#again');
  await answer(page, toJuiceEnding);
  await expectText(page, '#ending', says('Final: {0} · {1} de {2}', juice, 1, 19), 'an ending met again');

  // The shortest way known: up to the first "l" of the second game.
  await openMap(page);
  await click(page, say('El botón de llamada'), '#map');
  const way = toJuiceEnding.slice(0, 6);
  await expectView(page, way, 'the jump');
  assert.ok((await openMap(page)).includes(`${say('El botón de llamada')}*`), 'the scene on screen is not marked');
  await click(page, '#close-map');
  await expectText(page, '#ending', '', 'an ending on screen after the jump');
  await click(page, '#undo');
  await expectView(page, way.slice(0, -1), 'undone after the jump');
  await openMap(page);

  // Forgetting asks first, then empties the record for good.
  await click(page, '#forget');
  await click(page, say('Olvidar el mapa'), '#confirm-forget');
  await expectText(page, '#map-counts', counts(0, 0));
  await reload(page);
  await openMap(page);
  await expectText(page, '#map-counts', counts(0, 0), 'forgotten after a reload too');
  await page.done();
});

// In the page, the map scrolled to its middle: `way` zooms out (`sign` -1) or in (1) at a spot off the frame's
// centre (the centre, from the buttons and keys), or a finger pans it 40 px to the spot (0). The scale's factor; how
// far (px) the map's point at the spot (or at the finger) moved; whether the page may zoom too (with the wheel);
// how many boxes stand outside the frame; how many sizes locked boxes have; each count's lines; whether the boxes
// shown span the frame's width or height.
function zoomBy(way, sign) {
  const frame = document.querySelector('.map-frame');
  frame.scrollTo((frame.scrollWidth - frame.clientWidth) / 2, (frame.scrollHeight - frame.clientHeight) / 2);
  const { x, y, width, height, right, bottom } = frame.getBoundingClientRect();
  const [spotX, spotY] = [x + width / 2, y + height / 2].map((at) => at + (/buttons|keys/.test(way) ? 0 : 30));
  const view = (atX, { left, top, width } = frame.querySelector('svg').getBoundingClientRect()) =>
    [(atX - left) / width, (spotY - top) / width, width];
  const send = (Type, type, init) =>
    frame.dispatchEvent(new Type(type, { clientX: spotX, clientY: spotY, cancelable: true, bubbles: true, ...init }));
  const finger = ([type, pointerId, side = 0]) =>
    send(PointerEvent, `pointer${type}`, { pointerId, pointerType: 'touch', clientX: spotX + side });
  const [key, start, end, one, other] = sign < 0 ? ['-', 50, 40, 1, 2] : ['+', 40, 50, 3, 4];
  const [mapX, mapY, before] = view(spotX - !sign * 40);
  const free = {
    fit: () => document.querySelector('[data-key="fit"]').click(),
    buttons: () => document.querySelector(`[data-key="${key}"]`).click(),
    keys: () => send(KeyboardEvent, 'keydown', { key }),
    wheel: () => send(WheelEvent, 'wheel', { ctrlKey: true, deltaY: -100 * sign }),
    pinch: () => [['down', one, -start], ['down', other, start], ['move', one, -end], ['move', other, end]].map(finger),
    pan: () => [['down', 5, -40], ['move', 5], ['up', 5]].map(finger),
  }[way]();
  if (way === 'pinch') [['up', one], ['cancel', other]].map(finger);
  const [afterX, afterY, after] = view(spotX);
  const all = (selector) => [...document.querySelectorAll(selector)];
  const outside = all('#map li:not([hidden])').map((li) => li.getBoundingClientRect());
  const sizes = new Set(all('#map li:has(.locked)').map((li) => `${li.offsetWidth} ${li.offsetHeight}`));
  const span = (from, to) => Math.max(...outside.map((box) => box[to])) - Math.min(...outside.map((box) => box[from]));
  return [after / before, Math.hypot(afterX - mapX, afterY - mapY) * after, way === 'wheel' && free].concat(
    outside.filter((box) => box.left < x || box.right > right || box.top < y || box.bottom > bottom).length,
    sizes.size,
    [all('#map-counts span').map((span) => span.getClientRects().length)],
    Math.max(span('left', 'right') / width, span('top', 'bottom') / height) > 0.8,
  );
}

test('the whole map in view shows every box; each way to zoom keeps its point; locked boxes one size; counts whole', async () => {
  for (const width of [1280, 360]) {
    const page = await fresh(browser, { width });
    await answer(page, toFirstMenu);
    await openMap(page);
    const ways = ['buttons', 'keys', 'wheel', 'pinch'].flatMap((way) => [[way, -1], [way, 1]]);
    for (const [way, sign] of [...ways, ['pan', 0]]) {
      const [factor, moved, free] = await page.evaluate(zoomBy, way, sign);
      assert.ok(Math.sign(factor - 1) === sign && moved < 2 && !free, `${way} ${sign}: ${factor}x, ${moved} px`);
    }
    const [, , , ...found] = await page.evaluate(zoomBy, 'fit');
    assert.deepEqual(found, [0, 1, [1, 1], true], `boxes out, locked sizes, counts' lines, boxes fill at ${width} px`);
    await page.done();
  }
});

// Unreadable stored values, or no storage: a new game and an empty map.
const game = (answers) => JSON.stringify({ version: 'another build', answers });
const record = (ways, endings = []) => JSON.stringify({ version: 'another build', ways, endings });
const unseen = (...ways) => [...ways, ...Array(47 - ways.length).fill(null)];
const notPlayed = say('La partida guardada ya no se puede jugar.');
const unstored = say('El navegador no guarda la partida: usa Archivo > Guardar partida.');
for (const [stored, gameValue, recordValue, notice = ''] of [
  ['refused', null],
  ['cut short', '{"version":', '{"version":'],
  ['of another shape', '[1,2]', '{"ways":{"0":[""]}}'],
  ['past their end', game([...(await along(['', '', '', 'salir'])), '']), record(unseen(), [19]), notPlayed],
  ['not text', game(['', 7]), record(unseen(null, [7]))],
  ['with a line break', game(['a\nb']), record(unseen(null, ['a\nb']))],
]) {
  test(`a stored game and record ${stored}: the page starts anew, plays and counts`, async () => {
    const values = gameValue && { [gameKey]: gameValue, [recordKey]: recordValue };
    const page = await fresh(browser, { stored: values });
    await expectText(page, '#ending', notice, stored);
    await expectText(page, '#storing', stored === 'refused' ? unstored : '', stored);
    await answer(page, toFirstMenu);
    await expectView(page, toFirstMenu, stored);
    await openMap(page);
    await expectText(page, '#map-counts', counts(1, 0), stored);
    assert.deepEqual(page.errors, [], stored);
    await page.done();
  });
}

// Storage full (filled as other games of the origin fill it), refused, or gone: a line while it lasts; the game goes
// on; once storage takes it again (emptied), at an answer that finds nothing new, the line goes, all stored whole.
const fill = "for (let n = 1 << 20, k = 0; n; n >>= 1) try { for (;;) localStorage[k++] = 'x'.repeat(n) } catch {}";
const storage = (get) => `window.real ??= localStorage; Object.defineProperty(window, 'localStorage', { get: ${get} })`;
for (const [how, stop, restart] of [
  ['full', fill, 'localStorage.clear()'],
  ['refused', storage("() => { throw new DOMException('no', 'SecurityError') }"), storage('() => real')],
  ['gone', storage('() => null'), storage('() => real')],
]) {
  test(`storage ${how} mid-game: a line while it lasts; the game goes on, stored whole once it can be`, async () => {
    const page = await fresh(browser);
    await page.evaluate(stop);
    await answer(page, await along([...toFirstMenu, 'a', '', 'l']));
    await expectText(page, '#storing', unstored, how);
    await page.evaluate(restart);
    await answer(page, ['x']);
    await expectText(page, '#storing', '', `${how}: storage back`);
    await reload(page);
    await expectView(page, await along([...toFirstMenu, 'a', '', 'l', 'x']), `${how}: the game stored`);
    await openMap(page);
    await expectText(page, '#map-counts', counts(3, 0), `${how}: the record stored`);
  });
}

test('a record of another build is replayed, bar what no longer plays; two pages at once keep all', async () => {
  // As stored before endings had ways: scenes, the last of the second way a
  // page short of ending 2 (the last of the fourth is a few short of ending 8,
  // never reached); a way that goes on after "salir".
  const xWay = await along(['x', '', '', 'a', '', 'p']);
  const ways = unseen([], await along(['', '', '', 'd', '', '', '', '', 'c', 'i']), [...(await along(['', '', '', 'e', 'salir'])), 'x'], xWay);
  const stored = { [gameKey]: game(toJuiceEnding), [recordKey]: record(ways, [2]) };
  const first = await fresh(browser, { stored });
  await expectView(first, toJuiceEnding, 'the game resumed');
  const second = await first.browserContext().newPage();
  await second.setViewport({ width: 1280, height: 800 });
  await second.goto(first.url());
  await second.waitForSelector('#story .piece');
  await openMap(second);
  await expectText(second, '#map-counts', counts(6, 1), 'the ways that play, and the ending found again');
  await first.bringToFront();
  await click(first, '#again');
  await answer(first, toJuiceEnding);
  await expectText(second, '#map-counts', counts(10, 2), 'the open map takes in the other page\'s scenes');
  // Of two ways as long to one scene, the pages agree on the first in order.
  await second.bringToFront();
  await click(second, say('Contar ovejas'), '#map');
  await expectView(second, await along(['', '', '', 'a']), 'the way both pages keep');
  await first.done();
});
