// The player's map: what it counts and shows after known games, play from a
// seen scene, the ending named outside the log, and a record that only
// "Olvidar el mapa" takes away.
import assert from 'node:assert/strict';
import { after, test } from 'node:test';

import { answer, control, expectView, fresh, launchOrSkip } from './browser.mjs';
import { pageVersion, reload, until, withStorage } from './browser.mjs';

const browser = await launchOrSkip();
after(() => browser.close());

// To the juice ending through the male attendant, with one unrecognised
// word on the way: six scenes, one ending.
const toJuiceEnding = ['', '', '', 'a', '', 'l', 'x', 'm', 'z', 't', ''];
const toFirstMenu = ['', '', ''];

const text = (page, selector) => page.$eval(selector, (el) => el.textContent.trim());
// Waits for the text of `selector` to be `expected`, or to match it.
const expectText = (page, selector, expected, message) =>
  until(async () => {
    const shown = await text(page, selector);
    if (expected instanceof RegExp) assert.match(shown, expected, message);
    else assert.equal(shown, expected, message);
  });

// The map's list, in order: a seen scene by its title (marked "*" when it is
// on screen), a locked one as what a screen reader hears.
async function openMap(page) {
  await (await control(page, 'Mapa')).click();
  await until(async () =>
    assert.ok(await page.$eval('#map-title', (title) => title.checkVisibility()), 'the map is not open'),
  );
  return page.$$eval('#map li:not([hidden])', (all) =>
    all.map((li) => {
      const button = li.querySelector('button');
      if (!button) return li.textContent.replace('?', '').trim();
      return button.textContent + (button.getAttribute('aria-current') ? '*' : '');
    }),
  );
}
const closeMap = async (page) => (await control(page, 'Cerrar', '#map')).click();
const counts = (scenes, endings) => `Escenas: ${scenes} de 47 · Finales: ${endings} de 19`;

test('the map counts and shows what games found, in the story order, locked branches included', async () => {
  const page = await fresh(browser);
  await answer(page, toFirstMenu);
  const locked = 'escena sin descubrir';
  assert.deepEqual(await openMap(page), ['La habitación circular*', locked, locked, locked]);
  await expectText(page, '#map-counts', counts(1, 0));
  await closeMap(page);

  await answer(page, toJuiceEnding.slice(3));
  const seen = await openMap(page);
  const titles = ['La habitación circular', 'Contar ovejas', 'El botón de llamada', 'El azafato'];
  assert.deepEqual(
    seen.filter((item) => item !== locked),
    [...titles, 'Un zumo de naranja', 'De un trago*'],
  );
  await expectText(page, '#map-counts', counts(6, 1));
  await expectText(page, '#map', /Final: Zumos para la eternidad/);
  await closeMap(page);
  await expectText(page, '#ending', /^Nuevo final: Zumos para la eternidad · 1 de 19$/, 'a new ending');

  // Another game, the same ending again, a reload: the record only grows.
  await (await control(page, 'Jugar otra vez')).click();
  await answer(page, toJuiceEnding);
  await expectText(page, '#ending', /^Final: Zumos para la eternidad · 1 de 19$/, 'an ending met again');
  await reload(page);
  await openMap(page);
  await expectText(page, '#map-counts', counts(6, 1), 'after a reload');

  // Forgetting asks first, then empties the record for good.
  await (await control(page, 'Olvidar el mapa')).click();
  await (await control(page, 'Olvidar el mapa', '#confirm-forget')).click();
  await expectText(page, '#map-counts', counts(0, 0));
  await reload(page);
  await openMap(page);
  await expectText(page, '#map-counts', counts(0, 0), 'forgotten after a reload too');
  await page.done();
});

test('a seen scene plays again from its way, as a terminal shows it, and "Deshacer" goes on from there', async () => {
  const page = await fresh(browser);
  await answer(page, toJuiceEnding);
  await openMap(page);
  await (await control(page, 'El botón de llamada', '#map')).click();
  // The shortest way there: the answers up to the first "l", not the replay.
  const way = toJuiceEnding.slice(0, 6);
  await expectView(page, way, 'the jump');
  assert.ok((await openMap(page)).includes('El botón de llamada*'), 'the scene on screen is marked');
  await closeMap(page);
  await until(async () => assert.equal(await text(page, '#ending'), '', 'no ending on screen'));
  await (await control(page, 'Deshacer')).click();
  await expectView(page, way.slice(0, -1), 'undone after the jump');
  await reload(page);
  await expectView(page, way.slice(0, -1), 'kept as the game in play');
  await page.done();
});

// Unreadable records, and no storage at all: the map starts empty and
// counts this page's games, without an error.
const version = pageVersion();
const record = (ways, endings) => JSON.stringify({ version, ways, endings });
for (const [stored, value] of [
  ['refused', null],
  ['cut short', '{"version":'],
  ['from another build', JSON.stringify({ version: '0', ways: Array(47).fill(['']), endings: [0] })],
  ['too few scenes', record([['']], [])],
  ['an ending out of range', record(Array(47).fill(null), [19])],
  ['a way with a line break', record([['a\nb'], ...Array(46).fill(null)], [])],
]) {
  test(`a record ${stored}: the map starts empty and counts what is played`, async () => {
    const page = await fresh(browser, withStorage('tramontalia-mapa', value));
    await answer(page, toFirstMenu);
    await openMap(page);
    await expectText(page, '#map-counts', counts(1, 0), stored);
    assert.deepEqual(page.errors, [], stored);
    await page.done();
  });
}
