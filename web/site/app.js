// The page around the board program (chess.js and chess.wasm): it executes the program's
// drawing steps on the canvas, hands it the player's double-clicks, taps, keys and menu
// choices, and shows what it asks for: status text, dialogs, downloads, the clipboard, the beep
// and the lines for the screen reader. The rules, texts and the picture all come from the program.
'use strict';

const element = (id) => document.getElementById(id);
const canvas = element('picture');
const board = element('board');
// The menu bar's menus in the program's order: the File menu, then the game menu.
const menus = [{button: element('file-button'), list: element('file-menu')},
    {button: element('game-button'), list: element('game-menu')}];
const spoken = element('spoken');
const messageBox = element('message');
const promotionBox = element('promotion');
const openFile = element('open-file');
const clockPart = element('clock');
const clockDialog = element('clock-dialog');

// The board's keys in the order of the program's key table; Enter covers the keypad's too.
const BOARD_KEYS = ['ArrowLeft', 'ArrowRight', 'ArrowUp', 'ArrowDown', 'Home', 'End', 'PageUp', 'PageDown',
    'Enter', ' ', 'Escape', 't'];
const DOUBLE_TAP_MS = 500;
const DOUBLE_TAP_REACH = 20; // picture pixels between the two taps

// The picture is composed off screen; the visible canvas adds the keyboard mark on top.
const composed = document.createElement('canvas');
const paint = composed.getContext('2d');
const shown = canvas.getContext('2d');
const cells = [];
const commands = new Map();
const messages = [];
const HISTORY_KEY = 'chessboard-history'; // where the game's history is kept between visits
let unsavedHistory = null;
let fileCommand = 0; // the command that asked for the file being chosen
let clockTimer = 0;
let pictureSize = {width: canvas.width, height: canvas.height};
let sheet = null; // the 26 square images side by side, at 1x or 2x
let sheetScale = 1;
let keyboardMark = null;
let lastPointer = 'mouse';
let lastTap = null;
let audio = null;

const hex = (rgb) => '#' + rgb.toString(16).padStart(6, '0');
const pixelRatio = () => window.devicePixelRatio || 1;

function loadSheet() {
    const scale = pixelRatio() > 1 ? 2 : 1;
    const image = new Image();
    image.src = scale === 2 ? 'squares@2x.png' : 'squares.png';
    return image.decode().then(() => {
        sheet = image;
        sheetScale = scale;
    });
}

function compose() {
    const ratio = pixelRatio();
    shown.setTransform(1, 0, 0, 1, 0, 0);
    shown.drawImage(composed, 0, 0);
    if (keyboardMark && keyboardMark.used && document.activeElement === board) {
        const {left, top, width, height, rgb} = keyboardMark;
        shown.setTransform(ratio, 0, 0, ratio, 0, 0);
        shown.strokeStyle = hex(rgb);
        shown.lineWidth = 2;
        shown.strokeRect(left + 1, top + 1, width - 2, height - 2);
    }
}

// "&R" marks the mnemonic: shown underlined, and kept for the menu's letter keys. A caption
// without one is shown as it is.
function showCaption(target, caption) {
    const at = caption.indexOf('&');
    if (at < 0) {
        target.textContent = caption;
        return '';
    }
    const mnemonic = caption.charAt(at + 1);
    const underlined = document.createElement('u');
    underlined.textContent = mnemonic;
    target.replaceChildren(caption.slice(0, at), underlined, caption.slice(at + 2));
    target.dataset.mnemonic = mnemonic.toLowerCase();
    return mnemonic;
}

function focusBoard() {
    board.focus({preventScroll: true});
}

// A modal dialog takes the focus itself, then hands it to its default button two frames later
// (a screen reader hears of the focus changes of one frame only by their end). Chromium leaves
// everything outside a modal dialog out of its accessibility tree, the square that had the
// focus included; told of nothing but the button, Orca would not say that a dialog opened.
function showDialog(dialog, button = dialog.querySelector('[autofocus]')) {
    dialog.showModal();
    dialog.focus();
    requestAnimationFrame(() => requestAnimationFrame(() => {
        if (document.activeElement === dialog)
            button.focus();
    }));
}

// Runs one of the program's entry points for a gesture or command; the lines it speaks
// replace those of the one before.
function act(call) {
    spoken.replaceChildren();
    call();
}

// The program's calls to the page (web/web_desktop.cpp).
const chessPage = {
    placeBoard(left, top, size, width, height) {
        pictureSize = {width, height};
        const percent = (part, whole) => (100 * part / whole) + '%';
        Object.assign(board.style, {left: percent(left, width), top: percent(top, height),
            width: percent(size, width), height: percent(size, height)});
        for (let row = 0; row < 8; ++row) {
            const line = document.createElement('div');
            line.setAttribute('role', 'row');
            for (let file = 0; file < 8; ++file) {
                const cell = document.createElement('div');
                cell.setAttribute('role', 'gridcell');
                cell.id = 'cell-' + String.fromCharCode(97 + file) + (8 - row);
                cells.push(cell);
                line.append(cell);
            }
            board.append(line);
        }
    },
    beginPicture(font) {
        const ratio = pixelRatio();
        for (const target of [canvas, composed]) {
            target.width = Math.round(pictureSize.width * ratio);
            target.height = Math.round(pictureSize.height * ratio);
        }
        paint.setTransform(ratio, 0, 0, ratio, 0, 0);
        paint.font = font;
        paint.textBaseline = 'top';
    },
    fillRect(left, top, width, height, rgb) {
        paint.fillStyle = hex(rgb);
        paint.fillRect(left, top, width, height);
    },
    drawLabel(text, left, top) {
        paint.fillStyle = '#000';
        paint.fillText(text, left, top);
    },
    drawSquare(image, left, top, width, height) {
        // An image larger than its square shows only its top-left part.
        const size = sheet.naturalHeight;
        paint.drawImage(sheet, image * size, 0, width * sheetScale, height * sheetScale, left, top, width, height);
    },
    endPicture() {
        compose();
        if (!performance.getEntriesByName('first-board').length)
            performance.mark('first-board'); // what bench/web_load.js times
    },
    setCell(file, row, name, selected) {
        const cell = cells[row * 8 + file];
        if (cell.getAttribute('aria-label') !== name)
            cell.setAttribute('aria-label', name);
        cell.setAttribute('aria-selected', selected);
    },
    showKeyboardSquare(file, row, used, left, top, width, height, rgb) {
        board.setAttribute('aria-activedescendant', cells[row * 8 + file].id);
        keyboardMark = {used, left, top, width, height, rgb};
        compose();
    },
    setStatus(text) {
        element('status').textContent = text;
    },
    announce(line) {
        const paragraph = document.createElement('p');
        paragraph.textContent = line;
        spoken.append(paragraph);
    },
    beep() {
        audio ??= new AudioContext();
        const tone = audio.createOscillator();
        const volume = audio.createGain();
        tone.frequency.value = 880;
        volume.gain.value = 0.1;
        tone.connect(volume).connect(audio.destination);
        tone.start();
        tone.stop(audio.currentTime + 0.15);
    },
    showMessage(text, caption) {
        messages.push({text, caption});
        if (!messageBox.open)
            showNextMessage();
    },
    askPromotion(caption, prompt) {
        element('promotion-caption').textContent = caption;
        element('promotion-prompt').textContent = prompt;
        showDialog(promotionBox);
    },
    chooseFile(pattern) {
        fileCommand = lastCommand;
        openFile.accept = pattern.replace('*', '');
        openFile.value = '';
        openFile.click();
    },
    download(name, bytes) {
        const url = URL.createObjectURL(new Blob([bytes], {type: 'application/octet-stream'}));
        const link = document.createElement('a');
        link.href = url;
        link.download = name;
        document.body.append(link);
        link.click();
        link.remove();
        setTimeout(() => URL.revokeObjectURL(url), 60000);
    },
    // Synchronous, as the program asks: a copy event fills the clipboard with the exact text.
    copyText(text) {
        let filled = false;
        const fill = (event) => {
            event.clipboardData.setData('text/plain', text);
            event.preventDefault();
            filled = true;
        };
        document.addEventListener('copy', fill);
        let copied = false;
        try {
            copied = document.execCommand('copy');
        } finally {
            document.removeEventListener('copy', fill);
        }
        return copied && filled ? 1 : 0;
    },
    // A page may close only a window a script opened; anywhere else the board is put away.
    close() {
        window.close();
        document.body.classList.add('closed');
    },
    setMenuCaption(menu, caption) {
        menus[menu].button.accessKey = showCaption(menus[menu].button, caption).toLowerCase();
    },
    addMenuItem(menu, command, caption, shortcut) {
        const item = document.createElement(command ? 'button' : 'div');
        if (command) {
            item.type = 'button';
            item.tabIndex = -1;
            item.setAttribute('role', 'menuitem');
            const label = document.createElement('span');
            showCaption(label, caption);
            item.dataset.mnemonic = label.dataset.mnemonic ?? '';
            item.append(label);
            if (shortcut) {
                const keys = document.createElement('span');
                keys.className = 'shortcut';
                keys.textContent = shortcut;
                keys.setAttribute('aria-hidden', 'true');
                item.append(keys);
                item.setAttribute('aria-keyshortcuts', shortcut.replace('Ctrl', 'Control'));
            }
            item.addEventListener('click', () => runCommand(command));
            commands.set(command, item);
        } else {
            item.setAttribute('role', 'separator');
        }
        menus[menu].list.append(item);
    },
    // Written once the page has shown the step, and before it goes away.
    storeHistory(text) {
        if (unsavedHistory === null)
            setTimeout(flushHistory);
        unsavedHistory = text;
    },
    savedHistory() {
        try {
            return localStorage.getItem(HISTORY_KEY) ?? '';
        } catch {
            return ''; // storage turned off: the page starts with nothing to undo
        }
    },
    setCommandEnabled(command, enabled) {
        commands.get(command).disabled = !enabled;
    },
    setCommandCaption(command, caption) {
        const label = commands.get(command).firstChild;
        if (label.dataset.caption !== caption) {
            label.dataset.caption = caption;
            commands.get(command).dataset.mnemonic = showCaption(label, caption).toLowerCase();
        }
    },
    // The clock part and the program's next tick: only while the clock runs is a timer set.
    showClock(text, words, nextTick) {
        clockPart.hidden = text === '';
        clockPart.textContent = text;
        if (clockPart.getAttribute('aria-label') !== words)
            clockPart.setAttribute('aria-label', words);
        clearTimeout(clockTimer);
        if (nextTick >= 0) {
            // Within a dialog the game waits for its answer: the face alone is shown.
            clockTimer = setTimeout(() => Module._chess_clock_tick(document.querySelector('dialog[open]') ? 1 : 0),
                nextTick);
        }
    },
    addClockChoice(index, label) {
        const choice = document.createElement('label');
        const radio = document.createElement('input');
        radio.type = 'radio';
        radio.name = 'clock';
        radio.value = index;
        choice.append(radio, label);
        element('clock-choices').append(choice);
    },
    // The players' own control: a choice with a minutes and a seconds field.
    addOwnClockChoice(index, label, minutes, seconds) {
        chessPage.addClockChoice(index, label);
        const choice = element('clock-choices').lastChild;
        const field = (name, unit) => {
            const input = document.createElement('input');
            input.type = 'text';
            input.inputMode = 'numeric';
            input.maxLength = 3;
            input.id = 'clock-' + name;
            input.setAttribute('aria-label', unit);
            input.addEventListener('input', () => (choice.firstChild.checked = true));
            return input;
        };
        choice.append(' ', field('minutes', minutes), minutes, ' + ', field('seconds', seconds), seconds);
    },
    // A refused entry: the dialog again as it was, under the box that says why.
    askTimeControlAgain() {
        showDialog(clockDialog, clockDialog.querySelector('input:checked'));
    },
    askTimeControl(caption, checked, minutes, seconds) {
        element('clock-caption').textContent = caption;
        clockDialog.querySelectorAll('input[type="radio"]')[checked].checked = true;
        element('clock-minutes').value = minutes;
        element('clock-seconds').value = seconds;
        showDialog(clockDialog, clockDialog.querySelector('input:checked'));
    },
};

clockDialog.addEventListener('close', () => {
    if (clockDialog.returnValue !== 'ok') {
        focusBoard();
        return;
    }
    const choice = Number(clockDialog.querySelector('input:checked').value);
    const number = (id) => (/^[0-9]{1,3}$/.test(element(id).value) ? Number(element(id).value) : -1);
    let taken = 0;
    act(() => (taken = Module._chess_choose_clock(choice, number('clock-minutes'), number('clock-seconds'))));
    if (taken)
        focusBoard();
});

function showNextMessage() {
    const next = messages.shift();
    if (!next) {
        focusBoard();
        return;
    }
    element('message-caption').textContent = next.caption;
    // The record's lines end in CR LF; the box shows plain line breaks.
    element('message-text').textContent = next.text.replaceAll('\r\n', '\n');
    showDialog(messageBox);
}
messageBox.addEventListener('close', showNextMessage);

// 0 queen, 1 rook, 2 bishop, 3 knight. Enter and Escape give the queen, whichever button has
// the focus, as the desktop dialog does; Space and a click take the focused button.
function choosePromotion(choice) {
    promotionBox.close();
    act(() => Module._chess_promotion_chosen(choice));
    focusBoard();
}
const promotionButtons = [...promotionBox.querySelectorAll('button')];
promotionButtons.forEach((button) => button.addEventListener('click', () => choosePromotion(Number(button.value))));
promotionBox.addEventListener('cancel', (event) => {
    event.preventDefault();
    choosePromotion(0);
});
promotionBox.addEventListener('keydown', (event) => {
    const step = {ArrowRight: 1, ArrowDown: 1, ArrowLeft: -1, ArrowUp: -1}[event.key];
    if (event.key === 'Enter') {
        event.preventDefault();
        choosePromotion(0);
    } else if (step) {
        event.preventDefault();
        const at = promotionButtons.indexOf(document.activeElement);
        promotionButtons[(at + step + promotionButtons.length) % promotionButtons.length].focus();
    }
});

function flushHistory() {
    if (unsavedHistory === null)
        return;
    try {
        localStorage.setItem(HISTORY_KEY, unsavedHistory);
    } catch {
        // Full or turned off: the game goes on, unsaved, as a desktop with a full disk would.
    }
    unsavedHistory = null;
}
window.addEventListener('pagehide', flushHistory);

// The menus: the menu bar is one stop for Tab, its buttons reached from each other by Left and
// Right, and by their access keys. A button opens its menu; arrows, Home and End move, Left and
// Right go to the next menu, Enter and Space choose, Escape and Tab close it, and a mnemonic letter goes to
// its item (chooses it when it is the only one with that letter). Disabled items are passed
// over.
let lastCommand = 0;

function menuItems(menu) {
    return [...menu.list.querySelectorAll('[role="menuitem"]')].filter((item) => !item.disabled);
}

function openMenu(menu, last) {
    closeMenus();
    menu.list.style.left = menu.button.offsetLeft + 'px';
    menu.list.hidden = false;
    menu.button.setAttribute('aria-expanded', 'true');
    const items = menuItems(menu);
    items[last ? items.length - 1 : 0]?.focus();
}

function closeMenus() {
    for (const menu of menus) {
        menu.list.hidden = true;
        menu.button.setAttribute('aria-expanded', 'false');
    }
}

function runCommand(command) {
    closeMenus();
    focusBoard();
    lastCommand = command;
    act(() => Module._chess_command(command));
}

menus.forEach((menu, index) => {
    const neighbour = (step) => menus[(index + step + menus.length) % menus.length];
    menu.button.addEventListener('click', () => (menu.list.hidden ? openMenu(menu, false) : closeMenus()));
    menu.button.addEventListener('keydown', (event) => {
        const across = {ArrowLeft: -1, ArrowRight: 1}[event.key];
        if (event.key === 'ArrowDown' || event.key === 'ArrowUp') {
            event.preventDefault();
            openMenu(menu, event.key === 'ArrowUp');
        } else if (across) {
            event.preventDefault();
            neighbour(across).button.focus();
        }
    });
    menu.list.addEventListener('keydown', (event) => {
        const items = menuItems(menu);
        const at = items.indexOf(document.activeElement);
        const moves = {ArrowDown: at + 1, ArrowUp: at - 1, Home: 0, End: items.length - 1};
        const across = {ArrowLeft: -1, ArrowRight: 1}[event.key];
        if (event.key in moves) {
            event.preventDefault();
            items[(moves[event.key] + items.length) % items.length].focus();
        } else if (across) {
            event.preventDefault();
            openMenu(neighbour(across), false);
        } else if (event.key === 'Escape') {
            event.preventDefault();
            closeMenus();
            menu.button.focus();
        } else if (event.key === 'Tab') {
            closeMenus();
        } else if (event.key.length === 1 && !event.ctrlKey && !event.altKey && !event.metaKey) {
            const letter = event.key.toLowerCase();
            const matching = items.filter((item) => item.dataset.mnemonic === letter);
            if (matching.length === 1)
                matching[0].click();
            else if (matching.length > 1)
                matching[(matching.indexOf(document.activeElement) + 1) % matching.length].focus();
        }
    });
});
document.addEventListener('pointerdown', (event) => {
    if (!menus.some((menu) => menu.list.contains(event.target) || menu.button.contains(event.target)))
        closeMenus();
});
// The menus' Ctrl shortcuts, from anywhere in the window but a dialog.
document.addEventListener('keydown', (event) => {
    if (!event.ctrlKey || event.altKey || event.metaKey || !/^[a-z]$/i.test(event.key) ||
        document.querySelector('dialog[open]'))
        return;
    let taken = 0;
    act(() => (taken = Module._chess_shortcut(event.key.toUpperCase().charCodeAt(0), event.shiftKey)));
    if (taken)
        event.preventDefault();
});

openFile.addEventListener('change', () => {
    const file = openFile.files[0];
    if (!file)
        return;
    file.arrayBuffer().then((contents) => {
        const bytes = new Uint8Array(contents);
        const copy = Module._malloc(Math.max(bytes.length, 1)); // 0 when memory ran out
        if (copy)
            HEAPU8.set(bytes, copy);
        act(() => Module._chess_open_file(fileCommand, copy, bytes.length));
        Module._free(copy);
    }, () => act(() => Module._chess_open_file(fileCommand, 0, 0)));
});

// The board: a double-click or a double tap is a left double-click at that point of the
// picture, a right double-click cancels, and the keys of the table act on the keyboard square.
const area = element('picture-area');

function picturePoint(event) {
    const bounds = canvas.getBoundingClientRect();
    return {x: Math.floor((event.clientX - bounds.left) * pictureSize.width / bounds.width),
        y: Math.floor((event.clientY - bounds.top) * pictureSize.height / bounds.height)};
}

area.addEventListener('pointerdown', (event) => {
    lastPointer = event.pointerType;
});
area.addEventListener('dblclick', (event) => {
    // A touch screen's own double-click would repeat the double tap.
    if (event.button !== 0 || lastPointer === 'touch')
        return;
    const {x, y} = picturePoint(event);
    act(() => Module._chess_double_click(x, y));
});
area.addEventListener('pointerup', (event) => {
    if (event.pointerType !== 'touch')
        return;
    const tap = {...picturePoint(event), time: event.timeStamp};
    const again = lastTap && tap.time - lastTap.time < DOUBLE_TAP_MS &&
        Math.hypot(tap.x - lastTap.x, tap.y - lastTap.y) < DOUBLE_TAP_REACH;
    lastTap = again ? null : tap;
    if (again)
        act(() => Module._chess_double_click(tap.x, tap.y));
});
// A right double-click gives no dblclick event: it is the second press of the right button.
area.addEventListener('mousedown', (event) => {
    if (event.button === 2 && event.detail === 2)
        act(() => Module._chess_cancel());
});
area.addEventListener('contextmenu', (event) => event.preventDefault());

board.addEventListener('keydown', (event) => {
    if (event.altKey || event.ctrlKey || event.metaKey)
        return;
    const key = BOARD_KEYS.indexOf(event.key === 'T' ? 't' : event.key);
    if (key >= 0) {
        event.preventDefault();
        act(() => Module._chess_key(key));
    } else if (event.key.length === 1) {
        const code = event.key.charCodeAt(0);
        // Any other character forgets a typed file letter, which 0 does too.
        if (Module._chess_typed_character(code < 128 ? code : 0))
            event.preventDefault();
    }
});
board.addEventListener('focus', compose);
board.addEventListener('blur', compose);

// A move to a screen of another density draws the picture again with the art for it.
function followPixelRatio() {
    matchMedia(`(resolution: ${pixelRatio()}dppx)`).addEventListener('change', () => {
        loadSheet().then(() => Module._chess_redraw());
        followPixelRatio();
    }, {once: true});
}

var Module = {};
Promise.all([loadSheet(), new Promise((resolve) => (Module.onRuntimeInitialized = resolve))]).then(() => {
    const saved = new TextEncoder().encode(chessPage.savedHistory());
    const copy = Module._malloc(Math.max(saved.length, 1));
    if (copy)
        HEAPU8.set(saved, copy);
    Module._chess_start(copy, copy ? saved.length : 0);
    Module._free(copy);
    element('window').inert = false; // no input reaches the window before the program runs
    focusBoard();
    followPixelRatio();
});

// Offline use and installing: the service worker keeps every file after the first visit.
window.addEventListener('load', () => navigator.serviceWorker?.register('sw.js'));
