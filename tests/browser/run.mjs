// Entry point of the browser suites under ctest: runs the node:test files
// one after the other (the players' files, or those named), or exits 77
// (ctest's "skipped") when an npm package of the lock file, chromium, or a
// tool the files run (unzip, xmllint) is missing, which `make deps` installs.
import { spawnSync } from 'node:child_process';
import { existsSync, readFileSync } from 'node:fs';
import { dirname, join } from 'node:path';
import { fileURLToPath } from 'node:url';

const here = dirname(fileURLToPath(import.meta.url));
const chromium = process.env.CHROMIUM || '/usr/bin/chromium';

const { devDependencies } = JSON.parse(readFileSync(join(here, 'package.json'), 'utf8'));
for (const name of Object.keys(devDependencies)) {
  if (!existsSync(join(here, 'node_modules', name, 'package.json'))) {
    console.log(`browser tests skipped: ${name} is not installed (make deps)`);
    process.exit(77);
  }
}
for (const tool of ['unzip', 'xmllint']) {
  if (spawnSync(tool, ['--version']).error) {
    console.log(`browser tests skipped: ${tool} is not installed (make deps)`);
    process.exit(77);
  }
}
if (!existsSync(chromium)) {
  console.log(`browser tests skipped: no chromium at ${chromium} (make deps)`);
  process.exit(77);
}

// One file at a time, each in a node of its own: the files share the CPU
// with chromium, and Debian's Node 18 knows no --test-concurrency.
const files = process.argv.length > 2 ? process.argv.slice(2) : ['player.test.mjs', 'paint.test.mjs', 'autofit.test.mjs', 'text_layout.test.mjs', 'real_decks.test.mjs', 'pwa.test.mjs'];
let status = 0;
for (const file of files) {
  const result = spawnSync(process.execPath, ['--test', file], { cwd: here, stdio: 'inherit' });
  if (result.status !== 0) status = result.status ?? 1;
}
process.exit(status);
