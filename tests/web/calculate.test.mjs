// Continue, and what the main window does with each outcome of the calculation:
// the cases every runtime plays.
import { test } from './lib/fixtures.mjs';
import { readCases } from './lib/cases.mjs';
import { paths } from './lib/paths.mjs';
import { playContinueCase } from './lib/play.mjs';

readCases(paths.cases).forEach((c, index) => {
  test(`${c.name} (${c.where})`, ({ program }) => playContinueCase(program, c, index));
});
