// The player's record, kept in this browser across games: every scene seen,
// with its way (the answers of the shortest game known to reach it), and
// every ending reached. Nothing takes anything out of it but forget(): not
// an undo, not a new game, not a reload. Like the stored game, it belongs to
// the very module that played it; one that cannot be read, or from another
// build, is set aside and a new one starts. Where storage is refused, it
// lives as long as the page.

export const isAnswerList = (list) =>
  Array.isArray(list) && list.every((answer) => typeof answer === 'string' && !/[\r\n]/.test(answer));

export function openRecord({ storage, key, version, sceneCount, endingCount }) {
  const empty = () => ({ ways: Array(sceneCount).fill(null), endings: [] });
  let record = load() ?? empty();

  function load() {
    try {
      const saved = JSON.parse(storage()?.getItem(key) ?? 'null');
      const valid =
        saved?.version === version &&
        Array.isArray(saved.ways) &&
        saved.ways.length === sceneCount &&
        saved.ways.every((way) => way === null || isAnswerList(way)) &&
        Array.isArray(saved.endings) &&
        saved.endings.every((n) => Number.isInteger(n) && n >= 0 && n < endingCount);
      return valid ? { ways: saved.ways, endings: saved.endings } : null;
    } catch {
      return null;
    }
  }

  function save() {
    try {
      storage()?.setItem(key, JSON.stringify({ version, ...record }));
    } catch {
      // Full or refused: the record lives on in the page.
    }
  }

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
