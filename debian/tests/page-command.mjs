// Writes the Node command that plays the module inlined in a built page, as
// the page's build writes it beside the page: the page keeps each byte of the
// module as the low byte of one character.
// Usage: node page-command.mjs PAGE.html web_command.mjs > command.mjs
import { readFileSync } from 'node:fs';

const [pagePath, templatePath] = process.argv.slice(2);
const page = readFileSync(pagePath, 'utf8');
const inlined = page.match(/<script type="application\/octet-stream" id="module"[^>]*>([^]*?)<\/script>/);
if (!inlined) throw new Error(`no module in ${pagePath}`);
const module = Buffer.from(Array.from(inlined[1], (c) => c.charCodeAt(0) & 0xff));
process.stdout.write(readFileSync(templatePath, 'utf8').replace('{{module}}', module.toString('base64')));
