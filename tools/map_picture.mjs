// Draws docs/map.png: the real page, with the map open after a few known
// games, as the browser tests drive it (headless Chromium).
// Usage: WEB_PAGE=build/web/tramontalia.html TRANSCRIPT_DIR=tests/transcripts \
//        node tools/map_picture.mjs docs/map.png
import { chromiumOrSkip, openPage, submitAll, typedAnswers } from '../tests/web/browser.mjs';

const games = ['wall-swim-to-island.in', 'fall-keep-running.in', 'attendant-juice-rojo-drunk.in'];
const browser = await chromiumOrSkip();
const context = await browser.newContext({ viewport: { width: 1280, height: 720 }, colorScheme: 'light' });
const page = await openPage(context);
for (const game of games.slice(0, -1)) {
  await submitAll(page, typedAnswers(game));
  await page.getByRole('button', { name: 'Jugar otra vez' }).click();
}
// The last ending on screen, before its last Enter.
await submitAll(page, typedAnswers(games.at(-1)).slice(0, -1));
await page.getByRole('button', { name: 'Mapa' }).click();
await page.screenshot({ path: process.argv[2] });
await browser.close();
