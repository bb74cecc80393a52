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
// Reading the text back, a digit 0 to 8 is its number, and the low byte of
// any other character is the byte.
// Control characters (CR among them) but tab, line feed and form feed; "<";
// the digits 0 to 8.
const movedAside = (byte) =>
  byte < 0x20
    ? ![9, 10, 12].includes(byte)
    : (byte >= 0x7f && byte < 0xa0) || byte === 0x3c || (byte >= 0x30 && byte <= 0x38);
const characters = Array.from({ length: 256 }, (_, byte) =>
  String.fromCharCode(byte <= 8 ? 0x30 + byte : movedAside(byte) ? 0x100 + byte : byte),
);

export const inlineBytes = (bytes) => Array.from(bytes, (byte) => characters[byte]).join('');
