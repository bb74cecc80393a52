// Tramontalia in the browser: the player's controls over the game and the
// story view.
import { loadGame, moduleBytes } from './game.js';
import {
  addBlock,
  blocks,
  clearStory,
  echo,
  removeLastBlock,
  showNewest,
  story,
  terminalView,
  unecho,
  updateTaps,
} from './story.js';

const moduleData = document.getElementById('module');
const form = document.getElementById('reply');
const input = document.getElementById('answer');
const undoButton = document.getElementById('undo');
const restartButton = document.getElementById('restart');
const saveButton = document.getElementById('save');
const againButton = document.getElementById('again');
const confirmRestart = document.getElementById('confirm-restart');

const play = await loadGame(moduleBytes(moduleData.textContent));

let answers = [];
let over = false;

// --- Saved progress ---------------------------------------------------------

// A stored game belongs to the very module that played it.
const storageKey = 'tramontalia';
const version = moduleData.dataset.version;

function storage() {
  try {
    return window.localStorage;
  } catch {
    return null; // refused: the page plays without resume
  }
}

function store() {
  try {
    if (answers.length === 0) storage()?.removeItem(storageKey);
    else storage()?.setItem(storageKey, JSON.stringify({ version, answers }));
  } catch {
    // Full or refused: the game goes on, it just will not resume.
  }
}

function stored() {
  try {
    const saved = JSON.parse(storage()?.getItem(storageKey) ?? 'null');
    const valid =
      saved?.version === version &&
      Array.isArray(saved.answers) &&
      saved.answers.every((answer) => typeof answer === 'string' && !/[\r\n]/.test(answer));
    return valid ? saved.answers : [];
  } catch {
    return [];
  }
}

// --- Playing ----------------------------------------------------------------

function updateControls() {
  input.disabled = over;
  form.querySelector('button').disabled = over;
  undoButton.disabled = answers.length === 0;
  restartButton.disabled = answers.length === 0;
  againButton.parentElement.hidden = !over;
  updateTaps(over);
}

// Shows the game played on `log` from its start; false if the log does not
// make a game (it goes on after the game ended).
function begin(log) {
  const result = play(log, 0);
  if (result.read !== log.length) return false;
  clearStory();
  answers = log;
  result.pieces.forEach(addBlock);
  log.forEach((answer, k) => echo(blocks[k], answer));
  over = result.over;
  updateControls();
  showNewest();
  return true;
}

function answer(text) {
  if (over) return;
  answers.push(text);
  const result = play(answers, blocks.length);
  echo(blocks.at(-1), text);
  result.pieces.forEach(addBlock);
  over = result.over;
  store();
  updateControls();
  showNewest();
}

function undo() {
  if (answers.length === 0) return;
  answers.pop();
  removeLastBlock();
  unecho(blocks.at(-1));
  over = false;
  store();
  updateControls();
}

function newGame() {
  begin([]);
  store();
}

function saveTranscript() {
  const now = new Date();
  const two = (n) => String(n).padStart(2, '0');
  const day = `${now.getFullYear()}${two(now.getMonth() + 1)}${two(now.getDate())}`;
  const time = `${two(now.getHours())}${two(now.getMinutes())}`;
  const link = document.createElement('a');
  link.href = URL.createObjectURL(new Blob([terminalView(answers)], { type: 'text/plain;charset=utf-8' }));
  link.download = `tramontalia-${day}-${time}.txt`;
  link.click();
  setTimeout(() => URL.revokeObjectURL(link.href), 0);
}

// --- The controls -----------------------------------------------------------

// Typing stays in the text box: after any control, focus goes back there,
// except on a touch screen, where it would raise the keyboard for nothing.
function backToTyping(event) {
  if (over) againButton.focus();
  else if (event?.pointerType !== 'touch') input.focus();
}

form.addEventListener('submit', (event) => {
  event.preventDefault();
  const text = input.value;
  input.value = '';
  answer(text);
  backToTyping(event);
});

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
saveButton.addEventListener('click', saveTranscript);

for (const button of confirmRestart.querySelectorAll('button')) {
  button.addEventListener('click', () => confirmRestart.close(button.value));
}
restartButton.addEventListener('click', () => confirmRestart.showModal());
confirmRestart.addEventListener('close', () => {
  if (confirmRestart.returnValue === 'yes') newGame();
  backToTyping();
});

if (!begin(stored())) newGame();
input.focus();
