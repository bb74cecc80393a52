#!/usr/bin/env node
// The browser edition's module, played on standard input and output exactly
// as the UTF-8 console edition plays: bytes are read as they come and written
// as the game flushes them, so inputs of any size take no more memory.
import { readSync, writeSync } from 'node:fs';

import { moduleBytes } from '../game.js';

// The build bundles this command and writes the module's text here.
const module = moduleBytes('{{module}}');

// Waits without spinning when a non-blocking input or output is not ready.
const nap = () => Atomics.wait(new Int32Array(new SharedArrayBuffer(4)), 0, 0, 10);

function readInput(buffer) {
  for (;;) {
    try {
      return readSync(0, buffer);
    } catch (error) {
      if (error.code === 'EAGAIN') nap();
      else if (error.code !== 'EINTR') return 0; // any other failure ends the input
    }
  }
}

function writeOutput(bytes) {
  for (let done = 0; done < bytes.length; ) {
    try {
      done += writeSync(1, bytes, done);
    } catch (error) {
      if (error.code === 'EAGAIN') nap();
      else if (error.code !== 'EINTR') process.exit(0); // nobody reads: the game is over, quietly
    }
  }
}

let memory;
const { instance } = await WebAssembly.instantiate(module, {
  tramontalia: {
    read: (at, capacity) => readInput(new Uint8Array(memory.buffer, at, capacity)),
    write: (at, size) => writeOutput(new Uint8Array(memory.buffer, at, size)),
    // The scenes and endings reached matter only to the page's map, and what
    // each answer did only to a game carried to another language's page, and
    // where options and pauses stand only to the page's controls.
    scene: () => {},
    ending: () => {},
    answered: () => {},
    option: () => {},
    pause: () => {},
  },
});
memory = instance.exports.memory;
instance.exports.play();
