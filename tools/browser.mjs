// The page in Debian's Chromium or Firefox ESR (BROWSER=chromium|firefox)
// through puppeteer-core, for the web bench, the map's picture and the
// browser tests, which add their checks in tests/web/browser.mjs.
import { existsSync, readFileSync, readdirSync } from 'node:fs';
import { join } from 'node:path';
import { pathToFileURL } from 'node:url';

export const pagePath = process.env.WEB_PAGE;
export const pageUrl = pagePath && pathToFileURL(pagePath).href;
const engineName = process.env.BROWSER ?? 'chromium';
const transcriptDir = process.env.TRANSCRIPT_DIR;
const engines = { chromium: ['Chromium', '/usr/bin/chromium'], firefox: ['Firefox ESR', '/usr/bin/firefox-esr'] };
const pathOf = (name) => (name === engineName && process.env.BROWSER_PATH) || engines[name][1];

// What a run in this engine lacks, named for a person to install.
export async function missingFor(name = engineName) {
  const missing = [];
  if (!pagePath || !existsSync(pagePath)) missing.push('the page (make web)');
  if (!existsSync(pathOf(name))) missing.push(`${engines[name][0]} (${pathOf(name)})`);
  await import('puppeteer-core').catch(() => missing.push('puppeteer-core (npm ci)'));
  return missing;
}

// The language of the page under test, as its <html> names it (a tag, with its region where it has one).
export const pageLanguage = pagePath && existsSync(pagePath) && readFileSync(pagePath, 'utf8').match(/<html lang="([\w-]+)"/)[1];

// The words of the language of `tag`, as its PO file gives them: `say` of a
// Spanish text is its translation, or that text where there is none (in
// Spanish, the story's own language, always). PO files are written unwrapped.
export function wordsOf(tag) {
  const po = new URL(`../po/${tag.replace('-', '_')}.po`, import.meta.url);
  const words = new Map();
  if (tag !== 'es' && existsSync(po)) {
    const unquote = (line) => JSON.parse(line.replace(/^\w+ /, ''));
    const lines = readFileSync(po, 'utf8').split('\n');
    lines.forEach((line, k) => {
      if (line.startsWith('msgid "') && lines[k + 1]?.startsWith('msgstr "') && !words.has(unquote(line))) {
        words.set(unquote(line), unquote(lines[k + 1]));
      }
    });
  }
  return (text) => words.get(text) || text;
}

// Headless, quiet (no background connections), in the colour scheme and the
// languages a player's system sets (by default, the page's own language);
// Firefox's clock at full precision, for the bench.
export async function launch(name = engineName, { dark = false, languages = pageLanguage || 'es' } = {}) {
  const quiet = ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run', '--disable-sync'];
  quiet.push('--disable-background-networking', '--disable-component-update');
  const { default: puppeteer } = await import('puppeteer-core');
  const browser = await puppeteer.launch({
    browser: name === 'chromium' ? 'chrome' : 'firefox',
    executablePath: pathOf(name),
    headless: true,
    args: name === 'chromium' ? [...quiet, `--accept-lang=${languages}`, ...(dark ? ['--blink-settings=preferredColorScheme=0'] : [])] : [],
    extraPrefsFirefox: {
      'privacy.reduceTimerPrecision': false,
      'intl.accept_languages': languages,
      ...(dark && { 'layout.css.prefers-color-scheme.content-override': 0 }),
    },
  });
  return Object.assign(browser, { engine: name, languages });
}

// A page in a context of its own, in the browser's languages: Chromium's
// contexts know them only when told, page by page.
export async function newPage(browser) {
  const page = await (await browser.createBrowserContext()).newPage();
  if (browser.engine === 'chromium') {
    const cdp = await page.createCDPSession();
    await cdp.send('Emulation.setUserAgentOverride', { userAgent: await browser.userAgent(), acceptLanguage: browser.languages });
  }
  return page;
}

// Exits with 77, which CTest reports as skipped, naming what is missing.
export async function launchOrSkip(options) {
  const missing = await missingFor();
  if (missing.length === 0) return launch(engineName, options);
  console.log(`SKIPPED: the browser tests need ${missing.join(', ')}`);
  process.exit(77);
}

// Before the page's own script: a saved file kept in the page (window.saved),
// not downloaded; if `refused`, storage refused, as some browsers do on disk.
function prepare(refused) {
  URL.createObjectURL = (blob) => ((window.blob = blob), 'about:blank');
  HTMLAnchorElement.prototype.click = function keep() {
    window.blob.text().then((text) => (window.saved = { name: this.download, text }));
  };
  if (refused) {
    const refuse = () => {
      throw new DOMException('refused', 'SecurityError');
    };
    Object.defineProperty(window, 'localStorage', { get: refuse });
  }
}

// Where the page under test stores the game and the record of scenes and
// endings seen: the story's own language under the game's name, each
// translation under names of plain ASCII of its own, from its tag.
const translated = pageLanguage && pageLanguage !== 'es';
export const gameKey = translated ? `tramontalia-${pageLanguage}` : 'tramontalia';
export const recordKey = translated ? `${gameKey}-map` : 'tramontalia-mapa';

// The page in a context (and storage) of its own, at its first text; with
// `stored` (key to value) in its storage, or, null, none.
export async function fresh(browser, { width = 1280, height = 800, touch = false, stored = {}, url } = {}) {
  const page = await newPage(browser);
  const context = page.browserContext();
  Object.assign(page, { requests: [], errors: [], done: () => context.close() });
  page.on('request', (request) => page.requests.push(request.url()));
  page.on('pageerror', (error) => page.errors.push(error.message));
  await page.setViewport({ width, height, hasTouch: touch, isMobile: touch });
  await page.evaluateOnNewDocument(prepare, stored === null);
  await page.goto(url ?? pageUrl);
  await page.waitForSelector('#story .piece');
  if (Object.keys(stored ?? {}).length === 0) return page;
  // Stored from a first visit, once its record is written, then read by the
  // next: stored before the page's first script, values went now and then to
  // a storage of their own that the page or a second one did not read, in a
  // loaded Chromium.
  await page.waitForFunction((key) => localStorage[key], {}, recordKey);
  await page.evaluate((values) => {
    localStorage.clear();
    for (const [key, value] of Object.entries(values)) localStorage.setItem(key, value);
  }, stored);
  await reload(page);
  return page;
}

// The page loaded again; `forgetting` what it stored, at a new game. A
// loaded Chromium now and then starts the new page with an empty storage,
// where the old page's values arrive later: a page that starts with none,
// where the old one left some, stops before its script and loads again.
export async function reload(page, forgetting = false) {
  if (forgetting) await page.evaluate(() => localStorage.clear());
  const left = page.browser().engine === 'chromium' && (await page.evaluate(() => localStorage.length).catch(() => 0));
  const check = (left) => left && localStorage.length === 0 && (window.stop(), location.reload());
  const { identifier } = await page.evaluateOnNewDocument(check, left);
  await page.reload();
  await page.waitForSelector('#story .piece');
  await page.removeScriptToEvaluateOnNewDocument(identifier);
}

// Answers through the page's own form, as fast as the page can take them.
export const answer = (page, answers) =>
  page.evaluate((list) => {
    for (const text of list) {
      document.getElementById('answer').value = text;
      document.getElementById('reply').requestSubmit();
    }
  }, answers);

// The story's text as shown, all of it: what the browser skips laying out
// (out of sight), innerText leaves out, so it is laid out for the reading.
export const storyText = (page) =>
  page.$eval('#story', (story) => {
    const show = (how) => [...story.children].forEach((group) => (group.style.contentVisibility = how));
    show('visible');
    const text = story.innerText;
    show('');
    return text;
  });

// A transcript's answers, or null if it holds what no text box takes. The
// Spanish ones are ISO-8859-1, a translation's UTF-8 (its keys may be any
// letters): bytes that are no UTF-8 are read as ISO-8859-1.
export function typedAnswers(name, dir = transcriptDir) {
  const bytes = readFileSync(join(dir, name));
  let text;
  try {
    text = new TextDecoder('utf-8', { fatal: true }).decode(bytes);
  } catch {
    text = bytes.toString('latin1');
  }
  return /[\r\0]/.test(text) ? null : text.replace(/\n$/, '').split('\n');
}
export const typeableTranscripts = (dir = transcriptDir) =>
  readdirSync(dir)
    .sort()
    .filter((name) => name.endsWith('.in') && typedAnswers(name, dir) !== null);

// Lighthouse's report on `url` for `categories`, in Debian's Chromium (or
// BROWSER_PATH); null where Lighthouse is not installed. Not blocking: the
// site it judges may be served by this very process.
export async function lighthouse(url, categories) {
  const [{ createRequire }, { execFile }] = await Promise.all([import('node:module'), import('node:child_process')]);
  let cli;
  try {
    cli = createRequire(import.meta.url).resolve('lighthouse/cli/index.js');
  } catch {
    return null;
  }
  const args = [cli, url, '--quiet', '--output=json', `--only-categories=${categories}`];
  args.push(`--chrome-flags=--headless=new --no-sandbox --disable-gpu --accept-lang=${pageLanguage || 'es'}`);
  const options = { env: { ...process.env, CHROME_PATH: pathOf('chromium') }, maxBuffer: 1 << 28 };
  const report = await new Promise((resolve, reject) =>
    execFile(process.execPath, args, options, (error, stdout) => (error ? reject(error) : resolve(stdout))),
  );
  return JSON.parse(report);
}
