// The files a player takes away and brings back: the game, which is the
// console's very input (its answers, one a line), the record's ways, the
// transcript.

// Offers `text` for download as `name`-AAAAMMDD-HHMM.`extension`.
export function download(text, name, extension = 'txt') {
  const now = new Date();
  const two = (n) => String(n).padStart(2, '0');
  const day = `${now.getFullYear()}${two(now.getMonth() + 1)}${two(now.getDate())}`;
  const link = document.createElement('a');
  link.href = URL.createObjectURL(new Blob([text], { type: 'text/plain;charset=utf-8' }));
  link.download = `${name}-${day}-${two(now.getHours())}${two(now.getMinutes())}.${extension}`;
  link.click();
  setTimeout(() => URL.revokeObjectURL(link.href), 0);
}

// A record's file is one JSON object under this name, which no game the
// page or the console saves is: a game file is lines of answers.
const mapName = 'tramontalia-mapa';
export const mapFile = (ways) => JSON.stringify({ [mapName]: ways });

function mapIn(text) {
  try {
    const ways = JSON.parse(text)[mapName];
    return Array.isArray(ways) && { ways };
  } catch {
    return false;
  }
}

// What a file holds: { answers } of a game, { ways } of a record, or
// { refused } saying why it is neither. A byte order mark, CR LF line ends
// and no final line feed are what editors and other systems make of a game.
export async function readFile(file) {
  if (file.size > 1 << 20) return { refused: 'el archivo pasa de 1 MB' };
  const bytes = new Uint8Array(await file.arrayBuffer());
  if (bytes.some((byte) => byte < 32 && byte !== 9 && byte !== 10 && byte !== 13)) {
    return { refused: 'no es un archivo de texto' };
  }
  let text;
  try {
    text = new TextDecoder('utf-8', { fatal: true }).decode(bytes);
  } catch {
    return { refused: 'el texto no está en UTF-8' };
  }
  const map = text.startsWith('{') && mapIn(text);
  if (map) return map;
  text = text.replace(/\r\n/g, '\n');
  if (text.includes('\r')) return { refused: 'una respuesta lleva un retorno de carro' };
  return { answers: text === '' ? [] : text.replace(/\n$/, '').split('\n') };
}
