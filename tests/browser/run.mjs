// CTest entry point: runs the browser tests, or reports them skipped (exit
// code 77) on a machine without the npm packages or without Chromium.
import { spawnSync } from 'node:child_process';
import fs from 'node:fs';
import path from 'node:path';
import { fileURLToPath } from 'node:url';

const here = path.dirname(fileURLToPath(import.meta.url));
const chromium = process.env.CHROMIUM || '/usr/bin/chromium';
if (!fs.existsSync(path.join(here, 'node_modules', 'playwright-core'))) {
  console.log(`browser tests skipped: run "npm ci" in ${here}`);
  process.exit(77);
}
if (!fs.existsSync(chromium)) {
  console.log(`browser tests skipped: no Chromium at ${chromium}`);
  process.exit(77);
}
const run = spawnSync(process.execPath, ['--test', '--test-concurrency=1', 'test/'], { cwd: here, stdio: 'inherit' });
process.exit(run.status ?? 1);
