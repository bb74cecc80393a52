// Debian's esbuild, run as a command: it parses a stylesheet or a script of
// web/ (following a script's imports where it bundles), and minifies it for
// the browsers the page is made for, as esbuild names them: the Chromium and
// the Firefox ESR of today. What it prints goes in as it is.
import { execFileSync } from 'node:child_process';
import { join } from 'node:path';

const browsers = 'chrome156,firefox153';

export function esbuild(sourceDir, entry, ...options) {
  const args = [join(sourceDir, entry), '--minify', '--charset=utf8', `--target=${browsers}`, '--log-level=warning', ...options];
  return execFileSync('esbuild', args, { encoding: 'utf8' });
}
