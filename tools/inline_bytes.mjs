// Bytes as the text of a script element, one character per byte, so that
// gzip sees the bytes themselves (base64 would hide them from it): byte b
// becomes the character U+00bb, except the bytes that HTML parsing alters
// there. CR and "<" become U+01bb. NUL, the commonest byte of a module by
// far, becomes U+001E, a byte that a module seldom holds, whose own byte is
// then U+011E: one character rather than two in the page's UTF-8, about 340
// bytes less once gzipped. Reading the text back, U+001E is NUL, and the low
// byte of any other character is the byte.
export const inlineBytes = (bytes) =>
  Buffer.from(bytes)
    .toString('latin1')
    .replace(/[\x1e\r<]/g, (c) => String.fromCharCode(0x100 + c.charCodeAt(0)))
    .replace(/\0/g, '\x1e');
