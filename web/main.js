// Tramontalia in the browser: the player's controls over the game, the
// story view, the record and the map.
import { download, readFile } from './files.js';
import { loadGame, moduleBytes } from './game.js';
import { createMap } from './map.js';
import { isAnswerList, openRecord, readStored, watchStoring, writeStored } from './record.js';
import {
  addBlock,
  blocks,
  coverStory,
  echo,
  keepBlocks,
  removeLastBlock,
  showNewest,
  story,
  unecho,
  updateTaps,
} from './story.js';
import { _, fill } from './words.js';

const byId = (id) => document.getElementById(id);
const moduleData = byId('module');
const form = byId('reply');
const input = byId('answer');
const undoButton = byId('undo');
const restartButton = byId('restart');
const saveButton = byId('save');
const fileInput = byId('file');
const mapButton = byId('open-map');
const againButton = byId('again');
const endingLine = byId('ending');
const confirmGame = byId('confirm-game');
const confirmForget = byId('confirm-forget');

const { play, course, answersAlong, titles } = await loadGame(moduleBytes(moduleData.textContent));

let answers = [];
let over = false;
// For each block of the story, the scene on screen there and the ending it
// shows (-1 for none), as the game told them while playing.
let sceneAt = [];
let endingAt = [];

// --- Saved progress ---------------------------------------------------------

// The game stored is the one answered last in any page. Stored by another
// build, it resumes if this one plays all its answers. Each language's page
// stores its own, under keys of plain ASCII named from its tag, never from a
// word a translation may change: the story's own language, the original,
// as it always has.
const language = document.documentElement.lang;
const original = 'es';
const storageKeyOf = (tag) => (tag === original ? 'tramontalia' : `tramontalia-${tag}`);
const recordKeyOf = (tag) => (tag === original ? 'tramontalia-mapa' : `tramontalia-${tag}-map`);
const storageKey = storageKeyOf(language);
const store = () => writeStored(storageKey, answers.length > 0 && JSON.stringify({ answers }));

// Where the browser is full or refuses to store, a line says so while it
// lasts, set only when that changes: a status read out once. Each answer
// tries again.
const unstored = _('El navegador no guarda la partida: usa Archivo > Guardar partida.');
watchStoring((failing) => (byId('storing').textContent = failing ? unstored : ''));

function stored() {
  const saved = readStored(storageKey);
  return isAnswerList(saved?.answers) ? saved.answers : [];
}

const map = createMap(JSON.parse(byId('map-data').textContent), titles, {
  onJump: jump,
  onClose: backToTyping,
  onCover: cover,
});
const record = openRecord({
  key: recordKeyOf(language),
  play,
  sceneCount: map.sceneCount,
  endingCount: map.endingTitles.length,
});

// --- Playing ----------------------------------------------------------------

// Adds the pieces of a replay to the story, with the scene and the ending of
// each; notes them in the record, unless told not to, and returns the
// endings new to it.
function show(result, from, noting = true) {
  let m = 0;
  result.pieces.forEach((piece, i) => {
    const k = from + i;
    sceneAt[k] = k > 0 ? sceneAt[k - 1] : -1;
    endingAt[k] = -1;
    for (; m < result.marks.length && result.marks[m].piece === k; ++m) {
      const mark = result.marks[m];
      if ('scene' in mark) sceneAt[k] = mark.scene;
      else endingAt[k] = mark.ending;
    }
    // Blocks already on screen stay.
    if (k === blocks.length) addBlock(piece, result.taps[i]);
  });
  sceneAt.length = endingAt.length = blocks.length;
  return noting ? record.note(result.marks, answers) : [];
}

// The ending on screen (its "Fin" ends the game's last or next to last
// block), named and counted outside the log; "new" while it stays on screen.
let newEnding = -1;
// A line about the page rather than the story, shown there until the game
// changes.
let notice = '';

function showEnding(fresh = []) {
  const ending = endingAt.findLast((n) => n >= 0) ?? -1;
  if (fresh.includes(ending)) newEnding = ending;
  else if (ending < 0) newEnding = -1;
  const shown = [map.endingTitles[ending], record.endingsReached(), map.endingTitles.length];
  endingLine.textContent =
    notice ||
    (ending < 0 ? '' : fill(ending === newEnding ? _('Nuevo final: {0} · {1} de {2}') : _('Final: {0} · {1} de {2}'), ...shown));
}

function updateControls(fresh = []) {
  input.disabled = form.querySelector('button').disabled = over;
  undoButton.disabled = restartButton.disabled = answers.length === 0;
  againButton.parentElement.hidden = !over;
  updateTaps(over);
  notice = '';
  showEnding(fresh);
}

// How many blocks of the story on screen a game on `log` shows alike: those
// that follow the same answers.
function sharedBlocks(log) {
  let k = 0;
  while (k < blocks.length && (k === 0 || answers[k - 1] === log[k - 1])) ++k;
  return k;
}

// Shows the game played on `log` from its start; false if the log does not
// make a game (it goes on after the game ended). Only the blocks after the
// answers it shares with the game on screen are built again. A game resumed
// on loading the page was noted when it was played: after "Olvidar el mapa"
// it must not fill the record again.
function begin(log, noting = true) {
  const kept = sharedBlocks(log);
  const result = play(log, kept, 0);
  if (result.read !== log.length) return false;
  keepBlocks(kept);
  answers = log;
  const fresh = show(result, 0, noting);
  for (let k = Math.max(0, kept - 1); k < log.length; ++k) echo(blocks[k], log[k]);
  over = result.over;
  updateControls(fresh);
  showNewest();
  return true;
}

function answer(text) {
  if (over) return;
  answers.push(text);
  const result = play(answers, blocks.length);
  echo(blocks.at(-1), text);
  const fresh = show(result, blocks.length);
  over = result.over;
  store();
  updateControls(fresh);
  showNewest();
}

function undo() {
  if (answers.length === 0) return;
  answers.pop();
  removeLastBlock();
  sceneAt.length = endingAt.length = blocks.length;
  unecho(blocks.at(-1));
  over = false;
  store();
  updateControls();
}

function newGame() {
  begin([]);
  store();
}

// Plays again up to a seen scene; the game goes on from there.
function jump(scene) {
  if (!begin([...record.way(scene)])) newGame();
  store();
}

// A game from a file goes on as if its answers had been typed: over a game
// with answers, once the player agrees to lose it (a file that makes no game
// is refused without asking). A record's ways join the record. A file that is
// neither, or that another language's page saved, changes nothing: a
// record's file names its page by its key, a game's file by its name, which
// starts with its page's storage key (a file renamed is taken as this page's).
const languageName = new Intl.DisplayNames(language, { type: 'language' });
function saverOf(file, got) {
  if (got.saver) return got.saver.match(/^tramontalia-(.+)-map$/)?.[1] ?? original;
  if (got.ways) return language;
  if (!file.name.startsWith('tramontalia')) return language;
  return file.name.match(/^tramontalia-([a-z]{2,3}(?:-[A-Z]{2})?)-/)?.[1] ?? original;
}

async function load(file) {
  if (!file) return;
  try {
    const got = await readFile(file, record.key);
    const saver = saverOf(file, got);
    if (saver !== language) throw fill(_('No se carga: la guardó la página en {0}.'), languageName.of(saver));
    const log = got.answers;
    if (got.ways) {
      takeIn(got.ways);
      notice = _('Mapa cargado.');
    } else if (answers.length > 0 && play(log, log.length).read === log.length) {
      ask(_('¿Cargar la partida? Perderás la que llevas.'), _('Cargar partida'), () => begin(log) && store());
    } else if (begin(log)) store();
    else throw _('No se carga: la partida sigue tras su final.');
  } catch (why) {
    notice = why;
  }
  showEnding();
}

// --- The controls -----------------------------------------------------------

// What the open map covers is out of the keyboard's and a screen reader's
// way, but stays laid out: hiding the story would have the browser lay it
// all out again on closing, which grows with the story. The controls under
// it are hidden, each marked with a class (see the stylesheet).
function cover(covered) {
  for (const part of document.querySelectorAll('header, main > :not(#story)')) part.classList.toggle('covered', covered);
  coverStory(covered);
}

// Typing stays in the text box: after any control, focus goes back there,
// except on a touch screen, where it would raise the keyboard for nothing.
function backToTyping(event) {
  if (over) againButton.focus();
  else if (event?.pointerType !== 'touch') input.focus();
}

// The answer goes in from the form's submission, and as well from Enter and
// the button themselves: a portal's frame sandboxed without forms refuses
// every submission, before the page can see it.
// Enter that confirms an input method's composition confirms it alone: the
// form's submission it may raise is held too.
let composing = false;
input.addEventListener('compositionstart', () => (composing = true));
input.addEventListener('compositionend', () => (composing = false));
function send(event) {
  if (event.key && event.key !== 'Enter') return;
  if (event.isComposing || composing) {
    if (event.type === 'submit') event.preventDefault();
    return;
  }
  event.preventDefault();
  const text = input.value;
  input.value = '';
  answer(text);
  backToTyping(event);
}
form.addEventListener('submit', send);
input.addEventListener('keydown', send);
form.querySelector('button').addEventListener('click', send);

function tap(event) {
  const span = event.target.closest('[role="button"][data-answer]');
  if (!span) return;
  event.preventDefault();
  answer(span.dataset.answer);
  backToTyping(event);
}
story.addEventListener('click', tap);
story.addEventListener('keydown', (event) => {
  if (event.key === 'Enter' || event.key === ' ') tap(event);
});

undoButton.addEventListener('click', (event) => {
  undo();
  backToTyping(event);
});
againButton.addEventListener('click', (event) => {
  newGame();
  backToTyping(event);
});
// The transcript: the whole game as a terminal shows it, answers included.
saveButton.addEventListener('click', () => {
  const shown = play(answers, 0).pieces.map((text, k) => (k in answers ? `${text}${answers[k]}\n` : text));
  download(shown.join(''), storageKey);
});
byId('save-game').addEventListener('click', () =>
  download(answers.map((text) => `${text}\n`).join(''), `${storageKey}-${_('partida')}`),
);
byId('save-map').addEventListener('click', () =>
  download(record.text(), `${storageKey}-${_('mapa')}`, 'json'),
);
byId('load').addEventListener('click', () => fileInput.click());
fileInput.addEventListener('change', () => {
  load(fileInput.files[0]);
  fileInput.value = '';
});
document.addEventListener('dragover', (event) => event.preventDefault());
document.addEventListener('drop', (event) => {
  event.preventDefault();
  load(event.dataTransfer.files[0]);
});

// What another page adds to the record shows here at once; "Olvidar el
// mapa" there forgets it here too.
function takeIn(ways) {
  record.sync(ways);
  map.refresh(record, sceneAt.at(-1));
  showEnding();
}
addEventListener('storage', (event) => {
  if (event.key !== record.key) return;
  if (!event.newValue) record.forget();
  takeIn();
});

mapButton.addEventListener('click', () => map.open(record, sceneAt.at(-1)));

// A dialog's buttons close it with their value. A confirmation opens on its
// "no", which keeps what the player has: marked here, not in the markup, as a
// page focused before its first frame would have the browser log that it did
// not focus a button marked there.
for (const dialog of document.querySelectorAll('dialog')) {
  for (const button of dialog.querySelectorAll('button')) {
    button.autofocus = button.value === 'no';
    button.addEventListener('click', () => dialog.close(button.value));
  }
}
// Asks before the game on screen is lost; `then` replaces it if the player agrees.
let replace;
function ask(question, yes, then) {
  confirmGame.querySelector('p').textContent = question;
  confirmGame.querySelector('button').textContent = yes;
  replace = then;
  confirmGame.showModal();
}
confirmGame.addEventListener('close', () => {
  if (confirmGame.returnValue === 'yes') replace();
  backToTyping();
});
restartButton.addEventListener('click', () =>
  ask(_('¿Empezar de nuevo? Perderás la partida que llevas.'), _('Empezar de nuevo'), newGame),
);
byId('forget').addEventListener('click', () => confirmForget.showModal());
confirmForget.addEventListener('close', () => {
  if (confirmForget.returnValue !== 'yes') return;
  record.forget();
  map.refresh(record, sceneAt.at(-1));
});

// --- The other language ---------------------------------------------------

// The link to the other language's page goes on with this game there, at
// the same point: what each answer did, in the game and in each of the
// record's ways, travels in the link's fragment, and that page plays the
// answers that do the same in its language (see course() in game.js).
for (const link of document.querySelectorAll('header [hreflang]')) {
  link.addEventListener('click', () => {
    const ways = JSON.parse(record.text())[record.key];
    link.hash = encodeURIComponent(JSON.stringify([answers, ...ways].map(course)));
  });
}

// The game and the record's ways carried here by that link, in this page's
// answers, if it was followed; the address is left without them, so that a
// reload goes on with what is stored. The site opens in this language from
// then on (see web/tools/build_site.mjs).
function carried() {
  const { hash } = location;
  if (!hash) return [];
  history.replaceState(null, '', location.pathname + location.search);
  try {
    localStorage.setItem('tramontalia-idioma', language);
  } catch {
    // Not remembered: the site opens as the browser's languages say.
  }
  try {
    return JSON.parse(decodeURIComponent(hash.slice(1))).map(answersAlong);
  } catch {
    return [];
  }
}

const [game, ...ways] = carried();
const resumed = game ?? stored();
if (!begin(resumed, game !== undefined || resumed.length === 0)) {
  newGame();
  notice = _('La partida guardada ya no se puede jugar.');
  showEnding();
}
if (game) store();
input.focus();
// The stored record is played again once the first text is shown: nothing
// before needs it, nor the ways carried in. Not at the next frame, which a
// page opened behind another never draws: it would take in nothing until
// shown.
setTimeout(() => takeIn(ways));
