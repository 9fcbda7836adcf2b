// Entry point of the browser suite under ctest: runs the node:test files one
// after the other, or exits 77 (ctest's "skipped") when playwright-core or
// chromium is missing, which `make deps` installs.
import { spawnSync } from 'node:child_process';
import { existsSync } from 'node:fs';
import { dirname, join } from 'node:path';
import { fileURLToPath } from 'node:url';

const here = dirname(fileURLToPath(import.meta.url));
const chromium = process.env.CHROMIUM || '/usr/bin/chromium';

if (!existsSync(join(here, 'node_modules', 'playwright-core'))) {
  console.log('browser tests skipped: playwright-core is not installed (make deps)');
  process.exit(77);
}
if (!existsSync(chromium)) {
  console.log(`browser tests skipped: no chromium at ${chromium} (make deps)`);
  process.exit(77);
}

// One file at a time, each in a node of its own: the files share the CPU
// with chromium, and Debian's Node 18 knows no --test-concurrency.
const files = process.argv.length > 2 ? process.argv.slice(2) : ['player.test.mjs', 'real_decks.test.mjs', 'pwa.test.mjs'];
let status = 0;
for (const file of files) {
  const result = spawnSync(process.execPath, ['--test', file], { cwd: here, stdio: 'inherit' });
  if (result.status !== 0) status = result.status ?? 1;
}
process.exit(status);
