// The hint's worker: solves boards with the same core, so that the page keeps answering
// while the solver works. A classic worker script: it loads the core with importScripts.
declare function importScripts(...urls: string[]): void;
declare function createZarvel(options?: object): Promise<{
  HEAP32: Int32Array;
  HEAPU8: Uint8Array;
  _malloc(size: number): number;
  _zarvel_solve(cells: number, width: number, moves: number, room: number): number;
}>;

interface Job {
  version: number;
  cells: number[];
  width: number;
}

importScripts('../zarvel.js');
const worker = globalThis as unknown as {
  onmessage: ((event: MessageEvent<Job>) => void) | null;
  postMessage(message: unknown): void;
};
const kRoom = 4096;  // moves: the longest certain solution has a few hundred
const core = createZarvel({ locateFile: (file: string) => `../${file}` }).then((m) => ({
  m,
  cells: m._malloc(49),
  moves: m._malloc(8 * kRoom),
}));

worker.onmessage = async (event) => {
  const { m, cells, moves } = await core;
  const job = event.data;
  m.HEAPU8.set(job.cells, cells);
  const count = Math.min(m._zarvel_solve(cells, job.width, moves, kRoom), kRoom);
  const found = Array.from(m.HEAP32.subarray(moves >> 2, (moves >> 2) + 2 * Math.max(count, 0)));
  worker.postMessage({ version: job.version, moves: found });
};
