// Tramontalia in the browser. The game is the console game compiled to a
// WebAssembly module; it cannot wait for the player, so this page keeps the
// answers given so far and, on each new one, has the module play the whole
// game again from them (it takes microseconds). The story shown is what an
// 80-column terminal would show: what the game wrote, and each answer echoed
// where it was typed. Only the text that is new is ever added to the page.

const moduleData = document.getElementById('module');
const story = document.getElementById('story');
const form = document.getElementById('reply');
const input = document.getElementById('answer');
const undoButton = document.getElementById('undo');
const restartButton = document.getElementById('restart');
const saveButton = document.getElementById('save');
const againButton = document.getElementById('again');
const confirmDialog = document.getElementById('confirm-restart');

// --- The game ---------------------------------------------------------------

// The module is inlined one character per byte: byte b is the character
// U+00bb, except the three bytes that HTML parsing alters in a script
// element (NUL, CR and "<"), which are U+01bb. The low byte is the module's.
function moduleBytes() {
  const text = moduleData.textContent;
  const bytes = new Uint8Array(text.length);
  for (let i = 0; i < text.length; ++i) bytes[i] = text.charCodeAt(i) & 0xff;
  return bytes;
}

const encoder = new TextEncoder();
let replaying = null; // the replay in progress, served by the module's imports
const { instance } = await WebAssembly.instantiate(moduleBytes(), {
  tramontalia: {
    read: (at, capacity) => replaying.read(at, capacity),
    write: (at, size) => replaying.write(at, size),
    // The scene entered (its index in the story's order) and the ending reached.
    scene: () => {},
    ending: () => {},
  },
});
const memory = () => new Uint8Array(instance.exports.memory.buffer);

// Plays the game on `answers` and returns what it wrote in pieces: piece k is
// what came after the k-th answer was read (piece 0: before the first read).
// Only pieces from `from` on are returned; the answers before those go in
// all at once, which the game takes exactly as it takes them line by line.
// `over` tells whether the game ended by itself (an ending, or "salir")
// rather than waiting for one more answer; `read` how many answers it took.
function play(answers, from) {
  const pieces = [];
  const decoder = new TextDecoder();
  let text = '';
  let taken = Math.max(0, from - 1);
  let line = taken > 0 ? encoder.encode(`${answers.slice(0, taken).join('\n')}\n`) : new Uint8Array(0);
  let offset = 0;
  let waiting = false;
  const endPiece = () => {
    if (taken >= from) pieces.push(text + decoder.decode());
    text = '';
  };
  replaying = {
    // One line at a time, as a terminal hands them out.
    read(at, capacity) {
      if (offset === line.length) {
        endPiece();
        if (taken === answers.length) {
          waiting = true;
          return 0;
        }
        line = encoder.encode(`${answers[taken++]}\n`);
        offset = 0;
      }
      const size = Math.min(capacity, line.length - offset);
      memory().set(line.subarray(offset, offset + size), at);
      offset += size;
      return size;
    },
    write(at, size) {
      if (waiting || taken < from) return;
      text += decoder.decode(memory().subarray(at, at + size), { stream: true });
    },
  };
  instance.exports.play();
  if (!waiting) endPiece();
  replaying = null;
  return { pieces, over: !waiting, read: taken };
}

// --- What the page shows ----------------------------------------------------

// Each piece of the game's output is one block of the story, and each answer
// is echoed at the end of the block it answers. A block's element does not
// hold its last newline: the end of the block is that line break, both on
// screen and in the story's text.
let answers = [];
let blocks = []; // { element, text, taps: spans that can answer, echo: nodes }
let over = false;

const blocksPerGroup = 32;
// A line of the story that was wrapped to fit 80 columns runs on into the
// next; on a narrower screen the page lets the paragraph flow instead. A
// spoken line always starts a line of its own.
const flowsOn = (previous, line) => previous.length >= 60 && !line.startsWith('- ');
const optionLine = /^([a-z]+)->/;
const pauseLines = ['Pulsa enter', 'Pulsa enter para salir'];

function addBlock(piece) {
  const element = document.createElement('div');
  element.className = 'piece';
  const block = { element, text: piece, taps: [], echo: [] };
  const body = piece.endsWith('\n') ? piece.slice(0, -1) : piece;
  let plain = '';
  let inMenu = false;
  let lastOption = null;
  let previousText = '';
  const flush = () => {
    if (plain) element.append(plain);
    plain = '';
  };
  const tappable = (line, answer) => {
    flush();
    const span = document.createElement('span');
    span.textContent = line;
    span.dataset.answer = answer;
    element.append(span);
    block.taps.push(span);
    return span;
  };
  body.split('\n').forEach((line, index) => {
    if (lastOption && line.startsWith('   ')) {
      lastOption.textContent += `\n${line}`; // an option's second line
      return;
    }
    const key = inMenu && line.match(optionLine);
    if (line.trim() === 'Opciones:') inMenu = true;
    if (line === '') inMenu = false;
    const isPause = pauseLines.includes(line);
    const isText = !key && line !== '' && !isPause;
    if (index > 0 && isText && flowsOn(previousText, line)) {
      flush();
      const soft = document.createElement('span');
      soft.className = 'soft';
      soft.textContent = '\n';
      element.append(soft);
    } else if (index > 0) {
      plain += '\n';
    }
    previousText = isText ? line : '';
    lastOption = key ? tappable(line, key[1]) : null;
    if (key) return;
    if (isPause) tappable(line, '');
    else plain += line;
  });
  flush();
  // Blocks go in groups, so that the browser lays out a long story as a few
  // dozen groups and the newest one, whatever the story's length.
  let group = story.lastElementChild;
  if (!group || group.childElementCount === blocksPerGroup) {
    group = document.createElement('div');
    story.append(group);
  }
  group.append(element);
  blocks.push(block);
}

function echo(block, answer) {
  const nodes = [];
  if (block.text.endsWith('\n')) nodes.push(document.createTextNode('\n'));
  const typed = document.createElement('span');
  typed.className = 'typed';
  typed.textContent = answer;
  nodes.push(typed);
  block.element.append(...nodes);
  block.echo = nodes;
}

function unecho(block) {
  block.echo.forEach((node) => node.remove());
  block.echo = [];
}

// The text of the story as a terminal shows it, answers included.
function terminalView() {
  return blocks
    .map((block, k) => (k < answers.length ? `${block.text}${answers[k]}\n` : block.text))
    .join('');
}

// The option lines of the menu now waiting, or the "Pulsa enter" line of the
// pause now waiting, answer when tapped; all older ones are plain text. They
// are spans whose role changes, not buttons put in and taken out, so that the
// log does not announce their text a second time.
let activeTaps = [];

function updateTaps() {
  for (const span of activeTaps) {
    span.removeAttribute('role');
    span.removeAttribute('tabindex');
  }
  activeTaps = [];
  if (over) return;
  // A block holds at most one menu or one pause: each ends in a read.
  const atMenu = blocks.at(-1).text.endsWith('>');
  for (let k = blocks.length - 1; k >= 0 && activeTaps.length === 0; --k) {
    activeTaps = blocks[k].taps.filter((span) => (span.dataset.answer !== '') === atMenu);
  }
  for (const span of activeTaps) {
    span.setAttribute('role', 'button');
    span.tabIndex = 0;
  }
}

function updateControls() {
  input.disabled = over;
  form.querySelector('button').disabled = over;
  undoButton.disabled = answers.length === 0;
  restartButton.disabled = answers.length === 0;
  againButton.parentElement.hidden = !over;
  updateTaps();
}

function showNewest() {
  window.scrollTo(0, document.documentElement.scrollHeight);
}

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

// Shows the game played on `log` from its start; false if the log does not
// make a game (it goes on after the game ended).
function begin(log) {
  const result = play(log, 0);
  if (result.read !== log.length) return false;
  story.replaceChildren();
  blocks = [];
  answers = log;
  result.pieces.forEach((piece, k) => {
    addBlock(piece);
    if (k < log.length) echo(blocks[k], log[k]);
  });
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
  blocks.pop().element.remove();
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
  link.href = URL.createObjectURL(new Blob([terminalView()], { type: 'text/plain;charset=utf-8' }));
  link.download = `tramontalia-${day}-${time}.txt`;
  link.click();
  setTimeout(() => URL.revokeObjectURL(link.href), 0);
}

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
restartButton.addEventListener('click', () => confirmDialog.showModal());
confirmDialog.addEventListener('close', () => {
  if (confirmDialog.returnValue === 'yes') newGame();
  backToTyping();
});
for (const button of confirmDialog.querySelectorAll('button')) {
  button.addEventListener('click', () => confirmDialog.close(button.value));
}

if (!begin(stored())) newGame();
input.focus();
