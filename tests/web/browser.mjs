// What the browser tests and the web benchmark share: Debian's Chromium
// driven by playwright-core, the page under test, and the terminal view of
// the native UTF-8 edition to compare it with.
import { execFileSync } from 'node:child_process';
import { existsSync, readFileSync, readdirSync } from 'node:fs';
import { join } from 'node:path';
import { pathToFileURL } from 'node:url';

export const pagePath = process.env.WEB_PAGE;
export const pageUrl = pagePath && pathToFileURL(pagePath).href;
export const transcriptDir = process.env.TRANSCRIPT_DIR;
const chromiumPath = process.env.CHROMIUM ?? '/usr/bin/chromium';

// Exits with 77, which CTest reports as skipped, naming what is missing.
export async function chromiumOrSkip() {
  const missing = [];
  if (!pagePath || !existsSync(pagePath)) missing.push('the page (make web)');
  if (!existsSync(chromiumPath)) missing.push(`Chromium (${chromiumPath})`);
  let playwright = null;
  try {
    playwright = await import('playwright-core');
  } catch {
    missing.push('playwright-core (npm ci)');
  }
  if (missing.length > 0) {
    console.log(`SKIPPED: the browser tests need ${missing.join(', ')}`);
    process.exit(77);
  }
  // Headless, and quiet: no background connections to anywhere.
  return playwright.chromium.launch({
    executablePath: chromiumPath,
    args: [
      '--no-sandbox',
      '--disable-gpu',
      '--disable-quic',
      '--no-first-run',
      '--disable-background-networking',
      '--disable-component-update',
      '--disable-sync',
    ],
  });
}

// The answers of a transcript input, one a line, or null when it holds
// bytes no text box can take (a carriage return, a NUL).
export function typedAnswers(name) {
  const text = readFileSync(join(transcriptDir, name), 'utf8');
  if (/[\r\0]/.test(text)) return null;
  const lines = text.split('\n');
  if (lines.at(-1) === '') lines.pop();
  return lines;
}

export const transcriptInputs = () =>
  readdirSync(transcriptDir)
    .filter((name) => name.endsWith('.in'))
    .sort();

// The native edition's terminal view of these answers, typed one a line.
export function terminalView(answers) {
  return execFileSync(process.env.TERMINAL_VIEW, {
    input: answers.map((answer) => `${answer}\n`).join(''),
    encoding: 'utf8',
    maxBuffer: 1 << 26,
  });
}

// Line for line, trailing blanks aside.
export const lines = (text) =>
  text
    .split('\n')
    .map((line) => line.trimEnd())
    .join('\n')
    .trimEnd();

export async function openPage(context, url = pageUrl) {
  const page = await context.newPage();
  await page.goto(url);
  await page.locator('#story .piece').first().waitFor();
  return page;
}

export const storyText = (page) => page.locator('#story').innerText();

// Answers through the page's own form, as fast as the page can take them.
export function submitAll(page, answers) {
  return page.evaluate((list) => {
    const input = document.getElementById('answer');
    for (const answer of list) {
      input.value = answer;
      document.getElementById('reply').requestSubmit();
    }
  }, answers);
}
