// Writes the site's page from its template: the page's style and its two small
// scripts written into it, the start-up window as the program draws it (a
// declarative shadow root with the windows' style and the window's rules), the
// cuts of the faces that the start-up window draws in at its first paint, and
// the Content-Security-Policy allowing exactly these inline elements by their
// SHA-256 hashes.
//
//   node make_page.mjs TEMPLATE PAGE_CSS WINDOW_CSS START_WINDOW_JSON HEAD_JS COLUMN_JS
//     BODY_JS OUT [FACE|WOFF2|TEXT...]
//
// The body's script is COLUMN_JS, the small page's column that the program
// lays out with the same code, followed by BODY_JS.
//
// Each FACE|WOFF2|TEXT is a face's cut for the first paint and the characters
// it was cut to; a face with no characters is left out. The page gives each
// cut to the browser as the family "orvanel-FACE-first", from its bytes, so
// that the policy's font-src needs nothing but the site.
import { createHash } from 'node:crypto';
import { readFileSync, writeFileSync } from 'node:fs';

const [template, pageCss, windowCss, startWindow, headJs, columnJs, bodyJs, out, ...firstFaces] =
  process.argv.slice(2);
if (!out) {
  console.error('usage: node make_page.mjs TEMPLATE PAGE_CSS WINDOW_CSS START_WINDOW_JSON HEAD_JS COLUMN_JS BODY_JS OUT');
  process.exit(2);
}
const read = (file) => readFileSync(file, 'utf8').trim();
const hash = (text) => `'sha256-${createHash('sha256').update(text, 'utf8').digest('base64')}'`;
const attribute = (text) => text.replace(/&/g, '&amp;').replace(/"/g, '&quot;');
const inline = (tag, text) => {
  if (text.includes(`</${tag}`)) throw new Error(`an inline ${tag} may not hold </${tag}`);
  return `<${tag}>${text}</${tag}>`;
};

const start = JSON.parse(read(startWindow));
const styles = [`${read(pageCss)}\n${start.pageRules}`, `${read(windowCss)}\n${start.rules}`];
const faces = firstFaces
  .map((face) => face.split('|'))
  .filter(([, , text]) => read(text) !== '')
  .map(([name, woff2]) => [`orvanel-${name}-first`, readFileSync(woff2).toString('base64')]);
// Added before the body is parsed, so that the first paint draws in them.
const faceScript = `(function (faces) {
  faces.forEach(function (face) {
    var text = atob(face[1]);
    var bytes = new Uint8Array(text.length);
    for (var i = 0; i < text.length; ++i) bytes[i] = text.charCodeAt(i);
    var cut = new FontFace(face[0], bytes);
    document.fonts.add(cut);
    cut.loaded.catch(function () {});
  });
})(${JSON.stringify(faces)});`;
const scripts = [`${read(headJs)}\n${faceScript}`, `${read(columnJs)}\n${read(bodyJs)}`];
const parts = {
  'script-hashes': scripts.map(hash).join(' '),
  'style-hashes': styles.map(hash).join(' '),
  'page-style': inline('style', styles[0]),
  'head-script': inline('script', scripts[0]),
  'start-window':
    // Active, as the focus starts in it.
    `<div class="window" id="${attribute(start.name)}" data-prerendered data-active` +
    ` data-signature="${attribute(start.signature)}" data-focus="${attribute(start.focus)}">` +
    `<template shadowrootmode="open">${inline('style', styles[1])}${start.markup}</template></div>`,
  'body-script': inline('script', scripts[1]),
};
const page = read(template).replace(/\{\{([a-z-]+)\}\}/g, (whole, name) => {
  if (!(name in parts)) throw new Error(`the template asks for ${whole}, which is not made here`);
  return parts[name];
});
writeFileSync(out, `${page}\n`);
