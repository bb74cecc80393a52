// The site's service worker: the site's files kept in a cache, so that the
// page opens and plays with the network gone. Each answer comes from the
// cache at once and is fetched again behind it; a new build's worker
// differs (its cache is named from a hash of the files), so the browser
// installs it at the next visit, and the visit after shows the new build.
// The player's game and record live in localStorage, which no worker
// touches. SITE, the site's files and a hash of them, is defined by the
// build (esbuild's --define), which minifies the worker.
/* global SITE */

// Per scope: two copies of the game, or other games, may share an origin.
const cacheName = `tramontalia ${registration.scope} ${SITE.hash}`;
const isOurs = (name) => name.startsWith(`tramontalia ${registration.scope} `);

// Past the HTTP cache, which a host may have told to keep the old build.
const fetchAnew = (url) => fetch(url, { cache: 'no-cache' });
// A host may answer index.html with a redirect to its folder, and a
// navigation refuses a redirected answer: only the body and headers are kept.
const keep = (cache, key, response) =>
  cache.put(key, response.redirected ? new Response(response.body, response) : response);

self.addEventListener('install', (event) => {
  const fill = async (cache, file) => {
    const response = await fetchAnew(file);
    if (!response.ok) throw new Error(`${file}: ${response.status}`);
    await keep(cache, file, response);
  };
  const filled = caches.open(cacheName).then((cache) => Promise.all(SITE.files.map((file) => fill(cache, file))));
  event.waitUntil(filled.then(() => self.skipWaiting()));
});

self.addEventListener('activate', (event) => {
  const old = caches.keys().then((names) => names.filter((name) => isOurs(name) && name !== cacheName));
  const deleted = old.then((names) => Promise.all(names.map((name) => caches.delete(name))));
  event.waitUntil(deleted.then(() => self.clients.claim()));
});

// A navigation to a page of the site, whatever its query, is that page; to
// the site itself, its first page.
function keyOf(request) {
  if (request.mode !== 'navigate') return request.url;
  const url = new URL(request.url);
  const page = url.origin + url.pathname;
  return page === registration.scope ? `${registration.scope}index.html` : page;
}

self.addEventListener('fetch', (event) => {
  if (event.request.method !== 'GET') return;
  const key = keyOf(event.request);
  const answer = caches.open(cacheName).then(async (cache) => {
    const kept = await cache.match(key);
    if (!kept) return fetch(event.request);
    const refreshed = fetchAnew(key).then((response) => response.ok && keep(cache, key, response));
    event.waitUntil(refreshed.catch(() => {}));
    return kept;
  });
  event.respondWith(answer);
});
