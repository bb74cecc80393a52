// The player's map: the scenes seen and the endings reached, laid out as the
// story map lays them out (the page is built with the layout). A screen
// reader meets it as a list in the story's order over a drawing of the links
// that it does not read. Each seen scene is a button that plays the game
// again up to it; where an option of a seen scene leads to a scene not yet
// seen, a locked box stands, and nothing beyond it. The map is built once,
// when it first opens, and then only updated.

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

// The links from box to box through their bends, each with its option's
// key beside its start and an arrowhead at its end, 7 px long.
function links({ scenes, edges }) {
  return edges.map(([from, to, key, ...bends]) => {
    const points = [];
    for (let i = 0; i < bends.length; i += 2) points.push(bends.slice(i, i + 2));
    const [x, y] = border(scenes[from], points[0] ?? centre(scenes[to])).map(Math.round);
    const end = border(scenes[to], points.at(-1) ?? centre(scenes[from])).map(Math.round);
    const [bx, by] = points.at(-1) ?? [x, y];
    const scale = 7 / Math.hypot(end[0] - bx, end[1] - by);
    const [dx, dy] = [(end[0] - bx) * scale, (end[1] - by) * scale];
    const side = (sign) => [end[0] - dx - (sign * dy) / 2, end[1] - dy + (sign * dx) / 2].map(Math.round);
    return {
      from,
      to,
      key: key && `<tspan x="${x + 5}" y="${y + 16}">${key}</tspan>`,
      line: `M${[[x, y], ...points, end].join('L')}`,
      head: `M${end}L${side(1)}L${side(-1)}z`,
    };
  });
}

// The links shown, with as few elements as can be: the options' lines, the
// other links' lines, the arrowheads, the keys.
function drawing(shown) {
  const all = (part, list = shown) => list.map((link) => link[part]).join('');
  const [options, others] = [shown.filter((link) => link.key), shown.filter((link) => !link.key)];
  return `<path class="line" d="${all('line', options)}"/><path class="line link" d="${all('line', others)}"/><path d="${all('head')}"/><text>${all('key')}</text>`;
}

// One list item per scene, holding what its state shows: nothing (hidden),
// a locked box, or its button and a line for each of its endings.
function sceneItem([x, y, width, height, endings = 0], title, onJump) {
  const item = element('li', 'scene');
  Object.assign(item.style, { left: `${x}px`, top: `${y}px`, width: `${width}px`, height: `${height}px` });
  item.style.setProperty('--endings', endings);
  const button = element('button', '', title);
  button.type = 'button';
  button.onclick = onJump;
  return { item, button };
}

function lockedBox() {
  const mark = element('span', 'locked', '?');
  mark.setAttribute('aria-hidden', 'true');
  return [mark, element('span', 'spoken', 'escena sin descubrir')];
}

function endingBox({ title }, reached) {
  return reached ? element('span', 'ending reached', `Final: ${title}`) : element('span', 'ending', 'Final sin descubrir');
}

// `titles`: every scene's, in the story's order, then every ending's;
// `onCover(covered)` takes what the open map covers out of reach, and back.
export function createMap(layout, titles, { onJump, onClose, onCover }) {
  const region = document.getElementById('map');
  const opener = document.getElementById('open-map');
  const canvas = document.getElementById('map-canvas');
  const sceneCount = layout.scenes.length;
  const endingTitles = titles.slice(sceneCount);
  const edges = links(layout);
  let scenes = null;
  let svg = null;
  // Which scenes were seen when the links were drawn.
  let drawn = null;
  // The button marked as the scene on screen.
  let here = null;
  // Whether `here` changed since the map was last open.
  let moved = false;
  const counts = document.getElementById('map-counts');

  function show(open) {
    region.classList.toggle('open', open);
    onCover(open);
    opener.setAttribute('aria-expanded', open);
    region.setAttribute('aria-hidden', !open);
  }
  function close() {
    show(false);
    onClose();
  }
  const closeButton = document.getElementById('close-map');
  closeButton.onclick = close;
  region.addEventListener('keydown', (event) => event.key === 'Escape' && close());

  function build() {
    canvas.innerHTML = `<svg aria-hidden="true" width="${layout.width}" height="${layout.height}"></svg><ol></ol>`;
    Object.assign(canvas.style, { width: `${layout.width}px`, height: `${layout.height}px` });
    svg = canvas.firstChild;
    // Endings are numbered in story order, which is the order of the scenes.
    let number = 0;
    scenes = layout.scenes.map((box, index) => {
      const scene = sceneItem(box, titles[index], () => {
        show(false);
        onJump(index);
        onClose();
      });
      scene.endings = Array.from({ length: box[4] ?? 0 }, () => ({ number, title: endingTitles[number++] }));
      return scene;
    });
    canvas.lastChild.append(...scenes.map((scene) => scene.item));
  }

  // Only what changed since the last open is touched: the record changes
  // seldom, and the page is not laid out again for nothing.
  function showScene(scene, seen, isLocked, record) {
    const reached = scene.endings.map((ending) => record.reached(ending.number));
    const state = seen ? `seen ${reached}` : isLocked ? 'locked' : 'hidden';
    if (state === scene.state) return;
    scene.state = state;
    scene.item.hidden = state === 'hidden';
    scene.item.classList.toggle('seen', seen);
    if (seen) scene.item.replaceChildren(scene.button, ...scene.endings.map((e, k) => endingBox(e, reached[k])));
    else scene.item.replaceChildren(...(isLocked ? lockedBox() : []));
  }

  function update(record, current) {
    const seen = scenes.map((scene, index) => record.seen(index));
    const locked = new Set(edges.filter((e) => seen[e.from] && !seen[e.to]).map((e) => e.to));
    scenes.forEach((scene, index) => showScene(scene, seen[index], locked.has(index), record));
    if (String(seen) !== drawn) {
      drawn = String(seen);
      svg.innerHTML = drawing(edges.filter((e) => seen[e.from]));
    }
    const now = seen[current] ? scenes[current].button : null;
    if (now !== here) {
      here?.removeAttribute('aria-current');
      now?.setAttribute('aria-current', 'location');
      moved = true;
    }
    here = now;
    const scenesText = `Escenas: ${record.scenesSeen()} de ${sceneCount}`;
    const text = `${scenesText} · Finales: ${record.endingsReached()} de ${endingTitles.length}`;
    if (counts.textContent !== text) counts.textContent = text;
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
