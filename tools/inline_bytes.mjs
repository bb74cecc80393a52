// Bytes as the text of a script element, one character per byte, so that
// gzip sees the bytes themselves (base64 would hide them from it): byte b
// becomes the character U+00bb, except the three bytes that HTML parsing
// alters there (NUL, CR and "<"), which become U+01bb. Reading the text
// back, the low byte of each character is the byte.
export const inlineBytes = (bytes) =>
  Buffer.from(bytes)
    .toString('latin1')
    .replace(/[\0\r<]/g, (c) => String.fromCharCode(0x100 + c.charCodeAt(0)));
