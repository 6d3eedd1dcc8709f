// The page's own TypeScript under Node, without a browser: compiled with the committed
// compiler into a folder of its own, then driven with a core and file handles that record.
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { test } from 'node:test';
import { fileURLToPath } from 'node:url';

const root = path.resolve(path.dirname(fileURLToPath(import.meta.url)), '..', '..');
const out = fs.mkdtempSync(path.join(os.tmpdir(), 'zarvel-logic-'));
execFileSync(process.execPath, [path.join(root, 'web', 'node_modules', 'typescript', 'bin', 'tsc'),
  '-p', path.join(root, 'web', 'app', 'tsconfig.json'), '--outDir', out]);
fs.writeFileSync(path.join(out, 'package.json'), '{"type":"module"}');
const { Files } = await import(path.join(out, 'files.js'));
const { Core } = await import(path.join(out, 'core.js'));
process.on('exit', () => fs.rmSync(out, { recursive: true, force: true }));

// A file handle whose writes land in `written`, or whose createWritable throws `error`.
function handle(name, written, error = null) {
  return {
    name,
    getFile: async () => ({ name, slice: () => ({ arrayBuffer: async () => new ArrayBuffer(0) }) }),
    createWritable: async () => {
      if (error) throw error;
      return { write: async (data) => written.set(name, new TextDecoder().decode(data)), close: async () => {} };
    },
    isSameEntry: async (other) => other.name === name,
  };
}

// The core's file calls, recorded; it takes the files named in `sound`.
function recordingCore(sound) {
  const core = { current: '', told: [] };
  Object.assign(core, {
    currentFile: () => core.current,
    savedText: () => 'the game',
    proposedSaveName: () => '1234',
    longestGameText: () => 1000,
    open: (name) => sound.includes(name) && Boolean((core.current = name)),
    saveFinished: (name, outcome) => core.told.push(['saved', name, outcome]),
    fileTrouble: (trouble, name) => core.told.push(['trouble', trouble, name]),
  });
  return core;
}

test('«Сохранить» writes where the last good file came from and tells a refusal from a failure', async () => {
  const written = new Map();
  const core = recordingCore(['good.zrv']);
  const files = new Files(core);
  const good = handle('good.zrv', written);
  await files.openFile(await good.getFile(), good);
  const refused = handle('notes.txt', written);
  await files.openFile(await refused.getFile(), refused);  // the core says why, keeps the game
  await files.save();
  assert.deepEqual([...written], [['good.zrv', 'the game']]);

  const kOk = 0, kDenied = 1, kFailed = 2;
  for (const [error, outcome] of [
    [new DOMException('no', 'NotAllowedError'), kDenied],
    [new DOMException('full', 'QuotaExceededError'), kFailed],
    [new TypeError('gone'), kFailed],
    [null, kOk],
  ]) {
    const broken = handle('good.zrv', written, error);
    await files.openFile(await broken.getFile(), broken);
    core.told.length = 0;
    await files.save();
    assert.deepEqual(core.told, [['saved', 'good.zrv', outcome]], String(error));
  }
});

test('a picker that fails other than by a cancel, or a picked file gone, is told', async () => {
  const kPicker = 0, kVanished = 1, kUnreadable = 2;
  const cases = [
    [new DOMException('cancel', 'AbortError'), null, []],
    [new DOMException('no', 'SecurityError'), null, [['trouble', kPicker, '']]],
    [null, new DOMException('gone', 'NotFoundError'), [['trouble', kVanished, 'x.zrv']]],
    [null, new DOMException('busy', 'NotReadableError'), [['trouble', kUnreadable, 'x.zrv']]],
  ];
  for (const [pickerError, fileError, told] of cases) {
    const core = recordingCore(['x.zrv']);
    globalThis.showOpenFilePicker = async () => {
      if (pickerError) throw pickerError;
      return [{ name: 'x.zrv', getFile: async () => { throw fileError; } }];
    };
    globalThis.showSaveFilePicker = async () => {
      throw pickerError ?? new DOMException('cancel', 'AbortError');
    };
    await new Files(core).openGame();
    await new Files(core).saveAs();
    assert.deepEqual(core.told, pickerError ? [...told, ...told] : told, String(pickerError ?? fileError));
  }
  delete globalThis.showOpenFilePicker;
  delete globalThis.showSaveFilePicker;
});

test("the hint's answer reaches the core as its moves, two numbers a move", () => {
  const calls = [];
  const m = {
    HEAP32: new Int32Array(64),
    _malloc: () => 16,
    _free: () => {},
    _zarvel_hint_found: (version, pointer, count) =>
      calls.push([version, count, [...m.HEAP32.slice(pointer >> 2, (pointer >> 2) + 2 * count)]]),
  };
  new Core(m).hintFound(7, [0, 1, 3, 6, 2, 2]);
  assert.deepEqual(calls, [[7, 3, [0, 1, 3, 6, 2, 2]]]);
});
