// The page's modal windows: a frame with its caption and close box over a veil that keeps
// the main window from taking any input, as the desktop's modal windows do. One at a time.
import { MessageRequest } from './core.js';
import { fitModal } from './fit.js';

export interface PageWindow {
  frame: HTMLElement;
  client: HTMLElement;
  // Resolves with the window's answer once it has closed.
  closed: Promise<string>;
  close(answer: string): void;
}

let open: PageWindow | null = null;

export function windowOpen(): boolean {
  return open !== null;
}

// A modal window of `width` x `height` client pixels, centred; Escape and the close box
// answer `closeAnswer`.
export function openWindow(
  name: string,
  caption: string,
  width: number,
  height: number,
  closeAnswer: string,
): PageWindow {
  const veil = document.createElement('div');
  veil.className = 'veil';
  const frame = document.createElement('div');
  frame.className = 'frame';
  frame.id = name;
  frame.setAttribute('role', 'dialog');
  frame.setAttribute('aria-modal', 'true');
  frame.setAttribute('aria-label', caption);
  const bar = document.createElement('div');
  bar.className = 'caption';
  const text = document.createElement('span');
  text.textContent = caption;
  const closeBox = document.createElement('button');
  closeBox.className = 'close-box';
  closeBox.type = 'button';
  closeBox.tabIndex = -1;
  closeBox.setAttribute('aria-label', 'Закрыть');
  closeBox.textContent = '\u2715';
  bar.append(text, closeBox);
  const client = document.createElement('div');
  client.className = 'dialog-client';
  client.style.width = `${width}px`;
  client.style.height = `${height}px`;
  frame.append(bar, client);
  veil.append(frame);
  const before = document.activeElement as HTMLElement | null;
  let finish: (answer: string) => void = () => {};
  const closed = new Promise<string>((resolve) => (finish = resolve));
  const window: PageWindow = {
    frame,
    client,
    closed,
    close(answer: string) {
      if (open !== window) return;
      open = null;
      veil.remove();
      document.removeEventListener('keydown', keys, true);
      before?.focus?.();
      finish(answer);
    },
  };
  // Keys belong to the window while it is open: Escape closes it, Tab stays inside; neither
  // goes on to the main window, which would take it for its own once this one is closed.
  const keys = (event: KeyboardEvent) => {
    if (event.key === 'Escape') {
      event.preventDefault();
      event.stopPropagation();
      window.close(closeAnswer);
    } else if (event.key === 'Tab') {
      event.stopPropagation();
      const stops = [...client.querySelectorAll<HTMLElement>('button:not([disabled]), input')];
      if (stops.length === 0) return;
      const at = stops.indexOf(document.activeElement as HTMLElement);
      const next = (at + (event.shiftKey ? stops.length - 1 : 1)) % stops.length;
      event.preventDefault();
      stops[at < 0 ? 0 : next].focus();
    }
  };
  document.addEventListener('keydown', keys, true);
  closeBox.addEventListener('click', () => window.close(closeAnswer));
  open = window;
  document.body.append(veil);
  fitModal(frame);
  return window;
}

// A push button at its place on a window's client area.
export function addButton(
  client: HTMLElement,
  name: string,
  caption: string,
  [left, top, width, height]: [number, number, number, number],
): HTMLButtonElement {
  const button = document.createElement('button');
  button.type = 'button';
  button.id = name;
  button.textContent = caption;
  Object.assign(button.style, {
    left: `${left}px`,
    top: `${top}px`,
    width: `${width}px`,
    height: `${height}px`,
  });
  client.append(button);
  return button;
}

// Enter presses the button that has the focus; elsewhere it presses `defaultButton`.
// The Enter goes no further: the main window must not take it once this one is closed.
export function pressOnEnter(client: HTMLElement, defaultButton: () => HTMLButtonElement): void {
  client.addEventListener('keydown', (event) => {
    if (event.key !== 'Enter') return;
    event.preventDefault();
    event.stopPropagation();
    const focused = document.activeElement;
    const target = focused instanceof HTMLButtonElement ? focused : defaultButton();
    if (!target.disabled) target.click();
  });
}

const kAnswers = { yes: 'Да', no: 'Нет', ok: 'OK' } as const;

// A message box: its text beside its icon, its buttons below, the preselected one focused;
// resolves with "yes", "no" or "ok". Closing it without a choice answers No (or OK).
export async function messageBox(request: MessageRequest): Promise<string> {
  const answers: (keyof typeof kAnswers)[] = request.buttons === 'yesno' ? ['yes', 'no'] : ['ok'];
  const closeAnswer = request.buttons === 'yesno' ? 'no' : 'ok';
  const lines = request.text.split('\r\n');
  const box = openWindow('msgbox', request.title, 0, 0, closeAnswer);
  box.client.classList.add('message-box');
  box.client.style.width = box.client.style.height = '';
  const body = document.createElement('div');
  body.className = 'message-body';
  const icon = document.createElement('div');
  icon.className = `message-icon ${request.icon}`;
  icon.setAttribute('aria-hidden', 'true');
  icon.textContent = request.icon === 'exclamation' ? '!' : '\u2715';
  const text = document.createElement('div');
  text.className = 'message-text';
  for (const line of lines) {
    const p = document.createElement('p');
    p.textContent = line;
    text.append(p);
  }
  body.append(icon, text);
  const row = document.createElement('div');
  row.className = 'message-buttons';
  const buttons = answers.map((answer) => {
    const button = document.createElement('button');
    button.type = 'button';
    button.textContent = kAnswers[answer];
    button.dataset.answer = answer;
    button.addEventListener('click', () => box.close(answer));
    row.append(button);
    return button;
  });
  box.client.append(body, row);
  const preselected = buttons[answers.indexOf(request.defaultButton as never)] ?? buttons[0];
  pressOnEnter(box.client, () => preselected);
  fitModal(box.frame);
  preselected.focus();
  return box.closed;
}
