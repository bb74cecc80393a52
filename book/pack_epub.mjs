// Packs a book's files into an EPUB, the same bytes from the same files:
// mimetype first and stored, as readers look for it; then the container,
// the package document and its manifest's items in their order (so that a
// file left over from an earlier build is never packed); every entry dated
// the release's day, with no extra field and no attribute of this machine.
// Usage: node book/pack_epub.mjs BOOK_DIR OUTPUT.epub YYYY-MM-DD
import { readFileSync, writeFileSync } from 'node:fs';
import { dirname, join } from 'node:path/posix';
import { deflateRawSync } from 'node:zlib';

const [dir, output, date] = process.argv.slice(2);
const [year, month, day] = date.split('-').map(Number);
const dosDate = ((year - 1980) << 9) | (month << 5) | day;

const crcTable = Array.from({ length: 256 }, (_, n) => {
  for (let k = 0; k < 8; ++k) n = n & 1 ? 0xedb88320 ^ (n >>> 1) : n >>> 1;
  return n >>> 0;
});
const crc32 = (bytes) => (bytes.reduce((c, b) => crcTable[(c ^ b) & 0xff] ^ (c >>> 8), 0xffffffff) ^ 0xffffffff) >>> 0;

const packageDoc = /full-path="([^"]+)"/.exec(readFileSync(join(dir, 'META-INF/container.xml'), 'utf8'))[1];
const items = [...readFileSync(join(dir, packageDoc), 'utf8').matchAll(/<item [^>]*href="([^"]+)"/g)];
const names = ['mimetype', 'META-INF/container.xml', packageDoc, ...items.map((m) => join(dirname(packageDoc), m[1]))];

const locals = [];
const centrals = [];
let offset = 0;
for (const name of names) {
  const data = readFileSync(join(dir, name));
  const stored = name === 'mimetype';
  const body = stored ? data : deflateRawSync(data, { level: 9 });
  const fields = Buffer.alloc(26);
  fields.writeUInt16LE(20, 0); // version needed: 2.0; no flags
  fields.writeUInt16LE(stored ? 0 : 8, 4);
  fields.writeUInt16LE(0, 6); // midnight
  fields.writeUInt16LE(dosDate, 8);
  fields.writeUInt32LE(crc32(data), 10);
  fields.writeUInt32LE(body.length, 14);
  fields.writeUInt32LE(data.length, 18);
  fields.writeUInt16LE(Buffer.byteLength(name), 22);
  const nameBytes = Buffer.from(name);
  const local = Buffer.concat([u32(0x04034b50), fields, nameBytes, body]);
  // The central record: made by version 2.0 on MS-DOS, so that no Unix
  // mode is stored; no comment, disk 0, no attributes.
  centrals.push(Buffer.concat([u32(0x02014b50), u16(20), fields, Buffer.alloc(10), u32(offset), nameBytes]));
  locals.push(local);
  offset += local.length;
}
const central = Buffer.concat(centrals);
const end = Buffer.concat([u32(0x06054b50), u32(0), u16(names.length), u16(names.length), u32(central.length),
  u32(offset), u16(0)]);
writeFileSync(output, Buffer.concat([...locals, central, end]));

function u16(n) {
  const b = Buffer.alloc(2);
  b.writeUInt16LE(n);
  return b;
}
function u32(n) {
  const b = Buffer.alloc(4);
  b.writeUInt32LE(n);
  return b;
}
