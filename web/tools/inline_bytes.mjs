// Bytes as the text of a script element, one character per byte, so that
// gzip sees the bytes themselves (base64 would hide them from it), and
// nothing but characters that HTML allows in a document and that its
// parsing leaves alone there. Byte b is the character U+00bb, but for:
//   - bytes 0 to 8, the small numbers a module is full of (NUL by far the
//     commonest), which are the digits 0 to 8, one byte of UTF-8 each;
//   - those digits' own bytes, the control characters HTML forbids (all
//     but tab, line feed and form feed, from U+0000 to U+009F), CR, which
//     parsing turns into a line feed, and "<", which could start a tag:
//     each of those bytes is U+01bb.
// But the story's text in a script other than Latin (Cyrillic, Han, kana)
// is kept whole: a run of bytes that is one UTF-8 character past U+01FF is
// that character, as few bytes in the page as in the module, where a
// character a byte would take two for each, and gzip sees the text as text.
// Reading the text back, a character past U+01FF is its UTF-8 bytes, a digit
// 0 to 8 is its number, and the low byte of any other character is the byte.
// Control characters (CR among them) but tab, line feed and form feed; "<";
// the digits 0 to 8.
const movedAside = (byte) =>
  byte < 0x20
    ? ![9, 10, 12].includes(byte)
    : (byte >= 0x7f && byte < 0xa0) || byte === 0x3c || (byte >= 0x30 && byte <= 0x38);
const characters = Array.from({ length: 256 }, (_, byte) =>
  String.fromCharCode(byte <= 8 ? 0x30 + byte : movedAside(byte) ? 0x100 + byte : byte),
);

// The character past U+01FF whose UTF-8 bytes start at `at`, if one does,
// that HTML allows (no surrogate, no noncharacter); else none.
function characterAt(bytes, at) {
  const lead = bytes[at];
  const size = lead >= 0xc8 && lead < 0xe0 ? 2 : lead >= 0xe0 && lead < 0xf0 ? 3 : lead >= 0xf0 && lead < 0xf5 ? 4 : 0;
  if (size === 0 || at + size > bytes.length) return null;
  let code = lead & (0x7f >> size);
  for (let k = 1; k < size; ++k) {
    if ((bytes[at + k] & 0xc0) !== 0x80) return null;
    code = (code << 6) | (bytes[at + k] & 0x3f);
  }
  const smallest = [0, 0, 0x200, 0x800, 0x10000][size];
  const forbidden = (code >= 0xd800 && code <= 0xdfff) || (code >= 0xfdd0 && code <= 0xfdef) || (code & 0xfffe) === 0xfffe;
  return code >= smallest && code <= 0x10ffff && !forbidden ? { character: String.fromCodePoint(code), size } : null;
}

export function inlineBytes(bytes) {
  let text = '';
  for (let at = 0; at < bytes.length; ) {
    const kept = characterAt(bytes, at);
    text += kept ? kept.character : characters[bytes[at]];
    at += kept ? kept.size : 1;
  }
  return text;
}
