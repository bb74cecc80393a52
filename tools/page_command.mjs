#!/usr/bin/env node
// Writes the Node command that plays the module a built page carries, on
// standard input and output as the UTF-8 console edition plays: the page's
// build writes build/web/tramontalia.mjs with it, and the Debian package's
// tests play the installed page with it.
// Usage: node tools/page_command.mjs PAGE.html > COMMAND.mjs
import { readFileSync } from 'node:fs';
import { fileURLToPath } from 'node:url';

import { moduleBytes } from '../web/game.js';

// The module is read back from the page as the page itself reads it; the
// command keeps base64, as a JavaScript string literal has more to escape.
export function pageCommand(page) {
  const inlined = page.match(/<script type="application\/octet-stream" id="module"[^>]*>([^]*?)<\/script>/);
  if (!inlined) throw new Error('no module in the page');
  const module = Buffer.from(moduleBytes(inlined[1]));
  const template = readFileSync(new URL('web_command.mjs', import.meta.url), 'utf8');
  if (template.split('{{module}}').length !== 2) throw new Error('{{module}} must stand once in web_command.mjs');
  return template.replace('{{module}}', module.toString('base64'));
}

if (process.argv[1] === fileURLToPath(import.meta.url)) {
  process.stdout.write(pageCommand(readFileSync(process.argv[2], 'utf8')));
}
