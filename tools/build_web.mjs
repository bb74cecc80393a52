// Builds the browser edition's two files from its WebAssembly module:
//   tramontalia.html  one self-contained page (template, stylesheet, script
//                     and module inlined) that loads nothing from anywhere;
//   tramontalia.mjs   a Node command that plays the module on standard input
//                     and output, for the tests that compare editions.
// Usage: node tools/build_web.mjs MODULE.wasm SOURCE_DIR OUTPUT_DIR IFID
import { createHash } from 'node:crypto';
import { chmodSync, readFileSync, writeFileSync } from 'node:fs';
import { join } from 'node:path';

const [modulePath, sourceDir, outputDir, ifid] = process.argv.slice(2);
const source = (path) => readFileSync(join(sourceDir, path), 'utf8');
const module = readFileSync(modulePath).toString('base64');
// Catalogues expect the IFID as an upper-case UUID.
if (!/^[0-9A-F]{8}(-[0-9A-F]{4}){3}-[0-9A-F]{12}$/.test(ifid ?? '')) {
  throw new Error(`not an upper-case IFID: ${ifid}`);
}
const sha256 = (text) => createHash('sha256').update(text).digest('base64');

// Every placeholder must be filled once, and nothing inlined may close the
// element it sits in.
function fill(template, values) {
  let page = template;
  for (const [name, value] of Object.entries(values)) {
    if (/<\/(script|style)/i.test(value)) throw new Error(`${name} would close its element`);
    const parts = page.split(`{{${name}}}`);
    if (parts.length !== 2) throw new Error(`{{${name}}} must stand once in the template`);
    page = parts.join(value);
  }
  if (/\{\{\w+\}\}/.test(page)) throw new Error(`unfilled: ${page.match(/\{\{\w+\}\}/)[0]}`);
  return page;
}

const style = source('web/style.css');
const script = source('web/page.js');
// No request of any kind, and no script or style but the page's own.
const csp = [
  "default-src 'none'",
  `script-src 'sha256-${sha256(script)}' 'wasm-unsafe-eval'`,
  `style-src 'sha256-${sha256(style)}'`,
  "base-uri 'none'",
  "form-action 'none'",
].join('; ');
// A stored game is resumed only by the very module that played it.
const version = createHash('sha256').update(module).digest('hex').slice(0, 16);

writeFileSync(
  join(outputDir, 'tramontalia.html'),
  fill(source('web/index.html'), { csp, ifid, style, version, module, script }),
);

const command = join(outputDir, 'tramontalia.mjs');
writeFileSync(command, fill(source('tools/web_command.mjs'), { module }));
chmodSync(command, 0o755);
