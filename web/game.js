// The game is the console game compiled to a WebAssembly module. It cannot
// wait for the player, so the page keeps the answers given so far and, on
// each new one, has the module play the whole game again from them (it takes
// microseconds).

// The module is inlined one character per byte (web/tools/inline_bytes.mjs),
// but for text kept whole: a character past U+01FF is its UTF-8 bytes; the
// digits 0 to 8 are bytes 0 to 8; of every other character, the low byte is
// the module's.
export function moduleBytes(text) {
  const bytes = new Uint8Array(text.length * 3);
  let size = 0;
  for (const character of text) {
    const code = character.codePointAt(0);
    if (code < 0x200) bytes[size++] = code >= 0x30 && code <= 0x38 ? code - 0x30 : code & 0xff;
    else size += encoder.encodeInto(character, bytes.subarray(size)).written;
  }
  return bytes.subarray(0, size);
}
const encoder = new TextEncoder();

// Returns the story's titles (see the module's titles()), course() and
// answersAlong(), which carry a game from one language to another, and
// play(answers, from, first), which plays the game on `answers` and returns
// what it wrote in pieces:
// piece k is what came after the k-th answer was read (piece 0: before the
// first read). Only pieces and marks from `first` (by default `from`) on are
// returned, and only the text of those from `from` on: the others are empty,
// for the text of a piece is decoded only when asked for. The answers before
// `first` go in all at once, which the game takes exactly as it takes them
// line by line. `over` tells whether the game ended by itself (an ending,
// or "salir") rather than waiting for one more answer; `read` how many
// answers it took. `marks` are what the game told of its way in the pieces
// returned: { piece, scene } when it shows the first page of a scene,
// { piece, ending } when it writes an ending's "Fin". `taps`, for each piece
// returned, what in its text answers when tapped: { at, lines, answer } for
// each option of its menu (its first line starts at `at`), or { pause: true }
// when it ends in a pause, whose line is its last.
export async function loadGame(bytes) {
  const encoder = new TextEncoder();
  // The replay in progress, served by the module's imports.
  let replaying = null;
  const { instance } = await WebAssembly.instantiate(bytes, {
    tramontalia: {
      read: (at, capacity) => replaying.read(at, capacity),
      write: (at, size) => replaying.write(at, size),
      scene: (index) => replaying.mark({ scene: index }),
      ending: (number) => replaying.mark({ ending: number }),
      answered: (...step) => replaying.answered(...step),
      option: (...option) => replaying.option(...option),
      pause: () => replaying.pause(),
    },
  });
  // A view of the module's memory, made anew only if the memory grew.
  let view = new Uint8Array(0);
  const memory = () => (view.byteLength ? view : (view = new Uint8Array(instance.exports.memory.buffer)));

  // The lines the module writes from `list()`, one of its exports, which
  // reads `input`, if any.
  function lines(list, input = new Uint8Array(0)) {
    const decoder = new TextDecoder();
    let text = '';
    let offset = 0;
    replaying = {
      read(at, capacity) {
        const size = Math.min(capacity, input.length - offset);
        memory().set(input.subarray(offset, offset + size), at);
        offset += size;
        return size;
      },
      write: (at, size) => (text += decoder.decode(memory().subarray(at, at + size), { stream: true })),
    };
    list();
    replaying = null;
    return text.split('\n').slice(0, -1);
  }

  // `steps`, if given, takes each answer's step of the game's course, as
  // every language's page tells it: [the passage it was read at, what it did
  // (0 a pause passed, 1 the option at place `option` of the menu chosen, 2
  // the game quit, 3 a word that matched no key, 4 the input over), option,
  // the lines of blanks refused before it, the word].
  function play(answers, from, first = from, steps) {
    const pieces = [];
    const marks = [];
    const taps = [];
    let pieceTaps = [];
    const decoder = new TextDecoder();
    let text = '';
    // Every answer encoded at once: one by one, encoding was most of a
    // long replay's time. `end` is where the answers handed out end.
    const input = encoder.encode(answers.map((answer) => `${answer}\n`).join(''));
    let taken = 0;
    let end = 0;
    let offset = 0;
    let waiting = false;
    let scene = 0;
    const next = () => {
      ++taken;
      end = input.indexOf(10, end) + 1;
    };
    while (taken < first - 1) next();
    const endPiece = () => {
      if (taken >= first) {
        pieces.push(taken < from ? '' : text + decoder.decode());
        taps.push(pieceTaps);
      }
      text = '';
      pieceTaps = [];
    };
    // Past the last answer the game only winds down: nothing it does then
    // is on screen.
    const shown = () => !waiting && taken >= first;
    replaying = {
      // One line at a time, as a terminal hands them out.
      read(at, capacity) {
        if (offset === end) {
          endPiece();
          if (taken === answers.length) {
            waiting = true;
            return 0;
          }
          next();
        }
        const size = Math.min(capacity, end - offset);
        memory().set(input.subarray(offset, offset + size), at);
        offset += size;
        return size;
      },
      write(at, size) {
        if (shown() && taken >= from) text += decoder.decode(memory().subarray(at, at + size), { stream: true });
      },
      mark(what) {
        scene = what.scene ?? scene;
        if (shown()) marks.push({ piece: taken, ...what });
      },
      answered(kind, option, blanks, at, size) {
        steps?.push([scene, kind, option, blanks, new TextDecoder().decode(memory().subarray(at, at + size))]);
      },
      // The module hands out all it wrote before an option: `text` ends
      // where the option starts.
      option(option, at, size, lines) {
        if (!shown() || taken < from) return;
        const answer = new TextDecoder().decode(memory().subarray(at, at + size));
        pieceTaps.push({ at: text.length, lines, answer });
      },
      pause() {
        if (shown() && taken >= from) pieceTaps.push({ pause: true });
      },
    };
    instance.exports.play();
    if (!waiting) endPiece();
    replaying = null;
    return { pieces, taps, over: !waiting, read: taken, marks };
  }

  // What each answer of a game did (see play()).
  function course(answers) {
    const steps = [];
    play(answers, Infinity, 0, steps);
    return steps;
  }

  // The answers that take this edition's game along `steps`, the course of
  // a game played in another language's page: the module's carry() gives
  // them, by the rule the console editions carry a game with (see
  // engine/carry.hpp), from the steps one a line.
  function answersAlong(steps) {
    return lines(instance.exports.carry, encoder.encode(steps.map((step) => `${step.join(' ')}\n`).join('')));
  }

  return { play, course, answersAlong, titles: lines(instance.exports.titles) };
}
