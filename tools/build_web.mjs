// Builds the browser edition's two files from its WebAssembly module:
//   tramontalia.html  one self-contained page (template, stylesheet, script,
//                     and module inlined) that loads nothing from anywhere;
//   tramontalia.mjs   a Node command that plays the module on standard input
//                     and output, for the tests that compare editions.
// Usage: node tools/build_web.mjs MODULE.wasm SOURCE_DIR OUTPUT_DIR
import { execFileSync } from 'node:child_process';
import { createHash } from 'node:crypto';
import { chmodSync, readFileSync, writeFileSync } from 'node:fs';
import { join } from 'node:path';

import { inlineBytes } from './inline_bytes.mjs';

const [modulePath, sourceDir, outputDir] = process.argv.slice(2);
const source = (path) => readFileSync(join(sourceDir, path), 'utf8');
const moduleBytes = readFileSync(modulePath);
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

// The page's script is a few modules, joined in this order (each imports
// only from those before it) into the one inline script the page's policy
// allows, without their import and export syntax, and without the comments
// that take a line of their own: the page travels, its sources are read.
const scriptModules = ['game.js', 'story.js', 'main.js'];

function joinScripts() {
  return scriptModules
    .map((name, index) => {
      const text = source(`web/${name}`);
      for (const [, imported] of text.matchAll(/^import [^;]* from '\.\/([\w.]+)';$/gm)) {
        if (!scriptModules.slice(0, index).includes(imported)) {
          throw new Error(`web/${name} imports ${imported}, which is not joined before it`);
        }
      }
      const joined = text
        .replace(/^import [^;]* from '[^']*';\n/gm, '')
        .replace(/^export /gm, '')
        .replace(/^ *\/\/.*\n/gm, '');
      if (/^\s*(import|export)\b/m.test(joined)) throw new Error(`web/${name}: import or export left`);
      return joined;
    })
    .join('\n');
}

// Joined, the modules share one scope: two of them declaring one name would
// stop the page before its first line.
function checkParses(script) {
  const path = join(outputDir, 'page-script.mjs');
  writeFileSync(path, script);
  execFileSync(process.execPath, ['--check', path]);
}

const style = source('web/style.css');
const script = joinScripts();
checkParses(script);
// No request of any kind, and no script or style but the page's own.
const csp = [
  "default-src 'none'",
  `script-src 'sha256-${sha256(script)}' 'wasm-unsafe-eval'`,
  `style-src 'sha256-${sha256(style)}'`,
  "base-uri 'none'",
  "form-action 'none'",
].join('; ');
// A stored game is resumed only by the very module that played it.
const version = createHash('sha256').update(moduleBytes).digest('hex').slice(0, 16);
const module = inlineBytes(moduleBytes);

writeFileSync(
  join(outputDir, 'tramontalia.html'),
  fill(source('web/index.html'), { csp, style, version, module, script }),
);

// The Node command keeps base64: a JavaScript string literal has more to escape.
const command = join(outputDir, 'tramontalia.mjs');
writeFileSync(command, fill(source('tools/web_command.mjs'), { module: moduleBytes.toString('base64') }));
chmodSync(command, 0o755);
