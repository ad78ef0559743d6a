// Writes the site's page from its template: the page's style and its two small
// scripts written into it, the start-up window as the program draws it (a
// declarative shadow root with the windows' style and the window's rules), and
// the Content-Security-Policy allowing exactly these inline elements by their
// SHA-256 hashes.
//
//   node make_page.mjs TEMPLATE PAGE_CSS WINDOW_CSS START_WINDOW_JSON HEAD_JS BODY_JS OUT
import { createHash } from 'node:crypto';
import { readFileSync, writeFileSync } from 'node:fs';

const [template, pageCss, windowCss, startWindow, headJs, bodyJs, out] = process.argv.slice(2);
if (!out) {
  console.error('usage: node make_page.mjs TEMPLATE PAGE_CSS WINDOW_CSS START_WINDOW_JSON HEAD_JS BODY_JS OUT');
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
const scripts = [read(headJs), read(bodyJs)];
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
