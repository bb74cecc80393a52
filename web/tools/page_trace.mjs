#!/usr/bin/env node
// Maps a stack trace of the built page back to the lines of web/, through
// the source map `make web` writes beside the page: reads the trace on
// standard input and writes it with each position in the page (URL:LINE:
// COLUMN, as Chromium and Firefox write them) replaced by the source's.
// Usage: node web/tools/page_trace.mjs build/web/tramontalia.html.map < trace.txt
import { readFileSync } from 'node:fs';
import { SourceMap } from 'node:module';
import { dirname, relative, resolve } from 'node:path';

const mapPath = process.argv[2];
const map = new SourceMap(JSON.parse(readFileSync(mapPath, 'utf8')));

const trace = readFileSync(0, 'utf8').replace(/[^\s()@]*tramontalia(?:-[a-z]+)?\.html:(\d+):(\d+)/g, (text, line, column) => {
  const { fileName, lineNumber, columnNumber } = map.findOrigin(Number(line), Number(column));
  return fileName ? `${relative('.', resolve(dirname(mapPath), fileName))}:${lineNumber}:${columnNumber}` : text;
});
process.stdout.write(trace);
