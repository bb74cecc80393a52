// The player's map: the scenes seen and the endings reached, laid out as the
// story map lays them out (the page is built with the layout). A screen
// reader meets it as a list in the story's order over a drawing of the links
// that it does not read. Each seen scene is a button that plays the game
// again up to it; where an option of a seen scene leads to a scene not yet
// seen, a locked box stands, and nothing beyond it. The map is built once,
// when it first opens, and then only updated.

const svgSpace = 'http://www.w3.org/2000/svg';

function svgElement(name, attributes) {
  const element = document.createElementNS(svgSpace, name);
  for (const [attribute, value] of Object.entries(attributes)) element.setAttribute(attribute, value);
  return element;
}

function element(name, className, text = '') {
  const made = document.createElement(name);
  made.className = className;
  made.textContent = text;
  return made;
}

function drawEdges(layout) {
  const svg = svgElement('svg', { 'aria-hidden': 'true', width: layout.width, height: layout.height });
  const marker = svgElement('marker', {
    id: 'arrow',
    viewBox: '0 0 10 10',
    refX: 0,
    refY: 5,
    markerWidth: 7,
    markerHeight: 7,
    orient: 'auto',
  });
  marker.append(svgElement('path', { d: 'M0 0L10 5L0 10z' }));
  const defs = svgElement('defs', {});
  defs.append(marker);
  svg.append(defs);
  const edges = layout.edges.map(([from, to, key, path]) => {
    const group = svgElement('g', { class: key ? 'edge' : 'edge link' });
    group.append(svgElement('path', { d: path, 'marker-end': 'url(#arrow)' }));
    if (key) {
      // The option's key, beside the start of its edge.
      const [, x, y] = path.match(/M(\d+) (\d+)/);
      const label = svgElement('text', { x: Number(x) + 5, y: Number(y) + 16 });
      label.textContent = key;
      group.append(label);
    }
    svg.append(group);
    return { from, to, group };
  });
  return { svg, edges };
}

// One list item per scene: its button, its locked box, and a line for each
// of its endings; which of them show is decided when the map opens.
function sceneItem([x, y, width, height], title, sceneEndings, onJump) {
  const item = element('li', 'scene');
  Object.assign(item.style, { left: `${x}px`, top: `${y}px`, width: `${width}px`, height: `${height}px` });
  const button = element('button', 'seen', title);
  button.type = 'button';
  button.addEventListener('click', onJump);
  const locked = element('span', 'locked');
  const mark = element('span', '', '?');
  mark.setAttribute('aria-hidden', 'true');
  locked.append(mark, element('span', 'spoken', 'escena sin descubrir'));
  const endings = sceneEndings.map((ending) => ({ ...ending, line: element('span', 'ending') }));
  item.append(button, locked, ...endings.map((ending) => ending.line));
  return { item, button, locked, endings };
}

// `titles`: every scene's, in the story's order, then every ending's.
export function createMap(layout, titles, onJump) {
  const dialog = document.getElementById('map');
  const counts = document.getElementById('map-counts');
  const canvas = document.getElementById('map-canvas');
  const sceneCount = layout.scenes.length;
  const endingTitles = titles.slice(sceneCount);
  const endingCount = endingTitles.length;
  let scenes = null;
  let edges = null;
  document.getElementById('close-map').addEventListener('click', () => dialog.close());

  function build() {
    const drawing = drawEdges(layout);
    edges = drawing.edges;
    // Endings are numbered in story order, which is the order of the scenes.
    let number = 0;
    scenes = layout.scenes.map((box, index) => {
      const endings = Array.from({ length: box[4] ?? 0 }, () => ({ number, title: endingTitles[number++] }));
      return sceneItem(box, titles[index], endings, () => jump(index));
    });
    const list = document.createElement('ol');
    list.append(...scenes.map((scene) => scene.item));
    Object.assign(canvas.style, { width: `${layout.width}px`, height: `${layout.height}px` });
    canvas.append(drawing.svg, list);
  }

  function jump(index) {
    dialog.close();
    onJump(index);
  }

  function update(record, current) {
    const locked = new Set(edges.filter((e) => record.seen(e.from) && !record.seen(e.to)).map((e) => e.to));
    scenes.forEach((scene, index) => {
      const seen = record.seen(index);
      scene.item.hidden = !seen && !locked.has(index);
      scene.button.hidden = !seen;
      scene.locked.hidden = seen;
      if (index === current) scene.button.setAttribute('aria-current', 'location');
      else scene.button.removeAttribute('aria-current');
      for (const ending of scene.endings) {
        ending.line.hidden = !seen;
        const reached = record.reached(ending.number);
        ending.line.classList.toggle('reached', reached);
        ending.line.textContent = reached ? `Final: ${ending.title}` : 'Final sin descubrir';
      }
    });
    for (const edge of edges) edge.group.classList.toggle('off', !record.seen(edge.from));
    counts.textContent =
      `Escenas: ${record.scenesSeen()} de ${sceneCount} · ` +
      `Finales: ${record.endingsReached()} de ${endingCount}`;
  }

  return {
    sceneCount,
    endingCount,
    endingTitle: (number) => endingTitles[number],
    // Opens on the scene now on screen.
    open(record, current) {
      if (scenes === null) build();
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
