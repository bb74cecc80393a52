// Builds the browser edition's files, a page for each language, from each
// language's WebAssembly module (the same sources, built with its
// translation):
//   tramontalia.html, tramontalia-LANGUAGE.html  one self-contained page
//                     (template, stylesheet, script, module and the map's
//                     layout inlined) that loads nothing from anywhere, in
//                     the story's own language and in each translation;
//   PAGE.html.map     the source map of the page's script, whose lines and
//                     columns are the page's;
//   tramontalia.mjs, tramontalia-LANGUAGE.mjs  a Node command that plays
//                     the module, taken back out of the page, on standard
//                     input and output, for the tests that compare editions;
//   tramontalia.iFiction, tramontalia-LANGUAGE.iFiction  each page's record
//                     for catalogues of interactive fiction;
//   site/             the pages as one site (web/tools/build_site.mjs).
// The page's words are put in each language (web/tools/words.mjs); the map's
// layout comes from each language's story map tool (a WASI command writing
// the story's DOT), laid out by Graphviz's dot.
// Usage: node web/tools/build_web.mjs SOURCE_DIR OUTPUT_DIR VERSION DATE PAGE...
//   PAGE: LANGUAGE,TAG,IFID,MODULE.wasm,STORY_MAP.wasm[,TRANSLATION.json],
//   the story's own language first, then each translation with its entries
//   as tools/po_header writes them; a
//   LANGUAGE as po/LINGUAS names it (pt_BR), its TAG as the web does (pt-BR).
import { execFileSync } from 'node:child_process';
import { createHash } from 'node:crypto';
import { chmodSync, mkdirSync, readFileSync, readdirSync, writeFileSync } from 'node:fs';
import { join, relative } from 'node:path';

import { buildSite } from './build_site.mjs';
import { esbuild as minified } from './esbuild.mjs';
import { inlineBytes } from './inline_bytes.mjs';
import { pageCommand } from './page_command.mjs';
import { runWasi } from './wasi.mjs';
import { readTranslation, translateScript, translateTemplate } from './words.mjs';

const [sourceDir, outputDir, version, date, ...pageArgs] = process.argv.slice(2);
const source = (path) => readFileSync(join(sourceDir, path), 'utf8');
const sha256 = (text) => createHash('sha256').update(text).digest('base64');

// Every placeholder must be filled once, in one pass (so that a value is
// never read for placeholders), and nothing inlined may close the element
// it sits in.
function fill(template, values) {
  for (const [name, value] of Object.entries(values)) {
    if (/<\/(script|style)/i.test(value)) throw new Error(`${name} would close its element`);
    if (template.split(`{{${name}}}`).length !== 2) throw new Error(`{{${name}}} must stand once in the template`);
  }
  return template.replace(/\{\{(\w+)\}\}/g, (placeholder, name) => {
    if (!(name in values)) throw new Error(`unfilled: ${placeholder}`);
    return values[name];
  });
}

const esbuild = (entry, ...options) => minified(sourceDir, entry, ...options);

// The script in the page's language, bundled, and its source map, whose
// sources are web/'s: the scripts of web/, their words put in that language
// by `say`, are bundled from a folder of their own.
function bundleScript(language, say) {
  const dir = join(outputDir, 'scripts', language);
  mkdirSync(join(dir, 'web'), { recursive: true });
  for (const name of readdirSync(join(sourceDir, 'web')).filter((file) => file.endsWith('.js'))) {
    const where = (word) => say(word, `web/${name}`);
    writeFileSync(join(dir, 'web', name), translateScript(source(`web/${name}`), where));
  }
  const path = join(dir, 'page.js');
  minified(dir, 'web/main.js', '--bundle', '--format=esm', '--sourcemap=external', `--outfile=${path}`);
  const sourceMap = JSON.parse(readFileSync(`${path}.map`, 'utf8'));
  sourceMap.sources = sourceMap.sources.map((file) => relative(outputDir, join(sourceDir, file)));
  return { bundle: readFileSync(path, 'utf8'), sourceMap };
}

// The bundle's map made the page's, whose lines a stack trace counts: the
// bundle starts a line of the page, after as many as the page holds before
// it.
function pageMap(file, page, bundle, sourceMap) {
  const linesBefore = page.slice(0, page.indexOf(bundle)).split('\n').length - 1;
  const mappings = ';'.repeat(linesBefore) + sourceMap.mappings;
  return JSON.stringify({ ...sourceMap, file, mappings });
}

// The story's DOT, as the story map tool writes it.
async function storyMapDot(storyMapPath, language) {
  const dotPath = join(outputDir, `story-map-${language}.dot`);
  await runWasi(storyMapPath, dotPath);
  return readFileSync(dotPath, 'utf8');
}

// A scene's box makes room for a line for each of its endings, as the page
// writes it (`ending`, "Final: {0}" in the page's language).
function withEndingLines(dot, ending) {
  return dot.replace(/^(\s*\w+ \[.*)label="([^"]*)"(.*endings="([^"]*)".*)$/gm, (line, before, title, after, endings) => {
    const lines = endings.split('|').map((title) => `\\n${ending.replace('{0}', () => title)}`);
    return `${before}label="${title}${lines.join('')}"${after}`;
  });
}

// The points where an edge bends on its way round other scenes (the ends of
// its inner Bézier segments); the page draws it from box to box through them.
function edgeBends(pos, point) {
  const curve = pos.split(' ').filter((p) => !/^[se],/.test(p));
  return curve.filter((_, index) => index % 3 === 0).slice(1, -1).flatMap(point);
}

// What the page draws, in CSS pixels from the top left corner: per scene
// (in the story's order) its box and how many endings it holds; per link
// between scenes, its ends, its option key ('' for a link without a choice)
// and its bends. The titles come from the module, which holds them anyway.
function mapLayout(graph) {
  const scale = 96 / 72;
  const [, , width, height] = graph.bb.split(',').map(Number);
  const point = (text) => {
    const [x, y] = text.split(',').map(Number);
    return [Math.round(x * scale), Math.round((height - y) * scale)];
  };
  const nodes = graph.objects.filter((node) => node.shape !== 'note');
  const sceneOf = new Map(nodes.map((node, index) => [node._gvid, index]));
  const scenes = nodes.map((node) => {
    const [x, y] = point(node.pos);
    const [w, h] = [node.width * 96, node.height * 96].map(Math.round);
    const [, ...endingLines] = node.label.split('\\n');
    const endings = node.endings ? node.endings.split('|') : [];
    if (endingLines.length !== endings.length) throw new Error(`${node.name}: ending lines missing`);
    const box = [x - Math.round(w / 2), y - Math.round(h / 2), w, h];
    return endings.length > 0 ? [...box, endings.length] : box;
  });
  const edges = graph.edges
    .filter((edge) => sceneOf.has(edge.tail) && sceneOf.has(edge.head))
    .map((edge) => {
      const key = edge.style === 'dashed' ? '' : edge.label.split('\\n')[0];
      return [sceneOf.get(edge.tail), sceneOf.get(edge.head), key, ...edgeBends(edge.pos, point)];
    });
  return { width: Math.round(width * scale), height: Math.round(height * scale), scenes, edges };
}

// The game's icon in the browser's tab, as a data: URL: the drawing alone,
// without its title and description, on one line, with what a URL may not
// hold escaped.
const icon = `data:image/svg+xml,${source('packaging/tramontalia.svg')
  .replace(/<(title|desc)>.*<\/\1>\n/g, '')
  .replace(/\n/g, '')
  .replace(/"/g, "'")
  .replace(/[<># ]/g, encodeURIComponent)}`;
const style = esbuild('web/style.css');

// Each page: its language, its file's name (the story's own language first,
// as tramontalia.html; each translation as tramontalia-LANGUAGE.html), how it
// says a word of the page (in Spanish, as it is), and what the language is
// called in it: its translation of the name the Spanish page gives its own.
const pages = pageArgs.map((arg, k) => {
  const [language, tag, ifid, module, storyMap, translation] = arg.split(',');
  // Catalogues expect the IFID as an upper-case UUID.
  if (!/^[0-9A-F]{8}(-[0-9A-F]{4}){3}-[0-9A-F]{12}$/.test(ifid ?? '')) {
    throw new Error(`not an upper-case IFID: ${ifid}`);
  }
  const name = k === 0 ? 'tramontalia' : `tramontalia-${language}`;
  const say = translation ? readTranslation(translation) : (word) => word;
  const called = say('Español', 'web/index.html');
  return { language, tag, ifid, module, storyMap, name, say, called };
});

// The list of the other languages' pages, each named in its own language,
// their files named by `file`.
const links = (page, file) =>
  pages
    .filter((other) => other !== page)
    .map((other) => `<li><a href="${file(other)}" hreflang="${other.tag}" lang="${other.tag}">${other.called}</a></li>`)
    .join('');

// A word the build cannot say in a page's language stops it, named.
process.on('uncaughtException', (error) => {
  console.error(`build_web.mjs: ${error.message}`);
  process.exit(1);
});

const sitePages = [];
for (const page of pages) {
  const { language, name, say } = page;
  const { bundle, sourceMap } = bundleScript(language, say);
  // On a line of its own, so that the map's columns are the page's.
  const script = `\n${bundle}`;
  const dot = withEndingLines(await storyMapDot(page.storyMap, language), say('Final: {0}', 'the map'));
  const graph = JSON.parse(execFileSync('dot', ['-Tjson'], { input: dot }));
  // JSON in a script element: "<" escaped so that no tag can start in it.
  const map = JSON.stringify(mapLayout(graph)).replace(/</g, '\\u003c');
  // No request of any kind, and no script, style or image but the page's own.
  const csp = [
    "default-src 'none'",
    'img-src data:',
    `script-src 'sha256-${sha256(script)}' 'wasm-unsafe-eval'`,
    `style-src 'sha256-${sha256(style)}'`,
    "base-uri 'none'",
    "form-action 'none'",
  ].join('; ');
  const module = inlineBytes(readFileSync(page.module));
  const template = translateTemplate(source('web/index.html'), (word) => say(word, 'web/index.html'));
  const values = { csp, ifid: page.ifid, icon, style, map, module, script, lang: page.tag };
  const single = fill(template, { ...values, app: '', languages: links(page, (other) => `${other.name}.html`) });
  writeFileSync(join(outputDir, `${name}.html`), single);
  writeFileSync(join(outputDir, `${name}.html.map`), pageMap(`${name}.html`, single, bundle, sourceMap));

  // The Node command plays the module as the page carries it.
  const command = join(outputDir, `${name}.mjs`);
  writeFileSync(command, pageCommand(single));
  chmodSync(command, 0o755);

  // The page's iFiction record, dated DATE (as a release dates it).
  const record = translateTemplate(source('packaging/tramontalia.iFiction.in'), (word) =>
    say(word, 'packaging/tramontalia.iFiction.in'),
  );
  const recordValues = { TRAMONTALIA_IFID: page.ifid, PROJECT_VERSION: version, originated: date, language: page.tag };
  writeFileSync(join(outputDir, `${name}.iFiction`), record.replace(/@(\w+)@/g, (all, key) => recordValues[key]));

  // The same page in the site, which fills its app's part (build_site.mjs).
  const siteFile = (other) => (other === pages[0] ? 'index.html' : `${other.language}.html`);
  const fillSite = (changes) => fill(template, { ...values, languages: links(page, siteFile), ...changes });
  sitePages.push({ language: page.tag, file: siteFile(page), name: page === pages[0] ? 'Tramontalia' : `Tramontalia (${page.called})`, fill: fillSite, csp });
}

// The pages as a site that installs as an app and plays offline.
buildSite({ pages: sitePages, sourceDir, dir: join(outputDir, 'site') });
