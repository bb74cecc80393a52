// The page's words, written in Spanish, the story's language. Each is marked
// for its translators as a call of _ on it, in single quotes (xgettext reads
// the marks into the template,
// po/tramontalia.pot), and the page's build puts in place of each mark the
// word in the page's language (web/tools/words.mjs): the pages hold plain
// strings. Unbuilt, as the tests import these modules, a word is itself.
export const _ = (word) => word;

// A word with values in its slots, {0}, {1}...: "{0} de {1}", 3, 19.
export const fill = (word, ...values) => word.replace(/\{(\d)\}/g, (slot, k) => values[k]);
