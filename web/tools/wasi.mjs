#!/usr/bin/env node
// Runs a WASI command (a tool of tools/ built for WebAssembly by the page's
// tree), so that the page's build runs no native program of its own: its
// standard output goes to a file, and it sees the file system as it is.
// Usage: node web/tools/wasi.mjs COMMAND.wasm OUTPUT_FILE [ARGUMENT...]
import { closeSync, openSync, readFileSync } from 'node:fs';
import { fileURLToPath } from 'node:url';
import { WASI } from 'node:wasi';

export async function runWasi(command, output, args = []) {
  const stdout = openSync(output, 'w');
  const wasi = new WASI({ version: 'preview1', args: [command, ...args], stdout, preopens: { '/': '/' } });
  // wasiImport rather than getImportObject(), which Node.js 18 lacks.
  const imports = { wasi_snapshot_preview1: wasi.wasiImport };
  const { instance } = await WebAssembly.instantiate(readFileSync(command), imports);
  const status = wasi.start(instance);
  closeSync(stdout);
  if (status !== 0) throw new Error(`${command} exited with ${status}`);
}

if (process.argv[1] === fileURLToPath(import.meta.url)) {
  const [command, output, ...args] = process.argv.slice(2);
  await runWasi(command, output, args).catch((error) => {
    console.error(error.message);
    process.exit(1);
  });
}
