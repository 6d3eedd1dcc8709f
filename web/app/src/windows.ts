// The secondary windows: the victory window, the layout-number dialog and the About box,
// laid out as on the desktop. Their rules come from the core.
import { Core, PictureId, ProductInfo } from './core.js';
import { addButton, openWindow, pressOnEnter } from './dialogs.js';
import { modalZoom } from './fit.js';
import { paintPicture, place } from './screen.js';

// Points on a 96-dpi screen as CSS pixels, as the desktop sets its fonts.
export function pixels(points: number): number {
  return Math.round((points * 96) / 72);
}

// The victory window's places, as the desktop's frmEnd lays them out.
const kVictoryClient = { width: 584, height: 151 };
const kVictoryPicture = { top: 8, height: 84 };
const kVictoryOk: [number, number, number, number] = [488, 112, 89, 33];
const kTekstPobedy = 'ПОБЕДА!!!';
const kTickMs = 100;
const kShadow = '#808080';
const kFace = '#00ff00';
const kLettersFont = `bold ${pixels(36)}px 'Times New Roman', 'Liberation Serif', serif`;
const kVictoryFont = `bold ${pixels(12)}px 'MS Sans Serif', 'Microsoft Sans Serif', 'Liberation Sans', Arial, sans-serif`;

// "Конец игры": the letters jump every 100 ms until OK, Enter or the close box.
export async function showVictory(core: Core): Promise<void> {
  const window = openWindow(
    'frmEnd',
    'Конец игры',
    kVictoryClient.width,
    kVictoryClient.height,
    'ok',
  );
  window.client.classList.add('button-face');
  window.client.style.font = kVictoryFont;
  const area = document.createElement('div');
  area.id = 'Picture1';
  area.className = 'sunken';
  area.setAttribute('role', 'img');
  area.setAttribute('aria-label', kTekstPobedy);
  const canvas = document.createElement('canvas');
  area.append(canvas);
  const context = canvas.getContext('2d')!;
  context.font = kLettersFont;
  const letters = [...kTekstPobedy];
  const widths = letters.map((letter) => context.measureText(letter).width);
  const { width, left } = core.victoryArea(
    context.measureText(kTekstPobedy).width,
    kVictoryClient.width,
  );
  place(area, [left, kVictoryPicture.top, width, kVictoryPicture.height]);
  const ratio = (globalThis.devicePixelRatio || 1) * modalZoom(window.frame);
  const inner = { width: width - 4, height: kVictoryPicture.height - 4 };
  canvas.style.width = `${inner.width}px`;
  canvas.style.height = `${inner.height}px`;
  canvas.width = Math.round(inner.width * ratio);
  canvas.height = Math.round(inner.height * ratio);  // which resets the context's font
  const ok = addButton(window.client, 'OK', 'OK', kVictoryOk);
  ok.addEventListener('click', () => window.close('ok'));
  pressOnEnter(window.client, () => ok);
  window.client.append(area);
  ok.focus();
  // Nothing is drawn until the first tick, as on the desktop.
  const timer = setInterval(() => {
    const frame = core.victoryFrame(widths);
    context.setTransform(ratio, 0, 0, ratio, 0, 0);
    context.clearRect(0, 0, inner.width, inner.height);
    context.font = kLettersFont;
    const ascent = context.measureText(kTekstPobedy).fontBoundingBoxAscent;
    for (const [pass, colour] of [
      ['shadow', kShadow],
      ['face', kFace],
    ] as const) {
      context.fillStyle = colour;
      letters.forEach((letter, i) => {
        const [x, y] = frame[i][pass];
        context.fillText(letter, x, y + ascent);
      });
    }
  }, kTickMs);
  await window.closed;
  clearInterval(timer);
}

// The layout-number dialog's places, as the desktop's frmRasklad lays them out.
const kRaskladClient = { width: 245, height: 137 };
const kLabel1: [number, number, number, number] = [8, 8, 225, 41];
const kTxtNomer: [number, number, number, number] = [72, 56, 97, 28];
const kOK: [number, number, number, number] = [32, 96, 81, 33];
const kNO: [number, number, number, number] = [120, 96, 81, 33];

// "Номер расклада": resolves with the layout to deal, or null.
export async function askLayout(core: Core): Promise<number | null> {
  const window = openWindow(
    'frmRasklad',
    'Номер расклада',
    kRaskladClient.width,
    kRaskladClient.height,
    '',
  );
  window.client.classList.add('ground');
  const label = document.createElement('div');
  label.id = 'Label1';
  label.className = 'dialog-label centred';
  label.textContent = 'Выберите номер расклада от 1 до 32655';
  place(label, kLabel1);
  label.style.fontSize = `${pixels(12)}px`;
  const box = document.createElement('input');
  box.id = 'txtNomer';
  box.type = 'text';
  box.inputMode = 'numeric';
  box.autocomplete = 'off';
  box.maxLength = core.nomerMaxLength();
  place(box, kTxtNomer);
  box.style.fontSize = `${pixels(12)}px`;
  box.setAttribute('aria-labelledby', 'Label1');
  window.client.append(label, box);
  const ok = addButton(window.client, 'kOK', 'OK', kOK);
  const no = addButton(window.client, 'kNO', 'Отмена', kNO);
  for (const button of [ok, no]) button.style.fontSize = `${pixels(9.75)}px`;
  ok.disabled = true;
  let typed = 0;
  const changed = () => {
    typed = core.typedNumber(box.value);
    ok.disabled = !core.okEnabled(typed);
  };
  // A typed character reaches the box only when the character rule lets it; Ctrl and a
  // letter count as the letter's control code (Ctrl+C passes, Ctrl+V and Ctrl+X do not).
  box.addEventListener('keydown', (event) => {
    if (event.ctrlKey && /^[a-z]$/i.test(event.key)) {
      if (!core.passesCharacterRule(core.controlCode(event.key))) event.preventDefault();
    } else if (event.key.length === 1 && !event.altKey && !event.metaKey) {
      if (!core.passesCharacterRule(event.key.codePointAt(0)!)) event.preventDefault();
    }
  });
  // Whatever arrives otherwise (the context menu's paste, a drop) keeps its digits only.
  const insertDigits = (text: string) => {
    const room =
      box.maxLength - box.value.length + ((box.selectionEnd ?? 0) - (box.selectionStart ?? 0));
    box.setRangeText(core.digitsOnly(text, room), box.selectionStart ?? 0, box.selectionEnd ?? 0, 'end');
    changed();
  };
  box.addEventListener('paste', (event) => {
    event.preventDefault();
    insertDigits(event.clipboardData?.getData('text') ?? '');
  });
  box.addEventListener('drop', (event) => {
    event.preventDefault();
    insertDigits(event.dataTransfer?.getData('text') ?? '');
  });
  box.addEventListener('input', () => {
    // An input method or anything else the rules above did not see: digits only.
    const digits = core.digitsOnly(box.value, box.maxLength);
    if (digits !== box.value) box.value = digits;
    changed();
  });
  ok.addEventListener('click', () => {
    if (core.okEnabled(typed)) window.close(String(typed));
  });
  no.addEventListener('click', () => window.close(''));
  pressOnEnter(window.client, () => ok);
  box.focus();
  const answer = await window.closed;
  return answer === '' ? null : Number(answer);
}

// "О программе": the picture, the product's lines, the site link, the flag and OK.
export async function showAbout(core: Core, flag: HTMLCanvasElement, info: ProductInfo): Promise<void> {
  const l = core.layoutBoxes();
  const window = openWindow('frmOprog', 'О программе', l.aboutClient[2], l.aboutClient[3], 'ok');
  window.client.classList.add('ground');
  window.client.style.fontSize = `${pixels(l.aboutPoints)}px`;
  const ok = addButton(window.client, 'OK', 'OK', l.OK);
  ok.addEventListener('click', () => window.close('ok'));
  const image = document.createElement('img');
  image.id = 'Image1';
  image.alt = '';
  image.src = 'assets/Image1.png';
  image.srcset = 'assets/Image1.png 1x, assets/Image1@2x.png 2x';
  place(image, l.Image1);
  const label = (name: string, text: string, box: [number, number, number, number]) => {
    const element = document.createElement('div');
    element.id = name;
    element.className = 'dialog-label';
    element.textContent = text;
    place(element, box);
    window.client.append(element);
    return element;
  };
  label('Label2_3', info.contactLine1, l.Label2_3);
  label('Label2_4', info.contactLine2, l.Label2_4);
  label('Label2_5', 'Сайт:', l.Label2_5);
  const link = document.createElement('a');
  link.id = 'Label1';
  link.className = 'dialog-label site-link';
  link.textContent = info.siteCaption;
  link.href = info.siteAddress;
  link.target = '_blank';
  link.rel = 'noopener';
  const c = l.linkColour;
  link.style.color = `rgb(${c & 0xff}, ${(c >> 8) & 0xff}, ${(c >> 16) & 0xff})`;
  place(link, l.Label1);
  const line = document.createElement('div');
  line.className = 'engraved';
  place(line, l.line);
  const picture = document.createElement('div');
  picture.id = 'Picture1';
  picture.className = 'sunken white';
  place(picture, l.Picture1);
  paintPicture(core, PictureId.Flag, flag);
  picture.append(flag);
  window.client.append(image, link, line, picture);
  pressOnEnter(window.client, () => ok);
  ok.focus();
  await window.closed;
}
