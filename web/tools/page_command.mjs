#!/usr/bin/env node
// Writes the Node command that plays the module a built page carries, on
// standard input and output as the UTF-8 console edition plays: the page's
// build writes build/web/tramontalia.mjs with it, and the Debian package's
// tests play the installed page with it.
// Usage: node web/tools/page_command.mjs PAGE.html > COMMAND.mjs
import { execFileSync } from 'node:child_process';
import { readFileSync } from 'node:fs';
import { fileURLToPath } from 'node:url';

// web/tools/web_command.mjs bundled by esbuild, as the page's script is, with
// the page's own reading of the module; the module goes in as the page
// carries it, a string the build writes where the placeholder stands.
export function pageCommand(page) {
  const inlined = page.match(/<script type="application\/octet-stream" id="module"[^>]*>([^]*?)<\/script>/);
  if (!inlined) throw new Error('no module in the page');
  const root = fileURLToPath(new URL('../..', import.meta.url));
  const args = ['web/tools/web_command.mjs', '--bundle', '--format=esm', '--platform=node', '--log-level=warning'];
  const parts = execFileSync('esbuild', args, { cwd: root, encoding: 'utf8' }).split('"{{module}}"');
  if (parts.length !== 2) throw new Error('"{{module}}" must stand once in the bundled command');
  return parts.join(JSON.stringify(inlined[1]));
}

if (process.argv[1] === fileURLToPath(import.meta.url)) {
  process.stdout.write(pageCommand(readFileSync(process.argv[2], 'utf8')));
}
