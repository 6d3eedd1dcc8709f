// The game's core, compiled to WebAssembly: the C API of web/core in TypeScript's terms.
// The page asks it everything about the game and only shows what it answers.

// What Emscripten's factory gives: the exported functions and the module's memory.
export interface ZarvelModule {
  HEAPU8: Uint8Array;
  HEAP32: Int32Array;
  HEAPF64: Float64Array;
  UTF8ToString(pointer: number): string;
  stringToUTF8(text: string, pointer: number, room: number): void;
  lengthBytesUTF8(text: string): number;
  FS: {
    mkdir(path: string): void;
    writeFile(path: string, data: Uint8Array): void;
    unlink(path: string): void;
  };
  [name: `_${string}`]: (...args: number[]) => number;
}

declare global {
  function createZarvel(options?: object): Promise<ZarvelModule>;
}

// A request the core hands the page: something to show modally, or a board to solve.
export type Request =
  | { kind: 'victory' }
  | {
      kind: 'message';
      title: string;
      text: string;
      buttons: 'ok' | 'yesno';
      icon: 'exclamation' | 'error';
      defaultButton: 'ok' | 'yes' | 'no';
    }
  | { kind: 'solve'; version: number; cells: number[] };

export type MessageRequest = Extract<Request, { kind: 'message' }>;

export type Box = [number, number, number, number];

export interface Layout {
  client: Box;
  title: Box;
  titleMargin: number;
  picStrelki: Box[];
  picPole: Box;
  PicTrol: Box;
  Label2: Box;
  lblNmRasklada: Box;
  lblTxtNmHod: Box;
  lblNmHod: Box;
  labelPoints: number;
  aboutClient: Box;
  aboutPoints: number;
  Image1: Box;
  Label2_3: Box;
  Label2_4: Box;
  Label2_5: Box;
  Label1: Box;
  linkColour: number;
  line: Box;
  Picture1: Box;
  picture1Border: number;
  OK: Box;
}

export interface ProductInfo {
  contactLine1: string;
  contactLine2: string;
  siteCaption: string;
  siteAddress: string;
  helpPage: string;
}

// The pictures by their numbers in the core.
export const enum PictureId {
  Bar0 = 0,
  Strip = 4,
  Board = 5,
  Mascot = 6,
  Cage = 7,
  Flag = 8,
}
export const kPictureCount = 9;

// Where the browser keeps the game between visits.
export const kKeptGame = 'zarvel.game';

export const enum PointerKind {
  Moved = 0,
  Pressed = 1,
  Released = 2,
  Left = 3,
  Elsewhere = 4,
}

// As web/core's FileTrouble.
export const enum FileTrouble {
  Picker = 0,
  Vanished = 1,
  Unreadable = 2,
}

export const enum WriteOutcome {
  Ok = 0,
  AccessDenied = 1,
  Failed = 2,
}

// Seconds since local midnight, with fractions, as the desktop seeds a new game.
export function secondsSinceMidnight(): number {
  const now = new Date();
  const midnight = new Date(now.getFullYear(), now.getMonth(), now.getDate());
  return (now.getTime() - midnight.getTime()) / 1000;
}

export class Core {
  constructor(readonly m: ZarvelModule) {}

  static async load(): Promise<Core> {
    return new Core(await createZarvel());
  }

  // Calls `f` with `texts` in the module's memory as UTF-8.
  withStrings<T>(texts: string[], f: (...pointers: number[]) => T): T {
    const pointers = texts.map((text) => {
      const room = this.m.lengthBytesUTF8(text) + 1;
      const pointer = this.m._malloc(room);
      this.m.stringToUTF8(text, pointer, room);
      return pointer;
    });
    try {
      return f(...pointers);
    } finally {
      for (const pointer of pointers) this.m._free(pointer);
    }
  }

  text(pointer: number): string {
    return this.m.UTF8ToString(pointer);
  }

  start(layout: number | null): void {
    this.m._zarvel_start(secondsSinceMidnight(), layout ?? -1);
  }

  layoutBoxes(): Layout {
    return JSON.parse(this.text(this.m._zarvel_layout_boxes()));
  }

  productInfo(): ProductInfo {
    return JSON.parse(this.text(this.m._zarvel_product_info()));
  }

  setOwnPicture(id: number, image: ImageData): boolean {
    const pointer = this.m._malloc(image.data.length);
    this.m.HEAPU8.set(image.data, pointer);
    const done = this.m._zarvel_set_own_picture(id, pointer, image.width, image.height);
    this.m._free(pointer);
    return done === 1;
  }

  setLargeArt(id: number, image: ImageData): boolean {
    const pointer = this.m._malloc(image.data.length);
    this.m.HEAPU8.set(image.data, pointer);
    const done = this.m._zarvel_set_large_art(id, pointer, image.width, image.height);
    this.m._free(pointer);
    return done === 1;
  }

  // Picture `id` at twice its size, or null while it has no large art; read it before the
  // next call into the core.
  finePixels(id: number): Int32Array | null {
    const width = 2 * this.m._zarvel_picture_width(id);
    const height = 2 * this.m._zarvel_picture_height(id);
    const start = this.m._zarvel_fine_pixels(id) >> 2;
    return start === 0 ? null : this.m.HEAP32.subarray(start, start + width * height);
  }

  // The picture's pixels as 0x00BBGGRR values, a view of the module's memory: read it
  // before the next call into the core.
  pixels(id: number): { width: number; height: number; pixels: Int32Array } {
    const width = this.m._zarvel_picture_width(id);
    const height = this.m._zarvel_picture_height(id);
    const start = this.m._zarvel_picture_pixels(id) >> 2;
    return { width, height, pixels: this.m.HEAP32.subarray(start, start + width * height) };
  }

  // The symbols over the board as it is now: each one's column, row and tile in the symbols'
  // picture, three numbers a symbol; read it before the next call into the core.
  boardSymbols(): Int32Array {
    const start = this.m._zarvel_board_symbols() >> 2;
    return this.m.HEAP32.subarray(start + 1, start + 1 + 3 * this.m.HEAP32[start]);
  }

  changedPictures(): number {
    return this.m._zarvel_changed_pictures() >>> 0;
  }

  layout(): number {
    return this.m._zarvel_layout();
  }

  moves(): number {
    return this.m._zarvel_moves();
  }

  title(): string {
    return this.text(this.m._zarvel_title());
  }

  fragment(): string {
    return this.text(this.m._zarvel_fragment());
  }

  layoutOfFragment(fragment: string): number | null {
    const layout = this.withStrings([fragment], (p) => this.m._zarvel_layout_of_fragment(p));
    return layout < 0 ? null : layout;
  }

  takeRequest(): Request | null {
    const text = this.text(this.m._zarvel_take_request());
    return text ? (JSON.parse(text) as Request) : null;
  }

  pointer(kind: PointerKind, bar: number, x: number, y: number, cx: number, cy: number): void {
    this.m._zarvel_pointer(kind, bar, x, y, cx, cy);
  }

  startOverQuestion(caption: string): MessageRequest {
    return JSON.parse(
      this.withStrings([caption], (p) => this.text(this.m._zarvel_start_over_question(p))),
    );
  }

  newGame(): void {
    this.m._zarvel_new_game(secondsSinceMidnight());
  }
  newStart(): void {
    this.m._zarvel_new_start();
  }
  chooseLayout(layout: number): void {
    this.m._zarvel_choose_layout(layout);
  }
  undo(): void {
    this.m._zarvel_undo();
  }
  redo(): void {
    this.m._zarvel_redo();
  }
  hint(): void {
    this.m._zarvel_hint();
  }

  hintFound(version: number, moves: number[]): void {
    const pointer = this.m._malloc(4 * Math.max(1, moves.length));
    this.m.HEAP32.set(moves, pointer >> 2);
    this.m._zarvel_hint_found(version, pointer, moves.length / 2);
    this.m._free(pointer);
  }

  // What a screen reader hears and presses.
  pressArrow(bar: number, line: number): void {
    this.m._zarvel_press_arrow(bar, line);
  }
  arrowName(bar: number, line: number): string {
    return this.text(this.m._zarvel_arrow_name(bar, line));
  }
  barName(bar: number): string {
    return this.text(this.m._zarvel_bar_name(bar));
  }
  // The 49 squares' colour names, row by row.
  cellNames(): string[] {
    return this.text(this.m._zarvel_cell_names()).split('\n').slice(0, 49);
  }
  announcement(): string {
    return this.text(this.m._zarvel_announcement());
  }
  // Whether undo, redo and the hint would do something now.
  toolbarState(): { undo: boolean; redo: boolean; hint: boolean } {
    const bits = this.m._zarvel_toolbar_state();
    return { undo: (bits & 1) !== 0, redo: (bits & 2) !== 0, hint: (bits & 4) !== 0 };
  }

  // The game the browser keeps between visits.
  keptState(): string {
    return this.text(this.m._zarvel_kept_state());
  }
  restoreState(text: string): boolean {
    return this.withStrings([text], (p) => this.m._zarvel_restore_state(p)) === 1;
  }
  picturesLoaded(): void {
    this.m._zarvel_pictures_loaded();
  }

  // Keyboard play on the arrow bars.
  cursorKey(key: number): void {
    this.m._zarvel_cursor_key(key);
  }
  pressKey(down: boolean, repeat: boolean, key: number, timeMs: number): void {
    this.m._zarvel_press_key(down ? 1 : 0, repeat ? 1 : 0, key, timeMs);
  }
  releaseSettled(windowOpen: boolean): void {
    this.m._zarvel_release_settled(windowOpen ? 1 : 0);
  }
  releaseWaitMs(): number {
    return this.m._zarvel_release_wait_ms();
  }
  hideCursor(): void {
    this.m._zarvel_hide_cursor();
  }
  mascotName(): string {
    return this.text(this.m._zarvel_mascot_name());
  }
  cursorName(): string {
    return this.text(this.m._zarvel_cursor_name());
  }

  blinkTick(): boolean {
    return this.m._zarvel_blink_tick() === 1;
  }
  blinkPhaseMs(): number {
    return this.m._zarvel_blink_phase_ms();
  }
  hintBeamWidth(): number {
    return this.m._zarvel_hint_beam_width();
  }
  blinking(): boolean {
    return this.m._zarvel_blinking() === 1;
  }

  // The layout-number dialog's rules.
  nomerMaxLength(): number {
    return this.m._zarvel_nomer_max_length();
  }
  passesCharacterRule(code: number): boolean {
    return this.m._zarvel_passes_character_rule(code) === 1;
  }
  controlCode(letter: string): number {
    return this.m._zarvel_control_code(letter.charCodeAt(0));
  }
  typedNumber(text: string): number {
    return this.withStrings([text], (p) => this.m._zarvel_typed_number(p));
  }
  okEnabled(number: number): boolean {
    return this.m._zarvel_ok_enabled(number) === 1;
  }
  digitsOnly(text: string, room: number): string {
    return this.withStrings([text], (p) => this.text(this.m._zarvel_digits_only(p, room)));
  }

  // Saved games.
  proposedSaveName(): string {
    return this.text(this.m._zarvel_proposed_save_name());
  }
  currentFile(): string {
    return this.text(this.m._zarvel_current_file());
  }
  saveQuestion(name: string, somethingThere: boolean): MessageRequest | null {
    const text = this.withStrings([name], (p) =>
      this.text(this.m._zarvel_save_question(p, somethingThere ? 1 : 0)),
    );
    return text ? JSON.parse(text) : null;
  }
  savedText(): string {
    return this.text(this.m._zarvel_saved_text());
  }
  saveFinished(name: string, outcome: WriteOutcome): void {
    this.withStrings([name], (p) => this.m._zarvel_save_finished(p, outcome));
  }
  longestGameText(): number {
    return this.m._zarvel_longest_game_text();
  }
  // Opens the saved game that starts with `start`, named `name`, with the desktop's reader.
  open(name: string, start: Uint8Array): boolean {
    const folder = '/opened';
    try {
      this.m.FS.mkdir(folder);
    } catch {
      // made by an earlier opening
    }
    // The name stays one name in the folder whatever it holds; "", "." and ".." are no
    // file's, and the core refuses them with its message.
    const safe = name.replace(/\//g, '\u2215');
    const placed = safe !== '' && safe !== '.' && safe !== '..';
    if (placed) this.m.FS.writeFile(`${folder}/${safe}`, start);
    const opened = this.withStrings([folder, safe], (f, n) => this.m._zarvel_open(f, n));
    if (placed) this.m.FS.unlink(`${folder}/${safe}`);
    return opened === 1;
  }
  fileTrouble(trouble: FileTrouble, name: string): void {
    this.withStrings([name], (p) => this.m._zarvel_file_trouble(trouble, p));
  }

  // The victory window.
  victoryArea(textWidth: number, clientWidth: number): { width: number; left: number } {
    const pointer = this.m._zarvel_victory_area(textWidth, clientWidth) >> 2;
    return { width: this.m.HEAP32[pointer], left: this.m.HEAP32[pointer + 1] };
  }
  // Per letter: its shadow's corner and its face's corner.
  victoryFrame(widths: number[]): { shadow: [number, number]; face: [number, number] }[] {
    const input = this.m._malloc(8 * widths.length);
    this.m.HEAPF64.set(widths, input >> 3);
    const out = this.m._zarvel_victory_frame(input, widths.length) >> 2;
    this.m._free(input);
    const h = this.m.HEAP32;
    return widths.map((_, i) => ({
      shadow: [h[out + 4 * i], h[out + 4 * i + 1]],
      face: [h[out + 4 * i + 2], h[out + 4 * i + 3]],
    }));
  }
}
