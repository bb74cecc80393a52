// A static host for the site tests and the bench, started in-process, on loopback. `localhost`
// is a secure origin to browsers, so a service worker and a manifest work
// there as on HTTPS; `127.0.0.1` is another origin, for a portal's frame.
// Files are read at each request: a new build copied into `dir` is what the
// next request gets, though, as static hosts commonly do, browsers are told
// to keep each file ten minutes: a new build is seen only past that cache.
// close() takes the network away, alike in every engine.
import { readFile } from 'node:fs/promises';
import { createServer } from 'node:http';
import { extname, join } from 'node:path';

const types = {
  '.html': 'text/html; charset=utf-8',
  '.js': 'text/javascript',
  '.webmanifest': 'application/manifest+json',
  '.json': 'application/json',
  '.png': 'image/png',
  '.svg': 'image/svg+xml',
};

// `pages` maps a path to an HTML text served in place of a file; `headers`
// are sent with every answer besides the type and the cache's.
export async function serve({ dir, pages = {}, host = 'localhost', headers = {} }) {
  const server = createServer(async (request, response) => {
    const path = new URL(request.url, 'http://host').pathname;
    const name = path.endsWith('/') ? `${path}index.html` : path;
    try {
      const body = pages[path] ?? (await readFile(join(dir, name.replace(/\.\.+/g, ''))));
      const type = path in pages ? types['.html'] : types[extname(name)];
      const kept = { 'cache-control': 'max-age=600', ...headers };
      response.writeHead(200, { 'content-type': type ?? 'application/octet-stream', ...kept });
      response.end(body);
    } catch {
      response.writeHead(404).end();
    }
  });
  // Unreferenced: a failed check must not keep the suite waiting on it.
  await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve).unref());
  const url = `http://${host}:${server.address().port}/`;
  return { url, close: () => new Promise((resolve) => server.closeAllConnections() ?? server.close(resolve)) };
}
