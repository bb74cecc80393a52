// The story as an 80-column terminal shows it: what the game wrote, and each
// answer echoed where it was typed. Each piece of the game's output is one
// block of the story, and each answer is echoed at the end of the block it
// answers. A block's element does not hold its last newline: the end of the
// block is that line break, both on screen and in the story's text. Only the
// text that is new is ever added to the page. Every block of the game is in
// the page, however long: find in page and a screen reader reach all of it;
// the browser skips laying out the groups out of sight (see the stylesheet).

export const story = document.getElementById('story');
// Each block: { element, text, taps: spans that can answer, echo: nodes }
export const blocks = [];

const blocksPerGroup = 32;
// A line of the story that was wrapped to fit 80 columns runs on into the
// next; on a narrower screen the page lets the paragraph flow instead. A
// spoken line always starts a line of its own.
const flowsOn = (previous, line) => previous.length >= 60 && !line.startsWith('- ');
// `taps`: what in the piece answers when tapped, as the game told it (see
// play() in game.js): its menu's options, where each starts, and whether
// its last line is a pause's.
export function addBlock(piece, taps = []) {
  const element = document.createElement('div');
  element.className = 'piece';
  const block = { element, text: piece, taps: [], echo: [] };
  const body = piece.endsWith('\n') ? piece.slice(0, -1) : piece;
  const lines = body.split('\n');
  const options = new Map(taps.filter((tap) => !tap.pause).map((tap) => [tap.at, tap]));
  const pauseLine = taps.some((tap) => tap.pause) ? lines.length - 1 : -1;
  let plain = '';
  let option = null;
  let optionLinesLeft = 0;
  let previousText = '';
  let at = 0;
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
  lines.forEach((line, index) => {
    const start = at;
    at += line.length + 1;
    if (optionLinesLeft > 0) {
      // An option's next line.
      --optionLinesLeft;
      option.textContent += `\n${line}`;
      return;
    }
    const opens = options.get(start);
    const isPause = index === pauseLine;
    const isText = !opens && line !== '' && !isPause;
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
    if (opens) {
      option = tappable(line, opens.answer);
      optionLinesLeft = opens.lines - 1;
    } else if (isPause) tappable(line, '');
    else plain += line;
  });
  flush();
  // Blocks go in groups, so that the browser lays out a long story as a few
  // dozen groups and the newest one, whatever the story's length.
  let group = story.lastElementChild;
  if (!group || group.childElementCount === blocksPerGroup) {
    group = document.createElement('div');
    group.className = 'pieces';
    story.append(group);
  }
  group.append(element);
  blocks.push(block);
}

export function removeLastBlock() {
  blocks.pop().element.remove();
}

// Keeps the first `count` blocks, the last of them without its echo, and
// takes the others away, whole groups at once.
export function keepBlocks(count) {
  const gone = blocks.splice(count);
  const groupsKept = Math.ceil(count / blocksPerGroup);
  while (story.childElementCount > groupsKept) story.lastElementChild.remove();
  for (const block of gone.slice(0, groupsKept * blocksPerGroup - count)) block.element.remove();
  if (count > 0) unecho(blocks[count - 1]);
}

export function echo(block, answer) {
  const nodes = [];
  if (block.text.endsWith('\n')) nodes.push(document.createTextNode('\n'));
  const typed = document.createElement('span');
  typed.className = 'typed';
  typed.textContent = answer;
  nodes.push(typed);
  block.element.append(...nodes);
  block.echo = nodes;
}

export function unecho(block) {
  block.echo.forEach((node) => node.remove());
  block.echo = [];
}

// The option lines of the menu now waiting, or the "Pulsa enter" line of the
// pause now waiting, answer when tapped; all older ones are plain text. They
// are spans whose role changes, not buttons put in and taken out, so that the
// log does not announce their text a second time.
let activeTaps = [];

export function updateTaps(over) {
  for (const span of activeTaps) {
    span.removeAttribute('role');
    span.removeAttribute('tabindex');
  }
  activeTaps = [];
  if (over) return;
  // A block holds at most one menu or one pause: each ends in a read. The
  // read now waiting is the last block's, or, after blank answers refused,
  // the last one's before them that has its options or pause.
  for (let k = blocks.length - 1; k >= 0 && activeTaps.length === 0; --k) activeTaps = blocks[k].taps;
  for (const span of activeTaps) span.setAttribute('role', 'button');
  // In the Tab order, unless under the open map (a file dropped there).
  coverStory(story.ariaHidden);
}

// Under the map: hidden from screen readers, its waiting options out of the
// Tab order (no style changes: the map hides them from sight).
export function coverStory(covered) {
  story.ariaHidden = covered || null;
  for (const span of activeTaps) span.tabIndex = covered ? -1 : 0;
}

export function showNewest() {
  scrollTo(0, document.documentElement.scrollHeight);
}
