// Plays the built web page in the system's headless Chromium or Firefox as a person would: mouse
// double-clicks, the keyboard alone, touch, the File menu, its dialogs, downloads and file
// input, the clipboard, the accessibility tree and a second visit with the server gone.
// Chromium is driven through its DevTools protocol, Firefox through WebDriver BiDi.
//     SITE_DIR=build/web/web/site OUT_DIR=... [BROWSER=firefox] node tests/web/page_test.js
'use strict';
const {test, before, after} = require('node:test');
const assert = require('node:assert/strict');
const {execFileSync} = require('child_process');
const crypto = require('crypto');
const fs = require('fs');
const path = require('path');
const puppeteer = require('puppeteer-core');
const {serveSite, sentFiles} = require('./static_server.js');

const OUT = process.env.OUT_DIR;
const FIREFOX = process.env.BROWSER === 'firefox';
const WHITE_MOVING = 'Turn:White  moving';
const BLACK_MOVING = 'Turn:Black\u3000moving\uff65\uff65\uff65';
const WHITE_THINKING = 'Turn:White\u3000thinking\uff65\uff65\uff65';
const BLACK_THINKING = 'Turn:Black\u3000thinking\uff65\uff65\uff65';
// The game: en passant on move 3, castling on 6, both sides promote on 8 (White to a rook
// through the dialog's button, Black to a queen with Enter), and White takes the king.
const GAME = [['e2', 'e4'], ['a7', 'a6'], ['e4', 'e5'], ['d7', 'd5'], ['e5', 'd6'], ['b8', 'c6'], ['g1', 'f3'],
    ['a6', 'a5'], ['f1', 'e2'], ['a5', 'a4'], ['e1', 'g1'], ['a4', 'a3'], ['d6', 'c7'], ['a3', 'b2'],
    ['c7', 'd8', 'Rook'], ['b2', 'a1', 'Enter']];
const RECORD = '1  e2-e4      a7-a6\r\n2  e4-e5      d7-d5\r\n3  e5-d6 e.p. b8-c6\r\n4  g1-f3      a6-a5\r\n' +
    '5  f1-e2      a5-a4\r\n6  o-o        a4-a3\r\n7  d6-c7      a3-b2\r\n8  c7-d8=R    b2-a1=Q\r\n';
const POSITION = 'rnbqkbnr/pppp1ppp/8/4p3/4P3/5N2/PPPP1PPP/RNBQKB1R b KQkq - 1 2';

const SITE = path.join(OUT, 'site'); // a copy, built again by the last test
let site;
let browser;
let page;

before(async () => {
    // A fresh profile each run, so that the first visit really comes from the server.
    fs.rmSync(OUT, {recursive: true, force: true});
    fs.mkdirSync(path.join(OUT, 'downloads'), {recursive: true});
    fs.cpSync(process.env.SITE_DIR, SITE, {recursive: true});
    site = await serveSite(SITE);
    const home = path.join(OUT, 'home');
    const common = {headless: true, userDataDir: path.join(OUT, 'profile'),
        env: {...process.env, HOME: home, XDG_CONFIG_HOME: home, XDG_CACHE_HOME: home}};
    if (FIREFOX) {
        browser = await puppeteer.launch({...common, browser: 'firefox',
            executablePath: process.env.FIREFOX || '/usr/bin/firefox-esr',
            extraPrefsFirefox: {'intl.accept_languages': 'ja', 'browser.download.folderList': 2,
                'browser.download.dir': path.join(OUT, 'downloads'), 'browser.download.useDownloadDir': true,
                'browser.download.alwaysOpenPanel': false,
                // Lets the test read the clipboard without the paste button Firefox shows a person.
                'dom.events.testing.asyncClipboard': true}});
    } else {
        browser = await puppeteer.launch({...common, executablePath: process.env.CHROMIUM || '/usr/bin/chromium',
            args: ['--no-sandbox', '--disable-gpu', '--lang=ja']});
        const downloads = await browser.target().createCDPSession();
        await downloads.send('Browser.setDownloadBehavior', {behavior: 'allow', downloadPath: path.join(OUT, 'downloads')});
        await browser.defaultBrowserContext().overridePermissions(site.url, ['clipboard-read', 'clipboard-sanitized-write']);
    }
    page = await openPage({width: 440, height: 560, deviceScaleFactor: 1});
});

after(async () => {
    await browser?.close();
    await site?.stop();
});

async function openPage(viewport, prepare = () => {}) {
    const opened = await browser.newPage();
    await opened.evaluateOnNewDocument(prepare);
    const errors = [];
    opened.on('pageerror', (error) => errors.push(error.message));
    opened.errors = errors;
    // Beeps are counted where they are made.
    await opened.evaluateOnNewDocument(() => {
        window.beeps = 0;
        const make = AudioContext.prototype.createOscillator;
        AudioContext.prototype.createOscillator = function () {
            ++window.beeps;
            return make.call(this);
        };
    });
    await opened.setViewport(viewport);
    await opened.goto(site.url);
    await opened.waitForFunction(() => document.getElementById('status').textContent === 'Ready');
    return opened;
}

const status = (on = page) => on.$eval('#status', (bar) => bar.textContent);
const spokenText = () => page.$eval('#spoken', (region) => region.textContent);
const beeps = () => page.evaluate(() => window.beeps);
const shoot = (name, on = page) => on.screenshot({path: path.join(OUT, name + '.png')});

async function centre(square, on = page) {
    const box = await (await on.$('#cell-' + square)).boundingBox();
    return {x: box.x + box.width / 2, y: box.y + box.height / 2};
}

async function doubleClick(square, button = 'left') {
    const {x, y} = await centre(square);
    await page.mouse.click(x, y, {button, count: 2});
}

async function menu(caption, button = '#file-button') {
    await page.click(button);
    const [item] = await page.$$(`xpath/.//*[@role="menuitem"][starts-with(normalize-space(.), "${caption}")]`);
    return item;
}

// Writes `contents` to the file `name` and gives it to the file chooser that the menu item
// (a promise of it) asks for.
async function openThrough(item, name, contents) {
    const file = path.join(OUT, name);
    fs.writeFileSync(file, contents);
    const [chooser] = await Promise.all([page.waitForFileChooser(), (await item).click()]);
    await chooser.accept([file]);
}

async function download(name, run) {
    const file = path.join(OUT, 'downloads', name);
    fs.rmSync(file, {force: true});
    await run();
    // Firefox first makes an empty FILE, then writes FILE.part and renames it when done.
    const done = () => fs.existsSync(file) && fs.statSync(file).size > 0 && !fs.existsSync(file + '.part');
    for (let waited = 0; !done() && waited < 5000; waited += 50)
        await new Promise((resolve) => setTimeout(resolve, 50));
    return fs.readFileSync(file);
}

// An open box, once its OK button has the focus (the box holds it for two frames first).
async function messageBox() {
    await page.waitForSelector('#message[open] button:focus');
    return page.evaluate(() => ({caption: document.getElementById('message-caption').textContent,
        text: document.getElementById('message-text').textContent}));
}

async function closeMessage() {
    await page.click('#message button');
    await page.waitForSelector('#message:not([open])');
}

// The states the accessibility tree gives the board: Chromium's own tree through its DevTools
// protocol. WebDriver BiDi reaches roles and names but no states: for Firefox the page's
// attributes stand in (the screen-reader test hears what Firefox makes of them).
async function accessibleStates() {
    if (FIREFOX) {
        return page.evaluate(() => {
            const name = (element) => element.getAttribute('aria-label');
            const active = document.getElementById(document.getElementById('board').getAttribute('aria-activedescendant'));
            return {selected: [...document.querySelectorAll('[aria-selected="true"]')].map(name), active: name(active),
                spoken: [...document.querySelectorAll('[aria-live="polite"] *')].map((line) => line.textContent)};
        });
    }
    const session = await page.createCDPSession();
    const {nodes} = await session.send('Accessibility.getFullAXTree');
    await session.detach();
    const byId = new Map(nodes.map((node) => [node.nodeId, node]));
    const cells = nodes.filter((node) => node.role?.value === 'gridcell');
    const selected = cells.filter((cell) => cell.properties?.some((p) => p.name === 'selected' && p.value.value));
    const grid = nodes.find((node) => node.role?.value === 'grid');
    const active = grid.properties.find((p) => p.name === 'activedescendant').value.relatedNodes[0].backendDOMNodeId;
    const polite = (node) => node.properties?.some((p) => p.name === 'live' && p.value.value === 'polite');
    const inLiveRegion = (node) => node && (polite(node) || inLiveRegion(byId.get(node.parentId)));
    return {selected: selected.map((cell) => cell.name.value),
        active: cells.find((cell) => cell.backendDOMNodeId === active).name.value,
        spoken: nodes.filter((node) => node.role?.value === 'StaticText' && inLiveRegion(node)).map((node) => node.name.value)};
}

test('a first visit: the server sends each file once, and the service worker keeps them all', async () => {
    await page.evaluate(() => navigator.serviceWorker.ready);
    const everyFile = fs.readdirSync(SITE).sort().map((name) => [name, 1]);
    assert.deepEqual([...sentFiles(site)].sort(), everyFile);
});

test('a game by double-clicks: castling, en passant, both promotions and a king capture', async () => {
    assert.ok(await (await menu('棋譜を見る')).evaluate((item) => item.disabled), 'no record before White moves');
    await page.keyboard.press('Escape');
    await doubleClick('e7');
    assert.equal(await status(), 'warning : illegal  move');
    await doubleClick('e2');
    await doubleClick('e2', 'right');
    assert.equal(await status(), 'Turn:White thinking');
    assert.equal(await beeps(), 1);

    for (const [index, [from, to, promotion]] of GAME.entries()) {
        const white = index % 2 === 0;
        await doubleClick(from);
        assert.equal(await status(), white ? WHITE_MOVING : BLACK_MOVING, `${from} picked up`);
        if (index === 0) {
            await doubleClick('e5');
            assert.equal(await status(), 'warning : illegal\u3000move');
            assert.equal(await beeps(), 2);
        }
        await doubleClick(to);
        if (promotion) {
            await page.waitForSelector('#promotion[open]');
            await shoot(`promotion-${white ? 'white' : 'black'}`);
            if (promotion === 'Enter')
                await page.keyboard.press('Enter');
            else
                await page.click(`xpath/.//dialog[@id="promotion"]//button[text()="${promotion}"]`);
            await page.waitForSelector('#promotion:not([open])');
        }
        assert.equal(await status(), white ? BLACK_THINKING : WHITE_THINKING, `${from}-${to}`);
    }
    await doubleClick('d8');
    await doubleClick('e8');
    assert.deepEqual(await messageBox(), {caption: 'Win!!', text: '白の勝ち'});
    await shoot('game-won');
    await closeMessage();
    assert.equal(await status(), 'White has won!!');
    const names = await page.$$eval('[role="gridcell"]', (cells) => cells.map((cell) => cell.getAttribute('aria-label')));
    assert.deepEqual([names[4], names[56], names[62], names[61]],
        ['e8, white rook', 'a1, black queen', 'g1, white king', 'f1, white rook']);
    await shoot('game-1x');
});

test('the record: shown in a box, downloaded byte for byte, copied exactly', async () => {
    await (await menu('棋譜を見る')).click();
    assert.deepEqual(await messageBox(), {caption: '棋譜', text: RECORD.replaceAll('\r\n', '\n')});
    await closeMessage();
    const saved = await download('棋譜.txt', async () => (await menu('棋譜の保存')).click());
    assert.deepEqual(saved, Buffer.from(RECORD, 'latin1'));
    await (await menu('棋譜をコピー')).click();
    assert.equal(await page.evaluate(() => navigator.clipboard.readText()), RECORD);
    assert.equal(await page.$('#message[open]'), null, 'no clipboard error box');
});

test('a FEN file opened and saved back; a bad one is refused with its message', async () => {
    const open = (contents) => openThrough(menu('盤面データを開く'), 'opened.fen', contents);
    await open(POSITION + '\r\n');
    await page.waitForFunction(() => document.getElementById('status').textContent === 'Turn:Black thinking');
    assert.equal(await page.$eval('#cell-f3', (cell) => cell.getAttribute('aria-label')), 'f3, white knight');
    assert.equal(await spokenText(), 'Position loaded. Black to move.');
    const saved = await download('無題.fen', async () => (await menu('盤面の保存')).click());
    assert.equal(saved.toString('latin1'), POSITION);

    await open('8/8/8');
    assert.deepEqual(await messageBox(), {caption: 'Error', text: '不正なファイルです'});
    await closeMessage();
    assert.equal(await page.$eval('#cell-f3', (cell) => cell.getAttribute('aria-label')), 'f3, white knight');
    assert.equal(await status(), 'Turn:Black thinking');
});

test('the same opening with the keyboard alone, menu and box included', async () => {
    const keys = async (...names) => {
        for (const name of names)
            await page.keyboard.press(name);
    };
    await page.focus('#file-button');
    await keys('ArrowDown', 'Enter'); // the first item: a new game
    assert.equal(await status(), 'Ready');
    assert.equal(await spokenText(), 'New game. White to move.');
    assert.equal(await page.evaluate(() => document.activeElement.id), 'board');
    const steps = [[['e', '2', 'Enter'], WHITE_MOVING], [['ArrowUp', 'ArrowUp', 'Enter'], BLACK_THINKING],
        [['a', '7', 'Enter'], BLACK_MOVING], [['ArrowDown', 'Enter'], WHITE_THINKING],
        [['e', '4', 'Enter'], WHITE_MOVING], [['ArrowUp', 'Enter'], BLACK_THINKING],
        [['d', '7', ' '], BLACK_MOVING], [['PageDown', 'Escape'], 'Turn:Black thinking'],
        [['d', '7', 'Enter', 'ArrowDown', 'ArrowDown', 'Enter'], WHITE_THINKING],
        [['e', '5', 'Enter', 'ArrowLeft', 'ArrowUp', 'Enter'], BLACK_THINKING]];
    for (const [pressed, expected] of steps) {
        await keys(...pressed);
        assert.equal(await status(), expected, pressed.join(' '));
    }
    assert.equal(await spokenText(), 'e5 to d6, en passant. Black to move.');
    // The keyboard square's mark, orange inside d6, shows while the board has the focus.
    const markPixel = () => page.evaluate(() => {
        const canvas = document.getElementById('picture');
        return [...canvas.getContext('2d').getImageData(166, 120, 1, 1).data.slice(0, 3)];
    });
    assert.deepEqual(await markPixel(), [255, 140, 0]);
    await shoot('keyboard-1x');
    // Back to the menu with Shift+Tab; the mark goes with the focus.
    await page.keyboard.down('Shift');
    await keys('Tab');
    await page.keyboard.up('Shift');
    assert.equal(await page.evaluate(() => document.activeElement.id), 'file-button');
    assert.notDeepEqual(await markPixel(), [255, 140, 0]);
    await keys('ArrowDown', 'p'); // 棋譜を見る(&P)
    const opening = RECORD.slice(0, RECORD.indexOf('b8-c6')).replaceAll('\r\n', '\n');
    assert.deepEqual(await messageBox(), {caption: '棋譜', text: opening});
    await keys('Enter');
    await page.waitForSelector('#message:not([open])');
    assert.equal(await page.evaluate(() => document.activeElement.id), 'board');
});

test('the accessibility tree: 64 named cells, the keyboard square, the pick-up, the live region', async () => {
    await page.keyboard.press('Escape');
    await page.keyboard.press('b');
    await page.keyboard.press('8');
    await page.keyboard.press('Enter');
    // Roles and names as the browser's accessibility engine gives them to a screen reader.
    assert.equal((await page.$$('aria/[role="gridcell"]')).length, 64);
    const cell = async (name) => (await page.$(`aria/${name}[role="gridcell"]`))?.evaluate((found) => found.id);
    assert.deepEqual(await Promise.all(['d6, white pawn', 'd5, empty', 'h1, white rook'].map(cell)),
        ['cell-d6', 'cell-d5', 'cell-h1']);
    assert.ok(await page.$('aria/board[role="grid"]'));
    assert.deepEqual(await accessibleStates(), {selected: ['b8, black knight'], active: 'b8, black knight',
        spoken: ['b8, black knight, picked up']});

    await page.keyboard.press('c');
    await page.keyboard.press('6');
    await page.keyboard.press('Enter');
    assert.deepEqual((await accessibleStates()).spoken, ['b8 to c6. White to move.']);
});

test('double taps on a touch screen pick up and put back', async () => {
    const touch = await openPage({width: 440, height: 560, deviceScaleFactor: 1, hasTouch: true, isMobile: true});
    const doubleTap = async (square) => {
        const {x, y} = await centre(square, touch);
        await touch.touchscreen.tap(x, y);
        await touch.touchscreen.tap(x, y);
    };
    await doubleTap('g1');
    assert.equal(await status(touch), WHITE_MOVING);
    await doubleTap('g1');
    assert.equal(await status(touch), 'Turn:White thinking');
    await doubleTap('b1');
    await doubleTap('c3');
    assert.equal(await status(touch), BLACK_THINKING);
    assert.deepEqual(touch.errors, []);
    await touch.close();
});

test('twice the pixels: the 2x art on an 800 x 940 canvas', async () => {
    const dense = await openPage({width: 440, height: 560, deviceScaleFactor: 2});
    const canvas = await dense.$eval('#picture', (picture) => [picture.width, picture.height, picture.clientWidth]);
    assert.deepEqual(canvas, [800, 940, 400]);
    assert.ok(await dense.evaluate(() => performance.getEntriesByType('resource')
        .some((entry) => entry.name.endsWith('/squares@2x.png'))));
    await shoot('page-2x', dense);
    await dense.close();
});

async function move(from, to, after) {
    await doubleClick(from);
    await doubleClick(to);
    await page.waitForFunction((text) => document.getElementById('status').textContent === text, {}, after);
}

async function withCtrl(...keys) {
    await page.keyboard.down('Control');
    for (const key of keys)
        await page.keyboard.press(key);
    await page.keyboard.up('Control');
}

const expectStatus = (text) =>
    page.waitForFunction((wanted) => document.getElementById('status').textContent === wanted, {}, text);

async function recordShown() {
    await (await menu('棋譜を見る')).click();
    const {text} = await messageBox();
    await closeMessage();
    return text;
}

test('the game menu: moves taken back and made again by their keys, the last game resumed on the next visit', async () => {
    page = await openPage({width: 440, height: 560, deviceScaleFactor: 1});
    await move('e2', 'e4', BLACK_THINKING);
    await move('e7', 'e5', WHITE_THINKING);
    await move('g1', 'f3', BLACK_THINKING);
    await withCtrl('z');
    await expectStatus(WHITE_THINKING);
    assert.equal(await spokenText(), 'Took back g1 to f3. White to move.');
    await withCtrl('y');
    await expectStatus(BLACK_THINKING);
    await withCtrl('z');
    await page.keyboard.down('Shift');
    await withCtrl('Z');
    await page.keyboard.up('Shift');
    await expectStatus(BLACK_THINKING);
    assert.equal(await recordShown(), '1  e2-e4      e7-e5\n2  g1-f3      ');

    page = await openPage({width: 440, height: 560, deviceScaleFactor: 1});
    const resume = await menu('前回の対局を再開', '#game-button');
    await shoot('game-menu');
    await resume.click();
    await expectStatus(BLACK_THINKING);
    assert.equal(await spokenText(), 'Last game resumed. Black to move.');
    assert.equal(await recordShown(), '1  e2-e4      e7-e5\n2  g1-f3      ');
});

test('PGN: the game downloaded, a file from elsewhere opened and stepped back, a bad one refused', async () => {
    const day = new Date();
    const saved = await download('棋譜.pgn', async () => (await menu('PGN で保存', '#game-button')).click());
    assert.match(saved.toString('utf8'), /^\[Event "Casual game"\]\n\[Site "\?"\]\n\[Date "\d{4}\.\d\d\.\d\d"\]\n/);
    assert.ok(saved.toString('utf8').endsWith('\n1. e4 e5 2. Nf3 *\n\n'), saved.toString('utf8'));
    assert.ok(saved.toString('utf8').includes(`[Date "${day.getFullYear()}.`));

    const open = (contents) => openThrough(menu('PGN を開く', '#game-button'), 'opened.pgn', contents);
    await open('\ufeff[Event "Club"]\r\n\r\n1. d4 {solid} d5 2. c4 $1 (2. Nf3) e6 *\r\n');
    await expectStatus(WHITE_THINKING);
    assert.equal(await recordShown(), '1  d2-d4      d7-d5\n2  c2-c4      e7-e6\n');
    await withCtrl('z');
    await expectStatus(BLACK_THINKING);
    await open('1. e4 e5 2. Ke3 *');
    assert.deepEqual(await messageBox(), {caption: 'Error', text: '白の 2 手目は指せない手です'});
    await closeMessage();
    assert.equal(await status(), BLACK_THINKING, 'the game is left as it was');
});

test('the clock: a minute set in its dialog, heard, shown running, and run out on a test clock', async () => {
    // The page's monotonic clock, moved on by the test.
    page = await openPage({width: 440, height: 560, deviceScaleFactor: 1}, () => {
        const real = performance.now.bind(performance);
        let ahead = 0;
        performance.now = () => real() + ahead;
        window.moveClockOn = (milliseconds) => (ahead += milliseconds);
    });
    const setClock = async (minutes) => {
        await (await menu('対局時計', '#game-button')).click();
        await page.waitForSelector('#clock-dialog[open]');
        await page.click('#clock-choices label:last-child input[type="radio"]');
        await page.$eval('#clock-minutes', (field, value) => (field.value = value), minutes);
        await page.$eval('#clock-seconds', (field) => (field.value = '0'));
        await page.click('#clock-dialog button[value="ok"]');
    };
    assert.equal(await page.$eval('#clock', (part) => part.hidden), true, 'no clock part until one is set');
    await setClock('0');
    assert.deepEqual(await messageBox(), {caption: '対局時計', text: '分は1～180、秒は0～60で入力して下さい'});
    await closeMessage();
    assert.notEqual(await page.$('#clock-dialog[open]'), null, 'the dialog stays open');
    await page.click('#clock-dialog button[value="cancel"]');
    await setClock('1');
    await page.waitForFunction(() => document.getElementById('clock').textContent === '白 1:00  黒 1:00');
    await page.focus('#board');
    await page.keyboard.press('t');
    assert.equal(await spokenText(), 'White 1 minute, Black 1 minute.');
    await move('e2', 'e4', BLACK_THINKING);
    await page.waitForFunction(() => document.getElementById('clock').textContent.includes('▶黒'));
    assert.equal(await page.$eval('#clock', (part) => part.getAttribute('aria-label')).then((name) =>
        name.startsWith('White 1 minute, Black ')), true);
    await shoot('clock-running');
    await page.evaluate(() => window.moveClockOn(61000));
    assert.deepEqual(await messageBox(), {caption: 'Win!!', text: '白の勝ち'});
    await closeMessage();
    assert.equal(await status(), 'White has won!!');
    assert.match(await page.$eval('#clock', (part) => part.textContent), /^白 1:00  黒 0\.0$/);
});

test('installable, and the page opens again with the server gone', async () => {
    if (!FIREFOX) { // Firefox has no report of this
        const session = await page.createCDPSession();
        const {installabilityErrors} = await session.send('Page.getInstallabilityErrors');
        assert.deepEqual(installabilityErrors, []);
    }
    await page.evaluate(() => navigator.serviceWorker.ready);
    await site.stop();
    const again = await openPage({width: 440, height: 560, deviceScaleFactor: 1});
    assert.equal(await again.evaluate(() => !!navigator.serviceWorker.controller), true);
    await shoot('offline-1x', again);
    await page.bringToFront();
    await page.click('#file-button');
    const closed = new Promise((resolve) => page.once('close', resolve));
    await page.keyboard.down('x'); // 終了(&X)
    if (FIREFOX) {
        await closed; // Firefox lets a page close a tab that holds nothing else in its history
    } else {
        // Chromium lets a page close only a tab it opened: the board is put away instead.
        await page.keyboard.up('x');
        await page.waitForSelector('body.closed');
        assert.equal(await page.$eval('#window', (window) => window.checkVisibility()), false);
    }
    assert.deepEqual([...page.errors, ...again.errors], []);
});

// A new build: index.html changed but with its old date (an HTTP cache would call the old copy
// current), app.js changed with a new one, and the service worker written for them as the build
// writes it.
function buildAgain() {
    const index = path.join(SITE, 'index.html');
    const {atime, mtime} = fs.statSync(index);
    fs.writeFileSync(index, fs.readFileSync(index, 'utf8').replace('<head>', '<head>\n<meta name="build" content="2">'));
    fs.utimesSync(index, atime, mtime);
    fs.appendFileSync(path.join(SITE, 'app.js'), '// build 2\n');
    const web = path.join(__dirname, '..', '..', 'web');
    execFileSync('cmake', [`-DSITE_DIR=${SITE}`, `-DTEMPLATE=${path.join(web, 'site', 'sw.js.in')}`,
        '-P', path.join(web, 'write_service_worker.cmake')]);
    return /chessboard-\w+/.exec(fs.readFileSync(path.join(SITE, 'sw.js'), 'utf8'))[0];
}

test('a new build replaces every kept file at the next visit, and then opens with the server gone', async () => {
    const cache = buildAgain();
    site = await serveSite(SITE, site.port);
    const visit = await openPage({width: 440, height: 560, deviceScaleFactor: 1});
    await visit.waitForFunction((name) => caches.keys().then((names) => names.join() === name), {}, cache);
    assert.deepEqual([...sentFiles(site)].sort(), [['app.js', 1], ['index.html', 1], ['sw.js', 1]]);
    const names = fs.readdirSync(SITE).filter((name) => name !== 'sw.js');
    const kept = await visit.evaluate(async (name, files) => {
        const hex = (buffer) => [...new Uint8Array(buffer)].map((byte) => byte.toString(16).padStart(2, '0')).join('');
        const store = await caches.open(name);
        return Promise.all(files.map(async (file) =>
            hex(await crypto.subtle.digest('SHA-256', await (await store.match(file)).arrayBuffer()))));
    }, cache, [...names, './']);
    const onDisk = (name) => crypto.createHash('sha256').update(fs.readFileSync(path.join(SITE, name))).digest('hex');
    assert.deepEqual(kept, [...names, 'index.html'].map(onDisk));

    await site.stop();
    const offline = await openPage({width: 440, height: 560, deviceScaleFactor: 1});
    assert.equal(await offline.$eval('meta[name="build"]', (meta) => meta.content), '2');
    assert.deepEqual([...visit.errors, ...offline.errors], []);
});
