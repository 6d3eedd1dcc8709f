// Puts the site together in one folder: the page, its compiled TypeScript, the core's
// WebAssembly, the pictures, the help page and the service worker with the list of files it
// keeps. Prints the site's size gzipped, without the pictures.
//   node web/build-site.mjs MODULE_DIR SITE_DIR
import { execFileSync } from 'node:child_process';
import { createHash } from 'node:crypto';
import fs from 'node:fs';
import path from 'node:path';
import { fileURLToPath } from 'node:url';
import zlib from 'node:zlib';

const web = path.dirname(fileURLToPath(import.meta.url));
const root = path.dirname(web);
const [moduleDir, site] = process.argv.slice(2).map((p) => path.resolve(p));
if (!moduleDir || !site) {
  console.error('usage: node web/build-site.mjs MODULE_DIR SITE_DIR');
  process.exit(2);
}

fs.rmSync(site, { recursive: true, force: true });
fs.mkdirSync(path.join(site, 'assets', 'icons'), { recursive: true });
execFileSync(process.execPath, [
  path.join(web, 'node_modules', 'typescript', 'bin', 'tsc'),
  '-p', path.join(web, 'app', 'tsconfig.json'),
  '--outDir', path.join(site, 'app'),
], { stdio: 'inherit' });

const copy = (from, to) => fs.copyFileSync(from, path.join(site, to));
for (const name of ['index.html', 'style.css', 'manifest.webmanifest']) copy(path.join(web, 'app', name), name);
for (const name of ['zarvel.js', 'zarvel.wasm']) copy(path.join(moduleDir, name), name);
copy(path.join(root, 'help', 'Справка.html'), 'Справка.html');
const assets = path.join(root, 'assets');
for (const name of fs.readdirSync(assets).filter((n) => n.endsWith('.png'))) copy(path.join(assets, name), `assets/${name}`);
for (const name of fs.readdirSync(path.join(assets, 'icons'))) {
  copy(path.join(assets, 'icons', name), `assets/icons/${name}`);
}

// The service worker sits at the top, so that it keeps the whole site; it keeps every file.
const files = [];
const walk = (dir) => {
  for (const entry of fs.readdirSync(dir, { withFileTypes: true })) {
    const full = path.join(dir, entry.name);
    if (entry.isDirectory()) walk(full);
    else files.push(path.relative(site, full).split(path.sep).join('/'));
  }
};
const compiledWorker = path.join(site, 'app', 'sw.js');
const workerText = fs.readFileSync(compiledWorker, 'utf8');
fs.rmSync(compiledWorker);
walk(site);
files.sort();
const hash = createHash('sha256');
for (const file of files) hash.update(file).update(fs.readFileSync(path.join(site, file)));
const urls = ['./', ...files.map((f) => encodeURI(f))];
fs.writeFileSync(
  path.join(site, 'sw.js'),
  `const ZARVEL_FILES = ${JSON.stringify(urls)};\n` +
    `const ZARVEL_VERSION = ${JSON.stringify(hash.digest('hex').slice(0, 16))};\n${workerText}`,
);
files.push('sw.js');

let total = 0;
for (const file of files) {
  if (file.startsWith('assets/')) continue;
  total += zlib.gzipSync(fs.readFileSync(path.join(site, file)), { level: 9 }).length;
}
console.log(`zarvel: site in ${site}: ${files.length} files, ${(total / 1024).toFixed(1)} KB gzipped without the pictures`);
