#!/usr/bin/env node
// Checks on the friends' page that no browser run would notice until it bites:
// the page must keep working under "default-src 'self'" (no inline script,
// style or handler, nothing from outside), must never turn the table's text
// into markup, and every element the script looks up must exist in the page
// (a missing one throws on the first redraw and freezes the page).
//
//   node tests/web/page-check.mjs [resources/web]
import { readFileSync } from 'node:fs';
import { join } from 'node:path';

const dir = process.argv[2] || new URL('../../resources/web/', import.meta.url).pathname;
const html = readFileSync(join(dir, 'index.html'), 'utf8');
const js = readFileSync(join(dir, 'table.js'), 'utf8');
const css = readFileSync(join(dir, 'table.css'), 'utf8');
const faults = [];
const check = (ok, what) => { if (!ok) faults.push(what); };

// Under the page's Content-Security-Policy these would be blocked.
check(!/<script(?![^>]*\bsrc=)[^>]*>/i.test(html), 'index.html: inline <script>');
check(!/<style/i.test(html), 'index.html: inline <style>');
check(!/\sstyle=/i.test(html), 'index.html: style attribute');
check(!/\son[a-z]+=/i.test(html), 'index.html: inline event handler attribute');
check(!/javascript:/i.test(html), 'index.html: javascript: URL');

// Nothing is fetched from outside the host's table.
for (const [file, text] of [['index.html', html], ['table.css', css], ['table.js', js]]) {
  check(!/(https?:)?\/\/[a-z0-9.-]+\.[a-z]{2,}\//i.test(text.replace(/\/\/ .*$/gm, '')), `${file}: an outside address`);
  check(!/@import/i.test(text), `${file}: @import`);
}

// Text from the network goes into textContent only; no code is built from strings.
for (const banned of ['innerHTML', 'outerHTML', 'insertAdjacentHTML', 'document.write', 'eval(', 'new Function', 'setAttribute(\'on', 'setAttribute("on']) {
  check(!js.includes(banned), `table.js: ${banned}`);
}
check(!/set(Timeout|Interval)\(\s*['"`]/.test(js), 'table.js: timer with a string of code');

// Every id the script asks for is in the page.
const ids = new Set([...html.matchAll(/\sid="([^"]+)"/g)].map((m) => m[1]));
for (const [, id] of js.matchAll(/\$\('([^'$]+)'\)/g)) check(ids.has(id), `table.js looks up #${id}, which index.html lacks`);
for (const [, id] of js.matchAll(/\$\(`([a-zA-Z]+)\$\{/g)) {
  for (const n of [0, 1]) check(ids.has(`${id}${n}`), `table.js looks up #${id}${n}, which index.html lacks`);
}

if (faults.length) {
  for (const fault of faults) console.error('FAIL', fault);
  process.exit(1);
}
console.log(`page-check: ok (${ids.size} elements)`);
