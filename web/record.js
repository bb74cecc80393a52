// The player's record, kept in this browser across games: for every scene
// seen and every ending reached, its way (the answers of the shortest game
// known to reach it). Only the ways are stored; what they reach is found by
// playing them with the module the page runs now, so a record written by
// another build keeps whatever still plays. Pages open at once each merge
// what they add with what is stored at that moment. Nothing takes anything
// out of it but forget(). Where storage is full or refused, it lives in the
// page, and is stored whole at the first note() once storage takes it.

export const isAnswerList = (list) =>
  Array.isArray(list) && list.every((answer) => typeof answer === 'string' && !/[\r\n]/.test(answer));

// What is stored under `key`, parsed; null if nothing can be read.
export function readStored(key) {
  try {
    return JSON.parse(localStorage.getItem(key));
  } catch {
    return null;
  }
}

// The keys whose last write the browser refused, or was too full to take.
const failedKeys = new Set();
let onStoring = () => {};
// `show(failing)` is told whenever some key's last write failed, and again
// once none has.
export const watchStoring = (show) => (onStoring = show);

// Stores `text`, or removes what is stored if there is none; false where the
// browser is full or refuses (storage gone, or throwing).
export function writeStored(key, text) {
  const failing = failedKeys.size > 0;
  try {
    if (text) localStorage.setItem(key, text);
    else localStorage.removeItem(key);
    failedKeys.delete(key);
  } catch {
    failedKeys.add(key);
  }
  if (failing !== failedKeys.size > 0) onStoring(!failing);
  return !failedKeys.has(key);
}

// Of two ways to one place, the shorter; of two as long, the first in
// order, so that every page keeps the same one.
const better = (way, known) =>
  !known || way.length < known.length || (way.length === known.length && JSON.stringify(way) < JSON.stringify(known));

// `play` is the game's; the record's entries are the scenes, then the endings.
export function openRecord({ key, play, sceneCount, endingCount }) {
  const ways = Array(sceneCount + endingCount).fill(null);
  // What was last read from storage or written to it.
  let known = null;
  let changed = false;
  // Until the first sync(), changes wait in the page.
  let synced = false;
  // Whether the last write failed: the next note() tries again.
  let unstored = false;

  // Takes in what a game of these answers showed (the marks of its
  // replay); returns the endings that were new to the record.
  function take(marks, answers) {
    const fresh = [];
    for (const mark of marks) {
      const k = 'scene' in mark ? mark.scene : sceneCount + mark.ending;
      // Only a way as short as the one known is worth copying.
      if (ways[k]?.length < mark.piece) continue;
      const way = answers.slice(0, mark.piece);
      if (!better(way, ways[k])) continue;
      if (!ways[k] && k >= sceneCount) fresh.push(mark.ending);
      ways[k] = way;
      changed = true;
    }
    return fresh;
  }

  // Every way that the module still plays to its last answer; the others
  // are dropped.
  function learn(list) {
    for (const way of Array.isArray(list) ? list : []) {
      const result = isAnswerList(way) && play(way, 0);
      if (result && result.read === way.length) take(result.marks, way);
    }
  }

  // A record stored before ways were kept for endings holds their numbers
  // alone: each is found again by playing on from the ways of its scenes,
  // pressing Enter, as far as an ending can be from a scene's first page.
  function findEndings(numbers) {
    if (!Array.isArray(numbers)) return;
    for (const way of ways.slice(0, sceneCount).filter(Boolean)) {
      const onward = [...way, ...Array(12).fill('')];
      take(play(onward, 0).marks.filter((mark) => numbers.includes(mark.ending)), onward);
    }
  }

  // The ways kept, each once, in the entries' order: alike in every page
  // that knows the same record. The same text is a record's file.
  const text = () => `{"${key}":[${[...new Set(ways.filter(Boolean).map((way) => JSON.stringify(way)))]}]}`;

  // What is stored, as this page or an older build stored it.
  function merge(saved) {
    learn(saved?.[key] ?? saved?.ways);
    findEndings(saved?.endings);
  }

  // Merges what is stored now, and ways from elsewhere (a file) if given,
  // and stores the union if it holds more.
  function sync(list) {
    synced = true;
    learn(list);
    const saved = readStored(key);
    // As this page writes it: compact, like `known`.
    const stored = JSON.stringify(saved);
    if (stored !== known) merge(saved);
    known = text();
    unstored = known !== stored && !writeStored(key, known);
  }
  const count = (from, to) => ways.slice(from, to).filter(Boolean).length;
  return {
    key,
    way: (scene) => ways[scene],
    seen: (scene) => ways[scene] !== null,
    reached: (ending) => ways[sceneCount + ending] !== null,
    scenesSeen: () => count(0, sceneCount),
    endingsReached: () => count(sceneCount),
    text,
    note(marks, answers) {
      changed = false;
      const fresh = take(marks, answers);
      if ((changed || unstored) && synced) sync();
      return fresh;
    },
    sync,
    forget() {
      ways.fill(null);
      known = null;
      writeStored(key, null);
    },
  };
}
