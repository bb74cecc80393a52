// What the browser tests and the web benchmark share: Debian's Chromium or
// Firefox ESR (BROWSER=chromium|firefox) driven by puppeteer-core, the page
// under test, and the terminal view of the native UTF-8 edition to compare it
// with. Every wait is for a state, polled until a deadline, never a delay.
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { existsSync, readFileSync, readdirSync } from 'node:fs';
import { join } from 'node:path';
import { pathToFileURL } from 'node:url';

export const pagePath = process.env.WEB_PAGE;
export const pageUrl = pagePath && pathToFileURL(pagePath).href;
export const transcriptDir = process.env.TRANSCRIPT_DIR;

// Headless and quiet: no background connections to anywhere.
const engines = {
  chromium: {
    name: 'Chromium',
    options: { browser: 'chrome', executablePath: '/usr/bin/chromium' },
    args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run', '--disable-background-networking']
      .concat('--disable-component-update', '--disable-sync'),
    dark: ['--blink-settings=preferredColorScheme=0'],
  },
  firefox: {
    name: 'Firefox ESR',
    // The page's clock at full precision, for the bench to time one answer.
    options: {
      browser: 'firefox',
      executablePath: '/usr/bin/firefox-esr',
      extraPrefsFirefox: { 'privacy.reduceTimerPrecision': false },
    },
    args: [],
    dark: { 'layout.css.prefers-color-scheme.content-override': 0 },
  },
};
export const engineName = process.env.BROWSER ?? 'chromium';
const pathOf = (name) => (name === engineName && process.env.BROWSER_PATH) || engines[name].options.executablePath;

// What a run in this engine lacks, named for a person to install.
export async function missingFor(name = engineName) {
  const missing = [];
  if (!pagePath || !existsSync(pagePath)) missing.push('the page (make web)');
  if (!existsSync(pathOf(name))) missing.push(`${engines[name].name} (${pathOf(name)})`);
  await import('puppeteer-core').catch(() => missing.push('puppeteer-core (npm ci)'));
  return missing;
}

// The colour scheme is the browser's, as a player's system sets it.
export async function launch(name = engineName, { dark = false } = {}) {
  const { options, args, dark: darkSetting } = engines[name];
  const puppeteer = await import('puppeteer-core');
  return puppeteer.default.launch({
    ...options,
    executablePath: pathOf(name),
    headless: true,
    args: [...args, ...(dark && name === 'chromium' ? darkSetting : [])],
    extraPrefsFirefox: { ...options.extraPrefsFirefox, ...(dark && name === 'firefox' ? darkSetting : {}) },
  });
}

// Exits with 77, which CTest reports as skipped, naming what is missing.
export async function launchOrSkip(options) {
  const missing = await missingFor();
  if (missing.length > 0) {
    console.log(`SKIPPED: the browser tests need ${missing.join(', ')}`);
    process.exit(77);
  }
  return launch(engineName, options);
}

// Polls `check` (which throws, as an assertion does, until its state is
// there) and returns its value; past the deadline its last error stands.
export async function until(check, seconds = 20) {
  const deadline = Date.now() + seconds * 1000;
  for (;;) {
    try {
      return await check();
    } catch (error) {
      if (Date.now() > deadline) throw error;
    }
    await new Promise((resolve) => setImmediate(resolve));
  }
}

// Saved files are kept in the page (window.saved) instead of downloaded,
// alike in every engine.
function keepDownloads() {
  const blobs = new Map();
  const createObjectURL = URL.createObjectURL;
  URL.createObjectURL = (blob) => {
    const url = createObjectURL(blob);
    blobs.set(url, blob);
    return url;
  };
  const click = HTMLAnchorElement.prototype.click;
  HTMLAnchorElement.prototype.click = function keep() {
    if (!this.download || !blobs.has(this.href)) return click.call(this);
    const name = this.download;
    blobs.get(this.href).text().then((text) => (window.saved = { name, text }));
  };
}

// A page in a browser context of its own (its own storage), at its first
// text, keeping the requests it makes and the errors it throws. `init` runs
// in the page before its own script, with `arg`.
export async function fresh(browser, { width = 1280, height = 800, touch = false, init, arg, url } = {}) {
  const context = await browser.createBrowserContext();
  const page = await context.newPage();
  page.requests = [];
  page.errors = [];
  page.on('request', (request) => page.requests.push(request.url()));
  page.on('pageerror', (error) => page.errors.push(error.message));
  await page.setViewport({ width, height, hasTouch: touch, isMobile: touch });
  await page.evaluateOnNewDocument(keepDownloads);
  if (init) await page.evaluateOnNewDocument(init, arg);
  await page.goto(url ?? pageUrl);
  await page.waitForSelector('#story .piece');
  page.done = () => context.close();
  return page;
}

// The page's version, which its stored game and record must carry.
export const pageVersion = () => readFileSync(pagePath, 'utf8').match(/data-version="(\w+)"/)[1];

// Options for fresh(): with `value` null, storage refused, as some browsers
// do for files opened from disk; otherwise `value` stored under `key` before
// the page's own script runs (in the page's document, not the blank one a
// new tab opens with).
function refuseStorage() {
  Object.defineProperty(window, 'localStorage', {
    get() {
      throw new DOMException('refused', 'SecurityError');
    },
  });
}
function storeBefore([key, value]) {
  if (location.protocol === 'file:') localStorage.setItem(key, value);
}
export const withStorage = (key, value) =>
  value === null ? { init: refuseStorage } : { init: storeBefore, arg: [key, value] };

export async function reload(page) {
  await page.reload();
  await page.waitForSelector('#story .piece');
}

// A new game in the same page: nothing stored, the page loaded again.
export async function restart(page) {
  await page.evaluate(() => localStorage.clear());
  await reload(page);
}

// Each answer the page has handled is echoed in the story.
const echoes = (page) => page.$$eval('#story .typed', (typed) => typed.length);
async function afterEcho(page, act) {
  const before = await echoes(page);
  await act();
  await until(async () => assert.equal(await echoes(page), before + 1, 'the answer was not taken'));
}

// Answers through the page's own form, as fast as the page can take them.
export const answer = (page, answers) =>
  page.evaluate((list) => {
    const input = document.getElementById('answer');
    for (const text of list) {
      input.value = text;
      document.getElementById('reply').requestSubmit();
    }
  }, answers);

// Key by key, Enter after each answer; or with a finger, each control by
// name (see `control`).
export async function type(page, answers) {
  for (const text of answers) {
    await page.keyboard.type(text);
    await afterEcho(page, () => page.keyboard.press('Enter'));
  }
}
export async function tap(page, names) {
  for (const name of names) await afterEcho(page, async () => (await control(page, name)).tap());
}

// The visible button or option whose text is `name` (an option by its key:
// "e" for "e->examinar..."), inside `scope`.
export const control = (page, name, scope = 'body') =>
  until(async () => {
    const found = await page.evaluateHandle(
      (label, within) =>
        [...document.querySelector(within).querySelectorAll('button, [role="button"]')].find(
          (el) => el.checkVisibility() && [el.textContent.trim(), el.dataset.answer].includes(label),
        ),
      name,
      scope,
    );
    assert.ok(found.asElement(), `no control "${name}" in ${scope}`);
    return found.asElement();
  });

export const storyText = (page) => page.$eval('#story', (story) => story.innerText);

// Line for line, trailing blanks aside.
export const lines = (text) => text.replace(/[^\S\n]+$/gm, '').trimEnd();

// The native edition's terminal view of these answers, typed one a line.
export const terminalView = (answers) =>
  execFileSync(process.env.TERMINAL_VIEW, {
    input: answers.map((text) => `${text}\n`).join(''),
    encoding: 'utf8',
    maxBuffer: 1 << 26,
  });

// Waits until the page shows what a terminal shows for these answers.
export async function expectView(page, answers, message, same = lines) {
  const expected = same(terminalView(answers));
  await until(async () => assert.equal(same(await storyText(page)), expected, message));
}

// The answers of a transcript input, one a line, or null when it holds
// bytes no text box can take (a carriage return, a NUL).
export function typedAnswers(name) {
  const text = readFileSync(join(transcriptDir, name), 'utf8');
  if (/[\r\0]/.test(text)) return null;
  return text.split('\n').slice(0, text.endsWith('\n') ? -1 : undefined);
}

export const typeableTranscripts = () =>
  readdirSync(transcriptDir).sort().filter((name) => name.endsWith('.in') && typedAnswers(name) !== null);
