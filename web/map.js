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
// key beside its start; the layout is the page's own, built with it.
function drawing({ width, height, scenes, edges }) {
  const links = edges.map(([from, to, key, ...bends]) => {
    const points = [];
    for (let i = 0; i < bends.length; i += 2) points.push(bends.slice(i, i + 2));
    const start = border(scenes[from], points[0] ?? centre(scenes[to]));
    const end = border(scenes[to], points.at(-1) ?? centre(scenes[from]));
    const [x, y] = start.map(Math.round);
    return `<g class="${key ? '' : 'link'}"><path d="M${[start, ...points, end].join('L')}"/><text x="${x + 5}" y="${y + 16}">${key}</text></g>`;
  });
  return (
    `<svg aria-hidden="true" width="${width}" height="${height}"><marker id="arrow" viewBox="0 0 10 10" ` +
    `refX="10" refY="5" markerWidth="7" markerHeight="7" orient="auto"><path d="M0 0L10 5L0 10z"/></marker>` +
    `${links.join('')}</svg><ol></ol>`
  );
}

// One list item per scene: its button, its locked box, and a line for each
// of its endings; which of them show is decided when the map opens.
function sceneItem([x, y, width, height], title, endings, onJump) {
  const item = element('li', 'scene');
  Object.assign(item.style, { left: `${x}px`, top: `${y}px`, width: `${width}px`, height: `${height}px` });
  const button = element('button', '', title);
  button.type = 'button';
  button.onclick = onJump;
  const locked = element('span', 'locked', '?');
  locked.setAttribute('aria-hidden', 'true');
  const unread = element('span', 'spoken', 'escena sin descubrir');
  for (const ending of endings) ending.line = element('span', 'ending');
  item.append(button, locked, unread, ...endings.map((ending) => ending.line));
  return { item, button, locked: [locked, unread], endings };
}

// `titles`: every scene's, in the story's order, then every ending's.
export function createMap(layout, titles, onJump) {
  const dialog = document.getElementById('map');
  const canvas = document.getElementById('map-canvas');
  const sceneCount = layout.scenes.length;
  const endingTitles = titles.slice(sceneCount);
  let scenes = null;
  let edges = null;
  document.getElementById('close-map').onclick = () => dialog.close();

  function build() {
    canvas.innerHTML = drawing(layout);
    Object.assign(canvas.style, { width: `${layout.width}px`, height: `${layout.height}px` });
    const groups = canvas.querySelectorAll('g');
    edges = layout.edges.map(([from, to], k) => ({ from, to, group: groups[k] }));
    // Endings are numbered in story order, which is the order of the scenes.
    let number = 0;
    scenes = layout.scenes.map((box, index) => {
      const endings = Array.from({ length: box[4] ?? 0 }, () => ({ number, title: endingTitles[number++] }));
      return sceneItem(box, titles[index], endings, () => {
        dialog.close();
        onJump(index);
      });
    });
    canvas.lastChild.append(...scenes.map((scene) => scene.item));
  }

  function update(record, current) {
    const locked = new Set(edges.filter((e) => record.seen(e.from) && !record.seen(e.to)).map((e) => e.to));
    scenes.forEach((scene, index) => {
      const seen = record.seen(index);
      scene.item.hidden = !seen && !locked.has(index);
      scene.button.hidden = !seen;
      for (const part of scene.locked) part.hidden = seen;
      if (index === current) scene.button.setAttribute('aria-current', 'location');
      else scene.button.removeAttribute('aria-current');
      for (const ending of scene.endings) {
        const reached = record.reached(ending.number);
        ending.line.hidden = !seen;
        ending.line.className = reached ? 'ending reached' : 'ending';
        ending.line.textContent = reached ? `Final: ${ending.title}` : 'Final sin descubrir';
      }
    });
    for (const edge of edges) edge.group.classList.toggle('off', !record.seen(edge.from));
    document.getElementById('map-counts').textContent =
      `Escenas: ${record.scenesSeen()} de ${sceneCount} · ` +
      `Finales: ${record.endingsReached()} de ${endingTitles.length}`;
  }

  return {
    sceneCount,
    endingTitles,
    // Opens on the scene now on screen.
    open(record, current) {
      if (!scenes) build();
      update(record, current);
      dialog.showModal();
      const here = scenes[current]?.button;
      if (here && !here.hidden) {
        here.focus({ preventScroll: true });
        here.scrollIntoView({ block: 'center', inline: 'center' });
      }
    },
    refresh: update,
  };
}
