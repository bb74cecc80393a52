// Draws docs/map.png: the real page, with the map open after a few known
// games, as the browser tests drive it (headless Chromium), the game back at
// its first choice, so that the map opens on the top of the story.
// Usage: WEB_PAGE=build/web/tramontalia.html TRANSCRIPT_DIR=tests/transcripts \
//        node web/tools/map_picture.mjs docs/map.png
import { answer, fresh, launchOrSkip, reload, typedAnswers } from '../../tools/browser.mjs';

const games = ['wall-swim-to-island', 'fall-keep-running', 'attendant-juice-rojo-drunk', 'cockpit-race-to-finish'];
const browser = await launchOrSkip();
const page = await fresh(browser, { width: 1280, height: 800 });
for (const game of games) {
  await answer(page, typedAnswers(`${game}.in`));
  await page.evaluate(() => localStorage.removeItem('tramontalia'));
  await reload(page);
}
await answer(page, ['', '', '']);
await page.click('#open-map');
await page.waitForFunction(() => document.getElementById('map-title').checkVisibility());
await page.screenshot({ path: process.argv[2] });
await page.done();
await browser.close();
