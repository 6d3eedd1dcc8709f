// The page's own TypeScript under Node, as the site's build compiled it, driven with a core
// and file handles that record what reaches them.
import assert from 'node:assert/strict';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { test } from 'node:test';

import { site } from './page.mjs';

// The compiled scripts, beside a package.json that makes them modules to Node.
const out = fs.mkdtempSync(path.join(os.tmpdir(), 'zarvel-logic-'));
fs.cpSync(path.join(site, 'app'), out, { recursive: true });
fs.writeFileSync(path.join(out, 'package.json'), '{"type":"module"}');
const { Files } = await import(`${out}/files.js`);
const { Core } = await import(`${out}/core.js`);
process.on('exit', () => fs.rmSync(out, { recursive: true, force: true }));

// A handle whose writes land in `written`, or whose createWritable or getFile throws.
const handle = (name, written, error = null, lost = null) => ({
  name,
  getFile: async () => ({ name, slice: () => ({ arrayBuffer: async () => { if (lost) throw lost; } }) }),
  createWritable: async () => {
    if (error) throw error;
    return { write: async (d) => written.push([name, new TextDecoder().decode(d)]), close: async () => {} };
  },
});
// The core's file calls, recorded; it takes the files named in `sound`.
const recordingCore = (sound, told = []) => ({
  told, current: '', savedText: () => 'game', proposedSaveName: () => '1', longestGameText: () => 9,
  currentFile() { return this.current; },
  open(name) { return sound.includes(name) && Boolean((this.current = name)); },
  saveFinished: (...said) => told.push(['saved', ...said]),
  fileTrouble: (...said) => told.push(['trouble', ...said]),
});

test('«Сохранить» writes where the last sound file came from, telling a refusal from a failure', async () => {
  const written = [];
  const files = new Files(recordingCore(['good.zrv']));
  for (const h of [handle('good.zrv', written), handle('notes.txt', written)])
    await files.openFile(await h.getFile(), h);  // the second is refused
  await files.save();
  assert.deepEqual(written, [['good.zrv', 'game']]);
  for (const [error, outcome] of [[new DOMException('', 'NotAllowedError'), 1],
    [new DOMException('', 'QuotaExceededError'), 2], [new TypeError('gone'), 2]]) {
    const core = recordingCore(['good.zrv']);
    const [broken, saving] = [handle('good.zrv', written, error), new Files(core)];
    await saving.openFile(await broken.getFile(), broken);
    await saving.save();
    assert.deepEqual(core.told, [['saved', 'good.zrv', outcome]], String(error));
  }
});

test('a picker that fails other than by a cancel, or a picked file gone, is told', async () => {
  const abort = new DOMException('', 'AbortError');
  for (const [pickerError, lost, told] of [[abort, null, []],
    [new DOMException('', 'SecurityError'), null, [['trouble', 0, ''], ['trouble', 0, '']]],
    [null, new DOMException('', 'NotFoundError'), [['trouble', 1, 'x.zrv']]],
    [null, new DOMException('', 'NotReadableError'), [['trouble', 2, 'x.zrv']]]]) {
    const core = recordingCore(['x.zrv']);
    globalThis.showOpenFilePicker = async () => {
      if (pickerError) throw pickerError;
      return [handle('x.zrv', [], null, lost)];
    };
    globalThis.showSaveFilePicker = async () => { throw pickerError ?? abort; };
    await new Files(core).openGame();
    await new Files(core).saveAs();
    assert.deepEqual(core.told, told, String(pickerError ?? lost));
  }
});

test("the hint's answer reaches the core as its moves, two numbers a move", () => {
  const calls = [];
  const m = { HEAP32: new Int32Array(16), _malloc: () => 16, _free: () => {} };
  m._zarvel_hint_found = (version, at, count) => calls.push([version, count, [...m.HEAP32.slice(4, 4 + 2 * count)]]);
  new Core(m).hintFound(7, [0, 1, 3, 6, 2, 2]);
  assert.deepEqual(calls, [[7, 3, [0, 1, 3, 6, 2, 2]]]);
});
