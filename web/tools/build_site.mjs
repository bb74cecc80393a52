// The browser edition as a site for any static host, build/web/site/: the
// page, with what makes it an app that plays offline (a web app manifest,
// its icons drawn from the game's icon by rsvg-convert, a service worker and
// the worker's registration), which the single page goes without: it stays
// one file that makes no request.
import { execFileSync } from 'node:child_process';
import { createHash } from 'node:crypto';
import { mkdirSync, readFileSync, writeFileSync } from 'node:fs';
import { join } from 'node:path';

import { esbuild } from './esbuild.mjs';

const sha256 = (text) => createHash('sha256').update(text).digest('base64');

// Quietly, where the browser offers none, as in a sandboxed frame.
const registration =
  "addEventListener('load',()=>{try{navigator.serviceWorker.register('sw.js').catch(()=>{})}catch{}})";

// The site opens, at its root, in its player's language: the one they last
// went on in (main.js remembers it), else the first of the browser's that
// the game has, whole (pt-BR) or by its language alone (fr-CA is fr, pt-PT
// pt-BR, zh-Hans-CN zh-CN), else the story's own, the page that holds this.
// A link to a page, or a game carried over in the address, opens that page.
export const languageChoice = (pages) => `try {
  const pages = ${JSON.stringify(Object.fromEntries(pages.map((page) => [page.language, page.file])))};
  const tags = Object.keys(pages);
  const primary = (tag) => tag.split('-')[0].toLowerCase();
  const has = (wanted) =>
    tags.find((tag) => tag.toLowerCase() === wanted.toLowerCase()) ?? tags.find((tag) => primary(tag) === primary(wanted));
  const remembered = localStorage.getItem('tramontalia-idioma');
  const page = pages[remembered] ?? pages[navigator.languages.map(has).find(Boolean)];
  if (location.pathname.endsWith('/') && !location.hash && page && page !== 'index.html') location.replace(page + location.search);
} catch {}`;

const head = (scripts, manifest, colours) =>
  [
    `<link rel="manifest" href="${manifest}">`,
    '<link rel="apple-touch-icon" href="apple-touch-icon.png">',
    `<meta name="theme-color" content="${colours.light}" media="(prefers-color-scheme: light)">`,
    `<meta name="theme-color" content="${colours.dark}" media="(prefers-color-scheme: dark)">`,
    ...scripts.map((script) => `<script>${script}</script>`),
  ]
    .map((line) => `\n${line}`)
    .join('');

// The page's colour in the light and the dark scheme, from its stylesheet.
function colours(sourceDir) {
  const [light, dark] = [...readFileSync(join(sourceDir, 'web/style.css'), 'utf8').matchAll(/--paper: (#\w+);/g)];
  return { light: light[1], dark: dark[1] };
}

// The page's policy, opened only as far as the app needs, on its own origin.
// The icons are images to the page; connections to the origin let
// Lighthouse, which reads /robots.txt from within the page, judge the site.
function policy(csp, scripts) {
  if (!/\bimg-src .*\bscript-src /.test(csp)) throw new Error(`no img-src or script-src to open in ${csp}`);
  const hashes = scripts.map((script) => `'sha256-${sha256(script)}' `).join('');
  const opened = csp.replace(/\bimg-src /, "img-src 'self' ").replace(/\bscript-src /, `script-src ${hashes}`);
  return `${opened}; connect-src 'self'; manifest-src 'self'; worker-src 'self'`;
}

// The game's icon at `size` pixels; `padded`, shrunk into the central circle
// that a maskable icon keeps whatever its mask, on the page's colour.
function drawIcon(svg, size, padded, paper) {
  const drawing = padded
    ? `<svg xmlns="http://www.w3.org/2000/svg" viewBox="0 0 32 32"><rect width="32" height="32" fill="${paper}"/>` +
      `${svg.replace('<svg ', '<svg x="4" y="4" width="24" height="24" ')}</svg>`
    : svg;
  return execFileSync('rsvg-convert', ['-w', String(size), '-h', String(size)], { input: drawing });
}

// Each language's page installs as an app of its own, in its language, which
// opens that page: the story's own language's is the site's first app.
function manifest(page, index, paper) {
  const description = index.match(/<meta name="description" content="([^"]*)">/)[1];
  const icon = (src, sizes, type, purpose = 'any') => ({ src, sizes, type, purpose });
  return JSON.stringify({
    name: page.name,
    short_name: 'Tramontalia',
    lang: page.language,
    dir: 'ltr',
    description,
    id: page.file === 'index.html' ? './' : `./${page.file}`,
    start_url: `./${page.file}`,
    scope: './',
    display: 'standalone',
    theme_color: paper,
    background_color: paper,
    categories: ['games'],
    icons: [
      icon('icon-192.png', '192x192', 'image/png'),
      icon('icon-512.png', '512x512', 'image/png'),
      icon('icon-maskable.png', '512x512', 'image/png', 'maskable'),
      icon('icon.svg', 'any', 'image/svg+xml'),
    ],
  });
}

// The manifest of the site's page in `file`.
export const manifestOf = (file) => (file === 'index.html' ? 'manifest.webmanifest' : file.replace(/html$/, 'webmanifest'));

// Writes the site of the site's pages into `dir`: `pages` holds each one's
// file, language, app name and text (`index`). The worker's cache is named
// from a hash of every other file, so that any change to the site makes a
// worker that differs.
export function writeSite(pages, sourceDir, dir) {
  const svg = readFileSync(join(sourceDir, 'packaging/tramontalia.svg'), 'utf8');
  const paper = colours(sourceDir).light;
  const files = {};
  for (const page of pages) {
    files[page.file] = page.index;
    files[manifestOf(page.file)] = manifest(page, page.index, paper);
  }
  Object.assign(files, {
    'icon.svg': svg,
    'icon-192.png': drawIcon(svg, 192, false),
    'icon-512.png': drawIcon(svg, 512, false),
    'icon-maskable.png': drawIcon(svg, 512, true, paper),
    'apple-touch-icon.png': drawIcon(svg, 180, true, paper),
  });
  const hash = createHash('sha256');
  for (const [name, bytes] of Object.entries(files)) hash.update(`${name}\0${bytes.length}\0`).update(bytes);
  const site = JSON.stringify({ hash: hash.digest('hex').slice(0, 16), files: Object.keys(files) });
  const worker = esbuild(sourceDir, 'web/sw.js', `--define:SITE=${site}`);
  mkdirSync(dir, { recursive: true });
  for (const [name, bytes] of Object.entries({ ...files, 'sw.js': worker })) writeFileSync(join(dir, name), bytes);
}

// `pages`: each page's language, file, app name, policy (`csp`, the single
// page's) and `fill(values)`, its template filled with `values` in place of
// the single page's. The head's additions go in after filling: nothing
// filled in may close an element.
export function buildSite({ pages, sourceDir, dir }) {
  const first = languageChoice(pages);
  const written = pages.map((page) => {
    const scripts = page === pages[0] ? [first, registration] : [registration];
    const index = page.fill({ csp: policy(page.csp, scripts), app: '{{app}}' });
    if (index.split('{{app}}').length !== 2) throw new Error('{{app}} must stand once in the page');
    const app = head(scripts, manifestOf(page.file), colours(sourceDir));
    return { ...page, index: index.replace('{{app}}', () => app) };
  });
  writeSite(written, sourceDir, dir);
}
