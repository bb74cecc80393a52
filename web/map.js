// The player's map: the scenes seen and the endings reached, laid out as the
// story map lays them out (the page is built with the layout). A screen
// reader meets it as a list in the story's order over a drawing of the links
// that it does not read. Each seen scene is a button that plays the game
// again up to it; where an option of a seen scene leads to a scene not yet
// seen, a locked box stands, and nothing beyond it. The map is built once,
// when it first opens, and then only updated.

import { _, fill } from './words.js';

function element(name, className, text = '') {
  const made = document.createElement(name);
  made.className = className;
  made.textContent = text;
  return made;
}

const centre = ([left, top, width, height]) => [left + width / 2, top + height / 2];

// Where the line from the centre of `box` towards `point` leaves the box.
function border(box, [x, y]) {
  const [cx, cy] = centre(box);
  const t = Math.min(box[2] / 2 / Math.abs(x - cx), box[3] / 2 / Math.abs(y - cy));
  return [cx + t * (x - cx), cy + t * (y - cy)];
}

// The links from box to box (as the scenes' boxes stand) through their bends, each
// with its option's key beside its start (and an arrowhead at its end).
function links(edges, scenes) {
  return edges.map(([from, to, key, ...bends]) => {
    const points = [];
    for (let i = 0; i < bends.length; i += 2) points.push(bends.slice(i, i + 2));
    const [x, y] = border(scenes[from].rect, points[0] ?? centre(scenes[to].rect)).map(Math.round);
    const end = border(scenes[to].rect, points.at(-1) ?? centre(scenes[from].rect)).map(Math.round);
    const line = `<path class="line${key ? '' : ' link'}" d="M${[[x, y], ...points, end].join('L')}"/>`;
    return line + (key && `<text x="${x + 5}" y="${y + 16}">${key}</text>`);
  });
}

// One list item per scene, holding what its state shows: nothing (hidden),
// a locked box, or its button and a line for each of its endings.
function sceneItem([, , , , endings = 0], title, onJump) {
  const item = element('li', 'scene');
  item.style.setProperty('--endings', endings);
  const button = element('button', '', title);
  button.onclick = onJump;
  return { item, button };
}

function lockedBox() {
  const mark = element('span', 'locked', '?');
  mark.ariaHidden = true;
  return [mark, element('span', 'spoken', _('escena sin descubrir'))];
}

function endingBox({ title }, reached) {
  return reached
    ? element('span', 'ending reached', fill(_('Final: {0}'), title))
    : element('span', 'ending', _('Final sin descubrir'));
}

// `titles`: every scene's, in the story's order, then every ending's;
// `onCover(covered)` takes what the open map covers out of reach, and back.
export function createMap(layout, titles, { onJump, onClose, onCover }) {
  const region = document.getElementById('map');
  const opener = document.getElementById('open-map');
  const canvas = document.getElementById('map-canvas');
  const sceneCount = layout.scenes.length;
  const endingTitles = titles.slice(sceneCount);
  const { edges } = layout;
  let scenes = null;
  let svg = null;
  // Which scenes were seen when the links were drawn.
  let drawn = null;
  // The button marked as the scene on screen.
  let here = null;
  // Whether `here` changed since the map was last open.
  let moved = false;
  const counts = document.getElementById('map-counts');
  const frame = canvas.parentNode;
  let scale = 1;

  // How much a part of the map this wide and tall must be scaled to fit the
  // frame, a margin left for scroll bars.
  const fitting = (width, height) => Math.min((frame.clientWidth - 24) / width, (frame.clientHeight - 24) / height);

  // Scales the map by `factor`, between the scale at which it all fits the
  // frame and its own size, moving the point of the map under `from` to `to`
  // (points of the screen, by default the frame's centre).
  function zoom(factor, to, from = to) {
    const box = frame.getBoundingClientRect();
    const spot = (point) => (point ? [point.x - box.x, point.y - box.y] : [box.width / 2, box.height / 2]);
    const [[toX, toY], [fromX, fromY]] = [spot(to), spot(from)];
    const fits = fitting(layout.width, layout.height);
    const grown = Math.min(1, Math.max(scale * factor, fits)) / scale;
    const scroll = [(frame.scrollLeft + fromX) * grown - toX, (frame.scrollTop + fromY) * grown - toY];
    canvas.style.transform = `scale(${(scale *= grown)})`;
    frame.scrollTo(...scroll);
  }

  // Fingers on the frame (its touch-action leaves them all to the map): one
  // pans the map, two pan and zoom it about the point between them. A first
  // finger forgets any whose lifting went unseen.
  let touches = {};
  function fingers() {
    const [one, other = one] = Object.values(touches);
    const apart = Math.hypot(one.x - other.x, one.y - other.y) || 1;
    return { x: (one.x + other.x) / 2, y: (one.y + other.y) / 2, apart };
  }
  frame.onpointerdown = (event) => {
    if (event.isPrimary) touches = {};
    if (event.pointerType !== 'mouse') touches[event.pointerId] = event;
  };
  frame.onpointermove = (event) => {
    if (!touches[event.pointerId]) return;
    const before = fingers();
    touches[event.pointerId] = event;
    const after = fingers();
    zoom(after.apart / before.apart, after, before);
  };
  frame.onpointerup = frame.onpointercancel = (event) => delete touches[event.pointerId];
  // Ctrl with the wheel, as a touchpad's pinch comes too: the map zooms, not
  // the page. A notch of the wheel is about 100 px (browsers give pixels
  // unless asked for the mode first).
  frame.onwheel = (event) => event.ctrlKey && (event.preventDefault(), zoom(0.998 ** event.deltaY, event));

  function show(open) {
    region.classList.toggle('open', open);
    onCover(open);
    opener.ariaExpanded = open;
    region.ariaHidden = !open;
  }
  // `event`, the click's if any: on a touch screen, focus stays off the text box.
  // `scene`, if given, is played up to before the focus goes back.
  function close(event, scene) {
    show(false);
    if (scene >= 0) onJump(scene);
    onClose(event);
  }
  const closeButton = document.getElementById('close-map');
  closeButton.onclick = close;
  // The keys, and the buttons that stand for them.
  const keys = { Escape: close, '+': () => zoom(1.25), '-': () => zoom(0.8), fit: seeAll };
  region.onkeydown = region.onclick = (event) => event.ctrlKey || keys[event.key ?? event.target.dataset.key]?.();

  // "Ver todo": the boxes shown, as large as they all fit, about their
  // centre; a view of the whole map would tell the shape of what is not
  // found yet.
  function seeAll() {
    const boxes = [...canvas.querySelectorAll('li:not([hidden])')].map((item) => item.getBoundingClientRect());
    const [left, top, right, bottom] = ['left', 'top', 'right', 'bottom'].map((side, k) =>
      (k < 2 ? Math.min : Math.max)(...boxes.map((box) => box[side])),
    );
    zoom(fitting(right - left, bottom - top), null, { x: (left + right) / 2, y: (top + bottom) / 2 });
  }

  function build() {
    canvas.innerHTML = `<svg aria-hidden="true" width="${layout.width}" height="${layout.height}"></svg><ol></ol>`;
    svg = canvas.firstChild;
    // Endings are numbered in story order, which is the order of the scenes.
    let number = 0;
    scenes = layout.scenes.map((box, index) => {
      const scene = sceneItem(box, titles[index], (event) => close(event, index));
      scene.endings = Array.from({ length: box[4] ?? 0 }, () => ({ number, title: endingTitles[number++] }));
      return scene;
    });
    canvas.lastChild.append(...scenes.map((scene) => scene.item));
  }

  // Only what changed since the last open is touched: the record changes
  // seldom, and the page is not laid out again for nothing.
  function showScene(scene, box, seen, isLocked, record) {
    const reached = scene.endings.map((ending) => record.reached(ending.number));
    const state = seen ? `seen ${reached}` : isLocked ? 'locked' : 'hidden';
    if (state === scene.state) return;
    scene.state = state;
    scene.item.hidden = state === 'hidden';
    scene.item.classList.toggle('seen', seen);
    // Every locked box has one size, whatever it hides, where its scene's box stands.
    scene.rect = seen ? box : [box[0] + box[2] / 2 - 48, box[1] + box[3] / 2 - 24, 96, 48];
    const [left, top, width, height] = scene.rect.map((value) => `${value}px`);
    Object.assign(scene.item.style, { left, top, width, height });
    if (seen) scene.item.replaceChildren(scene.button, ...scene.endings.map((e, k) => endingBox(e, reached[k])));
    else scene.item.replaceChildren(...(isLocked ? lockedBox() : []));
  }

  function update(record, current) {
    const seen = scenes.map((scene, index) => record.seen(index));
    const locked = new Set(edges.filter(([from, to]) => seen[from] && !seen[to]).map((edge) => edge[1]));
    scenes.forEach((scene, index) => showScene(scene, layout.scenes[index], seen[index], locked.has(index), record));
    if (String(seen) !== drawn) {
      drawn = String(seen);
      const arrow = '<marker id="arrow" markerWidth="7" markerHeight="7" refX="7" refY="3.5" orient="auto">';
      const shown = links(edges.filter(([from]) => seen[from]), scenes);
      svg.innerHTML = `${arrow}<path d="M0,0L7,3.5L0,7z"/></marker>${shown.join('')}`;
    }
    const now = seen[current] ? scenes[current].button : null;
    if (now !== here) {
      here?.removeAttribute('aria-current');
      now?.setAttribute('aria-current', 'location');
      moved = true;
    }
    here = now;
    // Each count whole on its line; only the dot between them may break.
    const count = (words, found, all) => `<span>${fill(words, found, all)}</span>`;
    const scenesText = count(_('Escenas: {0} de {1}'), record.scenesSeen(), sceneCount);
    const text = `${scenesText} · ${count(_('Finales: {0} de {1}'), record.endingsReached(), endingTitles.length)}`;
    if (counts.innerHTML !== text) counts.innerHTML = text;
  }

  return {
    sceneCount,
    endingTitles,
    // Opens on the scene now on screen.
    open(record, current) {
      if (!scenes) build();
      update(record, current);
      show(true);
      (here ?? closeButton).focus({ preventScroll: true });
      // Centred on the scene on screen when it changed; otherwise the frame
      // stays where the player left it.
      if (moved) here?.scrollIntoView({ block: 'center', inline: 'center' });
      moved = false;
    },
    // Once built, kept up to date while closed too.
    refresh: (record, current) => scenes && update(record, current),
  };
}
