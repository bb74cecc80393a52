// The files a player takes away and brings back: the game, which is the
// console's very input (its answers, one a line), the record's ways, the
// transcript.

// In a frame, a portal's sandbox may refuse a download without a word to
// anyone: there the player gets the file's text to copy as well, selected.
import { _ } from './words.js';

// Every page's record key: the story's own language's, and each translation's
// from its tag (see main.js).
export const isRecordKey = (key) => key === 'tramontalia-mapa' || /^tramontalia-[a-z]{2,3}(-[A-Z]{2})?-map$/.test(key);

const copyDialog = document.getElementById('copy-file');
const [copyName, copyArea] = copyDialog.querySelectorAll('b, textarea');

// Offers `text` for download as `name`-AAAAMMDD-HHMM.`extension`.
export function download(text, name, extension = 'txt') {
  // The local time, in ISO form: AAAA-MM-DDTHH:MM.
  const now = new Date();
  const local = new Date(now - now.getTimezoneOffset() * 6e4).toISOString().slice(0, 16);
  const link = document.createElement('a');
  link.href = URL.createObjectURL(new Blob([text], { type: 'text/plain;charset=utf-8' }));
  link.download = `${name}-${local.replace(/[-:]/g, '').replace('T', '-')}.${extension}`;
  link.click();
  setTimeout(() => URL.revokeObjectURL(link.href), 0);
  if (top === self) return;
  copyName.textContent = link.download;
  copyArea.value = text;
  copyDialog.showModal();
  copyArea.select();
}

// What a file holds: { answers } of a game or { ways } of a record (the
// value of `mapName`), with `saver`, the record's key if it is another
// page's; if neither, it throws why, a line to show. A byte order mark, CR
// LF line ends and no final line feed are what editors and other systems
// make of a game.
export async function readFile(file, mapName) {
  if (file.size > 1 << 20) throw _('No se carga: pasa de 1 MB.');
  let text;
  try {
    text = new TextDecoder('utf-8', { fatal: true }).decode(await file.arrayBuffer());
  } catch {
    throw _('No se carga: no está en UTF-8.');
  }
  if (/[\0-\b\v\f\x0e-\x1f]/.test(text)) throw _('No se carga: no es texto.');
  // A record's file is one JSON object, which no file of answers is, under
  // the key of the page that saved it.
  try {
    const [key, ways] = Object.entries(JSON.parse(text)).find(([key]) => key === mapName || isRecordKey(key)) ?? [];
    if (ways) return key === mapName ? { ways } : { saver: key };
  } catch {
    // Not one: answers.
  }
  text = text.replace(/\r\n/g, '\n');
  if (text.includes('\r')) throw _('No se carga: una respuesta lleva un retorno de carro.');
  return { answers: text === '' ? [] : text.replace(/\n$/, '').split('\n') };
}
