// Builds a small slideshow project, generates it with the real lumivue
// binary and opens it in headless Chromium.
import { chromium } from 'playwright-core';
import { execFile } from 'node:child_process';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { fileURLToPath, pathToFileURL } from 'node:url';
import { promisify } from 'node:util';

const here = path.dirname(fileURLToPath(import.meta.url));
export const fixtures = path.join(here, '..', 'fixtures');
// The pristine application folder as the build assembles it.
export const appData = process.env.LUMIVUE_APPDATA || path.resolve(here, '..', '..', '..', 'build', 'src', 'appdata');

export const CHROMIUM_ARGS = [
  '--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
  '--disable-background-networking', '--disable-component-update', '--disable-sync',
];

export function tempDir(prefix) {
  return fs.mkdtempSync(path.join(os.tmpdir(), prefix));
}

// A fresh profile for every browser, removed when the browser closes.
export async function launchBrowser(options = {}) {
  const profile = tempDir('lumivue-chromium-');
  const context = await chromium.launchPersistentContext(profile, {
    executablePath: process.env.CHROMIUM || '/usr/bin/chromium',
    headless: true,
    args: CHROMIUM_ARGS,
    viewport: { width: 1280, height: 800 },
    ...options,
  });
  const close = context.close.bind(context);
  context.close = async () => {
    await close();
    fs.rmSync(profile, { recursive: true, force: true });
  };
  return context;
}

// Project files are in the system's code page with CR LF line ends.
export function writeWindowsText(file, lines) {
  const text = lines.map((l) => l + '\r\n').join('');
  const bytes = Buffer.from(text, 'latin1');
  if (bytes.toString('latin1') !== text) throw new Error(`not encodable: ${file}`);
  fs.writeFileSync(file, bytes);
}

// Application folder for one run: a copy of the pristine one, with the page
// of a chosen template in place of Nouveau.htm.
export function makeAppDir(root, templatePage) {
  const appDir = path.join(root, 'data', 'lumivue');
  fs.cpSync(appData, appDir, { recursive: true });
  if (templatePage) fs.copyFileSync(templatePage, path.join(appDir, 'Nouveau.htm'));
  return appDir;
}

// slides: [{ picture: fixture file name, caption: slide line }]
export function makeProject(root, name, header, slides) {
  const folder = path.join(root, 'projet');
  fs.mkdirSync(folder, { recursive: true });
  writeWindowsText(path.join(folder, `${name}.lmv`), [
    `Nom=${name}`,
    `Repertoire=${folder}`,
    `NbSprite=${slides.length}`,
    `Tag=${header}`,
    ...slides.map((s) => s.caption),
  ]);
  slides.forEach((s, i) => {
    const type = path.extname(s.picture);
    fs.copyFileSync(path.isAbsolute(s.picture) ? s.picture : path.join(fixtures, s.picture),
      path.join(folder, `${name}${i}${type}`));
  });
  // A real project folder carries its backgrounds beside the page.
  for (const picture of ['imgFond.jpg', 'imgFondTable.jpg']) {
    const source = path.join(appData, picture);
    if (fs.existsSync(source)) fs.copyFileSync(source, path.join(folder, picture));
  }
  return path.join(folder, `${name}.lmv`);
}

export async function generate(projectFile, root) {
  const bin = process.env.LUMIVUE_BIN;
  if (!bin) throw new Error('LUMIVUE_BIN must name the lumivue executable');
  const env = {
    ...process.env,
    QT_QPA_PLATFORM: 'offscreen',
    HOME: root,
    XDG_DATA_HOME: path.join(root, 'data'),
    XDG_STATE_HOME: path.join(root, 'state'),
    XDG_CONFIG_HOME: path.join(root, 'config'),
    XDG_CACHE_HOME: path.join(root, 'cache'),
  };
  try {
    await promisify(execFile)(bin, ['--generate', projectFile], { env, timeout: 60000 });
  } catch (e) {
    throw new Error(`lumivue --generate failed (${e.code}): ${e.stderr || e.message}`);
  }
  const page = projectFile.replace(/\.lmv$/, '.htm');
  if (!fs.existsSync(page)) throw new Error(`no page generated at ${page}`);
  return pathToFileURL(page).href;
}

// Console errors and uncaught exceptions of a page, for a final check.
// expectMissing: files the test expects the page to ask for in vain (a
// thumbnail the page falls back from, a picture removed on purpose).
export function collectErrors(page, { expectMissing = null } = {}) {
  const errors = [];
  page.on('console', (m) => {
    if (m.type() !== 'error') return;
    if (expectMissing && /ERR_FILE_NOT_FOUND/.test(m.text()) && expectMissing.test(m.location().url)) return;
    errors.push(`console: ${m.text()} ${m.location().url}`);
  });
  page.on('pageerror', (e) => errors.push(`pageerror: ${e.message}`));
  return errors;
}

// Polls fn in the page (with Node's timers, so that a faked page clock does
// not stop the polling) until it returns a truthy value.
export async function until(page, fn, arg, { timeout = 20000, what = 'condition' } = {}) {
  const end = Date.now() + timeout;
  let last;
  for (;;) {
    last = await page.evaluate(fn, arg);
    if (last) return last;
    if (Date.now() > end) throw new Error(`timed out waiting for ${what}`);
    await new Promise((r) => setTimeout(r, 25));
  }
}

// A show of `slides` generated in its own folder with the given page design
// (the default page when none); spoil(projectFolder) runs before generation.
export async function makeShow(folder, design, header, slides, spoil = null) {
  fs.mkdirSync(folder, { recursive: true });
  makeAppDir(folder, design);
  const project = makeProject(folder, 'Essai', header, slides);
  spoil?.(path.dirname(project));
  return generate(project, folder);
}

// Opens pages in one shared browser. The page clock belongs to the whole
// browser context, so a page with a faked clock (standing a minute in, moving
// only when the test says) gets a browser of its own. done() checks that the
// page logged no error and closes it.
export function pageOpener(launchOptions = {}) {
  const browsers = [];
  let shared;
  const launch = async () => { browsers.push(await launchBrowser(launchOptions)); return browsers.at(-1); };
  return {
    async open(url, { clock = false, expectMissing = null, init = null, route = null, asked = null } = {}) {
      const page = await (clock ? await launch() : (shared ??= await launch())).newPage();
      const errors = collectErrors(page, { expectMissing });
      if (init) await page.addInitScript(init);
      if (clock) await page.clock.install({ time: new Date('2030-01-01T10:00:00Z') });
      if (route) await page.route(...route);
      if (asked) page.on('request', (r) => asked.push(decodeURIComponent(r.url()).split('/').slice(-2).join('/')));
      // Preparing a held picture may hold the load event too.
      await page.goto(url, { waitUntil: 'domcontentloaded' });
      if (clock) await page.clock.pauseAt(new Date('2030-01-01T10:01:00Z'));
      const done = async () => {
        await page.close();
        if (errors.length) throw new Error(`errors in the page:\n${errors.join('\n')}`);
      };
      return { page, errors, done };
    },
    async close() {
      for (const b of browsers) await b.close().catch(() => {});
    },
  };
}

// A button of the player's control bar, by its accessible name.
export const control = (page, name) => page.locator('#Commandes').getByRole('button', { name, exact: true });
