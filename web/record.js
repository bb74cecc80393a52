// The player's record, kept in this browser across games: every scene seen,
// with its way (the answers of the shortest game known to reach it), and
// every ending reached. Nothing takes anything out of it but forget(): not
// an undo, not a new game, not a reload. Like the stored game, it belongs to
// the very module that played it; one that cannot be read, or from another
// build, is set aside and a new one starts. Where storage is refused, it
// lives as long as the page.

export const isAnswerList = (list) =>
  Array.isArray(list) && list.every((answer) => typeof answer === 'string' && !/[\r\n]/.test(answer));

// What the page keeps in this browser's storage belongs to the very module
// that played it: anything else, unreadable, or storage refused, is null.
export function readStored(key, version) {
  try {
    const saved = JSON.parse(localStorage.getItem(key));
    return saved?.version === version ? saved : null;
  } catch {
    return null;
  }
}

// Stores `value`, or removes what is stored if there is none.
export function writeStored(key, version, value) {
  try {
    if (value) localStorage.setItem(key, JSON.stringify({ version, ...value }));
    else localStorage.removeItem(key);
  } catch {
    // Full or refused: the page goes on with what it holds.
  }
}

export function openRecord({ key, version, sceneCount, endingCount }) {
  const empty = () => ({ ways: Array(sceneCount).fill(null), endings: [] });
  const saved = readStored(key, version);
  const valid =
    saved?.ways?.length === sceneCount &&
    saved.ways.every((way) => way === null || isAnswerList(way)) &&
    Array.isArray(saved.endings) &&
    saved.endings.every((n) => Number.isInteger(n) && n >= 0 && n < endingCount);
  let record = valid ? { ways: saved.ways, endings: saved.endings } : empty();
  const save = () => writeStored(key, version, record);

  return {
    way: (scene) => record.ways[scene],
    seen: (scene) => record.ways[scene] !== null,
    reached: (ending) => record.endings.includes(ending),
    scenesSeen: () => record.ways.filter((way) => way !== null).length,
    endingsReached: () => record.endings.length,

    // Takes in what a game of these answers showed (the marks of its
    // replay); returns the endings that were new to the record.
    note(marks, answers) {
      const fresh = [];
      let changed = false;
      for (const mark of marks) {
        if ('ending' in mark) {
          if (record.endings.includes(mark.ending)) continue;
          record.endings.push(mark.ending);
          fresh.push(mark.ending);
        } else {
          const known = record.ways[mark.scene];
          if (known !== null && known.length <= mark.piece) continue;
          record.ways[mark.scene] = answers.slice(0, mark.piece);
        }
        changed = true;
      }
      if (changed) save();
      return fresh;
    },

    forget() {
      record = empty();
      save();
    },
  };
}
