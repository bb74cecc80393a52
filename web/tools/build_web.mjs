// Builds the browser edition's files from its WebAssembly module:
//   tramontalia.html  one self-contained page (template, stylesheet, script,
//                     module and the map's layout inlined) that loads
//                     nothing from anywhere;
//   tramontalia.html.map  the source map of the page's script, whose lines
//                     and columns are the page's;
//   tramontalia.mjs   a Node command that plays the module, taken back out of
//                     the page, on standard input and output, for the tests
//                     that compare editions.
// The map's layout comes from the story map tool (a WASI command writing
// the story's DOT), laid out by Graphviz's dot.
// Usage: node web/tools/build_web.mjs MODULE.wasm SOURCE_DIR OUTPUT_DIR IFID STORY_MAP.wasm
import { execFileSync } from 'node:child_process';
import { createHash } from 'node:crypto';
import { chmodSync, closeSync, openSync, readFileSync, writeFileSync } from 'node:fs';
import { join } from 'node:path';
import { WASI } from 'node:wasi';

import { buildSite } from './build_site.mjs';
import { esbuild as minified } from './esbuild.mjs';
import { inlineBytes } from './inline_bytes.mjs';
import { pageCommand } from './page_command.mjs';

const [modulePath, sourceDir, outputDir, ifid, storyMapPath] = process.argv.slice(2);
const source = (path) => readFileSync(join(sourceDir, path), 'utf8');
const moduleBytes = readFileSync(modulePath);
// Catalogues expect the IFID as an upper-case UUID.
if (!/^[0-9A-F]{8}(-[0-9A-F]{4}){3}-[0-9A-F]{12}$/.test(ifid ?? '')) {
  throw new Error(`not an upper-case IFID: ${ifid}`);
}
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

// The script, bundled, and its source map.
function bundleScript() {
  const path = join(outputDir, 'page.js');
  esbuild('web/main.js', '--bundle', '--format=esm', '--sourcemap=external', `--outfile=${path}`);
  return { bundle: readFileSync(path, 'utf8'), sourceMap: JSON.parse(readFileSync(`${path}.map`, 'utf8')) };
}

// The bundle's map made the page's, whose lines a stack trace counts: the
// bundle starts a line of the page, after as many as the page holds before
// it.
function pageMap(page, bundle, sourceMap) {
  const linesBefore = page.slice(0, page.indexOf(bundle)).split('\n').length - 1;
  const mappings = ';'.repeat(linesBefore) + sourceMap.mappings;
  return JSON.stringify({ ...sourceMap, file: 'tramontalia.html', mappings });
}

// The story's DOT, as the story map tool writes it.
async function storyMapDot() {
  const dotPath = join(outputDir, 'story-map.dot');
  const stdout = openSync(dotPath, 'w');
  const wasi = new WASI({ version: 'preview1', args: ['story_map'], stdout, returnOnExit: true });
  // wasiImport rather than getImportObject(), which Node.js 18 lacks.
  const imports = { wasi_snapshot_preview1: wasi.wasiImport };
  const { instance } = await WebAssembly.instantiate(readFileSync(storyMapPath), imports);
  const status = wasi.start(instance);
  closeSync(stdout);
  if (status !== 0) throw new Error(`${storyMapPath} exited with ${status}`);
  return readFileSync(dotPath, 'utf8');
}

// A scene's box makes room for a line for each of its endings.
function withEndingLines(dot) {
  return dot.replace(/^(\s*\w+ \[.*)label="([^"]*)"(.*endings="([^"]*)".*)$/gm, (line, before, title, after, endings) => {
    const lines = endings.split('|').map((ending) => `\\nFinal: ${ending}`);
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

const style = esbuild('web/style.css');
const { bundle, sourceMap } = bundleScript();
// On a line of its own, so that the map's columns are the page's.
const script = `\n${bundle}`;
const graph = JSON.parse(execFileSync('dot', ['-Tjson'], { input: withEndingLines(await storyMapDot()) }));
// JSON in a script element: "<" escaped so that no tag can start in it.
const map = JSON.stringify(mapLayout(graph)).replace(/</g, '\\u003c');
// The game's icon in the browser's tab, as a data: URL: the drawing alone,
// without its title and description, on one line, with what a URL may not
// hold escaped.
const icon = `data:image/svg+xml,${source('packaging/tramontalia.svg')
  .replace(/<(title|desc)>.*<\/\1>\n/g, '')
  .replace(/\n/g, '')
  .replace(/"/g, "'")
  .replace(/[<># ]/g, encodeURIComponent)}`;
// No request of any kind, and no script, style or image but the page's own.
const csp = [
  "default-src 'none'",
  'img-src data:',
  `script-src 'sha256-${sha256(script)}' 'wasm-unsafe-eval'`,
  `style-src 'sha256-${sha256(style)}'`,
  "base-uri 'none'",
  "form-action 'none'",
].join('; ');
const module = inlineBytes(moduleBytes);

const values = { csp, ifid, icon, style, map, module, script };
const page = fill(source('web/index.html'), { ...values, app: '' });
writeFileSync(join(outputDir, 'tramontalia.html'), page);
writeFileSync(join(outputDir, 'tramontalia.html.map'), pageMap(page, bundle, sourceMap));
// The same page as a site that installs as an app and plays offline.
const sitePage = (changes) => fill(source('web/index.html'), { ...values, ...changes });
buildSite({ page: sitePage, csp, sourceDir, dir: join(outputDir, 'site') });

// The Node command plays the module as the page carries it.
const command = join(outputDir, 'tramontalia.mjs');
writeFileSync(command, pageCommand(page));
chmodSync(command, 0o755);
