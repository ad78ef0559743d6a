// The shared Continue cases: UTF-8 text, "#" lines are comments, one case a
// line of six tab-separated fields
//   name  block  level  messages  level after  result after
// where messages are the symbolic names of the message texts, separated by
// commas (empty: none). Texts are literal: a field of one blank is a blank.

import { readFileSync } from 'node:fs';

const fields = ['name', 'block', 'level', 'messages', 'levelAfter', 'resultAfter'];

export function parseCases(text, source = 'cases') {
  const cases = [];
  const names = new Set();
  text.split(/\r?\n/).forEach((line, index) => {
    if (line === '' || line.startsWith('#')) return;
    const where = `${source}:${index + 1}`;
    const values = line.split('\t');
    if (values.length !== fields.length)
      throw new Error(`${where}: ${values.length} fields, not ${fields.length}`);
    const entry = Object.fromEntries(fields.map((field, i) => [field, values[i]]));
    if (!entry.name) throw new Error(`${where}: a case without a name`);
    if (names.has(entry.name)) throw new Error(`${where}: the name "${entry.name}" is used twice`);
    names.add(entry.name);
    entry.messages = entry.messages === '' ? [] : entry.messages.split(',');
    entry.where = where;
    cases.push(entry);
  });
  if (cases.length === 0) throw new Error(`${source}: no cases`);
  return cases;
}

export const readCases = (path) => parseCases(readFileSync(path, 'utf8'), path);
